// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window by dragging its background. Where the window system moves
// windows itself (always on Wayland, which ignores move()), it takes the drag over;
// elsewhere the window follows the pointer.
class KestWindowDrag final
{
public:
    void press(QWidget *window, const QMouseEvent *event);
    void move(QWidget *window, const QMouseEvent *event);
    void release() { m_pressed = false; }

private:
    bool m_pressed = false;
    bool m_moving = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
};
