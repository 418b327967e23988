// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/tracingbackend.h"

namespace {
constexpr quint16 kVendorUsagePage = 0xFF00;
}

TracingBackend::TracingBackend(std::shared_ptr<KestHidBackend> inner, const QString &path)
    : m_inner(std::move(inner)), m_file(path)
{
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

QVector<KestHidDeviceInfo> TracingBackend::enumerate(quint16 vendorId, quint16 productId)
{
    const QVector<KestHidDeviceInfo> found = m_inner->enumerate(vendorId, productId);
    for (const KestHidDeviceInfo &info : found) {
        if (info.usagePage == kVendorUsagePage)
            m_commandPaths.insert(info.path);
    }
    return found;
}

KestHidHandle TracingBackend::open(const QByteArray &path, KestHidOpenError *error)
{
    const KestHidHandle handle = m_inner->open(path, error);
    if (handle && m_commandPaths.count(path))
        m_commandHandles.insert(handle);
    return handle;
}

void TracingBackend::close(KestHidHandle device)
{
    m_commandHandles.erase(device);
    m_inner->close(device);
}

int TracingBackend::write(KestHidHandle device, const quint8 *data, int length)
{
    if (m_commandHandles.count(device))
        traceLine('W', data, length);
    return m_inner->write(device, data, length);
}

int TracingBackend::readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds)
{
    const int read = m_inner->readTimeout(device, data, length, milliseconds);
    if (read > 0 && m_commandHandles.count(device))
        traceLine('R', data, read);
    return read;
}

void TracingBackend::traceLine(char kind, const quint8 *data, int length)
{
    if (!m_file.isOpen())
        return;
    QByteArray line;
    line.reserve(2 + 3 * length);
    line.append(kind).append(' ');
    line.append(QByteArray(reinterpret_cast<const char *>(data), length).toHex(' '));
    line.append('\n');
    m_file.write(line);
    m_file.flush();
}
