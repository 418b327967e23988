// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/describedsensor.h"

#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"

bool takeDescribedSensorOptions(ConfigRecord &record)
{
    KestIniFile settings;
    static_cast<void>(settings.load(globalConfigPath())); // unreadable: nothing seeded yet
    SensorDefaults sensor;
    readSensorDefaults(sensor);
    ConfigRecord described;
    takeSensorDefaults(described, sensor);
    const struct
    {
        const char *key;
        quint8 ConfigRecord::*field;
    } options[] = {
        {SettingsKey::LiftHigh, &ConfigRecord::LiftHigh},
        {SettingsKey::AngleValue, &ConfigRecord::AngleValue},
        {SettingsKey::Debounce, &ConfigRecord::Debounce},
        {SettingsKey::Jitter, &ConfigRecord::Jitter},
        {SettingsKey::Wake, &ConfigRecord::Wake},
        {SettingsKey::SensorMode, &ConfigRecord::SensorMode},
        {SettingsKey::Sync, &ConfigRecord::Sync},
    };
    bool taken = false;
    for (const auto &option : options) {
        if (!settings.contains(QLatin1String(option.key))) {
            record.*option.field = described.*option.field;
            taken = true;
        }
    }
    return taken;
}
