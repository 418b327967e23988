// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/sim/kestsimmouse.h"

#include <algorithm>
#include <cstring>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include "device/kestdevicelock.h"
#include "platform/hotplug.h"

namespace {

constexpr int InputQueueDepth = 64; // reports hidraw keeps per open node before dropping new ones
constexpr int TraceLimit = 20000;

int index(KestSimDevice device)
{
    return device == KestSimDevice::Cable ? 1 : 0;
}

quint16 productId(KestSimDevice device)
{
    return device == KestSimDevice::Cable ? KestSimMouse::CableProductId : KestSimMouse::ReceiverProductId;
}

} // namespace

struct KestSimMouse::Interface
{
    KestSimDevice device;
    int number;
    QVector<QPair<quint16, quint16>> collections; // (usage page, usage)
    bool plugged;
};

struct KestSimMouse::Handle final : KestHidDevice
{
    Interface *iface = nullptr;
    bool alive = true; // false once its interface was pulled; replugging does not revive it
    std::deque<QByteArray> input;
};

KestSimMouse::KestSimMouse(bool receiverPlugged, bool cablePlugged)
{
    KestDeviceLock::setBetweenProcesses(false); // this mouse exists in this process only
    for (KestSimDevice device : {KestSimDevice::Receiver, KestSimDevice::Cable}) {
        const bool plugged = device == KestSimDevice::Cable ? cablePlugged : receiverPlugged;
        // Interface 0 reports the pointer and the media keys, 1 the keyboard
        // keys of the side buttons, 2 is the vendor command channel.
        m_interfaces.push_back(std::make_unique<Interface>(
            Interface{device, 0, {{0x0001, 0x0002}, {0x000C, 0x0001}}, plugged}));
        m_interfaces.push_back(std::make_unique<Interface>(Interface{device, 1, {{0x0001, 0x0006}}, plugged}));
        m_interfaces.push_back(std::make_unique<Interface>(Interface{device, 2, {{0xFF00, 0xFF00}}, plugged}));
    }
}

KestSimMouse::~KestSimMouse()
{
    for (Handle *handle : m_handles)
        delete handle;
}

int KestSimMouse::init()
{
    QMutexLocker lock(&m_mutex);
    return m_faults.initFails ? -1 : 0;
}

int KestSimMouse::exit()
{
    return 0;
}

QVector<KestHidDeviceInfo> KestSimMouse::enumerate(quint16 vendorId, quint16 productId)
{
    QMutexLocker lock(&m_mutex);
    QVector<KestHidDeviceInfo> result;
    for (const auto &iface : m_interfaces) {
        const quint16 pid = ::productId(iface->device);
        if (!iface->plugged || (vendorId && vendorId != VendorId) || (productId && productId != pid))
            continue;
        for (const auto &collection : iface->collections) {
            KestHidDeviceInfo info;
            info.path = path(iface->device, iface->number);
            info.vendorId = VendorId;
            info.productId = pid;
            info.releaseNumber = iface->device == KestSimDevice::Cable ? CableRelease : ReceiverRelease;
            info.interfaceNumber = iface->number;
            info.usagePage = collection.first;
            info.usage = collection.second;
            result.append(info);
        }
    }
    return result;
}

KestHidHandle KestSimMouse::open(const QByteArray &path, KestHidOpenError *error)
{
    QMutexLocker lock(&m_mutex);
    Interface *iface = findInterface(path);
    if (error)
        *error = iface && iface->plugged ? KestHidOpenError::None : KestHidOpenError::Failed;
    if (!iface || !iface->plugged)
        return nullptr;
    auto *handle = new Handle;
    handle->iface = iface;
    m_handles.push_back(handle);
    return handle;
}

void KestSimMouse::close(KestHidHandle device)
{
    QMutexLocker lock(&m_mutex);
    Handle *handle = validHandleLocked(device);
    if (!handle)
        return;
    m_handles.erase(std::find(m_handles.begin(), m_handles.end(), handle));
    delete handle;
    m_inputArrived.wakeAll(); // a listener waiting on it learns it is gone
}

