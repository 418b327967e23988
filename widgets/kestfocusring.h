// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

// The outline around the control that has keyboard focus. The skin turns the toolkit's
// own focus frames off and most controls are pictures, so one ring, drawn above the
// window's children, serves every kind of control alike. It lies over the window and
// lets every mouse event through.
class KestFocusRing final : public QWidget
{
    Q_OBJECT

public:
    explicit KestFocusRing(QWidget *window);

    // Rings `target` (a widget of this window) or, with nullptr, nothing.
    void follow(QWidget *target);
    QWidget *target() const { return m_target; }
    // Where the ring is drawn, in the window's coordinates (empty when not shown).
    QRect ringRect() const { return isVisible() ? m_ring : QRect(); }
    // Line width for the current scale.
    static int lineWidth();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void watchChain(bool on);
    void reposition();

    QPointer<QWidget> m_target;
    QRect m_ring; // whole ring, window coordinates; the widget may show only part of it
};
