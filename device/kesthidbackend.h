// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <QVector>

// One HID collection as enumeration reports it. hidraw lists a node once per
// top-level collection, so the same path can appear with several usages.
struct KestHidDeviceInfo
{
    QByteArray path;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 releaseNumber = 0; // BCD, the device's firmware version
    int interfaceNumber = -1;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

// An open device. Only the backend that opened it may use or close it.
class KestHidDevice
{
public:
    virtual ~KestHidDevice() = default;
};

using KestHidHandle = KestHidDevice *;

enum class KestHidOpenError
{
    None,
    PermissionDenied, // the node exists but this user may not open it
    Failed,
};

// The narrow waist between the device link and the HID stack: the real one
// (hidapi on hidraw) and the simulated mouse both sit behind it.
class KestHidBackend
{
public:
    virtual ~KestHidBackend() = default;

    virtual int init() = 0; // 0 on success, -1 on failure
    virtual int exit() = 0;
    // vendorId/productId 0 match everything.
    virtual QVector<KestHidDeviceInfo> enumerate(quint16 vendorId = 0, quint16 productId = 0) = 0;
    // Returns nullptr on failure; *error (when given) says why.
    virtual KestHidHandle open(const QByteArray &path, KestHidOpenError *error = nullptr) = 0;
    virtual void close(KestHidHandle device) = 0;
    // Same contract as hid_write/hid_read_timeout: bytes moved, 0 on time-out, -1 on error.
    // data[0] of a write is the report ID; a read delivers the report without it.
    virtual int write(KestHidHandle device, const quint8 *data, int length) = 0;
    virtual int readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds) = 0;

    // Waits until input is queued for the device, without taking it and without the caller
    // holding any lock, so a listener can sleep until the mouse says something instead of
    // polling. 1: input is waiting; 0: time-out or woken by wakeWaiters(); -1: the device is
    // gone or unknown; Unsupported: the backend cannot wait (the caller polls instead).
    static constexpr int Unsupported = -2;
    virtual int waitForInput(KestHidHandle device, int milliseconds)
    {
        Q_UNUSED(device)
        Q_UNUSED(milliseconds)
        return Unsupported;
    }
    // Makes every waitForInput() in progress return 0 now.
    virtual void wakeWaiters() {}

    // A backend that announces its own plugging and unplugging (the simulated mouse) must
    // not get the platform's hot-plug events on top.
    virtual bool announcesHotplug() const { return false; }
};
