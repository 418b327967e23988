// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestlabel.h"

#include <QPainter>

#include "widgets/kestskin.h"

KestLabel::KestLabel(QWidget *parent) : QLabel(parent) {}

KestLabel::KestLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void KestLabel::setFixedFontSize(int pixels)
{
    m_fixedSize = qMax(0, pixels);
    update();
}

void KestLabel::setFontSizeDecrement(int pixels)
{
    m_decrement = pixels;
    update();
}

void KestLabel::setFillColor(const QColor &color)
{
    m_fillColor = color;
    m_fill = true;
    update();
}

void KestLabel::setNumber(int number)
{
    setText(QString::number(number));
    update();
}

QFont KestLabel::paintFont() const
{
    return languageFont(m_fixedSize, m_decrement);
}

void KestLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_fill)
        painter.fillRect(rect(), m_fillColor);
    painter.setFont(paintFont());
    painter.setPen(palette().color(foregroundRole()));
    int flags = static_cast<int>(alignment());
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    painter.drawText(contentsRect(), flags, text());
}
