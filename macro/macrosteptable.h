// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>

#include "macro/macrostep.h"

class QStandardItemModel;

// The step table's model: one row per step, columns type, high and low as decimal
// text, so that what the page shows is what the macro file stores. All row edits of
// the page go through here.
class MacroStepTable final
{
public:
    enum Column { TypeColumn = 0, HighColumn = 1, LowColumn = 2, ColumnCount = 3 };

    explicit MacroStepTable(QStandardItemModel *model);

    QStandardItemModel *model() const { return m_model; }
    int rowCount() const;

    MacroAction step(int row) const;
    MacroSteps steps() const;
    MacroSteps steps(const QList<int> &rows) const;

    void setSteps(const MacroSteps &steps);
    void setStep(int row, const MacroAction &step);
    // Inserts at row (clamped into 0..rowCount); returns the row of the first one.
    int insertSteps(int row, const MacroSteps &steps);
    void append(const MacroSteps &steps) { insertSteps(rowCount(), steps); }
    void removeRows(QList<int> rows);
    void clear();

    // Moves one row to another place; returns where it ended up (-1 when out of range).
    int moveRow(int from, int to);

private:
    QStandardItemModel *m_model;
};
