// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The set-up the desktop tests share. Whatever the utility keeps outside its application
// folder (temporary files, the runtime folder with its locks and sockets, the user's
// configuration with the autostart entry) lands in the test's own temporary folder, never
// in the developer's, and the link runs with the window tests' short pauses.

#include <memory>

#include <QTemporaryDir>

#include "store/appdir.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"

// False when the temporary folder could not be made.
inline bool useTemporaryDesktop(const QTemporaryDir &tmp)
{
    if (!tmp.isValid())
        return false;
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", tmp.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", tmp.filePath(QStringLiteral("config")).toLocal8Bit());
    useFastLinkForWindowTests();
    return true;
}

// A fresh application folder with an installed product's files, made the utility's: each
// test case starts from what an installation brings.
inline std::unique_ptr<QTemporaryDir> makeApplicationDir(const QTemporaryDir &tmp)
{
    auto app = std::make_unique<QTemporaryDir>(tmp.path() + QStringLiteral("/app-XXXXXX"));
    setApplicationDir(app->path());
    writeProductFiles(app->path());
    return app;
}
