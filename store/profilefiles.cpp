#include "store/profilefiles.h"

#include <QSettings>

#include "store/appsettings.h"
#include "store/kestinifile.h"
#include "store/profilekeys.h"

namespace {

const QString kProfileGroup = QStringLiteral("PROFILE");
const QString kProductTag = QStringLiteral("MouseName/Name");

QString confGroup(int slot)
{
    return QStringLiteral("PROFILE_%1").arg(slot);
}

// Field access inside one group of a profile or configuration file.
struct FieldReader
{
    const KestIniFile::Group group;

    // Bytes keep the low 8 bits of whatever number is stored.
    void operator()(const QString &k, quint8 &v, int def) const { v = quint8(group.intValue(k, def)); }
    void operator()(const QString &k, quint32 &v, int def) const { v = group.uintValue(k, uint(def)); }
    void operator()(const QString &k, qint32 &v, int def) const { v = group.intValue(k, def); }
    void operator()(const QString &k, QString &v, int) const { v = group.stringValue(k); }
    void operator()(const QString &k, QColor &v, int) const { v = group.value(k).value<QColor>(); }
};

// What a file without the key gives.
struct FieldDefaults
{
    template <class T>
    void operator()(const QString &, T &v, int def) const { v = T(def); }
    void operator()(const QString &, QString &v, int) const { v.clear(); }
    void operator()(const QString &, QColor &v, int) const { v = QColor(); }
};

// Fills a group that is not in the file yet (every caller starts it from scratch).
struct FieldWriter
{
    KestIniFile &ini;
    const int section;

    void operator()(const QString &k, const quint8 &v, int) const { ini.appendInt(section, k, v); }
    void operator()(const QString &k, const quint32 &v, int) const { ini.appendUInt(section, k, v); }
    void operator()(const QString &k, const qint32 &v, int) const { ini.appendInt(section, k, v); }
    void operator()(const QString &k, const QString &v, int) const { ini.appendString(section, k, v); }
    void operator()(const QString &k, const QColor &v, int) const { ini.appendValue(section, k, v); }
};

void readGroup(const KestIniFile &ini, const QString &group, ProfileRecord &profile, LedOptions led)
{
    visitProfileFields(profile, led, FieldReader{ini.group(group)});
}

// The group must not be in the file: callers load files without it or start empty.
void writeGroup(KestIniFile &ini, const QString &group, const ProfileRecord &profile, LedOptions led)
{
    visitProfileFields(profile, led, FieldWriter{ini, ini.addSection(group)});
}

bool finish(QSettings &ini)
{
    ini.sync();
    return ini.status() == QSettings::NoError;
}

// Sensor options and the active slot, shared by Config.ini and the ".conf" file.
struct OptionKeys
{
    const char *key;
    quint8 ConfigRecord::*field;
};

constexpr OptionKeys kOptions[] = {
    {SettingsKey::ProfileID, &ConfigRecord::ProfileID},
    {SettingsKey::AngleValue, &ConfigRecord::AngleValue},
    {SettingsKey::LiftHigh, &ConfigRecord::LiftHigh},
    {SettingsKey::Sync, &ConfigRecord::Sync},
    {SettingsKey::Jitter, &ConfigRecord::Jitter},
    {SettingsKey::Debounce, &ConfigRecord::Debounce},
    {SettingsKey::Wake, &ConfigRecord::Wake},
    {SettingsKey::SensorMode, &ConfigRecord::SensorMode},
    {SettingsKey::Count, &ConfigRecord::Count},
};

void readOptions(const QSettings &ini, ConfigRecord &config)
{
    for (const OptionKeys &o : kOptions)
        config.*o.field = quint8(ini.value(QLatin1String(o.key), 0).toInt());
}

void readOptions(const KestIniFile &ini, ConfigRecord &config)
{
    for (const OptionKeys &o : kOptions)
        config.*o.field = quint8(ini.intValue(QLatin1String(o.key)));
}

template <class Ini>
void writeOptions(Ini &ini, const ConfigRecord &config)
{
    for (const OptionKeys &o : kOptions)
        ini.setValue(QLatin1String(o.key), int(config.*o.field));
}

QString slotNameKey(int slot)
{
    return QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(slot + 1);
}

// A file that is not there reads as one without keys: every field gets its default.
void loadProfileFrom(const QString &path, const QString &group, ProfileRecord &profile)
{
    KestIniFile ini;
    ini.load(path);
    readGroup(ini, group, profile, LedOptions::Include);
}

} // namespace

