// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestdevicecontext.h"

#include <QMutexLocker>

#include "device/kesthidapi.h"

KestDeviceContext &KestDeviceContext::link()
{
    static KestDeviceContext context;
    return context;
}

std::shared_ptr<KestHidBackend> KestDeviceContext::backend()
{
    QMutexLocker lock(&m_backendLock);
    if (!m_backend)
        m_backend = std::make_shared<KestHidApi>();
    return m_backend;
}

void KestDeviceContext::setBackend(std::shared_ptr<KestHidBackend> backend)
{
    QMutexLocker exchange(&m_exchange);
    QMutexLocker lock(&m_backendLock);
    m_backend = std::move(backend);
}

KestHidHandle KestDeviceContext::commandHandle() const
{
    return m_handles.command2 ? m_handles.command2 : m_handles.command1;
}

TransactionReaderHooks KestDeviceContext::readerHooks()
{
    QMutexLocker lock(&m_hooksLock);
    return m_readerHooks;
}

void KestDeviceContext::setReaderHooks(const TransactionReaderHooks &hooks)
{
    QMutexLocker lock(&m_hooksLock);
    m_readerHooks = hooks;
}
