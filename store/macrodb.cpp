// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/macrodb.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include "store/appsettings.h"
#include "store/kestinicache.h"
#include "store/kestinifile.h"
#include "store/profilefiles.h"

namespace {

QString listKey(int slot)
{
    return QLatin1String(SettingsKey::MacroListPrefix) + QString::number(slot);
}

QString actionKey(const char *prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index);
}

QVector<MacroAction> readActions(const KestIniFile &ini)
{
    // A file cannot describe more actions than it holds keys, whatever its count says.
    const int count = std::clamp(ini.intValue(QLatin1String(MacroKey::Count)), 0,
                                 std::min(MACRO_MAX_ACTIONS, ini.sectionSize(QStringLiteral("Setting"))));
    QVector<MacroAction> actions;
    for (int i = 0; i < count; ++i) {
        MacroAction a;
        a.map = quint8(ini.intValue(actionKey(MacroKey::MapPrefix, i)));
        a.high = quint8(ini.intValue(actionKey(MacroKey::DataHPrefix, i)));
        a.low = quint8(ini.intValue(actionKey(MacroKey::DataLPrefix, i)));
        actions.append(a);
    }
    return actions;
}

KestIniFile readFile(const QString &path)
{
    KestIniFile ini;
    static_cast<void>(KestIniCache::load(path, ini)); // a refusal is noted; the defaults stand
    return ini;
}

bool macroFileExists(const QString &name)
{
    return isValidStoreName(name) && QFileInfo(macroFilePath(name)).isFile();
}

} // namespace

QString macroFolder()
{
    return configFolder() + QStringLiteral("/MacroDB");
}

QString macroFilePath(const QString &name)
{
    return macroFolder() + QLatin1Char('/') + name + QStringLiteral(".MSMACRO");
}

KestFileResult saveMacro(const QString &name, const MacroSettings &settings,
                         const QVector<MacroAction> &actions, WriteSign sign)
{
    const QString path = macroFilePath(name);
    if (!isValidStoreName(name))
        return KestFileResult::notSaved(path, KestFileResult::InvalidName);
    // The reader takes no more than this many: a longer macro would come back cut short.
    if (actions.size() > MACRO_MAX_ACTIONS)
        return KestFileResult::notSaved(path, KestFileResult::OverLimit);
    return KestIniFile::update(path, [&](KestIniFile &ini) {
        const bool hadSign = ini.contains(QLatin1String(MacroKey::WriteSign));
        const int oldSign = ini.intValue(QLatin1String(MacroKey::WriteSign));
        // The file is rewritten whole, so a shorter macro leaves no stale actions behind.
        ini.clear();
        ini.setString(QLatin1String(MacroKey::MacroFilePath), QFileInfo(path).absoluteFilePath());
        ini.setInt(QLatin1String(MacroKey::DefaultDelay), settings.defaultDelay);
        ini.setInt(QLatin1String(MacroKey::DelayType), settings.delayType);
        ini.setInt(QLatin1String(MacroKey::LoopType), settings.loopType);
        ini.setInt(QLatin1String(MacroKey::LoopTime), settings.loopTime);
        ini.setInt(QLatin1String(MacroKey::Count), actions.size());
        for (int i = 0; i < actions.size(); ++i) {
            ini.setInt(actionKey(MacroKey::MapPrefix, i), int(actions[i].map));
            ini.setInt(actionKey(MacroKey::DataHPrefix, i), int(actions[i].high));
            ini.setInt(actionKey(MacroKey::DataLPrefix, i), int(actions[i].low));
        }
        if (sign == WriteSign::Set)
            ini.setInt(QLatin1String(MacroKey::WriteSign), 1);
        else if (hadSign)
            ini.setInt(QLatin1String(MacroKey::WriteSign), oldSign);
    });
}

