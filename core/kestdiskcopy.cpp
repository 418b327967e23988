// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kestdiskcopy.h"

#include <algorithm>
#include <future>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "store/appsettings.h"
#include "store/kestrecordimage.h"
#include "store/kestsafewrite.h"
#include "store/profilefiles.h"

namespace {
constexpr qint64 kSettledMs = 1000;
// An image is some 48 kB; one far larger was not written by us.
constexpr qint64 kMaxImageBytes = 4 * 1024 * 1024;

std::future<KestDiskCopy> &preloaded()
{
    static std::future<KestDiskCopy> copy;
    return copy;
}

// What parsed the files an image holds: this executable, neither rebuilt nor replaced
// since (either changes its stamp). Another build may read the same text otherwise.
QByteArray buildIdentity()
{
    const KestFileStamp exe = KestFileStamp::of(QStringLiteral("/proc/self/exe"));
    if (!exe.exists)
        return QByteArray();
    return QByteArray::number(quint64(exe.device)) + ' ' + QByteArray::number(quint64(exe.inode)) + ' '
           + QByteArray::number(qint64(exe.size)) + ' ' + QByteArray::number(exe.modifiedNs) + ' '
           + QByteArray::number(exe.changedNs);
}

} // namespace

int KestDiskCopy::digestCount(const QVector<Stamp> &stamps)
{
    return int(std::count_if(stamps.begin(), stamps.end(), [](const Stamp &s) { return !s.digest.isNull(); }));
}

void KestDiskCopy::preload(const QString &imagePath)
{
    std::future<KestDiskCopy> &copy = preloaded();
    if (copy.valid())
        return;
    copy = std::async(std::launch::async, [imagePath] {
        KestDiskCopy disk;
        if (!imagePath.isEmpty()) {
            disk.m_imagePath = imagePath;
            static_cast<void>(disk.takeImage(imagePath));
        }
        ConfigRecord config;
        static_cast<void>(disk.load(config));
        return disk;
    });
}

void KestDiskCopy::takePreload()
{
    std::future<KestDiskCopy> &copy = preloaded();
    if (copy.valid())
        *this = copy.get();
}

bool KestDiskCopy::takeImage(const QString &path)
{
    const QByteArray build = buildIdentity();
    QFile file(path);
    if (build.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxImageBytes)
        return false;
    KestRecordImage image;
    if (!KestRecordImage::fromBytes(file.readAll(), image) || image.build != build || image.files.isEmpty())
        return false;
    QVector<Stamp> stamps;
    stamps.reserve(image.files.size());
    for (const KestRecordImage::File &f : qAsConst(image.files))
        stamps.append(Stamp{f.path, f.exists, f.stamp, f.digest});
    m_stamps = std::move(stamps);
    m_record = std::move(image.record);
    m_imagePath = path;
    m_imageCurrent = true;
    return true;
}

void KestDiskCopy::saveImage()
{
    if (!imageOutdated())
        return;
    KestRecordImage image;
    image.build = buildIdentity();
    if (image.build.isEmpty())
        return;
    image.record = *m_record;
    for (const Stamp &s : qAsConst(m_stamps))
        image.files.append({s.path, s.exists, s.file, s.digest});
    // Only a cache: without it the next start reads the files' text, as any first start.
    KestFileResult saved = KestSafeWrite::makeFolder(QFileInfo(m_imagePath).path());
    if (saved.isOk())
        saved = KestSafeWrite::replace(m_imagePath, image.toBytes());
    if (saved.isOk())
        m_imageCurrent = true;
    else
        qInfo("%s", qPrintable(saved.text()));
}

QString KestDiskCopy::defaultImagePath()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/mousecfg/profiles.image");
}

bool KestDiskCopy::Stamp::operator==(const Stamp &o) const
{
    if (path != o.path || exists != o.exists)
        return false;
    // Missing then and now (the journal of a save, nearly always): nothing to tell apart.
    if (!exists)
        return true;
    if (!digest.isNull() && !o.digest.isNull())
        return digest == o.digest;
    // A file known by its stamp alone: the same, untouched since a settled stamp.
    return file.known && file.settled && o.file.known && o.file.settled && file == o.file;
}

QStringList KestDiskCopy::pathsFor(const std::array<QString, SLOT_COUNT> &names)
{
    QStringList paths{globalConfigPath()};
    for (const QString &name : names) {
        if (isValidStoreName(name))
            paths.append(profileFilePath(name));
    }
    return paths;
}

QString KestDiskCopy::journalPath()
{
    // A save killed half way leaves its files here for the next load to finish.
    return configFolder() + QStringLiteral("/.journal");
}

