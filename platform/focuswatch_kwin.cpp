// SPDX-License-Identifier: GPL-2.0-or-later
// KDE Plasma on Wayland: no client can ask the compositor which window is in front, but
// KWin runs scripts. A small one, loaded through KWin's scripting interface, reports every
// window activation back to this connection over the session bus.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>

#include "platform/focuswatch.h"
#include "platform/logging.h"
#include "platform/runtimefolder.h"

namespace platform {

namespace {

const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString kPluginName = QStringLiteral("mousecfg-focus");
const QString kWatchPath = QStringLiteral("/org/mousecfg/FocusWatch");
const QString kWatchInterface = QStringLiteral("org.mousecfg.FocusWatch1");

// Plasma 6 names the window signals windowActivated/activeWindow, Plasma 5
// clientActivated/activeClient. The process id travels as text: script numbers arrive
// as doubles, which no integer argument accepts.
QString scriptText(const QString &service)
{
    return QStringLiteral(
               "(function () {\n"
               "    function report(w) {\n"
               "        callDBus('%1', '%2', '%3', 'ActiveWindow',\n"
               "                 w ? String(w.resourceClass || '') : '',\n"
               "                 w ? String(w.resourceName || '') : '',\n"
               "                 w ? String(w.pid || 0) : '0');\n"
               "    }\n"
               "    if (workspace.windowActivated)\n"
               "        workspace.windowActivated.connect(report);\n"
               "    else\n"
               "        workspace.clientActivated.connect(report);\n"
               "    report(workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient);\n"
               "})();\n")
        .arg(service, kWatchPath, kWatchInterface);
}

QDBusMessage scripting(const QString &method, const QVariantList &args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kKWinService, kScriptingPath, kScriptingInterface, method);
    message.setArguments(args);
    return message;
}

class KWinFocusWatch final : public FocusWatch
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mousecfg.FocusWatch1")

public:
    explicit KWinFocusWatch(QObject *parent)
        : FocusWatch(parent)
        , m_bus(QDBusConnection::sessionBus())
    {
        if (!m_bus.isConnected() || !m_bus.interface()
            || !m_bus.interface()->isServiceRegistered(kKWinService).value())
            return;
        if (!m_bus.registerObject(kWatchPath, this, QDBusConnection::ExportScriptableSlots)) {
            qCInfo(lcDesktop, "Focus: %s is taken on the session bus", qPrintable(kWatchPath));
            return;
        }
        m_registered = true;
        // KWin runs whatever script lies under this name: it must be where only we can write.
        const QString folder = privateRuntimeFolder();
        if (folder.isEmpty()) {
            qCWarning(lcDesktop, "Focus: no private runtime folder for the KWin script");
            return;
        }
        m_scriptPath = folder + QStringLiteral("/mousecfg-focus-%1.js").arg(QCoreApplication::applicationPid());
        QFile script(m_scriptPath);
        if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || script.write(scriptText(m_bus.baseService()).toUtf8()) < 0) {
            qCWarning(lcDesktop, "Focus: cannot write the KWin script %s", qPrintable(m_scriptPath));
            return;
        }
        script.close();
        m_active = true;
        // A copy that ended without unloading left its script behind: replace it. Every
        // call is asynchronous, so a slow KWin never holds the window up.
        m_bus.asyncCall(scripting(QStringLiteral("unloadScript"), {kPluginName}));
        auto *loading = new QDBusPendingCallWatcher(
            m_bus.asyncCall(scripting(QStringLiteral("loadScript"), {m_scriptPath, kPluginName})), this);
        connect(loading, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            const QDBusPendingReply<int> reply = *call;
            if (reply.isError() || reply.value() < 0) {
                qCWarning(lcDesktop, "Focus: KWin did not load the focus script: %s",
                          qPrintable(reply.isError() ? reply.error().message() : QStringLiteral("refused")));
                m_active = false;
                return;
            }
            m_bus.asyncCall(scripting(QStringLiteral("start"), {}));
        });
    }

    ~KWinFocusWatch() override
    {
        if (m_active)
            m_bus.call(scripting(QStringLiteral("unloadScript"), {kPluginName}), QDBus::NoBlock);
        if (m_registered)
            m_bus.unregisterObject(kWatchPath);
        if (!m_scriptPath.isEmpty())
            QFile::remove(m_scriptPath);
    }

    bool isActive() const override { return m_active; }
    FocusWindow current() const override { return m_current; }
    QVector<FocusWindow> openWindows() const override { return m_seen; }

public slots:
    Q_SCRIPTABLE void ActiveWindow(const QString &resourceClass, const QString &resourceName, const QString &pid)
    {
        FocusWindow window;
        window.className = resourceClass;
        window.instance = resourceName;
        window.pid = pid.toLongLong();
        if (window.pid > 0)
            window.executable = executableOfProcess(window.pid);
        window.id = (window.className.isEmpty() && window.instance.isEmpty()) ? 0 : quint64(qMax<qint64>(window.pid, 1));
        if (window.id) {
            // KWin cannot be asked for the list of windows; the dialog offers those seen.
            bool known = false;
            for (const FocusWindow &seen : qAsConst(m_seen))
                known = known || (seen.className == window.className && seen.instance == window.instance);
            if (!known)
                m_seen << window;
        }
        if (window == m_current)
            return;
        m_current = window;
        emit focusChanged(m_current);
    }

private:
    QDBusConnection m_bus;
    QString m_scriptPath;
    FocusWindow m_current;
    QVector<FocusWindow> m_seen;
    bool m_registered = false;
    bool m_active = false;
};

} // namespace

FocusWatch *createKWinFocusWatch(QObject *parent)
{
    return new KWinFocusWatch(parent);
}

} // namespace platform

#include "focuswatch_kwin.moc"
