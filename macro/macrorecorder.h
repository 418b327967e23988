// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSet>

#include "macro/macrostep.h"
#include "platform/keycapture.h"

struct RecordOptions
{
    DelayMode delayMode = DelayMode::None;
    int defaultDelayMs = 10;
    int minDelay = kDefaultMinDelay;
};

struct RecordedKey
{
    quint8 code = 0;
    bool down = false;
};

// The key code and direction of a captured event. Right Alt is known by its virtual-key
// code; the Alt-held bit is dropped before translating, so that a key pressed under Alt
// is still a press and keeps its own code (keypad 8 stays keypad 8, Delete stays Delete).
RecordedKey recordedKey(const platform::KeyHookEvent &event);

// The recording rules without the widgets: which key events become rows, with which
// delay rows before them, and when the table is full. Times are milliseconds of a
// monotonic clock; the page feeds them from QElapsedTimer.
class MacroRecorder final
{
public:
    // A fresh recording: the first event gets no delay before it and no key is held.
    void begin();

    // The rows one key event adds to a table that holds rowCount rows; empty when the
    // event is dropped (an auto-repeat, or the table is full).
    MacroSteps keyEvent(quint8 keyCode, bool keyDown, qint64 nowMs, int rowCount,
                        const RecordOptions &options);


    static int rowLimit(DelayMode mode);

private:
    QSet<quint8> m_held;
    qint64 m_lastEventMs = 0;
    bool m_hasLastEvent = false;
};