Macro loadMacro(const QString &name)
{
    Macro macro;
    if (!macroFileExists(name))
        return macro;
    const KestIniFile ini = readFile(macroFilePath(name));
    macro.settings.filePath = ini.stringValue(QLatin1String(MacroKey::MacroFilePath));
    macro.settings.defaultDelay = ini.intValue(QLatin1String(MacroKey::DefaultDelay), 10);
    macro.settings.delayType = ini.intValue(QLatin1String(MacroKey::DelayType), 0);
    macro.settings.loopType = ini.intValue(QLatin1String(MacroKey::LoopType), 0);
    macro.settings.loopTime = ini.intValue(QLatin1String(MacroKey::LoopTime), 1);
    macro.writeSign = ini.intValue(QLatin1String(MacroKey::WriteSign), 0);
    macro.actions = readActions(ini);
    return macro;
}

QVector<MacroAction> readMacroActions(const QString &name)
{
    if (!macroFileExists(name))
        return {};
    return readActions(readFile(macroFilePath(name)));
}

QStringList readMacroList()
{
    const KestIniFile ini = readFile(globalConfigPath());
    QStringList list;
    for (int n = 0; n < MACRO_LIST_SIZE; ++n)
        list << ini.stringValue(listKey(n));
    return list;
}

namespace {

// Sets the first list slot that holds `match` to `value`; the slot, or -1.
int replaceInMacroList(const QString &match, const QString &value)
{
    int slot = -1;
    const KestFileResult written = KestIniFile::update(globalConfigPath(), [&](KestIniFile &ini) {
        for (int n = 0; n < MACRO_LIST_SIZE; ++n) {
            if (ini.stringValue(listKey(n)) == match) {
                ini.setString(listKey(n), value);
                slot = n;
                return;
            }
        }
    });
    return written.isOk() ? slot : -1;
}

} // namespace

int addToMacroList(const QString &name)
{
    if (!isValidStoreName(name))
        return -1;
    return replaceInMacroList(QString(), name);
}

int removeFromMacroList(const QString &name)
{
    if (name.isEmpty())
        return -1;
    return replaceInMacroList(name, QString());
}

KestFileResult renameInMacroList(int slot, const QString &name)
{
    if (slot < 0 || slot >= MACRO_LIST_SIZE || (!name.isEmpty() && !isValidStoreName(name)))
        return KestFileResult::notSaved(globalConfigPath(), KestFileResult::InvalidName);
    return KestIniFile::update(globalConfigPath(),
                               [&](KestIniFile &ini) { ini.setString(listKey(slot), name); });
}

QString newMacroName()
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("name_%1").arg(n);
        if (!isMacroNameTaken(name))
            return name;
    }
}

bool isMacroNameTaken(const QString &name)
{
    return QFileInfo::exists(macroFilePath(name)) || readMacroList().contains(name);
}

bool deleteMacroFile(const QString &name)
{
    if (!macroFileExists(name))
        return false;
    return QFile::remove(macroFilePath(name));
}

int readWriteSign(const QString &name)
{
    if (!macroFileExists(name))
        return 0;
    return readFile(macroFilePath(name)).intValue(QLatin1String(MacroKey::WriteSign));
}

KestFileResult clearWriteSign(const QString &name)
{
    // Never create a file for a binding whose macro is gone.
    if (!macroFileExists(name))
        return KestFileResult::missing(macroFilePath(name));
    return KestIniFile::update(macroFilePath(name),
                        [](KestIniFile &ini) { ini.setInt(QLatin1String(MacroKey::WriteSign), 0); });
}

KestFileResult checkMacroFile(const QString &path)
{
    KestIniFile ini;
    return openChosenFile(ini, path);
}

KeyInfo macroActionToKeyInfo(const MacroAction &action)
{
    KeyInfo step;
    step.map = action.map;
    step.low = action.low;
    step.high = action.high;
    return step;
}

MacroAction keyInfoToMacroAction(const KeyInfo &step)
{
    MacroAction action;
    action.map = step.map;
    action.high = step.high;
    action.low = step.low;
    return action;
}
