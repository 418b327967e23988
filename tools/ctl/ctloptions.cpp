// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/ctloptions.h"

#include <QCoreApplication>

#include "store/configrecord.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

const QStringList kCommands = {QStringLiteral("list"),        QStringLiteral("status"),      QStringLiteral("get"),
                               QStringLiteral("set"),         QStringLiteral("apply"),       QStringLiteral("select-slot"),
                               QStringLiteral("export-conf"), QStringLiteral("import-conf"), QStringLiteral("rules"),
                               QStringLiteral("help")};

// Fewest and most words each command takes after its name.
void argumentCounts(const QString &command, int *fewest, int *most)
{
    *fewest = 0;
    *most = 0;
    if (command == QLatin1String("select-slot") || command == QLatin1String("export-conf")
        || command == QLatin1String("import-conf"))
        *fewest = *most = 1;
    else if (command == QLatin1String("rules"))
        *fewest = 1, *most = 3; // the rules command checks its own forms
    else if (command == QLatin1String("get"))
        *most = 2;
    else if (command == QLatin1String("set"))
        *fewest = 2, *most = 1000;
    else if (command == QLatin1String("help"))
        *most = 1;
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

bool isOption(const QString &arg)
{
    // A lone "-" is a value (the minus key), as are words after "--".
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

} // namespace

bool parseOptions(const QStringList &arguments, CtlOptions &options, QString &error)
{
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (optionsEnded || !isOption(arg)) {
            if (options.command.isEmpty()) {
                if (!kCommands.contains(arg))
                    return error = tr("unknown command \"%1\"").arg(arg), false;
                options.command = arg;
            } else {
                options.arguments.append(arg);
            }
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--version")) {
            options.version = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--no-apply")) {
            options.noApply = true;
        } else if (arg == QLatin1String("--all")) {
            options.all = true;
        } else if (arg == QLatin1String("--slot") || arg.startsWith(QLatin1String("--slot="))) {
            QString value;
            if (!takeValue(arguments, i, QStringLiteral("--slot"), value, error))
                return false;
            bool ok = false;
            options.slot = value.toInt(&ok) - 1;
            if (!ok || options.slot < 0 || options.slot >= SLOT_COUNT)
                return error = tr("--slot takes a slot from 1 to 5, not \"%1\"").arg(value), false;
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
        } else {
            return error = tr("unknown option \"%1\"").arg(arg), false;
        }
    }
    if (options.help || options.version)
        return true;
    if (options.command.isEmpty())
        return error = tr("no command given"), false;
    int fewest = 0;
    int most = 0;
    argumentCounts(options.command, &fewest, &most);
    if (options.arguments.size() < fewest)
        return error = tr("%1 needs more arguments").arg(options.command), false;
    if (options.arguments.size() > most)
        return error = tr("unexpected argument \"%1\" after %2").arg(options.arguments[most], options.command), false;
    if (options.all && options.command != QLatin1String("apply"))
        return error = tr("--all belongs to apply"), false;
    if (options.noApply && options.command != QLatin1String("set"))
        return error = tr("--no-apply belongs to set"), false;
    if (options.json && options.command != QLatin1String("status") && options.command != QLatin1String("list")
        && options.command != QLatin1String("get") && options.command != QLatin1String("rules"))
        return error = tr("--json is for status, list, get and rules list"), false;
    return true;
}

QStringList commandNames() { return kCommands; }