int KestSimMouse::write(KestHidHandle device, const quint8 *data, int length)
{
    QMutexLocker lock(&m_mutex);
    Handle *handle = validHandleLocked(device);
    if (!handle)
        return -1;
    Interface *iface = handle->iface;
    const int dev = index(iface->device);
    ++m_writes[dev];
    const QByteArray bytes(reinterpret_cast<const char *>(data), length);
    if (!handle->alive || m_faults.takeWriteError()) {
        traceLocked(KestSimTraceEntry::WriteFailed, iface, bytes);
        return -1;
    }
    traceLocked(KestSimTraceEntry::Write, iface, bytes);

    if (iface->number == 2) {
        const int selections = m_firmware.state().slotSelections;
        QByteArray answer = m_firmware.receive(data, length);
        if (!m_faults.silent) {
            if (m_faults.takeZeroAnswer())
                answer.fill('\0');
            queueInputLocked(iface, answer);
            // A switch is a change the mouse tells about, with the new slot's level and rate.
            if (m_firmware.state().slotSelections != selections)
                broadcastStatusLocked();
        }
        if (!m_firmware.state().transactionOpen)
            storeMemoryLocked();
    }

    if (m_faults.takeUnplugAfterWrite(dev)) {
        for (const auto &other : m_interfaces) {
            if (other->device == iface->device && other->plugged) {
                setPluggedLocked(other.get(), false);
                postHotplug(other.get(), false);
            }
        }
    }
    return length;
}

int KestSimMouse::waitForInput(KestHidHandle device, int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    if (!m_waitsForInput)
        return Unsupported;
    QDeadlineTimer deadline(milliseconds < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(milliseconds));
    for (;;) {
        // Looked up again after every wait: the handle may have been closed meanwhile.
        const Handle *handle = validHandleLocked(device);
        if (!handle || !handle->alive)
            return -1;
        if (!handle->input.empty())
            return 1;
        if (m_wakePending || deadline.hasExpired()) {
            m_wakePending = false;
            return 0;
        }
        m_inputArrived.wait(&m_mutex, deadline);
    }
}

void KestSimMouse::setWaitsForInput(bool waits)
{
    QMutexLocker lock(&m_mutex);
    m_waitsForInput = waits;
}

void KestSimMouse::wakeWaiters()
{
    QMutexLocker lock(&m_mutex);
    m_wakePending = true; // kept until a wait sees it, like an event counter
    m_inputArrived.wakeAll();
}

int KestSimMouse::readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    Handle *handle = validHandleLocked(device);
    if (!handle)
        return -1;
    Interface *iface = handle->iface;
    ++m_reads[index(iface->device)];
    if (m_faults.takeReadError()) {
        traceLocked(KestSimTraceEntry::ReadFailed, iface, {});
        return -1;
    }

    QDeadlineTimer deadline(milliseconds < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(milliseconds));
    while (handle->alive && handle->input.empty() && !deadline.hasExpired())
        m_inputArrived.wait(&m_mutex, deadline);

    if (!handle->alive) {
        traceLocked(KestSimTraceEntry::ReadFailed, iface, {});
        return -1;
    }
    if (handle->input.empty()) {
        traceLocked(KestSimTraceEntry::ReadTimeout, iface, {});
        return 0;
    }

    QByteArray report = handle->input.front();
    if (m_faults.takeWrongEcho()) {
        // A garbled copy; the true answer stays queued for the next read.
        const int at = m_faults.wrongEchoByte;
        if (at < report.size())
            report[at] = char(report[at] ^ 0xFF);
    } else {
        handle->input.pop_front();
    }
    const int count = std::min(length, int(report.size()));
    std::memcpy(data, report.constData(), size_t(count));
    traceLocked(KestSimTraceEntry::Read, iface, report.left(count));
    return count;
}

QByteArray KestSimMouse::path(KestSimDevice device, int interfaceNumber)
{
    return QByteArray(device == KestSimDevice::Cable ? "sim-cable-if" : "sim-receiver-if")
           + QByteArray::number(interfaceNumber);
}

QString KestSimMouse::interfaceName(KestSimDevice device, int interfaceNumber)
{
    return KestHotplugMonitor::interfaceName(VendorId, productId(device), interfaceNumber,
                                             path(device, interfaceNumber));
}

void KestSimMouse::plug(KestSimDevice device, int interfaceNumber)
{
    QMutexLocker lock(&m_mutex);
    Interface *iface = findInterface(device, interfaceNumber);
    if (!iface || iface->plugged)
        return;
    setPluggedLocked(iface, true);
    postHotplug(iface, true);
}

