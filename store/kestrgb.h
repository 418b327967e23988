// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

// A colour as the mouse takes it: one byte each of red, green and blue, or no colour yet.
// The store holds this rather than the toolkit's colour class so that the store, and the
// command-line tool with it, never load the GUI libraries; widgets/kestrgbcolor.h converts
// where a colour is drawn or picked.
class KestRgb final
{
public:
    constexpr KestRgb() = default; // no colour: what a missing or refused key gives
    constexpr KestRgb(int red, int green, int blue)
        : m_red(quint8(red)), m_green(quint8(green)), m_blue(quint8(blue)), m_valid(true)
    {
    }

    // The settings class keeps 16 bits a component; the mouse takes the nearest byte,
    // rounded as the toolkit's colour class rounds them.
    static constexpr KestRgb fromRgb16(quint16 red, quint16 green, quint16 blue)
    {
        return KestRgb(byteOf(red), byteOf(green), byteOf(blue));
    }

    constexpr bool isValid() const { return m_valid; }
    constexpr int red() const { return m_red; }
    constexpr int green() const { return m_green; }
    constexpr int blue() const { return m_blue; }

    constexpr bool operator==(const KestRgb &o) const
    {
        return m_valid == o.m_valid && m_red == o.m_red && m_green == o.m_green && m_blue == o.m_blue;
    }
    constexpr bool operator!=(const KestRgb &o) const { return !(*this == o); }

private:
    static constexpr int byteOf(quint16 word) { return (word - (word >> 8) + 0x80) >> 8; }

    quint8 m_red = 0;
    quint8 m_green = 0;
    quint8 m_blue = 0;
    bool m_valid = false;
};
