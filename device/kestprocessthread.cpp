#include "device/kestprocessthread.h"

#include <QDebug>

#include "device/writeconfig.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "platform/logging.h"

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
    if (m_stop) {
        qCDebug(lcDevice, "isStop.\n");
        return;
    }
    m_status = transact(m_working, m_lastWritten, m_forceAll, m_skippedMacros, &m_saved);
    emit DoProcessDlg();
}

quint8 KestProcessThread::transact(ConfigRecord *working, ConfigRecord *lastWritten, bool forceAll,
                                   QVector<KestMacroSkip> &skipped, KestFileResult *saved)
{
    // Saved before anything is sent: a failed write must not lose the user's settings.
    const KestFileResult result = saveAll(*working);
    if (saved)
        *saved = result;

    ChangeMask mask = diffConfig(*working, *lastWritten);
    if (readDiff() == 1 || forceAll)
        mask = CHANGE_ALL;

    const quint8 status = WriteConfig(*working, mask);
    skipped = SkippedMacroButtons();
    *lastWritten = *working;
    writeDiff(status != 0 ? 1 : 0);
    return status;
}
