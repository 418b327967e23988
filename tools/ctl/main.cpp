// SPDX-License-Identifier: GPL-2.0-or-later
#include <malloc.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>

#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "device/sim/simbackend.h"
#include "store/appdir.h"
#include "store/storecheck.h"
#include "tools/ctl/ctlbus.h"
#include "tools/ctl/ctlcommands.h"
#include "tools/ctl/ctloptions.h"
#include "tools/ctl/ctlrules.h"
#include "tools/ctl/tracingbackend.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

int dispatch(const CtlOptions &options, const ConfigRecord &stored, QTextStream &out, QTextStream &err)
{
    const QString &command = options.command;
    const QString argument = options.arguments.value(0);
    if (command == QLatin1String("list"))
        return runList(options.json, out, err);
    if (command == QLatin1String("status"))
        return runStatus(options.json, activeSlotIndex(stored), out, err);
    if (command == QLatin1String("apply"))
        return runApply(stored, out, err);
    if (command == QLatin1String("select-slot"))
        return runSelectSlot(argument, stored, out, err);
    if (command == QLatin1String("export-conf"))
        return runExportConf(argument, stored, out, err);
    if (command == QLatin1String("get"))
        return runGet(options, stored, out, err);
    if (command == QLatin1String("set"))
        return runSet(options, stored, out, err);
    return runImportConf(argument, stored, out, err);
}

bool utilityOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()
           && bus.interface()->isServiceRegistered(QStringLiteral("org.mousecfg.Mousecfg")).value();
}

int usageError(const QString &message, QTextStream &err)
{
    err << "mousecfgctl: " << message << Qt::endl
        << tr("Try \"mousecfgctl --help\" for the commands and options.") << Qt::endl;
    return kExitUsage;
}

int showHelp(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const QString topic = options.command == QLatin1String("help") ? options.arguments.value(0) : options.command;
    if (topic.isEmpty()) {
        out << usageText();
        return kExitOk;
    }
    if (!commandNames().contains(topic))
        return usageError(tr("unknown command \"%1\"").arg(topic), err);
    const QString text = commandHelp(topic);
    out << (text.isEmpty() ? usageText() : text);
    return kExitOk;
}

// A trace file that is not a plain file (a FIFO nobody reads, a device) would block or
// swallow the run: only plain files, new or existing, are taken.
bool usableTraceFile(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

} // namespace

int main(int argc, char *argv[])
{
    // A command lives for a fraction of a second and reads five profile files of a quarter
    // megabyte one after another. Buffers that size are mapped apart and handed back to the
    // system when freed, only to be faulted in again for the next file: a quarter of all
    // page faults of an apply. Kept in the heap, the next file reuses them.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(MOUSECFG_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    CtlOptions options;
    QString error;
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!parseOptions(arguments, options, error))
        return usageError(error, err);
    if (options.version) {
        out << "mousecfgctl " << QCoreApplication::applicationVersion() << Qt::endl;
        return kExitOk;
    }
    if (options.help || options.command == QLatin1String("help"))
        return showHelp(options, out, err);

    const QByteArray faults = qgetenv(KestSimMouse::FaultVariable);
    if (!KestSimMouse::isValidFaultSpec(faults)) {
        err << "mousecfgctl: "
            << tr("%1=%2 is not a list of silent, zeros, wrong-echo, read-error, write-error, unplug-after=N")
                   .arg(QString::fromLatin1(KestSimMouse::FaultVariable), QString::fromLocal8Bit(faults))
            << Qt::endl;
        return kExitUsage;
    }

    // A mistyped folder would otherwise read as an empty installation, and apply would
    // write its defaults to the mouse.
    if (!options.appDir.isEmpty()) {
        if (!QFileInfo(options.appDir).isDir()) {
            err << "mousecfgctl: " << tr("the application folder \"%1\" does not exist").arg(options.appDir)
                << Qt::endl;
            return kExitUsage;
        }
        setApplicationDir(options.appDir);
    }
    if (!options.simulate.isEmpty()) {
        auto sim = std::make_shared<KestSimMouse>(options.simulate != QLatin1String("cable"),
                                                  options.simulate != QLatin1String("receiver"));
        applySimulatedFaults(*sim);
        useSimulatedMemory(*sim);
        setHidBackend(sim);
        setSimulatedMouse(true);
    } else {
        setSimulatedMouse(useSimulatedMouseFromEnvironment() != nullptr);
    }
    if (!options.traceFile.isEmpty()) {
        std::shared_ptr<TracingBackend> tracing;
        if (usableTraceFile(options.traceFile))
            tracing = std::make_shared<TracingBackend>(sharedHidBackend(), options.traceFile);
        if (!tracing || !tracing->isOpen()) {
            err << "mousecfgctl: " << tr("cannot write the trace file \"%1\"").arg(options.traceFile) << Qt::endl;
            return kExitUsage;
        }
        setHidBackend(tracing);
    }

    // Notes about the desktop (no pointer-speed setting in this session and the like) are for
    // the utility's log; a script reading stderr gets them only with -v or its own rules.
    if (!options.verbose && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.desktop.info=false"));

    // Defaults standing in for a file we would not read must never reach the mouse or
    // the disk: stop before anything is done. The set loaded for the check is the one the
    // command works on.
    ConfigRecord stored;
    const KestFileResult check = checkStoredFiles(stored);
    if (check.isRefused()) {
        err << "mousecfgctl: " << check.text() << Qt::endl;
        return kExitUsage;
    }

    // Rules are settings, not mouse commands: the mouse is never opened for them.
    if (options.command == QLatin1String("rules"))
        return runRules(options, out, err);
    const QString &command = options.command;
    const bool inThisProcess = !options.simulate.isEmpty() || !options.traceFile.isEmpty();
    // Asking the bus costs a connection and the bus library's own thread: only where the
    // answer changes what is done or said.
    const bool running = ((command == QLatin1String("set") && inThisProcess) || options.verbose) && utilityOnBus();
    // A simulated mouse or a trace keeps the command in this process, but the files are
    // the running utility's: it would write its own settings back over the change.
    if (command == QLatin1String("set") && running && inThisProcess) {
        err << "mousecfgctl: "
            << tr("the utility is running: set with --simulate or --trace would change its files under it; quit it "
                  "first")
            << Qt::endl;
        return kExitBusy;
    }
    const int viaUtility = runThroughUtility(options, out, err);
    if (viaUtility != kNoUtilityOnBus)
        return viaUtility;
    if (options.verbose) {
        QString way;
        if ((command == QLatin1String("get") && !running) || command == QLatin1String("export-conf"))
            way = tr("%1 reads the saved files").arg(command);
        else if (!running)
            way = tr("no utility running: talking to the mouse directly");
        else if (inThisProcess)
            way = tr("the simulated mouse and the trace belong to this process: talking to the mouse directly");
        else
            way = tr("%1 does not go through the utility: talking to the mouse directly").arg(command);
        err << "mousecfgctl: " << way << Qt::endl;
    }
    const int status = dispatch(options, stored, out, err);
    CloseDevices();
    hidBackend().exit();
    return status;
}
