// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kesttwobarslider.h"

#include <QSignalBlocker>
#include <QSlider>

#include "panels/panelstyle.h"
#include "widgets/kestskin.h"

KestTwoBarSlider::KestTwoBarSlider(QWidget *parent)
    : QWidget(parent), m_xBar(makeBar()), m_yBar(makeBar()), m_linkedBar(makeBar())
{
    // A bar moves its axis only; the other code stays as stored (even outside the range).
    connect(m_xBar, &QSlider::valueChanged, this, [this](int value) { moveTo(value, m_y); });
    connect(m_yBar, &QSlider::valueChanged, this, [this](int value) { moveTo(m_x, value); });
    connect(m_linkedBar, &QSlider::valueChanged, this, [this](int value) { moveTo(value, value); });
    setCodeRange(m_minimum, m_maximum);
    setAccent(themeColor());
    setLinked(false);
}

QSlider *KestTwoBarSlider::makeBar()
{
    auto *bar = new QSlider(Qt::Horizontal, this);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus); // the arrows move it once Tab or a click chose it
    return bar;
}

void KestTwoBarSlider::setCodeRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
    for (QSlider *bar : {m_xBar, m_yBar, m_linkedBar}) {
        const QSignalBlocker blocker(bar);
        bar->setRange(m_minimum, m_maximum);
    }
}

void KestTwoBarSlider::setLinked(bool linked)
{
    m_linked = linked;
    m_linkedBar->setVisible(linked);
    m_xBar->setVisible(!linked);
    m_yBar->setVisible(!linked);
}

void KestTwoBarSlider::setValues(int x, int y)
{
    m_x = x;
    m_y = y;
    showValues();
}

void KestTwoBarSlider::moveTo(int x, int y)
{
    setValues(x, y);
    emit valuesChanged(x, y);
}

void KestTwoBarSlider::showValues()
{
    const int x = m_x;
    const int y = m_y;
    const QSignalBlocker bx(m_xBar);
    const QSignalBlocker by(m_yBar);
    const QSignalBlocker bl(m_linkedBar);
    m_linkedBar->setValue(x);
    m_xBar->setValue(x);
    m_yBar->setValue(y);
}

void KestTwoBarSlider::setAccent(const QColor &accent)
{
    const QString style = sliderStyle(accent);
    for (QSlider *bar : {m_xBar, m_yBar, m_linkedBar})
        restyle(bar, style);
}

void KestTwoBarSlider::resizeEvent(QResizeEvent *)
{
    placeBars();
}

void KestTwoBarSlider::placeBars()
{
    // X on the upper half, Y on the lower half, the linked bar across the middle.
    const int half = height() / 2;
    m_xBar->setGeometry(0, 0, width(), half);
    m_yBar->setGeometry(0, half, width(), height() - half);
    m_linkedBar->setGeometry(0, (height() - half) / 2, width(), half);
}
