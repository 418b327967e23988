// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrorecorder.h"

#include "buttons/keys/keytable.h"

namespace {
constexpr quint32 kRightAltVirtualKey = 165;
} // namespace

RecordedKey recordedKey(const platform::KeyHookEvent &event)
{
    const quint32 flags = event.flags & ~quint32(platform::KeyHookAltDown);
    const quint32 code = event.vkCode == kRightAltVirtualKey ? Key::RightAlt
                                                             : translateHookKey(event.scanCode, flags);
    return {quint8(code & 0xFF), !event.isRelease()};
}

void MacroRecorder::begin()
{
    m_held.clear();
    m_lastEventMs = 0;
    m_hasLastEvent = false;
}

int MacroRecorder::rowLimit(DelayMode mode)
{
    return mode == DelayMode::None ? kMaxRecordedRowsWithoutDelays : kMaxRecordedRowsWithDelays;
}

MacroSteps MacroRecorder::keyEvent(quint8 keyCode, bool keyDown, qint64 nowMs, int rowCount,
                                   const RecordOptions &options)
{
    MacroSteps rows;
    if (keyDown && m_held.contains(keyCode))
        return rows; // the keyboard's auto-repeat
    if (rowCount > rowLimit(options.delayMode))
        return rows;

    if (m_hasLastEvent) {
        if (options.delayMode == DelayMode::Recorded)
            rows.append(delayStep(recordedGapUnits(nowMs - m_lastEventMs, options.minDelay)));
        else if (options.delayMode == DelayMode::Default)
            rows.append(delayStep(delayUnitsForMs(options.defaultDelayMs, options.minDelay)));
    }

    quint8 usage = 0;
    keyCodeToUsage(keyCode, usage);
    rows.append({keyDown ? MACRO_KEY_DOWN : MACRO_KEY_UP, 0, usage});

    if (keyDown)
        m_held.insert(keyCode);
    else
        m_held.remove(keyCode);
    m_lastEventMs = nowMs;
    m_hasLastEvent = true;
    return rows;
}