QVector<KestDiskCopy::Stamp> KestDiskCopy::stampsFor(const std::array<QString, SLOT_COUNT> &names,
                                                     const QVector<Stamp> *like)
{
    // The settings file's whole text, not only its stamp: it is written again as a mouse
    // comes, a moment before the reload, mostly with what it held. A profile file (a
    // quarter of a megabyte each) is read only while its stamp cannot vouch for it: a
    // stamp tells nothing of a change within the last tick.
    const QStringList paths = pathsFor(names);
    QVector<Stamp> stamps;
    stamps.reserve(paths.size() + 1);
    for (const QString &path : qAsConst(paths)) {
        Stamp stamp;
        stamp.path = path;
        stamp.file = KestFileStamp::of(path);
        // Read after all where the stamp compared with was read and cannot vouch for the
        // file now: its text is what tells then.
        const Stamp *was = like && stamps.size() < like->size() ? &like->at(stamps.size()) : nullptr;
        const bool readLike = was && !was->digest.isNull()
                              && !(was->file.known && was->file.settled && stamp.file.known && stamp.file == was->file);
        if (!stamps.isEmpty() && stamp.file.known && stamp.file.settled && !readLike) {
            stamp.exists = stamp.file.exists;
            stamps.append(stamp);
            continue;
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            stamp.exists = true;
            // Larger than any file the reader takes: such a file is read (and refused) again.
            // Only a digest is kept: the files' text would stay resident for the whole run.
            stamp.digest = QCryptographicHash::hash(file.read(KestFileResult::MaxFileBytes + 1),
                                                    QCryptographicHash::Sha1);
        }
        stamps.append(stamp);
    }
    Stamp journal;
    journal.path = journalPath();
    journal.exists = QFile::exists(journal.path);
    stamps.append(journal);
    return stamps;
}

KestFileResult KestDiskCopy::load(ConfigRecord &config)
{
    m_fromCopy = m_profilesFromCopy = false;
    if (m_record) {
        // Stamped as the kept ones were: a profile file settled then and the same now is
        // not read again.
        QVector<Stamp> now = stampsFor(m_record->names, &m_stamps);
        if (now == m_stamps) {
            m_fromCopy = m_profilesFromCopy = true;
            // Files read for want of a settled stamp that have one now: the next start
            // need not read them either.
            if (digestCount(now) < digestCount(m_stamps))
                m_imageCurrent = false;
            // The same files take the stamps of now, which a later check may then trust.
            m_stamps = std::move(now);
            config = *m_record;
            return KestFileResult::ok(globalConfigPath());
        }
        // Some files changed (a slot switch writes the settings file, a level the mouse
        // reports its slot's profile; a mouse plugged in then reloads): only those are read
        // again, while the settings file names the same profiles and no save is half done.
        // A refusal among them reads the whole set, which notes it.
        if (now.size() == m_stamps.size() && now.size() > 1 && now.constLast() == m_stamps.constLast()) {
            ConfigRecord fresh = *m_record;
            KestFileResult result = now.constFirst() == m_stamps.constFirst() ? KestFileResult::ok(globalConfigPath())
                                                                              : loadOptionsAndNames(fresh);
            bool profilesRead = false;
            if (!result.isRefused() && fresh.names == m_record->names) {
                for (int k = 0, at = 1; k < SLOT_COUNT && !result.isRefused(); ++k) {
                    if (!isValidStoreName(fresh.names[size_t(k)]))
                        continue;
                    if (!(now.at(at) == m_stamps.at(at))) {
                        profilesRead = true;
                        const KestFileResult read = loadProfile(k, fresh.profiles[size_t(k)],
                                                                profileFilePath(fresh.names[size_t(k)]));
                        if (read.isRefused())
                            result = read;
                    }
                    ++at;
                }
                if (!result.isRefused()) {
                    m_profilesFromCopy = !profilesRead;
                    m_imageCurrent = false;
                    m_stamps = std::move(now);
                    m_record = fresh;
                    config = std::move(fresh);
                    return result;
                }
            }
        }
    }
    m_record.reset();
    m_imageCurrent = false;
    // Read before parsing: a file written meanwhile differs from its copy next time.
    const qint64 startedMs = QDateTime::currentMSecsSinceEpoch();
    const std::array<QString, SLOT_COUNT> names = config.names;
    const QVector<Stamp> before = stampsFor(names);
    const KestFileResult result = loadAll(config);
    if (result.isRefused())
        return result;
    if (config.names == names) {
        m_stamps = before;
        m_record = config;
        return result;
    }
    // Other names (the first load): the settings file that named them must be the one read
    // before, and their profile files, read only now, must not have been written since a
    // second before the load began (file times move in ticks of milliseconds).
    const QVector<Stamp> after = stampsFor(config.names);
    const bool settled = std::all_of(config.names.begin(), config.names.end(), [startedMs](const QString &name) {
        return !isValidStoreName(name)
            || QFileInfo(profileFilePath(name)).lastModified().toMSecsSinceEpoch() < startedMs - kSettledMs;
    });
    if (after.constFirst() == before.constFirst() && settled) {
        m_stamps = after;
        m_record = config;
    }
    return result;
}
