#include "store/appsettings.h"

#include <algorithm>

#include <QSettings>

#include "store/appdir.h"
#include "store/configlocation.h"
#include "store/profilefiles.h"

namespace {

QString key(const char *prefix, int n)
{
    return QLatin1String(prefix) + QString::number(n);
}

int readInt(const QString &path, const QString &k, int def = 0)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value(k, def).toInt();
}

void writeValue(const QString &path, const QString &k, const QVariant &value)
{
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(k, value);
}

QString readString(const QString &path, const QString &k)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value(k).toString();
}

int readGlobalInt(const char *k, int def = 0)
{
    return readInt(globalConfigPath(), QLatin1String(k), def);
}

// The list of a product is small, but a damaged count must not send us looping.
constexpr int MAX_PROFILE_LIST = 100000;

} // namespace

QString configFolder()
{
    return configFolderFor(applicationDir());
}

QString globalConfigPath()
{
    return configFolder() + QStringLiteral("/Config.ini");
}

QString languageConfigPath()
{
    return configFolder() + QStringLiteral("/LangConfig.ini");
}

QString productFolder()
{
    const QString product = readProductName();
    // The product name becomes a folder name; one that would leave the configuration
    // folder is treated as no product at all.
    if (!isValidStoreName(product))
        return configFolder();
    return configFolder() + QLatin1Char('/') + product;
}

QString productConfigPath()
{
    return productFolder() + QStringLiteral("/Config.ini");
}

void saveSlotList(const ConfigRecord &config)
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    ini.setValue(QLatin1String(SettingsKey::ProfileID), int(config.ProfileID));
    ini.setValue(QLatin1String(SettingsKey::Count), int(config.Count));
    for (int i = 0; i < SLOT_COUNT; ++i)
        ini.setValue(QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(i + 1), config.names[i]);
}

void saveActiveSlot(int slot)
{
    writeValue(globalConfigPath(), QLatin1String(SettingsKey::ProfileID), slot);
}

int readDiff()
{
    return readGlobalInt(SettingsKey::Diff);
}

void writeDiff(int diff)
{
    writeValue(globalConfigPath(), QLatin1String(SettingsKey::Diff), diff);
}

int readLanguage()
{
    return readInt(languageConfigPath(), QLatin1String(SettingsKey::LangID));
}

void writeLanguage(int index)
{
    writeValue(languageConfigPath(), QLatin1String(SettingsKey::LangID), index);
}

LanguageList readLanguageList()
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    LanguageList list;
    list.count = ini.value(QLatin1String(SettingsKey::LangNum), 0).toInt();
    for (int n = 0; n < LANGUAGE_SLOTS; ++n) {
        list.names[n] = ini.value(key(SettingsKey::LangNamePrefix, n)).toString();
        list.files[n] = ini.value(key(SettingsKey::LangFilePrefix, n)).toString();
    }
    return list;
}

LanguageFont readLanguageFont(int languageIndex)
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    LanguageFont font;
    font.family = ini.value(key(SettingsKey::FontPrefix, languageIndex)).toString();
    font.pixelSize = ini.value(key(SettingsKey::FontSizePrefix, languageIndex), 0u).toUInt();
    return font;
}

LanguageFont readCurrentLanguageFont()
{
    return readLanguageFont(readLanguage());
}

QString readProductName()
{
    return readString(globalConfigPath(), QLatin1String(SettingsKey::CurrentProductName));
}

void writeProductName(const QString &name)
{
    writeValue(globalConfigPath(), QLatin1String(SettingsKey::CurrentProductName), name);
}

QString readMouseListName()
{
    // The settings class reads raw INI bytes as Latin-1 when no codec is set.
    return readString(globalConfigPath(), QLatin1String(SettingsKey::MouseList0));
}

int readSensorCode()
{
    return readGlobalInt(SettingsKey::MouseSensor1);
}

int readThemeIndex()
{
    return std::clamp(readGlobalInt(SettingsKey::GColorID), 0, THEME_COUNT - 1);
}

QColor themeColor(int themeIndex)
{
    static const QColor table[THEME_COUNT] = {
        QColor(255, 0, 0),     QColor(0, 255, 0),   QColor(0, 0, 255), QColor(219, 200, 182),
        QColor(255, 0, 255),   QColor(0, 255, 255), QColor(255, 125, 0),
    };
    return table[std::clamp(themeIndex, 0, THEME_COUNT - 1)];
}

QColor readThemeColor()
{
    return themeColor(readThemeIndex());
}

int readBattery()
{
    return readGlobalInt(SettingsKey::Battery);
}

void writeBattery(int level)
{
    writeValue(globalConfigPath(), QLatin1String(SettingsKey::Battery), level);
}

QString readModel()
{
    return readString(globalConfigPath(), QLatin1String(SettingsKey::Model));
}

int countMacros()
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    int count = 0;
    for (int n = 0; n < MACRO_LIST_SIZE; ++n) {
        if (!ini.value(key(SettingsKey::MacroListPrefix, n)).toString().isEmpty())
            ++count;
    }
    return count;
}

QStringList readProfileList()
{
    QSettings ini(productConfigPath(), QSettings::IniFormat);
    const int count = std::clamp(ini.value(QLatin1String(SettingsKey::ProfileListCount), 0).toInt(),
                                 0, MAX_PROFILE_LIST);
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        const QString name = ini.value(key(SettingsKey::ProfileListPrefix, i)).toString();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

void writeProfileList(const QStringList &names)
{
    QSettings ini(productConfigPath(), QSettings::IniFormat);
    // Drop the old entries first so that a shorter list leaves no stale names behind.
    ini.remove(QStringLiteral("PROFILE_LIST"));
    ini.setValue(QLatin1String(SettingsKey::ProfileListCount), names.size());
    for (int i = 0; i < names.size(); ++i)
        ini.setValue(key(SettingsKey::ProfileListPrefix, i + 1), names[i]);
}
