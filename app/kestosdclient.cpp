// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestosdclient.h"

#include <QCoreApplication>
#include <QDebug>

#include "platform/detachedstart.h"
#include "platform/osdchannel.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "platform/logging.h"
#include "widgets/kestrgbcolor.h"

KestOsdClient::KestOsdClient(QObject *parent)
    : QObject(parent)
    , m_program(helperProgramPath(QStringLiteral("OSD")))
    , m_starter([](const QString &program) { return platform::startDetached(program); })
{
    m_retry.setSingleShot(true);
    m_retry.setTimerType(Qt::PreciseTimer);
    connect(&m_retry, &QTimer::timeout, this, &KestOsdClient::attempt);
    // The display program ends with the utility that started it.
    qputenv("MOUSECFG_OSD_OWNER", QByteArray::number(QCoreApplication::applicationPid()));
}

void KestOsdClient::showText(const QString &text)
{
    osd::OsdMessage message;
    message.text = text;
    message.color = toQColor(readThemeColor());
    m_pendingBlock = osd::encodeBlock(message);
    m_pendingText = text;
    // A start already in progress will deliver the newest text when the display is up.
    if (m_retry.isActive())
        return;
    m_tries = 0;
    attempt();
}

void KestOsdClient::attempt()
{
    if (m_pendingBlock.isEmpty())
        return;
    if (osd::displayRunning()) {
        if (!osd::sendBlock(m_pendingBlock))
            qCDebug(lcUi, "SendMessage failed\n");
        m_pendingBlock.clear();
        m_pendingText.clear();
        m_tries = 0;
        return;
    }
    if (m_tries >= kStartTries) {
        const QString dropped = m_pendingText;
        m_pendingBlock.clear();
        m_pendingText.clear();
        m_tries = 0;
        emit textDropped(dropped);
        return;
    }
    ++m_tries;
    m_starter(m_program);
    m_retry.start(kRetryDelayMs);
}
