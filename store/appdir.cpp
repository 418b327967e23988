#include "store/appdir.h"

#include <QCoreApplication>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString applicationDir()
{
    const QString &dir = overrideDir();
    if (!dir.isEmpty())
        return dir;
    return QCoreApplication::applicationDirPath();
}

void setApplicationDir(const QString &dir)
{
    overrideDir() = dir;
}
