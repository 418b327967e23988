// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QTextStream>

// What status prints, filled the same way whether the running utility or the mouse itself
// answered, so that a script sees one set of fields either way.
struct CtlStatus
{
    int battery = -1;      // percent; -1 unknown
    bool mouseOff = false; // the receiver answers for a mouse that is switched off
    int dpiLevel = -1;     // 0-based; -1 unknown
    int rateHz = 0;        // 0 unknown
    QString connection;    // "receiver" or "cable"
    int slot = -1;         // 0-based; -1 unknown
};

void printStatus(const CtlStatus &status, bool json, QTextStream &out);

// One JSON object on one line, as every --json answer is printed.
void printJson(const QJsonObject &object, QTextStream &out);

