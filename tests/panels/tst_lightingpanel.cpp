// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "panelfixture.h"
#include "panels/colorareas.h"
#include "panels/kestcolorarea.h"
#include "panels/kestcolorwindow.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestslider.h"

namespace {

ProfileRecord lightingRecord()
{
    ProfileRecord record;
    record.LedMode = 1;
    record.LedMoveOFF = 0;
    record.LedSleepTime = 3;
    for (int e = 0; e < LED_EFFECTS; ++e) {
        record.LED_MODE[e].RGB = KestRgb(10, 20, 30);
        record.LED_MODE[e].bright = 2;
        record.LED_MODE[e].breath = 4;
    }
    return record;
}

void chooseFromMenu(KestColorWindow &panel, const QString &name)
{
    for (QAction *action : panel.effectMenu()->actions()) {
        if (action->text() == name) {
            action->trigger();
            return;
        }
    }
    QFAIL("effect not in the menu");
}

// Runs `edit` on the colour dialog once it is open, then presses `button`.
void answerColorDialog(const std::function<void(KestColorArea *)> &edit, bool apply)
{
    QTimer::singleShot(0, [edit, apply] {
        auto *dialog = qobject_cast<KestColorArea *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        edit(dialog);
        (apply ? dialog->applyButton() : dialog->cancelButton())->click();
    });
}

} // namespace

class LightingPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_app.reset(new PanelAppDir); }

    void effectMenu_listsEffectsWithOffLast();
    void effectRows_followTheEffect_data();
    void effectRows_followTheEffect();
    void moveToLightOff_mapsToZeroAnd255();
    void allEdits_followTheHandedSlot();
    void lightingSlot_isSlotZeroOnlyForKx27();
    void sliderValuesOutsideRange_keptUntilMoved();
    void sleepRow_hiddenWhenDescriptionSaysSo();
    void hexEntry_completesToSixDigits_data();
    void hexEntry_completesToSixDigits();
    void colorDialog_fieldsFollowEachOther();
    void colorDialog_squareCoversFullSaturationAndValue();
    void colorDialog_cancelKeepsColour_applyStoresIt();

private:
    QScopedPointer<PanelAppDir> m_app;
};

void LightingPanelTest::effectMenu_listsEffectsWithOffLast()
{
    KestColorWindow panel;
    const QList<QAction *> actions = panel.effectMenu()->actions();
    QCOMPARE(actions.size(), 12);
    QCOMPARE(actions.first()->text(), QStringLiteral("FULL LIGHTED"));
    QCOMPARE(actions.at(10)->text(), QStringLiteral("Tri-color running"));
    QCOMPARE(actions.last()->text(), QStringLiteral("OFF"));
}

void LightingPanelTest::effectRows_followTheEffect_data()
{
    QTest::addColumn<QString>("effect");
    QTest::addColumn<bool>("bright");
    QTest::addColumn<bool>("speed");
    QTest::addColumn<bool>("color");
    QTest::newRow("BREATHING") << "BREATHING" << false << true << true;
    QTest::newRow("OFF") << "OFF" << false << false << false;
    QTest::newRow("FULL LIGHTED") << "FULL LIGHTED" << true << false << true;
    QTest::newRow("7 COLOR") << "7 COLOR" << true << true << false;
    QTest::newRow("REACTIVE") << "REACTIVE" << true << true << true;
}

void LightingPanelTest::effectRows_followTheEffect()
{
    QFETCH(QString, effect);
    QFETCH(bool, bright);
    QFETCH(bool, speed);
    QFETCH(bool, color);
    KestColorWindow panel;
    panel.setProfile(lightingRecord(), 0);
    chooseFromMenu(panel, effect);
    QCOMPARE(panel.effectButtonText(), effect);
    QCOMPARE(panel.brightnessShown(), bright);
    QCOMPARE(panel.speedShown(), speed);
    QCOMPARE(panel.colorShown(), color);
    if (effect == QLatin1String("BREATHING")) // speed takes the brightness row
        QCOMPARE(panel.speedSlider()->y(), panel.brightnessSlider()->y());
}

