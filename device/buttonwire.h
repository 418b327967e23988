// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include "device/commandreport.h"

// Wire layout of the button table: sixteen 4-byte entries carried by commands 0x07 (entries
// 0-6), 0x08 (7-13) and 0x09 (14-15), each entry's bytes from report byte 2 on.
struct ButtonEntry {
    quint8 f = 0;  // function byte
    quint8 p1 = 0;
    quint8 p2 = 0;
    quint8 p3 = 0;

    bool operator==(const ButtonEntry &o) const { return f == o.f && p1 == o.p1 && p2 == o.p2 && p3 == o.p3; }
    bool operator!=(const ButtonEntry &o) const { return !(*this == o); }
};
static_assert(sizeof(ButtonEntry) == 4, "a button entry is four bytes on the wire");

namespace ButtonWire {
constexpr int TableEntries = 16;
constexpr int EntriesPerReport = 7;
constexpr int ReportCount = 3;
static_assert(CommandReport::FirstParameterByte + EntriesPerReport * int(sizeof(ButtonEntry)) - 1
                  <= CommandReport::LastParameterByte,
              "seven entries fit one report");
static_assert(EntriesPerReport * (ReportCount - 1) + 2 == TableEntries, "7 + 7 + 2 entries");

// Function bytes the encoder fills in itself.
constexpr quint8 SingleKey = 0x90;
constexpr quint8 KeyCombo = 0x8F;   // p1 = HID modifier bits, p2 = keyboard usage
constexpr quint8 Consumer = 0x8E;   // p1 = 1, p2/p3 = consumer usage, low byte first
constexpr quint8 FireKey = 0x99;
constexpr quint8 Sniper = 0x9A;
constexpr quint8 Macro = 0x91;
constexpr quint8 GunFile = 0x9D;

// HID modifier bits of p1 for KeyCombo.
constexpr quint8 ModCtrl = 0x01;
constexpr quint8 ModShift = 0x02;
constexpr quint8 ModAlt = 0x04;
constexpr quint8 ModWindows = 0x08;

// p1 flags of a macro entry by loop mode.
constexpr quint8 MacroWhileHeld = 0x80;
constexpr quint8 MacroUntilPressed = 0x40;
constexpr quint8 MacroEndless = 0xFF; // p2 = p3 for the repeating modes

// Default source of a FIRE KEY without one: the left button, three times.
constexpr ButtonEntry FireKeyFallback = {FireKey, 0x81, 3, 0};
} // namespace ButtonWire

using ButtonTableBytes = std::array<ButtonEntry, ButtonWire::TableEntries>;

// The fixed entry of a function code; four zero bytes for codes without one. The encoder
// overrides the parameters of the functions that carry their own.
ButtonEntry defaultButtonEntry(qint32 function);

// The three reports of the table, sealed.
std::array<KestCommandReport, ButtonWire::ReportCount> buildButtonReports(const ButtonTableBytes &table);
