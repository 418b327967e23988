#pragma once

#include <functional>

#include <QtGlobal>

#include "store/configrecord.h"

// One write transaction: the current slot (ProfileID, clamped to 0..4) into the mouse, each
// report verified. Every per-slot value (active DPI level, report rate, DPI levels, button
// table and the macros it numbers) comes from the current slot; the lighting values from the
// lighting slot (store/lightingslot.h); the sensor options are shared by all slots.
// Runs for seconds; call it from a worker thread, never from the GUI thread.
//
// The mask is accepted for the callers' sake and ignored: every call sends everything.
// The transaction holds the device lock (kestdevicelock.h) throughout; while another
// program holds it beyond the wait, nothing is sent and the result is 2.
// Returns 0, or the first non-zero exchange result (the rest is then not sent). Buttons
// whose macro did not fit the mouse's twelve are listed in SkippedMacroButtons()
// (buttonupload.h) afterwards.
quint8 WriteConfig(const ConfigRecord &record, ChangeMask mask);

// The battery reader the transaction stops before its first report and starts again after
// success (after a failure it stays stopped). Either may be empty. The stop must not return
// before the reader's thread has ended.
struct TransactionReaderHooks {
    std::function<void()> stop;
    std::function<void()> start;
};
void setTransactionReaderHooks(const TransactionReaderHooks &hooks);

// The profile-menu commands for slot 0..4, then the pointer speed of the sent record's
// active slot. A failure does not stop the first two reports; the refresh sequence stops at
// its first failure. Returns the first non-zero exchange result; 2 also when another
// program held the mouse for the whole wait (kestdevicelock.h), then nothing is sent.
quint8 SelectProfileOnDevice(int slot);

// The same profile-menu commands, then the desktop pointer speed `pointerSpeed` (the new
// slot's, which the sent record need not hold): one pointer-speed call per switch.
quint8 SelectProfileOnDevice(int slot, int pointerSpeed);

// The desktop pointer speed from the mousespeed of SentRecord()'s active slot.
void ApplyPointerSpeed();
int GetPointerSpeed();
