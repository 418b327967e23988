// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/ctlcommands.h"

#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutexLocker>

#include "device/buttonupload.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestdevicelock.h"
#include "device/kestgetbatterythread.h"
#include "device/sendcommand.h"
#include "device/statusdecode.h"
#include "device/kestwritetransaction.h"
#include "device/writeconfig.h"
#include "platform/logging.h"
#include "store/appsettings.h"
#include "store/configimport.h"
#include "store/kestinifile.h"
#include "store/profilefiles.h"
#include "tools/ctl/ctloutput.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

constexpr int kStatusWaitMs = 600;
// How long the tool waits for the window (or another tool) to finish with the mouse: a
// whole write of the profile set with twelve macros fits.
constexpr int kBusyWaitMs = 4000;
constexpr int kStatusReadMs = 100;

QString productName()
{
    const QString current = readProductName();
    return current.isEmpty() ? readMouseListName() : current;
}

// Opens the devices of the installed product the way the utility does at start-up.
bool openDevices(QTextStream &err)
{
    BuildDeviceTable();
    if (EnumerateDevices() != 0) {
        err << tr("mousecfgctl: the HID layer could not be started") << Qt::endl;
        return false;
    }
    OpenDevices(productName());
    return true;
}

// Holds the mouse for one command, so that the window's exchanges do not interleave with
// the tool's. False (and said) when another program kept it for the whole wait.
bool takeMouse(std::unique_ptr<KestDeviceLock> &lock, QTextStream &err)
{
    // A simulated mouse lives in this process: nobody else can be talking to it.
    if (isSimulatedMouse())
        return true;
    lock = std::make_unique<KestDeviceLock>(kBusyWaitMs);
    if (lock->isHeld())
        return true;
    err << "mousecfgctl: " << tr("the mouse is busy: another program is talking to it") << Qt::endl;
    return false;
}

QString resultText(int result)
{
    switch (result) {
    case SEND_NO_DEVICE:
        return tr("no mouse found: neither the receiver nor the cable has an open command interface");
    case SEND_GAVE_UP: return tr("the mouse did not confirm the commands");
    case kExitBusy: return tr("the mouse is busy: another program is talking to it");
    case SEND_WRITE_FAILED: return tr("writing to the mouse failed");
    default: return tr("unexpected result %1").arg(result);
    }
}

int reportResult(int result, QTextStream &err)
{
    if (result != SEND_OK) {
        err << "mousecfgctl: " << resultText(result) << Qt::endl;
        if (result == SEND_NO_DEVICE && !permissionProblemText().isEmpty())
            err << permissionProblemText() << Qt::endl;
    }
    return result;
}

QString hex4(int value) { return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')); }

// A warning, not a failure: everything else reached the mouse.
void warnSkippedMacros(const QVector<KestMacroSkip> &skipped, QTextStream &err)
{
    if (skipped.isEmpty())
        return;
    QStringList buttons;
    for (const KestMacroSkip &skip : skipped) {
        const QString button = skip.button == 40   ? tr("wheel up")
                               : skip.button == 41 ? tr("wheel down")
                                                   : tr("button %1").arg(skip.button + 1);
        buttons << QStringLiteral("%1 (%2)").arg(button, skip.macro);
    }
    err << "mousecfgctl: " << tr("warning: the mouse holds twelve macros; no macro for %1").arg(buttons.join(QStringLiteral(", ")))
        << Qt::endl;
}

bool g_simulated = false;

// The same write as the utility's apply: Config/Diff records whether the mouse may now
// differ from the saved set.
// The next write must send everything; a mark not saved is said, as the busy or failed
// answer it goes with is the command's result.
void markNotSent(QTextStream &err)
{
    const KestFileResult marked = writeDiff(1);
    if (!marked)
        err << "mousecfgctl: " << marked.text() << Qt::endl;
}

// Every write sends the whole slot, so there is nothing to choose; what the mouse did not
// take is said on stderr once the write succeeded.
int writeAndRecord(const ConfigRecord &record, QTextStream &err)
{
    const KestWriteResult written = writeProfileSet(record);
    // Unsaved, the next apply would send only what changed to a mouse that may lack more.
    const KestFileResult diff = writeDiff(written.succeeded() ? 0 : 1);
    if (!diff)
        qCWarning(lcDevice, "%s", qPrintable(diff.text()));
    if (written.succeeded())
        warnSkippedMacros(written.skipped(KestMacroSkip::NoRoom), err);
    return written.status;
}

} // namespace

