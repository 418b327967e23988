// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

// How a DPI code (the sensor register code the profile stores) becomes the range byte and
// value the mouse expects, per sensor. Codes outside what a sensor's table covers are
// clamped into the table; nothing ever reads past one.

// The lookup tables of the sensors whose register steps are not linear in the code.
enum class DpiTable {
    S3311Low,
    S3311High,
    S3325A,
    S3325B,
    S3325C,
    S3327A,
    S3327B,
    S3327C,
    S3333A,
    S3333B,
    S3335Low,
    S3335High,
};

struct DpiTableRange {
    int firstCode;
    int lastCode;
};

DpiTableRange dpiTableRange(DpiTable table);
// Entry `code` of a table, with the code clamped into the table's range.
quint8 dpiTableValue(DpiTable table, qint64 code);

struct DpiAxisEncoding {
    quint8 range = 0;
    quint16 value = 0; // low byte first on the wire; the high byte is 0 for 8-bit sensors
};

// Range and value of one axis code for a sensor; zero for a sensor without an encoding.
DpiAxisEncoding encodeDpiAxis(quint32 code, int sensor);

// The five bytes of one DPI level: X range, X value low/high, Y value low/high. The Y
// range is not sent. Sensors 3104/31042 take X from y and Y from x.
struct DpiLevelBytes {
    quint8 xRange = 0;
    quint8 xLow = 0;
    quint8 xHigh = 0;
    quint8 yLow = 0;
    quint8 yHigh = 0;
};
static_assert(sizeof(DpiLevelBytes) == 5, "a DPI level is five bytes on the wire");

DpiLevelBytes encodeDpiLevel(quint32 x, quint32 y, int sensor);

// Register value a SNIPER button sends for its DPI code.
quint8 sniperValue(quint32 code, int sensor);
