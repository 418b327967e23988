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
    // Saved before anything is sent: a failed write must not lose the user's settings.
    saveAll(*m_working);
    m_status = 0;

    ChangeMask mask = diffConfig(*m_working, *m_lastWritten);
    if (readDiff() == 1 || m_forceAll)
        mask = CHANGE_ALL;

    m_status = WriteConfig(*m_working, mask);
    m_skippedMacros = SkippedMacroButtons();
    *m_lastWritten = *m_working;
    writeDiff(m_status != 0 ? 1 : 0);
    emit DoProcessDlg();
}
