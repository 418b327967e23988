// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "buttons/kestskindialog.h"

class QButtonGroup;
class QCheckBox;
class KestLineEdit;
class KestMenu;
class KestPushButton;

// Picks a macro from the macro list and how it repeats: a number of times, while the
// button is held, or until the button is pressed again.
class KestMacroSelect final : public KestSkinDialog
{
    Q_OBJECT

public:
    KestMacroSelect(const QString &title, const QString &macroName, int loopCount, int loopMode,
                    QWidget *parent = nullptr);

    QString macroName() const { return m_macroName; }
    // 1..255; an empty entry counts as one run.
    int loopCount() const;
    // 0 run loopCount times, 1 repeat while held, 2 repeat until pressed again; 0 if none.
    int loopMode() const;

    KestPushButton *macroButton() const { return m_macroButton; }
    KestMenu *macroMenu() const { return m_macroMenu; }
    KestLineEdit *loopEdit() const { return m_loopEdit; }
    QCheckBox *modeBox(int mode) const;

private:
    void chooseMacro(const QString &name);

    QString m_macroName;
    KestPushButton *m_macroButton = nullptr;
    KestMenu *m_macroMenu = nullptr;
    KestLineEdit *m_loopEdit = nullptr;
    QButtonGroup *m_modeGroup = nullptr;
};
