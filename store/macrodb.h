// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "store/configrecord.h"
#include "store/kestfileresult.h"

// Macro files "<name>.MSMACRO" (INI, section Setting) in the macro folder, and the list
// of up to fifty macro names in the global Config.ini ("MACRO_LIST/0".."49"). List slots
// are never compacted: a removed macro leaves a hole that the next new macro fills.

namespace MacroKey {
constexpr const char *MacroFilePath = "Setting/MacroFilePath";
constexpr const char *DefaultDelay = "Setting/DefaultDelay";
constexpr const char *DelayType = "Setting/DelayType";
constexpr const char *LoopType = "Setting/LoopType";
constexpr const char *LoopTime = "Setting/LoopTime";
constexpr const char *Count = "Setting/Count";
constexpr const char *MapPrefix = "Setting/Map_";
constexpr const char *DataHPrefix = "Setting/DataH_";
constexpr const char *DataLPrefix = "Setting/DataL_";
constexpr const char *WriteSign = "Setting/WriteSign";
} // namespace MacroKey

// Action codes; bit 7 marks a press.
constexpr quint8 MACRO_KEY_DOWN = 0x84;
constexpr quint8 MACRO_KEY_UP = 0x04;
constexpr quint8 MACRO_MOUSE_DOWN = 0x81;
constexpr quint8 MACRO_MOUSE_UP = 0x01;
constexpr quint8 MACRO_MOVE = 0x02;
constexpr quint8 MACRO_DELAY = 0x06;

// Upper bound on the actions read from one file; "Setting/Count" is not trusted further.
constexpr int MACRO_MAX_ACTIONS = 4096;

struct MacroAction
{
    quint8 map = 0;
    quint8 high = 0; // "DataH"
    quint8 low = 0;  // "DataL"

    bool operator==(const MacroAction &o) const { return map == o.map && high == o.high && low == o.low; }
    bool operator!=(const MacroAction &o) const { return !(*this == o); }
};

struct MacroSettings
{
    QString filePath; // as stored; saveMacro writes the file's real path
    int defaultDelay = 10;
    int delayType = 0; // 0 none, 1 recorded, 2 default delay
    int loopType = 0;  // 0 none, 1 loop count, 2 repeat while held, 3 repeat until pressed again
    int loopTime = 1;
};

struct Macro
{
    MacroSettings settings;
    QVector<MacroAction> actions;
    int writeSign = 0;
};

enum class WriteSign
{
    Set,  // the editor's save: the macro must be sent again
    Leave // the recoil dialogs' save: the flag is not written
};

QString macroFolder();                     // configFolder() + "/MacroDB"
QString macroFilePath(const QString &name); // macroFolder() + "/" + name + ".MSMACRO"

// Whole-file write: the file and why when the name is refused (InvalidName), the macro is
// longer than MACRO_MAX_ACTIONS (OverLimit) or the file could not be written.
KestFileResult saveMacro(const QString &name, const MacroSettings &settings,
                         const QVector<MacroAction> &actions, WriteSign sign = WriteSign::Set);
// A missing file (or a refused name) reads as an empty macro.
Macro loadMacro(const QString &name);
// The actions for the upload: at most MACRO_MAX_ACTIONS of "Setting/Count".
QVector<MacroAction> readMacroActions(const QString &name);

// Slot i of the list, 0..49; empty strings for free slots.
QStringList readMacroList();
// Slot index, or -1 when the list is full, the name is refused or Config.ini could not be
// written.
int addToMacroList(const QString &name);
int removeFromMacroList(const QString &name); // slot index emptied, or -1
KestFileResult renameInMacroList(int slot, const QString &name); // the name in slot 0..49
QString newMacroName();                       // "name_%d", smallest %d from 1 not taken
// A name is taken when the list holds it or its file exists: a listed macro whose file
// is missing still owns its name.
bool isMacroNameTaken(const QString &name);
bool deleteMacroFile(const QString &name);
// Whether a macro file from elsewhere may be taken in (before it is copied).
KestFileResult checkMacroFile(const QString &path);
int readWriteSign(const QString &name);
KestFileResult clearWriteSign(const QString &name); // Missing when there is no such macro

// Conversions between the file's actions and a macro button's key steps.
KeyInfo macroActionToKeyInfo(const MacroAction &action);
MacroAction keyInfoToMacroAction(const KeyInfo &step);
