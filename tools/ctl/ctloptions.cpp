#include "tools/ctl/ctloptions.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

const QStringList kCommands = {QStringLiteral("list"), QStringLiteral("status"), QStringLiteral("apply"),
                               QStringLiteral("select-slot"), QStringLiteral("export-conf"),
                               QStringLiteral("import-conf"), QStringLiteral("rules")};

// Arguments each command takes after its name.
int argumentCount(const QString &command)
{
    if (command == QLatin1String("select-slot") || command == QLatin1String("export-conf")
        || command == QLatin1String("import-conf"))
        return 1;
    if (command == QLatin1String("rules"))
        return 3; // at most; the rules command checks its own
    return 0;
}

bool takeValue(const QStringList &arguments, int &i, const QString &option, QString &value, QString &error)
{
    const QString &arg = arguments[i];
    if (arg.startsWith(option + QLatin1Char('='))) {
        value = arg.mid(option.size() + 1);
    } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
    } else {
        error = tr("%1 needs a value").arg(option);
        return false;
    }
    if (value.isEmpty()) {
        error = tr("%1 needs a value").arg(option);
        return false;
    }
    return true;
}

} // namespace

bool parseOptions(const QStringList &arguments, CtlOptions &options, QString &error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (!options.command.isEmpty()) {
            if (options.command == QLatin1String("apply") && arg == QLatin1String("--all"))
                options.all = true;
            else if (arg.startsWith(QLatin1String("--")) || options.arguments.size() >= argumentCount(options.command))
                return error = tr("unexpected argument \"%1\" after %2").arg(arg, options.command), false;
            else
                options.arguments.append(arg);
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (arg == QLatin1String("--app-dir") || arg.startsWith(QLatin1String("--app-dir="))) {
            if (!takeValue(arguments, i, QStringLiteral("--app-dir"), options.appDir, error))
                return false;
        } else if (arg == QLatin1String("--trace") || arg.startsWith(QLatin1String("--trace="))) {
            if (!takeValue(arguments, i, QStringLiteral("--trace"), options.traceFile, error))
                return false;
        } else if (arg == QLatin1String("--simulate")) {
            options.simulate = QStringLiteral("both");
        } else if (arg.startsWith(QLatin1String("--simulate="))) {
            options.simulate = arg.mid(int(qstrlen("--simulate=")));
            if (options.simulate != QLatin1String("receiver") && options.simulate != QLatin1String("cable")
                && options.simulate != QLatin1String("both"))
                return error = tr("--simulate takes receiver, cable or both, not \"%1\"").arg(options.simulate), false;
        } else if (kCommands.contains(arg)) {
            options.command = arg;
        } else {
            return error = tr("unknown option or command \"%1\"").arg(arg), false;
        }
    }
    if (options.help)
        return true;
    if (options.command.isEmpty())
        return error = tr("no command given"), false;
    if (options.command != QLatin1String("rules") && options.arguments.size() < argumentCount(options.command))
        return error = tr("%1 needs an argument").arg(options.command), false;
    return true;
}

QString usageText()
{
    return tr("Usage: mousecfgctl [--app-dir DIR] [--simulate[=receiver|cable|both]] [--trace FILE] COMMAND\n"
              "\n"
              "Talks to the mouse through the same device link and settings as the utility.\n"
              "\n"
              "Commands:\n"
              "  list               devices and interfaces found: vendor:product, interface,\n"
              "                     usage page/usage, release, path\n"
              "  status             one battery and status query: battery percent, active DPI\n"
              "                     level, report rate\n"
              "  apply [--all]      load the stored profile set as the utility does at start-up\n"
              "                     and write its current slot to the mouse, as Apply does\n"
              "                     (--all: send everything even when the last write succeeded;\n"
              "                     every write sends everything today)\n"
              "  select-slot N      the profile-menu commands for slot N (0..4)\n"
              "  export-conf FILE   write the stored profile set to a .conf file\n"
              "  import-conf FILE   read a .conf file of this product, save it and write it to\n"
              "                     the mouse\n"
              "\n"
              "Options:\n"
              "  --app-dir DIR      the application folder (default: this program's folder)\n"
              "  --simulate[=WHICH] use the simulated mouse instead of the hardware; WHICH is\n"
              "                     receiver, cable or both (default both)\n"
              "  --trace FILE       append every report written to the command interface as\n"
              "                     \"W \" plus its 33 bytes in hex (report ID first), and every\n"
              "                     read that returned data as \"R \" plus the bytes read\n"
              "  --help             this text\n"
              "\n"
              "Exit status: 0 on success; 1 no mouse found, 2 the mouse did not confirm (or\n"
              "another program kept it busy for 4 s), 4 writing failed; 64 for a usage error\n"
              "or an unusable file.\n"
              "With --simulate, MOUSECFG_SIMULATE_FAULT=silent|zeros|wrong-echo|read-error|\n"
              "write-error|unplug-after=N makes the simulated mouse misbehave.\n"
              "Debug output of the link: QT_LOGGING_RULES=\"mousecfg.*.debug=true\".\n")
           + tr("\n"
                "While the utility runs, status, select-slot and apply go through its session-bus\n"
                "interface, so the two never share the mouse; -v (--verbose) says on stderr which\n"
                "way a command goes.\n")
           + tr("\n"
                "Profiles by program (slots 0..4; through the running utility when there is one,\n"
                "else in the settings file):\n"
                "  rules list         one \"PROGRAM<tab>SLOT\" line per rule, then \"default: SLOT\"\n"
                "                     or \"default: none\"\n"
                "  rules add PROGRAM SLOT\n"
                "                     while PROGRAM (window class or executable name, any case)\n"
                "                     has the focus, the mouse uses slot SLOT\n"
                "  rules remove PROGRAM\n"
                "  rules default SLOT|none\n"
                "                     the slot for every other program, or none to leave it\n");
}
