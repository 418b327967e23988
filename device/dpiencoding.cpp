// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/dpiencoding.h"

#include <algorithm>
#include <array>

namespace {

// A table is built from the rows the sensors' data sheets pin down ("anchors"), with the
// codes between two anchors filled in on the straight line joining them. That keeps every
// table monotone and makes each pinned row come out exactly.
struct Anchor {
    int code;
    int value;
};

template <int First, int Last>
struct Table {
    static constexpr int first = First;
    static constexpr int last = Last;
    std::array<quint8, Last - First + 1> values{};
};

template <int First, int Last, size_t N>
constexpr Table<First, Last> interpolate(const Anchor (&anchors)[N])
{
    Table<First, Last> table{};
    for (size_t i = 0; i + 1 < N; ++i) {
        const Anchor a = anchors[i];
        const Anchor b = anchors[i + 1];
        const int span = b.code - a.code;
        for (int c = a.code; c <= b.code; ++c) {
            const int offset = ((c - a.code) * (b.value - a.value) + span / 2) / span;
            table.values[size_t(c - First)] = quint8(a.value + offset);
        }
    }
    return table;
}

// value = dpi * numerator / denominator, for tables whose steps are a fixed DPI width.
template <int First, int Last, typename DpiOf>
constexpr Table<First, Last> proportional(DpiOf dpiOf, int numerator, int denominator)
{
    Table<First, Last> table{};
    for (int c = First; c <= Last; ++c)
        table.values[size_t(c - First)] = quint8(dpiOf(c) * numerator / denominator);
    return table;
}

constexpr Anchor k3311LowAnchors[] = {
    {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5},
    {115, 137}, {116, 138}, {117, 140}, {118, 141}, {119, 142}, {120, 143},
};
constexpr Anchor k3311HighAnchors[] = {
    {121, 72}, {122, 74}, {123, 75}, {124, 76}, {125, 77}, {126, 78}, {180, 143},
};
constexpr Anchor k3335LowAnchors[] = {
    {0, 0}, {155, 184}, {156, 185}, {157, 186}, {158, 187}, {159, 188}, {160, 188},
};
constexpr Anchor k3335HighAnchors[] = {
    {161, 144}, {162, 146}, {163, 147}, {164, 148}, {165, 149}, {166, 150}, {240, 239},
};

// DPI of a code per range, as the DPI panel shows it.
constexpr int dpi3325(int c) { return c <= 50 ? 100 * c : c <= 75 ? 200 * c - 5000 : 400 * c - 20000; }
constexpr int dpi3327(int c)
{
    return c <= 61 ? 100 * (c + 1) : c <= 92 ? 200 * c - 6000 : c == 106 ? 16400 : 300 * c - 15300;
}
constexpr int dpi3333(int c) { return c <= 80 ? 100 * c : 200 * c - 8000; }

// 3311: roughly 84 DPI per register step, twice that in the high range.
constexpr auto k3311Low = interpolate<0, 120>(k3311LowAnchors);
constexpr auto k3311High = interpolate<121, 180>(k3311HighAnchors);
// 3325: 45 DPI per step in range 0, doubling with each range.
constexpr auto k3325A = proportional<0, 50>(dpi3325, 1, 45);
constexpr auto k3325B = proportional<51, 75>(dpi3325, 1, 90);
constexpr auto k3325C = proportional<76, 90>(dpi3325, 1, 180);
// 3327: 400/9 DPI per step, widening by the range multiplier.
constexpr auto k3327A = proportional<0, 61>(dpi3327, 9, 400);
constexpr auto k3327B = proportional<62, 92>(dpi3327, 9, 800);
constexpr auto k3327C = proportional<93, 106>(dpi3327, 9, 1200);
// 3333: 50 DPI per step, 100 in the high range.
constexpr auto k3333A = proportional<0, 79>(dpi3333, 1, 50);
constexpr auto k3333B = proportional<80, 120>(dpi3333, 1, 100);
// 3335: about 85 DPI per step, twice that in the high range.
constexpr auto k3335Low = interpolate<0, 160>(k3335LowAnchors);
constexpr auto k3335High = interpolate<161, 240>(k3335HighAnchors);

static_assert(k3311Low.values[117] == 140 && k3311High.values[0] == 72, "pinned 3311 rows");
static_assert(k3325A.values[5] == 11 && k3327A.values[5] == 13, "pinned 3325/3327 rows");
static_assert(k3335Low.values[160] == 188 && k3335High.values[5] == 150, "pinned 3335 rows");

template <typename T>
quint8 lookup(const T &table, qint64 code)
{
    const qint64 clamped = std::clamp<qint64>(code, T::first, T::last);
    return table.values[size_t(clamped - T::first)];
}

template <typename T>
DpiTableRange rangeOf(const T &) { return {T::first, T::last}; }

DpiAxisEncoding fromTable(quint8 range, DpiTable table, qint64 code)
{
    return {range, dpiTableValue(table, code)};
}

// 8-bit sensors send only the low byte of the computed value.
DpiAxisEncoding lowByte(quint8 range, qint64 value) { return {range, quint16(value & 0xFF)}; }
DpiAxisEncoding word(quint8 range, qint64 value) { return {range, quint16(value & 0xFFFF)}; }

} // namespace

