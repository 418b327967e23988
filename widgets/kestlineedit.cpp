// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestlineedit.h"

KestLineEdit::KestLineEdit(QWidget *parent) : QLineEdit(parent) {}

void KestLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit kestLostFocus();
}
