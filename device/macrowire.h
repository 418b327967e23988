// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QVector>

#include "device/commandreport.h"
#include "store/configrecord.h"

// Wire layout of the macro memory: twelve 256-byte slots, each carried by nine commands.
// Slot k uses commands 0x10 + 9k .. 0x18 + 9k: eight reports of 30 bytes, then one of 16.
namespace MacroWire {
constexpr int SlotCount = 12;
constexpr int SlotBytes = 256;
constexpr int FilledBytes = 200;     // an encoded macro never uses more of its slot
constexpr int StepBytes = 3;         // map, low, high
constexpr int ChunkBytes = 30;
constexpr int FullChunks = 8;
constexpr int TailBytes = SlotBytes - FullChunks * ChunkBytes;
constexpr int ReportsPerSlot = FullChunks + 1;
constexpr quint8 DelayStep = 6;
constexpr int GroupSize = 4;         // steps between the delays the encoder inserts
constexpr int EmptyCheckBytes = 5;   // a slot whose first bytes are zero is not sent

static_assert(TailBytes == 16, "the ninth report carries the last 16 bytes");
static_assert(CommandReport::FirstParameterByte + ChunkBytes - 1 == CommandReport::LastParameterByte,
              "a chunk fills the parameter bytes exactly");
static_assert(CommandReport::MacroFirst + SlotCount * ReportsPerSlot - 1 == CommandReport::MacroLast,
              "twelve slots use commands 0x10..0x7B");

// Command of report j (0..8) of slot k.
constexpr quint8 command(int slot, int report)
{
    return quint8(CommandReport::MacroFirst + slot * ReportsPerSlot + report);
}
} // namespace MacroWire

using MacroSlotBytes = std::array<quint8, MacroWire::SlotBytes>;

// Lays out a macro's steps in a slot. A macro with any delay step of its own is copied as
// it is; otherwise a one-unit delay follows every fourth step and the last one, then a zero
// step. Whatever passes 200 bytes is cut.
MacroSlotBytes layoutMacro(const QVector<KeyInfo> &steps);

// Whether the slot carries a macro (its first bytes are not all zero).
bool macroSlotUsed(const MacroSlotBytes &slot);

// The nine reports of slot k, sealed.
std::array<KestCommandReport, MacroWire::ReportsPerSlot> buildMacroReports(int slot, const MacroSlotBytes &bytes);
