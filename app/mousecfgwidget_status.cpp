// Battery, connection and what the mouse reports about itself.

#include "app/mousecfgwidget.h"

#include <QLabel>

#include "app/kestosdclient.h"
#include "app/kestprofilemanager.h"
#include "device/discovery.h"
#include "device/kestdeviceworker.h"
#include "device/sendcommand.h"
#include "device/writeconfig.h"
#include "panels/kestcolorwindow.h"
#include "platform/pointerspeed.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestskin.h"

namespace {

QString rateText(quint8 code)
{
    switch (code) {
    case 8: return QStringLiteral("125 HZ");
    case 4: return QStringLiteral("250 HZ");
    case 2: return QStringLiteral("500 HZ");
    case 1: return QStringLiteral("1000 HZ");
    default: return QString();
    }
}

} // namespace

void MousecfgWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8)
{
    m_charging = iCharge;
    const int textPixels = scaled(16);
    if (iLowByte == 0) {
        // Even a charging mouse reports 0 while it is switched off.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(tr("MOUSE OFF"));
        setBatteryStyle(
            QStringLiteral("QProgressBar{background:rgb(100,100,100);border-radius:2px;"
                           "color:white;font-weight:bold;font-size:%1px;}"
                           "QProgressBar::chunk{background:rgb(100,100,100);}")
                .arg(textPixels));
        m_lastBattery = 0;
    } else {
        if (cableCommandPresent()) {
            m_batteryBar->setValue(100);
            m_batteryBar->setFormat(QString());
        } else {
            m_batteryBar->setValue(qMin(int(iLowByte), 100));
            m_batteryBar->setFormat(QStringLiteral("%p%"));
        }
        setBatteryStyle(
            QStringLiteral("QProgressBar{background:#FFFFFF;border-radius:2px;color:black;"
                           "font-weight:bold;font-size:%1px;}"
                           "QProgressBar::chunk{background:%2;border-radius:2px;}")
                .arg(textPixels)
                .arg(themeColor().name()));
        if (iLowByte != m_lastBattery) {
            m_lastBattery = iLowByte;
            writeBattery(iLowByte);
        }
    }
    refreshConnectionState();
}

void MousecfgWidget::setBatteryStyle(const QString &styleSheet)
{
    // A new style sheet polishes the bar again; the reader reports every few seconds,
    // mostly with nothing changed.
    if (m_batteryBar->styleSheet() != styleSheet)
        m_batteryBar->setStyleSheet(styleSheet);
}

void MousecfgWidget::refreshConnectionState()
{
    const bool cable = cableCommandPresent();
    const bool receiver = receiverCommandPresent();
    int state;
    if (cable)
        state = receiver ? 1 : 0;
    else if (receiver)
        state = m_charging ? 1 : 2;
    else
        state = 3;
    // Only the battery frame depends on the state: no repaint of the window otherwise.
    const bool changed = m_connectionState != state;
    m_connectionState = state;
    if (state == 3) {
        // No mouse: the last figure would be stale, so the frame stays empty.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QString());
        m_lastBattery = -1;
    }
    m_batteryBar->setVisible(state >= 2);
    m_donglePicture->setVisible(receiver);
    m_lightningPicture->hide();
    if (changed)
        update();
}

void MousecfgWidget::slotRefreshStatus(quint8, quint8 iDPI, quint8 iRate, quint8)
{
    // A report queued before a write began is stale; the write sends what the user set.
    if (m_profiles && m_profiles->isWriting())
        return;
    // The reader has no slot information (it always reports 0); slot changes made on the
    // mouse arrive through slotRefreshProfile, so the reported slot is left alone here.
    const ProfileRecord &profile = m_working.profiles[currentSlot()];
    if (iDPI != profile.dpi)
        slotRefreshDPIStage(iDPI);
    if (iRate != profile.pollrate)
        slotRefreshRate(iRate);
}

void MousecfgWidget::slotRefreshProfile(quint8 iProfile)
{
    if (iProfile >= SLOT_COUNT)
        return;
    m_working.ProfileID = iProfile;
    saveActiveSlot(iProfile);
    showSlot();
    refreshPanels();
    applySlotPointerSpeed();
    sendOsdText(tr("Profile") + QStringLiteral(" %1").arg(iProfile + 1));
}

void MousecfgWidget::slotRefreshDPIStage(quint8 iDPI)
{
    ProfileRecord &profile = m_working.profiles[currentSlot()];
    profile.dpi = iDPI;
    // The mouse changed it itself: nothing the user has to apply.
    m_clean.profiles[currentSlot()].dpi = iDPI;
    const int level = activeDpiIndex(profile);
    selectDpiLevelInPanel(level);
    // Always the file of the profile the slot shows now: profile operations rename,
    // copy and replace what a slot shows, and a file kept open would miss that.
    const QString name = m_working.names[currentSlot()];
    if (isValidStoreName(name) && !saveActiveDpi(profileFilePath(name), iDPI))
        saveSlotFile(profile, name);
    const int dpi = dpiCodeToDpi(int(profile.DPI_INFO[level].x), readSensorCode());
    sendOsdText(tr("DPI") + QStringLiteral(" %1:%2").arg(int(iDPI) + 1).arg(dpi));
}

void MousecfgWidget::slotRefreshRate(quint8 iRate)
{
    m_working.profiles[currentSlot()].pollrate = iRate;
    m_clean.profiles[currentSlot()].pollrate = iRate;
    refreshReportRatePanel();
    sendOsdText(rateText(iRate));
}

void MousecfgWidget::slotRefreshLightMode(quint8 iMode)
{
    // The mouse changed its lighting effect itself: the record and the panel follow.
    if (iMode >= LED_EFFECTS)
        return;
    const int slot = KestColorWindow::lightingSlot(m_working, m_productName);
    m_working.profiles[slot].LedMode = iMode;
    m_clean.profiles[slot].LedMode = iMode;
    m_colorWindow->chooseEffect(iMode);
}

void MousecfgWidget::slotRefreshWriteStatus(quint8 iStatus)
{
    if (iStatus == 0)
        writeDiff(1);
}

void MousecfgWidget::slotLiftChange(quint8 iLift)
{
    m_working.LiftHigh = iLift;
}

void MousecfgWidget::slotEnableButtons(bool bEnable)
{
    // The macro editor asks for this while it records; it stays usable itself.
    for (const Placement &placement : qAsConst(m_placements)) {
        if (placement.widget && placement.widget != m_macroDialog)
            placement.widget->setEnabled(bEnable);
    }
}

void MousecfgWidget::selectSlotOnMouse(int slot, bool askedHere)
{
    // Without a mouse there is nothing to switch; a mouse that did not take the switch
    // now runs another slot than the window shows, and the user must know.
    const int speed = m_working.profiles[size_t(qBound(0, slot, SLOT_COUNT - 1))].mousespeed;
    m_deviceWorker->request<quint8>([slot, speed] { return SelectProfileOnDevice(slot, speed); }, this,
                                    [this, slot, askedHere](quint8 result) {
                                        if (result != SEND_GAVE_UP && result != SEND_WRITE_FAILED)
                                            return;
                                        if (!askedHere) {
                                            emit slotSwitchUnconfirmed(slot);
                                            return;
                                        }
                                        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                                                           tr("The mouse did not confirm the profile switch."),
                                                           this);
                                        box.exec();
                                    });
}

void MousecfgWidget::slotPopOneClickBox()
{
    KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                       tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."), this);
    box.exec();
}

void MousecfgWidget::sendOsdText(const QString &text)
{
    m_osd->showText(text);
}
