// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLineEdit>

class KestLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit KestLineEdit(QWidget *parent = nullptr);
};
