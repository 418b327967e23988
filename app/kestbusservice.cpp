// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestbusservice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QTimer>

#include "app/kestdesktopbridge.h"
#include "core/kestfocusswitcher.h"
#include "core/kestmousecore.h"
#include "device/statusdecode.h"
#include "kestbusadaptor.h"
#include "store/configrecord.h"
#include "store/slotsettings.h"

namespace {

const QString kError = QStringLiteral("org.mousecfg.Mousecfg1.Error.");

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const KestBusRule &rule)
{
    argument.beginStructure();
    argument << rule.program << rule.slot;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, KestBusRule &rule)
{
    argument.beginStructure();
    argument >> rule.program >> rule.slot;
    argument.endStructure();
    return argument;
}

KestBusService::KestBusService(KestMouseCore *core, KestDesktopBridge *bridge)
    : QObject(bridge)
    , m_core(core)
    , m_bridge(bridge)
{
    // The property is declared with the typedef's name, which the meta-type system must know.
    qRegisterMetaType<KestBusRuleList>("KestBusRuleList");
    qDBusRegisterMetaType<KestBusRule>();
    qDBusRegisterMetaType<KestBusRuleList>();
    new KestBusAdaptor(this);
    m_last = snapshot();
    if (KestFocusSwitcher *rules = focus())
        connect(rules, &KestFocusSwitcher::rulesChanged, this, &KestBusService::announceRules);
    connect(core, &KestMouseCore::slotSwitchFinished, this, &KestBusService::onSwitchFinished);
    connect(core, &KestMouseCore::writeFinished, this, &KestBusService::onWriteFinished);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!bus.registerObject(QString::fromLatin1(kPath), this))
        return;
    // The single-instance lock keeps a second utility away; a name still taken belongs
    // to something else, and the utility runs without the interface.
    m_registered = bus.registerService(QString::fromLatin1(kService));
    if (!m_registered)
        bus.unregisterObject(QString::fromLatin1(kPath));
}

KestBusService::~KestBusService()
{
    if (!m_registered)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QString::fromLatin1(kService));
    bus.unregisterObject(QString::fromLatin1(kPath));
}

int KestBusService::currentSlot() const
{
    return m_core->currentSlot();
}

QStringList KestBusService::slotNames() const
{
    QStringList names;
    for (const QString &name : m_core->working().names)
        names << name;
    return names;
}

QString KestBusService::connection() const
{
    return m_core->status().linkName();
}

int KestBusService::battery() const
{
    return m_core->status().battery;
}

bool KestBusService::charging() const
{
    return m_core->status().charging;
}

int KestBusService::dpiLevel() const
{
    return statusdecode::dpiLevel(m_core->working().profiles[size_t(currentSlot())]);
}

int KestBusService::reportRate() const
{
    return statusdecode::rateCodeToHz(m_core->working().profiles[size_t(currentSlot())].pollrate);
}

QVariantMap KestBusService::snapshot() const
{
    return {{QStringLiteral("CurrentSlot"), currentSlot()},   {QStringLiteral("SlotNames"), slotNames()},
            {QStringLiteral("Connection"), connection()},     {QStringLiteral("Battery"), battery()},
            {QStringLiteral("Charging"), charging()},         {QStringLiteral("DpiLevel"), dpiLevel()},
            {QStringLiteral("ReportRate"), reportRate()}};
}

void KestBusService::refresh()
{
    // While a write runs the records belong to the worker.
    if (m_core->isWriting())
        return;
    const QVariantMap now = snapshot();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_last.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_last = now;
    if (changed.isEmpty() || !m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

bool KestBusService::refuseWhileWriting()
{
    if (!m_core->isWriting())
        return false;
    if (calledFromDBus())
        sendErrorReply(kError + QStringLiteral("Busy"), tr("A write to the mouse is running."));
    return true;
}

void KestBusService::SelectSlot(int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, tr("The slot must be 0 to 4, not %1.").arg(slot));
        return;
    }
    if (refuseWhileWriting())
        return;
    // A caller on the bus hears back once the mouse has taken the switch or refused it; a
    // refused switch leaves the slot as it was.
    const int id = m_core->switchSlot(slot, true);
    refresh();
    if (!calledFromDBus() || id == 0)
        return;
    setDelayedReply(true);
    m_pendingSwitches.insert(id, message());
}

