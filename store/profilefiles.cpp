// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/profilefiles.h"

#include <QFileInfo>

#include "store/appsettings.h"
#include "store/kestfilelock.h"
#include "store/kestinicache.h"
#include "store/kestinifile.h"
#include "store/kestsafewrite.h"
#include "store/kestwritejournal.h"
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
    void operator()(const QString &k, KestRgb &v, int) const { v = group.colorValue(k); }
};

// What a file without the key gives.
struct FieldDefaults
{
    template <class T>
    void operator()(const QString &, T &v, int def) const { v = T(def); }
    void operator()(const QString &, QString &v, int) const { v.clear(); }
    void operator()(const QString &, KestRgb &v, int) const { v = KestRgb(); }
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
    void operator()(const QString &k, const KestRgb &v, int) const { ini.appendColor(section, k, v); }
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

void readOptions(const KestIniFile &ini, ConfigRecord &config)
{
    for (const OptionKeys &o : kOptions)
        config.*o.field = quint8(ini.intValue(QLatin1String(o.key)));
}

void writeOptions(KestIniFile &ini, const ConfigRecord &config)
{
    for (const OptionKeys &o : kOptions)
        ini.setInt(QLatin1String(o.key), int(config.*o.field));
}

QString slotNameKey(int slot)
{
    return QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(slot + 1);
}

// A file that is not there, or that was refused, reads as one without keys: every field
// gets its default.
KestFileResult loadProfileFrom(const QString &path, const QString &group, ProfileRecord &profile)
{
    KestIniFile ini;
    const KestFileResult result = ini.loadSettings(path);
    readGroup(ini, group, profile, LedOptions::Include);
    return result;
}

KestFileResult firstRefusal(const KestFileResult &a, const KestFileResult &b)
{
    return a.isRefused() || !b.isRefused() ? a : b;
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
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.size() > MaxStoreNameBytes || name.toUtf8().size() > MaxStoreNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0)
            return false;
    }
    return true;
}

KestFileResult loadProfile(int slot, ProfileRecord &profile, const QString &path)
{
    if (path.isEmpty())
        return loadProfileFrom(globalConfigPath(), confGroup(slot), profile);
    return loadProfileFrom(path, kProfileGroup, profile);
}

KestFileResult saveProfile(int slot, const ProfileRecord &profile, const QString &path)
{
    const bool global = path.isEmpty();
    const QString file = global ? globalConfigPath() : path;
    // Keys we do not own (a product tag) stay in the file; the profile group itself is
    // rewritten whole.
    const QString group = global ? confGroup(slot) : kProfileGroup;
    KestIniFile ini;
    // A file we refused to read is not ours to replace.
    const KestFileResult read = ini.loadSettings(file, group);
    if (!read.isUsable())
        return read;
    writeGroup(ini, group, profile, LedOptions::Include);
    return ini.save(file);
}

bool loadSlotFile(ProfileRecord &profile, const QString &name)
{
    if (!isValidStoreName(name))
        return false;
    // A refused file is noted by the reader and the slot takes its defaults.
    static_cast<void>(loadProfileFrom(profileFilePath(name), kProfileGroup, profile));
    return true;
}

KestFileResult saveSlotFile(const ProfileRecord &profile, const QString &name)
{
    if (!isValidStoreName(name))
        return KestFileResult::notSaved(profileFilePath(name), KestFileResult::InvalidName);
    return saveProfile(0, profile, profileFilePath(name));
}

KestFileResult loadOptionsAndNames(ConfigRecord &config)
{
    KestIniFile ini;
    const KestFileResult result = KestIniCache::load(globalConfigPath(), ini);
    readOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k)
        config.names[k] = ini.stringValue(slotNameKey(k));
    return result;
}

KestFileResult loadAll(ConfigRecord &config)
{
    recoverPendingWrites();
    KestFileResult result = loadOptionsAndNames(config);
    // One after another: reading the five files side by side was several times slower in
    // wall and CPU time, each thread building and returning a heap of its own.
    for (int k = 0; k < SLOT_COUNT; ++k) {
        // A refused name has no file; the slot gets the defaults of a missing one.
        if (!isValidStoreName(config.names[k])) {
            visitProfileFields(config.profiles[k], LedOptions::Include, FieldDefaults{});
            continue;
        }
        result = firstRefusal(result, loadProfileFrom(profileFilePath(config.names[k]),
                                                      kProfileGroup, config.profiles[k]));
    }
    return result;
}

