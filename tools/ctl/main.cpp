#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "device/sim/simbackend.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "tools/ctl/ctlbus.h"
#include "tools/ctl/ctlrules.h"
#include "store/storecheck.h"
#include "tools/ctl/ctlcommands.h"
#include "tools/ctl/ctloptions.h"
#include "tools/ctl/tracingbackend.h"

namespace {

int dispatch(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const QString &command = options.command;
    if (command == QLatin1String("list"))
        return runList(out, err);
    if (command == QLatin1String("status"))
        return runStatus(out, err);
    if (command == QLatin1String("apply"))
        return runApply(options.all, out, err);
    if (command == QLatin1String("select-slot"))
        return runSelectSlot(options.arguments.value(0), out, err);
    if (command == QLatin1String("export-conf"))
        return runExportConf(options.arguments.value(0), out, err);
    return runImportConf(options.arguments.value(0), out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    CtlOptions options;
    QString error;
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!parseOptions(arguments, options, error)) {
        err << "mousecfgctl: " << error << Qt::endl << Qt::endl << usageText();
        return kExitUsage;
    }
    if (options.help) {
        out << usageText();
        return kExitOk;
    }

    const QByteArray faults = qgetenv(KestSimMouse::FaultVariable);
    if (!KestSimMouse::isValidFaultSpec(faults)) {
        err << "mousecfgctl: "
            << QCoreApplication::translate("mousecfgctl", "%1=%2 is not a list of silent, zeros, wrong-echo, "
                                                          "read-error, write-error, unplug-after=N")
                   .arg(QString::fromLatin1(KestSimMouse::FaultVariable), QString::fromLocal8Bit(faults))
            << Qt::endl;
        return kExitUsage;
    }

    if (!options.appDir.isEmpty())
        setApplicationDir(options.appDir);
    if (!options.simulate.isEmpty()) {
        auto sim = std::make_shared<KestSimMouse>(options.simulate != QLatin1String("cable"),
                                                  options.simulate != QLatin1String("receiver"));
        applySimulatedFaults(*sim);
        useSimulatedMemory(*sim);
        setHidBackend(sim);
    } else {
        useSimulatedMouseFromEnvironment();
    }
    if (!options.traceFile.isEmpty()) {
        auto tracing = std::make_shared<TracingBackend>(sharedHidBackend(), options.traceFile);
        if (!tracing->isOpen()) {
            err << "mousecfgctl: " << QCoreApplication::translate("mousecfgctl", "cannot write the trace file \"%1\"")
                                          .arg(options.traceFile)
                << Qt::endl;
            return kExitUsage;
        }
        setHidBackend(tracing);
    }

    // Notes about the desktop (no pointer-speed setting in this session and the like) are for
    // the utility's log; a script reading stderr gets them only with -v or its own rules.
    if (!options.verbose && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.desktop.info=false"));

    // Defaults standing in for a file we would not read must never reach the mouse or
    // the disk: stop before anything is done.
    const KestFileResult stored = checkStoredFiles();
    if (stored.isRefused()) {
        err << "mousecfgctl: " << stored.text() << Qt::endl;
        return kExitUsage;
    }

    // Rules are settings, not mouse commands: the mouse is never opened for them.
    if (options.command == QLatin1String("rules"))
        return runRules(options, out, err);
    const int viaUtility = runThroughUtility(options, out, err);
    if (viaUtility != kNoUtilityOnBus)
        return viaUtility;
    if (options.verbose)
        err << "mousecfgctl: "
            << QCoreApplication::translate("mousecfgctl", "no utility running: talking to the mouse directly")
            << Qt::endl;
    const int status = dispatch(options, out, err);
    CloseDevices();
    hidBackend().exit();
    return status;
}
