// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/panelstyle.h"

#include <QCheckBox>
#include <QPalette>
#include <QWidget>

#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

QColor panelBackground()
{
    return QColor(33, 35, 35, 128);
}

QString checkBoxStyle()
{
    // border-image stretches the 18 px pictures over the box; image would keep them at
    // their own size, small beside the text at the larger factors.
    return QStringLiteral("QCheckBox{background:transparent;color:rgb(255,255,255);}"
                          "QCheckBox::indicator{width:%3px;height:%3px;}"
                          "QCheckBox::indicator:unchecked{border-image:url(%1);}"
                          "QCheckBox::indicator:checked{border-image:url(%2);}")
        .arg(skinPath(QStringLiteral("checkbox1-1.png")), skinPath(QStringLiteral("checkbox1-2.png")))
        .arg(scaled(16));
}

QString sliderStyle(const QColor &accent)
{
    const QString dark = accent.darker(250).name();
    const int groove = qMax(2, scaled(4));
    const int handle = qMax(8, scaled(14));
    return QStringLiteral(
               "QSlider{background:transparent;}"
               "QSlider::groove:horizontal{height:%3px;border-radius:%4px;background:rgb(150,150,150);}"
               "QSlider::sub-page:horizontal{height:%3px;border-radius:%4px;"
               "background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 %1,stop:1 %2);}"
               "QSlider::add-page:horizontal{height:%3px;border-radius:%4px;background:rgb(150,150,150);}"
               "QSlider::handle:horizontal{background:%2;width:%5px;height:%5px;"
               "margin:-%6px 0;border-radius:%7px;}")
        .arg(dark, accent.name())
        .arg(groove)
        .arg(groove / 2)
        .arg(handle)
        .arg((handle - groove) / 2)
        .arg(handle / 2);
}

QString radioStyle(const QColor &accent)
{
    const int side = qMax(8, scaled(12));
    return QStringLiteral(
               "QRadioButton{background:transparent;color:rgb(255,255,255);}"
               "QRadioButton::indicator{width:%2px;height:%2px;border-radius:%3px;"
               "border:%4px solid rgb(100,100,100);background:transparent;}"
               "QRadioButton::indicator:checked{background:%1;}")
        .arg(accent.name())
        .arg(side)
        .arg(side / 2 + 1)
        .arg(qMax(1, scaled(2)));
}

QString choicePairStyle(const QColor &accent)
{
    // The same round marks as the report-rate choices: two boxes that exclude each other
    // must not look like two independent switches.
    return radioStyle(accent).replace(QStringLiteral("QRadioButton"), QStringLiteral("QCheckBox"));
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void restyle(QWidget *widget, const QString &sheet)
{
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

void placeScaled(QWidget *widget, int x, int y, int width, int height)
{
    widget->setGeometry(scaled(x), scaled(y), scaled(width), scaled(height));
}

KestLabel *makePanelLabel(QWidget *parent, const QString &text, Qt::Alignment alignment,
                          int decrement)
{
    auto *label = new KestLabel(text, parent);
    label->setAlignment(alignment);
    label->setFontSizeDecrement(decrement);
    setTextColor(label, QColor(255, 255, 255));
    return label;
}

QCheckBox *makeSkinCheckBox(QWidget *parent, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setStyleSheet(checkBoxStyle());
    box->setFont(languageFont(0, 1));
    box->setFocusPolicy(Qt::TabFocus); // Tab reaches it; a click leaves the focus where it was
    return box;
}
