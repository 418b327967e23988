// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/focuswatch.h"
#include "store/focusrules.h"

class KestMouseCore;

// Per-program profiles: follows the focused window and switches the slot as the slot
// menu does when a rule (or the default) asks for another one. A switch waits until the
// focus has stayed put for the settle time, waits for a running write to end, and
// windows of this very process are not looked at.
class KestFocusSwitcher final : public QObject
{
    Q_OBJECT

public:
    static constexpr int SettleMs = 300;

    // Follows the session's focus (platform::createFocusWatch) when watch is null.
    explicit KestFocusSwitcher(KestMouseCore *core, QObject *parent = nullptr);

    const KestFocusRules &rules() const { return m_rules; }
    // Each change is looked at against the window in front at once and saved; false for
    // a change the rules refuse. savedOk() says whether the last change reached the file.
    bool setRule(const QString &program, int slot);
    bool removeRule(const QString &program);
    bool setDefaultSlot(int slot);
    void setEnabled(bool enabled);
    void setRules(const KestFocusRules &rules);
    bool savedOk() const { return m_savedOk; }

    // Null where the session lets us see no focus.
    platform::FocusWatch *watch() const { return m_watch; }
    // Tests follow a display of their own; the switcher takes the watch over.
    void setWatch(platform::FocusWatch *watch);
    // The program that had the focus last (other than this utility).
    const platform::FocusWindow &focusedWindow() const { return m_focused; }

    static FocusedProgram programOf(const platform::FocusWindow &window);

signals:
    void rulesChanged();
    // A switch the rules made (after it ran).
    void switched(int slot);

private:
    void onFocusChanged(const platform::FocusWindow &window);
    void onSettled();
    void onWriteFinished();
    void rulesEdited();

    KestMouseCore *m_core;
    QPointer<platform::FocusWatch> m_watch;
    KestFocusRules m_rules;
    platform::FocusWindow m_focused;
    QTimer m_settle;
    bool m_afterWrite = false;
    bool m_savedOk = true;
};
