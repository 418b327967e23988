// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QtGlobal>

// Framing shared by every command sent to the vendor interface: a report ID
// byte, a command code, 30 parameter bytes and a checksum, 33 bytes on the
// wire. Builders work in a zeroed 64-byte buffer because the exchange copies
// one byte past the report and reads its answer one byte in.
namespace CommandReport {
constexpr int WireLength = 33;
constexpr int BufferSize = 64;
constexpr int CommandByte = 1;
constexpr int FirstParameterByte = 2;
constexpr int LastParameterByte = 31;
constexpr int ChecksumByte = 32;
constexpr int AnswerLength = 32; // input reports come without the report ID

// Command codes (report byte 1).
constexpr quint8 Marker = 0x00;
constexpr quint8 Settings = 0x01;
constexpr quint8 SensorAndColour = 0x02;
constexpr quint8 DpiLevels0to5 = 0x05;
constexpr quint8 DpiLevels6to7 = 0x06;
constexpr quint8 ButtonsFirst = 0x07;
constexpr quint8 ButtonsSecond = 0x08;
constexpr quint8 ButtonsWheel = 0x09;
constexpr quint8 BatteryQuery = 0x0A;
constexpr quint8 MacroFirst = 0x10;
constexpr quint8 MacroLast = 0x7B;
} // namespace CommandReport

// Complement of the low byte of the sum of `count` bytes (at most 31 are used,
// missing ones count as zero). Pass command byte 1 and 31.
quint8 Checksum(const quint8 *bytes, int count);

class KestCommandReport final
{
public:
    explicit KestCommandReport(quint8 command = 0) { m_bytes[CommandReport::CommandByte] = command; }

    quint8 &operator[](int index) { return m_bytes[index]; }
    quint8 operator[](int index) const { return m_bytes[index]; }
    quint8 command() const { return m_bytes[CommandReport::CommandByte]; }

    // Writes the checksum of bytes 1..31 into byte 32; call it after the last
    // parameter byte is set.
    void seal() { m_bytes[CommandReport::ChecksumByte] = Checksum(&m_bytes[1], 31); }
    bool checksumValid() const { return m_bytes[CommandReport::ChecksumByte] == Checksum(&m_bytes[1], 31); }

    const quint8 *data() const { return m_bytes.data(); }
    quint8 *data() { return m_bytes.data(); }

private:
    std::array<quint8, CommandReport::BufferSize> m_bytes{};
};

static_assert(sizeof(KestCommandReport) == CommandReport::BufferSize, "report buffer must stay 64 bytes");
