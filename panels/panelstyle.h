// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <Qt>

class QCheckBox;
class QWidget;
class KestLabel;

// Looks shared by the panels, built on the skin pictures, the accent colour and the
// scale factor at the time of the call.

QColor panelBackground(); // rgba(33, 35, 35) at half opacity

// Check box with "checkbox1-1.png" (unchecked) / "checkbox1-2.png" (checked) indicators,
// white text on a transparent background.
QString checkBoxStyle();

// Horizontal slider: groove a gradient between two shades of the accent up to the
// handle, grey after it, round handle in the accent colour.
QString sliderStyle(const QColor &accent);

// Round radio indicator with a grey border, filled with the accent colour when checked.
QString radioStyle(const QColor &accent);
// Check boxes that work as a radio pair (ON / OFF), drawn as one.
QString choicePairStyle(const QColor &accent);

void setTextColor(QWidget *widget, const QColor &color);
// Sets `sheet` unless the widget has it already: setting a style sheet polishes the widget
// and its children again even when nothing changed.
void restyle(QWidget *widget, const QString &sheet);

// Design-canvas rectangle at the current scale.
void placeScaled(QWidget *widget, int x, int y, int width, int height);

// A white label in the language's font; decrement makes it smaller than the usual text.
KestLabel *makePanelLabel(QWidget *parent, const QString &text, Qt::Alignment alignment,
                          int decrement = 0);

// A check box drawn with the skin's indicator pictures.
QCheckBox *makeSkinCheckBox(QWidget *parent, const QString &text);