void KestSimMouse::unplug(KestSimDevice device, int interfaceNumber)
{
    QMutexLocker lock(&m_mutex);
    Interface *iface = findInterface(device, interfaceNumber);
    if (!iface || !iface->plugged)
        return;
    setPluggedLocked(iface, false);
    postHotplug(iface, false);
}

void KestSimMouse::plugDevice(KestSimDevice device)
{
    for (int n = 0; n <= 2; ++n)
        plug(device, n);
}

void KestSimMouse::unplugDevice(KestSimDevice device)
{
    for (int n = 0; n <= 2; ++n)
        unplug(device, n);
}

bool KestSimMouse::isPlugged(KestSimDevice device, int interfaceNumber) const
{
    QMutexLocker lock(&m_mutex);
    const Interface *iface = findInterface(device, interfaceNumber);
    return iface && iface->plugged;
}

void KestSimMouse::pressDpiButton()
{
    QMutexLocker lock(&m_mutex);
    KestSimMouseState &s = m_firmware.state();
    s.activeDpiLevel = quint8((s.activeDpiLevel + 1) % std::max(1, m_dpiLevelCount));
    broadcastStatusLocked();
    storeMemoryLocked(true);
}

void KestSimMouse::setDpiLevelOnMouse(quint8 level)
{
    QMutexLocker lock(&m_mutex);
    m_firmware.state().activeDpiLevel = level;
    broadcastStatusLocked();
    storeMemoryLocked(true);
}

void KestSimMouse::setReportRateOnMouse(quint8 rate)
{
    QMutexLocker lock(&m_mutex);
    m_firmware.state().reportRate = rate;
    broadcastStatusLocked();
    storeMemoryLocked(true);
}

void KestSimMouse::setBattery(quint8 percent, quint8 highByte)
{
    QMutexLocker lock(&m_mutex);
    m_firmware.state().batteryLow = percent;
    m_firmware.state().batteryHigh = highByte;
}

void KestSimMouse::setDpiLevelCount(int count)
{
    QMutexLocker lock(&m_mutex);
    m_dpiLevelCount = count;
}

void KestSimMouse::queueInput(const QByteArray &report)
{
    QMutexLocker lock(&m_mutex);
    for (const auto &iface : m_interfaces) {
        if (iface->number == 2 && iface->plugged)
            queueInputLocked(iface.get(), report);
    }
}

void KestSimMouse::setSilent(bool silent)
{
    QMutexLocker lock(&m_mutex);
    m_faults.silent = silent;
}

void KestSimMouse::setAllZeroAnswers(int count)
{
    QMutexLocker lock(&m_mutex);
    m_faults.allZeroAnswers = count;
}

void KestSimMouse::setWrongEchoes(int reads, int answerByte)
{
    QMutexLocker lock(&m_mutex);
    m_faults.wrongEchoReads = reads;
    m_faults.wrongEchoByte = answerByte;
}

void KestSimMouse::setReadErrors(int count)
{
    QMutexLocker lock(&m_mutex);
    m_faults.readErrors = count;
}

void KestSimMouse::setWriteErrors(int count)
{
    QMutexLocker lock(&m_mutex);
    m_faults.writeErrors = count;
}

void KestSimMouse::unplugAfterWrites(KestSimDevice device, int writes)
{
    QMutexLocker lock(&m_mutex);
    m_faults.unplugAfterWrites[index(device)] = writes;
}

void KestSimMouse::setInitFailure(bool fails)
{
    QMutexLocker lock(&m_mutex);
    m_faults.initFails = fails;
}

void KestSimMouse::clearFaults()
{
    QMutexLocker lock(&m_mutex);
    m_faults.clear();
}

bool KestSimMouse::isValidFaultSpec(const QByteArray &spec)
{
    return KestSimFaults::isValidSpec(spec);
}

bool KestSimMouse::applyFaultSpec(const QByteArray &spec)
{
    QMutexLocker lock(&m_mutex);
    return m_faults.applySpec(spec);
}

KestSimMouseState KestSimMouse::state() const
{
    QMutexLocker lock(&m_mutex);
    return m_firmware.state();
}

KestSimSlot KestSimMouse::slot(int n) const
{
    QMutexLocker lock(&m_mutex);
    return m_firmware.slot(n);
}

