#include "app/kestbusservice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QTimer>

#include "app/kestdesktopbridge.h"
#include "app/kestfocusswitcher.h"
#include "app/kestprofilemanager.h"
#include "app/mousecfgwidget.h"
#include "device/discovery.h"
#include "kestbusadaptor.h"
#include "store/configrecord.h"

namespace {

const QString kError = QStringLiteral("org.mousecfg.Mousecfg1.Error.");

int rateHz(int code)
{
    switch (code) {
    case 8: return 125;
    case 4: return 250;
    case 2: return 500;
    case 1: return 1000;
    default: return 0;
    }
}

} // namespace

KestBusService::KestBusService(MousecfgWidget *window, KestDesktopBridge *bridge)
    : QObject(bridge)
    , m_window(window)
    , m_bridge(bridge)
{
    // The property is declared with the typedef's name, which the meta-type system must know.
    qRegisterMetaType<KestRuleMap>("KestRuleMap");
    qDBusRegisterMetaType<KestRuleMap>();
    new KestBusAdaptor(this);
    m_last = snapshot();
    if (KestFocusSwitcher *rules = focus())
        connect(rules, &KestFocusSwitcher::rulesChanged, this, &KestBusService::announceRules);
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
    return m_window->currentSlot();
}

QStringList KestBusService::slotNames() const
{
    QStringList names;
    for (const QString &name : m_window->workingSet().names)
        names << name;
    return names;
}

QString KestBusService::connection() const
{
    const bool receiver = receiverCommandPresent();
    const bool cable = cableCommandPresent();
    if (receiver && cable)
        return QStringLiteral("both");
    if (cable)
        return QStringLiteral("cable");
    return receiver ? QStringLiteral("receiver") : QStringLiteral("none");
}

int KestBusService::battery() const
{
    return m_bridge->batteryPercent();
}

bool KestBusService::charging() const
{
    return m_bridge->charging();
}

int KestBusService::dpiLevel() const
{
    return activeDpiIndex(m_window->workingSet().profiles[size_t(currentSlot())]);
}

int KestBusService::reportRate() const
{
    return rateHz(m_window->workingSet().profiles[size_t(currentSlot())].pollrate);
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
    // While a write runs the working set belongs to the worker.
    if (m_window->profileManager() && m_window->profileManager()->isWriting())
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

void KestBusService::SelectSlot(int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, tr("The slot must be 0 to 4, not %1.").arg(slot));
        return;
    }
    if (m_applying || (m_window->profileManager() && m_window->profileManager()->isWriting())) {
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("Busy"), tr("A write to the mouse is running."));
        return;
    }
    m_window->switchToSlot(slot, MousecfgWidget::EditsOnSwitch::Keep);
    refresh();
}

int KestBusService::Apply()
{
    KestProfileManager *profiles = m_window->profileManager();
    if (!profiles || m_applying || profiles->isWriting()) {
        if (calledFromDBus())
            sendErrorReply(kError + QStringLiteral("Busy"), tr("A write to the mouse is running."));
        return 0;
    }
    m_applying = true;
    // The caller gets the result; a message box would hold the answer until someone
    // closes it. A failure while the window is hidden becomes a notification.
    const KestProfileManager::MessageHandler previous = profiles->messageHandler();
    profiles->setMessageHandler([](int, const QString &) { return 1; });
    m_window->collectPanelValues();
    m_window->stopBatteryReader();
    const int status = profiles->runWriteSequence();
    profiles->setMessageHandler(previous);
    m_applying = false;
    refresh();
    return status;
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
    // After the answer: with no mouse the window opens its warning, which waits for the
    // user.
    QTimer::singleShot(0, m_window, &MousecfgWidget::slotWarning);
}

void KestBusService::Quit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

KestFocusSwitcher *KestBusService::focus() const
{
    return m_bridge->focusSwitcher();
}

KestRuleMap KestBusService::rules() const
{
    KestRuleMap map;
    if (const KestFocusSwitcher *rules = focus()) {
        for (const FocusRule &rule : rules->rules().rules)
            map.insert(rule.program, rule.slot);
    }
    return map;
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
    }
}

void KestBusService::RemoveRule(const QString &program)
{
    if ((!focus() || !focus()->removeRule(program)) && calledFromDBus())
        sendErrorReply(kError + QStringLiteral("NoSuchRule"), tr("There is no rule for \"%1\".").arg(program));
}

void KestBusService::SetDefaultSlot(int slot)
{
    if ((!focus() || !focus()->setDefaultSlot(slot)) && calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, tr("The default slot must be -1 (none) or 0 to 4, not %1.").arg(slot));
}
