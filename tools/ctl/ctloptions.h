#pragma once

#include <QString>
#include <QStringList>

// Exit statuses beside the exchange results 1, 2 and 4.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 64;

struct CtlOptions {
    QString appDir;      // empty: the executable's folder
    QString simulate;    // empty: real hardware; else receiver, cable or both
    QString traceFile;   // empty: no trace
    QString command;
    QStringList arguments;
    bool all = false;    // apply --all
    bool help = false;
    bool verbose = false; // -v: say on stderr which way a command goes
};

// Parses the command line (without the program name). On failure returns false and sets
// `error` to a message for the user.
bool parseOptions(const QStringList &arguments, CtlOptions &options, QString &error);

QString usageText();
