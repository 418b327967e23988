// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/appsettings.h"

#include <algorithm>
#include <atomic>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QThread>

#include "store/appdir.h"
#include "store/configlocation.h"
#include "store/kestfilestamp.h"
#include "store/kestinicache.h"
#include "store/kestinifile.h"
#include "store/kestsafewrite.h"
#include "store/profilefiles.h"

namespace {

QString key(const char *prefix, int n)
{
    return QLatin1String(prefix) + QString::number(n);
}

KestIniFile readFile(const QString &path)
{
    KestIniFile ini;
    static_cast<void>(KestIniCache::load(path, ini)); // a refusal is noted; the defaults stand
    return ini;
}

int readInt(const QString &path, const QString &k, int def = 0)
{
    return readFile(path).intValue(k, def);
}

KestFileResult writeValue(const QString &path, const QString &k, int value)
{
    return KestIniFile::update(path, [&](KestIniFile &ini) { ini.setInt(k, value); });
}

KestFileResult writeValue(const QString &path, const QString &k, const QString &value)
{
    return KestIniFile::update(path, [&](KestIniFile &ini) { ini.setString(k, value); });
}

QString readString(const QString &path, const QString &k)
{
    return readFile(path).stringValue(k);
}

int readGlobalInt(const char *k, int def = 0)
{
    return readInt(globalConfigPath(), QLatin1String(k), def);
}

int readProductInt(const char *k)
{
    return readInt(productDataConfigPath(), QLatin1String(k));
}

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

QString productDataConfigPath()
{
    const QString installed = installedConfigFolderFor(applicationDir()) + QStringLiteral("/Config.ini");
    if (configFolder() != installedConfigFolderFor(applicationDir()) && QFileInfo(installed).isFile())
        return installed;
    return globalConfigPath();
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

KestFileResult saveSlotList(const ConfigRecord &config)
{
    return KestIniFile::update(globalConfigPath(), [&config](KestIniFile &ini) {
        ini.setInt(QLatin1String(SettingsKey::ProfileID), int(config.ProfileID));
        ini.setInt(QLatin1String(SettingsKey::Count), int(config.Count));
        for (int i = 0; i < SLOT_COUNT; ++i)
            ini.setString(QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(i + 1), config.names[i]);
    });
}

KestFileResult renameSlotProfile(const QString &oldName, const QString &newName)
{
    return KestIniFile::update(globalConfigPath(), [&](KestIniFile &ini) {
        for (int k = 0; k < SLOT_COUNT; ++k) {
            const QString key = QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(k + 1);
            if (ini.contains(key) && ini.stringValue(key) == oldName)
                ini.setString(key, newName);
        }
    });
}

KestFileResult saveActiveSlot(int slot)
{
    return writeValue(globalConfigPath(), QLatin1String(SettingsKey::ProfileID), slot);
}

int readDiff()
{
    return readGlobalInt(SettingsKey::Diff);
}

KestFileResult writeDiff(int diff)
{
    return writeValue(globalConfigPath(), QLatin1String(SettingsKey::Diff), diff);
}

int readLanguage()
{
    const int chosen = readInt(languageConfigPath(), QLatin1String(SettingsKey::LangID), -1);
    if (chosen >= 0)
        return chosen;
    return qMax(0, languageForEnvironment(readLanguageList()));
}

KestFileResult writeLanguage(int index)
{
    return writeValue(languageConfigPath(), QLatin1String(SettingsKey::LangID), index);
}

LanguageList readLanguageList()
{
    const KestIniFile ini = readFile(productDataConfigPath());
    LanguageList list;
    list.count = ini.intValue(QLatin1String(SettingsKey::LangNum));
    for (int n = 0; n < LANGUAGE_SLOTS; ++n) {
        list.names[n] = ini.stringValue(key(SettingsKey::LangNamePrefix, n));
        list.files[n] = ini.stringValue(key(SettingsKey::LangFilePrefix, n));
    }
    return list;
}

int languageForEnvironment(const LanguageList &list)
{
    QStringList wanted = qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty()) {
            wanted.append(locale);
            break;
        }
    }
    for (QString locale : wanted) {
        // "fr_FR.UTF-8@euro" -> "fr_FR", then the bare language "fr".
        locale = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        const QString language = locale.section(QLatin1Char('_'), 0, 0);
        for (const QString &candidate : {locale, language}) {
            if (candidate.isEmpty() || candidate == QLatin1String("C") || candidate == QLatin1String("POSIX"))
                continue;
            for (int n = 0; n < LANGUAGE_SLOTS; ++n) {
                if (list.files[n].endsWith(QLatin1Char('_') + candidate, Qt::CaseInsensitive))
                    return n;
            }
        }
    }
    return -1;
}

LanguageFont readLanguageFont(int languageIndex)
{
    const KestIniFile ini = readFile(productDataConfigPath());
    LanguageFont font;
    font.family = ini.stringValue(key(SettingsKey::FontPrefix, languageIndex));
    font.pixelSize = ini.uintValue(key(SettingsKey::FontSizePrefix, languageIndex));
    return font;
}

namespace {

// Counts the wake-ups of the main thread's event loop: while it slept anyone may have
// changed a file; within one pass only this program's own writes can.
std::atomic<quint64> g_loopPasses{0};

// Whether g_loopPasses is counting, for a caller on the main thread; the first such call
// starts the count.
bool countingLoopPasses()
{
    static bool counting = false;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return false;
    if (!counting) {
        QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
        if (!dispatcher)
            return false;
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [] { ++g_loopPasses; });
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] { ++g_loopPasses; });
        counting = true;
    }
    return true;
}

} // namespace

