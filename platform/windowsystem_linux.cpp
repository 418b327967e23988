// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/windowsystem.h"

#include <cstring>

#include <QGuiApplication>

namespace platform {

QByteArray preferredQpaPlatform(const QByteArray &chosen, const QByteArray &display, bool platformArgument)
{
    if (!chosen.isEmpty() || platformArgument || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void preferX11Platform(int argc, char *argv[])
{
    bool platformArgument = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platformArgument = true;
    }
    const QByteArray platform =
        preferredQpaPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), platformArgument);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace platform