QString profileFolder()
{
    return productFolder() + QStringLiteral("/Profile");
}

QString profileFilePath(const QString &name)
{
    return profileFolder() + QLatin1Char('/') + name + QStringLiteral(".prof");
}

QString templatePath()
{
    return profileFolder() + QStringLiteral("/DefaultProfile.prof");
}

bool isValidStoreName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0)
            return false;
    }
    return true;
}

void loadProfile(int slot, ProfileRecord &profile, const QString &path)
{
    if (path.isEmpty())
        loadProfileFrom(globalConfigPath(), confGroup(slot), profile);
    else
        loadProfileFrom(path, kProfileGroup, profile);
}

bool saveProfile(int slot, const ProfileRecord &profile, const QString &path)
{
    const bool global = path.isEmpty();
    const QString file = global ? globalConfigPath() : path;
    // Keys we do not own (a product tag) stay in the file; the profile group itself is
    // rewritten whole.
    const QString group = global ? confGroup(slot) : kProfileGroup;
    KestIniFile ini;
    ini.load(file, group);
    writeGroup(ini, group, profile, LedOptions::Include);
    return ini.save(file);
}

bool loadSlotFile(ProfileRecord &profile, const QString &name)
{
    if (!isValidStoreName(name))
        return false;
    loadProfileFrom(profileFilePath(name), kProfileGroup, profile);
    return true;
}

bool saveSlotFile(const ProfileRecord &profile, const QString &name)
{
    if (!isValidStoreName(name))
        return false;
    return saveProfile(0, profile, profileFilePath(name));
}

void loadAll(ConfigRecord &config)
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    readOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        config.names[k] = ini.value(slotNameKey(k)).toString();
        // A refused name has no file; the slot gets the defaults of a missing one.
        if (!loadSlotFile(config.profiles[k], config.names[k]))
            visitProfileFields(config.profiles[k], LedOptions::Include, FieldDefaults{});
    }
}

bool saveAll(const ConfigRecord &config)
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    writeOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k)
        ini.setValue(slotNameKey(k), config.names[k]);
    bool ok = finish(ini);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        // Slots without a usable name (after a configuration import) have no file.
        if (isValidStoreName(config.names[k]))
            ok = saveSlotFile(config.profiles[k], config.names[k]) && ok;
    }
    return ok;
}

bool exportConfig(const ConfigRecord &config, const QString &path)
{
    // The user chose to replace the file: nothing of an older export is kept.
    KestIniFile ini;
    writeOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k)
        writeGroup(ini, confGroup(k), config.profiles[k], LedOptions::Skip);
    return ini.save(path);
}

void importConfig(ConfigRecord &config, const QString &path)
{
    KestIniFile ini;
    ini.load(path);
    readOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        config.names[k] = ini.stringValue(slotNameKey(k));
        readGroup(ini, confGroup(k), config.profiles[k], LedOptions::Skip);
    }
}

bool writeProductTag(const QString &productName, const QString &path)
{
    KestIniFile ini;
    ini.load(path);
    ini.setString(kProductTag, productName);
    return ini.save(path);
}

QString readProductTag(const QString &path)
{
    KestIniFile ini;
    ini.load(path);
    return ini.stringValue(kProductTag);
}

bool writeTemplate()
{
    ProfileRecord profile;
    makeDefaultProfile(profile);
    return saveProfile(0, profile, templatePath());
}

void saveActiveDpi(QSettings &settings, int level)
{
    settings.setValue(QStringLiteral("PROFILE/dpi"), level);
}

bool saveActiveDpi(const QString &profilePath, int level)
{
    // Only a file that is there: a slot without a file is saved whole by the next apply.
    KestIniFile ini;
    if (!ini.load(profilePath))
        return false;
    ini.setInt(kProfileGroup + QStringLiteral("/dpi"), level);
    return ini.save(profilePath);
}
