// SPDX-License-Identifier: GPL-2.0-or-later
// Handing the device to the firmware updater.

#include "app/mousecfgwidget.h"

#include "core/kestmousecore.h"

#include <cstdlib>

#include <QApplication>

#include "device/discovery.h"
#include "device/kestdeviceworker.h"
#include "platform/detachedstart.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

QString MousecfgWidget::updaterPath(const QString &appDir, int languageIndex)
{
    // The English updater serves the first language, the other one every other language.
    return appDir + (languageIndex == 0 ? QStringLiteral("/skin/mouse/bin/UPDTOOL-0000-00000000-en")
                                        : QStringLiteral("/skin/mouse/bin/UPDTOOL-0000-00000000"));
}

void MousecfgWidget::startFirmwareUpdate()
{
    m_firmwareButton->setSelected(false);
    m_firmwareButton->setToggled(false);
    if (FirmwareVersion == 0) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                           tr("To update the firmware, please connect to the computer with a cable."),
                           this);
        box.exec();
        return;
    }
    KestMessageBox question(KestMessageBox::Question, QString(), tr("Warning"),
                            tr("Do you want to upgrade the firmware?"), this);
    if (question.exec() != QDialog::Accepted)
        return;

    stopBatteryReader();
    const QString updater = updaterPath(m_appDir, m_languageIndex);
    if (platform::startDetached(updater)) {
        // The updater needs the mouse to itself: leave at once, saving nothing.
        m_core->deviceWorker()->call([] { CloseDevices(); });
        std::exit(0);
    }
    // Exiting after a failed start would leave the user with neither program.
    KestMessageBox failed(KestMessageBox::Warning, QString(), tr("Warning"),
                          tr("The firmware updater could not be started."), this);
    failed.exec();
    startBatteryReader();
}
