// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPixmap>

class QTimer;

// The mouse picture as the chosen lighting would show it: the picture's lit areas (its
// coloured parts) are tinted with the effect's colour and brightness, and a breathing or
// colour-cycling effect is animated. The clock runs only while the preview is active (the
// lighting page on screen) and the effect moves; a steady effect or OFF costs nothing.
class KestLightPreview : public QObject
{
    Q_OBJECT

public:
    explicit KestLightPreview(QObject *parent = nullptr);

    void setPicture(const QPixmap &picture);
    // Effect index as in the profile record, its colour, brightness 1..3 and speed 1..5.
    void setLighting(int effect, const QColor &color, int brightness, int speed);
    void setActive(bool active);

    bool isActive() const { return m_active; }
    bool isAnimating() const;
    // The picture at `seconds` into the effect; what frameChanged() carries.
    QPixmap frameAt(double seconds) const;
    QPixmap currentFrame() const;

    static bool effectMoves(int effect);

signals:
    void frameChanged(const QPixmap &frame);

private:
    void updateClock();
    void emitFrame();
    QPixmap compose(const QColor &color, double intensity) const;
    // Splits the picture into the two images below when first needed.
    void split() const;

    QPixmap m_picture;
    // Made from m_picture on the lighting page only: most starts never show it, and the two
    // cost 4 MB and 2 ms.
    mutable QImage m_dark;   // the picture with its lit areas switched off, premultiplied
    mutable QImage m_litMask; // how strongly each pixel is lit, as alpha
    int m_effect = 1;
    QColor m_color = QColor(255, 0, 0);
    int m_brightness = 3;
    int m_speed = 3;
    bool m_active = false;
    QTimer *m_timer;
    QElapsedTimer m_clock;
};
