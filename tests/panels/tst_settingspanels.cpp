// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include "panelfixture.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "widgets/kestmenu.h"
#include "widgets/kestslider.h"

namespace {

ProfileRecord withRate(quint8 rate)
{
    ProfileRecord record;
    record.pollrate = rate;
    record.scrollspeed = 3;
    record.mousespeed = 10;
    return record;
}

QAction *menuAction(KestMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

enum Option { Sync, Lift, Angle, Jitter };

} // namespace

class SettingsPanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_app.reset(new PanelAppDir); }

    void rateMenu_setsCodeAndText();
    void unknownRate_keepsTextAndWritesCodeBack();
    void liftZero_showsTwoMillimetresInBothPanels();
    void liftRadio_reportsAtOnce();
    void storedOptions_showMatchingBoxes_data();
    void storedOptions_showMatchingBoxes();
    void checkBoxPairs_actAsRadios_andApply();
    void scrollSpeed_refusesZeroAndTwentyOne();
    void keyResponse_storesWhatItShows();

private:
    QScopedPointer<PanelAppDir> m_app;
};

void SettingsPanelsTest::rateMenu_setsCodeAndText()
{
    KestReportRate panel(withRate(1));
    QCOMPARE(panel.rateButtonText(), QStringLiteral("1000 Hz"));
    const QStringList texts{"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    const quint8 codes[] = {8, 4, 2, 1};
    for (int i = 0; i < texts.size(); ++i) {
        QAction *action = menuAction(panel.rateMenu(), texts[i]);
        QVERIFY(action);
        QCOMPARE(panel.rateMenu()->actions().indexOf(action), i);
        action->trigger();
        QCOMPARE(panel.pollrate(), codes[i]);
        QCOMPARE(panel.rateButtonText(), texts[i]);
    }
}

void SettingsPanelsTest::unknownRate_keepsTextAndWritesCodeBack()
{
    KestReportRate panel(withRate(2));
    panel.refresh(withRate(3), 1);
    QCOMPARE(panel.rateButtonText(), QStringLiteral("500 Hz"));
    ProfileRecord slot = withRate(1);
    panel.applyTo(slot);
    QCOMPARE(slot.pollrate, quint8(3));
}

void SettingsPanelsTest::liftZero_showsTwoMillimetresInBothPanels()
{
    KestReportRate rate(withRate(1));
    rate.refresh(withRate(1), 0);
    QVERIFY(rate.liftRadio(1)->isChecked());
    QCOMPARE(rate.liftRadio(1)->text(), QStringLiteral("2 mm"));
    QVERIFY(!rate.liftRadio(0)->isChecked());

    KestPointSpeed speed(withRate(1));
    speed.refresh(withRate(1), 0, 0, 0, 0, 20);
    QVERIFY(speed.optionBox(Lift, false)->isChecked());
    QCOMPARE(speed.optionBox(Lift, false)->text(), QStringLiteral("2 mm"));
    QVERIFY(!speed.optionBox(Lift, true)->isChecked());
}

void SettingsPanelsTest::liftRadio_reportsAtOnce()
{
    KestReportRate panel(withRate(1));
    panel.refresh(withRate(1), 2);
    QSignalSpy spy(&panel, &KestReportRate::liftChanged);
    panel.liftRadio(0)->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<quint8>(), quint8(1));
    panel.refresh(withRate(1), 2); // a refresh shows, it does not report
    QCOMPARE(spy.count(), 1);
    QVERIFY(panel.liftRadio(1)->isChecked());
}

void SettingsPanelsTest::storedOptions_showMatchingBoxes_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("firstChecked");
    QTest::addColumn<int>("written"); // what Apply stores: the encoding of the shown box
    QTest::newRow("angle 0 is ON") << int(Angle) << 0 << true << 0;
    QTest::newRow("angle 1 is OFF") << int(Angle) << 1 << false << 1;
    QTest::newRow("angle 7 is OFF") << int(Angle) << 7 << false << 1;
    QTest::newRow("jitter 0 is ON") << int(Jitter) << 0 << true << 0;
    QTest::newRow("jitter 1 is OFF") << int(Jitter) << 1 << false << 1;
    QTest::newRow("jitter 9 is OFF") << int(Jitter) << 9 << false << 1;
    QTest::newRow("sync 0 is OFF") << int(Sync) << 0 << false << 0;
    QTest::newRow("sync 5 is ON") << int(Sync) << 5 << true << 1;
    QTest::newRow("lift 1 is 1mm") << int(Lift) << 1 << true << 1;
    QTest::newRow("lift 2 is 2mm") << int(Lift) << 2 << false << 2;
    QTest::newRow("lift 0 is 2mm") << int(Lift) << 0 << false << 2;
}

