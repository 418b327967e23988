// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/macrowire.h"

#include <algorithm>

using namespace MacroWire;

namespace {

class SlotWriter
{
public:
    explicit SlotWriter(MacroSlotBytes &slot) : m_slot(slot) {}

    void put(quint8 map, quint8 low, quint8 high)
    {
        for (quint8 byte : {map, low, high}) {
            if (m_at < FilledBytes)
                m_slot[size_t(m_at)] = byte;
            ++m_at;
        }
    }
    void put(const KeyInfo &step) { put(step.map, step.low, step.high); }

private:
    MacroSlotBytes &m_slot;
    int m_at = 0;
};

} // namespace

MacroSlotBytes layoutMacro(const QVector<KeyInfo> &steps)
{
    MacroSlotBytes slot{};
    SlotWriter out(slot);
    const bool timed = std::any_of(steps.cbegin(), steps.cend(),
                                   [](const KeyInfo &step) { return step.map == DelayStep; });
    if (timed) {
        for (const KeyInfo &step : steps)
            out.put(step);
        return slot;
    }
    for (int i = 0; i < steps.size(); ++i) {
        out.put(steps[i]);
        if ((i + 1) % GroupSize == 0)
            out.put(DelayStep, 1, 0);
    }
    out.put(DelayStep, 1, 0);
    out.put(0, 0, 0);
    return slot;
}

bool macroSlotUsed(const MacroSlotBytes &slot)
{
    return std::any_of(slot.cbegin(), slot.cbegin() + EmptyCheckBytes, [](quint8 b) { return b != 0; });
}

std::array<KestCommandReport, ReportsPerSlot> buildMacroReports(int slot, const MacroSlotBytes &bytes)
{
    std::array<KestCommandReport, ReportsPerSlot> reports;
    for (int j = 0; j < ReportsPerSlot; ++j) {
        KestCommandReport report(command(slot, j));
        const int count = j < FullChunks ? ChunkBytes : TailBytes;
        for (int i = 0; i < count; ++i)
            report[CommandReport::FirstParameterByte + i] = bytes[size_t(j * ChunkBytes + i)];
        report.seal();
        reports[size_t(j)] = report;
    }
    return reports;
}
