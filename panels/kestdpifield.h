// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSpinBox>

// The DPI of one axis of a level, shown as a number the user can also type: the value is
// the sensor code, the text its DPI. Arrows, Page Up/Down and the wheel step by one code,
// the sensor's own step; a typed DPI snaps to the nearest code within the range. Escape
// takes back what was typed, and a field left empty keeps its level.
class KestDpiField : public QSpinBox
{
    Q_OBJECT

public:
    explicit KestDpiField(const QString &prefix, QWidget *parent = nullptr);

    void setSensor(int sensor);
    int sensor() const { return m_sensor; }

    // The code a typed text stands for (snapped and bounded); the current value when the
    // text holds no number.
    int codeForText(const QString &text) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QString textFromValue(int code) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    QString digits(const QString &text) const;

    int m_sensor = 0;
};
