// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/writeconfig.h"

#include <QDebug>

#include "device/devicelink.h"
#include "device/kestdevicelock.h"
#include "device/kestwritetransaction.h"
#include "device/sendcommand.h"
#include "device/sentrecord.h"
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

ConfigRecord &SentRecord()
{
    return KestDeviceContext::link().sentRecord();
}

QVector<KestMacroSkip> &SkippedMacroButtons()
{
    static QVector<KestMacroSkip> skipped;
    return skipped;
}

void setTransactionReaderHooks(const TransactionReaderHooks &hooks)
{
    KestDeviceContext::link().setReaderHooks(hooks);
}

quint8 WriteConfig(const ConfigRecord &record, ChangeMask mask)
{
    Q_UNUSED(mask)
    const KestWriteResult result = writeProfileSet(record);
    // Its readers word every entry as "the mouse holds twelve".
    SkippedMacroButtons() = result.skipped(KestMacroSkip::NoRoom);
    return result.status;
}

quint8 SelectProfileOnDevice(int slot)
{
    const quint8 result = sendSlotSelection(slot);
    const ConfigRecord &sent = SentRecord();
    applyPointerSpeed(sent.profiles[size_t(activeSlotIndex(sent))].mousespeed);
    return result;
}

quint8 SelectProfileOnDevice(int slot, int pointerSpeed)
{
    const quint8 result = sendSlotSelection(slot);
    applyPointerSpeed(pointerSpeed);
    return result;
}
