// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVector>

#include "store/macrodb.h"

// A step is the store's MacroAction (type, high, low): the step table, the macro files
// and a button's KeyInfo all keep this shape.
using MacroSteps = QVector<MacroAction>;

// A button fits 63 steps; a recording stops there (40 without delay rows).
constexpr int kMaxButtonSteps = KEY_STEPS;
constexpr int kMaxRecordedRowsWithDelays = 61;   // a delay and an event still fit after it
constexpr int kMaxRecordedRowsWithoutDelays = 39;

// Delay modes of a macro.
enum class DelayMode : int { None = 0, Recorded = 1, Default = 2 };

// The device's smallest delay step when the description gives none (or nonsense).
constexpr int kDefaultMinDelay = 10;

// A move byte above this counts as a step in the negative direction.
constexpr int kMaxMoveDistance = 120;

enum class MoveDirection : int { Left = 0, Right = 1, Up = 2, Down = 3 };

// The mouse action tree lists LEFT, MIDDLE, RIGHT, FORWARD, BACKWARD in this order.
constexpr int kMouseButtonCount = 5;
quint8 mouseButtonBit(int treeIndex);
int mouseButtonIndex(quint8 bit); // -1 for anything that is not a single known bit

int sanitizedMinDelay(int minDelay);

// Delay units for a wanted number of milliseconds, cut to what two bytes hold.
int delayUnitsForMs(int ms, int minDelay);
// A recorded gap: at least one unit, cut down to whole units.
int recordedGapUnits(qint64 elapsedMs, int minDelay);
MacroAction delayStep(int units);
int delayStepUnits(const MacroAction &step);
int delayStepMs(const MacroAction &step, int minDelay);

MacroAction moveStep(MoveDirection direction, int distance);
MoveDirection moveStepDirection(const MacroAction &step);
int moveStepDistance(const MacroAction &step);
// The same direction, another distance.
MacroAction withMoveDistance(const MacroAction &step, int distance);

bool isPress(const MacroAction &step);
bool isRelease(const MacroAction &step);

// True when a press has no release of the same key (or mouse button) in the list, or
// when the list holds fewer releases than presses.
bool hasUnreleasedKeys(const MacroSteps &steps);