void setSimulatedMouse(bool simulated) { g_simulated = simulated; }
bool isSimulatedMouse() { return g_simulated; }

int saveFailure(const QString &path, QTextStream &err)
{
    err << "mousecfgctl: " << tr("could not save \"%1\"").arg(QDir::toNativeSeparators(path)) << Qt::endl;
    return kExitNotSaved;
}

int saveFailure(const KestFileResult &result, QTextStream &err)
{
    err << "mousecfgctl: " << result.text() << Qt::endl;
    return kExitNotSaved;
}

int saveSet(const ConfigRecord &record, QTextStream &err)
{
    if (saveAll(record))
        return kExitOk;
    // Name the file that failed: the slot files first, then the settings file.
    for (int k = 0; k < SLOT_COUNT; ++k) {
        const QString &name = record.names[size_t(k)];
        if (isValidStoreName(name) && !saveSlotFile(record.profiles[size_t(k)], name))
            return saveFailure(profileFilePath(name), err);
    }
    return saveFailure(globalConfigPath(), err);
}

int runList(bool json, QTextStream &out, QTextStream &err)
{
    BuildDeviceTable();
    if (hidBackend().init() != 0) {
        err << "mousecfgctl: " << tr("the HID layer could not be started") << Qt::endl;
        return SEND_NO_DEVICE;
    }
    const KestDeviceEntry &entry = DeviceTable.entries[0];
    QJsonArray devices;
    for (const KestHidDeviceInfo &info : hidBackend().enumerate()) {
        QString role;
        if (info.vendorId == entry.vid1 && info.productId == entry.pid1)
            role = QStringLiteral("receiver");
        else if (info.vendorId == entry.vid2 && info.productId == entry.pid2)
            role = QStringLiteral("cable");
        else
            continue;
        QJsonObject device;
        device.insert(QStringLiteral("id"), hex4(info.vendorId) + QLatin1Char(':') + hex4(info.productId));
        device.insert(QStringLiteral("role"), role);
        device.insert(QStringLiteral("interface"), info.interfaceNumber);
        device.insert(QStringLiteral("usage-page"), hex4(info.usagePage));
        device.insert(QStringLiteral("usage"), hex4(info.usage));
        device.insert(QStringLiteral("release"), hex4(info.releaseNumber));
        device.insert(QStringLiteral("path"), QString::fromLocal8Bit(info.path));
        devices.append(device);
        if (json)
            continue;
        out << hex4(info.vendorId) << ':' << hex4(info.productId) << "  "
            << (role == QLatin1String("cable") ? tr("cable") : tr("receiver")) << "  "
            << tr("interface %1").arg(info.interfaceNumber) << "  "
            << tr("usage %1/%2").arg(hex4(info.usagePage), hex4(info.usage)) << "  "
            << tr("release %1").arg(hex4(info.releaseNumber)) << "  " << QString::fromLocal8Bit(info.path)
            << Qt::endl;
    }
    if (devices.isEmpty() && !json)
        out << tr("no receiver or mouse of this product found") << Qt::endl;

    // Opening tells apart devices that are there but closed to this user.
    EnumerateDevices();
    OpenDevices(productName());
    const QString permission = permissionProblemText();
    CloseDevices();
    if (json) {
        QJsonObject object;
        object.insert(QStringLiteral("devices"), devices);
        object.insert(QStringLiteral("permission-problem"), permission);
        printJson(object, out);
    } else if (!permission.isEmpty()) {
        out << permission << Qt::endl;
    }
    return kExitOk;
}

