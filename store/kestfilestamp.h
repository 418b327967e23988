// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/types.h>

#include <QString>

// Which file a path names now, and which version of it: what tells, without reading it,
// that a file read before is still the one read. Any write changes the change time (no
// program can set it back), a save by rename changes the identity too.
//
// A stamp alone cannot tell two writes apart that fall into one tick of the file system's
// clock (a few milliseconds; a second or two on old file systems). So a stamp is only
// settled once its file was last changed well before the stamp was taken: any later
// change then falls into a later tick and shows.
struct KestFileStamp
{
    bool known = false; // false: the file could not be looked at (not just missing)
    bool exists = false;
    bool settled = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    static KestFileStamp of(const QString &path);
    // Same file, same version (settled or not).
    bool operator==(const KestFileStamp &o) const;
    bool operator!=(const KestFileStamp &o) const { return !(*this == o); }
};
