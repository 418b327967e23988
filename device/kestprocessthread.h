// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QThread>
#include <QVector>

#include "device/buttonupload.h"
#include "device/kestwritetransaction.h"
#include "store/configrecord.h"
#include "store/kestfileresult.h"

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

    // What the write did; valid once the thread has finished.
    const KestWriteResult &result() const { return m_result; }

    // Older accessors, to be removed once app/ and tools/ read result(). The force-all flag
    // changes nothing: every write sends everything.
    void setForceAll(bool forceAll) { Q_UNUSED(forceAll) }
    quint8 status() const { return m_result.status; }
    // Buttons that got no macro because the mouse holds twelve.
    QVector<KestMacroSkip> skippedMacros() const { return m_result.skipped(KestMacroSkip::NoRoom); }
    // Whether the set was saved before it was sent (see KestWriteResult::saved).
    const KestFileResult &saveResult() const { return m_result.saved; }
    // applyWorkingSet() with its status returned, the buttons beyond twelve in `skipped` and,
    // when given, the save's result in `saved`.
    static quint8 transact(ConfigRecord *working, ConfigRecord *lastWritten, bool forceAll,
                           QVector<KestMacroSkip> &skipped, KestFileResult *saved = nullptr);

signals:
    void DoProcessDlg();

protected:
    void run() override;

private:
    ConfigRecord *m_working;
    ConfigRecord *m_lastWritten;
    KestWriteResult m_result;
};