QString journalFolder()
{
    return configFolder() + QStringLiteral("/.journal");
}

void recoverPendingWrites()
{
    KestWriteJournal::recover(journalFolder(), configFolder());
}

KestFileResult saveAll(const ConfigRecord &config)
{
    const QString global = globalConfigPath();
    const KestFileResult writable = KestSafeWrite::check(global);
    if (!writable.isOk())
        return writable;
    const KestFileResult folder = KestSafeWrite::makeFolder(configFolder());
    if (!folder.isOk())
        return KestFileResult::notSaved(global, folder.reason());
    // The same lock as every other change of Config.ini: the slot names and options are
    // read, changed and replaced under it.
    const KestFileLock lock(global + QStringLiteral(".lock"), 2000);
    KestWriteJournal journal(journalFolder(), configFolder());
    KestIniFile ini;
    KestFileResult result = ini.loadSettings(global);
    if (!result.isUsable())
        return result;
    writeOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k)
        ini.setString(slotNameKey(k), config.names[k]);
    result = journal.add(global, ini);
    for (int k = 0; k < SLOT_COUNT && result.isOk(); ++k) {
        // Slots without a usable name (after a configuration import) have no file.
        if (!isValidStoreName(config.names[k]))
            continue;
        const QString path = profileFilePath(config.names[k]);
        KestIniFile slot;
        result = slot.loadSettings(path, kProfileGroup);
        if (!result.isUsable())
            break;
        writeGroup(slot, kProfileGroup, config.profiles[k], LedOptions::Include);
        result = journal.add(path, slot);
    }
    if (!result.isUsable())
        return result;
    return journal.commit();
}

KestFileResult exportConfig(const ConfigRecord &config, const QString &path)
{
    // The user chose to replace the file: nothing of an older export is kept.
    KestIniFile ini;
    writeOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k)
        writeGroup(ini, confGroup(k), config.profiles[k], LedOptions::Skip);
    return ini.save(path);
}

KestFileResult openChosenFile(KestIniFile &ini, const QString &path)
{
    const KestFileResult result = ini.load(path);
    if (result.isMissing())
        return KestFileResult::refused(path, KestFileResult::NotFound);
    return result;
}

void importConfig(ConfigRecord &config, const KestIniFile &ini)
{
    readOptions(ini, config);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        config.names[k] = ini.stringValue(slotNameKey(k));
        readGroup(ini, confGroup(k), config.profiles[k], LedOptions::Skip);
    }
}

KestFileResult importConfig(ConfigRecord &config, const QString &path)
{
    KestIniFile ini;
    const KestFileResult result = openChosenFile(ini, path);
    if (result.isOk())
        importConfig(config, ini);
    return result;
}

KestFileResult writeProductTag(const QString &productName, const QString &path)
{
    KestIniFile ini;
    const KestFileResult read = ini.load(path);
    if (!read.isUsable())
        return read;
    ini.setString(kProductTag, productName);
    return ini.save(path);
}

QString readProductTag(const KestIniFile &ini)
{
    return ini.stringValue(kProductTag);
}

QString readProductTag(const QString &path)
{
    QString tag;
    static_cast<void>(readProductTag(path, tag)); // no tag when refused
    return tag;
}

KestFileResult readProductTag(const QString &path, QString &tag)
{
    KestIniFile ini;
    const KestFileResult result = openChosenFile(ini, path);
    tag = readProductTag(ini);
    return result;
}

KestFileResult writeTemplate()
{
    ProfileRecord profile;
    makeDefaultProfile(profile);
    return saveProfile(0, profile, templatePath());
}

KestFileResult saveActiveDpi(const QString &profilePath, int level)
{
    // Only a file that is there: a slot without a file is saved whole by the next apply.
    if (!QFileInfo(profilePath).isFile())
        return KestFileResult::missing(profilePath);
    return KestIniFile::update(profilePath, [level](KestIniFile &ini) {
        ini.setInt(kProfileGroup + QStringLiteral("/dpi"), level);
    });
}
