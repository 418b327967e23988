// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

class KestCommandReport;
class KestDeviceContext;

// Results of one exchange.
enum SendResult : quint8
{
    SEND_OK = 0,           // confirmed, or written where no answer is expected
    SEND_NO_DEVICE = 1,    // no command interface open; nothing written
    SEND_GAVE_UP = 2,      // retries exhausted
    SEND_WRITE_FAILED = 4, // the write itself failed; not retried
};

// Writes one command report to the command interface and waits for its echo,
// retrying on silence, all-zero answers and mismatches. `report` must give
// length + 1 readable bytes; callers pass 33. Blocks from 10 ms up to several
// seconds; holds the exchange lock (devicelink.h) and the device lock
// (kestdevicelock.h) for the whole call. While another program holds the device
// lock beyond its wait, nothing is written and the result is SEND_GAVE_UP.
quint8 sendCommand(KestDeviceContext &context, const quint8 *report, int length);
quint8 sendCommand(KestDeviceContext &context, const KestCommandReport &report);
// The same on the link context (KestDeviceContext::link()).
quint8 SendCommand(const quint8 *report, int length);
quint8 SendCommand(const KestCommandReport &report);
