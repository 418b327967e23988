// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Where the configuration lives for an application folder. A portable folder
// keeps "Configs" beside the executable. An installed copy (marked by the
// file InstalledMarker in the application folder) or a folder this user may
// not write to keeps it in the user's configuration folder instead
// ($XDG_CONFIG_HOME/mousecfg), seeded once from the installed "Configs".
QString configFolderFor(const QString &applicationDir);

// The "Configs" folder of the installation itself, whether or not it is in use.
QString installedConfigFolderFor(const QString &applicationDir);

// The per-user folder, whether or not it is in use.
QString userConfigFolder();

constexpr const char *InstalledMarker = "mousecfg.installed";
