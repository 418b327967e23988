// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProgressBar>

// The battery bar: the style sheet draws the bar, the text comes in the language's font.
class KestProcessbar : public QProgressBar
{
    Q_OBJECT

public:
    explicit KestProcessbar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
