// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The desktop tests talk to a session bus of their own, never to the developer's: main()
// re-runs the test under dbus-run-session. Where no private bus can be started the test
// runs without any bus and its bus cases skip.

#include <unistd.h>

#include <QByteArray>
#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QVector>

inline constexpr const char kPrivateBusMark[] = "MOUSECFG_PRIVATE_BUS";

// Replaces the process by itself under dbus-run-session, once; returns when that is not
// possible, with the session bus address pointing nowhere.
inline void reexecOnPrivateBus(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kPrivateBusMark))
        return;
    qputenv(kPrivateBusMark, "1");
    const QString runner = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    // A runner that cannot start its daemon (no dbus-daemon, no config) fails here, not
    // in the middle of the test.
    if (!runner.isEmpty()
        && QProcess::execute(runner, {QStringLiteral("--"), QStringLiteral("true")}) == 0) {
        const QByteArray program = runner.toLocal8Bit();
        QVector<char *> args;
        args << const_cast<char *>("dbus-run-session") << const_cast<char *>("--");
        for (int i = 0; i < argc; ++i)
            args << argv[i];
        args << nullptr;
        ::execv(program.constData(), args.data());
    }
    // An address nobody listens on: no autolaunch, no stray daemon.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mousecfg-no-bus");
}

inline bool haveSessionBus()
{
    return QDBusConnection::sessionBus().isConnected();
}

#define MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestObject)                                      \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        reexecOnPrivateBus(argc, argv);                                                    \
        QApplication app(argc, argv);                                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject test;                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&test, argc, argv);                                            \
    }
