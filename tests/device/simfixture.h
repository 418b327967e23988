// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QSettings>
#include <QTemporaryDir>

#include "device/commandreport.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "store/appdir.h"

// Puts a fresh simulated mouse behind the link, with the link's pauses cut
// down so that retry paths run in milliseconds.
inline std::shared_ptr<KestSimMouse> installSimMouse(bool receiver, bool cable)
{
    CloseDevices();
    auto sim = std::make_shared<KestSimMouse>(receiver, cable);
    setHidBackend(sim);
    KestLinkTimings fast;
    fast.afterWriteMs = 0;
    fast.beforeRereadMs = 1;
    fast.readTimeoutMs = 15;
    fast.reopenMs = 1;
    fast.notifyDelayMs = 20;
    setLinkTimings(fast);
    return sim;
}

// An application folder whose Config.ini names the product as installed.
inline void writeProductConfig(const QTemporaryDir &dir, const QString &model = QStringLiteral("KX-27"))
{
    setApplicationDir(dir.path());
    QSettings ini(dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Mouse_List/0"), model);
    ini.setValue(QStringLiteral("Config/CurrentProductName"), model);
    ini.setValue(QStringLiteral("Config/Diff"), 0);
}

inline int readDiffValue(const QTemporaryDir &dir)
{
    QSettings ini(dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    return ini.value(QStringLiteral("Config/Diff")).toInt();
}

// A report as a builder would make it: command, parameters from byte 2, checksum.
inline KestCommandReport makeReport(quint8 command, std::initializer_list<quint8> parameters)
{
    KestCommandReport report(command);
    int i = CommandReport::FirstParameterByte;
    for (quint8 p : parameters)
        report[i++] = p;
    report.seal();
    return report;
}
