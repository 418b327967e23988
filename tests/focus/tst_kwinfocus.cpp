// SPDX-License-Identifier: GPL-2.0-or-later
// Plasma on Wayland: the focus watch loads its script into a fake KWin on a private session
// bus and takes the reports the script would send.

#include <memory>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "platform/focuswatch.h"
#include "tests/desktop/privatebus.h"

class FakeKWinScripting : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")

public:
    QString scriptPath;
    QString scriptText;
    QString plugin;
    QStringList unloaded;
    int starts = 0;

public slots:
    int loadScript(const QString &path, const QString &pluginName)
    {
        scriptPath = path;
        plugin = pluginName;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            scriptText = QString::fromUtf8(file.readAll());
        return 7;
    }
    void start() { ++starts; }
    bool unloadScript(const QString &pluginName)
    {
        unloaded << pluginName;
        return true;
    }
};

class TestKWinFocus : public QObject
{
    Q_OBJECT

private slots:
    void scriptReportsTheActiveWindow()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        {
            // No KWin on the bus: the watch says so instead of waiting for reports.
            std::unique_ptr<platform::FocusWatch> none(platform::createKWinFocusWatch(nullptr));
            QVERIFY(!none->isActive());
        }
        QDBusConnection kwin = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("kwin"));
        FakeKWinScripting scripting;
        QVERIFY(kwin.registerObject(QStringLiteral("/Scripting"), &scripting, QDBusConnection::ExportAllSlots));
        QVERIFY(kwin.registerService(QStringLiteral("org.kde.KWin")));

        std::unique_ptr<platform::FocusWatch> watch(platform::createKWinFocusWatch(nullptr));
        QVERIFY(watch->isActive());
        QTRY_COMPARE(scripting.starts, 1);
        QCOMPARE(scripting.plugin, QStringLiteral("mousecfg-focus"));
        // The script calls this very connection back, on Plasma 5 and 6 alike.
        QVERIFY(scripting.scriptText.contains(QDBusConnection::sessionBus().baseService()));
        QVERIFY(scripting.scriptText.contains(QStringLiteral("workspace.windowActivated")));
        QVERIFY(scripting.scriptText.contains(QStringLiteral("workspace.clientActivated")));

        // What the script sends when a game comes to the front.
        QSignalSpy changes(watch.get(), &platform::FocusWatch::focusChanged);
        QDBusMessage report = QDBusMessage::createMethodCall(
            QDBusConnection::sessionBus().baseService(), QStringLiteral("/org/mousecfg/FocusWatch"),
            QStringLiteral("org.mousecfg.FocusWatch1"), QStringLiteral("ActiveWindow"));
        report << QStringLiteral("steam_app_42") << QStringLiteral("Game.x86_64")
               << QString::number(QCoreApplication::applicationPid());
        kwin.asyncCall(report);
        QTRY_COMPARE(changes.count(), 1);
        const platform::FocusWindow window = watch->current();
        QCOMPARE(window.className, QStringLiteral("steam_app_42"));
        QCOMPARE(window.instance, QStringLiteral("Game.x86_64"));
        QCOMPARE(window.pid, QCoreApplication::applicationPid());
        QCOMPARE(window.executable, QStringLiteral("tst_kwinfocus"));
        QCOMPARE(watch->openWindows().size(), 1);

        // The desktop itself (no window): an empty report.
        QDBusMessage nothing = QDBusMessage::createMethodCall(
            QDBusConnection::sessionBus().baseService(), QStringLiteral("/org/mousecfg/FocusWatch"),
            QStringLiteral("org.mousecfg.FocusWatch1"), QStringLiteral("ActiveWindow"));
        nothing << QString() << QString() << QStringLiteral("0");
        kwin.asyncCall(nothing);
        QTRY_COMPARE(changes.count(), 2);
        QCOMPARE(quint64(watch->current().id), quint64(0));

        const QString scriptFile = scripting.scriptPath;
        QVERIFY(QFile::exists(scriptFile));
        watch.reset();
        QTRY_VERIFY(scripting.unloaded.size() >= 2); // the stale one at start, ours at the end
        QVERIFY(!QFile::exists(scriptFile));
        kwin.unregisterService(QStringLiteral("org.kde.KWin"));
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestKWinFocus)
#include "tst_kwinfocus.moc"
