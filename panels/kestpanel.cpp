#include "panels/kestpanel.h"

#include <QPainter>

#include "panels/panelstyle.h"

KestPanel::KestPanel(QWidget *parent) : QWidget(parent) {}

void KestPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), panelBackground());
}
