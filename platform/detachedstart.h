// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Starts a helper program that outlives this process (the on-screen display, the
// firmware updater). Unlike a plain fire-and-forget start, a program that cannot be
// executed is reported, so callers never treat a failed hand-off as done.

#include <QString>
#include <QStringList>

namespace platform {

// Starts program with arguments, detached, working directory = the program's folder.
// False when the file is missing, not executable, or could not be started.
bool startDetached(const QString &program, const QStringList &arguments = {});

} // namespace platform
