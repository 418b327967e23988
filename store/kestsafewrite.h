// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "store/kestfileresult.h"

// The one way the store puts a file on disk. People start the program with sudo when the
// mouse is not theirs to open yet, so every write assumes the folder may hold traps:
//
// - a symbolic link, folder, pipe or device where the file goes is refused, never followed
//   or written into (the new file is made under a fresh name with O_EXCL and renamed over
//   the old one, which replaces a directory entry and never writes through it);
// - running as root, a folder or file that belongs to another user is not written at all:
//   root would take it over and could be led to replace any file of that user's choice;
// - a write that fails part way (a full disk) leaves the old file whole and says why.
class KestSafeWrite final
{
public:
    // Whether path may be written, without writing anything: the same checks a write makes
    // first. Creates no folder.
    static KestFileResult check(const QString &path);
    // Replaces the file with data, or leaves it as it was. Makes missing folders (only
    // where check() allows). A new file gets the usual permissions (0666 less the umask),
    // a replaced one keeps its own.
    static KestFileResult replace(const QString &path, const QByteArray &data);
    // Makes the folder and its parents, under the same rules; the reason when it could not.
    static KestFileResult makeFolder(const QString &folder);
    // How many replace() calls this process has started: what a reader caches may be out
    // of date once it changed.
    static quint64 writeCount();
};
