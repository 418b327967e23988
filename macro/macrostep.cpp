// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrostep.h"

#include <algorithm>

namespace {
constexpr quint8 kMouseBits[kMouseButtonCount] = {1, 4, 2, 8, 16};
constexpr int kMaxUnits = 0xFFFF;

quint8 negated(int distance)
{
    return quint8((256 - distance) & 0xFF);
}

int signedDistance(quint8 v)
{
    return v > kMaxMoveDistance ? 256 - v : v;
}
} // namespace

quint8 mouseButtonBit(int treeIndex)
{
    return treeIndex >= 0 && treeIndex < kMouseButtonCount ? kMouseBits[treeIndex] : 0;
}

int mouseButtonIndex(quint8 bit)
{
    const auto it = std::find(std::begin(kMouseBits), std::end(kMouseBits), bit);
    return it == std::end(kMouseBits) ? -1 : int(it - std::begin(kMouseBits));
}

int sanitizedMinDelay(int minDelay)
{
    // A zero or negative step in the description would divide by zero below.
    return minDelay > 0 ? minDelay : kDefaultMinDelay;
}

int delayUnitsForMs(int ms, int minDelay)
{
    return std::clamp(ms / sanitizedMinDelay(minDelay), 0, kMaxUnits);
}

int recordedGapUnits(qint64 elapsedMs, int minDelay)
{
    const qint64 units = std::max<qint64>(elapsedMs, 0) / sanitizedMinDelay(minDelay);
    // Two bytes hold the count: a longer pause keeps the longest delay instead of wrapping.
    return int(std::clamp<qint64>(units, 1, kMaxUnits));
}

MacroAction delayStep(int units)
{
    units = std::clamp(units, 0, kMaxUnits);
    return {MACRO_DELAY, quint8(units >> 8), quint8(units & 0xFF)};
}

int delayStepUnits(const MacroAction &step)
{
    return step.high * 256 + step.low;
}

int delayStepMs(const MacroAction &step, int minDelay)
{
    return delayStepUnits(step) * sanitizedMinDelay(minDelay);
}

MacroAction moveStep(MoveDirection direction, int distance)
{
    distance = std::clamp(distance, 0, kMaxMoveDistance);
    switch (direction) {
    case MoveDirection::Right: return {MACRO_MOVE, quint8(distance), 0};
    case MoveDirection::Left: return {MACRO_MOVE, negated(distance), 0};
    case MoveDirection::Down: return {MACRO_MOVE, 0, quint8(distance)};
    case MoveDirection::Up: return {MACRO_MOVE, 0, negated(distance)};
    }
    return {MACRO_MOVE, 0, 0};
}

MoveDirection moveStepDirection(const MacroAction &step)
{
    if (step.high != 0)
        return step.high > kMaxMoveDistance ? MoveDirection::Left : MoveDirection::Right;
    return step.low > kMaxMoveDistance ? MoveDirection::Up : MoveDirection::Down;
}

int moveStepDistance(const MacroAction &step)
{
    return step.high != 0 ? signedDistance(step.high) : signedDistance(step.low);
}

MacroAction withMoveDistance(const MacroAction &step, int distance)
{
    return moveStep(moveStepDirection(step), distance);
}

bool isPress(const MacroAction &step)
{
    return step.map == MACRO_KEY_DOWN || step.map == MACRO_MOUSE_DOWN;
}

bool isRelease(const MacroAction &step)
{
    return step.map == MACRO_KEY_UP || step.map == MACRO_MOUSE_UP;
}

bool hasUnreleasedKeys(const MacroSteps &steps)
{
    int presses = 0;
    int releases = 0;
    for (const MacroAction &press : steps) {
        if (isRelease(press))
            ++releases;
        if (!isPress(press))
            continue;
        ++presses;
        // A key release answers a key press only: key usage 4 is not the middle button.
        const quint8 releaseType = press.map & 0x7F;
        const bool released = std::any_of(steps.begin(), steps.end(), [&](const MacroAction &s) {
            return s.map == releaseType && s.low == press.low;
        });
        if (!released)
            return true;
    }
    return releases < presses;
}
