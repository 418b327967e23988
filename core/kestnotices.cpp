// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kestnotices.h"

#include "platform/desktopnotification.h"
#include "platform/logging.h"
#include "store/appsettings.h"
#include "store/kestinifile.h"

namespace {

const QString kEnabledKey = QStringLiteral("Config/Notifications");

platform::DesktopNotice notice(const QString &summary, const QString &body, platform::NoticeUrgency urgency,
                               const QString &category)
{
    platform::DesktopNotice result;
    result.summary = summary;
    result.body = body;
    result.urgency = urgency;
    result.category = category;
    return result;
}

} // namespace

KestNotices::KestNotices(QObject *parent)
    : QObject(parent)
    , m_sender([this](const QString &kind, const platform::DesktopNotice &notice) { m_notifier.send(kind, notice); })
    , m_enabled(readEnabled())
{
}

void KestNotices::setSender(Sender sender)
{
    m_sender = [sender = std::move(sender)](const QString &, const platform::DesktopNotice &notice) {
        if (sender)
            sender(notice.summary, notice.body);
    };
}

void KestNotices::setEnabled(bool enabled)
{
    m_enabled = enabled;
    writeEnabled(enabled);
}

bool KestNotices::readEnabled()
{
    KestIniFile file;
    static_cast<void>(file.load(globalConfigPath())); // unreadable: on, the default
    return file.intValue(kEnabledKey, 1) != 0;
}

void KestNotices::writeEnabled(bool enabled)
{
    KestIniFile file;
    // A settings file we cannot read is not written over with this one key.
    if (!file.load(globalConfigPath()).isUsable())
        return;
    file.setInt(kEnabledKey, enabled ? 1 : 0);
    const KestFileResult saved = file.save(globalConfigPath());
    // The switch still holds for this run.
    if (!saved)
        qCWarning(lcDesktop, "%s", qPrintable(saved.text()));
}

void KestNotices::notify(const QString &kind, const platform::DesktopNotice &notice)
{
    if (m_enabled && m_sender)
        m_sender(kind, notice);
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
        // The mouse stops soon: this one must stay until the user has seen it.
        notify(QStringLiteral("battery"),
               notice(tr("Mouse battery almost empty"),
                      tr("%1% left. Connect the cable to keep using the mouse.").arg(percent),
                      platform::NoticeUrgency::Critical, QStringLiteral("device")));
    } else if (percent <= kLowBattery && !m_warnedLow) {
        m_warnedLow = true;
        notify(QStringLiteral("battery"), notice(tr("Mouse battery low"), tr("%1% left.").arg(percent),
                                                 platform::NoticeUrgency::Normal, QStringLiteral("device")));
    }
}

void KestNotices::deviceConnected()
{
    notify(QStringLiteral("connection"), notice(tr("Mouse connected"), QString(), platform::NoticeUrgency::Low,
                                                QStringLiteral("device.added")));
}

void KestNotices::deviceDisconnected()
{
    notify(QStringLiteral("connection"), notice(tr("Mouse disconnected"), QString(), platform::NoticeUrgency::Low,
                                                QStringLiteral("device.removed")));
}

void KestNotices::slotSwitchUnconfirmed(int slot)
{
    notify(QStringLiteral("switch"),
           notice(tr("Profile %1 not switched").arg(slot + 1), tr("The mouse did not confirm the profile switch."),
                  platform::NoticeUrgency::Normal, QStringLiteral("device.error")));
}

void KestNotices::writeFinished(int status, bool windowVisible)
{
    // With the window open the message box says it already.
    if (status != 0 && !windowVisible)
        notify(QStringLiteral("write"), notice(tr("Settings not written"),
                                               tr("The mouse did not take the settings; they are kept on this computer."),
                                               platform::NoticeUrgency::Critical, QStringLiteral("device.error")));
}

void KestNotices::fileNotSaved(const QString &path, int reason, const QString &text)
{
    const QString key = path + QLatin1Char('\n') + QString::number(reason);
    if (m_filesTold.contains(key))
        return;
    m_filesTold.insert(key);
    notify(QStringLiteral("file"),
           notice(tr("Settings not saved"), text, platform::NoticeUrgency::Critical, QString()));
}
