// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrostepeditor.h"

#include <algorithm>

#include <QDebug>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTableView>

#include "macro/kestmacroitemdelegate.h"
#include "macro/kesttreewidget.h"
#include "platform/logging.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

namespace {
constexpr int kInsertDelayMs = 100;
constexpr int kInsertedClickDelayMs = 10;
constexpr int kSmallestDelayMs = 10;
} // namespace

MacroStepEditor::MacroStepEditor(int minDelay, QWidget *page)
    : QObject(page)
    , m_minDelay(minDelay)
    , m_model(new QStandardItemModel(0, MacroStepTable::ColumnCount, this))
    , m_table(m_model)
    , m_view(new QTableView(page))
    , m_delegate(new KestMacroItemDelegate(m_minDelay, m_view))
    , m_delayEdit(new KestLineEdit(page))
    , m_moveEdit(new KestLineEdit(page))
    , m_tree(new KestTreeWidget(page))
{
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setColumnHidden(MacroStepTable::LowColumn, true);
    connect(m_view, &QTableView::clicked, this,
            [this](const QModelIndex &index) { showStepEdits(index.row()); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { showStepEdits(current.isValid() ? current.row() : -1); });

    m_delayEdit->setMaxLength(5);
    m_delayEdit->setValidator(new MyIntValidator(10, 65535, m_delayEdit));
    m_delayEdit->setText(QString::number(kInsertDelayMs));
    connect(m_delayEdit, &QLineEdit::textEdited, this, &MacroStepEditor::delayEdited);
    m_moveEdit->setMaxLength(5);
    m_moveEdit->setValidator(new MyIntValidator(1, kMaxMoveDistance, m_moveEdit));
    connect(m_moveEdit, &QLineEdit::textEdited, this, &MacroStepEditor::moveEdited);

    connect(m_tree, &QTreeWidget::itemClicked, this, &MacroStepEditor::mouseActionClicked);
    connect(m_tree, &KestTreeWidget::moveDistanceEntered, this, [this](KestTreeItem *item) {
        m_tree->setCurrentItem(item);
        if (item->kind() == KestTreeItem::Kind::Move)
            insertWithDelays(item->steps());
    });
}

RecordOptions MacroStepEditor::options() const
{
    RecordOptions options;
    if (m_options)
        options = m_options();
    options.minDelay = m_minDelay;
    return options;
}

void MacroStepEditor::showSteps(const MacroSteps &steps)
{
    m_table.setSteps(steps);
    if (m_table.rowCount() > 0)
        selectRow(0);
    else
        showStepEdits(-1);
}

void MacroStepEditor::applyStyle(const QString &panel, const QString &selection, const QString &scrollBar)
{
    const QColor accent = themeColor();
    const QFont font = languageFont();
    m_view->setStyleSheet(QStringLiteral("QTableView{%1outline:0;}"
                                         "QHeaderView::section{background-color:rgb(40,40,44);"
                                         "color:rgb(235,235,235);border:none;"
                                         "border-bottom:1px solid %2;padding:%3px;}")
                              .arg(panel, accent.name(QColor::HexRgb)).arg(scaled(2))
                          + scrollBar);
    m_tree->setStyleSheet(QStringLiteral("QTreeWidget{%1%2outline:0;}"
                                         "QTreeWidget::item{height:%3px;}"
                                         "QTreeWidget::item:hover{background:rgb(52,52,56);}"
                                         "QTreeWidget::item:selected{background:%4;color:white;}"
                                         "QLineEdit{background:rgb(36,36,40);color:white;"
                                         "border:1px solid rgb(80,80,86);}")
                              .arg(panel, selection).arg(scaled(20)).arg(accent.darker(130).name(QColor::HexRgb))
                          + scrollBar);
    // A size smaller in the rows, so "LEFT CLICK Release" fits beside its picture.
    m_view->setFont(languageFont(0, 1));
    m_view->horizontalHeader()->setFont(languageFont(0, 1));
    m_tree->setFont(font);
    for (KestTreeItem *item : m_tree->moveItems())
        item->distanceEdit()->setFont(font);
    m_delegate->setHighlightColor(accent);
}

int MacroStepEditor::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void MacroStepEditor::setEditable(bool editable)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_view, m_tree, m_delayEdit})
        w->setEnabled(editable);
    m_moveEdit->setEnabled(editable && m_table.step(currentRow()).map == MACRO_MOVE && currentRow() >= 0);
}

QList<int> MacroStepEditor::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && currentRow() >= 0)
        rows.append(currentRow());
    std::sort(rows.begin(), rows.end());
    return rows;
}

