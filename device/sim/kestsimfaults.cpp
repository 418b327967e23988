// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/sim/kestsimfaults.h"

#include <algorithm>
#include <iterator>

#include <QList>

namespace {

// One fault of a spec; returns false for anything unknown.
bool parseFault(const QByteArray &text, QByteArray &name, int &count)
{
    static const QByteArray kNames[] = {"silent", "zeros", "wrong-echo", "read-error", "write-error"};
    static const QByteArray kUnplug = "unplug-after=";
    name = text.trimmed().toLower();
    count = 0;
    if (name.startsWith(kUnplug)) {
        bool ok = false;
        count = name.mid(kUnplug.size()).toInt(&ok);
        name = kUnplug;
        return ok && count > 0;
    }
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

} // namespace

bool KestSimFaults::isValidSpec(const QByteArray &spec)
{
    QByteArray name;
    int count = 0;
    for (const QByteArray &part : spec.split(',')) {
        if (!part.trimmed().isEmpty() && !parseFault(part, name, count))
            return false;
    }
    return true;
}

bool KestSimFaults::applySpec(const QByteArray &spec)
{
    if (!isValidSpec(spec))
        return false;
    QByteArray name;
    int count = 0;
    for (const QByteArray &part : spec.split(',')) {
        if (part.trimmed().isEmpty())
            continue;
        parseFault(part, name, count);
        if (name == "silent") {
            silent = true;
        } else if (name == "zeros") {
            allZeroAnswers = -1;
        } else if (name == "wrong-echo") {
            // Answer byte 1 is part of every echo and of the status signature, so the
            // battery query is refused as well.
            wrongEchoReads = -1;
            wrongEchoByte = 1;
        } else if (name == "read-error") {
            readErrors = -1;
        } else if (name == "write-error") {
            writeErrors = -1;
        } else {
            unplugAfterWrites[0] = unplugAfterWrites[1] = count;
        }
    }
    return true;
}

bool KestSimFaults::takeUnplugAfterWrite(int device)
{
    int &left = unplugAfterWrites[device];
    if (left <= 0 || --left > 0)
        return false;
    left = -1;
    return true;
}

bool KestSimFaults::take(int &count)
{
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}
