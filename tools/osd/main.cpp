// The on-screen display: waits for texts from the utility and shows each one briefly.

#include <QApplication>

#include "osdwindow.h"
#include "platform/desktopnotification.h"
#include "platform/osdchannel.h"
#include "platform/windowsystem.h"

int main(int argc, char *argv[])
{
    // A Wayland client cannot place its window low in the middle of the screen or keep
    // it on top: take X11 (XWayland) where there is one.
    platform::preferX11Platform(argc, argv);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    osd::OsdReceiver receiver;
    // Only one display at a time: a second start finds the channel taken and leaves.
    if (!receiver.listen())
        return 0;

    if (platform::onWayland()) {
        // Wayland only: the desktop's notifications are the one place a text can appear
        // over other windows.
        QObject::connect(&receiver, &osd::OsdReceiver::messageReceived, [](const osd::OsdMessage &message) {
            if (!message.text.isEmpty())
                platform::sendDesktopNotification(message.text, QString());
        });
        return app.exec();
    }

    OsdWindow window;
    QObject::connect(&receiver, &osd::OsdReceiver::messageReceived, &window,
                     &OsdWindow::showMessage);
    return app.exec();
}
