// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/osdchannel.h"
#include "platform/localsocket.h"
#include "platform/runtimefolder.h"

#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace osd {

namespace {

void putString(char16_t *dest, const QString &text)
{
    const int units = qMin(text.size(), kMaxTextUnits);
    for (int i = 0; i < units; ++i)
        dest[i] = qToLittleEndian(char16_t(text.at(i).unicode()));
    dest[units] = 0;
}

QString getString(const char16_t *src)
{
    QString out;
    for (int i = 0; i < 256; ++i) {
        const char16_t unit = qFromLittleEndian(src[i]);
        if (unit == 0)
            break;
        out.append(QChar(unit));
    }
    return out;
}

} // namespace

std::uint32_t toColorRef(const QColor &color)
{
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8)
           | (std::uint32_t(color.blue()) << 16);
}

QColor fromColorRef(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

QByteArray encodeBlock(const OsdMessage &message)
{
    OsdBlockLayout block;
    std::memset(&block, 0, sizeof block);
    putString(block.text, message.text);
    block.reserved1 = 0;
    block.displayTimeMs = qToLittleEndian(std::int32_t(message.displayTimeMs));
    block.reserved2 = 0;
    block.colorRef = qToLittleEndian(toColorRef(message.color));
    block.fontSize = qToLittleEndian(std::int32_t(message.fontSize));
    putString(block.fontFace, message.fontFace);
    return QByteArray(reinterpret_cast<const char *>(&block), kBlockSize);
}

bool decodeBlock(const QByteArray &data, OsdMessage *message)
{
    if (data.size() != kBlockSize || !message)
        return false;
    OsdBlockLayout block;
    std::memcpy(&block, data.constData(), sizeof block);
    message->text = getString(block.text);
    message->displayTimeMs = qFromLittleEndian(block.displayTimeMs);
    message->color = fromColorRef(qFromLittleEndian(block.colorRef));
    message->fontSize = qFromLittleEndian(block.fontSize);
    message->fontFace = getString(block.fontFace);
    return true;
}

QString channelName()
{
    const QString runtime = privateRuntimeFolder();
    if (runtime.isEmpty())
        return QString();
    return runtime + QStringLiteral("/mousecfg-osd");
}

bool channelIsOurs()
{
    const QString name = channelName();
    if (name.isEmpty())
        return false;
    struct stat info;
    const QByteArray path = QFile::encodeName(name);
    return ::lstat(path.constData(), &info) != 0 || info.st_uid == ::geteuid();
}

bool displayRunning()
{
    return channelIsOurs() && localsocket::canConnect(channelName());
}

bool sendBlock(const QByteArray &block, int timeoutMs)
{
    // The display answers one byte once it has taken the text, like a handled message.
    return channelIsOurs() && localsocket::exchange(channelName(), block, 1, timeoutMs);
}

} // namespace osd

namespace osd {

OsdReceiver::OsdReceiver(QObject *parent)
    : QObject(parent)
    , m_server(new KestLocalServer(this))
{
    connect(m_server, &KestLocalServer::connected, this, &OsdReceiver::onConnection);
}

bool OsdReceiver::listen()
{
    if (displayRunning() || !channelIsOurs())
        return false;
    // A display that crashed leaves its socket file behind, which listen() replaces; only
    // this user may hand texts to this user's display.
    return m_server->listen(channelName());
}

void OsdReceiver::onConnection(KestLocalConnection *connection)
{
    connect(connection, &KestLocalConnection::readyRead, this, [this, connection] {
        QByteArray &buffer = connection->buffer();
        while (buffer.size() >= kBlockSize) {
            OsdMessage message;
            const bool decoded = decodeBlock(buffer.left(kBlockSize), &message);
            buffer.remove(0, kBlockSize);
            if (decoded) {
                // Acknowledge on receipt: a display's first show can take longer
                // than the sender is willing to wait.
                connection->write(QByteArray("\1", 1));
                emit messageReceived(message);
            }
        }
    });
}

} // namespace osd
