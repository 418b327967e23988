// Entry point: one copy per product, the main window, the event loop.

#include <QApplication>
#include <QIcon>

#include "app/kestbusservice.h"
#include "app/mousecfgwidget.h"
#include "device/sim/simbackend.h"
#include "platform/singleinstance.h"
#include "platform/windowsystem.h"
#include "store/devicedescription.h"
#include "store/kestfileresult.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"

int main(int argc, char *argv[])
{
    platform::preferX11Platform(argc, argv);
    // Nothing here draws with OpenGL, yet the X11 platform would load the GL driver (a
    // software one is tens of megabytes) just to ask what it supports.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    // The toolkit's own scaling stays off: the window scales its whole layout from the
    // screen's logical DPI.
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    app.setQuitOnLastWindowClosed(false);
    initWidgetResources();

    const QString productName = readDescriptionProductName();
    const QString instanceName = singleInstanceName(productName);
    KestSingleInstance instance(instanceName);
    if (!instance.tryLock()) {
        // The copy that runs shows its window instead, asked through its bus interface, or
        // through its own socket where there is no session bus; this one was only the
        // messenger.
        if (!KestBusService::showRunningCopy())
            KestActivationServer::requestActivation(instanceName);
        return 1;
    }

    // Demo mode: MOUSECFG_SIMULATE puts the simulated mouse in place of the hardware.
    useSimulatedMouseFromEnvironment();

    int result = 0;
    {
        MousecfgWidget window;
        if (window.connectedCount() > 0) {
            window.setWindowOpacity(1.0);
            window.show();
        }
        window.setWindowIcon(QIcon(QStringLiteral("./skin/icon.ico")));
        window.setWindowTitle(productName);
        KestActivationServer door(instanceName);
        QObject::connect(&door, &KestActivationServer::activationRequested, &window,
                         &MousecfgWidget::bringToFront, Qt::QueuedConnection);
        door.listen();
        // Files the start could not use were read as missing and are left untouched; say so.
        for (const KestFileResult &refused : takeRefusedFiles()) {
            KestMessageBox box(KestMessageBox::Warning, QString(),
                               QCoreApplication::translate("KestProfileManager", "Warning"), refused.text(),
                               window.isVisible() ? &window : nullptr);
            box.exec();
        }
        result = app.exec();
    }
    return result;
}
