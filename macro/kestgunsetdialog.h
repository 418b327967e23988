// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QVector>

#include "macro/gunset.h"

class QSpinBox;
class KestLabel;
class KestLineEdit;
class KestPushButton;

// The recoil form: a name and, for each of five shots, a delay and a horizontal and
// vertical pointer correction. OK turns it into macro steps; the macro page stores them.
class KestGunsetDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit KestGunsetDialog(double scale, QWidget *parent = nullptr);

    QString resultName() const { return m_name; }
    MacroSteps resultSteps() const { return m_steps; }

    KestLineEdit *nameEdit() const { return m_nameEdit; }
    QSpinBox *delaySpin(int shot) const { return m_delay.at(shot); }
    QSpinBox *horizontalSpin(int shot) const { return m_horizontal.at(shot); }
    QSpinBox *verticalSpin(int shot) const { return m_vertical.at(shot); }

public slots:
    void confirm();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int px(int design) const { return int(design * m_scale); }
    QSpinBox *makeSpin(int minimum, int maximum, int value, int x, int y);
    void placeLabel(KestLabel *label, int x, int y, int width, int height);

    double m_scale;
    QPixmap m_background;
    QPixmap m_slider;
    QPixmap m_bullet;
    KestLineEdit *m_nameEdit = nullptr;
    QVector<QSpinBox *> m_delay;
    QVector<QSpinBox *> m_horizontal;
    QVector<QSpinBox *> m_vertical;
    MacroSteps m_steps;
    QString m_name;
};
