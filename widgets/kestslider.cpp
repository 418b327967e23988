// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestslider.h"

#include <QMouseEvent>

#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kBubbleSize = 20;
}

KestSlider::KestSlider(QWidget *parent) : KestSlider(Qt::Horizontal, parent) {}

KestSlider::KestSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent), m_bubble(new KestLabel(this))
{
    const int side = qMax(kBubbleSize, scaled(kBubbleSize));
    m_bubble->resize(side, side);
    m_bubble->setAlignment(Qt::AlignCenter);
    m_bubble->setAutoFillBackground(true);
    m_bubble->setFixedFontSize(10);
    QPalette palette = m_bubble->palette();
    palette.setColor(QPalette::Window, themeColor());
    palette.setColor(QPalette::WindowText, QColor(255, 255, 255));
    m_bubble->setPalette(palette);
    // The bubble must not swallow the drag it is showing.
    m_bubble->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_bubble->hide();
}

void KestSlider::setShowBubble(bool show)
{
    m_showBubble = show;
    if (!show)
        m_bubble->hide();
}

int KestSlider::bubbleX(int value) const
{
    const qint64 range = static_cast<qint64>(maximum()) - minimum();
    if (range <= 0)
        return 0;
    return static_cast<int>((static_cast<qint64>(value) - minimum()) *
                            (width() - m_bubble->width()) / range);
}

void KestSlider::placeBubble()
{
    m_bubble->setNumber(value());
    m_bubble->move(bubbleX(value()), (height() - m_bubble->height()) / 2);
}

void KestSlider::mousePressEvent(QMouseEvent *event)
{
    m_still = true;
    QSlider::mousePressEvent(event);
    if (m_showBubble) {
        placeBubble();
        m_bubble->show();
        m_bubble->raise();
    }
}

void KestSlider::mouseMoveEvent(QMouseEvent *event)
{
    m_still = false;
    QSlider::mouseMoveEvent(event);
    if (m_showBubble)
        placeBubble();
}

void KestSlider::mouseReleaseEvent(QMouseEvent *event)
{
    m_still = true;
    QSlider::mouseReleaseEvent(event);
    if (m_showBubble && m_bubble->isVisible())
        m_bubble->hide();
}
