// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>

// What mousecfg takes on its command line beside the toolkit's own options (-platform,
// -style...), which it lets through untouched.
struct KestCommandLine
{
    bool hidden = false;
    bool help = false;
    bool version = false;

    // argv as given, the program's name first. Read before the toolkit starts, so that
    // --help and --version answer without a display.
    static KestCommandLine read(int argc, char **argv);
    static QString usageText();
};
