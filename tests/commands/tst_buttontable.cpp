// SPDX-License-Identifier: GPL-2.0-or-later
// What a write puts into the mouse's button table: positions through the model's layout,
// the wheel's two entries, and nothing the layout does not name.
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "commandfixture.h"
#include "device/kestdevicecontext.h"
#include "device/kestwritetransaction.h"

class ButtonTableTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CommandFixture> m_fx;

    static ConfigRecord plainRecord() { return CommandFixture::plainRecord(); }
    static int write(const ConfigRecord &record) { return writeProfileSet(record).status; }

private slots:
    void init()
    {
        m_fx = std::make_unique<CommandFixture>();
        m_fx->plugSimMouse();
        KestDeviceContext::link().buttonTable() = ButtonTableBytes{};
    }

    void cleanup() { m_fx.reset(); }

    void scrollReversed_wheelEntriesExchanged()
    {
        ConfigRecord record = plainRecord();
        record.profiles[0].BUTTON_INFO[40].Fun = FunVolumeUp;
        record.profiles[0].BUTTON_INFO[41].Fun = FunVolumeDown;
        m_fx->setButtonLayout(5, CommandFixture::identityMatrix(), true);
        QCOMPARE(write(record), 0);
        QCOMPARE(int(m_fx->sim().state().buttons[15].p2), 0xE9);
        QCOMPARE(int(m_fx->sim().state().buttons[14].p2), 0xEA);
    }

    void unwrittenEntries_keepTheirBytes()
    {
        ConfigRecord record = plainRecord();
        record.profiles[0].BUTTON_INFO[9].Fun = FunMute;
        QCOMPARE(write(record), 0);
        QCOMPARE(int(m_fx->sim().state().buttons[9].p2), 0xE2);
        m_fx->setButtonLayout(3, CommandFixture::identityMatrix(), false);
        record.profiles[0].BUTTON_INFO[9].Fun = FunLeft;
        QCOMPARE(write(record), 0);
        QCOMPARE(int(m_fx->sim().state().buttons[9].p2), 0xE2);
    }

    void oversizedLayout_neverWritesOutsideTheTable()
    {
        ButtonMatrix matrix = CommandFixture::identityMatrix();
        matrix[3] = 200; // a position the table has no entry for
        m_fx->setButtonLayout(42, matrix, false);
        ConfigRecord record = plainRecord();
        for (ButtonInfo &b : record.profiles[0].BUTTON_INFO)
            b.Fun = FunMute;
        record.profiles[0].BUTTON_INFO[2].Fun = FunLeft;
        QCOMPARE(write(record), 0);
        const auto &buttons = m_fx->sim().state().buttons;
        QCOMPARE(int(buttons[2].function), 0x81);
        QCOMPARE(int(buttons[3].function), 0x00); // never written
        QCOMPARE(int(buttons[13].p2), 0xE2);
    }
};

QTEST_GUILESS_MAIN(ButtonTableTest)
#include "tst_buttontable.moc"
