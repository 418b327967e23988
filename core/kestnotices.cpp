#include "core/kestnotices.h"

#include "platform/desktopnotification.h"
#include "store/appsettings.h"
#include "store/kestinifile.h"

namespace {

const QString kEnabledKey = QStringLiteral("Config/Notifications");

} // namespace

KestNotices::KestNotices(QObject *parent)
    : QObject(parent)
    , m_sender([](const QString &summary, const QString &body) {
        platform::sendDesktopNotification(summary, body);
    })
    , m_enabled(readEnabled())
{
}

void KestNotices::setEnabled(bool enabled)
{
    m_enabled = enabled;
    writeEnabled(enabled);
}

bool KestNotices::readEnabled()
{
    KestIniFile file;
    file.load(globalConfigPath());
    return file.intValue(kEnabledKey, 1) != 0;
}

void KestNotices::writeEnabled(bool enabled)
{
    KestIniFile file;
    file.load(globalConfigPath());
    file.setInt(kEnabledKey, enabled ? 1 : 0);
    file.save(globalConfigPath());
}

void KestNotices::notify(const QString &summary, const QString &body)
{
    if (m_enabled && m_sender)
        m_sender(summary, body);
}

void KestNotices::batteryChanged(int percent, bool charging)
{
    if (charging || percent >= kLowBattery + kRechargedMargin) {
        m_warnedLow = m_warnedEmpty = false;
        return;
    }
    if (percent <= 0)
        return; // switched off or not known: nothing to say about the level
    if (percent <= kEmptyBattery && !m_warnedEmpty) {
        m_warnedEmpty = m_warnedLow = true;
        notify(tr("Mouse battery almost empty"),
               tr("%1% left. Connect the cable to keep using the mouse.").arg(percent));
    } else if (percent <= kLowBattery && !m_warnedLow) {
        m_warnedLow = true;
        notify(tr("Mouse battery low"), tr("%1% left.").arg(percent));
    }
}

void KestNotices::deviceConnected()
{
    notify(tr("Mouse connected"), QString());
}

void KestNotices::deviceDisconnected()
{
    notify(tr("Mouse disconnected"), QString());
}

void KestNotices::slotSwitchUnconfirmed(int slot)
{
    notify(tr("Profile %1 not switched").arg(slot + 1), tr("The mouse did not confirm the profile switch."));
}

void KestNotices::writeFinished(int status, bool windowVisible)
{
    // With the window open the message box says it already.
    if (status != 0 && !windowVisible)
        notify(tr("Settings not written"), tr("Send data failed, please try again."));
}
