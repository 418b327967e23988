// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// The drawn parts of the colour dialog. Sizes are in device pixels: the dialog gives
// them the design sizes times the scale factor. Saturation and value are 0..255
// whatever the size on screen.

// Vertical hue strip with a marker; pressing or dragging picks a hue 0..360.
class HColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit HColorArea(QWidget *parent = nullptr);

    // Height of the strip itself; the widget is taller by the margin above and below.
    void setStripHeight(int pixels, int margin);
    int hue() const { return m_hue; }
    void setHue(int hue);
    // Hue for a press at height y: top = 360, bottom = 0.
    int hueAt(int y) const;

signals:
    void hueChanged(int hue);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int m_hue = 0;
    int m_stripHeight = 128;
    int m_margin = 7;
};

// Saturation across, value upwards, for the current hue; a ring marks the point.
class SVColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit SVColorArea(QWidget *parent = nullptr);

    void setSide(int pixels);
    void setHsv(int hue, int saturation, int value);
    int saturation() const { return m_saturation; }
    int value() const { return m_value; }
    // Saturation and value (0..255) for a press at (x, y), clamped to the square.
    QPoint svAt(const QPoint &pos) const;

signals:
    void hsvChanged(int hue, int saturation, int value);

public slots:
    void setHue(int hue);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void pick(const QPoint &pos);

    int m_hue = 0;
    int m_saturation = 0;
    int m_value = 0;
    int m_side = 128;
};

// The colour being edited.
class PreviewColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewColorArea(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

public slots:
    void setHsv(int hue, int saturation, int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::black;
};

// One preset colour; a click offers it to the dialog.
class DefaultColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit DefaultColorArea(const QColor &color, QWidget *parent = nullptr);

    QColor color() const { return m_color; }

signals:
    void clicked(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_color;
};
