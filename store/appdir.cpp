// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/appdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "store/configlocation.h"

namespace {

QString &overrideDir()
{
    static QString dir;
    return dir;
}

// The installation prefix of an executable in <prefix>/bin or <prefix>/lib/mousecfg,
// when that prefix holds our installed data; empty otherwise.
QString installedPrefix(const QString &exeDir)
{
    const QString clean = QDir::cleanPath(exeDir);
    QString prefix;
    if (clean.endsWith(QLatin1String("/bin")))
        prefix = QFileInfo(clean).path();
    else if (clean.endsWith(QLatin1Char('/') + QLatin1String(InstalledHelperDir)))
        prefix = clean.left(clean.size() - int(qstrlen(InstalledHelperDir)) - 1);
    else
        return QString();
    const QString marker = prefix + QLatin1Char('/') + QLatin1String(InstalledDataDir) + QLatin1Char('/') +
                           QLatin1String(InstalledMarker);
    return QFileInfo::exists(marker) ? prefix : QString();
}

// A folder with the product description beside the executable is a portable folder,
// whatever its name: it wins over an installation it may sit in.
bool portableFolder(const QString &exeDir)
{
    return QFileInfo::exists(exeDir + QStringLiteral("/DefaultProfile.bin"));
}

} // namespace

QString applicationDirFor(const QString &exeDir)
{
    if (portableFolder(exeDir))
        return exeDir;
    const QString prefix = installedPrefix(exeDir);
    if (prefix.isEmpty())
        return exeDir;
    return prefix + QLatin1Char('/') + QLatin1String(InstalledDataDir);
}

QString helperProgramPathFor(const QString &exeDir, const QString &name)
{
    const QString beside = exeDir + QLatin1Char('/') + name;
    if (portableFolder(exeDir) || QFileInfo::exists(beside))
        return beside;
    const QString prefix = installedPrefix(exeDir);
    if (prefix.isEmpty())
        return beside;
    return prefix + QLatin1Char('/') + QLatin1String(InstalledHelperDir) + QLatin1Char('/') + name;
}

QString applicationDir()
{
    const QString &dir = overrideDir();
    if (!dir.isEmpty())
        return dir;
    // The answer cannot change while the program runs, and the skin asks for every
    // picture: look once. The start reads its files on another thread before the
    // application object exists, so the kernel's word is taken where it has one (the
    // application object asks the same link).
    static const QString found = [] {
        const QFileInfo exe(QStringLiteral("/proc/self/exe"));
        if (exe.isSymLink()) {
            const QString path = exe.canonicalFilePath();
            if (!path.isEmpty())
                return applicationDirFor(QFileInfo(path).path());
        }
        return QString();
    }();
    if (!found.isEmpty())
        return found;
    return QCoreApplication::instance() ? applicationDirFor(QCoreApplication::applicationDirPath()) : QString();
}

void setApplicationDir(const QString &dir)
{
    overrideDir() = dir;
}

QString helperProgramPath(const QString &name)
{
    const QString &dir = overrideDir();
    if (!dir.isEmpty())
        return dir + QLatin1Char('/') + name;
    return helperProgramPathFor(QCoreApplication::applicationDirPath(), name);
}
