// SPDX-License-Identifier: GPL-2.0-or-later
// Renders the main window's pages and the dialogs a user meets, in every language, at the
// scale the screen asks for:  mousecfg_screens APP_DIR OUT_DIR [DPI_LEVELS]
// APP_DIR is a copy of the application folder that may be written to (the window seeds
// profiles on its first start); scripts/screenshots.sh makes one per run. With DPI_LEVELS
// the description is changed to that many levels and only the DPI page is drawn.
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTimer>

#include "app/kestlanguage.h"
#include "app/mousecfgwidget.h"
#include "buttons/kestcombokeywindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "macro/kestgunsetdialog.h"
#include "panels/kestcolorwindow.h"
#include "store/appdir.h"
#include "store/devicedescription.h"
#include "app/kestprofilemanager.h"
#include "device/sim/simbackend.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestnamedialog.h"
#include "widgets/kestskin.h"

namespace {

void settle(int ms = 150)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget *widget, const QString &path)
{
    settle();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Shows a dialog without entering its modal loop, takes its picture and closes it.
bool dialogShot(QWidget *dialog, const QString &path)
{
    dialog->show();
    const bool ok = save(dialog, path);
    dialog->close();
    dialog->deleteLater();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: mousecfg_screens APP_DIR OUT_DIR\n");
        return 64;
    }
    if (qEnvironmentVariableIsEmpty("MOUSECFG_SIMULATE"))
        qputenv("MOUSECFG_SIMULATE", "receiver");
    // The pictures must not depend on what an earlier demo left in the mouse.
    if (qEnvironmentVariableIsEmpty("MOUSECFG_SIMULATE_MEMORY"))
        qputenv("MOUSECFG_SIMULATE_MEMORY", "blank");
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    app.setQuitOnLastWindowClosed(false);
    initWidgetResources();
    setApplicationDir(QString::fromLocal8Bit(argv[1]));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const int dpiLevels = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 0;
    if (dpiLevels > 0) {
        // The level count is ButtonCount ^ MouseDpi ^ DPICount.
        QSettings description(deviceDescriptionPath(), QSettings::IniFormat);
        const int others = description.value(QStringLiteral("PROFILE/ButtonCount")).toInt()
                           ^ description.value(QStringLiteral("PROFILE/MouseDpi")).toInt();
        description.setValue(QStringLiteral("PROFILE/DPICount"), others ^ dpiLevels);
    }

    // The window no longer picks the simulated mouse itself: the program does, as the
    // utility's own start does.
    useSimulatedMouseFromEnvironment();
    MousecfgWidget window;
    window.show();
    settle(400);
    const QString scale = QString::number(window.scaleFactorValue(), 'f', 2);
    static const char *const pageNames[] = {"lighting", "customize", "dpi", "macro"};

    bool ok = true;
    const int languages = window.language()->count();
    for (int language = 0; language < languages; ++language) {
        window.language()->choose(language);
        settle();
        const QString prefix = QStringLiteral("%1/%2-lang%3-").arg(out, scale).arg(language);
        if (dpiLevels > 0) {
            window.showPage(MousecfgWidget::DpiPage);
            ok &= save(&window, prefix + QStringLiteral("page-dpi-%1levels.png").arg(dpiLevels));
            continue;
        }
        for (int page = 0; page < MousecfgWidget::kPageCount; ++page) {
            window.showPage(page);
            ok &= save(&window, prefix + QStringLiteral("page-%1.png").arg(pageNames[page]));
        }
        window.showPage(MousecfgWidget::CustomizePage);
        window.showView(MousecfgWidget::SideView);
        ok &= save(&window, prefix + QStringLiteral("page-customize-side.png"));
        window.showView(MousecfgWidget::FrontView);

        ok &= dialogShot(new KestMessageBox(KestMessageBox::Question, QString(),
                                            QObject::tr("Warning"),
                                            QCoreApplication::translate(
                                                "KestProfileManager",
                                                "Are you sure you want reset all profiles?"),
                                            &window),
                         prefix + QStringLiteral("dialog-question.png"));
        ok &= dialogShot(new KestMessageBox(KestMessageBox::Choice, QString(), QObject::tr("Warning"),
                                            QCoreApplication::translate(
                                                "KestProfileManager", "Apply the changes to %1 first?")
                                                .arg(QStringLiteral("Profile 1")),
                                            &window),
                         prefix + QStringLiteral("dialog-unapplied.png"));
        ok &= dialogShot(new KestNameDialog(QCoreApplication::translate("KestProfileManager", "New profile"),
                                            QCoreApplication::translate("KestProfileManager",
                                                                        "Name of the new profile:"),
                                            QStringLiteral("Profile 6"), &window),
                         prefix + QStringLiteral("dialog-addname.png"));
        // The word in the bottom bar after a write.
        window.showPage(MousecfgWidget::DpiPage);
        window.profileManager()->apply();
        ok &= save(&window, prefix + QStringLiteral("page-dpi-saved.png"));
        ok &= dialogShot(new KestSingleKeyWindow(&window), prefix + QStringLiteral("dialog-singlekey.png"));
        ok &= dialogShot(new KestComboKeyWindow(&window), prefix + QStringLiteral("dialog-combokey.png"));
        ok &= dialogShot(new KestFireKeyWindow(&window), prefix + QStringLiteral("dialog-firekey.png"));
        ok &= dialogShot(new KestMacroSelect(QStringLiteral("MACRO SELECT"), QString(), 1, 0, &window),
                         prefix + QStringLiteral("dialog-macroselect.png"));
        ok &= dialogShot(new KestGunsetDialog(scaleFactor(), &window), prefix + QStringLiteral("dialog-gunset.png"));
        ok &= dialogShot(new KestColorWindow(&window), prefix + QStringLiteral("dialog-color.png"));
    }
    return ok ? 0 : 1;
}
