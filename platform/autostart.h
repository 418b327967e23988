// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Starting with the session: an XDG autostart entry in the user's own autostart folder
// ($XDG_CONFIG_HOME/autostart, usually ~/.config/autostart). Nothing is ever written
// system-wide; a system entry of the same name is overridden by the user's, which is
// how a desktop lets each user turn one off.

#include <QString>

namespace platform {

enum class AutostartResult {
    Done,
    // Something other than our own regular file sits where the entry goes (a symlink
    // may point into files the user never meant us to change): left alone.
    NotARegularFile,
    WriteFailed,
};

// $XDG_CONFIG_HOME/autostart/org.mousecfg.Mousecfg.desktop; XDG_CONFIG_HOME counts only
// when it is an absolute path, as the base directory rules say.
QString autostartEntryPath();

// The command the entry starts: "mousecfg --hidden" for an installed copy found on
// PATH, otherwise this very executable, so a portable folder starts itself.
QString autostartCommand(const QString &executable, bool installed);

// The entry's text for a command line already quoted for the Exec key.
QByteArray autostartEntryText(const QString &command);

// True when the entry exists and no desktop tool has switched it off
// (Hidden=true, X-GNOME-Autostart-enabled=false).
bool autostartEnabled();

// Writes or removes the user's entry. Removing an entry that is not there is Done.
AutostartResult setAutostartEnabled(bool enabled, const QString &command);

} // namespace platform
