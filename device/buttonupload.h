#pragma once

#include <array>
#include <map>

#include <QString>
#include <QVector>

#include "device/buttonwire.h"
#include "device/macrowire.h"
#include "store/configrecord.h"

// The button table and macro memory of one write transaction. SendButtonTable numbers the
// macros the current slot's buttons use; SendMacros uploads them. Both read the current slot
// (ProfileID, clamped) of SentRecord().

using MacroNumberMap = std::map<int, QString>; // macro number -> macro name
using MacroSlotArray = std::array<MacroSlotBytes, MacroWire::SlotCount>;

// Process-wide state, kept between transactions like the mouse keeps its memory: an entry no
// button writes keeps its previous bytes.
ButtonTableBytes &ButtonTable();
MacroNumberMap &MacroNumbers();
MacroSlotArray &MacroSlots();

// Loop modes of a macro button (Res1).
namespace MacroLoop {
constexpr quint8 Count = 0;          // LoopNumber times
constexpr quint8 WhileHeld = 1;
constexpr quint8 UntilPressed = 2;
} // namespace MacroLoop

// Writes the table entry for one button (entry 0..15; others are ignored). A macro or gun
// file button gets its macro number, which is also stored in its Res4.
void EncodeButton(ButtonInfo &button, int entry);

// Builds the sixteen entries from the current slot and sends commands 0x07, 0x08, 0x09. Returns the
// first non-zero exchange result, else 0.
quint8 SendButtonTable();

// Fills macro slot `number` (0..11; others are ignored) with the laid-out steps.
void EncodeMacro(const QVector<KeyInfo> &steps, int number);

// A button of the sent slot that got no macro: the mouse holds twelve, and its macro was
// numbered after them.
struct KestMacroSkip
{
    int button = 0;  // index into BUTTON_INFO (40 and 41: the wheel)
    QString macro;
};

// The buttons of the last transaction whose macro was not uploaded, in button order.
// Emptied when a transaction starts, filled by SendButtonTable.
QVector<KestMacroSkip> &SkippedMacroButtons();

// Encodes the numbered macros from their files and sends the used slots. Only the first
// twelve numbers fit the mouse: buttons with a later number are skipped (they are listed
// in SkippedMacroButtons()), everything else is uploaded.
quint8 SendMacros();
