// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVector>
#include <QtGlobal>

#include "device/buttonupload.h"
#include "device/kestdevicecontext.h"
#include "store/configrecord.h"

// Older entry points of the write (kestwritetransaction.h has the write itself), kept for
// the callers in app/ and tools/ until they take its result; to be removed then.
//
// writeProfileSet(record).status; the mask is not looked at (every write sends everything).
// Buttons whose macro did not fit the mouse's twelve are left in SkippedMacroButtons().
quint8 WriteConfig(const ConfigRecord &record, ChangeMask mask);
// The buttons of the last WriteConfig() whose macro did not fit, in button order.
QVector<KestMacroSkip> &SkippedMacroButtons();

// Makes every write on the link context stop and restart this reader (TransactionReaderHooks).
void setTransactionReaderHooks(const TransactionReaderHooks &hooks);

// The profile-menu commands for slot 0..4, then the pointer speed of the sent record's
// active slot. A failure does not stop the first two reports; the refresh sequence stops at
// its first failure. Returns the first non-zero exchange result; 2 also when another
// program held the mouse for the whole wait (kestdevicelock.h), then nothing is sent.
quint8 SelectProfileOnDevice(int slot);

// The same profile-menu commands, then the desktop pointer speed `pointerSpeed` (the new
// slot's, which the sent record need not hold): one pointer-speed call per switch.
quint8 SelectProfileOnDevice(int slot, int pointerSpeed);
