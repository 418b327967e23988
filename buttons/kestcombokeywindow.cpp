// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestcombokeywindow.h"
#include "platform/logging.h"

#include <QDebug>
#include <QStringList>

#include "buttons/buttonassign.h"

KestComboKeyWindow::KestComboKeyWindow(QWidget *parent)
    : KestKeyDialog(tr("Combo Key"), parent),
      m_codes{{{Key::LeftShift, Key::RightShift},
               {Key::LeftCtrl, Key::RightCtrl},
               {Key::LeftWindows, Key::RightWindows},
               {Key::LeftAlt, Key::RightAlt},
               {0, 0}}}
{
    setHint(tr("Hold the modifier keys and press the key"));
}

bool KestComboKeyWindow::findModifier(quint32 code, int *position, int *side) const
{
    for (int p = Shift; p <= Alt; ++p) {
        for (int s = 0; s < 2; ++s) {
            if (m_codes[p][s] == code) {
                *position = p;
                *side = s;
                return true;
            }
        }
    }
    return false;
}

void KestComboKeyWindow::prefill(const ButtonInfo &button)
{
    constexpr int kPrefillSteps = PositionCount; // the press steps of at most five keys
    for (int i = 0; i < kPrefillSteps; ++i) {
        const quint8 usage = button.KeyInfo[i].map;
        if (usage == 0)
            continue;
        KeyCode code = 0;
        usageToKeyCode(usage, code);
        int position = 0;
        int side = 0;
        if (findModifier(code, &position, &side)) {
            m_modifiers[position] = quint8(m_modifiers[position] + side + 1);
        } else {
            m_keyPresent = 1;
            m_codes[Key][0] = code;
        }
    }
    rebuildDisplay();
}

void KestComboKeyWindow::reportKey(quint32 code, quint32 flags)
{
    if (!takeNewPair(code, flags))
        return;
    qCDebug(lcUi, "KestComboKeyWindow dwVCode = %x dwFlag = %x", code, flags);

    // A prefilled combination is replaced, not extended, by what the user types.
    if (m_fresh) {
        m_fresh = false;
        m_modifiers.fill(0);
        m_keyPresent = 0;
        m_result.fill(0);
        setKeyText(QString());
        updateOkButton();
    }

    int position = 0;
    int side = 0;
    const bool modifier = findModifier(code, &position, &side);
    // Only the key-up flag tells a release: a right Alt press, and any extended key
    // pressed while Alt is held, carry other flags too.
    if (!(flags & HookFlag::KeyUp)) {
        if (modifier) {
            m_modifiers[position] = quint8(side + 1);
        } else {
            m_keyPresent = 1;
            m_codes[Key][0] = quint8(code);
        }
        rebuildDisplay();
    } else if (modifier) {
        m_modifiers[position] = quint8(m_modifiers[position] - (side + 1));
    } else {
        m_keyPresent = 0;
    }
}

void KestComboKeyWindow::rebuildDisplay()
{
    QStringList names;
    for (int p = Shift; p <= Alt; ++p) {
        if (m_modifiers[p])
            names << keyDisplayName(m_codes[p][m_modifiers[p] > 2 ? 1 : 0]);
        m_result[p] = m_modifiers[p];
    }
    if (m_keyPresent)
        names << keyDisplayName(m_codes[Key][0]);
    m_result[Key] = m_keyPresent;
    setKeyText(names.join(QStringLiteral(" + ")));
    updateOkButton();
}

QVector<KeyCode> KestComboKeyWindow::comboKeys() const
{
    QVector<KeyCode> keys;
    for (int p = Shift; p < PositionCount; ++p) {
        if (m_result[p])
            keys << m_codes[p][0];
    }
    return keys;
}
