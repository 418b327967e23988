// SPDX-License-Identifier: GPL-2.0-or-later
// Entry point: one copy per product, the core and its faces, the event loop.

#include <clocale>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <optional>

#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <QThread>

#include "app/kestbusservice.h"
#include "app/kestcommandline.h"
#include "app/kestdesktopbridge.h"
#include "app/kestfontwarmup.h"
#include "app/kestmouseview.h"
#include "app/kesttraystatus.h"
#include "app/mousecfgwidget.h"
#include "core/kestdiskcopy.h"
#include "core/kestmousecore.h"
#include "device/sim/simbackend.h"
#include "platform/singleinstance.h"
#include "platform/windowsystem.h"
#include "store/devicedescription.h"
#include "store/kestfileresult.h"
#include "widgets/kestskin.h"

int main(int argc, char *argv[])
{
    const KestCommandLine commandLine = KestCommandLine::read(argc, argv);
    if (commandLine.help || commandLine.version) {
        QTextStream out(stdout);
        if (commandLine.version)
            out << "mousecfg " << MOUSECFG_VERSION << '\n';
        else
            out << KestCommandLine::usageText();
        return 0;
    }
    platform::preferX11Platform(argc, argv);
    // Nothing here draws with OpenGL, yet the X11 platform would load the GL driver (a
    // software one is tens of megabytes) just to ask what it supports.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // The profile files are read on the other core while the toolkit starts. Before the
    // first thread: this one must be the toolkit's main thread, and file names must be
    // encoded in the user's locale, which the application object would set only later.
    static_cast<void>(QThread::currentThread());
    std::setlocale(LC_ALL, "");
#ifdef __GLIBC__
    // One heap for every thread: the read ahead grew a heap of its own by a page at a time
    // (a system call and a fault each), a tenth of the start's work; our few threads
    // allocate little at once.
    mallopt(M_ARENA_MAX, 1);
#endif
    const QString productName = readDescriptionProductName();
    const QString instanceName = singleInstanceName(productName);
    KestSingleInstance instance(instanceName);
    const bool firstCopy = instance.tryLock();
    // Started at login: the tray, the bus, the rules and the notices run, and the window
    // is built when someone first asks for it.
    const bool hidden = commandLine.hidden;
    if (firstCopy) {
        KestDiskCopy::preload(KestDiskCopy::defaultImagePath());
        // The window's background is its largest picture: it decodes while the toolkit starts.
        if (!hidden)
            prefetchSkinPictures({skinPath(QStringLiteral("cfgMainback.png"))});
    }

    QApplication app(argc, argv);
    // Desktops match our windows and notices to the installed desktop file by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mousecfg.Mousecfg"));
    // The toolkit's own scaling stays off: the window scales its whole layout from the
    // screen's logical DPI.
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    app.setQuitOnLastWindowClosed(false);
    initWidgetResources();
    // The fonts the window's first text waits for load on another core while this one
    // builds the core.
    std::optional<KestFontWarmup> fonts;
    if (!hidden && firstCopy)
        fonts.emplace();

    if (!firstCopy) {
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
        KestMouseCore core;
        // The mouse picture is the window's second largest: it decodes while the window
        // builds its parts.
        if (!hidden)
            prefetchSkinPictures({KestMouseView::frontPicturePath(core.productName())});
        KestDesktopBridge faces(&core, nullptr);
        if (hidden)
            faces.trayStatus()->useStoredLanguage();
        if (!hidden) {
            MousecfgWidget *window = faces.ensureWindow();
            if (core.connectedCount() > 0) {
                window->setWindowOpacity(1.0);
                window->show();
            }
        }
        KestActivationServer door(instanceName);
        QObject::connect(&door, &KestActivationServer::activationRequested, &faces,
                         &KestDesktopBridge::showWindow, Qt::QueuedConnection);
        door.listen();
        // Files the start could not use were read as missing and are left untouched; say so,
        // over the window (after a hidden start: when it first shows).
        faces.tellRefusedFiles(takeRefusedFiles());
        if (!hidden)
            faces.tellPendingFiles();
        result = app.exec();
    }
    return result;
}
