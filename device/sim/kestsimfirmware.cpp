// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/sim/kestsimfirmware.h"

#include <cstring>

namespace {

// Onboard memory image: a tag and a version, then bytes only, so a file from another
// build or a damaged one is told apart by its length and tag.
constexpr char MemoryTag[4] = {'M', 'S', 'I', 'M'};
constexpr quint8 MemoryVersion = 1;
constexpr int SlotBytes = 10 + 8 * 5 + 16 * 4;
constexpr int MemoryBytes = 4 + 1 + 1 + 4 + KestSimMouseState::SlotCount * SlotBytes + 12 * 256;

KestSimSlot liveSlot(const KestSimMouseState &s)
{
    KestSimSlot slot;
    slot.activeDpiLevel = s.activeDpiLevel;
    slot.reportRate = s.reportRate;
    slot.ledMode = s.ledMode;
    slot.ledSpeed = s.ledSpeed;
    slot.ledBrightness = s.ledBrightness;
    slot.ledSleepTime = s.ledSleepTime;
    slot.ledOffWhenMoving = s.ledOffWhenMoving;
    slot.red = s.red;
    slot.green = s.green;
    slot.blue = s.blue;
    slot.dpi = s.dpi;
    slot.buttons = s.buttons;
    return slot;
}

void makeLive(KestSimMouseState &s, const KestSimSlot &slot)
{
    s.activeDpiLevel = slot.activeDpiLevel;
    s.reportRate = slot.reportRate;
    s.ledMode = slot.ledMode;
    s.ledSpeed = slot.ledSpeed;
    s.ledBrightness = slot.ledBrightness;
    s.ledSleepTime = slot.ledSleepTime;
    s.ledOffWhenMoving = slot.ledOffWhenMoving;
    s.red = slot.red;
    s.green = slot.green;
    s.blue = slot.blue;
    s.dpi = slot.dpi;
    s.buttons = slot.buttons;
}

// Visits every byte of the memory image in order, so that writing and reading cannot
// disagree about the layout.
template <typename State, typename Visit>
void visitMemory(State &s, Visit visit)
{
    visit(s.selectedProfile);
    visit(s.sensorBlock);
    visit(s.liftHeight);
    visit(s.angleSnap);
    visit(s.sync);
    for (auto &slot : s.onboard) {
        for (auto *b : {&slot.activeDpiLevel, &slot.reportRate, &slot.ledMode, &slot.ledSpeed,
                        &slot.ledBrightness, &slot.ledSleepTime, &slot.ledOffWhenMoving, &slot.red,
                        &slot.green, &slot.blue})
            visit(*b);
        for (auto &level : slot.dpi)
            for (auto *b : {&level.xRange, &level.xLow, &level.xHigh, &level.yLow, &level.yHigh})
                visit(*b);
        for (auto &button : slot.buttons)
            for (auto *b : {&button.function, &button.p1, &button.p2, &button.p3})
                visit(*b);
    }
    for (auto &macro : s.macros)
        for (auto &b : macro)
            visit(b);
}

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

bool KestSimSlot::operator==(const KestSimSlot &o) const
{
    return activeDpiLevel == o.activeDpiLevel && reportRate == o.reportRate && ledMode == o.ledMode
           && ledSpeed == o.ledSpeed && ledBrightness == o.ledBrightness && ledSleepTime == o.ledSleepTime
           && ledOffWhenMoving == o.ledOffWhenMoving && red == o.red && green == o.green && blue == o.blue
           && dpi == o.dpi && buttons == o.buttons;
}

KestSimSlot KestSimFirmware::slot(int n) const
{
    if (n == m_state.selectedProfile)
        return liveSlot(m_state);
    return m_state.onboard[size_t(qBound(0, n, KestSimMouseState::SlotCount - 1))];
}

QByteArray KestSimFirmware::saveMemory() const
{
    KestSimMouseState copy = m_state;
    copy.onboard[copy.selectedProfile] = liveSlot(copy);
    QByteArray bytes(MemoryTag, sizeof MemoryTag);
    bytes.append(char(MemoryVersion));
    visitMemory(copy, [&bytes](quint8 b) { bytes.append(char(b)); });
    Q_ASSERT(bytes.size() == MemoryBytes);
    return bytes;
}

bool KestSimFirmware::loadMemory(const QByteArray &bytes)
{
    if (bytes.size() != MemoryBytes || !bytes.startsWith(QByteArray(MemoryTag, sizeof MemoryTag))
        || quint8(bytes[int(sizeof MemoryTag)]) != MemoryVersion)
        return false;
    KestSimMouseState loaded = m_state;
    int at = int(sizeof MemoryTag) + 1;
    visitMemory(loaded, [&bytes, &at](quint8 &b) { b = quint8(bytes[at++]); });
    if (loaded.selectedProfile >= KestSimMouseState::SlotCount)
        return false;
    makeLive(loaded, loaded.onboard[loaded.selectedProfile]);
    m_state = loaded;
    return true;
}

bool KestSimFirmware::takeMemoryChanged()
{
    const bool changed = m_memoryChanged;
    m_memoryChanged = false;
    return changed;
}

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
    m_memoryChanged = m_memoryChanged || code != 0x00;
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
        selectSlot(r[5]);
        return;
    case 0x40:
        m_state.extendedRequests.append(qMakePair(r[5], r[6]));
        return;
    default:
        ++m_state.unknownCommands;
        return;
    }
}

void KestSimFirmware::selectSlot(quint8 slot)
{
    if (slot >= KestSimMouseState::SlotCount) {
        ++m_state.unknownCommands;
        return;
    }
    // The slot left keeps what it had; the one chosen brings back its own values.
    m_state.onboard[m_state.selectedProfile] = liveSlot(m_state);
    m_state.selectedProfile = slot;
    makeLive(m_state, m_state.onboard[slot]);
    ++m_state.slotSelections;
    m_memoryChanged = true;
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
