// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "buttons/kestkeydialog.h"

// Captures one key: the result is the last key touched, pressed or released.
class KestSingleKeyWindow final : public KestKeyDialog
{
    Q_OBJECT

public:
    explicit KestSingleKeyWindow(QWidget *parent = nullptr);

    void prefill(KeyCode code);
    void reportKey(quint32 code, quint32 flags) override;
};