DpiTableRange dpiTableRange(DpiTable table)
{
    switch (table) {
    case DpiTable::S3311Low: return rangeOf(k3311Low);
    case DpiTable::S3311High: return rangeOf(k3311High);
    case DpiTable::S3325A: return rangeOf(k3325A);
    case DpiTable::S3325B: return rangeOf(k3325B);
    case DpiTable::S3325C: return rangeOf(k3325C);
    case DpiTable::S3327A: return rangeOf(k3327A);
    case DpiTable::S3327B: return rangeOf(k3327B);
    case DpiTable::S3327C: return rangeOf(k3327C);
    case DpiTable::S3333A: return rangeOf(k3333A);
    case DpiTable::S3333B: return rangeOf(k3333B);
    case DpiTable::S3335Low: return rangeOf(k3335Low);
    case DpiTable::S3335High: return rangeOf(k3335High);
    }
    return {0, 0};
}

quint8 dpiTableValue(DpiTable table, qint64 code)
{
    switch (table) {
    case DpiTable::S3311Low: return lookup(k3311Low, code);
    case DpiTable::S3311High: return lookup(k3311High, code);
    case DpiTable::S3325A: return lookup(k3325A, code);
    case DpiTable::S3325B: return lookup(k3325B, code);
    case DpiTable::S3325C: return lookup(k3325C, code);
    case DpiTable::S3327A: return lookup(k3327A, code);
    case DpiTable::S3327B: return lookup(k3327B, code);
    case DpiTable::S3327C: return lookup(k3327C, code);
    case DpiTable::S3333A: return lookup(k3333A, code);
    case DpiTable::S3333B: return lookup(k3333B, code);
    case DpiTable::S3335Low: return lookup(k3335Low, code);
    case DpiTable::S3335High: return lookup(k3335High, code);
    }
    return 0;
}

DpiAxisEncoding encodeDpiAxis(quint32 code, int sensor)
{
    const qint64 c = code;
    switch (sensor) {
    case 3104:
    case 31042:
        return c <= 106 ? lowByte(0, c) : lowByte(1, c - 53);
    case 3212:
        return c >= 95 ? lowByte(2, c - 63) : c >= 64 ? lowByte(1, c - 32) : lowByte(0, c);
    case 3311:
    case 33112:
        return c > 120 ? fromTable(1, DpiTable::S3311High, c) : fromTable(0, DpiTable::S3311Low, c);
    case 3325:
    case 33252:
        if (c < 51)
            return fromTable(0, DpiTable::S3325A, c);
        return c <= 75 ? fromTable(1, DpiTable::S3325B, c) : fromTable(2, DpiTable::S3325C, c);
    case 3327:
        if (c < 62)
            return fromTable(0, DpiTable::S3327A, c);
        return c <= 92 ? fromTable(1, DpiTable::S3327B, c) : fromTable(4, DpiTable::S3327C, c);
    case 3333:
        return c < 80 ? fromTable(0, DpiTable::S3333A, c) : fromTable(1, DpiTable::S3333B, c);
    case 3335:
    case 33352:
        return c <= 160 ? fromTable(0, DpiTable::S3335Low, c) : fromTable(1, DpiTable::S3335High, c);
    case 3360:
        return c <= 120 ? lowByte(0, c - 1) : lowByte(1, c - 61);
    case 3370:
        return c <= 200 ? lowByte(0, c - 1) : lowByte(1, c - 101);
    case 3389:
        return c <= 320 ? word(0, c) : word(1, c - 160);
    case 3395:
        return word(0, c);
    case 33952:
        return c <= 519 ? word(0, c) : word(1, c - 260);
    default:
        return {};
    }
}

DpiLevelBytes encodeDpiLevel(quint32 x, quint32 y, int sensor)
{
    // This sensor family has its axes the other way round.
    const bool swapped = sensor == 3104 || sensor == 31042;
    const DpiAxisEncoding ex = encodeDpiAxis(swapped ? y : x, sensor);
    const DpiAxisEncoding ey = encodeDpiAxis(swapped ? x : y, sensor);
    DpiLevelBytes bytes;
    bytes.xRange = ex.range;
    bytes.xLow = quint8(ex.value & 0xFF);
    bytes.xHigh = quint8(ex.value >> 8);
    bytes.yLow = quint8(ey.value & 0xFF);
    bytes.yHigh = quint8(ey.value >> 8);
    return bytes;
}

quint8 sniperValue(quint32 code, int sensor)
{
    switch (sensor) {
    case 3104:
    case 3212:
    case 3389: return quint8(code & 0xFF);
    case 3360: return quint8((code - 1) & 0xFF);
    case 3325: return dpiTableValue(DpiTable::S3325A, code);
    case 3327: return dpiTableValue(DpiTable::S3327A, code);
    case 3335: return dpiTableValue(DpiTable::S3335Low, code);
    default: return 4;
    }
}
