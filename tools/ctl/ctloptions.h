// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Exit statuses, the same whichever way a command goes (directly or through the running
// utility) and listed in --help and the manual page. 1, 2 and 4 are the exchange results.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;       // no mouse found, or the rule or thing named does not exist
constexpr int kExitNotConfirmed = 2; // the mouse did not confirm
constexpr int kExitBusy = 3;         // another program kept the mouse, or the utility could not take a set now
constexpr int kExitWriteFailed = 4;
constexpr int kExitNotSaved = 5;     // a file could not be written; named on stderr
constexpr int kExitUsage = 64;       // a usage error, or a stored file it would not read
constexpr int kExitRefused = 65;     // a value the product or sensor does not take

struct CtlOptions {
    QString appDir;      // empty: the executable's folder
    QString simulate;    // empty: real hardware; else receiver, cable or both
    QString traceFile;   // empty: no trace
    QString command;
    QStringList arguments;
    int slot = -1;       // --slot, 0-based; -1: the stored current slot
    bool all = false;    // apply --all
    bool help = false;
    bool version = false;
    bool json = false;
    bool noApply = false;
    bool verbose = false; // -v: say on stderr which way a command goes
};

// Parses the command line (without the program name). Options may stand anywhere; "--"
// ends them. On failure returns false and sets `error` to a message for the user.
bool parseOptions(const QStringList &arguments, CtlOptions &options, QString &error);

// The commands and options --help lists, for the help text and its checks.
QStringList commandNames();
QString usageText();
// The help of one command ("help set").
QString commandHelp(const QString &command);
