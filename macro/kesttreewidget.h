// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "macro/macrostep.h"

class QLineEdit;

// One row of the mouse action tree: a mouse button (with its PRESS DOWN and BOUNCE UP
// children) or a pointer move with its distance.
class KestTreeItem final : public QTreeWidgetItem
{
public:
    enum class Kind { Button, ButtonPress, ButtonRelease, Move };

    KestTreeItem(QTreeWidget *tree, Kind kind, int index, const QString &text);
    KestTreeItem(KestTreeItem *parent, Kind kind, int index, const QString &text);

    Kind kind() const { return m_kind; }
    // The mouse entry 0..4 for button items, the MoveDirection for moves.
    int index() const { return m_index; }
    MoveDirection direction() const { return MoveDirection(m_index); }

    // Moves only: the edit that holds the distance, once the tree has placed it.
    void setDistanceEdit(QLineEdit *edit) { m_distanceEdit = edit; }
    QLineEdit *distanceEdit() const { return m_distanceEdit; }
    int distance() const;

    // The rows this item stands for, without delay rows.
    MacroSteps steps() const;

private:
    Kind m_kind;
    int m_index;
    QLineEdit *m_distanceEdit = nullptr;
};

// The tree of mouse actions; it builds its items itself so that the texts can be set
// again when the language changes.
class KestTreeWidget final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit KestTreeWidget(QWidget *parent = nullptr);

    void setTexts();
    void collapseAllBut(QTreeWidgetItem *keep);
    QList<KestTreeItem *> moveItems() const { return m_moveItems; }

signals:
    // Return pressed in the distance edit of a move item.
    void moveDistanceEntered(KestTreeItem *item);

private:
    QList<KestTreeItem *> m_buttonItems;
    QList<KestTreeItem *> m_moveItems;
};
