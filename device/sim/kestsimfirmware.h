// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QByteArray>
#include <QPair>
#include <QVector>

// One DPI level exactly as the mouse received it.
struct KestSimDpiLevel
{
    quint8 xRange = 0;
    quint8 xLow = 0;
    quint8 xHigh = 0;
    quint8 yLow = 0;
    quint8 yHigh = 0;
    bool operator==(const KestSimDpiLevel &o) const
    {
        return xRange == o.xRange && xLow == o.xLow && xHigh == o.xHigh && yLow == o.yLow && yHigh == o.yHigh;
    }
};

// One entry of the mouse's button table: function byte and three parameters.
struct KestSimButton
{
    quint8 function = 0;
    quint8 p1 = 0;
    quint8 p2 = 0;
    quint8 p3 = 0;
    bool operator==(const KestSimButton &o) const
    {
        return function == o.function && p1 == o.p1 && p2 == o.p2 && p3 == o.p3;
    }
};

// What one onboard slot keeps: the mouse switches all of it at once.
struct KestSimSlot
{
    quint8 activeDpiLevel = 0;
    quint8 reportRate = 1;
    quint8 ledMode = 0;
    quint8 ledSpeed = 0;
    quint8 ledBrightness = 0;
    quint8 ledSleepTime = 0;
    quint8 ledOffWhenMoving = 0;
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    std::array<KestSimDpiLevel, 8> dpi{};
    std::array<KestSimButton, 16> buttons{};
    bool operator==(const KestSimSlot &o) const;
    bool operator!=(const KestSimSlot &o) const { return !(*this == o); }
};

// Everything the mouse keeps. Values are raw bytes as they came over the wire.
// The flat per-slot fields are the selected slot, the one the mouse works with and the
// commands write to; `onboard` holds all five as they were when the mouse last left or
// stored them (use KestSimFirmware::slot() for a slot's current values).
struct KestSimMouseState
{
    static constexpr int SlotCount = 5;

    // Command 0x01.
    quint8 activeDpiLevel = 0;
    quint8 reportRate = 1; // 1 = 1000 Hz, 2 = 500, 4 = 250, 8 = 125
    quint8 ledMode = 0;
    quint8 ledSpeed = 0;
    quint8 ledBrightness = 0;
    // Command 0x02.
    quint8 sensorBlock = 0; // the constant byte 2 of the command
    quint8 liftHeight = 0;
    quint8 ledSleepTime = 0;
    quint8 ledOffWhenMoving = 0;
    quint8 angleSnap = 0;
    quint8 sync = 0;
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    // Commands 0x05, 0x06.
    std::array<KestSimDpiLevel, 8> dpi{};
    // Commands 0x07, 0x08, 0x09.
    std::array<KestSimButton, 16> buttons{};
    // Commands 0x10..0x7B.
    std::array<std::array<quint8, 256>, 12> macros{};
    // Extended commands (0x05 with byte 3 = 0xFA).
    quint8 selectedProfile = 0;
    int slotSelections = 0; // sub-commands 0x44 taken
    std::array<KestSimSlot, SlotCount> onboard{};
    QVector<QPair<quint8, quint8>> extendedRequests; // bytes 5, 6 of each sub-command 0x40
    // Transaction markers.
    int beginMarkers = 0;
    int endMarkers = 0;
    bool transactionOpen = false;
    // Battery, reported in status reports.
    quint8 batteryLow = 85; // percent
    quint8 batteryHigh = 0;
    // Reports the firmware refused or did not know.
    int checksumErrors = 0;
    int unknownCommands = 0;
};

// The firmware of the mouse, without transport: decodes command reports into
// its state and produces the answers. Not thread-safe; KestSimMouse guards it.
class KestSimFirmware final
{
public:
    static constexpr int AnswerLength = 32;

    // Handles one output report (report ID in byte 0). Returns the input report
    // the mouse answers with: the echo of bytes 1..32, or a status report for
    // the battery query.
    QByteArray receive(const quint8 *report, int length);
    // The unsolicited status report the mouse sends after a change made on it.
    QByteArray statusReport() const;

    KestSimMouseState &state() { return m_state; }
    const KestSimMouseState &state() const { return m_state; }

    // Slot n (0..4) as the mouse would use it now; the selected one is live.
    KestSimSlot slot(int n) const;

    // Onboard memory: what survives a power cycle (the five slots, the shared sensor
    // options, the macros and the selected slot), not counters or the battery.
    QByteArray saveMemory() const;
    // Replaces the onboard memory; refuses (and changes nothing) what saveMemory() did
    // not write.
    bool loadMemory(const QByteArray &bytes);
    // True once since a command changed the onboard memory.
    bool takeMemoryChanged();

private:
    void decode(const quint8 *r);
    void decodeExtended(const quint8 *r);
    void decodeDpi(const quint8 *r, int firstLevel, int levels);
    void decodeButtons(const quint8 *r, int firstEntry, int entries);
    void decodeMacro(const quint8 *r);
    void selectSlot(quint8 slot);

    KestSimMouseState m_state;
    bool m_memoryChanged = false;
};
