// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/configlocation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QStandardPaths>

#include "store/kestsafewrite.h"

namespace {

bool portable(const QString &applicationDir, const QString &configs)
{
    if (QFile::exists(applicationDir + QLatin1Char('/') + QLatin1String(InstalledMarker)))
        return false;
    const QFileInfo folder(QFileInfo::exists(configs) ? configs : applicationDir);
    return folder.isWritable();
}

// Copies what the user does not have yet; a file the user has is never replaced.
void seed(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        const QFileInfo existing(target);
        if (existing.exists() || existing.isSymLink())
            continue;
        // Written as the user's own file (installed files are read-only), never through
        // whatever stands at the target.
        QFile file(source);
        if (file.size() > KestFileResult::MaxFileBytes || !file.open(QIODevice::ReadOnly))
            continue;
        // A file not copied leaves the program on its built-in defaults for it.
        const KestFileResult copied = KestSafeWrite::replace(target, file.readAll());
        if (!copied)
            qWarning("%s", qPrintable(copied.text()));
    }
}

} // namespace

QString userConfigFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/mousecfg");
}

QString installedConfigFolderFor(const QString &applicationDir)
{
    return applicationDir + QStringLiteral("/Configs");
}

QString configFolderFor(const QString &applicationDir)
{
    const QString configs = installedConfigFolderFor(applicationDir);
    const QString user = userConfigFolder();
    if (portable(applicationDir, configs) || user.isEmpty())
        return configs;

    static QMutex mutex;
    static QSet<QString> seeded;
    QMutexLocker lock(&mutex);
    if (!seeded.contains(user)) {
        seed(configs, user);
        seeded.insert(user);
    }
    return user;
}
