#include "device/writeconfig.h"

#include <QDebug>
#include <QMutex>

#include "device/buttonupload.h"
#include "device/devicelink.h"
#include "device/kestdevicelock.h"
#include "device/sendcommand.h"
#include "device/sentrecord.h"
#include "device/settingswire.h"
#include "platform/pointerspeed.h"
#include "store/appsettings.h"
#include "store/lightingslot.h"
#include "platform/logging.h"

namespace {

QMutex g_hooksLock;
TransactionReaderHooks g_hooks;

TransactionReaderHooks hooks()
{
    QMutexLocker lock(&g_hooksLock);
    return g_hooks;
}

// The product the lighting rule asks about, found as the window finds it at start-up.
QString installedProduct()
{
    const QString current = readProductName();
    return current.isEmpty() ? readMouseListName() : current;
}

quint8 sendReports()
{
    const ConfigRecord &sent = SentRecord();
    // The mouse gets the slot the user is looking at, and the lighting the lighting panel
    // edits; the button table and macros follow the same slot (buttonupload.cpp).
    const ProfileRecord &slot = sent.profiles[size_t(activeSlotIndex(sent))];
    const ProfileRecord &lighting = sent.profiles[size_t(lightingSlotIndex(sent, installedProduct()))];
    const int sensor = readSensorCode();
    const auto dpi = buildDpiReports(slot, sensor);

    // Steps in the order the firmware expects them. The button table has to go before the
    // macro upload: encoding it hands out the macro numbers the upload then looks up.
    const std::function<quint8()> steps[] = {
        [] { return SendCommand(buildMarkerReport(true)); },
        [&] { return SendCommand(buildLightingReport(slot, lighting)); },
        [&] { return SendCommand(buildSensorReport(sent, lighting)); },
        [] { return SendButtonTable(); },
        [&] { return SendCommand(dpi[0]); },
        [&] { return SendCommand(dpi[1]); },
        [] { return SendMacros(); },
        [] { return SendCommand(buildMarkerReport(false)); },
    };
    for (const auto &step : steps) {
        if (const quint8 result = step())
            return result;
    }
    return SEND_OK;
}

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

} // namespace

ConfigRecord &SentRecord()
{
    static ConfigRecord record;
    return record;
}

void setTransactionReaderHooks(const TransactionReaderHooks &newHooks)
{
    QMutexLocker lock(&g_hooksLock);
    g_hooks = newHooks;
}

quint8 WriteConfig(const ConfigRecord &record, ChangeMask mask)
{
    Q_UNUSED(mask)
    const TransactionReaderHooks reader = hooks();
    if (reader.stop)
        reader.stop();

    SentRecord() = record;
    SkippedMacroButtons().clear();
    // One transaction: another program must not put its reports between ours.
    const KestDeviceLock deviceLock;
    const quint8 result = deviceLock.isHeld() ? sendReports() : quint8(SEND_GAVE_UP);
    if (result == SEND_OK && reader.start)
        reader.start();
    return result;
}

quint8 SelectProfileOnDevice(int slot)
{
    const quint8 result = sendSlotSelection(slot);
    ApplyPointerSpeed();
    return result;
}

quint8 SelectProfileOnDevice(int slot, int pointerSpeed)
{
    const quint8 result = sendSlotSelection(slot);
    noteDeviceCall("setPointerSpeed");
    const int error = setPointerSpeed(pointerSpeed);
    qCDebug(lcDevice, "Error in SystemParametersInfo :%d", error);
    return result;
}

void ApplyPointerSpeed()
{
    noteDeviceCall("ApplyPointerSpeed");
    const ConfigRecord &sent = SentRecord();
    const int speed = sent.profiles[size_t(activeSlotIndex(sent))].mousespeed;
    const int error = setPointerSpeed(speed);
    qCDebug(lcDevice, "Error in SystemParametersInfo :%d", error);
}

int GetPointerSpeed()
{
    return pointerSpeed();
}
