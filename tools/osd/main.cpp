// SPDX-License-Identifier: GPL-2.0-or-later
// The on-screen display: waits for texts from the utility and shows each one briefly.

#include <cerrno>

#include <sys/syscall.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include "osdnotices.h"
#include "osdwindow.h"
#include "platform/desktopnotification.h"
#include "platform/osdchannel.h"
#include "platform/windowsystem.h"
#include "store/appsettings.h"

int main(int argc, char *argv[])
{
    // A Wayland client cannot place its window low in the middle of the screen or keep
    // it on top: take X11 (XWayland) where there is one.
    platform::preferX11Platform(argc, argv);
    // No OpenGL is drawn here: the X11 platform must not load the GL driver to find out.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // The display serves the utility that started it and ends with it. A process handle
    // wakes nothing while the utility runs.
    const int owner = qEnvironmentVariableIntValue("MOUSECFG_OSD_OWNER");
    if (owner > 0) {
        const int handle = int(::syscall(SYS_pidfd_open, pid_t(owner), 0));
        if (handle < 0 && errno == ESRCH)
            return 0;
        if (handle >= 0) {
            auto *ownerGone = new QSocketNotifier(handle, QSocketNotifier::Read, &app);
            QObject::connect(ownerGone, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        }
    }

    osd::OsdReceiver receiver;
    // Only one display at a time: a second start finds the channel taken and leaves.
    if (!receiver.listen())
        return 0;

    if (platform::onWayland()) {
        // Wayland only: the desktop's notifications are the one place a text can appear
        // over other windows. Each replaces the last and leaves no trace in the history:
        // "DPI 2:800" is stale a second later.
        auto *notifier = new platform::DesktopNotifier(&app);
        const OsdNoticeGate gate(globalConfigPath());
        QObject::connect(&receiver, &osd::OsdReceiver::messageReceived, notifier,
                         [notifier, gate, owner](const osd::OsdMessage &message) {
                             if (message.text.isEmpty() || !gate.allows(owner > 0 ? processAgeMs(owner) : -1))
                                 return;
                             platform::DesktopNotice notice;
                             notice.summary = message.text;
                             notice.urgency = platform::NoticeUrgency::Low;
                             notice.transient = true;
                             notifier->send(QStringLiteral("display"), notice);
                         });
        return app.exec();
    }

    OsdWindow window;
    QObject::connect(&receiver, &osd::OsdReceiver::messageReceived, &window,
                     &OsdWindow::showMessage);
    return app.exec();
}
