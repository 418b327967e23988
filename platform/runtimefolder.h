// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Where this user's locks and sockets live: the single-instance lock and socket, the
// device locks, the on-screen display's socket. Another local user who could make a file
// there first could hold our locks or take our raise requests, so only a folder that is
// ours alone will do:
//
// 1. $XDG_RUNTIME_DIR, when it is a folder owned by this user with no group or other
//    permissions;
// 2. otherwise "mousecfg-<uid>" in the temporary folder, made with mode 0700 and checked
//    after the fact (a folder of that name someone else made first is not used);
// 3. otherwise nothing (empty): every caller then goes without (no lock, no socket) rather
//    than use a place others control.
QString privateRuntimeFolder();

// A folder (not a symbolic link to one) owned by this user, nobody else allowed in.
bool isPrivateFolder(const QString &path);

// Opens (creating when missing) a lock file in a private folder: never through a symbolic
// link, only a regular file of this user. The descriptor (close-on-exec), or -1.
int openPrivateLockFile(const QString &path);
