// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "buttons/kestskindialog.h"
#include "platform/focuswatch.h"
#include "store/focusrules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class KestFocusSwitcher;
class KestPushButton;

// The per-program profiles: which slot each program gets while it has the focus, the
// slot for every other program, and the switch for the whole feature. Edits a copy;
// OK hands it to the switcher, which saves it and applies it at once.
class KestRulesDialog final : public KestSkinDialog
{
    Q_OBJECT

public:
    KestRulesDialog(KestFocusSwitcher *switcher, const QStringList &slotNames, QWidget *parent = nullptr);

    // What the parts are, for tests.
    QComboBox *programBox() const { return m_program; }
    QComboBox *slotBox() const { return m_slot; }
    QComboBox *defaultBox() const { return m_default; }
    QCheckBox *enabledBox() const { return m_enabled; }
    QListWidget *ruleList() const { return m_list; }
    KestPushButton *addButton() const { return m_add; }
    KestPushButton *removeButton() const { return m_remove; }

    // The note under the list: what this session lets us see.
    static QString sessionNote(bool haveWatch, const QByteArray &sessionType, const QByteArray &desktop);

private:
    void addRule();
    void removeSelected();
    void showRules();
    QString slotText(int slot) const;

    KestFocusSwitcher *m_switcher;
    KestFocusRules m_rules;
    QStringList m_slotNames;
    QCheckBox *m_enabled = nullptr;
    QListWidget *m_list = nullptr;
    QComboBox *m_program = nullptr;
    QComboBox *m_slot = nullptr;
    QComboBox *m_default = nullptr;
    KestPushButton *m_add = nullptr;
    KestPushButton *m_remove = nullptr;
    QLabel *m_note = nullptr;
};
