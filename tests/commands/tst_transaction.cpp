// SPDX-License-Identifier: GPL-2.0-or-later
#include <QRandomGenerator>
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"
#include "commandfixture.h"
#include "device/buttonupload.h"
#include "device/buttonwire.h"
#include "device/dpiencoding.h"
#include "device/kestbatteryreader.h"
#include "device/kestdevicecontext.h"
#include "device/kestwritetransaction.h"
#include "device/sendcommand.h"
#include "device/writeconfig.h"
#include "store/appsettings.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"

namespace {

constexpr int kMacroPool = 15;
const int kSensors[] = {3104, 31042, 3212, 3311, 33112, 3325, 33252, 3327, 3333, 3335, 33352, 3360, 3370, 3389, 3395, 33952};

QString macroName(int i) { return QStringLiteral("macro_%1").arg(i); }

// The macro slot the mouse should hold for a file's actions, worked out on its own terms:
// timed macros as they are, others with a one-unit pause after each group of four and at
// the end, then an empty step; never more than 200 bytes.
QByteArray expectedSlot(const QVector<MacroAction> &actions)
{
    QByteArray bytes;
    bool timed = false;
    for (const MacroAction &a : actions)
        timed = timed || a.map == MACRO_DELAY;
    for (int i = 0; i < actions.size(); ++i) {
        bytes.append(char(actions[i].map)).append(char(actions[i].low)).append(char(actions[i].high));
        if (!timed && i % 4 == 3)
            bytes.append("\x06\x01\x00", 3);
    }
    if (!timed)
        bytes.append("\x06\x01\x00\x00\x00\x00", 6);
    bytes = bytes.left(200);
    bytes.append(QByteArray(256 - bytes.size(), '\0'));
    return bytes;
}

QByteArray slotBytes(const std::array<quint8, 256> &slot)
{
    return QByteArray(reinterpret_cast<const char *>(slot.data()), 256);
}

// The slot the mouse receives, and the one its lighting comes from (the KX-27 keeps one
// lighting for all slots, in slot 0).
int currentSlot(const ConfigRecord &record) { return std::min<int>(record.ProfileID, 4); }
int lightingSlot(const ConfigRecord &record, const QString &product)
{
    return product == QLatin1String("KX-27") ? 0 : currentSlot(record);
}

struct Expectation
{
    std::array<KestSimButton, 16> buttons{};
    QStringList macroOrder; // macro names by number
};

} // namespace

class TransactionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CommandFixture> m_fx;
    QVector<QVector<MacroAction>> m_macroFiles;
    KestWriteResult m_last;

    int write(const ConfigRecord &record)
    {
        m_last = writeProfileSet(record);
        return m_last.status;
    }

    QStringList skippedNames() const
    {
        QStringList names;
        for (const KestMacroSkip &skip : m_last.skippedMacros)
            names << QStringLiteral("%1:%2:%3").arg(skip.button).arg(skip.macro).arg(int(skip.reason));
        return names;
    }

    void writeMacroPool(QRandomGenerator &rng)
    {
        m_macroFiles.clear();
        for (int m = 0; m < kMacroPool; ++m) {
            QVector<MacroAction> actions;
            const int count = int(rng.bounded(40));
            const bool timed = rng.bounded(2) == 0;
            for (int i = 0; i < count; ++i) {
                const quint8 maps[] = {MACRO_KEY_DOWN, MACRO_KEY_UP, MACRO_MOUSE_DOWN, MACRO_MOUSE_UP, MACRO_MOVE};
                MacroAction a{maps[rng.bounded(5)], quint8(rng.bounded(256)), quint8(rng.bounded(1, 256))};
                if (timed && i % 3 == 2)
                    a.map = MACRO_DELAY;
                actions.append(a);
            }
            QVERIFY(saveMacro(macroName(m), MacroSettings{}, actions));
            m_macroFiles.append(actions);
        }
    }

    static ButtonInfo randomButton(QRandomGenerator &rng, int distinctMacros)
    {
        static const QVector<qint32> extraCodes = {0, 13, 60, 61, 64, 999};
        const QVector<FunctionEntry> &catalogue = functionCatalogue();
        ButtonInfo b;
        const int pick = int(rng.bounded(catalogue.size() + extraCodes.size()));
        b.Fun = pick < catalogue.size() ? catalogue[pick].code : extraCodes[pick - catalogue.size()];
        b.LoopNumber = int(rng.bounded(0, 70000));
        b.KeyNumber = int(rng.bounded(0, 300));
        b.Res1 = quint8(rng.bounded(256));
        if (b.Fun == FunMacro || b.Fun == FunGunFile) {
            b.macroname = macroName(int(rng.bounded(distinctMacros)));
            b.Res1 = quint8(rng.bounded(4));
        } else if (b.Fun == FunComboKey) {
            const quint8 modifiers[] = {225, 224, 227, 226};
            QVector<quint8> keys;
            for (quint8 m : modifiers) {
                if (rng.bounded(2))
                    keys.append(m);
            }
            keys.append(quint8(rng.bounded(4, 102)));
            int s = 0;
            for (quint8 k : keys)
                b.KeyInfo[size_t(s++)] = {k, 5, 0x80};
            for (int i = keys.size() - 1; i >= 0; --i)
                b.KeyInfo[size_t(s++)] = {keys[i], 5, 0};
        }
        return b;
    }

    static ConfigRecord randomRecord(QRandomGenerator &rng, int distinctMacros)
    {
        ConfigRecord record;
        record.ProfileID = quint8(rng.bounded(5));
        record.AngleValue = quint8(rng.bounded(256));
        record.LiftHigh = quint8(rng.bounded(256));
        record.Sync = quint8(rng.bounded(256));
        record.Jitter = quint8(rng.bounded(256));
        for (ProfileRecord &p : record.profiles) {
            const quint8 rates[] = {1, 2, 4, 8};
            p.pollrate = rates[rng.bounded(4)];
            p.dpi = quint8(rng.bounded(8));
            p.LedMode = quint8(rng.bounded(14));
            p.LedMoveOFF = rng.bounded(2) ? 0 : 255;
            p.LedSleepTime = quint8(rng.bounded(1, 10));
            p.mousespeed = quint8(rng.bounded(1, 21));
            for (DpiInfo &level : p.DPI_INFO) {
                level.used = quint8(rng.bounded(2));
                level.x = rng.bounded(1000u);
                level.y = rng.bounded(1000u);
            }
            for (LedModeInfo &e : p.LED_MODE) {
                e.RGB = KestRgb(int(rng.bounded(256)), int(rng.bounded(256)), int(rng.bounded(256)));
                e.bright = int(rng.bounded(1, 4));
                e.breath = int(rng.bounded(1, 6));
            }
            for (ButtonInfo &b : p.BUTTON_INFO)
                b = randomButton(rng, distinctMacros);
        }
        return record;
    }

    // What the table must hold: positions through the matrix, wheel entries last.
    static Expectation expectedButtons(const ConfigRecord &record, int sensor, const ButtonMatrix &matrix,
                                       bool scrollReversed)
    {
        Expectation x;
        auto entryOf = [&](const ButtonInfo &b) {
            ButtonEntry e = defaultButtonEntry(b.Fun);
            if (b.Fun == FunSingleKey) {
                quint8 usage = 0;
                keyCodeToUsage(b.Res1, usage);
                e = {0x90, 0, usage, 0};
            } else if (b.Fun == FunComboKey) {
                quint8 bits = 0;
                quint8 key = 0;
                for (int s = 0; s < 5; ++s) {
                    const quint8 usage = b.KeyInfo[size_t(s)].map;
                    if (usage >= 224 && usage <= 231)
                        bits |= quint8(1u << ((usage - 224) & 3)); // right modifiers share the left bits
                    else if (usage)
                        key = usage;
                }
                e = {0x8F, quint8(bits & 0x0F), key, 0};
            } else if (b.Fun == FunFireKey) {
                e = b.Res1 ? ButtonEntry{0x99, b.Res1, quint8(b.LoopNumber), quint8(b.KeyNumber / 10)}
                           : ButtonEntry{0x99, 0x81, 3, 0};
            } else if (b.Fun == FunSniper) {
                const quint8 v = sniperValue(b.Res1, sensor);
                e = {0x9A, 1, v, v};
            } else if (b.Fun == FunMacro || b.Fun == FunGunFile) {
                if (!x.macroOrder.contains(b.macroname))
                    x.macroOrder.append(b.macroname);
                const quint8 n = quint8(x.macroOrder.indexOf(b.macroname));
                if (b.Res1 == 1)
                    e.p1 = n | 0x80, e.p2 = e.p3 = 0xFF;
                else if (b.Res1 == 2)
                    e.p1 = n | 0x40, e.p2 = e.p3 = 0xFF;
                else
                    e.p1 = n, e.p2 = quint8(b.LoopNumber), e.p3 = quint8(b.LoopNumber >> 8);
            }
            return KestSimButton{e.f, e.p1, e.p2, e.p3};
        };
        const ProfileRecord &p = record.profiles[size_t(currentSlot(record))];
        for (int i = 0; i < 14; ++i)
            x.buttons[matrix[size_t(i)]] = entryOf(p.BUTTON_INFO[size_t(i)]);
        x.buttons[scrollReversed ? 15 : 14] = entryOf(p.BUTTON_INFO[40]);
        x.buttons[scrollReversed ? 14 : 15] = entryOf(p.BUTTON_INFO[41]);
        return x;
    }

    void verifyMouseHolds(const ConfigRecord &record, int sensor, const ButtonMatrix &matrix, bool scrollReversed,
                          const QString &product = QStringLiteral("KX-27"))
    {
        const KestSimMouseState s = m_fx->sim().state();
        const ProfileRecord &p = record.profiles[size_t(currentSlot(record))];
        const ProfileRecord &l = record.profiles[size_t(lightingSlot(record, product))];
        const LedModeInfo &e = l.LED_MODE[l.LedMode];
        QCOMPARE(s.beginMarkers, 1);
        QCOMPARE(s.endMarkers, 1);
        QCOMPARE(s.checksumErrors + s.unknownCommands, 0);
        QCOMPARE(s.reportRate, p.pollrate);
        QCOMPARE(s.activeDpiLevel, p.dpi);
        QCOMPARE(s.ledMode, l.LedMode);
        QCOMPARE(int(s.ledSpeed), l.LedMode > 1 ? e.breath : 0);
        QCOMPARE(int(s.ledBrightness), (l.LedMode == 0 || l.LedMode == 3 || l.LedMode == 4) ? 0 : e.bright);
        QCOMPARE(s.sensorBlock, quint8(6));
        QCOMPARE(s.liftHeight, record.LiftHigh);
        QCOMPARE(s.angleSnap, record.AngleValue);
        QCOMPARE(s.sync, record.Sync);
        QCOMPARE(s.ledSleepTime, l.LedSleepTime);
        QCOMPARE(s.ledOffWhenMoving, quint8(l.LedMoveOFF == 255 ? 0 : 1));
        QCOMPARE(KestRgb(s.red, s.green, s.blue), e.RGB);

        for (int level = 0; level < DPI_LEVELS; ++level) {
            const DpiInfo &d = p.DPI_INFO[size_t(level)];
            const bool swapped = sensor == 3104 || sensor == 31042;
            const DpiAxisEncoding ex = encodeDpiAxis(swapped ? d.y : d.x, sensor);
            const DpiAxisEncoding ey = encodeDpiAxis(swapped ? d.x : d.y, sensor);
            const KestSimDpiLevel want{ex.range, quint8(ex.value), quint8(ex.value >> 8), quint8(ey.value),
                                       quint8(ey.value >> 8)};
            QVERIFY2(s.dpi[size_t(level)] == want, qPrintable(QStringLiteral("DPI level %1").arg(level)));
        }

        const Expectation x = expectedButtons(record, sensor, matrix, scrollReversed);
        for (int i = 0; i < 16; ++i)
            QVERIFY2(s.buttons[size_t(i)] == x.buttons[size_t(i)], qPrintable(QStringLiteral("entry %1").arg(i)));

        // The mouse holds twelve: the first twelve numbered arrive whatever follows.
        for (int k = 0; k < 12; ++k) {
            const QByteArray want = k < x.macroOrder.size()
                                        ? expectedSlot(m_macroFiles[x.macroOrder[k].mid(6).toInt()])
                                        : QByteArray(256, '\0');
            QVERIFY2(slotBytes(s.macros[size_t(k)]) == want, qPrintable(QStringLiteral("macro slot %1").arg(k)));
        }
        for (int i = 0; i < 14; ++i) {
            const ButtonInfo &b = m_last.sent.profiles[size_t(currentSlot(record))].BUTTON_INFO[size_t(i)];
            if (b.Fun == FunMacro || b.Fun == FunGunFile)
                QCOMPARE(int(b.Res4), x.macroOrder.indexOf(b.macroname));
        }
    }

    static ConfigRecord plainRecord() { return CommandFixture::plainRecord(); }

    void bindMacro(ConfigRecord &record, int slot, int button, const QString &name, quint8 mode = 0)
    {
        ButtonInfo &b = record.profiles[size_t(slot)].BUTTON_INFO[size_t(button)];
        b.Fun = FunMacro;
        b.macroname = name;
        b.Res1 = mode;
        b.LoopNumber = 1;
    }

    int macroReportCount() const
    {
        int n = 0;
        for (quint8 c : m_fx->writtenCommands())
            n += (c >= 0x10 && c <= 0x7B) ? 1 : 0;
        return n;
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<CommandFixture>();
        m_fx->plugSimMouse();
        QRandomGenerator rng(7);
        writeMacroPool(rng);
        KestDeviceContext::link().buttonTable() = ButtonTableBytes{};
    }

    void cleanup()
    {
        setTransactionReaderHooks({});
        m_fx.reset();
    }

    void generatedRecords_mouseHoldsWhatTheRecordSays()
    {
        QRandomGenerator rng(20261208);
        for (int round = 0; round < 80; ++round) {
            // Every slot current in turn, now and then a stored index beyond the last slot;
            // the KX-27 (one lighting for all slots) and a product with lighting per slot.
            const QString product = (round / 8) % 2 ? QStringLiteral("KX-25") : QStringLiteral("KX-27");
            const int sensor = kSensors[rng.bounded(int(std::size(kSensors)))];
            m_fx->setSensor(sensor);
            m_fx->setProduct(product);
            ButtonMatrix matrix = CommandFixture::identityMatrix();
            std::shuffle(matrix.begin(), matrix.begin() + 14, std::mt19937(rng.generate()));
            const bool scrollReversed = rng.bounded(2) == 1;
            m_fx->setButtonLayout(14, matrix, scrollReversed);
            // Mostly within the mouse's twelve macros, now and then beyond.
            const int distinctMacros = round % 6 == 5 ? kMacroPool : int(rng.bounded(1, 9));
            ConfigRecord record = randomRecord(rng, distinctMacros);
            record.ProfileID = quint8(round % 8 == 7 ? 5 + rng.bounded(250) : round % 8 % 5);

            m_fx->sim().setState(KestSimMouseState{});
            QCOMPARE(write(record), 0);
            verifyMouseHolds(record, sensor, matrix, scrollReversed, product);
            if (QTest::currentTestFailed()) {
                qWarning("round %d, sensor %d, slot %d, %s", round, sensor, int(record.ProfileID), qPrintable(product));
                return;
            }
        }
    }

    void transaction_orderAndCounts()
    {
        ConfigRecord record = plainRecord();
        m_fx->sim().resetCounters();
        QCOMPARE(write(record), 0);
        QCOMPARE(m_fx->writtenCommands(), (QVector<quint8>{0x00, 0x01, 0x02, 0x07, 0x08, 0x09, 0x05, 0x06, 0x00}));

        bindMacro(record, 0, 1, macroName(0));
        bindMacro(record, 0, 2, macroName(1));
        m_fx->sim().resetCounters();
        QCOMPARE(write(record), 0);
        QVector<quint8> expected = {0x00, 0x01, 0x02, 0x07, 0x08, 0x09, 0x05, 0x06};
        for (quint8 c = 0x10; c <= 0x21; ++c)
            expected.append(c);
        expected.append(0x00);
        QCOMPARE(m_fx->writtenCommands(), expected);
        QCOMPARE(m_fx->sim().writeCount(), expected.size());
        QCOMPARE(m_fx->sim().writeCount(KestSimDevice::Receiver), 0); // the cable wins
    }

    void failure_stopsAtFirstAndLeavesReaderStopped()
    {
        KestBatteryReader reader;
        reader.bindToTransactions();
        reader.start();
        QVERIFY(reader.isRunning());

        m_fx->plugSimMouse(false, true);
        reader.start();
        m_fx->sim().resetCounters();
        m_fx->sim().unplugAfterWrites(KestSimDevice::Cable, 3);
        QCOMPARE(write(plainRecord()), int(SEND_WRITE_FAILED));
        QCOMPARE(m_fx->writtenCommands(), (QVector<quint8>{0x00, 0x01, 0x02}));
        QVERIFY(m_fx->sim().state().transactionOpen); // no end marker after a break
        QVERIFY(!reader.isRunning());

        m_fx->plugSimMouse();
        m_fx->sim().setWrongEchoes(-1);
        m_fx->sim().resetCounters();
        QCOMPARE(write(plainRecord()), int(SEND_GAVE_UP));
        for (quint8 c : m_fx->writtenCommands())
            QCOMPARE(int(c), 0x00);
        QVERIFY(!reader.isRunning());

        m_fx->sim().clearFaults();
        QCOMPARE(write(plainRecord()), 0);
        QVERIFY(reader.isRunning());
    }

    void silentMouse_writeIsNotConfirmedAndTheNextOneSendsEverything()
    {
        ConfigRecord working = plainRecord();
        working.names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                         QStringLiteral("E")};
        ConfigRecord last;
        QVERIFY(writeDiff(0));
        m_fx->sim().setSilent(true);
        QCOMPARE(int(applyWorkingSet(working, last).status), int(SEND_GAVE_UP));
        QCOMPARE(readDiff(), 1);
        QCOMPARE(m_fx->writtenCommands(), QVector<quint8>(6, 0x00)); // the begin marker, six times

        m_fx->sim().clearFaults();
        m_fx->sim().resetCounters();
        QCOMPARE(int(applyWorkingSet(working, last).status), 0);
        QCOMPARE(readDiff(), 0);
        QCOMPARE(m_fx->writtenCommands(), (QVector<quint8>{0x00, 0x01, 0x02, 0x07, 0x08, 0x09, 0x05, 0x06, 0x00}));
    }

    void noDevice_returnsOneAndWritesNothing()
    {
        m_fx->sim().resetCounters();
        CloseDevices();
        QCOMPARE(write(plainRecord()), int(SEND_NO_DEVICE));
        QCOMPARE(m_fx->sim().writeCount(), 0);
    }

    void sameMacroTwice_numberedOnceUploadedOnce()
    {
        ConfigRecord record = plainRecord();
        bindMacro(record, 0, 0, macroName(3), 1);
        bindMacro(record, 0, 5, macroName(3), 2);
        bindMacro(record, 0, 41, macroName(3));
        // Another slot's macro is not the mouse's business; the same macro there is no reason
        // to stop either.
        bindMacro(record, 1, 0, macroName(4));
        bindMacro(record, 2, 7, macroName(3));
        m_fx->sim().resetCounters();
        QCOMPARE(write(record), 0);
        QCOMPARE(macroReportCount(), 9);
        QCOMPARE(slotBytes(m_fx->sim().state().macros[0]), expectedSlot(m_macroFiles[3]));
        const auto &buttons = m_fx->sim().state().buttons;
        QCOMPARE(int(buttons[0].p1), 0x80);
        QCOMPARE(int(buttons[5].p1), 0x40);
        QCOMPARE(int(buttons[15].p1), 0x00);
    }

    void thirteenAndMoreMacros_firstTwelveUploadedTheRestNamed()
    {
        for (int distinct : {13, 15}) {
            ConfigRecord record = plainRecord();
            record.ProfileID = 1;
            // Buttons 0..13 and the wheel; button 2 shares macro 0, so it keeps its macro.
            for (int i = 0; i < 14 && i < distinct; ++i)
                bindMacro(record, 1, i, macroName(i == 2 ? 0 : i));
            bindMacro(record, 1, 40, macroName(13));
            bindMacro(record, 1, 41, macroName(14));
            m_fx->sim().setState(KestSimMouseState{});
            m_fx->sim().resetCounters();
            QCOMPARE(write(record), 0);
            QCOMPARE(m_fx->sim().state().endMarkers, 1);

            // Numbers go by table position: 0, 1, (0), 3, 4, ..., 13, then the wheel's.
            QStringList numbered;
            for (int i = 0; i < 14 && i < distinct; ++i)
                numbered << macroName(i == 2 ? 0 : i);
            numbered << macroName(13) << macroName(14);
            numbered.removeDuplicates();
            const KestSimMouseState s = m_fx->sim().state();
            for (int k = 0; k < 12; ++k)
                QCOMPARE(slotBytes(s.macros[size_t(k)]), expectedSlot(m_macroFiles[numbered[k].mid(6).toInt()]));
            QCOMPARE(macroReportCount(), 12 * 9);

            QStringList expected = {QStringLiteral("40:macro_13:0"), QStringLiteral("41:macro_14:0")};
            if (distinct > 13)
                expected.prepend(QStringLiteral("13:macro_13:0"));
            QCOMPARE(skippedNames(), expected);
        }

        // Twelve fit and nobody is left out.
        ConfigRecord record = plainRecord();
        for (int i = 0; i < 12; ++i)
            bindMacro(record, 0, i, macroName(i));
        m_fx->sim().resetCounters();
        QCOMPARE(write(record), 0);
        QCOMPARE(macroReportCount(), 12 * 9);
        QVERIFY(m_last.skippedMacros.isEmpty());
    }

    void failedWrite_reportsNoSkippedMacrosOfAnEarlierOne()
    {
        ConfigRecord record = plainRecord();
        for (int i = 0; i < 14; ++i)
            bindMacro(record, 0, i, macroName(i));
        QCOMPARE(write(record), 0);
        QCOMPARE(m_last.skippedMacros.size(), 2);
        m_fx->sim().setWriteErrors(-1);
        QCOMPARE(write(record), int(SEND_WRITE_FAILED));
        QVERIFY(m_last.skippedMacros.isEmpty());
    }

    // A macro that cannot be played is named, its slot is cleared rather than left with an
    // earlier write's macro, and the macros after it still go.
    void missingOrEmptyMacro_isNamedAndTheOthersStillGo()
    {
        const QVector<MacroAction> first = {{MACRO_KEY_DOWN, 0, 4}, {MACRO_KEY_UP, 0, 4}};
        const QVector<MacroAction> last = {{MACRO_KEY_DOWN, 0, 5}, {MACRO_KEY_UP, 0, 5}, {MACRO_DELAY, 9, 0}};
        QVERIFY(saveMacro(QStringLiteral("first"), MacroSettings{}, first));
        QVERIFY(saveMacro(QStringLiteral("empty"), MacroSettings{}, {}));
        QVERIFY(saveMacro(QStringLiteral("last"), MacroSettings{}, last));
        ConfigRecord record = plainRecord();
        bindMacro(record, 0, 0, QStringLiteral("first"));
        bindMacro(record, 0, 1, QStringLiteral("no_such_macro"));
        bindMacro(record, 0, 2, QStringLiteral("empty"));
        bindMacro(record, 0, 3, QStringLiteral("last"));
        bindMacro(record, 0, 4, QStringLiteral("no_such_macro"));
        KestSimMouseState earlier;
        earlier.macros[1].fill(0x11);
        m_fx->sim().setState(earlier);

        QCOMPARE(write(record), 0);
        const KestSimMouseState s = m_fx->sim().state();
        QCOMPARE(slotBytes(s.macros[0]), expectedSlot(first));
        QCOMPARE(slotBytes(s.macros[1]), expectedSlot({}));
        QCOMPARE(slotBytes(s.macros[2]), expectedSlot({}));
        QCOMPARE(slotBytes(s.macros[3]), expectedSlot(last));
        QCOMPARE(s.endMarkers, 1);
        const QStringList expected = {QStringLiteral("1:no_such_macro:%1").arg(int(KestMacroSkip::MissingFile)),
                                      QStringLiteral("2:empty:%1").arg(int(KestMacroSkip::NoSteps)),
                                      QStringLiteral("4:no_such_macro:%1").arg(int(KestMacroSkip::MissingFile))};
        QCOMPARE(skippedNames(), expected);
    }

    // The write takes its macros as given: a file changed or removed after they were read
    // does not reach the mouse.
    void givenMacros_areSentWithoutReadingTheFiles()
    {
        ConfigRecord record = plainRecord();
        bindMacro(record, 0, 0, macroName(5));
        const KestMacroFiles macros = readMacroFiles(record.profiles[0]);
        QVERIFY(QFile::remove(macroFilePath(macroName(5))));
        m_last = writeProfileSet(KestDeviceContext::link(), record, macros);
        QCOMPARE(int(m_last.status), 0);
        QVERIFY(m_last.skippedMacros.isEmpty());
        QCOMPARE(slotBytes(m_fx->sim().state().macros[0]), expectedSlot(m_macroFiles[5]));
    }

    // The set is saved whether or not the mouse takes it, and becomes the last written set
    // either way: "Config/Diff" is what says the mouse may not hold it.
    void applyWorkingSet_savesSendsAndRecordsOutcome()
    {
        ConfigRecord working = plainRecord();
        working.names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                         QStringLiteral("E")};
        working.profiles[0].pollrate = 4;
        ConfigRecord last;
        QVERIFY(writeDiff(1));
        QCOMPARE(int(applyWorkingSet(working, last).status), 0);
        QCOMPARE(readDiff(), 0);
        QVERIFY(last == working);
        QVERIFY(QFile::exists(profileFilePath(QStringLiteral("E"))));
        QCOMPARE(int(m_fx->sim().state().reportRate), 4);

        CloseDevices();
        working.profiles[0].pollrate = 8;
        QCOMPARE(int(applyWorkingSet(working, last).status), int(SEND_NO_DEVICE));
        QCOMPARE(readDiff(), 1);
        QVERIFY(last == working);
        ConfigRecord reloaded;
        QVERIFY(loadAll(reloaded).isUsable());
        QCOMPARE(int(reloaded.profiles[0].pollrate), 8); // saved although the write failed
    }
};

QTEST_GUILESS_MAIN(TransactionTest)
#include "tst_transaction.moc"