bool KestSimMouse::setMemoryFile(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_memoryFile = path;
    m_firmware.takeMemoryChanged();
    QFile file(path);
    if (path.isEmpty() || !file.exists())
        return true;
    // An image is a few kilobytes; anything much larger is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024)
        return false;
    return m_firmware.loadMemory(file.readAll());
}

QString KestSimMouse::memoryFile() const
{
    QMutexLocker lock(&m_mutex);
    return m_memoryFile;
}

void KestSimMouse::setState(const KestSimMouseState &state)
{
    QMutexLocker lock(&m_mutex);
    m_firmware.state() = state;
}

int KestSimMouse::writeCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_writes[0] + m_writes[1];
}

int KestSimMouse::readCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_reads[0] + m_reads[1];
}

int KestSimMouse::writeCount(KestSimDevice device) const
{
    QMutexLocker lock(&m_mutex);
    return m_writes[index(device)];
}

int KestSimMouse::readCount(KestSimDevice device) const
{
    QMutexLocker lock(&m_mutex);
    return m_reads[index(device)];
}

int KestSimMouse::openHandleCount() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_handles.size());
}

QVector<KestSimTraceEntry> KestSimMouse::trace() const
{
    QMutexLocker lock(&m_mutex);
    return QVector<KestSimTraceEntry>(m_trace.begin(), m_trace.end());
}

void KestSimMouse::resetCounters()
{
    QMutexLocker lock(&m_mutex);
    m_writes[0] = m_writes[1] = 0;
    m_reads[0] = m_reads[1] = 0;
    m_trace.clear();
}

KestSimMouse::Interface *KestSimMouse::findInterface(KestSimDevice device, int interfaceNumber) const
{
    for (const auto &iface : m_interfaces) {
        if (iface->device == device && iface->number == interfaceNumber)
            return iface.get();
    }
    return nullptr;
}

KestSimMouse::Interface *KestSimMouse::findInterface(const QByteArray &path) const
{
    for (const auto &iface : m_interfaces) {
        if (KestSimMouse::path(iface->device, iface->number) == path)
            return iface.get();
    }
    return nullptr;
}

void KestSimMouse::setPluggedLocked(Interface *iface, bool plugged)
{
    iface->plugged = plugged;
    if (plugged)
        return;
    for (Handle *handle : m_handles) {
        if (handle->iface == iface) {
            handle->alive = false;
            handle->input.clear();
        }
    }
    m_inputArrived.wakeAll();
}

void KestSimMouse::queueInputLocked(Interface *iface, const QByteArray &report)
{
    traceLocked(KestSimTraceEntry::Input, iface, report);
    for (Handle *handle : m_handles) {
        if (handle->iface == iface && handle->alive && handle->input.size() < InputQueueDepth)
            handle->input.push_back(report);
    }
    m_inputArrived.wakeAll();
}

void KestSimMouse::broadcastStatusLocked()
{
    const QByteArray report = m_firmware.statusReport();
    for (const auto &iface : m_interfaces) {
        if (iface->number == 2 && iface->plugged)
            queueInputLocked(iface.get(), report);
    }
}

void KestSimMouse::storeMemoryLocked(bool changed)
{
    changed = m_firmware.takeMemoryChanged() || changed;
    if (!changed || m_memoryFile.isEmpty())
        return;
    QDir().mkpath(QFileInfo(m_memoryFile).absolutePath());
    QSaveFile file(m_memoryFile);
    // A demo that cannot keep its memory still works; it forgets at exit, as before.
    if (file.open(QIODevice::WriteOnly))
        if (file.write(m_firmware.saveMemory()) >= 0)
            file.commit();
}

void KestSimMouse::postHotplug(Interface *iface, bool arrived)
{
    KestHotplugMonitor::instance()->post(interfaceName(iface->device, iface->number), arrived);
}

void KestSimMouse::traceLocked(KestSimTraceEntry::Kind kind, Interface *iface, const QByteArray &bytes)
{
    if (m_trace.size() >= TraceLimit)
        m_trace.erase(m_trace.begin(), m_trace.begin() + TraceLimit / 2);
    m_trace.push_back(KestSimTraceEntry{kind, iface->device, iface->number, bytes});
}

KestSimMouse::Handle *KestSimMouse::validHandleLocked(KestHidHandle device) const
{
    for (Handle *handle : m_handles) {
        if (static_cast<KestHidDevice *>(handle) == device)
            return handle;
    }
    return nullptr;
}
