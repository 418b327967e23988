// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QThread>

#include "device/kestwritetransaction.h"
#include "store/configrecord.h"

// One Apply on a thread of its own: saves the working profile set and sends it while the
// caller waits. One per write. The caller must not touch the two records until the thread
// has finished. Programs with a device worker run applyWorkingSet() (kestwritetransaction.h)
// there instead.
class KestProcessThread final : public QThread
{
    Q_OBJECT

public:
    KestProcessThread(ConfigRecord *working, ConfigRecord *lastWritten, QObject *parent = nullptr);
    ~KestProcessThread() override;

    // What the write did; valid once the thread has finished().
    const KestWriteResult &result() const { return m_result; }

protected:
    void run() override;

private:
    ConfigRecord *m_working;
    ConfigRecord *m_lastWritten;
    KestWriteResult m_result;
};
