// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Follows the window that has the focus, for per-program profiles. One implementation per
// kind of session: X11 (also XWayland programs under any Wayland compositor) and KDE
// Plasma on Wayland through a small KWin script. Each reports changes as they happen;
// none polls.

#include <QObject>
#include <QString>
#include <QVector>

namespace platform {

struct FocusWindow
{
    QString instance;   // WM_CLASS instance (KWin: resourceName)
    QString className;  // WM_CLASS class (KWin: resourceClass)
    QString executable; // file name of /proc/PID/exe (or the process name), when known
    qint64 pid = 0;     // 0 when the window does not say
    quint64 id = 0;     // the window system's id; 0 for "no window"

    bool operator==(const FocusWindow &o) const
    {
        return id == o.id && pid == o.pid && instance == o.instance && className == o.className
               && executable == o.executable;
    }
    bool operator!=(const FocusWindow &o) const { return !(*this == o); }
};

class FocusWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // False when the session could not be reached (no display, no KWin).
    virtual bool isActive() const = 0;
    virtual FocusWindow current() const = 0;
    // The programs with a window open now, for picking one in the rules dialog.
    virtual QVector<FocusWindow> openWindows() const = 0;

signals:
    // Another window has the focus (or none: an empty FocusWindow).
    void focusChanged(const platform::FocusWindow &window);
};

// The executable's file name of a process: /proc/PID/exe, or its name in /proc/PID/comm
// where the link cannot be read (another user's process).
QString executableOfProcess(qint64 pid);

// Each watch belongs to parent (which may be null).
// X11 on $DISPLAY (or the given display name); inactive without one.
FocusWatch *createX11FocusWatch(QObject *parent, const QByteArray &displayName = QByteArray());
// KWin on the session bus: loads its script and takes its reports; inactive when KWin
// does not answer.
FocusWatch *createKWinFocusWatch(QObject *parent);
// The one that fits this session: KWin on a Plasma Wayland session, X11 elsewhere when a
// display exists (XWayland under other Wayland compositors), else nullptr.
FocusWatch *createFocusWatch(QObject *parent);

} // namespace platform

Q_DECLARE_METATYPE(platform::FocusWindow)
