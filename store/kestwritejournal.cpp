// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestwritejournal.h"

#include <cerrno>

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/kestinifile.h"
#include "store/kestsafewrite.h"

namespace {

const QString kManifest = QStringLiteral("files");
constexpr qint64 kMaxManifestBytes = 64 * 1024;

// Only plain paths below the base: a list that was tampered with must not move our
// files anywhere else.
bool plainRelative(const QString &relative)
{
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/')) || relative.contains(QChar(0)))
        return false;
    const QStringList parts = relative.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

bool moveInPlace(const QString &staged, const QString &target)
{
    if (!KestSafeWrite::check(target).isOk() || !KestSafeWrite::makeFolder(QFileInfo(target).path()).isOk())
        return false;
    return ::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData()) == 0;
}

void removeJournal(const QString &folder)
{
    QDir dir(folder);
    // The list goes first: a journal without it is incomplete, whatever else remains.
    dir.remove(kManifest);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &file : files)
        dir.remove(file);
    QDir().rmdir(folder);
}

} // namespace

KestWriteJournal::KestWriteJournal(const QString &folder, const QString &base)
    : m_folder(QDir::cleanPath(folder)), m_base(QDir::cleanPath(base))
{
}

KestWriteJournal::~KestWriteJournal()
{
    if (!m_done && !m_files.isEmpty())
        removeJournal(m_folder);
}

KestFileResult KestWriteJournal::add(const QString &path, const KestIniFile &content)
{
    if (m_failed)
        return m_failure;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString relative = clean.mid(m_base.size() + 1);
    QByteArray data;
    KestFileResult result = KestFileResult::notSaved(path, KestFileResult::WriteFailed);
    if (clean.startsWith(m_base + QLatin1Char('/')) && plainRelative(relative)) {
        result = KestSafeWrite::check(path);
        if (result.isOk())
            result = content.serialize(path, data);
    }
    if (result.isOk()) {
        if (m_files.isEmpty()) {
            // Whatever an earlier run left must be settled before a new set is staged.
            recover(m_folder, m_base);
            const KestFileResult folder = KestSafeWrite::makeFolder(m_folder);
            if (!folder.isOk())
                result = KestFileResult::notSaved(path, folder.reason());
        }
    }
    if (result.isOk()) {
        const QString staged = m_folder + QStringLiteral("/%1.new").arg(m_files.size());
        const KestFileResult written = KestSafeWrite::replace(staged, data);
        if (written.isOk())
            m_files.append({relative, staged});
        else
            result = KestFileResult::notSaved(path, written.reason());
    }
    if (!result.isOk()) {
        m_failed = true;
        m_failure = result;
    }
    return result;
}

KestFileResult KestWriteJournal::commit()
{
    m_done = true;
    if (m_failed) {
        removeJournal(m_folder);
        return m_failure;
    }
    if (m_files.isEmpty())
        return KestFileResult::saved(m_base);
    QByteArray list;
    for (int i = 0; i < m_files.size(); ++i)
        list += QByteArray::number(i) + '\t' + m_files[i].relative.toUtf8() + '\n';
    // The point of no return: from here the next start completes the set.
    const KestFileResult listed = KestSafeWrite::replace(m_folder + QLatin1Char('/') + kManifest, list);
    if (!listed.isOk()) {
        removeJournal(m_folder);
        return KestFileResult::notSaved(m_base + QLatin1Char('/') + m_files.first().relative, listed.reason());
    }
    KestFileResult result = KestFileResult::saved(m_base);
    for (const Staged &file : m_files) {
        const QString target = m_base + QLatin1Char('/') + file.relative;
        if (!moveInPlace(file.staged, target) && result.isOk())
            result = KestFileResult::notSaved(target, KestFileResult::WriteFailed);
    }
    removeJournal(m_folder);
    return result;
}

void KestWriteJournal::recover(const QString &folderPath, const QString &basePath)
{
    const QString folder = QDir::cleanPath(folderPath);
    const QString base = QDir::cleanPath(basePath);
    struct stat info;
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return;
    // Another user's journal is not ours to act on (root in someone else's folder).
    if (info.st_uid != ::geteuid())
        return;
    QFile manifest(folder + QLatin1Char('/') + kManifest);
    if (QFileInfo(manifest.fileName()).isFile() && manifest.open(QIODevice::ReadOnly)) {
        const QByteArray list = manifest.read(kMaxManifestBytes);
        manifest.close();
        for (const QByteArray &line : list.split('\n')) {
            const int tab = line.indexOf('\t');
            if (tab <= 0)
                continue;
            bool number = false;
            const int index = line.left(tab).toInt(&number);
            const QString relative = QString::fromUtf8(line.mid(tab + 1));
            if (!number || index < 0 || !plainRelative(relative))
                continue;
            const QString staged = folder + QStringLiteral("/%1.new").arg(index);
            // Already moved before the kill: nothing left to do for it.
            if (QFileInfo(staged).isFile())
                moveInPlace(staged, base + QLatin1Char('/') + relative);
        }
    }
    removeJournal(folder);
}
