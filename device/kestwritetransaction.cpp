// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestwritetransaction.h"

#include <functional>

#include "device/kestdevicecontext.h"
#include "device/kestdevicelock.h"
#include "device/settingswire.h"
#include "store/appsettings.h"
#include "store/lightingslot.h"
#include "store/profilefiles.h"

namespace {

// The product the lighting rule asks about, found as the window finds it at start-up.
QString installedProduct()
{
    const QString current = readProductName();
    return current.isEmpty() ? readMouseListName() : current;
}

// Everything the write needs from the settings and the device description, read before
// the first report so that none of it is read between reports.
struct WriteSetup
{
    QString product;
    KestButtonLayout layout;
};

SendResult sendReports(KestDeviceContext &context, KestWriteResult &result, const KestMacroFiles &macros,
                       const WriteSetup &setup)
{
    ConfigRecord &sent = result.sent;
    // The mouse gets the slot the user is looking at, and the lighting the lighting panel
    // edits; the button table and macros follow the same slot.
    ProfileRecord &slot = sent.profiles[size_t(activeSlotIndex(sent))];
    const ProfileRecord &lighting = sent.profiles[size_t(lightingSlotIndex(sent, setup.product))];
    const auto dpi = buildDpiReports(slot, setup.layout.sensor);
    KestButtonUpload upload(context, slot, setup.layout);
    const auto send = [&context](const KestCommandReport &report) { return sendCommand(context, report); };

    // Steps in the order the firmware expects them. The button table has to go before the
    // macro upload: encoding it hands out the macro numbers the upload then looks up.
    const std::function<quint8()> steps[] = {
        [&] { return send(buildMarkerReport(true)); },
        [&] { return send(buildLightingReport(slot, lighting)); },
        [&] { return send(buildSensorReport(sent, lighting)); },
        [&] { return upload.sendTable(); },
        [&] { return send(dpi[0]); },
        [&] { return send(dpi[1]); },
        [&] { return upload.sendMacros(macros); },
        [&] { return send(buildMarkerReport(false)); },
    };
    SendResult status = SEND_OK;
    for (const auto &step : steps) {
        if (const quint8 stepResult = step()) {
            status = SendResult(stepResult);
            break;
        }
    }
    // A failed write names no macro: the user is told it failed, and the next one sends
    // everything again.
    if (status == SEND_OK)
        result.skippedMacros = upload.skipped();
    return status;
}

} // namespace

QVector<KestMacroSkip> KestWriteResult::skipped(KestMacroSkip::Reason reason) const
{
    QVector<KestMacroSkip> matching;
    for (const KestMacroSkip &skip : skippedMacros) {
        if (skip.reason == reason)
            matching.append(skip);
    }
    return matching;
}

KestWriteResult writeProfileSet(KestDeviceContext &context, const ConfigRecord &record,
                                const KestMacroFiles &macros)
{
    const WriteSetup setup{installedProduct(), KestButtonLayout::read()};
    const TransactionReaderHooks reader = context.readerHooks();
    if (reader.stop)
        reader.stop();

    KestWriteResult result;
    result.sent = record;
    {
        // One transaction: another program must not put its reports between ours.
        const KestDeviceLock deviceLock;
        result.status = deviceLock.isHeld() ? sendReports(context, result, macros, setup) : SEND_GAVE_UP;
    }
    // Commands sent later (the profile menu's pointer speed) read the set as the mouse has it.
    context.sentRecord() = result.sent;
    if (result.succeeded() && reader.start)
        reader.start();
    return result;
}

KestWriteResult writeProfileSet(const ConfigRecord &record)
{
    const KestMacroFiles macros = readMacroFiles(record.profiles[size_t(activeSlotIndex(record))]);
    return writeProfileSet(KestDeviceContext::link(), record, macros);
}

KestWriteResult applyWorkingSet(ConfigRecord &working, ConfigRecord &lastWritten, const KestMacroFiles *macros)
{
    const KestFileResult saved = saveAll(working);
    KestWriteResult result =
        macros ? writeProfileSet(KestDeviceContext::link(), working, *macros) : writeProfileSet(working);
    lastWritten = working;
    // Config/Diff tells the next start whether the mouse may differ from the files; a
    // result that cannot record it is not saved either.
    result.saved = KestFileResult::firstFailure(saved, writeDiff(result.succeeded() ? 0 : 1));
    return result;
}
