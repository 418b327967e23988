// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrosteptable.h"

#include <algorithm>

#include <QStandardItemModel>

namespace {
QList<QStandardItem *> makeRow(const MacroAction &step)
{
    QList<QStandardItem *> items;
    for (quint8 v : {step.map, step.high, step.low}) {
        auto *item = new QStandardItem(QString::number(v));
        item->setEditable(false);
        items.append(item);
    }
    return items;
}

quint8 byteOf(const QStandardItemModel *model, int row, int column)
{
    return quint8(model->index(row, column).data().toString().toInt() & 0xFF);
}
} // namespace

MacroStepTable::MacroStepTable(QStandardItemModel *model)
    : m_model(model)
{
    if (m_model->columnCount() < ColumnCount)
        m_model->setColumnCount(ColumnCount);
}

int MacroStepTable::rowCount() const
{
    return m_model->rowCount();
}

MacroAction MacroStepTable::step(int row) const
{
    return {byteOf(m_model, row, TypeColumn), byteOf(m_model, row, HighColumn),
            byteOf(m_model, row, LowColumn)};
}

MacroSteps MacroStepTable::steps() const
{
    MacroSteps all;
    all.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        all.append(step(row));
    return all;
}

MacroSteps MacroStepTable::steps(const QList<int> &rows) const
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    MacroSteps picked;
    for (int row : sorted) {
        if (row >= 0 && row < rowCount())
            picked.append(step(row));
    }
    return picked;
}

void MacroStepTable::setSteps(const MacroSteps &steps)
{
    clear();
    append(steps);
}

void MacroStepTable::setStep(int row, const MacroAction &step)
{
    if (row < 0 || row >= rowCount())
        return;
    const quint8 values[ColumnCount] = {step.map, step.high, step.low};
    // Every cell also holds the whole step: the delegate draws a cell from its row's three
    // bytes, and a cell whose own byte stayed would otherwise not be drawn again.
    const int whole = step.map << 16 | step.high << 8 | step.low;
    for (int column = 0; column < ColumnCount; ++column) {
        const QModelIndex cell = m_model->index(row, column);
        m_model->setData(cell, QString::number(values[column]));
        m_model->setData(cell, whole, Qt::UserRole);
    }
}

int MacroStepTable::insertSteps(int row, const MacroSteps &steps)
{
    row = std::clamp(row, 0, rowCount());
    for (int i = 0; i < steps.size(); ++i)
        m_model->insertRow(row + i, makeRow(steps.at(i)));
    return row;
}

void MacroStepTable::removeRows(QList<int> rows)
{
    // Highest first, so earlier removals do not shift the rows still to go.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row >= 0 && row < rowCount())
            m_model->removeRow(row);
    }
}

void MacroStepTable::clear()
{
    m_model->removeRows(0, m_model->rowCount());
}

int MacroStepTable::moveRow(int from, int to)
{
    const int last = rowCount() - 1;
    if (from < 0 || from > last)
        return -1;
    to = std::clamp(to, 0, last);
    if (to != from)
        m_model->insertRow(to, m_model->takeRow(from));
    return to;
}
