// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVector>

#include "device/buttonupload.h"
#include "device/sendcommand.h"
#include "store/configrecord.h"
#include "store/kestfileresult.h"

class KestDeviceContext;

// What one write did, returned by the write itself.
struct KestWriteResult
{
    // 0 success, 1 no device, 2 not confirmed (or another program held the mouse for the
    // whole wait), 4 write failed. The first report that fails ends the write.
    SendResult status = SEND_OK;
    // Buttons of the sent slot whose macro the mouse did not get, in button order, each
    // with why. Only filled as far as the write got.
    QVector<KestMacroSkip> skippedMacros;
    // The profile set as sent: the macro buttons of the sent slot carry their numbers (Res4).
    ConfigRecord sent;
    // Whether the set was saved before it was sent, else the file that was not and why. A
    // write that reached the mouse with this not Ok leaves the mouse and the disk apart: the
    // caller must say so.
    KestFileResult saved;

    bool succeeded() const { return status == SEND_OK; }
    QVector<KestMacroSkip> skipped(KestMacroSkip::Reason reason) const;
};

// One write transaction: the current slot (ProfileID, clamped to 0..4) into the mouse, each
// report verified. Every per-slot value (active DPI level, report rate, DPI levels, button
// table and the macros it numbers) comes from the current slot; the lighting values from the
// lighting slot (store/lightingslot.h); the sensor options are shared by all slots. The
// macros come from `macros` (readMacroFiles()); nothing is read from disk once the first
// report is out. Holds the device lock (kestdevicelock.h) throughout; while another program
// holds it beyond the wait, nothing is sent and the status is 2. Stops the battery reader
// of the context's hooks first and starts it again after success. Runs for seconds: call it
// on the thread that owns the link, never on the GUI thread.
KestWriteResult writeProfileSet(KestDeviceContext &context, const ConfigRecord &record,
                                const KestMacroFiles &macros);
// The same on the link context, with the current slot's macros read once before it starts.
KestWriteResult writeProfileSet(const ConfigRecord &record);

// The work of one Apply: saves the working set (a failed write must not lose the user's
// settings), writes it (with `macros` when given, else the ones it reads once), copies it
// over the last-written set and records in "Config/Diff" whether everything must go next
// time.
KestWriteResult applyWorkingSet(ConfigRecord &working, ConfigRecord &lastWritten,
                                const KestMacroFiles *macros = nullptr);
