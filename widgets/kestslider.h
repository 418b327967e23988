// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSlider>

class KestLabel;

// A slider that shows its value in a small bubble riding on the handle while it is dragged.
class KestSlider : public QSlider
{
    Q_OBJECT

public:
    explicit KestSlider(Qt::Orientation orientation, QWidget *parent = nullptr);
    explicit KestSlider(QWidget *parent = nullptr);

    void setShowBubble(bool show);
    bool isStill() const { return m_still; }
    KestLabel *bubble() const { return m_bubble; }
    // x of the bubble for a value: (value - minimum) * (width - bubble width) / range.
    int bubbleX(int value) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placeBubble();

    KestLabel *m_bubble = nullptr;
    bool m_still = true;
    bool m_showBubble = false;
};
