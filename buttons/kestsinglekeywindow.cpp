// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestsinglekeywindow.h"

KestSingleKeyWindow::KestSingleKeyWindow(QWidget *parent)
    : KestKeyDialog(tr("Single Key"), parent)
{
    setHint(tr("Press the key to assign"));
}

void KestSingleKeyWindow::prefill(KeyCode code)
{
    showKey(code);
}

void KestSingleKeyWindow::reportKey(quint32 code, quint32 flags)
{
    if (!takeNewPair(code, flags))
        return;
    showKey(KeyCode(code));
}
