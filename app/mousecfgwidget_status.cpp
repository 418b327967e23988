// SPDX-License-Identifier: GPL-2.0-or-later
// Battery, connection and what the mouse reports about itself, as the core decoded it.

#include "app/mousecfgwidget.h"

#include <QLabel>
#include <QTimer>

#include "app/kestprofilemanager.h"
#include "core/kestmousecore.h"
#include "platform/logging.h"
#include "store/appsettings.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestskin.h"

namespace {
const QRect kBatteryNoteRect(40, 556, 190, 20); // above the battery frame
} // namespace

QString MousecfgWidget::batteryNote() const
{
    return m_batteryNote && !m_batteryNote->isHidden() ? m_batteryNote->text() : QString();
}

void MousecfgWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8)
{
    m_core->takeBatteryReport(iCharge, iLowByte);
    noteMouseAnswered();
}

void MousecfgWidget::refreshBatteryDisplay()
{
    const KestMouseStatus &status = m_core->status();
    const int textPixels = scaled(16);
    const QString greyStyle =
        QStringLiteral("QProgressBar{background:rgb(100,100,100);border-radius:2px;"
                       "color:white;font-weight:bold;font-size:%1px;}"
                       "QProgressBar::chunk{background:rgb(100,100,100);}")
            .arg(textPixels);
    if (status.mouseOff) {
        // Even a charging mouse reports 0 while it is switched off.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(tr("MOUSE OFF"));
        setBatteryStyle(greyStyle);
        m_lastBattery = 0;
    } else if (m_mouseSilent && status.link != KestMouseStatus::None) {
        // The receiver or the cable is there, but the mouse behind it does not answer: a
        // full bar would claim a mouse that takes the settings. The words go beside the
        // bar, which is too narrow for them.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QString());
        setBatteryStyle(greyStyle);
        m_lastBattery = -1;
    } else {
        if (status.link == KestMouseStatus::Cable || status.link == KestMouseStatus::Both) {
            m_batteryBar->setValue(100);
            m_batteryBar->setFormat(QString());
        } else if (status.battery >= 0) {
            m_batteryBar->setValue(status.battery);
            m_batteryBar->setFormat(QStringLiteral("%p%"));
        }
        setBatteryStyle(
            QStringLiteral("QProgressBar{background:#FFFFFF;border-radius:2px;color:black;"
                           "font-weight:bold;font-size:%1px;}"
                           "QProgressBar::chunk{background:%2;border-radius:2px;}")
                .arg(textPixels)
                .arg(themeColor().name()));
        m_lastBattery = status.battery;
    }
    refreshConnectionState();
}

void MousecfgWidget::setSilenceTimeout(int milliseconds)
{
    m_silenceMs = milliseconds;
    noteMouseAnswered();
}

void MousecfgWidget::noteMouseAnswered()
{
    if (!m_answerTimer) {
        m_answerTimer = new QTimer(this);
        m_answerTimer->setSingleShot(true);
        connect(m_answerTimer, &QTimer::timeout, this, [this] {
            // Only a reader that asks and hears nothing tells of a silent mouse: a stopped one
            // (a write, no mouse) says nothing about it.
            if (m_core->batteryReaderRunning() && !m_core->isWriting()
                && m_core->status().link != KestMouseStatus::None && !m_mouseSilent) {
                m_mouseSilent = true;
                refreshBatteryDisplay();
            }
            m_answerTimer->start(m_silenceMs);
        });
    }
    m_answerTimer->start(m_silenceMs);
    if (m_mouseSilent) {
        m_mouseSilent = false;
        refreshBatteryDisplay();
    }
}

void MousecfgWidget::noteWriteUnanswered()
{
    m_mouseSilent = true;
    refreshBatteryDisplay();
    // The transaction starts the reader again only after a success; without it nothing
    // would ever notice the mouse answering again.
    if (m_core->connectedCount() > 0)
        m_core->startBatteryReader();
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
    const int state = m_core->connectionState();
    const KestMouseStatus::Link link = m_core->status().link;
    // Only the battery frame depends on the state: no repaint of the window otherwise.
    const bool changed = m_shownConnectionState != state;
    m_shownConnectionState = state;
    if (state == 3) {
        // No mouse: the last figure would be stale, so the frame stays empty.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QString());
        m_lastBattery = -1;
    }
    // On the cable the frame shows a plug instead of a figure; for a mouse that does not
    // answer the greyed bar shows whatever the link, with its words above the frame.
    const bool silent = m_mouseSilent && link != KestMouseStatus::None && !m_core->status().mouseOff;
    m_batteryBar->setVisible(state >= 2 || silent);
    if (silent && !m_batteryNote) {
        m_batteryNote = new KestLabel(this);
        QPalette palette = m_batteryNote->palette();
        palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
        m_batteryNote->setPalette(palette);
        place(m_batteryNote, kBatteryNoteRect);
    }
    if (m_batteryNote) {
        m_batteryNote->setText(silent ? tr("The mouse does not answer") : QString());
        m_batteryNote->setVisible(silent);
    }
    if (silent != m_shownSilent) {
        m_shownSilent = silent;
        update(); // the frame
    }
    m_donglePicture->setVisible(link == KestMouseStatus::Receiver || link == KestMouseStatus::Both);
    m_lightningPicture->hide();
    if (changed)
        update();
}

void MousecfgWidget::slotRefreshStatus(quint8, quint8 iDPI, quint8 iRate, quint8)
{
    m_core->takeStatusReport(iDPI, iRate);
}

void MousecfgWidget::slotRefreshProfile(quint8 iProfile)
{
    m_core->takeSlotReport(iProfile);
}

void MousecfgWidget::slotRefreshDPIStage(quint8 iDPI)
{
    m_core->takeDpiLevel(iDPI);
}

void MousecfgWidget::slotRefreshRate(quint8 iRate)
{
    m_core->takeReportRate(iRate);
}

void MousecfgWidget::slotRefreshLightMode(quint8 iMode)
{
    m_core->takeLightMode(iMode);
}

void MousecfgWidget::slotRefreshWriteStatus(quint8 iStatus)
{
    if (iStatus == 0) {
        // Unsaved, a later start may send only what changed; the write path says the same
        // file's failures to the user.
        const KestFileResult diff = writeDiff(1);
        if (!diff)
            qCWarning(lcUi, "%s", qPrintable(diff.text()));
    }
}

void MousecfgWidget::slotLiftChange(quint8 iLift)
{
    m_core->working().LiftHigh = iLift;
}

void MousecfgWidget::slotEnableButtons(bool bEnable)
{
    // The macro editor asks for this while it records; it stays usable itself.
    for (const Placement &placement : qAsConst(m_placements)) {
        if (placement.widget && placement.widget != m_macroDialog)
            placement.widget->setEnabled(bEnable);
    }
}

void MousecfgWidget::onSwitchFinished(int id, int, int result)
{
    // Without a mouse there is nothing to switch; a mouse that did not take a switch made
    // here now runs another slot than the window shows, and the user must know. Switches
    // from elsewhere report to their caller (and the desktop), never in a box.
    if (id != m_ownSwitch || !m_switchAskedHere)
        return;
    if (result != 2 && result != 4)
        return;
    KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                       tr("The mouse did not confirm the profile switch."), this);
    box.exec();
}

void MousecfgWidget::slotPopOneClickBox()
{
    KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                       tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."), this);
    box.exec();
}