int runStatus(bool json, int storedSlot, QTextStream &out, QTextStream &err)
{
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err))
        return kExitBusy;

    const KestCommandReport query = KestGetBatteryThread::batteryQuery();
    QMutexLocker lock(&exchangeMutex());
    const KestHidHandle handle = CommandHandle();
    if (!handle)
        return reportResult(SEND_NO_DEVICE, err);
    if (hidWrite(handle, query.data(), CommandReport::WireLength) < 0)
        return reportResult(SEND_WRITE_FAILED, err);

    // Answers to earlier commands may still be queued: wait for the status report itself.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStatusWaitMs) {
        quint8 buffer[CommandReport::BufferSize] = {};
        if (hidReadTimeout(handle, buffer + 1, CommandReport::WireLength, kStatusReadMs) < 0)
            break;
        KestGetBatteryThread::Status reported;
        if (!KestGetBatteryThread::parseStatus(buffer + 1, reported))
            continue;
        const bool cable = CommandHandle() == commandHandle2;
        // Decoded as the running utility decodes it, so that both ways print the same: the
        // cable powers the mouse and its level is not known there, nor is it off.
        const statusdecode::Battery battery = statusdecode::decodeBattery(0, reported.batteryLow, cable);
        CtlStatus status;
        status.mouseOff = battery.off && !cable;
        status.battery = battery.percent;
        status.dpiLevel = statusdecode::dpiLevel(reported.dpiLevel);
        status.rateHz = statusdecode::rateCodeToHz(reported.rate);
        status.connection = cable ? QStringLiteral("cable") : QStringLiteral("receiver");
        status.slot = storedSlot;
        printStatus(status, json, out);
        return kExitOk;
    }
    return reportResult(SEND_GAVE_UP, err);
}

int runApply(const ConfigRecord &record, QTextStream &out, QTextStream &err)
{
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err)) {
        markNotSent(err); // as after any write that did not happen
        return kExitBusy;
    }
    const int result = writeAndRecord(record, err);
    if (result == SEND_OK)
        out << tr("profile set written to the mouse") << Qt::endl;
    return reportResult(result, err);
}

int writeSlotToMouse(const ConfigRecord &record, QTextStream &err)
{
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err)) {
        markNotSent(err);
        return kExitBusy;
    }
    return reportResult(writeAndRecord(record, err), err);
}

int runSelectSlot(const QString &slotText, ConfigRecord record, QTextStream &out, QTextStream &err)
{
    bool ok = false;
    const int slot = slotText.toInt(&ok) - 1;
    if (!ok || slot < 0 || slot >= SLOT_COUNT) {
        err << "mousecfgctl: " << tr("select-slot takes a slot from 1 to 5, not \"%1\"").arg(slotText) << Qt::endl;
        return kExitUsage;
    }
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    // Without a mouse nothing changes: not the stored slot, not the desktop's pointer speed.
    if (!CommandHandle())
        return reportResult(SEND_NO_DEVICE, err);
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err))
        return kExitBusy;
    // The pointer speed that goes with the slot comes from the stored set.
    const int result = SelectProfileOnDevice(slot, record.profiles[size_t(slot)].mousespeed);
    if (result != SEND_OK)
        return reportResult(result, err);
    // The utility starts on the stored slot: the switch only counts once it is saved.
    const KestFileResult saved = saveActiveSlot(slot);
    if (!saved)
        return saveFailure(saved, err);
    out << tr("slot %1 selected").arg(slot + 1) << Qt::endl;
    return kExitOk;
}

int runExportConf(const QString &path, const ConfigRecord &record, QTextStream &out, QTextStream &err)
{
    if (!exportConfig(record, path) || !writeProductTag(readProductName(), path))
        return saveFailure(path, err);
    out << tr("configuration exported to %1").arg(path) << Qt::endl;
    return kExitOk;
}

int runImportConf(const QString &path, const ConfigRecord &stored, QTextStream &out, QTextStream &err)
{
    ConfigRecord working = stored;
    // The window's import routine: the slots keep their names and files.
    const ConfigImport imported = importConfiguration(working, path, readProductName());
    if (imported.outcome == ConfigImport::Refused) {
        err << "mousecfgctl: " << imported.file.text() << Qt::endl;
        return kExitUsage;
    }
    if (imported.outcome == ConfigImport::OtherProduct) {
        err << "mousecfgctl: "
            << tr("\"%1\" belongs to product \"%2\", not to \"%3\"; nothing imported")
                   .arg(path, imported.productTag, readProductName())
            << Qt::endl;
        return kExitUsage;
    }
    // Saved before anything is sent, as the window's import: a failed write must not lose
    // the import, and a failed save must not leave the mouse holding what no file holds.
    const int saved = saveSet(working, err);
    if (saved != kExitOk)
        return saved;
    out << tr("configuration imported and saved") << Qt::endl;
    const int written = writeSlotToMouse(working, err);
    if (written == SEND_OK)
        out << tr("configuration written to the mouse") << Qt::endl;
    return written;
}
