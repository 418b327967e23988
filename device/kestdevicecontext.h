// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QRecursiveMutex>

#include "device/buttonwire.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kesthidbackend.h"
#include "store/configrecord.h"

class QThread;

// The battery reader a write stops before its first report and starts again after success
// (after a failure it stays stopped). Either may be empty. The stop must not return before
// the reader's thread has ended.
struct TransactionReaderHooks {
    std::function<void()> stop;
    std::function<void()> start;
};

// The device locks this process holds (kestdevicelock.h) and how they are taken. The lock
// file of a device is held once per process, however many holders ride on it.
struct KestDeviceLockTable
{
    struct Held
    {
        int fd = -1;
        int holders = 0;
    };
    QMutex lock; // guards `held`
    std::map<QByteArray, Held> held;
    std::atomic<int> waitMs{5000};
    std::atomic<bool> betweenProcesses{true};
};

// The four handles of the mouse: device 1 is the wireless receiver, device 2 the mouse on
// its cable; interface 0 is the pointer collection (opened, never used for commands),
// interface 2 the vendor command collection. Null when closed.
struct KestDeviceHandles
{
    KestHidHandle mouse1 = nullptr;
    KestHidHandle command1 = nullptr;
    KestHidHandle mouse2 = nullptr;
    KestHidHandle command2 = nullptr;
};

// Everything the link keeps between calls: the backend and its timings, the device table
// and the handles opened from it, the exchange lock, the record last sent and the button
// table the mouse holds. One per process (link()); the thread that owns the link (the
// device worker's, or the only thread of a program without one) changes it. What the
// window's thread reads meanwhile (presence flags, the model count, the refused paths, the
// cancel flag) is atomic or locked. The results of a write are not kept here: the write
// returns them (kestwritetransaction.h).
class KestDeviceContext final
{
public:
    static KestDeviceContext &link();

    KestDeviceContext(const KestDeviceContext &) = delete;
    KestDeviceContext &operator=(const KestDeviceContext &) = delete;

    // The backend in use: hidapi unless another was set (the simulated mouse of the tests,
    // the tools and the demo mode).
    std::shared_ptr<KestHidBackend> backend();
    void setBackend(std::shared_ptr<KestHidBackend> backend);
    const KestLinkTimings &timings() const { return m_timings; }
    void setTimings(const KestLinkTimings &timings) { m_timings = timings; }

    // Serialises every exchange with the closing and reopening of handles (devicelink.h).
    QRecursiveMutex &exchangeMutex() { return m_exchange; }
    KestDeviceHandles &handles() { return m_handles; }
    // The cable when it is open, else the receiver (possibly null).
    KestHidHandle commandHandle() const;

    KestDeviceTable &table() { return m_table; }
    int &firmwareVersion() { return m_firmwareVersion; }
    int connectedModelCount() const { return m_connectedModelCount; }
    void setConnectedModelCount(int count) { m_connectedModelCount = count; }
    // Guards the refused paths and the table's path strings.
    QMutex &pathsLock() { return m_pathsLock; }
    QList<QByteArray> &refusedPaths() { return m_refusedPaths; }
    const KestDeviceRouting &routing() const { return m_routing; }
    void setRouting(const KestDeviceRouting &routing) { m_routing = routing; }

    bool cancelled() const { return m_cancelled; }
    void setCancelled(bool cancelled) { m_cancelled = cancelled; }
    QThread *guiThread() const { return m_guiThread; }
    void setGuiThread(QThread *thread) { m_guiThread = thread; }
    std::atomic<int> &guiThreadCalls() { return m_guiThreadCalls; }

    // The profile set last handed to a write, and the button table as the mouse holds it:
    // an entry no button writes keeps its bytes from one write to the next, as the mouse's
    // memory does.
    ConfigRecord &sentRecord() { return m_sent; }
    ButtonTableBytes &buttonTable() { return m_buttonTable; }

    TransactionReaderHooks readerHooks();
    void setReaderHooks(const TransactionReaderHooks &hooks);

    KestDeviceLockTable &locks() { return m_locks; }

private:
    KestDeviceContext() = default;

    QMutex m_backendLock;
    std::shared_ptr<KestHidBackend> m_backend;
    KestLinkTimings m_timings;
    QRecursiveMutex m_exchange;
    KestDeviceHandles m_handles;

    KestDeviceTable m_table{};
    int m_firmwareVersion = 0; // release of the cable's command interface; 0 = unknown
    std::atomic<int> m_connectedModelCount{0};
    QMutex m_pathsLock;
    QList<QByteArray> m_refusedPaths;
    KestDeviceRouting m_routing;

    std::atomic<bool> m_cancelled{false};
    std::atomic<QThread *> m_guiThread{nullptr};
    std::atomic<int> m_guiThreadCalls{0};

    ConfigRecord m_sent;
    ButtonTableBytes m_buttonTable{};
    QMutex m_hooksLock;
    TransactionReaderHooks m_readerHooks;
    KestDeviceLockTable m_locks;
};
