// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestlineedit.h"

KestLineEdit::KestLineEdit(QWidget *parent) : QLineEdit(parent) {}
