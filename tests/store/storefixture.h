// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "store/appdir.h"

// A private application folder for one test: the store reads and writes only there.
class StoreFixture
{
public:
    StoreFixture() { setApplicationDir(m_dir.path()); }
    ~StoreFixture() { setApplicationDir(QString()); }

    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Writes keys of the description file through the toolkit's own settings class,
    // as a product installation would ship it.
    void describe(const QVariantMap &keys) const
    {
        QSettings ini(path(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
        for (auto it = keys.begin(); it != keys.end(); ++it)
            ini.setValue(QStringLiteral("PROFILE/") + it.key(), it.value());
    }

    void setGlobal(const QString &key, const QVariant &value) const
    {
        QSettings ini(path(QStringLiteral("Configs/Config.ini")), QSettings::IniFormat);
        ini.setValue(key, value);
    }

private:
    QTemporaryDir m_dir;
};
