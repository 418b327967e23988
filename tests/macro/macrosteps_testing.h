// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Step rows for the macro tests, and how QtTest prints them.

#include <QtTest>

#include "macro/macrostep.h"

namespace QTest {
template <>
inline char *toString(const MacroAction &a)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)").arg(a.map).arg(a.high).arg(a.low).toLatin1());
}
} // namespace QTest

inline MacroAction row(int map, int high, int low)
{
    return {quint8(map), quint8(high), quint8(low)};
}

// Appended one by one: GCC 12 misreads QVector's copy of a long initializer list of
// three-byte structs as an overflow.
inline MacroSteps rows(std::initializer_list<MacroAction> list)
{
    MacroSteps steps;
    for (const MacroAction &a : list)
        steps.append(a);
    return steps;
}
