// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMutex>
#include <QSet>

#include "device/kesthidbackend.h"

// The real HID stack: hidapi on the kernel's hidraw nodes.
class KestHidApi final : public KestHidBackend
{
public:
    KestHidApi();
    ~KestHidApi() override;

    int init() override;
    int exit() override;
    QVector<KestHidDeviceInfo> enumerate(quint16 vendorId = 0, quint16 productId = 0) override;
    KestHidHandle open(const QByteArray &path, KestHidOpenError *error = nullptr) override;
    void close(KestHidHandle device) override;
    int write(KestHidHandle device, const quint8 *data, int length) override;
    int readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds) override;
    int waitForInput(KestHidHandle device, int milliseconds) override;
    void wakeWaiters() override;

private:
    int watchDescriptor(KestHidHandle device);

    // Guards the set of open handles, so a wait never touches one closed under it.
    QMutex m_handlesLock;
    QSet<KestHidHandle> m_handles;
    int m_wakeFd = -1;
};
