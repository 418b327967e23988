// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The on-screen display is a separate program (tools/osd). The utility hands it one
// fixed 1044-byte message block over a local socket of the user's own (in the runtime
// folder, or carrying the user id), so every user on a machine has a display of their
// own; the block keeps the field order and little-endian layout the display has
// always received, so either side can be replaced on its own.

#include <QByteArray>
#include <QColor>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace osd {

// Window title of the display program.
inline constexpr const char kDisplayName[] = "ORLA Wireless Mouse OSD";

inline constexpr int kDefaultDisplayTimeMs = 1500;
inline constexpr int kDefaultFontSize = 60;
inline constexpr const char kDefaultFontFace[] = "Arial";
// Both strings hold 255 UTF-16 code units and a terminating NUL.
inline constexpr int kMaxTextUnits = 255;

#pragma pack(push, 1)
// The wire layout. Every integer is little-endian; strings are UTF-16LE, NUL-terminated.
struct OsdBlockLayout {
    char16_t text[256];
    std::int32_t reserved1;    // always 0
    std::int32_t displayTimeMs;
    std::int32_t reserved2;    // always 0
    std::uint32_t colorRef;    // 0x00BBGGRR: red in the low byte
    std::int32_t fontSize;
    char16_t fontFace[256];
};
#pragma pack(pop)
static_assert(sizeof(OsdBlockLayout) == 1044, "the display expects exactly 1044 bytes");
static_assert(offsetof(OsdBlockLayout, reserved1) == 512);
static_assert(offsetof(OsdBlockLayout, displayTimeMs) == 516);
static_assert(offsetof(OsdBlockLayout, reserved2) == 520);
static_assert(offsetof(OsdBlockLayout, colorRef) == 524);
static_assert(offsetof(OsdBlockLayout, fontSize) == 528);
static_assert(offsetof(OsdBlockLayout, fontFace) == 532);

inline constexpr int kBlockSize = int(sizeof(OsdBlockLayout));

// The decoded content of one block.
struct OsdMessage {
    QString text;
    int displayTimeMs = kDefaultDisplayTimeMs;
    QColor color;
    int fontSize = kDefaultFontSize;
    QString fontFace = QString::fromLatin1(kDefaultFontFace);
};

// Texts longer than 255 UTF-16 units are cut; the block always ends its strings with NUL.
QByteArray encodeBlock(const OsdMessage &message);
// False when the data is not exactly one block.
bool decodeBlock(const QByteArray &data, OsdMessage *message);

std::uint32_t toColorRef(const QColor &color);
QColor fromColorRef(std::uint32_t colorRef);

// The local socket both sides use: "mousecfg-osd" in this user's private runtime folder
// (see privateRuntimeFolder()); empty when there is none, and then nothing is shown.
QString channelName();

// False when the socket exists but belongs to another user: nothing is sent there and
// no display listens there.
bool channelIsOurs();

// True when a display program listens on the channel right now.
bool displayRunning();

// Hands one block to a running display and waits up to timeoutMs for its
// acknowledgement. False when no display listens or it did not acknowledge.
bool sendBlock(const QByteArray &block, int timeoutMs = 250);

} // namespace osd

#include <QObject>

class KestLocalConnection;
class KestLocalServer;

namespace osd {

// The display program's end of the channel: listens under channelName() and
// acknowledges each complete block after handing it on.
class OsdReceiver final : public QObject
{
    Q_OBJECT
public:
    explicit OsdReceiver(QObject *parent = nullptr);
    // False when another display already listens or the socket cannot be made.
    bool listen();

signals:
    void messageReceived(const osd::OsdMessage &message);

private:
    void onConnection(KestLocalConnection *connection);

    KestLocalServer *m_server = nullptr;
};

} // namespace osd
