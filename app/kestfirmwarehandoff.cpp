// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestfirmwarehandoff.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QFileInfo>

#include "app/kestcanvas.h"
#include "core/kestmousecore.h"
#include "device/discovery.h"
#include "device/kestdeviceworker.h"
#include "platform/detachedstart.h"
#include "store/appdir.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

KestFirmwareHandoff::KestFirmwareHandoff(KestCanvas &canvas, KestMouseCore &core,
                                         std::function<int()> language, QObject *parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_core(core)
    , m_language(std::move(language))
{
    m_button = canvas.textButton(QRect(776, 33, 118, 20));
    connect(m_button, &QPushButton::clicked, this, &KestFirmwareHandoff::start);
}

QString KestFirmwareHandoff::updaterPath(const QString &appDir, int languageIndex)
{
    // The English updater serves the first language, the other one every other language.
    return appDir + (languageIndex == 0 ? QStringLiteral("/skin/mouse/bin/UPDTOOL-0000-00000000-en")
                                        : QStringLiteral("/skin/mouse/bin/UPDTOOL-0000-00000000"));
}

// The button's texts were the window's before it had parts, and keep its translations.
void KestFirmwareHandoff::retranslate()
{
    m_button->setText(QCoreApplication::translate("MousecfgWidget", "Firmware Update"));
    // Offered only where an updater for this language is installed beside the utility: a
    // button that can only end in "could not be started" is a dead end.
    m_button->setVisible(QFileInfo(updaterPath(applicationDir(), m_language())).isExecutable());
}

void KestFirmwareHandoff::start()
{
    QWidget *window = &m_canvas.window();
    const QString warning = QCoreApplication::translate("MousecfgWidget", "Warning");
    m_button->setSelected(false);
    m_button->setToggled(false);
    if (FirmwareVersion == 0) {
        KestMessageBox box(KestMessageBox::Warning, QString(), warning,
                           QCoreApplication::translate(
                               "MousecfgWidget", "To update the firmware, please connect to the computer with a cable."),
                           window);
        box.exec();
        return;
    }
    KestMessageBox question(KestMessageBox::Question, QString(), warning,
                            QCoreApplication::translate("MousecfgWidget", "Do you want to upgrade the firmware?"),
                            window);
    if (question.exec() != QDialog::Accepted)
        return;

    m_core.stopBatteryReader();
    if (platform::startDetached(updaterPath(applicationDir(), m_language()))) {
        // Leave at once, saving nothing.
        m_core.deviceWorker()->call([] { CloseDevices(); });
        std::exit(0);
    }
    // Exiting after a failed start would leave the user with neither program.
    KestMessageBox failed(KestMessageBox::Warning, QString(), warning,
                          QCoreApplication::translate("MousecfgWidget", "The firmware updater could not be started."),
                          window);
    failed.exec();
    m_core.startBatteryReader();
}
