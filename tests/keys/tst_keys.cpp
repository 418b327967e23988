#include <QSet>
#include <QtTest>

#include "buttons/keys/functioncatalogue.h"
#include "buttons/keys/keytable.h"

class KeysTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setActiveKeyNameSet(KeyNameSet::English); }

    void keyName_unlistedCodesAreEmpty()
    {
        for (int code : {0, 84, 85, 86, 89, 90, 94, 223, 243, 255})
            QVERIFY2(keyName(KeyCode(code)).isEmpty(), qPrintable(QString::number(code)));
        int named = 0;
        for (int code = 0; code < 256; ++code)
            named += keyName(KeyCode(code)).isEmpty() ? 0 : 1;
        QCOMPARE(named, 107);
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

    void frenchSet_differsInExactly54Names()
    {
        int differing = 0;
        for (int code = 0; code < 256; ++code) {
            const QString en = keyName(KeyCode(code), KeyNameSet::English);
            const QString fr = keyName(KeyCode(code), KeyNameSet::French);
            QCOMPARE(en.isEmpty(), fr.isEmpty());
            differing += (en != fr) ? 1 : 0;
        }
        QCOMPARE(differing, 54);
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

    void usageTable_everyPairRoundTripsAndIsNamed()
    {
        int pairs = 0;
        for (int code = 0; code < 256; ++code) {
            quint8 usage = 0;
            if (!keyCodeToUsage(KeyCode(code), usage))
                continue;
            ++pairs;
            KeyCode back = 0;
            QVERIFY(usageToKeyCode(usage, back));
            QCOMPARE(int(back), code);
            QVERIFY2(!keyName(KeyCode(code)).isEmpty(), qPrintable(QString::number(code)));
        }
        QCOMPARE(pairs, 104);
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

QTEST_GUILESS_MAIN(KeysTest)
#include "tst_keys.moc"
