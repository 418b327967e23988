// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/ctlbus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

#include "device/sendcommand.h"
#include "store/appsettings.h"
#include "store/configrecord.h"
#include "tools/ctl/ctlcommands.h"
#include "tools/ctl/ctloutput.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

const QString kService = QStringLiteral("org.mousecfg.Mousecfg");
const QString kPath = QStringLiteral("/org/mousecfg/Mousecfg");
const QString kInterface = QStringLiteral("org.mousecfg.Mousecfg1");
constexpr int kQueryTimeoutMs = 5000;
// A write with twelve macros takes seconds on a slow link; a silent mouse longer.
constexpr int kApplyTimeoutMs = 120000;

QDBusMessage callUtility(const QString &method, const QVariantList &args, int timeoutMs)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, timeoutMs);
}

int reportResult(int result, QTextStream &err)
{
    switch (result) {
    case SEND_OK: break;
    case SEND_NO_DEVICE:
        err << "mousecfgctl: "
            << tr("no mouse found: neither the receiver nor the cable has an open command interface") << Qt::endl;
        break;
    case SEND_GAVE_UP: err << "mousecfgctl: " << tr("the mouse did not confirm the commands") << Qt::endl; break;
    case SEND_WRITE_FAILED: err << "mousecfgctl: " << tr("writing to the mouse failed") << Qt::endl; break;
    default: err << "mousecfgctl: " << tr("unexpected result %1").arg(result) << Qt::endl; break;
    }
    return result;
}

// A bus failure after the utility was found: it went away or did not answer in time.
int busFailure(const QDBusMessage &reply, QTextStream &err)
{
    err << "mousecfgctl: " << tr("the running utility did not answer: %1").arg(reply.errorMessage()) << Qt::endl;
    return SEND_GAVE_UP;
}

int runStatus(bool json, QTextStream &out, QTextStream &err)
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("GetAll"))
            << kInterface,
        QDBus::Block, kQueryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return busFailure(reply, err);
    const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    const QString connection = properties.value(QStringLiteral("Connection")).toString();
    if (connection == QLatin1String("none"))
        return reportResult(SEND_NO_DEVICE, err);
    // The same fields as a direct query; the bus counts slots and levels from 0.
    CtlStatus status;
    status.battery = properties.value(QStringLiteral("Battery"), -1).toInt();
    status.mouseOff = connection == QLatin1String("receiver") && status.battery < 0;
    status.dpiLevel = properties.value(QStringLiteral("DpiLevel"), -1).toInt();
    status.rateHz = properties.value(QStringLiteral("ReportRate")).toInt();
    const bool cable = connection == QLatin1String("cable") || connection == QLatin1String("both");
    status.connection = cable ? QStringLiteral("cable") : QStringLiteral("receiver");
    status.slot = properties.value(QStringLiteral("CurrentSlot"), -1).toInt();
    printStatus(status, json, out);
    return kExitOk;
}

int runSelectSlot(const QString &slotText, QTextStream &out, QTextStream &err)
{
    bool ok = false;
    const int slot = slotText.toInt(&ok) - 1; // the bus counts from 0
    if (!ok || slot < 0 || slot >= SLOT_COUNT) {
        err << "mousecfgctl: " << tr("select-slot takes a slot from 1 to 5, not \"%1\"").arg(slotText) << Qt::endl;
        return kExitUsage;
    }
    // The utility answers once the mouse has taken the switch or refused it.
    const QDBusMessage reply = callUtility(QStringLiteral("SelectSlot"), {slot}, kApplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage
        && reply.errorName() == QLatin1String("org.mousecfg.Mousecfg1.Error.NotConfirmed"))
        return reportResult(SEND_GAVE_UP, err);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return busFailure(reply, err);
    // The window follows the slot either way; the mouse only when it is there.
    const QDBusMessage connection = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
            << kInterface << QStringLiteral("Connection"),
        QDBus::Block, kQueryTimeoutMs);
    if (connection.arguments().value(0).value<QDBusVariant>().variant().toString() == QLatin1String("none"))
        return reportResult(SEND_NO_DEVICE, err);
    out << tr("slot %1 selected").arg(slot + 1) << Qt::endl;
    return kExitOk;
}

