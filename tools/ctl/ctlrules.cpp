// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/ctlrules.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonObject>

#include "store/appsettings.h"
#include "store/configrecord.h"
#include "store/focusrules.h"
#include "tools/ctl/ctloutput.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

const QString kService = QStringLiteral("org.mousecfg.Mousecfg");
const QString kPath = QStringLiteral("/org/mousecfg/Mousecfg");
const QString kInterface = QStringLiteral("org.mousecfg.Mousecfg1");
constexpr int kTimeoutMs = 5000;

bool utilityRunning()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService).value();
}

QDBusMessage call(const QString &interface, const QString &method, const QVariantList &args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, kTimeoutMs);
}

// The rules as the running utility holds them.
bool busRules(KestFocusRules *rules, QString *error)
{
    const QDBusMessage reply =
        call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"), {kInterface});
    if (reply.type() != QDBusMessage::ReplyMessage) {
        *error = reply.errorMessage();
        return false;
    }
    const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    // (program, slot) pairs in the order they are tried: the first that matches wins.
    const QDBusArgument list = properties.value(QStringLiteral("Rules")).value<QDBusArgument>();
    if (list.currentSignature() != QLatin1String("a(si)")) {
        *error = tr("the running utility is of another version: it gives the rules as \"%1\"")
                     .arg(list.currentSignature());
        return false;
    }
    list.beginArray();
    while (!list.atEnd()) {
        QString program;
        int slot = 0;
        list.beginStructure();
        list >> program >> slot;
        list.endStructure();
        rules->setRule(program, slot);
    }
    list.endArray();
    rules->setDefaultSlot(properties.value(QStringLiteral("DefaultSlot"), -1).toInt());
    return true;
}

// Read by scripts: the lines keep one form in every language. Slots count from 1 here,
// as in the window; the store and the bus count from 0.
void printRules(const KestFocusRules &rules, bool json, QTextStream &out, QTextStream &err)
{
    const bool noDefault = rules.defaultSlot == KestFocusRules::NoSlot;
    if (json) {
        QJsonArray list;
        for (const FocusRule &rule : rules.rules) {
            QJsonObject item;
            item.insert(QStringLiteral("program"), rule.program);
            item.insert(QStringLiteral("slot"), rule.slot + 1);
            list.append(item);
        }
        QJsonObject object;
        object.insert(QStringLiteral("rules"), list);
        object.insert(QStringLiteral("default"), noDefault ? QJsonValue() : QJsonValue(rules.defaultSlot + 1));
        object.insert(QStringLiteral("enabled"), rules.enabled);
        printJson(object, out);
        return;
    }
    if (!rules.enabled)
        err << "mousecfgctl: " << tr("following the focus is switched off") << Qt::endl;
    for (const FocusRule &rule : rules.rules)
        out << rule.program << '\t' << rule.slot + 1 << Qt::endl;
    out << "default: " << (noDefault ? QStringLiteral("none") : QString::number(rules.defaultSlot + 1)) << Qt::endl;
}

bool parseSlot(const QString &text, bool allowNone, int *slot)
{
    if (allowNone && text == QLatin1String("none")) {
        *slot = KestFocusRules::NoSlot;
        return true;
    }
    bool ok = false;
    *slot = text.toInt(&ok) - 1;
    return ok && *slot >= 0 && *slot < SLOT_COUNT;
}

int usage(QTextStream &err)
{
    err << "mousecfgctl: " << tr("rules takes list, add PROGRAM SLOT, remove PROGRAM or default SLOT|none")
        << Qt::endl;
    return kExitUsage;
}

} // namespace

int runRules(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const QStringList &args = options.arguments;
    const QString action = args.value(0);
    const int wanted = action == QLatin1String("add") ? 3
                       : (action == QLatin1String("remove") || action == QLatin1String("default")) ? 2
                       : action == QLatin1String("list")                                           ? 1
                                                                                                    : -1;
    if (wanted < 0 || args.size() != wanted || (options.json && action != QLatin1String("list")))
        return usage(err);
    int slot = 0;
    if (action == QLatin1String("add") && (!parseSlot(args[2], false, &slot) || args[1].trimmed().isEmpty())) {
        err << "mousecfgctl: " << tr("rules add takes a program name and a slot from 1 to 5, not \"%1\"").arg(args[2])
            << Qt::endl;
        return kExitUsage;
    }
    if (action == QLatin1String("default") && !parseSlot(args[1], true, &slot)) {
        err << "mousecfgctl: " << tr("rules default takes a slot from 1 to 5 or none, not \"%1\"").arg(args[1])
            << Qt::endl;
        return kExitUsage;
    }

    if (utilityRunning()) {
        if (options.verbose)
            err << "mousecfgctl: " << tr("the utility is running: rules go through its session-bus interface")
                << Qt::endl;
        QDBusMessage reply;
        if (action == QLatin1String("add"))
            reply = call(kInterface, QStringLiteral("SetRule"), {args[1], slot});
        else if (action == QLatin1String("remove"))
            reply = call(kInterface, QStringLiteral("RemoveRule"), {args[1]});
        else if (action == QLatin1String("default"))
            reply = call(kInterface, QStringLiteral("SetDefaultSlot"), {slot});
        if (reply.type() == QDBusMessage::ErrorMessage) {
            err << "mousecfgctl: " << reply.errorMessage() << Qt::endl;
            return reply.errorName().endsWith(QLatin1String("NoSuchRule")) ? kExitFailed : kExitNotConfirmed;
        }
        if (action != QLatin1String("list"))
            return kExitOk;
        KestFocusRules rules;
        QString error;
        if (!busRules(&rules, &error)) {
            err << "mousecfgctl: " << tr("the running utility did not answer: %1").arg(error) << Qt::endl;
            return kExitNotConfirmed;
        }
        printRules(rules, options.json, out, err);
        return kExitOk;
    }

    if (options.verbose)
        err << "mousecfgctl: " << tr("no utility running: the rules are changed in the settings file") << Qt::endl;
    KestFocusRules rules = KestFocusRules::load();
    if (action == QLatin1String("list")) {
        printRules(rules, options.json, out, err);
        return kExitOk;
    }
    if (action == QLatin1String("add")) {
        if (!rules.setRule(args[1], slot)) {
            err << "mousecfgctl: " << tr("no more rules can be added") << Qt::endl;
            return kExitRefused;
        }
    } else if (action == QLatin1String("default")) {
        rules.setDefaultSlot(slot);
    } else if (!rules.removeRule(args[1])) {
        err << "mousecfgctl: " << tr("there is no rule for \"%1\"").arg(args[1]) << Qt::endl;
        return kExitFailed;
    }
    if (!rules.save()) {
        err << "mousecfgctl: " << tr("could not save \"%1\"").arg(globalConfigPath()) << Qt::endl;
        return kExitNotSaved;
    }
    return kExitOk;
}
