// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "platform/windowsystem.h"

class TestWindowSystem : public QObject
{
    Q_OBJECT

private slots:
    void x11_isPreferredOnlyWhenNothingWasChosen_data()
    {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<bool>("argument");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plasma wayland with xwayland") << QByteArray() << QByteArray(":0") << false << QByteArray("xcb");
        QTest::newRow("wayland only") << QByteArray() << QByteArray() << false << QByteArray();
        QTest::newRow("user chose wayland") << QByteArray("wayland") << QByteArray(":0") << false << QByteArray();
        QTest::newRow("tests choose offscreen") << QByteArray("offscreen") << QByteArray(":1") << false
                                                << QByteArray();
        QTest::newRow("-platform given") << QByteArray() << QByteArray(":0") << true << QByteArray();
    }

    void x11_isPreferredOnlyWhenNothingWasChosen()
    {
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, display);
        QFETCH(bool, argument);
        QFETCH(QByteArray, expected);
        QCOMPARE(platform::preferredQpaPlatform(chosen, display, argument), expected);
    }

    void preferX11Platform_readsTheCommandLine()
    {
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", ":5");
        char program[] = "mousecfg";
        char option[] = "-platform";
        char value[] = "wayland";
        char *withOption[] = {program, option, value, nullptr};
        platform::preferX11Platform(3, withOption);
        QVERIFY(qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"));
        char *plain[] = {program, nullptr};
        platform::preferX11Platform(1, plain);
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
    }
};

QTEST_APPLESS_MAIN(TestWindowSystem)
#include "tst_windowsystem.moc"