void LightingPanelTest::moveToLightOff_mapsToZeroAnd255()
{
    KestColorWindow panel;
    ProfileRecord record = lightingRecord();
    record.LedMoveOFF = 255; // also what a file without the key reads as
    panel.setProfile(record, 0);
    QVERIFY(!panel.moveOffBox()->isChecked());
    panel.moveOffBox()->click();
    QCOMPARE(panel.record().LedMoveOFF, quint8(0));
    panel.moveOffBox()->click();
    QCOMPARE(panel.record().LedMoveOFF, quint8(255));

    record.LedMoveOFF = 0;
    panel.setProfile(record, 0);
    QVERIFY(panel.moveOffBox()->isChecked());
}

void LightingPanelTest::allEdits_followTheHandedSlot()
{
    ConfigRecord working;
    working.ProfileID = 3;
    for (ProfileRecord &slot : working.profiles)
        slot = lightingRecord();
    const ConfigRecord before = working;
    const int slot = KestColorWindow::lightingSlot(working, QStringLiteral("KX-27"));

    KestColorWindow panel;
    panel.setProfile(working.profiles[slot], slot);
    chooseFromMenu(panel, QStringLiteral("WAVE"));
    panel.brightnessSlider()->setValue(3);
    panel.speedSlider()->setValue(1);
    panel.sleepSlider()->setValue(7);
    panel.setEffectColor(QColor(1, 2, 3));
    panel.moveOffBox()->click();
    QCOMPARE(panel.sleepText(), QStringLiteral("7 MIN"));

    panel.applyTo(working);
    const ProfileRecord &zero = working.profiles[0];
    QCOMPARE(zero.LedMode, quint8(6));
    QCOMPARE(zero.LED_MODE[6].bright, 3);
    QCOMPARE(zero.LED_MODE[6].breath, 1);
    QCOMPARE(zero.LED_MODE[6].RGB, KestRgb(1, 2, 3));
    QCOMPARE(zero.LED_MODE[1], before.profiles[0].LED_MODE[1]);
    QCOMPARE(zero.LedSleepTime, quint8(7));
    QCOMPARE(zero.LedMoveOFF, quint8(255));
    QCOMPARE(working.profiles[3], before.profiles[3]);
}

void LightingPanelTest::lightingSlot_isSlotZeroOnlyForKx27()
{
    ConfigRecord working;
    working.ProfileID = 3;
    QCOMPARE(KestColorWindow::lightingSlot(working, QStringLiteral("KX-27")), 0);
    QCOMPARE(KestColorWindow::lightingSlot(working, QStringLiteral("KX-25")), 3);
    working.ProfileID = 9; // out of range: clamped, never past the slots
    QCOMPARE(KestColorWindow::lightingSlot(working, QStringLiteral("KX-25")), SLOT_COUNT - 1);
}

void LightingPanelTest::sliderValuesOutsideRange_keptUntilMoved()
{
    ProfileRecord record = lightingRecord();
    record.LED_MODE[1].bright = 9;
    KestColorWindow panel;
    panel.setProfile(record, 0);
    QCOMPARE(panel.brightnessSlider()->value(), 3);
    QCOMPARE(panel.record().LED_MODE[1].bright, 9);
    panel.brightnessSlider()->setValue(1);
    QCOMPARE(panel.record().LED_MODE[1].bright, 1);
}

void LightingPanelTest::sleepRow_hiddenWhenDescriptionSaysSo()
{
    m_app->setDescription(QStringLiteral("ShowSleep"), 0);
    m_app->setDescription(QStringLiteral("SleepMax"), 30);
    KestColorWindow hidden;
    QVERIFY(hidden.sleepSlider()->isHidden());
    QVERIFY(hidden.moveOffBox()->isHidden());
    QCOMPARE(hidden.sleepSlider()->maximum(), 30);
}

void LightingPanelTest::hexEntry_completesToSixDigits_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QColor>("color");
    QTest::newRow("short form") << "f00" << QColor(255, 0, 0);
    QTest::newRow("short form mixed") << "a1C" << QColor(0xaa, 0x11, 0xcc);
    QTest::newRow("empty") << "" << QColor(0, 0, 0);
    QTest::newRow("one digit") << "f" << QColor(0, 0, 0x0f);
    QTest::newRow("two digits") << "ff" << QColor(0, 0, 0xff);
    QTest::newRow("four digits") << "1234" << QColor(0, 0x12, 0x34);
    QTest::newRow("five digits") << "12345" << QColor(0x01, 0x23, 0x45);
    QTest::newRow("six digits") << "ABCdef" << QColor(0xab, 0xcd, 0xef);
    QTest::newRow("not hex") << "12x" << QColor();
    QTest::newRow("too long") << "1234567" << QColor();
}

