// SPDX-License-Identifier: GPL-2.0-or-later
#include <QTemporaryDir>
#include <QtTest>

#include "store/appdir.h"
#include "store/macrodb.h"
#include "store/slotsettings.h"

namespace {

// A five-button mouse with a 3389 sensor (codes 2..480, X and Y apart), sleep 1..9.
SlotSettingsProduct product(const QString &name = QStringLiteral("KX-03"))
{
    SlotSettingsProduct p;
    p.product = name;
    p.sensor = 3389;
    p.dpiLevels = 4;
    p.codeMinimum = 2;
    p.codeMaximum = 480;
    p.linkOffered = true;
    p.buttonSlots = {0, 1, 2, 3, 4};
    return p;
}

ConfigRecord record()
{
    ConfigRecord config;
    for (ProfileRecord &p : config.profiles) {
        p.BUTTON_INFO[0].Fun = 1; // left
        p.BUTTON_INFO[1].Fun = 2;
        p.pollrate = 1;
    }
    return config;
}

QString get(const SlotSettings &s, const ConfigRecord &c, int slot, const QString &name, const QString &index = {})
{
    QString value;
    QString error;
    return s.get(c, slot, name, index, &value, &error) ? value : QStringLiteral("error: ") + error;
}

SlotSettingChange::Outcome set(const SlotSettings &s, ConfigRecord &c, int slot, const QString &line)
{
    const QStringList words = line.split(QLatin1Char(' '));
    return s.set(c, slot, words.first(), words.mid(1)).outcome;
}

} // namespace

class SlotSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void dpi_snapsToTheSensorStep_andRefusesWhatItCannotTake()
    {
        const SlotSettings s(product());
        ConfigRecord c = record();
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 2 1620")), SlotSettingChange::Changed);
        QCOMPARE(get(s, c, 1, QStringLiteral("dpi"), QStringLiteral("2")), QStringLiteral("1600"));
        QCOMPARE(c.profiles[0].DPI_INFO[1], DpiInfo{}); // another slot is left alone
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 2 800x1600")), SlotSettingChange::Changed);
        QCOMPARE(get(s, c, 1, QStringLiteral("dpi"), QStringLiteral("2")), QStringLiteral("800x1600"));

        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 2 40000")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 5 800")), SlotSettingChange::Usage); // four levels
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 0 800")), SlotSettingChange::Usage);
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi-linked 2 on")), SlotSettingChange::Changed);
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi 2 400x800")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi-level 4")), SlotSettingChange::Changed);
        QCOMPARE(int(c.profiles[1].dpi), 3);
        QCOMPARE(set(s, c, 1, QStringLiteral("dpi-levels 8")), SlotSettingChange::ReadOnly);

        SlotSettingsProduct oneAxis = product();
        oneAxis.linkOffered = false;
        QCOMPARE(set(SlotSettings(oneAxis), c, 1, QStringLiteral("dpi-linked 2 off")), SlotSettingChange::Refused);
    }

    void rateAndRanges_takeOnlyWhatThePanelsOffer()
    {
        const SlotSettings s(product());
        ConfigRecord c = record();
        QCOMPARE(set(s, c, 0, QStringLiteral("rate 500")), SlotSettingChange::Changed);
        QCOMPARE(int(c.profiles[0].pollrate), 2);
        QCOMPARE(set(s, c, 0, QStringLiteral("rate 500")), SlotSettingChange::Unchanged);
        QCOMPARE(set(s, c, 0, QStringLiteral("rate 2000")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("scroll-speed 21")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("key-response 256")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("angle-snapping off")), SlotSettingChange::Changed);
        QCOMPARE(int(c.AngleValue), 1); // 0 is on
        QCOMPARE(set(s, c, 0, QStringLiteral("speeed 3")), SlotSettingChange::Usage);
    }

    void lighting_followsTheSlotTheMouseShows_andTheEffectsRows()
    {
        ConfigRecord c = record();
        // One lighting for every slot on the KX-27: slot 0 is edited whichever is named.
        const SlotSettings shared(product(QStringLiteral("KX-27")));
        QCOMPARE(set(shared, c, 3, QStringLiteral("effect breathing")), SlotSettingChange::Changed);
        QCOMPARE(int(c.profiles[0].LedMode), 3);
        QCOMPARE(int(c.profiles[3].LedMode), 0);
        QCOMPARE(set(shared, c, 3, QStringLiteral("color f00")), SlotSettingChange::Changed);
        QCOMPARE(c.profiles[0].LED_MODE[3].RGB, KestRgb(255, 0, 0));
        QCOMPARE(get(shared, c, 2, QStringLiteral("color")), QStringLiteral("ff0000"));
        // Breathing has a speed and no brightness.
        QCOMPARE(set(shared, c, 3, QStringLiteral("brightness 2")), SlotSettingChange::Refused);
        QCOMPARE(set(shared, c, 3, QStringLiteral("speed 5")), SlotSettingChange::Changed);

        const SlotSettings own(product());
        QCOMPARE(set(own, c, 3, QStringLiteral("effect rainbow")), SlotSettingChange::Changed);
        QCOMPARE(int(c.profiles[3].LedMode), 5);
        QCOMPARE(set(own, c, 3, QStringLiteral("move-off off")), SlotSettingChange::Changed);
        QCOMPARE(int(c.profiles[3].LedMoveOFF), 255);
        QCOMPARE(set(own, c, 3, QStringLiteral("sleep 10")), SlotSettingChange::Refused);
    }

    void buttons_everyFormReadsBackAsItWasSet()
    {
        QTemporaryDir dir;
        setApplicationDir(dir.path());
        QVERIFY(saveMacro(QStringLiteral("reload"), MacroSettings{}, {MacroAction{4, 0x80, 5}, MacroAction{4, 0, 5}}));
        const SlotSettings s(product());
        ConfigRecord c = record();
        const QStringList forms = {QStringLiteral("middle"),           QStringLiteral("key page-up"),
                                   QStringLiteral("combo ctrl+alt+c"), QStringLiteral("fire left 3 10"),
                                   QStringLiteral("fire space 5 20"),  QStringLiteral("macro reload 3"),
                                   QStringLiteral("macro reload held"), QStringLiteral("dpi-up"),
                                   QStringLiteral("off")};
        for (const QString &form : forms) {
            QCOMPARE(set(s, c, 0, QStringLiteral("button 3 ") + form), SlotSettingChange::Changed);
            QCOMPARE(get(s, c, 0, QStringLiteral("button"), QStringLiteral("3")), form);
        }
        // Modifiers go down in the window's order whatever order they were typed in.
        QCOMPARE(set(s, c, 0, QStringLiteral("button 4 combo a+shift")), SlotSettingChange::Changed);
        const ButtonInfo &combo = c.profiles[0].BUTTON_INFO[3];
        QCOMPARE(combo.KeyInfo[0], (KeyInfo{225, 5, 0x80}));
        QCOMPARE(combo.KeyInfo[1], (KeyInfo{4, 5, 0x80}));
        QCOMPARE(combo.KeyInfo[2], (KeyInfo{4, 5, 0x00}));
        QCOMPARE(combo.KeyInfo[3], (KeyInfo{225, 5, 0x00}));
        QCOMPARE(combo.KeyInfo[4], KeyInfo{});
        QCOMPARE(get(s, c, 0, QStringLiteral("button"), QStringLiteral("4")), QStringLiteral("combo shift+a"));
        // The macro's steps are copied into the button, as the window does.
        QCOMPARE(set(s, c, 0, QStringLiteral("button 5 macro reload toggle")), SlotSettingChange::Changed);
        QCOMPARE(c.profiles[0].BUTTON_INFO[4].KeyNumber, 2);
        QCOMPARE(int(c.profiles[0].BUTTON_INFO[4].Res1), 2);

        QCOMPARE(set(s, c, 0, QStringLiteral("button 3 macro nosuch 1")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("button wheel-up fire left 3 10")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("button wheel-up scroll-down")), SlotSettingChange::Changed);
        QCOMPARE(set(s, c, 0, QStringLiteral("button 3 scroll-down")), SlotSettingChange::Refused);
        QCOMPARE(set(s, c, 0, QStringLiteral("button 6 left")), SlotSettingChange::Usage); // five buttons
        QCOMPARE(set(s, c, 0, QStringLiteral("button 3 combo ctrl+a+b")), SlotSettingChange::Usage);
    }

    void buttons_keepALeftClick_andTakeBackWhatTheyHeld()
    {
        const SlotSettings s(product());
        ConfigRecord c = record();
        QCOMPARE(set(s, c, 0, QStringLiteral("button 1 right")), SlotSettingChange::Refused);
        QCOMPARE(c.profiles[0].BUTTON_INFO[0].Fun, 1);
        QCOMPARE(set(s, c, 0, QStringLiteral("button 3 left")), SlotSettingChange::Changed);
        QCOMPARE(set(s, c, 0, QStringLiteral("button 1 right")), SlotSettingChange::Changed);

        // A function the window no longer offers reads back as what it is and is taken back
        // unchanged, so that a whole slot read and written again stays as it was.
        c.profiles[0].BUTTON_INFO[4].Fun = 55;
        c.profiles[0].BUTTON_INFO[4].Res1 = 12;
        const QString sniper = get(s, c, 0, QStringLiteral("button"), QStringLiteral("5"));
        QCOMPARE(sniper, QStringLiteral("sniper 12"));
        QCOMPARE(set(s, c, 0, QStringLiteral("button 5 ") + sniper), SlotSettingChange::Unchanged);
        QCOMPARE(set(s, c, 0, QStringLiteral("button 4 sniper 12")), SlotSettingChange::Refused);
    }
};

QTEST_GUILESS_MAIN(SlotSettingsTest)
#include "tst_slotsettings.moc"