void KestBusService::onSwitchFinished(int id, int slot, int result, bool saved)
{
    refresh();
    if (!m_pendingSwitches.contains(id))
        return;
    const QDBusMessage call = m_pendingSwitches.take(id);
    if (result == 2 || result == 4) {
        QDBusConnection::sessionBus().send(call.createErrorReply(
            kError + QStringLiteral("NotConfirmed"),
            tr("The mouse did not confirm the switch to slot %1; the slot stays as it was.").arg(slot)));
        return;
    }
    if (!saved) {
        // The mouse is on the new slot, but the next start would open the old one.
        QDBusConnection::sessionBus().send(call.createErrorReply(
            kError + QStringLiteral("NotSaved"),
            tr("Slot %1 is selected, but the settings file could not be saved.").arg(slot)));
        return;
    }
    QDBusConnection::sessionBus().send(call.createReply());
}

int KestBusService::Apply()
{
    // A second caller during a write hears so: an answer of 0 would claim a write that
    // never happened.
    if (refuseWhileWriting())
        return 0;
    // What the window holds is written, as its Apply button would; no dialog and no box:
    // the caller gets the result (and the desktop a notification when nobody looks).
    m_core->collect();
    if (!m_core->write())
        return 0;
    waitForWrite();
    return 0;
}

void KestBusService::waitForWrite()
{
    m_applying = true;
    if (calledFromDBus()) {
        setDelayedReply(true);
        m_pendingApplies << message();
    }
}

bool KestBusService::takeSlot(int *slot)
{
    if (*slot == -1)
        *slot = m_core->currentSlot();
    if (*slot >= 0 && *slot < SLOT_COUNT)
        return true;
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, tr("The slot must be -1 (the current one) or 0 to 4, not %1.").arg(*slot));
    return false;
}

// Scripts read what is saved and applied, as the tool reads the files when the utility
// is not running: edits the window has not applied are not settings yet.
QString KestBusService::GetSetting(int slot, const QString &name, const QString &index)
{
    if (!takeSlot(&slot))
        return {};
    QString value;
    QString error;
    if (!SlotSettings(SlotSettingsProduct::installed()).get(m_core->appliedSet(), slot, name, index, &value, &error)
        && calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, error);
    return value;
}

QStringList KestBusService::GetSettings(int slot)
{
    if (!takeSlot(&slot))
        return {};
    return SlotSettings(SlotSettingsProduct::installed()).lines(m_core->appliedSet(), slot);
}

QString KestBusService::GetSettingsJson(int slot)
{
    if (!takeSlot(&slot))
        return {};
    const QJsonObject object = SlotSettings(SlotSettingsProduct::installed()).toJson(m_core->appliedSet(), slot);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

int KestBusService::SetSetting(int slot, const QString &name, const QStringList &args, bool apply)
{
    if (slot != -1 && !takeSlot(&slot))
        return 0;
    if (refuseWhileWriting())
        return 0;
    // A dialog may be editing the very records; the change waits for its answer.
    if (m_bridge->quitBlock() == KestDesktopBridge::QuitBlock::DialogOpen) {
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("DialogOpen"), tr("A dialog is open in the window: answer it first."));
        return 0;
    }
    const KestSettingResult result = m_core->setSetting(slot, name, args, apply);
    QString error;
    switch (result.outcome) {
    case KestSettingResult::Done: return 0;
    case KestSettingResult::Writing: waitForWrite(); return 0;
    case KestSettingResult::Usage:
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, result.message);
        return 0;
    case KestSettingResult::Refused: error = QStringLiteral("Refused"); break;
    case KestSettingResult::Busy: error = QStringLiteral("Busy"); break;
    case KestSettingResult::UnappliedEdits: error = QStringLiteral("UnappliedEdits"); break;
    case KestSettingResult::NotSaved: error = QStringLiteral("NotSaved"); break;
    }
    if (calledFromDBus())
        sendErrorReply(kError + error, result.message);
    return 0;
}

