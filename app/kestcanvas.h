// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <initializer_list>

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QVector>

class QWidget;
class KestPushButton;

// The main window's design canvas (999 x 640): every control sits at a rectangle of it,
// scaled for the screen, and goes back there when the scale changes. The window's parts
// place their controls here; the window alone decides when to lay them out again.
class KestCanvas final
{
public:
    explicit KestCanvas(QWidget &window);

    QWidget &window() const { return m_window; }

    void place(QWidget *widget, const QRect &designRect);
    // Pins a placed widget to a rectangle taken as it is, at every scale.
    void pin(QWidget *widget, const QRect &rect);
    // A widget that takes the place of another (same rectangle, same visibility).
    void replace(QWidget *old, QWidget *replacement);
    void relayout();
    // Every control of the canvas but one (the macro editor while it records).
    void setEnabledExcept(const QWidget *kept, bool enabled);
    // The stops of the Tab key, band by band: the column on the left, the strip of tabs and
    // window buttons on top, the page, and the bar with OK / Cancel / Apply.
    QVector<QWidget *> keyboardOrder() const;

    // A picture button on the canvas: normal, hover and pressed pictures.
    KestPushButton *button(const QStringList &pictures, const QRect &designRect);
    // A button with a text on the tab picture.
    KestPushButton *textButton(const QRect &designRect);
    // Paths of skin pictures.
    static QStringList pictures(std::initializer_list<const char *> names);

private:
    struct Placement {
        QPointer<QWidget> widget;
        QRect designRect;
        bool unscaled = false;
    };

    QWidget &m_window;
    QVector<Placement> m_placements;
};