LanguageFont readCurrentLanguageFont()
{
    // Every button asks for its font whenever it paints, and every menu entry when its
    // text is set: hundreds of calls in one pass of the event loop. The answer is kept
    // while both files are the ones it came from (a save replaces a file, so its identity
    // changes). Finding and checking them costs about 40 microseconds, so within one pass
    // of the main thread's loop, with no write of ours in between and the same folders,
    // the answer is taken as it is.
    struct Cache
    {
        QString languagePath, dataPath;
        KestFileStamp language, data;
        LanguageFont font;
        bool valid = false;
        // The pass it was last checked in.
        QString appDir, configHome, home;
        quint64 pass = 0, writes = 0;
        bool passChecked = false;
    };
    static QMutex lock;
    static Cache cache;
    const bool counting = countingLoopPasses();
    const QString appDir = applicationDir();
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString home = qEnvironmentVariable("HOME");
    {
        QMutexLocker locker(&lock);
        if (counting && cache.valid && cache.passChecked && cache.pass == g_loopPasses.load()
            && cache.writes == KestSafeWrite::writeCount() && cache.appDir == appDir
            && cache.configHome == configHome && cache.home == home)
            return cache.font;
    }
    const quint64 pass = g_loopPasses.load();
    const quint64 writes = KestSafeWrite::writeCount();
    const QString languagePath = languageConfigPath();
    const QString dataPath = productDataConfigPath();
    const KestFileStamp language = KestFileStamp::of(languagePath);
    const KestFileStamp data = KestFileStamp::of(dataPath);
    QMutexLocker locker(&lock);
    // A file changed moments ago may change again unseen by its stamp: read until it settles.
    if (!cache.valid || !language.settled || !data.settled || cache.languagePath != languagePath
        || cache.dataPath != dataPath || !(cache.language == language) || !(cache.data == data)) {
        cache.languagePath = languagePath;
        cache.dataPath = dataPath;
        cache.language = language;
        cache.data = data;
        cache.font = readLanguageFont(readLanguage());
        cache.valid = true;
    }
    // A file whose identity cannot be told is read again every time.
    cache.passChecked = counting && language.known && data.known;
    cache.appDir = appDir;
    cache.configHome = configHome;
    cache.home = home;
    cache.pass = pass;
    cache.writes = writes;
    return cache.font;
}

QString readProductName()
{
    return readString(globalConfigPath(), QLatin1String(SettingsKey::CurrentProductName));
}

KestFileResult writeProductName(const QString &name)
{
    return writeValue(globalConfigPath(), QLatin1String(SettingsKey::CurrentProductName), name);
}

QString readMouseListName()
{
    // The settings class reads raw INI bytes as Latin-1 when no codec is set.
    return readString(productDataConfigPath(), QLatin1String(SettingsKey::MouseList0));
}

int readSensorCode()
{
    return readProductInt(SettingsKey::MouseSensor1);
}

int readThemeIndex()
{
    return std::clamp(readProductInt(SettingsKey::GColorID), 0, THEME_COUNT - 1);
}

KestRgb themeColor(int themeIndex)
{
    static constexpr KestRgb table[THEME_COUNT] = {
        KestRgb(255, 0, 0),     KestRgb(0, 255, 0),   KestRgb(0, 0, 255), KestRgb(219, 200, 182),
        KestRgb(255, 0, 255),   KestRgb(0, 255, 255), KestRgb(255, 125, 0),
    };
    return table[std::clamp(themeIndex, 0, THEME_COUNT - 1)];
}

KestRgb readThemeColor()
{
    return themeColor(readThemeIndex());
}

int readBattery()
{
    return readGlobalInt(SettingsKey::Battery);
}

KestFileResult writeBattery(int level)
{
    return writeValue(globalConfigPath(), QLatin1String(SettingsKey::Battery), level);
}

QString readModel()
{
    return readString(productDataConfigPath(), QLatin1String(SettingsKey::Model));
}

int countMacros()
{
    const KestIniFile ini = readFile(globalConfigPath());
    int count = 0;
    for (int n = 0; n < MACRO_LIST_SIZE; ++n) {
        if (!ini.stringValue(key(SettingsKey::MacroListPrefix, n)).isEmpty())
            ++count;
    }
    return count;
}

QStringList readProfileList()
{
    const KestIniFile ini = readFile(productConfigPath());
    // The list cannot hold more names than the file holds keys, whatever its count says.
    const int count = std::clamp(ini.intValue(QLatin1String(SettingsKey::ProfileListCount)), 0,
                                 ini.sectionSize(QStringLiteral("PROFILE_LIST")));
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        const QString name = ini.stringValue(key(SettingsKey::ProfileListPrefix, i));
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

KestFileResult writeProfileList(const QStringList &names)
{
    return KestIniFile::update(productConfigPath(), [&names](KestIniFile &ini) {
        // Drop the old entries first so that a shorter list leaves no stale names behind.
        ini.removeSection(QStringLiteral("PROFILE_LIST"));
        ini.setInt(QLatin1String(SettingsKey::ProfileListCount), names.size());
        for (int i = 0; i < names.size(); ++i)
            ini.setString(key(SettingsKey::ProfileListPrefix, i + 1), names[i]);
    });
}
