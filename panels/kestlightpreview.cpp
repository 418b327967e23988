// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestlightpreview.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QTimer>

namespace {

constexpr int kFrameMs = 50;

enum Effect : int {
    Off = 0, FullLighted = 1, SevenColor = 2, Breathing = 3, SevenColorBreathing = 4,
    Reactive = 10,
};

const QColor kSevenColors[] = {QColor(255, 0, 0),   QColor(255, 128, 0), QColor(255, 255, 0),
                               QColor(0, 255, 0),   QColor(0, 255, 255), QColor(0, 0, 255),
                               QColor(255, 0, 255)};

// A cycle takes from about 4.5 s at speed 1 down to 1.5 s at speed 5.
double periodSeconds(int speed)
{
    return 4.5 - 0.75 * (qBound(1, speed, 5) - 1);
}

double brightnessFactor(int brightness)
{
    return 0.4 + 0.3 * (qBound(1, brightness, 3) - 1);
}

} // namespace

KestLightPreview::KestLightPreview(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(kFrameMs);
    connect(m_timer, &QTimer::timeout, this, &KestLightPreview::emitFrame);
}

void KestLightPreview::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_dark = QImage();
    m_litMask = QImage();
    updateClock();
    emitFrame();
}

void KestLightPreview::split() const
{
    if (!m_dark.isNull() || m_picture.isNull())
        return;
    // The picture's shell is near grey and its lit parts are coloured, down to the faint rim
    // of a glow fading into the shell: chroma (how far the channels spread) tells them
    // apart. Any trace of colour is taken out of the dark copy, or a glow's rim would keep
    // the skin's colour whatever light is chosen, and OFF would still glow.
    const QImage source = m_picture.toImage().convertToFormat(QImage::Format_ARGB32);
    m_dark = QImage(source.size(), QImage::Format_ARGB32);
    m_litMask = QImage(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        QRgb *dark = reinterpret_cast<QRgb *>(m_dark.scanLine(y));
        QRgb *mask = reinterpret_cast<QRgb *>(m_litMask.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            // Straight from the channels: this runs for every pixel of the picture.
            const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
            const int value = std::max({r, g, b});
            const int chroma = value - std::min({r, g, b});
            // Most of the picture is grey shell or clear background, which neither copy
            // changes: what the sums below would give for it, without them.
            if (chroma <= 2) {
                dark[x] = in[x];
                mask[x] = qRgba(255, 255, 255, 0);
                continue;
            }
            const double lit = qBound(0.0, (chroma - 6) / 60.0, 1.0);
            const double greyed = qBound(0.0, (chroma - 2) / 4.0, 1.0);
            const int grey = qGray(in[x]);
            const int off = int(grey * (1.0 - 0.7 * lit));
            const auto mix = [greyed, off](int channel) { return int(channel * (1.0 - greyed) + off * greyed); };
            dark[x] = qRgba(mix(r), mix(g), mix(b), qAlpha(in[x]));
            const int strength = int(lit * value * qAlpha(in[x]) / 255);
            mask[x] = qRgba(255, 255, 255, strength);
        }
    }
    // Every frame starts from them in the form painting wants.
    m_dark.convertTo(QImage::Format_ARGB32_Premultiplied);
    m_litMask.convertTo(QImage::Format_ARGB32_Premultiplied);
}

void KestLightPreview::setLighting(int effect, const QColor &color, int brightness, int speed)
{
    m_effect = effect;
    m_color = color.isValid() ? color : QColor(0, 0, 0);
    m_brightness = brightness;
    m_speed = speed;
    updateClock();
    emitFrame();
}

void KestLightPreview::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    updateClock();
    if (active)
        emitFrame();
}

bool KestLightPreview::effectMoves(int effect)
{
    return effect != Off && effect != FullLighted && effect != Reactive;
}

bool KestLightPreview::isAnimating() const
{
    return m_timer->isActive();
}

void KestLightPreview::updateClock()
{
    if (m_active && effectMoves(m_effect) && !m_picture.isNull()) {
        if (!m_timer->isActive()) {
            m_clock.start();
            m_timer->start();
        }
    } else {
        m_timer->stop();
    }
}

QPixmap KestLightPreview::compose(const QColor &color, double intensity) const
{
    QImage frame = m_dark;
    if (intensity > 0.0) {
        QImage light(m_litMask.size(), QImage::Format_ARGB32_Premultiplied);
        light.fill(color);
        QPainter tint(&light);
        tint.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        tint.drawImage(0, 0, m_litMask);
        tint.end();
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.setOpacity(qBound(0.0, intensity, 1.0));
        painter.drawImage(0, 0, light);
    }
    return QPixmap::fromImage(frame);
}

QPixmap KestLightPreview::frameAt(double seconds) const
{
    split();
    if (m_dark.isNull())
        return QPixmap();
    const double level = brightnessFactor(m_brightness);
    const double period = periodSeconds(m_speed);
    const double phase = std::fmod(seconds, period) / period; // 0..1 through one cycle
    const double breath = 0.5 - 0.5 * std::cos(2.0 * M_PI * phase);
    const int sevenIndex = int(seconds / period) % 7;
    switch (m_effect) {
    case Off:
        return compose(m_color, 0.0);
    case FullLighted:
    case Reactive:
        return compose(m_color, level);
    case Breathing:
        return compose(m_color, breath);
    case SevenColorBreathing:
        return compose(kSevenColors[sevenIndex], breath);
    case SevenColor:
        return compose(kSevenColors[int(seconds * 7 / period) % 7], level);
    default: // rainbow, waves and running effects: the hue travels round
        return compose(QColor::fromHsvF(phase, 1.0, 1.0), level);
    }
}

QPixmap KestLightPreview::currentFrame() const
{
    return frameAt(m_clock.isValid() ? m_clock.elapsed() / 1000.0 : 0.0);
}

void KestLightPreview::emitFrame()
{
    if (m_active && !m_picture.isNull())
        emit frameChanged(currentFrame());
}