void KestBusService::onWriteFinished(const KestWriteResult &result)
{
    if (!m_applying)
        return;
    m_applying = false;
    for (const QDBusMessage &call : qAsConst(m_pendingApplies)) {
        // A set the disk did not take leaves the mouse and the files apart: not a success.
        if (!result.saved.isOk())
            QDBusConnection::sessionBus().send(
                call.createErrorReply(kError + QStringLiteral("NotSaved"), result.saved.text()));
        else
            QDBusConnection::sessionBus().send(call.createReply(QVariantList{int(result.status)}));
    }
    m_pendingApplies.clear();
    refresh();
}

bool KestBusService::showRunningCopy(int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("Show"));
    return bus.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

void KestBusService::Show()
{
    // After the answer: the window may be built first, and with no mouse it opens its
    // warning, which waits for the user.
    QTimer::singleShot(0, m_bridge, &KestDesktopBridge::showWindow);
}

void KestBusService::Quit()
{
    // Ending now would drop what the user has not answered; the caller hears why instead.
    switch (m_bridge->quitBlock()) {
    case KestDesktopBridge::QuitBlock::DialogOpen:
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("DialogOpen"),
                           tr("A dialog is open in the window: answer it first."));
        return;
    case KestDesktopBridge::QuitBlock::UnappliedEdits:
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("UnappliedEdits"),
                           tr("The window holds changes that were not applied: apply or drop them first."));
        return;
    case KestDesktopBridge::QuitBlock::None:
        break;
    }
    QTimer::singleShot(0, m_bridge, &KestDesktopBridge::requestQuit);
}

KestFocusSwitcher *KestBusService::focus() const
{
    return m_core->focusSwitcher();
}

void KestBusService::replyRulesSaved()
{
    // The rule holds for this run either way; the caller must know it will not last.
    if (focus() && !focus()->savedOk() && calledFromDBus())
        sendErrorReply(kError + QStringLiteral("NotSaved"),
                       tr("The rule applies now but could not be saved in the settings file."));
}

KestBusRuleList KestBusService::rules() const
{
    KestBusRuleList list;
    if (const KestFocusSwitcher *rules = focus()) {
        for (const FocusRule &rule : rules->rules().rules)
            list << KestBusRule{rule.program, rule.slot};
    }
    return list;
}

int KestBusService::defaultSlot() const
{
    return focus() ? focus()->rules().defaultSlot : int(KestFocusRules::NoSlot);
}

void KestBusService::announceRules()
{
    if (!m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    const QVariantMap changed{{QStringLiteral("Rules"), QVariant::fromValue(rules())},
                              {QStringLiteral("DefaultSlot"), defaultSlot()}};
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void KestBusService::SetRule(const QString &program, int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT || program.trimmed().isEmpty()) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           tr("A rule needs a program name and a slot from 0 to 4, not \"%1\" and %2.")
                               .arg(program)
                               .arg(slot));
        return;
    }
    if (!focus() || !focus()->setRule(program, slot)) {
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("TooManyRules"), tr("No more rules can be added."));
        return;
    }
    replyRulesSaved();
}

void KestBusService::RemoveRule(const QString &program)
{
    if (!focus() || !focus()->removeRule(program)) {
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("NoSuchRule"), tr("There is no rule for \"%1\".").arg(program));
        return;
    }
    replyRulesSaved();
}

void KestBusService::SetDefaultSlot(int slot)
{
    if (!focus() || !focus()->setDefaultSlot(slot)) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           tr("The default slot must be -1 (none) or 0 to 4, not %1.").arg(slot));
        return;
    }
    replyRulesSaved();
}
