// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Opens the desktop's own mouse settings, the counterpart of the system mouse control
// panel that the "Mouse Setting" button hands off to.

#include <QString>
#include <QStringList>
#include <QVector>

namespace platform {

struct MouseSettingsProgram
{
    QString program; // a bare name in the candidate list, a full path once found
    QStringList arguments;

    bool isNull() const { return program.isEmpty(); }
};

// Every known settings program, those of the named desktops first. desktops is the
// colon-separated XDG_CURRENT_DESKTOP value ("ubuntu:GNOME", "KDE", "XFCE", ...).
QVector<MouseSettingsProgram> mouseSettingsCandidates(const QString &desktops);

// The first candidate installed in PATH, with its full path; null when there is none.
MouseSettingsProgram findMouseSettingsProgram(const QString &desktops);

// Starts the settings program of the running desktop, detached. False when none is
// installed or it could not be started; the caller tells the user.
bool openMouseSettings();

} // namespace platform
