// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestsingledpi.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "panels/kestdpifield.h"
#include "panels/kesttwobarslider.h"
#include "panels/panelstyle.h"
#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

namespace {
// A style sheet decides the field's text colour, so the highlight goes into it too.
QString fieldStyle(const QColor &text)
{
    return QStringLiteral("QSpinBox{background:transparent;color:%1;border:none;"
                          "border-bottom:1px solid transparent;}"
                          "QSpinBox:hover{border-bottom-color:rgb(110,110,110);}"
                          "QSpinBox:focus{border-bottom-color:%2;}")
        .arg(text.name(QColor::HexRgb), themeColor().name(QColor::HexRgb));
}
} // namespace

KestSingleDPI::KestSingleDPI(quint8 level, QWidget *parent)
    : QWidget(parent),
      m_level(level),
      m_enableBox(makeSkinCheckBox(this, QString())),
      m_levelLabel(makePanelLabel(this, QStringLiteral(" %1").arg(level + 1),
                                  Qt::AlignLeft | Qt::AlignVCenter, -4)),
      m_minLabel(makePanelLabel(this, QString(), Qt::AlignRight | Qt::AlignVCenter, 2)),
      m_maxLabel(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 2)),
      m_xField(new KestDpiField(QStringLiteral("X:"), this)),
      m_yField(new KestDpiField(QStringLiteral("Y:"), this)),
      m_singleField(new KestDpiField(QStringLiteral("DPI : "), this)),
      m_linkBox(makeSkinCheckBox(this, QString())),
      m_slider(new KestTwoBarSlider(this))
{
    m_linkBox->hide();
    connect(m_slider, &KestTwoBarSlider::valuesChanged, this, &KestSingleDPI::onSliderChanged);
    connect(m_linkBox, &QCheckBox::clicked, this, [this](bool checked) {
        setLinked(checked);
        emit linkChanged(checked ? 1 : 0, m_level);
        // One bar now stands for both axes: make the codes agree with what it shows.
        if (checked && xCode() != yCode())
            m_slider->moveTo(xCode(), xCode());
    });
    for (KestDpiField *field : {m_xField, m_yField, m_singleField})
        connect(field, QOverload<int>::of(&QSpinBox::valueChanged), this, &KestSingleDPI::onFieldChanged);
    connect(m_enableBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_enabled = checked;
        emit enabledChanged(checked ? 1 : 0, m_level);
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
    for (KestDpiField *field : {m_xField, m_yField, m_singleField}) {
        const QSignalBlocker blocker(field);
        field->setRange(range.minimum, range.maximum);
        field->setSensor(sensor);
    }
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
    emit dpiChanged(x, y, m_level);
}

void KestSingleDPI::showValues()
{
    // Like the bars, a code outside the range (from an old file) shows at the range end;
    // the stored code stays until the user changes it.
    const auto show = [](KestDpiField *field, int code) {
        const QSignalBlocker blocker(field);
        field->setValue(code);
    };
    show(m_xField, xCode());
    show(m_yField, yCode());
    show(m_singleField, yCode());
}

// A typed or stepped value moves the level as the bar would.
void KestSingleDPI::onFieldChanged()
{
    auto *field = qobject_cast<KestDpiField *>(sender());
    if (!field)
        return;
    const int code = field->value();
    if (field == m_singleField)
        m_slider->moveTo(code, code);
    else if (field == m_xField)
        m_slider->moveTo(code, yCode());
    else
        m_slider->moveTo(xCode(), code);
}

void KestSingleDPI::showLinked()
{
    m_slider->setLinked(m_linked);
    m_singleField->setVisible(m_linked);
    m_xField->setVisible(!m_linked);
    m_yField->setVisible(!m_linked);
}

void KestSingleDPI::setHighlight(const QColor &color)
{
    // Every refresh highlights every row again; restyling fields whose colour stayed the
    // same re-polished them all and held up a slot switch.
    if (m_highlighted && color == m_textColor)
        return;
    m_highlighted = true;
    for (KestLabel *label : {m_levelLabel, m_minLabel, m_maxLabel})
        setTextColor(label, color);
    m_textColor = color;
    const QString style = fieldStyle(color);
    for (KestDpiField *field : {m_xField, m_yField, m_singleField})
        restyle(field, style);
}

void KestSingleDPI::relayout()
{
    // The row is 440 x 48 on the design canvas, or down to 40 high when the panel packs
    // eight levels; everything stays centred on the row's middle.
    const int rowHeight = height() > 0 ? qRound(height() / scaleFactor()) : 48;
    const int middle = rowHeight / 2;
    placeScaled(m_enableBox, 8, middle - 9, 20, 18);
    placeScaled(m_levelLabel, 28, 0, 26, rowHeight);
    placeScaled(m_minLabel, 52, 0, 40, rowHeight);
    placeScaled(m_slider, 98, middle - 20, 150, 40);
    placeScaled(m_maxLabel, 254, 0, 44, rowHeight);
    placeScaled(m_xField, 300, middle - 20, 76, 20);
    placeScaled(m_yField, 300, middle, 76, 20);
    placeScaled(m_singleField, 300, middle - 10, 76, 20);
    const QString style = fieldStyle(m_textColor);
    for (KestDpiField *field : {m_xField, m_yField, m_singleField}) {
        restyle(field, style);
        field->setFont(languageFont(0, 1));
    }
    placeScaled(m_linkBox, 376, middle - 9, 64, 18);
    const QString boxStyle = checkBoxStyle();
    restyle(m_enableBox, boxStyle);
    restyle(m_linkBox, boxStyle);
    m_linkBox->setFont(languageFont(0, 2));
    m_slider->setAccent(themeColor());
}

QString KestSingleDPI::minimumText() const { return m_minLabel->text(); }
QString KestSingleDPI::maximumText() const { return m_maxLabel->text(); }
QString KestSingleDPI::xText() const { return m_xField->text(); }
QString KestSingleDPI::yText() const { return m_yField->text(); }
QString KestSingleDPI::singleText() const { return m_singleField->text(); }

void KestSingleDPI::mousePressEvent(QMouseEvent *event)
{
    emit pressed(m_level);
    QWidget::mousePressEvent(event);
}
