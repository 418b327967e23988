// Entry point: one copy per product, the main window, the event loop.

#include <QApplication>
#include <QIcon>

#include "app/mousecfgwidget.h"
#include "platform/singleinstance.h"
#include "store/devicedescription.h"
#include "store/kestfileresult.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Set after the application exists, so the toolkit's own scaling stays off: the
    // window scales its whole layout from the screen's logical DPI.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    app.setQuitOnLastWindowClosed(false);
    initWidgetResources();

    const QString productName = readDescriptionProductName();
    KestSingleInstance instance(singleInstanceName(productName));
    if (!instance.tryLock())
        return 1;

    int result = 0;
    {
        MousecfgWidget window;
        if (window.connectedCount() > 0) {
            window.setWindowOpacity(1.0);
            window.show();
        }
        window.setWindowIcon(QIcon(QStringLiteral("./skin/icon.ico")));
        window.setWindowTitle(productName);
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
