// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/myintvalidator.h"

#include <QRegularExpression>

MyIntValidator::MyIntValidator(QObject *parent) : QIntValidator(parent) {}

MyIntValidator::MyIntValidator(int bottom, int top, QObject *parent)
    : QIntValidator(bottom, top, parent)
{
}

QValidator::State MyIntValidator::validate(QString &input, int &pos) const
{
    if (input.isEmpty())
        return Intermediate;
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+$"));
    if (!decimal.match(input).hasMatch())
        return Invalid;

    bool ok = false;
    const qlonglong value = input.toLongLong(&ok);
    // Too many digits to convert: it is far beyond one of the bounds.
    const bool negative = input.startsWith(QLatin1Char('-'));
    if ((ok && value < bottom()) || (!ok && negative))
        return Intermediate;
    if (ok && value <= top())
        return Acceptable;
    input = QString::number(top());
    pos = qMin(pos, input.size());
    return Acceptable;
}
