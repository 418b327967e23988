// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <deque>
#include <memory>

#include <QMutex>
#include <QWaitCondition>

#include "device/kesthidbackend.h"
#include "device/sim/kestsimfaults.h"
#include "device/sim/kestsimfirmware.h"

enum class KestSimDevice
{
    Receiver = 0, // 0xC0DE:0x0D01
    Cable = 1,    // 0xC0DE:0x0D02
};

// What passed between the program and the simulated mouse.
struct KestSimTraceEntry
{
    enum Kind
    {
        Write,       // bytes = the report as written, report ID first
        WriteFailed,
        Read,        // bytes = what the read delivered
        ReadTimeout,
        ReadFailed,
        Input,       // bytes = a report the mouse queued
    };
    Kind kind;
    KestSimDevice device;
    int interfaceNumber;
    QByteArray bytes;
};

// A complete mouse behind the HID interface: the receiver and the mouse on its
// cable, each with interface 0 (pointer, plus a consumer-control collection),
// interface 1 (keyboard) and interface 2 (vendor commands), sharing one
// firmware. Thread-safe: the GUI thread, the write worker and the battery
// reader use it at once; reads block on queued input up to their time-out.
// Plugging and unplugging go through the platform hot-plug path like real
// events; tests can also break the mouse in the ways real ones break.
class KestSimMouse final : public KestHidBackend
{
public:
    static constexpr quint16 VendorId = 0xC0DE;
    static constexpr quint16 ReceiverProductId = 0x0D01;
    static constexpr quint16 CableProductId = 0x0D02;
    static constexpr quint16 ReceiverRelease = 0x0105;
    static constexpr quint16 CableRelease = 0x0213; // the mouse's firmware version

    // Devices present from the start (no hot-plug events are sent for them).
    KestSimMouse(bool receiverPlugged, bool cablePlugged);
    ~KestSimMouse() override;

    // KestHidBackend
    int init() override;
    int exit() override;
    QVector<KestHidDeviceInfo> enumerate(quint16 vendorId = 0, quint16 productId = 0) override;
    KestHidHandle open(const QByteArray &path, KestHidOpenError *error = nullptr) override;
    void close(KestHidHandle device) override;
    int write(KestHidHandle device, const quint8 *data, int length) override;
    int readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds) override;
    int waitForInput(KestHidHandle device, int milliseconds) override;
    void wakeWaiters() override;
    bool announcesHotplug() const override { return true; }

    // Names and paths of the interfaces.
    static QByteArray path(KestSimDevice device, int interfaceNumber);
    static QString interfaceName(KestSimDevice device, int interfaceNumber);

    // Hot-plug. Each call changes one interface and posts its event.
    void plug(KestSimDevice device, int interfaceNumber);
    void unplug(KestSimDevice device, int interfaceNumber);
    // Whole devices, interfaces 0, 1, 2 in that order.
    void plugDevice(KestSimDevice device);
    void unplugDevice(KestSimDevice device);
    bool isPlugged(KestSimDevice device, int interfaceNumber) const;

    // Events made on the mouse itself; each sends a status report on every
    // open command interface.
    void pressDpiButton(); // next of dpiLevelCount() levels
    void setDpiLevelOnMouse(quint8 level);
    void setReportRateOnMouse(quint8 rate);
    void setBattery(quint8 percent, quint8 highByte = 0);
    void setDpiLevelCount(int count);
    // Queues any input report on the command interfaces of the plugged devices.
    void queueInput(const QByteArray &report);

    // Faults. Counts apply to the next operations of that kind; -1 = forever.
    void setSilent(bool silent);                                // no answers at all
    void setAllZeroAnswers(int count);                          // answers are 32 zero bytes
    void setWrongEchoes(int reads, int answerByte = 0);         // reads deliver the answer with one byte altered
    void setReadErrors(int count);                              // reads fail
    void setWriteErrors(int count);                             // writes fail
    void unplugAfterWrites(KestSimDevice device, int writes);   // the device is pulled after that many writes to it
    void setInitFailure(bool fails);                            // init() reports failure
    void setWaitsForInput(bool waits);                          // false: like a backend without device nodes
    void clearFaults();

    // Faults by name, as MOUSECFG_SIMULATE_FAULT gives them (KestSimFaults::applySpec), so
    // that the programs can be tried against a misbehaving mouse from the start. An unknown
    // name sets nothing and returns false.
    static constexpr const char *FaultVariable = "MOUSECFG_SIMULATE_FAULT";
    static bool isValidFaultSpec(const QByteArray &spec);
    bool applyFaultSpec(const QByteArray &spec);

    // Onboard memory kept in a file, as a real mouse keeps it across power cycles: loaded
    // now when the file holds a memory image, written after every change the mouse takes
    // (a whole write once it ends). An empty path keeps the memory in this object only.
    // Returns false when an existing file could not be read as a memory image (the mouse
    // then starts blank and the file is replaced at the first change).
    bool setMemoryFile(const QString &path);
    QString memoryFile() const;

    // Inspection.
    KestSimMouseState state() const;
    KestSimSlot slot(int n) const; // slot n's current values
    void setState(const KestSimMouseState &state);
    int writeCount() const;
    int readCount() const;
    int writeCount(KestSimDevice device) const;
    int readCount(KestSimDevice device) const;
    int openHandleCount() const;
    QVector<KestSimTraceEntry> trace() const;
    void resetCounters(); // counts and trace

private:
    struct Interface;
    struct Handle;

    Interface *findInterface(KestSimDevice device, int interfaceNumber) const;
    Interface *findInterface(const QByteArray &path) const;
    void setPluggedLocked(Interface *iface, bool plugged);
    void queueInputLocked(Interface *iface, const QByteArray &report);
    void broadcastStatusLocked();
    void storeMemoryLocked(bool changed = false);
    void postHotplug(Interface *iface, bool arrived);
    Handle *validHandleLocked(KestHidHandle device) const;
    void traceLocked(KestSimTraceEntry::Kind kind, Interface *iface, const QByteArray &bytes);

    mutable QMutex m_mutex;
    QWaitCondition m_inputArrived;
    bool m_wakePending = false;
    bool m_waitsForInput = true;
    KestSimFirmware m_firmware;
    QString m_memoryFile;
    std::vector<std::unique_ptr<Interface>> m_interfaces;
    std::vector<Handle *> m_handles;
    std::deque<KestSimTraceEntry> m_trace;
    int m_dpiLevelCount = 8;
    int m_writes[2] = {0, 0};
    int m_reads[2] = {0, 0};
    KestSimFaults m_faults;
};
