// SPDX-License-Identifier: GPL-2.0-or-later
// Smoke test under a Wayland compositor (weston, headless, software rendering): the
// utility starts with Qt's Wayland plugin, answers on its bus and quits; the display
// program, which has no way to put a window over others there, hands its text to the
// desktop's notifications. Skipped where weston or the plugin is not installed.

#include <functional>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "fakenotifications.h"
#include "platform/osdchannel.h"
#include "privatebus.h"

namespace {

const QString kSocket = QStringLiteral("mousecfg-smoke");
const QString kService = QStringLiteral("org.mousecfg.Mousecfg");

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

// How many display programs of the application folder app are running (not just exited).
int displaysRunning(const QString &app)
{
    const QString program = QFileInfo(app + QStringLiteral("/OSD")).canonicalFilePath();
    int count = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : entries) {
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == program)
            ++count;
    }
    return count;
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_runtime;
    QString m_app;
    QProcess m_weston;

    QProcessEnvironment waylandOnly() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("MOUSECFG_SIMULATE"), QStringLiteral("receiver"));
        return env;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
            QSKIP("weston is not installed");
        if (!QFile::exists(QLibraryInfo::location(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/platforms/libqwayland-generic.so")))
            QSKIP("Qt's Wayland plugin (qtwayland5) is not installed");
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        const QString built = QStringLiteral(MOUSECFG_APPDIR);
        if (!QFile::exists(built + QStringLiteral("/mousecfg")) || !QFile::exists(built + QStringLiteral("/OSD")))
            QSKIP("the application folder is not complete");
        QVERIFY(m_root.isValid());
        // A copy of the application folder, so its settings stay in the test's folder.
        m_app = m_root.filePath(QStringLiteral("app"));
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), built, m_app}), 0);
        QFile::remove(m_app + QStringLiteral("/Configs/Config.ini.lock"));
        m_runtime = m_root.filePath(QStringLiteral("runtime"));
        QDir().mkpath(m_runtime);
        QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));

        m_weston.setProcessEnvironment(waylandOnly());
        m_weston.setProcessChannelMode(QProcess::MergedChannels);
        m_weston.start(QStringLiteral("weston"),
                       {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                        QStringLiteral("--socket=") + kSocket, QStringLiteral("--width=1280"),
                        QStringLiteral("--height=800"), QStringLiteral("--idle-time=0")});
        const QString socket = m_runtime + QLatin1Char('/') + kSocket;
        if (!m_weston.waitForStarted(5000) || !waitFor([&] { return QFile::exists(socket); }, 10000)) {
            qWarning("%s", m_weston.readAll().constData());
            QSKIP("weston did not start here");
        }
    }

    void cleanupTestCase()
    {
        if (m_weston.state() != QProcess::NotRunning) {
            m_weston.terminate();
            if (!m_weston.waitForFinished(3000))
                m_weston.kill();
            m_weston.waitForFinished(3000);
        }
    }

    void utility_startsAnswersAndQuits()
    {
        QProcess utility;
        utility.setProcessEnvironment(waylandOnly());
        utility.setProcessChannelMode(QProcess::MergedChannels);
        utility.start(m_app + QStringLiteral("/mousecfg"), QStringList());
        QVERIFY(utility.waitForStarted(5000));
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        const bool up = waitFor([&] { return bus->isServiceRegistered(kService).value(); }, 15000);
        QVERIFY2(up, utility.readAll().constData());

        QDBusMessage get = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/mousecfg/Mousecfg"),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << QStringLiteral("org.mousecfg.Mousecfg1") << QStringLiteral("Connection");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 5000);
        QCOMPARE(reply.arguments().value(0).value<QDBusVariant>().variant().toString(), QStringLiteral("receiver"));

        for (const char *method : {"Show", "Quit"}) {
            const QDBusMessage call = QDBusMessage::createMethodCall(
                kService, QStringLiteral("/org/mousecfg/Mousecfg"), QStringLiteral("org.mousecfg.Mousecfg1"),
                QLatin1String(method));
            QCOMPARE(QDBusConnection::sessionBus().call(call, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        }
        const bool ended = waitFor([&] { return utility.state() == QProcess::NotRunning; }, 10000);
        if (!ended)
            utility.kill();
        const QByteArray output = utility.readAll();
        QVERIFY2(ended, output.constData());
        QCOMPARE(utility.exitStatus(), QProcess::NormalExit);
        QVERIFY2(utility.exitCode() == 0, output.constData());
        QVERIFY2(!output.contains("Failed to create wl_display"), output.constData());
    }

    void display_fallsBackToANotification()
    {
        // The utility of the case before may have started a display, which ends with it but
        // a moment later: until then it holds the channel, the display started here leaves at
        // once, and the text goes to one on its way out.
        QVERIFY2(waitFor([&] { return displaysRunning(m_app) == 0; }, 10000), "a display outlived its utility");
        FakeNotifications service;
        QVERIFY(service.start());
        QProcess display;
        display.setProcessEnvironment(waylandOnly());
        display.setProcessChannelMode(QProcess::MergedChannels);
        display.start(m_app + QStringLiteral("/OSD"), QStringList());
        QVERIFY(display.waitForStarted(5000));
        QVERIFY2(waitFor([] { return osd::displayRunning(); }, 10000), display.readAll().constData());
        osd::OsdMessage message;
        message.text = QStringLiteral("DPI 3:1600");
        // The display answers once it has the text; the event loop must run meanwhile
        // for the fake service to take the notification.
        QVERIFY(osd::sendBlock(osd::encodeBlock(message), 3000));
        QVERIFY(waitFor([&] { return service.summaries.contains(QStringLiteral("DPI 3:1600")); }, 5000));
        display.kill();
        display.waitForFinished(3000);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestWayland)
#include "tst_wayland.moc"
