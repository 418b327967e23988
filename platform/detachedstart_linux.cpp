// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/detachedstart.h"
#include "platform/logging.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>

namespace platform {

bool startDetached(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        qCDebug(lcDesktop) << "startDetached: not an executable file" << program;
        return false;
    }
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(info.absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        qCWarning(lcDesktop) << "startDetached: could not start" << program;
        return false;
    }
    return true;
}

} // namespace platform
