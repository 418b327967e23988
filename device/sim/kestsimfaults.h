// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

// The ways the simulated mouse misbehaves, and how many more times it will. Counts apply to
// the next operations of that kind; -1 means forever. Each take...() says whether the
// operation at hand misbehaves and uses one of its count. Not locked: the mouse that owns
// it calls it under its own lock.
class KestSimFaults final
{
public:
    // Faults by name, as MOUSECFG_SIMULATE_FAULT gives them: "silent" (no answers), "zeros"
    // (answers are zero bytes), "wrong-echo" (every answer altered), "read-error",
    // "write-error", "unplug-after=N" (the device written to is pulled after N writes).
    // Several may be given, separated by commas.
    static bool isValidSpec(const QByteArray &spec);
    // An unknown name sets nothing and returns false.
    bool applySpec(const QByteArray &spec);
    void clear() { *this = KestSimFaults(); }

    bool silent = false;
    bool initFails = false;
    int allZeroAnswers = 0;
    int wrongEchoReads = 0;
    int wrongEchoByte = 0;
    int readErrors = 0;
    int writeErrors = 0;
    int unplugAfterWrites[2] = {-1, -1}; // receiver, cable

    bool takeWriteError() { return take(writeErrors); }
    bool takeReadError() { return take(readErrors); }
    bool takeZeroAnswer() { return take(allZeroAnswers); }
    bool takeWrongEcho() { return take(wrongEchoReads); }
    // After one more write to device (0 receiver, 1 cable): whether it is pulled now.
    bool takeUnplugAfterWrite(int device);

private:
    static bool take(int &count);
};
