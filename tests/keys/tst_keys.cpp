// SPDX-License-Identifier: GPL-2.0-or-later
#include <QSet>
#include <QWindow>
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"
#include "platform/keycapture.h"

namespace {

// Every key of a US 104-key keyboard: its Linux evdev code (the X keycode minus 8; for
// 1..88 the PC set-1 make code itself), its HID keyboard usage from the USB HID usage
// tables (page 7), and the name the key dialogs show.
struct DocumentedKey
{
    quint32 evdev;
    quint8 usage;
    const char *name;
};

constexpr DocumentedKey kKeyboard[] = {
    // Main block, set 1 = evdev.
    {1, 0x29, "Esc"}, {2, 0x1E, "1"}, {3, 0x1F, "2"}, {4, 0x20, "3"}, {5, 0x21, "4"}, {6, 0x22, "5"},
    {7, 0x23, "6"}, {8, 0x24, "7"}, {9, 0x25, "8"}, {10, 0x26, "9"}, {11, 0x27, "0"}, {12, 0x2D, "-"},
    {13, 0x2E, "="}, {14, 0x2A, "Backspace"}, {15, 0x2B, "Tab"}, {16, 0x14, "Q"}, {17, 0x1A, "W"},
    {18, 0x08, "E"}, {19, 0x15, "R"}, {20, 0x17, "T"}, {21, 0x1C, "Y"}, {22, 0x18, "U"}, {23, 0x0C, "I"},
    {24, 0x12, "O"}, {25, 0x13, "P"}, {26, 0x2F, "["}, {27, 0x30, "]"}, {28, 0x28, "Enter"},
    {29, 0xE0, "LCtrl"}, {30, 0x04, "A"}, {31, 0x16, "S"}, {32, 0x07, "D"}, {33, 0x09, "F"},
    {34, 0x0A, "G"}, {35, 0x0B, "H"}, {36, 0x0D, "J"}, {37, 0x0E, "K"}, {38, 0x0F, "L"}, {39, 0x33, ";"},
    {40, 0x34, "'"}, {41, 0x35, "`"}, {42, 0xE1, "LShift"}, {43, 0x31, "\\"}, {44, 0x1D, "Z"},
    {45, 0x1B, "X"}, {46, 0x06, "C"}, {47, 0x19, "V"}, {48, 0x05, "B"}, {49, 0x11, "N"}, {50, 0x10, "M"},
    {51, 0x36, ","}, {52, 0x37, "."}, {53, 0x38, "/"}, {54, 0xE5, "RShift"}, {55, 0x55, "Num *"},
    {56, 0xE2, "LAlt"}, {57, 0x2C, "Space"}, {58, 0x39, "CapsLock"}, {59, 0x3A, "F1"}, {60, 0x3B, "F2"},
    {61, 0x3C, "F3"}, {62, 0x3D, "F4"}, {63, 0x3E, "F5"}, {64, 0x3F, "F6"}, {65, 0x40, "F7"},
    {66, 0x41, "F8"}, {67, 0x42, "F9"}, {68, 0x43, "F10"}, {69, 0x53, "Num Lock"}, {70, 0x47, "Scroll Lock"},
    {87, 0x44, "F11"}, {88, 0x45, "F12"},
    // The keypad without its E0 prefix (set 1 = evdev).
    {71, 0x5F, "Num 7"}, {72, 0x60, "Num 8"}, {73, 0x61, "Num 9"}, {74, 0x56, "Num -"}, {75, 0x5C, "Num 4"},
    {76, 0x5D, "Num 5"}, {77, 0x5E, "Num 6"}, {78, 0x57, "Num +"}, {79, 0x59, "Num 1"}, {80, 0x5A, "Num 2"},
    {81, 0x5B, "Num 3"}, {82, 0x62, "Num 0"}, {83, 0x63, "Num De"},
    // Keys above 88, with their set-1 codes.
    {96, 0x58, "Num Enter"},    // E0 1C
    {97, 0xE4, "RCtrl"},         // E0 1D
    {98, 0x54, "Num /"},        // E0 35
    {99, 0x46, "Print Screen"}, // E0 37
    {100, 0xE6, "RAlt"},        // E0 38
    {102, 0x4A, "Home"},        // E0 47
    {103, 0x52, "Up"},          // E0 48
    {104, 0x4B, "Page Up"},     // E0 49
    {105, 0x50, "Left"},        // E0 4B
    {106, 0x4F, "Right"},       // E0 4D
    {107, 0x4D, "End"},         // E0 4F
    {108, 0x51, "Down"},        // E0 50
    {109, 0x4E, "Page Down"},   // E0 51
    {110, 0x49, "Insert"},      // E0 52
    {111, 0x4C, "Delete"},      // E0 53
    {119, 0x48, "Pause Break"}, // E1 1D 45
    {125, 0xE3, "LWindows"},    // E0 5B
    {126, 0xE7, "RWindows"},    // E0 5C
    {127, 0x65, "App"},         // E0 5D
};

// The key code a press of the key with this evdev code gets, the way the key dialogs
// take it: through the capture, then the hook translation. 0 when it was not seen.
KeyCode capturedKeyCode(QWindow &window, quint32 evdev)
{
    platform::KeyHookEvent pressed;
    bool seen = false;
    platform::KeyCapture capture([&](const platform::KeyHookEvent &event) {
        if (!event.isRelease()) {
            pressed = event;
            seen = true;
        }
        return true;
    });
    capture.install();
    // Released again at once, as a typist would: a held Alt marks the keys after it.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, 0, Qt::NoModifier, evdev + 8, 0, 0);
        QCoreApplication::sendEvent(&window, &event);
    }
    return seen ? KeyCode(translateHookKey(pressed.scanCode, pressed.flags)) : KeyCode(0);
}

} // namespace

class KeysTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setActiveKeyNameSet(KeyNameSet::English); }

    void everyKey_capturedNamedAndSentAsItsUsage()
    {
        QWindow window;
        QSet<int> named;
        QSet<int> usages;
        for (const DocumentedKey &key : kKeyboard) {
            const QString what = QStringLiteral("evdev %1").arg(key.evdev);
            const KeyCode code = capturedKeyCode(window, key.evdev);
            QVERIFY2(code != 0, qPrintable(what));
            QVERIFY2(keyName(code) == QString::fromUtf8(key.name),
                     qPrintable(what + QStringLiteral(": ") + keyName(code)));
            quint8 usage = 0;
            QVERIFY2(keyCodeToUsage(code, usage), qPrintable(what));
            QVERIFY2(usage == key.usage, qPrintable(what + QStringLiteral(": usage %1").arg(usage)));
            KeyCode back = 0;
            QVERIFY2(usageToKeyCode(key.usage, back) && back == code, qPrintable(what));
            named.insert(code);
            usages.insert(key.usage);
        }
        QCOMPARE(usages.size(), int(std::size(kKeyboard)));
        // Nothing else has a name but the mouse buttons, and they have no usage.
        named += {Key::LeftButton, Key::RightButton, Key::MiddleButton};
        for (int code = 0; code < 256; ++code)
            QVERIFY2(keyName(KeyCode(code)).isEmpty() != named.contains(code), qPrintable(QString::number(code)));
        for (int usage = 0; usage < 256; ++usage) {
            KeyCode code = 0;
            QCOMPARE(usageToKeyCode(quint8(usage), code), usages.contains(usage));
        }
    }

    void keyName_englishSpotChecks()
    {
        QCOMPARE(keyName(1), QStringLiteral("Esc"));
        QCOMPARE(keyName(16), QStringLiteral("Q"));
        QCOMPARE(keyName(43), QStringLiteral("\\"));
        QCOMPARE(keyName(224), QStringLiteral("Num De"));
        QCOMPARE(keyName(Key::MiddleButton), QStringLiteral("Middle Button"));
    }

    void keyNameSet_frenchOnlyWhenItNamesTheCurrentLanguage()
    {
        QCOMPARE(keyNameSetFor(-1, -1), KeyNameSet::English);
        QCOMPARE(keyNameSetFor(-1, 3), KeyNameSet::English);
        QCOMPARE(keyNameSetFor(2, 3), KeyNameSet::English);
        QCOMPARE(keyNameSetFor(3, 3), KeyNameSet::French);

        setActiveKeyNameSet(keyNameSetFor(3, 3));
        QCOMPARE(keyName(16), QStringLiteral("a"));
        QCOMPARE(keyName(224), QStringLiteral("Num Del"));
        QCOMPARE(keyName(3), QString::fromUtf8("\xc3\xa9"));
        QCOMPARE(keyName(4), QStringLiteral("\""));
        QCOMPARE(keyName(41), QString::fromUtf8("\xc2\xb2"));
        // Codes the AZERTY set does not rename keep their English names.
        QCOMPARE(keyName(59), QStringLiteral("F1"));
        QCOMPARE(keyName(42), QStringLiteral("LShift"));
        QVERIFY(keyName(84).isEmpty());
    }

    void frenchSet_namesTheAzertyLegends()
    {
        // The legends of a French AZERTY keyboard, row by row, on the keys with set-1 codes
        // 2..13, 16..27, 30..41 and 43..53.
        const struct
        {
            int first;
            QStringList legends;
        } rows[] = {
            {2, QString::fromUtf8("& \xc3\xa9 \" ' ( - \xc3\xa8 _ \xc3\xa7 \xc3\xa0 ) =").split(' ')},
            {16, QStringLiteral("a z e r t y u i o p ^ $").split(' ')},
            {30, QString::fromUtf8("q s d f g h j k l m \xc3\xb9 \xc2\xb2").split(' ')},
            {43, QStringLiteral("* w x c v b n , ; : !").split(' ')},
        };
        for (const auto &row : rows) {
            for (int i = 0; i < row.legends.size(); ++i)
                QCOMPARE(keyName(KeyCode(row.first + i), KeyNameSet::French), row.legends[i]);
        }
        // Keys without a letter on them keep the English name where French has none.
        QCOMPARE(keyName(1, KeyNameSet::French), QStringLiteral("Echap"));
        QCOMPARE(keyName(87, KeyNameSet::French), QStringLiteral("F11"));
        for (int code = 0; code < 256; ++code)
            QCOMPARE(keyName(KeyCode(code), KeyNameSet::French).isEmpty(), keyName(KeyCode(code)).isEmpty());
    }

    void usageTable_convertsBothWaysAndFailsUntouched()
    {
        quint8 usage = 0;
        QVERIFY(keyCodeToUsage(76, usage));
        QCOMPARE(usage, quint8(93));

        KeyCode code = 77;
        QVERIFY(!usageToKeyCode(50, code)); // usage 50 is not in the table
        QCOMPARE(code, KeyCode(77));

        usage = 9;
        for (KeyCode button : {Key::LeftButton, Key::RightButton, Key::MiddleButton}) {
            QVERIFY(!keyCodeToUsage(button, usage));
            QCOMPARE(usage, quint8(9));
        }

        QVERIFY(usageToKeyCode(224, code));
        QCOMPARE(code, Key::LeftCtrl);
        QVERIFY(usageToKeyCode(228, code));
        QCOMPARE(code, Key::RightCtrl);
    }

    void translateHookKey_cursorBlockVersusKeypad()
    {
        QCOMPARE(translateHookKey(72, HookFlag::Extended), 72u);              // Up
        QCOMPARE(translateHookKey(72, 0), 236u);                              // Num 8
        QCOMPARE(translateHookKey(72, HookFlag::KeyUp), 236u);
        QCOMPARE(translateHookKey(83, 0), 224u);                              // Num Del
        QCOMPARE(translateHookKey(83, HookFlag::Extended | HookFlag::KeyUp), 83u);
        for (quint32 keepsCode : {74u, 76u, 78u})
            QCOMPARE(translateHookKey(keepsCode, 0), keepsCode);
        QCOMPARE(translateHookKey(30, 0), 30u);
    }

    void translateHookKey_extendedKeysGetTheirOwnCodes()
    {
        QCOMPARE(translateHookKey(28, HookFlag::Extended), 229u); // keypad Enter
        QCOMPARE(translateHookKey(28, 0), 28u);
        QCOMPARE(translateHookKey(29, HookFlag::Extended | HookFlag::KeyUp), 238u);
        QCOMPARE(translateHookKey(53, HookFlag::Extended), 226u);
        QCOMPARE(translateHookKey(69, HookFlag::Extended), 225u); // Num Lock
        QCOMPARE(translateHookKey(69, 0), 69u);                   // Pause Break
        QCOMPARE(translateHookKey(56, HookFlag::Extended | HookFlag::AltDown), 239u);
        QCOMPARE(translateHookKey(56, HookFlag::AltDown), 56u);
        QCOMPARE(translateHookKey(55, 0), 227u);                  // keypad *
        QCOMPARE(translateHookKey(55, HookFlag::Extended), 55u);  // Print Screen
        // Only exactly "extended" or "extended + up" counts as the extended form.
        QCOMPARE(translateHookKey(29, HookFlag::Extended | HookFlag::AltDown), 29u);
    }

    void catalogue_codesUniqueAndTexted()
    {
        QSet<qint32> codes;
        for (const FunctionEntry &entry : functionCatalogue()) {
            QVERIFY(!codes.contains(entry.code));
            codes.insert(entry.code);
            const bool named = entry.code == FunMacro || entry.code == FunGunFile;
            QCOMPARE(functionText(entry.code).isEmpty(), named);
        }
        QCOMPARE(codes.size(), 55);
        for (qint32 unused : {0, 8, 11, 13, 15, 56, 60, 61, 64, 201})
            QVERIFY(!findFunction(unused));
    }

    void catalogue_groupsAndOfferedFlags()
    {
        QCOMPARE(functionText(FunSelectAll), QStringLiteral("All"));
        QVERIFY(findFunction(FunVolumeUp)->groups.testFlag(FunctionGroup::Media));
        QVERIFY(findFunction(FunVolumeUp)->groups.testFlag(FunctionGroup::Wheel));
        QVERIFY(!findFunction(FunMute)->groups.testFlag(FunctionGroup::Wheel));
        QVERIFY(!findFunction(FunSniper)->offered);
        QVERIFY(!findFunction(FunProfileSwitch)->offered);
        QVERIFY(findFunction(FunBossKey)->offered);

        QVector<qint32> wheel;
        for (const FunctionEntry &entry : functionsInGroup(FunctionGroup::Wheel))
            wheel.append(entry.code);
        QCOMPARE(wheel, (QVector<qint32>{1, 2, 3, 4, 5, 6, 7, 43, 44, 52, 53}));
        QCOMPARE(functionGroupTitle(FunctionGroup::PollingRate), QStringLiteral("Polling Rate"));
        QVERIFY(functionGroupTitle(FunctionGroup::TopLevel).isEmpty());
    }

    void functionLabel_macroNameAndWheelOnlyScroll()
    {
        QCOMPARE(functionLabel(FunMacro, QStringLiteral("name_3"), false), QStringLiteral("name_3"));
        QCOMPARE(functionLabel(FunGunFile, QStringLiteral("ak"), false), QStringLiteral("ak"));
        QCOMPARE(functionLabel(FunScrollUp, QString(), true), QStringLiteral("Scroll Up"));
        QVERIFY(functionLabel(FunScrollDown, QString(), false).isEmpty());
        QVERIFY(functionLabel(13, QString(), false).isEmpty());
        QCOMPARE(functionLabel(FunDpiUp, QStringLiteral("ignored"), false), QStringLiteral("DPI +"));
    }
};

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
