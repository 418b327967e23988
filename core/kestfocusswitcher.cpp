// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kestfocusswitcher.h"

#include <QCoreApplication>

#include "core/kestmousecore.h"
#include "platform/logging.h"
#include "store/appsettings.h"

KestFocusSwitcher::KestFocusSwitcher(KestMouseCore *core, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_rules(KestFocusRules::load())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &KestFocusSwitcher::onSettled);
    connect(core, &KestMouseCore::writeFinished, this, &KestFocusSwitcher::onWriteFinished);
    setWatch(platform::createFocusWatch(this));
}

void KestFocusSwitcher::setWatch(platform::FocusWatch *watch)
{
    if (m_watch)
        delete m_watch.data();
    m_watch = watch;
    m_focused = {};
    m_settle.stop();
    if (!watch)
        return;
    watch->setParent(this);
    connect(watch, &platform::FocusWatch::focusChanged, this, &KestFocusSwitcher::onFocusChanged);
    // The program in front at the start counts as well.
    onFocusChanged(watch->current());
}

FocusedProgram KestFocusSwitcher::programOf(const platform::FocusWindow &window)
{
    return {window.instance, window.className, window.executable, window.pid};
}

void KestFocusSwitcher::onFocusChanged(const platform::FocusWindow &window)
{
    // The utility's own windows (the window, its dialogs and menus, the rules dialog
    // itself) leave the slot to the program the user came from.
    if (window.pid == QCoreApplication::applicationPid())
        return;
    m_focused = window;
    m_settle.start();
}

void KestFocusSwitcher::onSettled()
{
    // Without a view of the focus there is no program to follow (the default included).
    if (!m_watch)
        return;
    const int slot = m_rules.slotFor(programOf(m_focused));
    if (slot == KestFocusRules::NoSlot)
        return;
    // The working set belongs to the write until it ends; the switch follows then.
    if (m_core->isWriting()) {
        m_afterWrite = true;
        return;
    }
    if (slot == m_core->currentSlot())
        return;
    qCDebug(lcDesktop, "Focus: %s asks for slot %d", qPrintable(m_focused.className), slot);
    m_core->switchSlot(slot);
    emit switched(slot);
}

void KestFocusSwitcher::onWriteFinished()
{
    if (!m_afterWrite)
        return;
    m_afterWrite = false;
    // Queued: the write's own clean-up runs first.
    QTimer::singleShot(0, this, &KestFocusSwitcher::onSettled);
}

void KestFocusSwitcher::rulesEdited()
{
    // The rules still apply for this run when the file cannot take them.
    m_savedOk = m_rules.save().isOk();
    if (!m_savedOk)
        qCWarning(lcDesktop, "Focus: the rules could not be saved in %s", qPrintable(globalConfigPath()));
    emit rulesChanged();
    // A new rule for the program in front applies now, not at the next focus change.
    if (!m_settle.isActive())
        onSettled();
}

bool KestFocusSwitcher::setRule(const QString &program, int slot)
{
    if (!m_rules.setRule(program, slot))
        return false;
    rulesEdited();
    return true;
}

bool KestFocusSwitcher::removeRule(const QString &program)
{
    if (!m_rules.removeRule(program))
        return false;
    rulesEdited();
    return true;
}

bool KestFocusSwitcher::setDefaultSlot(int slot)
{
    if (!m_rules.setDefaultSlot(slot))
        return false;
    rulesEdited();
    return true;
}

void KestFocusSwitcher::setEnabled(bool enabled)
{
    m_rules.enabled = enabled;
    rulesEdited();
}

void KestFocusSwitcher::setRules(const KestFocusRules &rules)
{
    m_rules = rules;
    rulesEdited();
}
