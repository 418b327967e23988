// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QObject>

#include "macro/macrorecorder.h"
#include "macro/macrosteptable.h"

class QModelIndex;
class QStandardItemModel;
class QTableView;
class QTreeWidgetItem;
class KestLineEdit;
class KestMacroItemDelegate;
class KestTreeWidget;

// The steps of the macro on the page: the step table and its view, the mouse action tree
// that adds clicks and moves, the delay and move edits of the selected step, and the step
// buttons' edits with their clipboard. The widgets are the page's children; the page
// places and styles them.
class MacroStepEditor final : public QObject
{
    Q_OBJECT

public:
    MacroStepEditor(int minDelay, QWidget *page);

    // The page's delay options, asked whenever a step is added.
    void setOptionsSource(std::function<RecordOptions()> source) { m_options = std::move(source); }
    RecordOptions options() const;

    QStandardItemModel *model() const { return m_model; }
    MacroStepTable &table() { return m_table; }
    MacroSteps steps() const { return m_table.steps(); }
    QTableView *view() const { return m_view; }
    KestMacroItemDelegate *delegate() const { return m_delegate; }
    KestTreeWidget *tree() const { return m_tree; }
    KestLineEdit *delayEdit() const { return m_delayEdit; }
    KestLineEdit *moveEdit() const { return m_moveEdit; }

    // Shows a macro's steps with its first step selected.
    void showSteps(const MacroSteps &steps);
    int currentRow() const;
    // The page's panel, selection and scroll bar style sheets, with the table's and the
    // tree's own rules.
    void applyStyle(const QString &panel, const QString &selection, const QString &scrollBar);
    // The table, the tree and the edits take input only while the macro may be edited.
    void setEditable(bool editable);

public slots:
    void selectRow(int row);
    // A click in the mouse action tree: a button item opens, any other item is added.
    void mouseActionClicked(QTreeWidgetItem *item);
    // MOUSE ACTION: the action chosen in the tree, whether or not its item is open.
    void insertMouseAction();
    void delayEdited(const QString &text);
    void moveEdited(const QString &text);

    void deleteSteps();
    void moveStepUp();
    void moveStepDown();
    void moveStepToTop();
    void moveStepToBottom();
    void clearSteps();
    void copySteps();
    void cutSteps();
    void pasteSteps();
    void insertDelay();

private:
    QList<int> selectedRows() const;
    MacroAction actionDelayRow() const;
    void insertAfterCurrent(const MacroSteps &steps);
    void insertWithDelays(const MacroSteps &actions);
    void selectRows(int first, int count);
    void showStepEdits(int row);

    int m_minDelay;
    std::function<RecordOptions()> m_options;
    QStandardItemModel *m_model;
    MacroStepTable m_table;
    QTableView *m_view;
    KestMacroItemDelegate *m_delegate;
    // In the page's Tab order.
    KestLineEdit *m_delayEdit;
    KestLineEdit *m_moveEdit;
    KestTreeWidget *m_tree;
    MacroSteps m_clipboard;
};
