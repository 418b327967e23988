// SPDX-License-Identifier: GPL-2.0-or-later
#include "fuzz/fakehidbackend.h"

#include <algorithm>
#include <cstring>

int FakeHidBackend::write(KestHidHandle, const quint8 *data, int length)
{
    const int kept = std::clamp(length, 0, int(sizeof m_lastWrite));
    std::memset(m_lastWrite, 0, sizeof m_lastWrite);
    std::memcpy(m_lastWrite, data, size_t(kept));
    return length;
}

int FakeHidBackend::readTimeout(KestHidHandle, quint8 *data, int length, int)
{
    if (m_echo) {
        // The answer is the report without its ID byte.
        const int n = std::min(length, int(sizeof m_lastWrite) - 1);
        std::memcpy(data, m_lastWrite + 1, size_t(n));
        return n;
    }
    if (m_at >= m_answers.size())
        return -1;
    const quint8 control = quint8(m_answers.at(m_at++));
    switch (control % 4) {
    case 0: return -1;
    case 1: return 0;
    default: break;
    }
    const int n = std::min(length, 33);
    std::memset(data, 0, size_t(length));
    const int available = std::min(n, int(m_answers.size() - m_at));
    std::memcpy(data, m_answers.constData() + m_at, size_t(available));
    m_at += available;
    return n;
}