MacroAction MacroStepEditor::actionDelayRow() const
{
    const RecordOptions now = options();
    const int ms = now.delayMode == DelayMode::Default ? now.defaultDelayMs : kInsertedClickDelayMs;
    return delayStep(delayUnitsForMs(ms, m_minDelay));
}

void MacroStepEditor::selectRows(int first, int count)
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

void MacroStepEditor::insertAfterCurrent(const MacroSteps &steps)
{
    if (steps.isEmpty())
        return;
    const int row = currentRow() < 0 ? m_table.rowCount() : currentRow() + 1;
    selectRows(m_table.insertSteps(row, steps), steps.size());
}

void MacroStepEditor::insertWithDelays(const MacroSteps &actions)
{
    const bool delays = options().delayMode != DelayMode::None;
    MacroSteps rows;
    for (const MacroAction &action : actions) {
        rows.append(action);
        if (delays)
            rows.append(actionDelayRow());
    }
    insertAfterCurrent(rows);
}

void MacroStepEditor::selectRow(int row)
{
    qCDebug(lcUi, "selectRow %d", row);
    if (row < 0 || row >= m_table.rowCount())
        return;
    selectRows(row, 1);
}

void MacroStepEditor::showStepEdits(int row)
{
    const MacroAction step = m_table.step(row);
    const bool isStep = row >= 0 && row < m_table.rowCount();
    if (isStep && step.map == MACRO_DELAY)
        m_delayEdit->setText(QString::number(delayStepMs(step, m_minDelay)));
    const bool isMove = isStep && step.map == MACRO_MOVE;
    m_moveEdit->setText(isMove ? QString::number(moveStepDistance(step)) : QString());
    m_moveEdit->setEnabled(isMove && m_view->isEnabled());
}

void MacroStepEditor::delayEdited(const QString &text)
{
    const int row = currentRow();
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (row < 0 || !ok || ms < kSmallestDelayMs || ms > 65535 || m_table.step(row).map != MACRO_DELAY)
        return;
    m_table.setStep(row, delayStep(delayUnitsForMs(ms, m_minDelay)));
}

void MacroStepEditor::moveEdited(const QString &text)
{
    const int row = currentRow();
    bool ok = false;
    const int distance = text.toInt(&ok);
    const MacroAction step = m_table.step(row);
    if (row < 0 || !ok || distance < 1 || distance > kMaxMoveDistance || step.map != MACRO_MOVE)
        return;
    m_table.setStep(row, withMoveDistance(step, distance));
}

void MacroStepEditor::mouseActionClicked(QTreeWidgetItem *item)
{
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

void MacroStepEditor::insertMouseAction()
{
    if (auto *action = static_cast<KestTreeItem *>(m_tree->currentItem()))
        insertWithDelays(action->steps());
}

void MacroStepEditor::insertDelay()
{
    const int ms = std::max(m_delayEdit->text().toInt(), kSmallestDelayMs);
    insertAfterCurrent({delayStep(delayUnitsForMs(ms, m_minDelay))});
}

void MacroStepEditor::deleteSteps()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    m_table.removeRows(rows);
    selectRow(std::min(rows.first(), m_table.rowCount() - 1));
}

void MacroStepEditor::moveStepUp()
{
    const int row = currentRow();
    if (row > 0)
        selectRow(m_table.moveRow(row, row - 1));
}

void MacroStepEditor::moveStepDown()
{
    const int row = currentRow();
    if (row >= 0 && row < m_table.rowCount() - 1)
        selectRow(m_table.moveRow(row, row + 1));
}

void MacroStepEditor::moveStepToTop()
{
    const int row = currentRow();
    if (row > 0)
        selectRow(m_table.moveRow(row, 0));
}

void MacroStepEditor::moveStepToBottom()
{
    const int row = currentRow();
    if (row >= 0)
        selectRow(m_table.moveRow(row, m_table.rowCount() - 1));
}

void MacroStepEditor::clearSteps()
{
    m_table.clear();
    showStepEdits(-1);
}

void MacroStepEditor::copySteps()
{
    const MacroSteps picked = m_table.steps(selectedRows());
    if (!picked.isEmpty())
        m_clipboard = picked;
}

void MacroStepEditor::cutSteps()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    m_clipboard = m_table.steps(rows);
    m_table.removeRows(rows);
    selectRow(std::min(rows.first(), m_table.rowCount()) - 1);
}

void MacroStepEditor::pasteSteps()
{
    insertAfterCurrent(m_clipboard);
}
