// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What choosing a function does to a button entry. The button window decides when to ask
// and what to show; these functions only change the record, so the rules can be checked
// without a window.

#include <QString>
#include <QVector>

#include "buttons/keys/keytable.h"
#include "store/configrecord.h"

// The mouse must keep at least one left click: true when giving `code` to `slot` would
// take the last Left assignment away.
bool removesLastLeftClick(const ProfileRecord &profile, int slot, qint32 code);

// A function without parameters: only Fun changes.
void assignPlainFunction(ButtonInfo &button, qint32 code);

void assignSingleKey(ButtonInfo &button, KeyCode key);

// Modifiers first (Shift, Ctrl, Windows, Alt), the ordinary key last: every key becomes a
// press step, and the releases follow in reverse order. KeyNumber keeps its value.
void assignComboKey(ButtonInfo &button, const QVector<KeyCode> &keys);

// Fire sources stored in Res1 for the three mouse buttons; a keyboard key is stored as its
// HID usage.
constexpr quint8 FIRE_LEFT = 0x81;
constexpr quint8 FIRE_RIGHT = 0x82;
constexpr quint8 FIRE_MIDDLE = 0x84;
enum class FireMode : quint8 { Left = 0, Right = 1, Middle = 2, Key = 3 };

// Res1 for a fire mode; a key without a HID usage gives 0.
quint8 fireSource(FireMode mode, KeyCode key);
void assignFireKey(ButtonInfo &button, quint8 source, int times, int delay);

enum class MacroAssignResult { Assigned, TooLong };

// Binds the named macro and copies its steps from the macro file. A macro with more steps
// than a button holds is refused and the button is left as it was: cut short, it would run
// differently from the one the user recorded.
MacroAssignResult assignMacro(ButtonInfo &button, const QString &name, int loopCount, int loopMode);

// What a button bound to a function with parameters does, in words: the keys of a single
// or combo key ("LCtrl + LShift + K"), the macro's name and how it repeats, the fire
// source with its shots and pace. Empty for functions without parameters.
QString bindingDetail(const ButtonInfo &button);
// A key as bindings and the key dialogs name it: modifiers whole ("Left Ctrl"), in the
// language of the window; other keys as the key table names them.
QString keyDisplayName(KeyCode code);

// The button's label in the button list: the detail where there is one, else the
// function's name (the macro or gun file name for those).
QString bindingLabel(const ButtonInfo &button, bool wheelEntry);

// The tool tip: the function's name, then the detail.
QString bindingToolTip(const ButtonInfo &button, bool wheelEntry);
