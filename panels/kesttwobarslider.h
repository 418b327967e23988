// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

class QSlider;

// The resolution control of one DPI level: an X bar above a Y bar, or one bar for both
// axes while they are linked. Values are sensor register codes. The control holds the
// level's two codes; every bar shows them, whichever bar moved them last.
class KestTwoBarSlider : public QWidget
{
    Q_OBJECT

public:
    explicit KestTwoBarSlider(QWidget *parent = nullptr);

    void setCodeRange(int minimum, int maximum);
    int minimumCode() const { return m_minimum; }
    int maximumCode() const { return m_maximum; }

    void setLinked(bool linked);
    bool isLinked() const { return m_linked; }

    // Shows the codes without reporting a change. A code outside the range is shown at
    // the range end; the stored code stays until the user moves the bar.
    void setValues(int x, int y);
    // As the user moving the bars to these codes: shown and reported.
    void moveTo(int x, int y);
    int xCode() const { return m_x; }
    int yCode() const { return m_y; }

    void setAccent(const QColor &accent);

    QSlider *xBar() const { return m_xBar; }
    QSlider *yBar() const { return m_yBar; }
    QSlider *linkedBar() const { return m_linkedBar; }

signals:
    void valuesChanged(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QSlider *makeBar();
    void placeBars();
    void showValues();

    QSlider *m_xBar;
    QSlider *m_yBar;
    QSlider *m_linkedBar;
    bool m_linked = false;
    int m_minimum = 1;
    int m_maximum = 120;
    int m_x = 0;
    int m_y = 0;
};
