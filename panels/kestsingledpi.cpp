#include "panels/kestsingledpi.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "panels/kesttwobarslider.h"
#include "panels/panelstyle.h"
#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

KestSingleDPI::KestSingleDPI(quint8 level, QWidget *parent)
    : QWidget(parent),
      m_level(level),
      m_enableBox(makeSkinCheckBox(this, QString())),
      m_levelLabel(makePanelLabel(this, QStringLiteral(" %1").arg(level + 1),
                                  Qt::AlignLeft | Qt::AlignVCenter, -4)),
      m_minLabel(makePanelLabel(this, QString(), Qt::AlignRight | Qt::AlignVCenter, 2)),
      m_maxLabel(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 2)),
      m_xLabel(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_yLabel(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_singleLabel(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_linkBox(makeSkinCheckBox(this, QString())),
      m_slider(new KestTwoBarSlider(this))
{
    m_linkBox->hide();
    connect(m_slider, &KestTwoBarSlider::SliderChangedSignal, this, &KestSingleDPI::onSliderChanged);
    connect(m_linkBox, &QCheckBox::clicked, this, [this](bool checked) {
        setLinked(checked);
        emit LinkSignal(checked ? 1 : 0, m_level);
        // One bar now stands for both axes: make the codes agree with what it shows.
        if (checked && xCode() != yCode())
            m_slider->moveTo(xCode(), xCode());
    });
    connect(m_enableBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_enabled = checked;
        emit EnableSignal(checked ? 1 : 0, m_level);
    });
    relayout();
    retranslate();
    showLinked();
}

void KestSingleDPI::retranslate()
{
    m_linkBox->setText(tr("Link XY"));
}

void KestSingleDPI::setSensor(int sensor, const DpiCodeRange &range)
{
    m_sensor = sensor;
    m_slider->setCodeRange(range.minimum, range.maximum);
    m_minLabel->setText(QString::number(displayDpi(range.minimum, sensor)));
    m_maxLabel->setText(QString::number(displayDpi(range.maximum, sensor)));
    m_linkBox->setVisible(range.linkShown);
    showValues();
}

void KestSingleDPI::setLinked(bool linked)
{
    m_linked = linked;
    const QSignalBlocker blocker(m_linkBox);
    m_linkBox->setChecked(linked);
    showLinked();
}

void KestSingleDPI::setValues(int x, int y)
{
    m_slider->setValues(x, y);
    showValues();
}

// The slider holds the codes; the row only names them.
int KestSingleDPI::xCode() const
{
    return m_slider->xCode();
}

int KestSingleDPI::yCode() const
{
    return m_slider->yCode();
}

void KestSingleDPI::setLevelEnabled(bool enabled)
{
    m_enabled = enabled;
    const QSignalBlocker blocker(m_enableBox);
    m_enableBox->setChecked(enabled);
}

void KestSingleDPI::onSliderChanged(int x, int y)
{
    if (x != xCode() || y != yCode())
        m_slider->setValues(x, y);
    showValues();
    emit DPISignal(x, y, m_level);
}

void KestSingleDPI::showValues()
{
    m_xLabel->setText(QStringLiteral("X:%1").arg(displayDpi(xCode(), m_sensor)));
    m_yLabel->setText(QStringLiteral("Y:%1").arg(displayDpi(yCode(), m_sensor)));
    m_singleLabel->setText(QStringLiteral("DPI : %1").arg(displayDpi(yCode(), m_sensor)));
}

void KestSingleDPI::showLinked()
{
    m_slider->setLinked(m_linked);
    m_singleLabel->setVisible(m_linked);
    m_xLabel->setVisible(!m_linked);
    m_yLabel->setVisible(!m_linked);
}

void KestSingleDPI::setHighlight(const QColor &color)
{
    for (KestLabel *label : {m_levelLabel, m_minLabel, m_maxLabel, m_xLabel, m_yLabel, m_singleLabel})
        setTextColor(label, color);
}

void KestSingleDPI::relayout()
{
    // The row is 440 x 48 on the design canvas.
    placeScaled(m_enableBox, 8, 15, 20, 18);
    placeScaled(m_levelLabel, 28, 0, 26, 48);
    placeScaled(m_minLabel, 52, 0, 40, 48);
    placeScaled(m_slider, 98, 4, 150, 40);
    placeScaled(m_maxLabel, 254, 0, 44, 48);
    placeScaled(m_xLabel, 300, 4, 76, 20);
    placeScaled(m_yLabel, 300, 24, 76, 20);
    placeScaled(m_singleLabel, 300, 14, 76, 20);
    placeScaled(m_linkBox, 376, 15, 64, 18);
    m_enableBox->setStyleSheet(checkBoxStyle());
    m_linkBox->setStyleSheet(checkBoxStyle());
    m_linkBox->setFont(languageFont(0, 2));
    m_slider->setAccent(themeColor());
}

QString KestSingleDPI::minimumText() const { return m_minLabel->text(); }
QString KestSingleDPI::maximumText() const { return m_maxLabel->text(); }
QString KestSingleDPI::xText() const { return m_xLabel->text(); }
QString KestSingleDPI::yText() const { return m_yLabel->text(); }
QString KestSingleDPI::singleText() const { return m_singleLabel->text(); }

void KestSingleDPI::mousePressEvent(QMouseEvent *event)
{
    emit MouseinSignal(m_level);
    QWidget::mousePressEvent(event);
}
