// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

// A label drawn in the language's font; optionally filled, with a fixed or reduced size.
// Alignment and word wrap are QLabel's own properties.
class KestLabel : public QLabel
{
    Q_OBJECT

public:
    explicit KestLabel(QWidget *parent = nullptr);
    explicit KestLabel(const QString &text, QWidget *parent = nullptr);

    void setFixedFontSize(int pixels); // 0 returns to the language's size
    void setFontSizeDecrement(int pixels);
    void setFillColor(const QColor &color); // also switches fill on
    void setNumber(int number);
    QFont paintFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColor = QColor(50, 50, 50);
    bool m_fill = false;
    int m_fixedSize = 0;
    int m_decrement = 0;
};
