// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Shared by the tests that run the whole window against the simulated mouse.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>

#include "device/devicelink.h"
#include "device/kestbatteryreader.h"
#include "device/kestgetbatterythread.h"
#include "platform/pointerspeed.h"

// The link's pauses cut down so that a full write takes milliseconds, and the desktop's
// pointer speed left alone: a test must never change the developer's real settings.
inline void useFastLinkForWindowTests()
{
    setPointerSpeedDesktopAccess(false);
    // The window sends notifications and offers its interface on the session bus: never
    // on the developer's own. The desktop tests bring a private bus (MOUSECFG_PRIVATE_BUS).
    if (!qEnvironmentVariableIsSet("MOUSECFG_PRIVATE_BUS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mousecfg-no-bus");
    KestLinkTimings timings;
    timings.afterWriteMs = 1;
    timings.beforeRereadMs = 1;
    timings.readTimeoutMs = 30;
    timings.reopenMs = 5;
    setLinkTimings(timings);
}

// An application folder holding the shipped description of the sample model and the
// install-time keys that name it.
inline bool writeSampleAppFolder(const QString &path)
{
    if (!QFile::copy(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/DefaultProfile.bin"),
                     path + QStringLiteral("/DefaultProfile.bin")))
        return false;
    QDir(path).mkpath(QStringLiteral("Configs"));
    QSettings config(path + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    config.setValue(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("MouseSenSor/1"), 3389);
    config.sync();
    return config.status() == QSettings::NoError;
}

// Quick pacing for the battery reader, so the tests do not wait for the mouse's real
// query rhythm.
inline void useFastBatteryReader(KestBatteryReader *reader)
{
    KestGetBatteryThread::Timings timings;
    timings.readTimeoutMs = 10;
    timings.afterReadMs = 2;
    timings.afterQueryMs = 5;
    timings.passesPerQuery = 5;
    reader->setTimings(timings);
}

// The quick pacing for the reader a core already started: it takes effect on a new start.
template <typename Core>
inline void restartWithFastBatteryReader(Core *core)
{
    useFastBatteryReader(core->batteryReader());
    if (core->batteryReaderRunning()) {
        core->stopBatteryReader();
        core->startBatteryReader();
    }
}
