#include "store/macrodb.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "store/appsettings.h"
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

QVector<MacroAction> readActions(const QSettings &ini)
{
    const int count = std::clamp(ini.value(QLatin1String(MacroKey::Count), 0).toInt(), 0,
                                 MACRO_MAX_ACTIONS);
    QVector<MacroAction> actions(count);
    for (int i = 0; i < count; ++i) {
        MacroAction &a = actions[i];
        a.map = quint8(ini.value(actionKey(MacroKey::MapPrefix, i)).toInt());
        a.high = quint8(ini.value(actionKey(MacroKey::DataHPrefix, i)).toInt());
        a.low = quint8(ini.value(actionKey(MacroKey::DataLPrefix, i)).toInt());
    }
    return actions;
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

bool saveMacro(const QString &name, const MacroSettings &settings,
               const QVector<MacroAction> &actions, WriteSign sign)
{
    if (!isValidStoreName(name))
        return false;
    const QString path = macroFilePath(name);
    QSettings ini(path, QSettings::IniFormat);
    const QVariant oldSign = ini.value(QLatin1String(MacroKey::WriteSign));
    // The file is rewritten whole, so a shorter macro leaves no stale actions behind.
    ini.clear();
    ini.setValue(QLatin1String(MacroKey::MacroFilePath), QFileInfo(path).absoluteFilePath());
    ini.setValue(QLatin1String(MacroKey::DefaultDelay), settings.defaultDelay);
    ini.setValue(QLatin1String(MacroKey::DelayType), settings.delayType);
    ini.setValue(QLatin1String(MacroKey::LoopType), settings.loopType);
    ini.setValue(QLatin1String(MacroKey::LoopTime), settings.loopTime);
    ini.setValue(QLatin1String(MacroKey::Count), actions.size());
    for (int i = 0; i < actions.size(); ++i) {
        ini.setValue(actionKey(MacroKey::MapPrefix, i), int(actions[i].map));
        ini.setValue(actionKey(MacroKey::DataHPrefix, i), int(actions[i].high));
        ini.setValue(actionKey(MacroKey::DataLPrefix, i), int(actions[i].low));
    }
    if (sign == WriteSign::Set)
        ini.setValue(QLatin1String(MacroKey::WriteSign), 1);
    else if (oldSign.isValid())
        ini.setValue(QLatin1String(MacroKey::WriteSign), oldSign);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

Macro loadMacro(const QString &name)
{
    Macro macro;
    if (!macroFileExists(name))
        return macro;
    const QSettings ini(macroFilePath(name), QSettings::IniFormat);
    macro.settings.filePath = ini.value(QLatin1String(MacroKey::MacroFilePath)).toString();
    macro.settings.defaultDelay = ini.value(QLatin1String(MacroKey::DefaultDelay), 10).toInt();
    macro.settings.delayType = ini.value(QLatin1String(MacroKey::DelayType), 0).toInt();
    macro.settings.loopType = ini.value(QLatin1String(MacroKey::LoopType), 0).toInt();
    macro.settings.loopTime = ini.value(QLatin1String(MacroKey::LoopTime), 1).toInt();
    macro.writeSign = ini.value(QLatin1String(MacroKey::WriteSign), 0).toInt();
    macro.actions = readActions(ini);
    return macro;
}

QVector<MacroAction> readMacroActions(const QString &name)
{
    if (!macroFileExists(name))
        return {};
    return readActions(QSettings(macroFilePath(name), QSettings::IniFormat));
}

QStringList readMacroList()
{
    const QSettings ini(globalConfigPath(), QSettings::IniFormat);
    QStringList list;
    for (int n = 0; n < MACRO_LIST_SIZE; ++n)
        list << ini.value(listKey(n)).toString();
    return list;
}

int addToMacroList(const QString &name)
{
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    for (int n = 0; n < MACRO_LIST_SIZE; ++n) {
        if (ini.value(listKey(n)).toString().isEmpty()) {
            ini.setValue(listKey(n), name);
            return n;
        }
    }
    return -1;
}

int removeFromMacroList(const QString &name)
{
    if (name.isEmpty())
        return -1;
    QSettings ini(globalConfigPath(), QSettings::IniFormat);
    for (int n = 0; n < MACRO_LIST_SIZE; ++n) {
        if (ini.value(listKey(n)).toString() == name) {
            ini.setValue(listKey(n), QString());
            return n;
        }
    }
    return -1;
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
    const QSettings ini(macroFilePath(name), QSettings::IniFormat);
    return ini.value(QLatin1String(MacroKey::WriteSign), 0).toInt();
}

void clearWriteSign(const QString &name)
{
    // Never create a file for a binding whose macro is gone.
    if (!macroFileExists(name))
        return;
    QSettings ini(macroFilePath(name), QSettings::IniFormat);
    ini.setValue(QLatin1String(MacroKey::WriteSign), 0);
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
