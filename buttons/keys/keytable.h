// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>
#include <QString>

// The program's one-byte key code: PC scan code set 1 for the main block, 224 and up for
// keypad keys that share a scan code with the cursor block, 240..242 for mouse buttons.
using KeyCode = quint8;

// Well-known key codes that the encoders and capture dialogs test for.
namespace Key {
constexpr KeyCode LeftCtrl = 29;
constexpr KeyCode LeftShift = 42;
constexpr KeyCode RightShift = 54;
constexpr KeyCode LeftAlt = 56;
constexpr KeyCode LeftWindows = 91;
constexpr KeyCode RightWindows = 92;
constexpr KeyCode RightCtrl = 238;
constexpr KeyCode RightAlt = 239;
constexpr KeyCode LeftButton = 240;
constexpr KeyCode RightButton = 241;
constexpr KeyCode MiddleButton = 242;
} // namespace Key

enum class KeyNameSet { English, French };

// The French names apply only when the description file's "french" value names the current
// language; -1 (its default) keeps English whatever the language.
KeyNameSet keyNameSetFor(int frenchLangId, int currentLangId);

// The set keyName(code) uses; English until someone chooses otherwise. Safe from any thread.
void setActiveKeyNameSet(KeyNameSet set);
KeyNameSet activeKeyNameSet();

// Display name of a key code; empty for a code without a name.
QString keyName(KeyCode code);
QString keyName(KeyCode code, KeyNameSet set);

// Conversions between key codes and USB HID keyboard usage IDs. On failure the output is
// left untouched and false is returned.
bool keyCodeToUsage(KeyCode code, quint8 &usage);
bool usageToKeyCode(quint8 usage, KeyCode &code);

// Flags of a low-level keyboard event.
namespace HookFlag {
constexpr quint32 Extended = 0x01;
constexpr quint32 AltDown = 0x20;
constexpr quint32 KeyUp = 0x80;
} // namespace HookFlag

// Turns the scan code and flags of a low-level keyboard event into a key code: keypad keys
// that share a scan code with the cursor block, right Ctrl/Alt, keypad Enter and / and
// Num Lock get codes of their own; everything else keeps its scan code.
quint32 translateHookKey(quint32 scanCode, quint32 flags);