void SettingsPanelsTest::storedOptions_showMatchingBoxes()
{
    QFETCH(int, option);
    QFETCH(int, stored);
    QFETCH(bool, firstChecked);
    QFETCH(int, written);
    quint8 values[4] = {0, 1, 0, 0};
    values[option] = static_cast<quint8>(stored);
    KestPointSpeed panel(withRate(1));
    panel.refresh(withRate(1), values[Sync], values[Lift], values[Angle], values[Jitter], 20);
    QCOMPARE(panel.optionBox(option, true)->isChecked(), firstChecked);
    QCOMPARE(panel.optionBox(option, false)->isChecked(), !firstChecked);
    ConfigRecord working;
    panel.applyTo(working);
    const quint8 applied[4] = {working.Sync, working.LiftHigh, working.AngleValue, working.Jitter};
    QCOMPARE(int(applied[option]), written);
}

void SettingsPanelsTest::checkBoxPairs_actAsRadios_andApply()
{
    KestPointSpeed panel(withRate(1));
    panel.refresh(withRate(1), 1, 1, 0, 0, 20);

    panel.optionBox(Angle, true)->click(); // clicking the checked box keeps it checked
    QVERIFY(panel.optionBox(Angle, true)->isChecked());
    QVERIFY(!panel.optionBox(Angle, false)->isChecked());

    panel.optionBox(Sync, false)->click();
    panel.optionBox(Lift, false)->click();
    panel.optionBox(Angle, false)->click();
    panel.optionBox(Jitter, false)->click();
    QVERIFY(!panel.optionBox(Jitter, true)->isChecked());

    ConfigRecord working;
    working.ProfileID = 2;
    working.Wake = 9;
    working.profiles[2].mousespeed = 1;
    panel.applyTo(working);
    QCOMPARE(working.Sync, quint8(0));
    QCOMPARE(working.LiftHigh, quint8(2));
    QCOMPARE(working.AngleValue, quint8(1));
    QCOMPARE(working.Jitter, quint8(1));
    QCOMPARE(working.Debounce, quint8(20));
    QCOMPARE(working.Wake, quint8(9));
    QCOMPARE(working.profiles[2].mousespeed, quint8(10));
    QCOMPARE(working.profiles[2].scrollspeed, quint8(3));
    QCOMPARE(working.profiles[0].scrollspeed, quint8(0));
}

void SettingsPanelsTest::scrollSpeed_refusesZeroAndTwentyOne()
{
    KestPointSpeed panel(withRate(1));
    QSpinBox *box = panel.scrollSpeedBox();
    box->setValue(0);
    QCOMPARE(box->value(), 1);
    box->setValue(21);
    QCOMPARE(box->value(), 20);

    box->setValue(5);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("21"));
    QVERIFY(box->value() <= 20);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("0"));
    QVERIFY(box->value() >= 1);

    box->setValue(17);
    ConfigRecord working;
    panel.applyTo(working);
    QCOMPARE(working.profiles[0].scrollspeed, quint8(17));
}

void SettingsPanelsTest::keyResponse_storesWhatItShows()
{
    // A stored 0 is below the slider's range: the panel shows 1, and Apply stores 1.
    KestPointSpeed panel(withRate(1));
    panel.refresh(withRate(1), 0, 1, 0, 0, 0);
    QCOMPARE(panel.keyResponseSlider()->value(), 1);
    QCOMPARE(panel.keyResponse(), quint8(1));
    ConfigRecord working;
    panel.applyTo(working);
    QCOMPARE(working.Debounce, quint8(1));
    // The same for a scroll speed of 0, shown as 1.
    ProfileRecord slow = withRate(1);
    slow.scrollspeed = 0;
    panel.refresh(slow, 0, 1, 0, 0, 20);
    QCOMPARE(panel.scrollSpeedBox()->value(), 1);
    panel.applyTo(working);
    QCOMPARE(working.profiles[0].scrollspeed, quint8(1));

    panel.keyResponseSlider()->setValue(42);
    panel.applyTo(working);
    QCOMPARE(working.Debounce, quint8(42));
}

QTEST_MAIN(SettingsPanelsTest)
#include "tst_settingspanels.moc"
