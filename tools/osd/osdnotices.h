// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include <sys/types.h>

// Where no window can be placed over the others (Wayland), the display's texts become
// desktop notifications. They must not pile up, must not appear at start-up when
// nobody did anything, and the tray's "Desktop notifications" switch turns them off.
class OsdNoticeGate final
{
public:
    // The utility reports the mouse's state once when it starts; a text that soon after
    // the utility started is that report, not something the user did.
    static constexpr qint64 kQuietAfterStartMs = 5000;

    // settingsPath: the utility's Config.ini, read again for each text so the switch
    // counts at once.
    explicit OsdNoticeGate(const QString &settingsPath);

    // ownerAgeMs: how long the utility has been running; negative when unknown.
    bool allows(qint64 ownerAgeMs) const;

private:
    QString m_settingsPath;
};

// How long process pid has been running, from /proc; -1 when it cannot be told.
qint64 processAgeMs(pid_t pid);
