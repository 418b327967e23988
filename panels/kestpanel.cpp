// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestpanel.h"

#include <QEvent>
#include <QPainter>

#include "panels/panelstyle.h"

KestPanel::KestPanel(QWidget *parent) : QWidget(parent) {}

void KestPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), panelBackground());
}

void KestPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void KestPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