QString commandHelp(const QString &command)
{
    if (command == QLatin1String("get") || command == QLatin1String("set"))
        return tr("get [NAME [LEVEL|BUTTON]]\n"
                  "set [--no-apply] NAME [LEVEL|BUTTON] VALUE...\n"
                  "\n"
                  "Settings of the slot (--slot N, default the current one); get with no name\n"
                  "prints them all, one \"NAME [INDEX] VALUE\" line each, as set takes them back:\n"
                  "  dpi-levels               levels this mouse has (read only)\n"
                  "  dpi-level N              the active level, 1..dpi-levels\n"
                  "  dpi LEVEL DPI|XxY        resolution of a level, snapped to the sensor's step\n"
                  "  dpi-enabled LEVEL on|off\n"
                  "  dpi-linked LEVEL on|off  X and Y as one value (sensors that take them apart)\n"
                  "  rate 125|250|500|1000    report rate in Hz\n"
                  "  effect NAME              off, full, 7-color, breathing, 7-color-breathing,\n"
                  "                           rainbow, wave, single-wave, yo-yo, 7-color-tail,\n"
                  "                           reactive, tri-color\n"
                  "  color RRGGBB, brightness 1..3, speed 1..5\n"
                  "                           of the active effect, where it has them\n"
                  "  sleep MINUTES, move-off on|off\n"
                  "                           lighting sleep, where the mouse offers it\n"
                  "  button N|wheel-up|wheel-down FUNCTION\n"
                  "                           left, right, middle, forward, back, off, cut, copy,\n"
                  "                           paste, ..., dpi-up, volume-up, ... (see the manual);\n"
                  "                           key KEY; combo ctrl+alt+KEY; fire left|right|middle|KEY\n"
                  "                           SHOTS DELAY; macro NAME COUNT|held|toggle\n"
                  "  scroll-speed 1..20, pointer-speed 1..20\n"
                  "  angle-snapping on|off, lift 1|2, sync on|off, jitter on|off, key-response 1..255\n"
                  "                           sensor options, shared by all slots\n"
                  "set saves the slot and writes it to the mouse when it is the current slot;\n"
                  "--no-apply only saves. While the utility runs both go through it and its\n"
                  "window shows the change; set refuses (exit 3) while the window holds changes\n"
                  "it would overwrite, save or send, or waits in a dialog.\n");
    if (command == QLatin1String("rules"))
        return tr("rules list | add PROGRAM SLOT | remove PROGRAM | default SLOT|none\n"
                  "\n"
                  "Profiles by program (slots 1..5; through the running utility when there is one,\n"
                  "else in the settings file):\n"
                  "  rules list         one \"PROGRAM<tab>SLOT\" line per rule, then \"default: SLOT\"\n"
                  "                     or \"default: none\"\n"
                  "  rules add PROGRAM SLOT\n"
                  "                     while PROGRAM (window class or executable name, any case)\n"
                  "                     has the focus, the mouse uses slot SLOT\n"
                  "  rules remove PROGRAM\n"
                  "  rules default SLOT|none\n"
                  "                     the slot for every other program, or none to leave it\n");
    return QString();
}

QString usageText()
{
    return tr("Usage: mousecfgctl [OPTION]... COMMAND [ARGUMENT]...\n"
              "\n"
              "Reads and changes the mouse's settings with the same device link and files as\n"
              "the utility. Slots count 1 to 5 and DPI levels from 1, as the window shows them.\n"
              "\n"
              "Commands:\n"
              "  list               devices and interfaces found: vendor:product, interface,\n"
              "                     usage page/usage, release, path\n"
              "  status             one battery and status query: battery percent, active DPI\n"
              "                     level, report rate, connection, slot\n"
              "  get [NAME [INDEX]] a setting of the slot, or all of them\n"
              "  set NAME [INDEX] VALUE...\n"
              "                     change a setting, save it and write it to the mouse\n"
              "  apply [--all]      write the stored current slot to the mouse, as Apply does\n"
              "                     (--all: send everything; every write does today)\n"
              "  select-slot N      make slot N (1..5) the mouse's and the utility's current slot\n"
              "  export-conf FILE   write the stored profile set to a .conf file\n"
              "  import-conf FILE   read a .conf file of this product, save it and write it to\n"
              "                     the mouse\n"
              "  rules ...          profiles by program: list, add, remove, default\n"
              "  help [COMMAND]     this text, or more about get, set or rules\n"
              "\n"
              "Options (anywhere on the line):\n"
              "  --slot N           the slot get and set work on (default: the current slot)\n"
              "  --json             one JSON object for status, list, get and rules list\n"
              "  --no-apply         set only saves; the mouse gets it at the next apply\n"
              "  --app-dir DIR      the application folder (default: this program's folder)\n"
              "  --simulate[=WHICH] use the simulated mouse instead of the hardware; WHICH is\n"
              "                     receiver, cable or both (default both)\n"
              "  --trace FILE       append every report written to the command interface as\n"
              "                     \"W \" plus its 33 bytes in hex (report ID first), and every\n"
              "                     read that returned data as \"R \" plus the bytes read\n"
              "  -v, --verbose      say on stderr which way a command goes\n"
              "  -h, --help         this text\n"
              "  --version          the version\n"
              "\n"
              "While the utility runs, status, select-slot, apply, get, set and rules go\n"
              "through its session-bus interface, so the two never share the mouse or the\n"
              "files, and its window shows what set changed.\n"
              "\n"
              "Exit status:\n"
              "  0   success\n"
              "  1   no mouse found, or the rule named does not exist\n"
              "  2   the mouse did not confirm\n"
              "  3   busy: another program kept the mouse for 4 s, or the running utility\n"
              "      cannot take a set now (unapplied changes in its window, a dialog, a write)\n"
              "  4   writing to the mouse failed\n"
              "  5   not saved: a file could not be written (named on stderr)\n"
              "  64  usage error, or a stored file it would not read (named on stderr)\n"
              "  65  a value this mouse or its sensor does not take\n"
              "\n"
              "Environment: MOUSECFG_SIMULATE=receiver|cable|both uses the simulated mouse;\n"
              "MOUSECFG_SIMULATE_FAULT=silent|zeros|wrong-echo|read-error|write-error|\n"
              "unplug-after=N makes it misbehave; QT_LOGGING_RULES=\"mousecfg.*.debug=true\" prints\n"
              "the diagnostics.\n");
}
