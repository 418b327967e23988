// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kestprocessthread.h"

KestProcessThread::KestProcessThread(ConfigRecord *working, ConfigRecord *lastWritten, QObject *parent)
    : QThread(parent), m_working(working), m_lastWritten(lastWritten)
{
}

KestProcessThread::~KestProcessThread()
{
    wait();
}

void KestProcessThread::run()
{
    m_result = applyWorkingSet(*m_working, *m_lastWritten);
}
