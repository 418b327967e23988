// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIntValidator>

// Integer entry that never refuses a too-large number: it is replaced by the top value.
// Empty or too small texts are intermediate so the user can keep typing.
class MyIntValidator : public QIntValidator
{
    Q_OBJECT

public:
    explicit MyIntValidator(QObject *parent = nullptr);
    MyIntValidator(int bottom, int top, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};

class MyIntValidator2 : public MyIntValidator
{
    Q_OBJECT

public:
    using MyIntValidator::MyIntValidator;
};
