#pragma once

#include <QWidget>

class QSlider;

// The resolution control of one DPI level: an X bar above a Y bar, or one bar for both
// axes while they are linked. Values are sensor register codes.
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

    void setAccent(const QColor &accent);

    QSlider *xBar() const { return m_xBar; }
    QSlider *yBar() const { return m_yBar; }
    QSlider *linkedBar() const { return m_linkedBar; }

signals:
    void SliderChangedSignal(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QSlider *makeBar();
    void placeBars();

    QSlider *m_xBar;
    QSlider *m_yBar;
    QSlider *m_linkedBar;
    bool m_linked = false;
    int m_minimum = 1;
    int m_maximum = 120;
};
