// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestwindowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
// A small wobble of a click must not move the window.
constexpr int kDragThreshold = 4;
} // namespace

void KestWindowDrag::press(QWidget *window, const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_moving = false;
    m_pressGlobal = event->globalPos();
    m_pressWindowPos = window->frameGeometry().topLeft();
}

void KestWindowDrag::move(QWidget *window, const QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint delta = event->globalPos() - m_pressGlobal;
    if (!m_moving) {
        if (delta.manhattanLength() <= kDragThreshold)
            return;
        m_moving = true;
        QWindow *handle = window->window()->windowHandle();
        if (handle && handle->startSystemMove()) {
            m_pressed = false;
            return;
        }
    }
    window->move(m_pressWindowPos + delta);
}
