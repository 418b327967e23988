// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QString>
#include <QStringList>

#include "store/configrecord.h"
#include "store/kestfileresult.h"

// The program's own state under "Configs" beside the executable. Every accessor opens
// its file, reads or writes, and closes it; a missing file reads as one without keys.

namespace SettingsKey {
constexpr const char *ProfileID = "Config/ProfileID";
constexpr const char *AngleValue = "Config/AngleValue";
constexpr const char *LiftHigh = "Config/LiftHigh";
constexpr const char *Sync = "Config/Sync";
constexpr const char *Jitter = "Config/Jitter";
constexpr const char *Debounce = "Config/Debounce";
constexpr const char *Wake = "Config/Wake";
constexpr const char *SensorMode = "Config/SensorMode";
constexpr const char *Count = "Config/Count";
constexpr const char *ProfileNameFormat = "Config/Profile%1"; // %1 = 1..5
constexpr const char *Diff = "Config/Diff";
constexpr const char *CurrentProductName = "Config/CurrentProductName";
constexpr const char *GColorID = "Config/GColorID";
constexpr const char *Battery = "Config/Battery";
constexpr const char *Model = "Config/Model";
constexpr const char *LangID = "Config/LangID"; // in LangConfig.ini
constexpr const char *MouseList0 = "Mouse_List/0";
constexpr const char *MouseSensor1 = "MouseSenSor/1";
constexpr const char *LangNum = "FONT_LIST/LANGNUM";
constexpr const char *LangNamePrefix = "FONT_LIST/LangName_";
constexpr const char *LangFilePrefix = "FONT_LIST/LangFile_";
constexpr const char *FontPrefix = "FONT_LIST/FONT_";
constexpr const char *FontSizePrefix = "FONT_LIST/FONT_SIZE_";
constexpr const char *MacroListPrefix = "MACRO_LIST/";
constexpr const char *ProfileListCount = "PROFILE_LIST/Count"; // per-product Config.ini
constexpr const char *ProfileListPrefix = "PROFILE_LIST/";     // + 1..N
} // namespace SettingsKey

constexpr int LANGUAGE_SLOTS = 10;
constexpr int THEME_COUNT = 7;
constexpr int MACRO_LIST_SIZE = 50;

// Folders and files.
QString configFolder();         // application directory + "/Configs"; per user for an installed copy
QString globalConfigPath();     // configFolder() + "/Config.ini"
QString languageConfigPath();   // configFolder() + "/LangConfig.ini"
QString productFolder();        // configFolder() + "/" + product name (no product: configFolder())
QString productConfigPath();    // productFolder() + "/Config.ini"
// Where the keys that describe the product are read: product list, sensor, model, theme,
// languages and fonts. They come with the product, so an installed copy reads them from
// the installed "Configs/Config.ini" (a newer install must reach users whose own copy was
// seeded from an older one); a portable folder has only the one file.
QString productDataConfigPath();

// Every write below gives the file it could not save and why (KestFileResult::text()),
// or the refusal of a file it would not read; callers tell the user.

// Slot list and write state.
KestFileResult saveSlotList(const ConfigRecord &config); // ProfileID, Count and the five slot names
KestFileResult saveActiveSlot(int slot);
// Slots that showed profile oldName show newName (after a rename or delete).
KestFileResult renameSlotProfile(const QString &oldName, const QString &newName);
int readDiff();
KestFileResult writeDiff(int diff);

// Language. The one chosen in LangConfig.ini; until one is chosen (no key, or -1 as
// shipped), the language the
// desktop asks for where the product has a translation (languageForEnvironment), else the
// first listed.
int readLanguage();
KestFileResult writeLanguage(int index);

struct LanguageList
{
    int count = 0; // "FONT_LIST/LANGNUM" as stored; the ten slots are read whatever it says
    std::array<QString, LANGUAGE_SLOTS> names{};
    std::array<QString, LANGUAGE_SLOTS> files{};
};
LanguageList readLanguageList();
// The listed language the session asks for, as gettext looks for messages: each entry of
// LANGUAGE (colon-separated), then the first set of LC_ALL, LC_MESSAGES, LANG. A locale
// such as "fr_CA.UTF-8" matches a translation file named "..._fr_CA" before "..._fr".
// -1 when none is listed.
int languageForEnvironment(const LanguageList &list);

// Font of a language: family and pixel size before scaling, as stored (empty / 0 when
// missing; the widgets choose a fallback).
struct LanguageFont
{
    QString family;
    uint pixelSize = 0;
};
LanguageFont readLanguageFont(int languageIndex);
LanguageFont readCurrentLanguageFont(); // for readLanguage()

// Product, sensor, theme, battery, model.
QString readProductName();
KestFileResult writeProductName(const QString &name);
QString readMouseListName(); // "Mouse_List/0", Latin-1
int readSensorCode();
int readThemeIndex();              // "Config/GColorID" clamped into 0..6
KestRgb themeColor(int themeIndex); // the accent colour table, index clamped
KestRgb readThemeColor();          // themeColor(readThemeIndex())
int readBattery();
KestFileResult writeBattery(int level);
QString readModel();

// Macro list in the global Config.ini: number of non-empty slots.
int countMacros();

// Profile library list of the current product (per-product Config.ini).
QStringList readProfileList();
KestFileResult writeProfileList(const QStringList &names);
