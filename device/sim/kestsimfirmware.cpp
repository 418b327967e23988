#include "device/sim/kestsimfirmware.h"

#include <cstring>

namespace {

// The mouse's own view of the wire; kept apart from the program's builders on
// purpose, so that the simulation checks them instead of repeating them.
constexpr int ReportLength = 33;

quint8 sumComplement(const quint8 *r)
{
    unsigned sum = 0;
    for (int i = 1; i <= 31; ++i)
        sum += r[i];
    return quint8(~sum);
}

bool isBatteryQuery(const quint8 *r)
{
    return r[1] == 0x0A && r[2] == 0xAA && r[3] == 0xFF && r[4] == 0xDD;
}

// Profile commands share code 0x05 with the DPI levels; they carry 0x00 0xFA
// where a DPI report has level 0's range and X low byte, and no checksum.
bool isExtended(const quint8 *r)
{
    return r[1] == 0x05 && r[2] == 0x00 && r[3] == 0xFA && r[32] != sumComplement(r);
}

} // namespace

QByteArray KestSimFirmware::receive(const quint8 *report, int length)
{
    quint8 r[ReportLength] = {};
    std::memcpy(r, report, size_t(qBound(0, length, ReportLength)));

    if (isBatteryQuery(r))
        return statusReport();

    if (isExtended(r))
        decodeExtended(r);
    else if (r[32] != sumComplement(r))
        ++m_state.checksumErrors;
    else
        decode(r);

    return QByteArray(reinterpret_cast<const char *>(r + 1), AnswerLength);
}

QByteArray KestSimFirmware::statusReport() const
{
    QByteArray answer(AnswerLength, '\0');
    answer[0] = char(0x0A);
    answer[1] = char(0xAA);
    answer[2] = char(0xFF);
    answer[3] = char(0xDD);
    answer[4] = char(m_state.batteryLow);
    answer[5] = char(m_state.batteryHigh);
    answer[6] = char(m_state.activeDpiLevel & 0x0F);
    answer[7] = char(m_state.reportRate);
    return answer;
}

void KestSimFirmware::decode(const quint8 *r)
{
    KestSimMouseState &s = m_state;
    const quint8 code = r[1];
    switch (code) {
    case 0x00:
        if (r[2] == 0xAA && r[3] == 0x55) {
            ++s.beginMarkers;
            s.transactionOpen = true;
        } else if (r[2] == 0xCC && r[3] == 0x33) {
            ++s.endMarkers;
            s.transactionOpen = false;
        } else {
            ++s.unknownCommands;
        }
        return;
    case 0x01:
        s.activeDpiLevel = r[2];
        s.reportRate = r[3];
        s.ledMode = r[4];
        s.ledSpeed = r[5];
        s.ledBrightness = r[6];
        return;
    case 0x02:
        s.sensorBlock = r[2];
        s.liftHeight = r[3];
        s.ledSleepTime = r[4];
        s.ledOffWhenMoving = r[5];
        s.angleSnap = r[6];
        s.sync = r[7];
        s.red = r[8];
        s.green = r[9];
        s.blue = r[10];
        return;
    case 0x05:
        decodeDpi(r, 0, 6);
        return;
    case 0x06:
        decodeDpi(r, 6, 2);
        return;
    case 0x07:
        decodeButtons(r, 0, 7);
        return;
    case 0x08:
        decodeButtons(r, 7, 7);
        return;
    case 0x09:
        decodeButtons(r, 14, 2);
        return;
    default:
        if (code >= 0x10 && code <= 0x7B)
            decodeMacro(r);
        else
            ++s.unknownCommands;
        return;
    }
}

void KestSimFirmware::decodeExtended(const quint8 *r)
{
    switch (r[4]) {
    case 0x44:
        m_state.selectedProfile = r[5];
        return;
    case 0x40:
        m_state.extendedRequests.append(qMakePair(r[5], r[6]));
        return;
    default:
        ++m_state.unknownCommands;
        return;
    }
}

void KestSimFirmware::decodeDpi(const quint8 *r, int firstLevel, int levels)
{
    for (int i = 0; i < levels; ++i) {
        const quint8 *b = r + 2 + 5 * i;
        m_state.dpi[size_t(firstLevel + i)] = KestSimDpiLevel{b[0], b[1], b[2], b[3], b[4]};
    }
}

void KestSimFirmware::decodeButtons(const quint8 *r, int firstEntry, int entries)
{
    for (int i = 0; i < entries; ++i) {
        const quint8 *b = r + 2 + 4 * i;
        m_state.buttons[size_t(firstEntry + i)] = KestSimButton{b[0], b[1], b[2], b[3]};
    }
}

void KestSimFirmware::decodeMacro(const quint8 *r)
{
    // Nine reports per slot: eight of 30 bytes, then the last 16 of 256.
    const int index = r[1] - 0x10;
    auto &slot = m_state.macros[size_t(index / 9)];
    const int part = index % 9;
    if (part < 8)
        std::memcpy(slot.data() + 30 * part, r + 2, 30);
    else
        std::memcpy(slot.data() + 240, r + 2, 16);
}
