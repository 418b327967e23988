// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

#include "device/kestdevicecontext.h"

// What the link context does besides the write (kestwritetransaction.h has the write).

// Makes every write on the link context stop and restart this reader (TransactionReaderHooks).
void setTransactionReaderHooks(const TransactionReaderHooks &hooks);

// The profile-menu commands for slot 0..4, then the desktop pointer speed `pointerSpeed`
// (the new slot's): one pointer-speed call per switch. A failure does not stop the first
// two reports; the refresh sequence stops at its first failure. Returns the first non-zero
// exchange result; 2 also when another program held the mouse for the whole wait
// (kestdevicelock.h), then nothing is sent.
quint8 SelectProfileOnDevice(int slot, int pointerSpeed);
