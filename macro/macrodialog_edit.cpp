// SPDX-License-Identifier: GPL-2.0-or-later
// Editing the step table: the step buttons, the mouse actions, the step edits and the
// macro options.

#include "macro/macrodialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QDebug>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTableView>

#include "macro/kesttreewidget.h"
#include "widgets/kestlineedit.h"
#include "platform/logging.h"

namespace {
constexpr int kInsertedClickDelayMs = 10;
constexpr int kSmallestDelayMs = 10;
} // namespace

int MacroDialog::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QList<int> MacroDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && currentRow() >= 0)
        rows.append(currentRow());
    std::sort(rows.begin(), rows.end());
    return rows;
}

MacroAction MacroDialog::actionDelayRow() const
{
    const int ms = delayMode() == DelayMode::Default ? m_defaultDelayMs : kInsertedClickDelayMs;
    return delayStep(delayUnitsForMs(ms, m_minDelay));
}

void MacroDialog::selectRows(int first, int count)
{
    if (count <= 0)
        return;
    QItemSelectionModel *selection = m_view->selectionModel();
    const int last = first + count - 1;
    selection->setCurrentIndex(m_model->index(last, 0), QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(m_model->index(first, 0),
                                     m_model->index(last, m_model->columnCount() - 1)),
                      QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(m_model->index(last, 0));
    showStepEdits(last);
}

void MacroDialog::insertAfterCurrent(const MacroSteps &steps)
{
    if (steps.isEmpty())
        return;
    const int row = currentRow() < 0 ? m_table.rowCount() : currentRow() + 1;
    selectRows(m_table.insertSteps(row, steps), steps.size());
}

void MacroDialog::insertWithDelays(const MacroSteps &actions)
{
    MacroSteps rows;
    for (const MacroAction &action : actions) {
        rows.append(action);
        if (delayMode() != DelayMode::None)
            rows.append(actionDelayRow());
    }
    insertAfterCurrent(rows);
}

void MacroDialog::SelectRow(int row)
{
    qCDebug(lcUi, "SelectRow %d", row);
    if (row < 0 || row >= m_table.rowCount())
        return;
    selectRows(row, 1);
}

void MacroDialog::itemClicked(QModelIndex index)
{
    showStepEdits(index.row());
}

void MacroDialog::CurrentChanged(QModelIndex current, QModelIndex previous)
{
    Q_UNUSED(previous)
    showStepEdits(current.isValid() ? current.row() : -1);
}

void MacroDialog::showStepEdits(int row)
{
    const MacroAction step = m_table.step(row);
    const bool isStep = row >= 0 && row < m_table.rowCount();
    if (isStep && step.map == MACRO_DELAY)
        m_delayEdit->setText(QString::number(delayStepMs(step, m_minDelay)));
    const bool isMove = isStep && step.map == MACRO_MOVE;
    m_moveEdit->setText(isMove ? QString::number(moveStepDistance(step)) : QString());
    m_moveEdit->setEnabled(isMove && m_view->isEnabled());
}

void MacroDialog::EditDelayChanged(QString text)
{
    const int row = currentRow();
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (row < 0 || !ok || ms < kSmallestDelayMs || ms > 65535 || m_table.step(row).map != MACRO_DELAY)
        return;
    m_table.setStep(row, delayStep(delayUnitsForMs(ms, m_minDelay)));
}

void MacroDialog::EditMoveChanged(QString text)
{
    const int row = currentRow();
    bool ok = false;
    const int distance = text.toInt(&ok);
    const MacroAction step = m_table.step(row);
    if (row < 0 || !ok || distance < 1 || distance > kMaxMoveDistance || step.map != MACRO_MOVE)
        return;
    m_table.setStep(row, withMoveDistance(step, distance));
}

void MacroDialog::DefDelayChanged(QString text)
{
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (ok && ms >= 0 && ms <= 65535)
        m_defaultDelayMs = ms;
}

void MacroDialog::LoopTimeChanged(QString text)
{
    bool ok = false;
    const int count = text.toInt(&ok);
    if (ok && count >= 1 && count <= 255)
        m_loopTime = count;
}

void MacroDialog::checkbtn_clicked()
{
    auto *clicked = qobject_cast<QCheckBox *>(sender());
    if (!clicked || !clicked->isChecked())
        return; // unchecking leaves no mode chosen
    // The delay modes exclude each other, and so do the loop types.
    if (clicked == m_recordDelayBox)
        m_defaultDelayBox->setChecked(false);
    else if (clicked == m_defaultDelayBox)
        m_recordDelayBox->setChecked(false);
    for (QCheckBox *box : m_loopBoxes) {
        if (box != clicked && std::find(std::begin(m_loopBoxes), std::end(m_loopBoxes), clicked)
                                  != std::end(m_loopBoxes))
            box->setChecked(false);
    }
}

void MacroDialog::TreeitemClick(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    auto *action = static_cast<KestTreeItem *>(item);
    if (!action)
        return;
    if (action->kind() == KestTreeItem::Kind::Button && !action->isExpanded()) {
        m_tree->collapseAllBut(action);
        action->setExpanded(true);
        return;
    }
    insertWithDelays(action->steps());
}

void MacroDialog::KestItemPressed()
{
    auto *action = static_cast<KestTreeItem *>(m_tree->currentItem());
    if (action && action->kind() == KestTreeItem::Kind::Move)
        insertWithDelays(action->steps());
}

void MacroDialog::mousemove_test()
{
    // MOUSE ACTION: the action chosen in the tree, whether or not its item is open.
    auto *action = static_cast<KestTreeItem *>(m_tree->currentItem());
    if (action)
        insertWithDelays(action->steps());
}

void MacroDialog::insertDelay()
{
    const int ms = std::max(m_delayEdit->text().toInt(), kSmallestDelayMs);
    insertAfterCurrent({delayStep(delayUnitsForMs(ms, m_minDelay))});
}

void MacroDialog::deleteSteps()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    m_table.removeRows(rows);
    SelectRow(std::min(rows.first(), m_table.rowCount() - 1));
}

void MacroDialog::moveStepUp()
{
    const int row = currentRow();
    if (row > 0)
        SelectRow(m_table.moveRow(row, row - 1));
}

void MacroDialog::moveStepDown()
{
    const int row = currentRow();
    if (row >= 0 && row < m_table.rowCount() - 1)
        SelectRow(m_table.moveRow(row, row + 1));
}

void MacroDialog::moveStepToTop()
{
    const int row = currentRow();
    if (row > 0)
        SelectRow(m_table.moveRow(row, 0));
}

void MacroDialog::moveStepToBottom()
{
    const int row = currentRow();
    if (row >= 0)
        SelectRow(m_table.moveRow(row, m_table.rowCount() - 1));
}

void MacroDialog::clearSteps()
{
    m_table.clear();
    showStepEdits(-1);
}

void MacroDialog::copySteps()
{
    const MacroSteps picked = m_table.steps(selectedRows());
    if (!picked.isEmpty())
        m_clipboard = picked;
}

void MacroDialog::cutSteps()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    m_clipboard = m_table.steps(rows);
    m_table.removeRows(rows);
    SelectRow(std::min(rows.first(), m_table.rowCount()) - 1);
}

void MacroDialog::pasteSteps()
{
    insertAfterCurrent(m_clipboard);
}
