// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "buttons/buttonassign.h"
#include "buttons/kestkeydialog.h"
#include "store/configrecord.h"

class QButtonGroup;
class QCheckBox;
class KestLabel;
class KestLineEdit;

// Repeated click or key: what is fired (a mouse button or a captured key), how many times
// and with what delay. Keys are captured only in the Keyboard Key mode, and not while an
// entry field is being typed into.
class KestFireKeyWindow final : public KestKeyDialog
{
    Q_OBJECT

public:
    // Shown when a stored assignment holds 0 and when nothing was entered.
    static constexpr int kDefaultTimes = 3;
    static constexpr int kDefaultDelay = 10;

    explicit KestFireKeyWindow(QWidget *parent = nullptr);

    void prefill(const ButtonInfo &button);
    void reportKey(quint32 code, quint32 flags) override;

    FireMode mode() const { return m_mode; }
    void setMode(FireMode mode);
    // The entries as numbers 1..255; an empty or zero entry gives the default.
    int times() const;
    int delay() const;

    KestLineEdit *timesEdit() const { return m_timesEdit; }
    KestLineEdit *delayEdit() const { return m_delayEdit; }
    QCheckBox *modeBox(FireMode mode) const;

protected:
    bool isCapturing() const override { return m_active && m_mode == FireMode::Key; }
    // A mouse mode fires its button; the Keyboard Key mode needs a key.
    bool hasCapture() const override { return m_mode != FireMode::Key || capturedKey() != 0; }

private:
    void onReturnPressed();

    FireMode m_mode = FireMode::Left;
    QButtonGroup *m_modeGroup = nullptr;
    KestLineEdit *m_timesEdit = nullptr;
    KestLineEdit *m_delayEdit = nullptr;
    KestLabel *m_timesLabel = nullptr;
    KestLabel *m_delayLabel = nullptr;
    bool m_skip = false;
};
