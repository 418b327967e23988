// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

#include "store/dpisensor.h"

class QCheckBox;
class KestDpiField;
class KestLabel;
class KestTwoBarSlider;

// One DPI level: its switch, its number, the code range, the bar(s) and the DPI values.
// The row only shows and reports; the DPI window keeps the level's data.
class KestSingleDPI : public QWidget
{
    Q_OBJECT

public:
    explicit KestSingleDPI(quint8 level, QWidget *parent = nullptr);

    quint8 level() const { return m_level; }

    // Code range, link box visibility and DPI conversion of the mouse's sensor.
    void setSensor(int sensor, const DpiCodeRange &range);
    void setLinked(bool linked);
    bool isLinked() const { return m_linked; }
    void setValues(int x, int y);
    int xCode() const;
    int yCode() const;
    void setLevelEnabled(bool enabled);

    void setHighlight(const QColor &color);
    void relayout();
    void retranslate();

    // What the row shows, for the window's tests and screenshots.
    QString minimumText() const;
    QString maximumText() const;
    QString xText() const;
    QString yText() const;
    QString singleText() const;
    QCheckBox *linkBox() const { return m_linkBox; }
    QCheckBox *enableBox() const { return m_enableBox; }
    KestTwoBarSlider *twoBarSlider() const { return m_slider; }
    KestDpiField *xField() const { return m_xField; }
    KestDpiField *yField() const { return m_yField; }
    KestDpiField *singleField() const { return m_singleField; }

signals:
    void dpiChanged(int x, int y, quint8 level);
    void linkChanged(quint8 linked, quint8 level);
    void enabledChanged(quint8 enabled, quint8 level);
    void pressed(quint8 level);

public slots:
    void onSliderChanged(int x, int y);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showValues();
    void showLinked();
    void onFieldChanged();

    const quint8 m_level;
    int m_sensor = 0;
    bool m_linked = false;
    bool m_enabled = false;

    QCheckBox *m_enableBox;
    KestLabel *m_levelLabel;
    KestLabel *m_minLabel;
    KestLabel *m_maxLabel;
    KestDpiField *m_xField;
    KestDpiField *m_yField;
    KestDpiField *m_singleField;
    QCheckBox *m_linkBox;
    KestTwoBarSlider *m_slider;
    QColor m_textColor = QColor(255, 255, 255);
    bool m_highlighted = false; // the labels and fields show m_textColor
};
