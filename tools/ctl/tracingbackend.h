// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <set>

#include <QFile>

#include "device/kesthidbackend.h"

// Passes everything to the backend in use and appends the command-interface traffic to a
// file: "W " and the bytes of each report written, "R " and the bytes of each read that
// returned data, lower-case hex separated by single spaces.
class TracingBackend final : public KestHidBackend
{
public:
    TracingBackend(std::shared_ptr<KestHidBackend> inner, const QString &path);

    bool isOpen() const { return m_file.isOpen(); }

    int init() override { return m_inner->init(); }
    int exit() override { return m_inner->exit(); }
    QVector<KestHidDeviceInfo> enumerate(quint16 vendorId = 0, quint16 productId = 0) override;
    KestHidHandle open(const QByteArray &path, KestHidOpenError *error = nullptr) override;
    void close(KestHidHandle device) override;
    int write(KestHidHandle device, const quint8 *data, int length) override;
    int readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds) override;
    bool announcesHotplug() const override { return m_inner->announcesHotplug(); }

private:
    void traceLine(char kind, const quint8 *data, int length);

    std::shared_ptr<KestHidBackend> m_inner;
    QFile m_file;
    std::set<QByteArray> m_commandPaths; // paths enumeration listed as vendor collections
    std::set<KestHidHandle> m_commandHandles;
};
