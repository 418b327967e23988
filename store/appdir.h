// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The folder that holds "DefaultProfile.bin", "Configs/", "skin/" and "lang/". A portable
// folder (such as the build's appdir) has them beside the executable; an installed copy
// has its executables in <prefix>/bin and <prefix>/lib/mousecfg and this data in
// <prefix>/share/mousecfg, found relative to the executable so a staged or moved
// installation works too. Tests point it at a temporary folder.
QString applicationDir();
void setApplicationDir(const QString &dir);

// Where a helper program of ours (the on-screen display) lives: beside the executable
// in a portable folder, in <prefix>/lib/mousecfg once installed.
QString helperProgramPath(const QString &name);

// The same lookups for an executable in exeDir, without touching process state.
QString applicationDirFor(const QString &exeDir);
QString helperProgramPathFor(const QString &exeDir, const QString &name);

// Relative to the installation prefix.
constexpr const char *InstalledDataDir = "share/mousecfg";
constexpr const char *InstalledHelperDir = "lib/mousecfg";
