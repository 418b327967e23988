// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/describedsensor.h"

#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"

bool takeDescribedSensorOptions(ConfigRecord &record)
{
    KestIniFile settings;
    static_cast<void>(settings.load(globalConfigPath())); // unreadable: nothing seeded yet
    SensorDefaults described;
    readSensorDefaults(described);
    const struct
    {
        const char *key;
        quint8 ConfigRecord::*field;
        quint8 value;
    } options[] = {
        {SettingsKey::LiftHigh, &ConfigRecord::LiftHigh, described.lift},
        {SettingsKey::AngleValue, &ConfigRecord::AngleValue, described.angle},
        {SettingsKey::Debounce, &ConfigRecord::Debounce, described.butondelay},
        {SettingsKey::Jitter, &ConfigRecord::Jitter, described.jitter},
        {SettingsKey::Wake, &ConfigRecord::Wake, described.wake},
        {SettingsKey::SensorMode, &ConfigRecord::SensorMode, described.sensormode},
        {SettingsKey::Sync, &ConfigRecord::Sync, described.sync},
    };
    bool taken = false;
    for (const auto &option : options) {
        if (!settings.contains(QLatin1String(option.key))) {
            record.*option.field = option.value;
            taken = true;
        }
    }
    return taken;
}
