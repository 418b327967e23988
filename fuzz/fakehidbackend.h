// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

#include "device/kesthidbackend.h"

// A mouse that answers with whatever bytes it is given. Each read takes one control byte:
// it fails, times out, or delivers the next 33 bytes (zero-padded at the end). With the
// bytes used up every read fails, so every exchange ends.
class FakeHidBackend final : public KestHidBackend
{
public:
    void feed(const QByteArray &answers) { m_answers = answers; m_at = 0; }

    int init() override { return 0; }
    int exit() override { return 0; }
    QVector<KestHidDeviceInfo> enumerate(quint16, quint16) override { return {}; }
    KestHidHandle open(const QByteArray &, KestHidOpenError *error) override
    {
        if (error)
            *error = KestHidOpenError::None;
        return &m_device;
    }
    void close(KestHidHandle) override {}
    int write(KestHidHandle, const quint8 *, int length) override;
    int readTimeout(KestHidHandle, quint8 *data, int length, int milliseconds) override;

    // Answers every read with the echo of the last write: a mouse that confirms everything.
    void setEcho(bool echo) { m_echo = echo; }

private:
    KestHidDevice m_device;
    QByteArray m_answers;
    int m_at = 0;
    bool m_echo = false;
    quint8 m_lastWrite[64] = {};
};
