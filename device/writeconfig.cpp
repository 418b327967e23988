// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/writeconfig.h"

#include <QDebug>

#include "device/devicelink.h"
#include "device/kestdevicelock.h"
#include "device/sendcommand.h"
#include "device/settingswire.h"
#include "platform/pointerspeed.h"
#include "platform/logging.h"

namespace {

// The whole selection holds the device: a switch half made by us and half by another
// program would leave the mouse on any slot.
quint8 sendSlotSelection(int slot)
{
    const KestDeviceLock deviceLock;
    if (!deviceLock.isHeld())
        return SEND_GAVE_UP;
    quint8 first = SendCommand(buildSelectSlotReport(quint8(slot)));
    const quint8 request = SendCommand(buildMenuReport(0x01));
    first = first ? first : request;
    for (quint8 argument : SettingsWire::MenuRefreshSequence) {
        if (const quint8 result = SendCommand(buildMenuReport(argument))) {
            first = first ? first : result;
            break;
        }
    }
    return first;
}

void applyPointerSpeed(int speed)
{
    noteDeviceCall("setPointerSpeed");
    const int error = setPointerSpeed(speed);
    qCDebug(lcDevice, "Error in SystemParametersInfo :%d", error);
}

} // namespace

void setTransactionReaderHooks(const TransactionReaderHooks &hooks)
{
    KestDeviceContext::link().setReaderHooks(hooks);
}

quint8 SelectProfileOnDevice(int slot, int pointerSpeed)
{
    const quint8 result = sendSlotSelection(slot);
    applyPointerSpeed(pointerSpeed);
    return result;
}
