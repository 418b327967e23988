#pragma once

#include <QThread>
#include <QVector>

#include "device/buttonupload.h"
#include "store/configrecord.h"
#include "store/kestfileresult.h"

// The write worker: saves the working profile set and sends it to the mouse while the
// window waits in its progress dialog. One per write. The window must not touch the two
// records until DoProcessDlg() has arrived.
class KestProcessThread final : public QThread
{
    Q_OBJECT

public:
    KestProcessThread(ConfigRecord *working, ConfigRecord *lastWritten, QObject *parent = nullptr);
    ~KestProcessThread() override;

    // Sends everything whatever changed (reset all).
    void setForceAll(bool forceAll) { m_forceAll = forceAll; }
    // Before start(): the worker then does nothing but say so.
    void stop() { m_stop = true; }
    // The exchange result of the write (0 = success); valid once the thread has finished.
    quint8 status() const { return m_status; }
    // Buttons that got no macro because the mouse holds twelve; valid once finished.
    const QVector<KestMacroSkip> &skippedMacros() const { return m_skippedMacros; }
    // Whether the set was saved before it was sent, else the file that was not and why;
    // valid once finished. A write that went to the mouse with this not Ok leaves the mouse
    // and the disk apart: the caller must say so.
    const KestFileResult &saveResult() const { return m_saved; }

    // The work of one write, on the calling thread: saves the working set, sends it,
    // copies it over the last-written set and records whether everything must go next time.
    // saved (when given) receives the result of the save.
    static quint8 transact(ConfigRecord *working, ConfigRecord *lastWritten, bool forceAll,
                           QVector<KestMacroSkip> &skipped, KestFileResult *saved = nullptr);

signals:
    void DoProcessDlg();

protected:
    void run() override;

private:
    ConfigRecord *m_working;
    ConfigRecord *m_lastWritten;
    quint8 m_status = 0;
    QVector<KestMacroSkip> m_skippedMacros;
    KestFileResult m_saved;
    bool m_forceAll = false;
    bool m_stop = false;
};
