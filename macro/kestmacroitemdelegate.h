// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include "macro/macrostep.h"

// Draws a step row of the step table as the user reads it: the action with its picture
// in the ACTION column, the delay in milliseconds in the DELAY(ms) column. The model
// keeps the raw type/high/low text; this only reads it.
class KestMacroItemDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit KestMacroItemDelegate(int minDelay, QObject *parent = nullptr);

    void setHighlightColor(const QColor &color) { m_highlight = color; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // "A Press", "LEFT CLICK Release", "MOVE UP 30"; empty for delay rows.
    static QString actionText(const MacroAction &step);
    // "50" for a delay row with MinDelay 10 and 5 units; empty for the other rows.
    static QString delayText(const MacroAction &step, int minDelay);

private:
    const QPixmap *pictureFor(const MacroAction &step) const;

    int m_minDelay;
    QColor m_highlight;
    QPixmap m_keyDown;
    QPixmap m_keyUp;
    QPixmap m_move;
};
