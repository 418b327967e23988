#include "tools/ctl/ctlcommands.h"

#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutexLocker>

#include "device/buttonupload.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestdevicelock.h"
#include "device/kestgetbatterythread.h"
#include "device/kestprocessthread.h"
#include "device/sendcommand.h"
#include "device/sentrecord.h"
#include "device/writeconfig.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

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

QString rateText(quint8 code)
{
    switch (code) {
    case 1: return QStringLiteral("1000 Hz");
    case 2: return QStringLiteral("500 Hz");
    case 4: return QStringLiteral("250 Hz");
    case 8: return QStringLiteral("125 Hz");
    default: return tr("unknown (code %1)").arg(code);
    }
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

// The same write as the utility's apply: Config/Diff records whether the mouse may now
// differ from the saved set.
int writeAndRecord(const ConfigRecord &record, ChangeMask mask)
{
    const quint8 result = WriteConfig(record, mask);
    writeDiff(result != SEND_OK ? 1 : 0);
    return result;
}

} // namespace

int runList(QTextStream &out, QTextStream &err)
{
    BuildDeviceTable();
    if (hidBackend().init() != 0) {
        err << tr("mousecfgctl: the HID layer could not be started") << Qt::endl;
        return SEND_NO_DEVICE;
    }
    const KestDeviceEntry &entry = DeviceTable.entries[0];
    int shown = 0;
    for (const KestHidDeviceInfo &info : hidBackend().enumerate()) {
        QString role;
        if (info.vendorId == entry.vid1 && info.productId == entry.pid1)
            role = tr("receiver");
        else if (info.vendorId == entry.vid2 && info.productId == entry.pid2)
            role = tr("cable");
        else
            continue;
        out << hex4(info.vendorId) << ':' << hex4(info.productId) << "  " << role << "  "
            << tr("interface %1").arg(info.interfaceNumber) << "  "
            << tr("usage %1/%2").arg(hex4(info.usagePage), hex4(info.usage)) << "  "
            << tr("release %1").arg(hex4(info.releaseNumber)) << "  " << QString::fromLocal8Bit(info.path)
            << Qt::endl;
        ++shown;
    }
    if (shown == 0)
        out << tr("no receiver or mouse of this product found") << Qt::endl;

    // Opening tells apart devices that are there but closed to this user.
    EnumerateDevices();
    OpenDevices(productName());
    const QString permission = permissionProblemText();
    if (!permission.isEmpty())
        out << permission << Qt::endl;
    CloseDevices();
    return kExitOk;
}

int runStatus(QTextStream &out, QTextStream &err)
{
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err))
        return SEND_GAVE_UP;

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
        KestGetBatteryThread::Status status;
        if (!KestGetBatteryThread::parseStatus(buffer + 1, status))
            continue;
        if (status.batteryLow == 0)
            out << tr("battery: mouse off") << Qt::endl;
        else
            out << tr("battery: %1%").arg(status.batteryLow) << Qt::endl;
        out << tr("DPI level: %1").arg(status.dpiLevel) << Qt::endl;
        out << tr("report rate: %1").arg(rateText(status.rate)) << Qt::endl;
        out << tr("connection: %1").arg(CommandHandle() == commandHandle2 ? tr("cable") : tr("receiver"))
            << Qt::endl;
        return kExitOk;
    }
    return reportResult(SEND_GAVE_UP, err);
}

int runApply(bool all, QTextStream &out, QTextStream &err)
{
    ConfigRecord record;
    loadAll(record);
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err)) {
        writeDiff(1); // as after any write that did not happen
        return SEND_GAVE_UP;
    }
    const ChangeMask mask = (all || readDiff() == 1) ? CHANGE_ALL : CHANGE_NONE;
    const int result = writeAndRecord(record, mask);
    if (result == SEND_OK) {
        out << tr("profile set written to the mouse") << Qt::endl;
        warnSkippedMacros(SkippedMacroButtons(), err);
    }
    return reportResult(result, err);
}

int runSelectSlot(const QString &slotText, QTextStream &out, QTextStream &err)
{
    bool ok = false;
    const int slot = slotText.toInt(&ok);
    if (!ok || slot < 0 || slot >= SLOT_COUNT) {
        err << tr("mousecfgctl: select-slot takes a slot from 0 to 4, not \"%1\"").arg(slotText) << Qt::endl;
        return kExitUsage;
    }
    // The pointer speed that goes with the slot comes from the stored set.
    ConfigRecord record;
    loadAll(record);
    record.ProfileID = quint8(slot);
    SentRecord() = record;
    if (!openDevices(err))
        return SEND_NO_DEVICE;
    std::unique_ptr<KestDeviceLock> mouse;
    if (!takeMouse(mouse, err))
        return SEND_GAVE_UP;
    const int result = SelectProfileOnDevice(slot);
    if (result == SEND_OK)
        out << tr("slot %1 selected").arg(slot) << Qt::endl;
    return reportResult(result, err);
}

int runExportConf(const QString &path, QTextStream &out, QTextStream &err)
{
    ConfigRecord record;
    loadAll(record);
    if (!exportConfig(record, path) || !writeProductTag(readProductName(), path)) {
        err << tr("mousecfgctl: could not write \"%1\"").arg(path) << Qt::endl;
        return kExitUsage;
    }
    out << tr("configuration exported to %1").arg(path) << Qt::endl;
    return kExitOk;
}

int runImportConf(const QString &path, QTextStream &out, QTextStream &err)
{
    if (!QFileInfo(path).isFile()) {
        err << tr("mousecfgctl: no such file \"%1\"").arg(path) << Qt::endl;
        return kExitUsage;
    }
    const QString tag = readProductTag(path);
    if (tag != readProductName()) {
        err << tr("mousecfgctl: \"%1\" belongs to product \"%2\", not to \"%3\"; nothing imported")
                   .arg(path, tag, readProductName())
            << Qt::endl;
        return kExitUsage;
    }
    ConfigRecord lastWritten;
    loadAll(lastWritten);
    ConfigRecord working = lastWritten;
    importConfig(working, path);
    if (!openDevices(err))
        return SEND_NO_DEVICE;

    // Saved and written exactly as the utility's import does.
    KestProcessThread worker(&working, &lastWritten);
    worker.start();
    worker.wait();
    if (worker.status() == SEND_OK) {
        out << tr("configuration imported and written to the mouse") << Qt::endl;
        warnSkippedMacros(worker.skippedMacros(), err);
    }
    else
        out << tr("configuration imported and saved") << Qt::endl;
    return reportResult(worker.status(), err);
}
