// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QVector>

#include "buttons/kestkeydialog.h"
#include "store/configrecord.h"

// Captures a key with its modifiers. Keys typed while it is open reach no widget, not even
// its own buttons; it is closed with the mouse. The combination stays shown (and is the
// result) after the keys are released.
class KestComboKeyWindow final : public KestKeyDialog
{
    Q_OBJECT

public:
    // Positions of the combination, in the order they are stored.
    enum Position { Shift = 0, Ctrl = 1, Windows = 2, Alt = 3, Key = 4, PositionCount = 5 };
    using Flags = std::array<quint8, PositionCount>;
    using CodeTable = std::array<std::array<quint8, 2>, PositionCount>; // {left, right}

    explicit KestComboKeyWindow(QWidget *parent = nullptr);

    // Shows the combination stored in a button's first five key steps.
    void prefill(const ButtonInfo &button);
    void reportKey(quint32 code, quint32 flags) override;

    // The result: for each position in use, its left-hand code (or the ordinary key),
    // modifiers first.
    QVector<KeyCode> comboKeys() const;
    const Flags &resultFlags() const { return m_result; }

protected:
    bool swallowsKeys() const override { return true; }
    bool hasCapture() const override { return !comboKeys().isEmpty(); }

private:
    // Modifier position and side (0 left, 1 right) of a code; false for an ordinary key.
    bool findModifier(quint32 code, int *position, int *side) const;
    void rebuildDisplay();

    std::array<quint8, 4> m_modifiers{}; // 0 up, 1 left held, 2 right held
    quint8 m_keyPresent = 0;
    CodeTable m_codes;
    Flags m_result{};
    bool m_fresh = true; // no key reported yet: the first one starts a new combination
};