void LightingPanelTest::hexEntry_completesToSixDigits()
{
    QFETCH(QString, entry);
    QFETCH(QColor, color);
    QCOMPARE(colorFromHexEntry(entry), color);
}

void LightingPanelTest::colorDialog_fieldsFollowEachOther()
{
    KestColorArea dialog(QColor(10, 20, 30));
    QCOMPARE(dialog.hexField()->text(), QStringLiteral("0a141e"));

    dialog.field(KestColorArea::R)->setText(QStringLiteral("0"));
    dialog.field(KestColorArea::G)->setText(QStringLiteral("255"));
    dialog.field(KestColorArea::B)->setText(QStringLiteral("0"));
    QCOMPARE(dialog.color(), QColor(0, 255, 0));
    QCOMPARE(dialog.field(KestColorArea::H)->text(), QStringLiteral("120"));
    QCOMPARE(dialog.hexField()->text(), QStringLiteral("00ff00"));

    dialog.field(KestColorArea::H)->setText(QStringLiteral("240"));
    QCOMPARE(dialog.color(), QColor(0, 0, 255));
    QCOMPARE(dialog.field(KestColorArea::B)->text(), QStringLiteral("255"));

    dialog.field(KestColorArea::H)->setText(QStringLiteral("360")); // 360 is 0
    QCOMPARE(dialog.color(), QColor(255, 0, 0));

    dialog.hexField()->setText(QStringLiteral("f0f"));
    emit dialog.hexField()->editingFinished();
    QCOMPARE(dialog.color(), QColor(255, 0, 255));
    QCOMPARE(dialog.hexField()->text(), QStringLiteral("ff00ff"));

    QTest::mouseClick(dialog.presets().at(5), Qt::LeftButton); // presets: ... (255, 0, 255)
    QTest::mouseClick(dialog.presets().at(3), Qt::LeftButton);
    QCOMPARE(dialog.color(), QColor(0, 255, 255));
    QCOMPARE(dialog.field(KestColorArea::R)->text(), QStringLiteral("0"));
}

void LightingPanelTest::colorDialog_squareCoversFullSaturationAndValue()
{
    KestColorArea dialog(QColor(255, 0, 0));
    SVColorArea *square = dialog.svArea();
    const int side = square->width();
    QTest::mouseClick(square, Qt::LeftButton, {}, QPoint(side, 0));
    QCOMPARE(dialog.color(), QColor(255, 0, 0));
    QTest::mouseClick(square, Qt::LeftButton, {}, QPoint(0, side));
    QCOMPARE(dialog.color(), QColor(0, 0, 0));
    QTest::mouseClick(square, Qt::LeftButton, {}, QPoint(side + 40, -40)); // clamped
    QCOMPARE(dialog.color(), QColor(255, 0, 0));

    HColorArea *hue = dialog.hueArea();
    QCOMPARE(hue->hueAt(0), 360);
    QCOMPARE(hue->hueAt(hue->height()), 0);
    QTest::mouseClick(hue, Qt::LeftButton, {}, QPoint(hue->width() / 2, hue->height() / 2));
    QCOMPARE(dialog.field(KestColorArea::H)->text().toInt(), 180);
    QCOMPARE(dialog.color(), QColor(0, 255, 255));
}

void LightingPanelTest::colorDialog_cancelKeepsColour_applyStoresIt()
{
    KestColorWindow panel;
    panel.setProfile(lightingRecord(), 0);

    answerColorDialog([](KestColorArea *dialog) {
        dialog->field(KestColorArea::R)->setText(QStringLiteral("200"));
        dialog->hexField()->setText(QStringLiteral("123"));
        emit dialog->hexField()->editingFinished();
    }, false);
    panel.colorSwatch()->click();
    QCOMPARE(panel.record().LED_MODE[1].RGB, KestRgb(10, 20, 30));

    answerColorDialog([](KestColorArea *dialog) {
        dialog->hexField()->setText(QStringLiteral("f00"));
        emit dialog->hexField()->editingFinished();
    }, true);
    panel.colorSwatch()->click();
    QCOMPARE(panel.record().LED_MODE[1].RGB, KestRgb(255, 0, 0));
    QCOMPARE(panel.record().LED_MODE[1].h, 0); // the picker's h, s, v are not touched
}

QTEST_MAIN(LightingPanelTest)
#include "tst_lightingpanel.moc"
