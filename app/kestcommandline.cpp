// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestcommandline.h"

#include <QCoreApplication>

KestCommandLine KestCommandLine::read(int argc, char **argv)
{
    KestCommandLine line;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        // After "--" come no more options of ours, as everywhere.
        if (arg == "--")
            break;
        if (arg == "--hidden")
            line.hidden = true;
        else if (arg == "-h" || arg == "--help")
            line.help = true;
        else if (arg == "--version")
            line.version = true;
    }
    return line;
}

QString KestCommandLine::usageText()
{
    return QCoreApplication::translate(
        "KestCommandLine",
        "Usage: mousecfg [OPTION]...\n"
        "\n"
        "Sets up the gaming mouse: DPI levels, report rate, buttons, lighting, macros and the\n"
        "five onboard profile slots. Only one copy runs: a second start brings the running\n"
        "window to the front.\n"
        "\n"
        "Options:\n"
        "  --hidden           start in the tray without showing the window, as at login and\n"
        "                     when the session bus starts the program\n"
        "  -platform NAME     the display platform: xcb (X11, also through XWayland) or\n"
        "                     wayland; X11 where an X display exists\n"
        "  -h, --help         this text\n"
        "  --version          the version\n"
        "\n"
        "The other options of Qt applications are accepted as well.\n"
        "\n"
        "Exit status:\n"
        "  0   the program ended normally\n"
        "  1   another copy was already running; it was brought to the front\n");
}
