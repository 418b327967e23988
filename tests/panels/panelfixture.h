// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "store/appdir.h"

// An application folder of the panels' own: a description file and the global settings
// with the given level count, sensor and product.
struct PanelAppDir
{
    QTemporaryDir dir;

    explicit PanelAppDir(int dpiLevels = 6, int sensor = 3389, const QString &product = QStringLiteral("KX-27"))
    {
        setApplicationDir(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("Configs"));
        setDescription(QStringLiteral("DPICount"), dpiLevels); // ButtonCount ^ MouseDpi = 0
        setConfig(QStringLiteral("MouseSenSor/1"), sensor);
        setConfig(QStringLiteral("Config/CurrentProductName"), product);
    }

    void setDescription(const QString &key, const QVariant &value)
    {
        QSettings ini(dir.path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("PROFILE/") + key, value);
    }

    void setConfig(const QString &key, const QVariant &value)
    {
        QSettings ini(dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
        ini.setValue(key, value);
    }
};
