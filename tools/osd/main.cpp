// The on-screen display: waits for texts from the utility and shows each one briefly.

#include <QApplication>

#include "osdwindow.h"
#include "platform/osdchannel.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    osd::OsdReceiver receiver;
    // Only one display at a time: a second start finds the channel taken and leaves.
    if (!receiver.listen())
        return 0;

    OsdWindow window;
    QObject::connect(&receiver, &osd::OsdReceiver::messageReceived, &window,
                     &OsdWindow::showMessage);
    return app.exec();
}