int runApply(bool all, QTextStream &out, QTextStream &err)
{
    // The utility's write sends everything when the last one is marked as failed.
    if (all) {
        const KestFileResult marked = writeDiff(1);
        if (!marked)
            return saveFailure(marked, err);
    }
    const QDBusMessage reply = callUtility(QStringLiteral("Apply"), {}, kApplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return busFailure(reply, err);
    const int result = reply.arguments().value(0).toInt();
    if (result == SEND_OK)
        out << tr("profile set written to the mouse") << Qt::endl;
    return reportResult(result, err);
}

int printError(const QDBusMessage &reply, int status, QTextStream &err)
{
    err << "mousecfgctl: " << reply.errorMessage() << Qt::endl;
    return status;
}

int currentSlotOnBus()
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
            << kInterface << QStringLiteral("CurrentSlot"),
        QDBus::Block, kQueryTimeoutMs);
    return reply.arguments().value(0).value<QDBusVariant>().variant().toInt();
}

// The utility reads the settings it has saved and applied: the same texts as the files give.
int runGet(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const QStringList &args = options.arguments;
    QDBusMessage reply;
    if (args.isEmpty())
        reply = callUtility(options.json ? QStringLiteral("GetSettingsJson") : QStringLiteral("GetSettings"),
                            {options.slot}, kQueryTimeoutMs);
    else
        reply = callUtility(QStringLiteral("GetSetting"), {options.slot, args[0], args.value(1)}, kQueryTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage && reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs"))
        return printError(reply, kExitUsage, err);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return busFailure(reply, err);
    const QVariant answer = reply.arguments().value(0);
    if (args.isEmpty() && options.json) {
        printJson(QJsonDocument::fromJson(answer.toString().toUtf8()).object(), out);
    } else if (args.isEmpty()) {
        for (const QString &line : answer.toStringList())
            out << line << Qt::endl;
    } else if (options.json) {
        QJsonObject object;
        object.insert(QStringLiteral("slot"), (options.slot >= 0 ? options.slot : currentSlotOnBus()) + 1);
        object.insert(QStringLiteral("setting"), args[0]);
        if (!args.value(1).isEmpty())
            object.insert(QStringLiteral("index"), args[1]);
        object.insert(QStringLiteral("value"), answer.toString());
        printJson(object, out);
    } else {
        out << answer.toString() << Qt::endl;
    }
    return kExitOk;
}

// The utility saves the change, writes it when the mouse holds it and shows it in its
// window; it refuses what would overwrite, save or send edits its window has not applied.
int runSet(const CtlOptions &options, QTextStream &err)
{
    const QDBusMessage reply = callUtility(
        QStringLiteral("SetSetting"),
        {options.slot, options.arguments[0], QStringList(options.arguments.mid(1)), !options.noApply}, kApplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QString error = reply.errorName();
        if (error == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs"))
            return printError(reply, kExitUsage, err);
        if (error.endsWith(QLatin1String(".Refused")))
            return printError(reply, kExitRefused, err);
        if (error.endsWith(QLatin1String(".NotSaved")))
            return printError(reply, kExitNotSaved, err);
        if (error.endsWith(QLatin1String(".UnappliedEdits")) || error.endsWith(QLatin1String(".DialogOpen"))
            || error.endsWith(QLatin1String(".Busy")))
            return printError(reply, kExitBusy, err);
    }
    if (reply.type() != QDBusMessage::ReplyMessage)
        return busFailure(reply, err);
    const int written = reply.arguments().value(0).toInt();
    if (written == SEND_OK)
        return kExitOk;
    reportResult(written, err);
    err << "mousecfgctl: " << tr("the change is saved; the mouse gets it at the next apply") << Qt::endl;
    return written;
}

} // namespace

int runThroughUtility(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const QString &command = options.command;
    static const QStringList viaBus{QStringLiteral("status"), QStringLiteral("select-slot"), QStringLiteral("apply"),
                                    QStringLiteral("get"), QStringLiteral("set")};
    if (!viaBus.contains(command))
        return kNoUtilityOnBus;
    // The simulated mouse and the trace belong to this process.
    if (!options.simulate.isEmpty() || !options.traceFile.isEmpty())
        return kNoUtilityOnBus;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService).value())
        return kNoUtilityOnBus;
    if (options.verbose)
        err << "mousecfgctl: " << tr("the utility is running: %1 goes through its session-bus interface").arg(command)
            << Qt::endl;
    if (command == QLatin1String("status"))
        return runStatus(options.json, out, err);
    if (command == QLatin1String("select-slot"))
        return runSelectSlot(options.arguments.value(0), out, err);
    if (command == QLatin1String("get"))
        return runGet(options, out, err);
    if (command == QLatin1String("set"))
        return runSet(options, err);
    return runApply(options.all, out, err);
}
