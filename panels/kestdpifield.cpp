// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestdpifield.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "store/dpisensor.h"

namespace {
constexpr int kMaxDigits = 6; // the largest sensor reaches 52000 DPI
}

KestDpiField::KestDpiField(const QString &prefix, QWidget *parent) : QSpinBox(parent)
{
    setPrefix(prefix);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setFrame(false);
    setKeyboardTracking(false); // a half-typed number is not a DPI to send anywhere
    setAccelerated(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setFocusPolicy(Qt::StrongFocus); // Tab reaches it; the wheel works while hovered
}

void KestDpiField::setSensor(int sensor)
{
    m_sensor = sensor;
    // The same code reads differently on another sensor: show it again.
    setPrefix(prefix());
}

QString KestDpiField::digits(const QString &text) const
{
    QString rest = text.trimmed();
    if (!prefix().isEmpty() && rest.startsWith(prefix().trimmed()))
        rest = rest.mid(prefix().trimmed().size());
    return rest.trimmed();
}

int KestDpiField::codeForText(const QString &text) const
{
    bool ok = false;
    const int dpi = digits(text).toInt(&ok);
    if (!ok)
        return value();
    return snapDpiToCode(dpi, m_sensor, minimum(), maximum());
}

void KestDpiField::keyPressEvent(QKeyEvent *event)
{
    const QString shown = prefix() + textFromValue(value());
    if (event->key() == Qt::Key_Escape && lineEdit()->text() != shown) {
        // The value only changes when typing is done, so the value is still the level's.
        lineEdit()->setText(shown);
        lineEdit()->selectAll();
        event->accept();
        return;
    }
    // Nothing typed: Escape belongs to the window or dialog around the field.
    QSpinBox::keyPressEvent(event);
}

QString KestDpiField::textFromValue(int code) const
{
    return QString::number(displayDpi(code, m_sensor));
}

int KestDpiField::valueFromText(const QString &text) const
{
    return codeForText(text);
}

QValidator::State KestDpiField::validate(QString &input, int &) const
{
    // Any number is taken and snapped when the user is done; only what can never become
    // one is refused.
    const QString number = digits(input);
    if (number.isEmpty())
        return QValidator::Intermediate;
    if (number.size() > kMaxDigits)
        return QValidator::Invalid;
    for (const QChar c : number) {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void KestDpiField::fixup(QString &input) const
{
    input = prefix() + textFromValue(codeForText(input));
}
