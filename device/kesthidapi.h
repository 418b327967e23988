#pragma once

#include "device/kesthidbackend.h"

// The real HID stack: hidapi on the kernel's hidraw nodes.
class KestHidApi final : public KestHidBackend
{
public:
    int init() override;
    int exit() override;
    QVector<KestHidDeviceInfo> enumerate(quint16 vendorId = 0, quint16 productId = 0) override;
    KestHidHandle open(const QByteArray &path, KestHidOpenError *error = nullptr) override;
    void close(KestHidHandle device) override;
    int write(KestHidHandle device, const quint8 *data, int length) override;
    int readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds) override;
};
