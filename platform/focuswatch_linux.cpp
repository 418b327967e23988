// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QFileInfo>

#include "platform/focuswatch.h"
#include "platform/logging.h"

namespace platform {

QString executableOfProcess(qint64 pid)
{
    if (pid <= 0)
        return QString();
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    QString target = QFileInfo(proc + QStringLiteral("exe")).symLinkTarget();
    // A program updated while it runs points at a file marked as deleted.
    if (target.endsWith(QLatin1String(" (deleted)")))
        target.chop(int(qstrlen(" (deleted)")));
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    QFile comm(proc + QStringLiteral("comm"));
    if (comm.open(QIODevice::ReadOnly))
        return QString::fromLocal8Bit(comm.readAll()).trimmed();
    return QString();
}

FocusWatch *createFocusWatch(QObject *parent)
{
    const QByteArray session = qgetenv("XDG_SESSION_TYPE");
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    // On Plasma's Wayland session only KWin knows every window; elsewhere on Wayland the
    // compositor's XWayland still publishes the X11 programs, which covers most games.
    if (session == "wayland" && desktop.toUpper().split(':').contains("KDE")) {
        FocusWatch *kwin = createKWinFocusWatch(parent);
        if (kwin->isActive())
            return kwin;
        delete kwin;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qCInfo(lcDesktop, "Focus: no X display and no KWin: per-program profiles cannot see the focus");
        return nullptr;
    }
    if (session == "wayland")
        qCInfo(lcDesktop, "Focus: Wayland session: only programs running through XWayland are seen");
    return createX11FocusWatch(parent);
}

} // namespace platform
