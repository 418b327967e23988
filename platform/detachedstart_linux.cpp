#include "platform/detachedstart.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>

namespace platform {

bool startDetached(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        qDebug() << "startDetached: not an executable file" << program;
        return false;
    }
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(info.absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        qDebug() << "startDetached: could not start" << program;
        return false;
    }
    return true;
}

} // namespace platform
