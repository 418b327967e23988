// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestinicache.h"

#include <atomic>

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include "store/kestfilestamp.h"

namespace {

struct Entry
{
    KestFileStamp stamp;
    KestFileResult result;
    KestIniFile ini; // indexed: copies share it and never build their own
    QByteArray bytes;
};

QMutex g_lock;
QHash<QString, Entry> g_files;
std::atomic<quint64> g_diskReads{0};

} // namespace

KestFileResult KestIniCache::load(const QString &path, KestIniFile &ini)
{
    const KestFileStamp stamp = KestFileStamp::of(path);
    if (stamp.settled) {
        QMutexLocker locker(&g_lock);
        const auto cached = g_files.constFind(path);
        if (cached != g_files.constEnd() && cached->stamp == stamp) {
            ini = cached->ini;
            return cached->result;
        }
    }
    ++g_diskReads;
    QByteArray bytes;
    KestFileResult result = KestIniFile::readBytes(path, bytes);
    if (result.isOk()) {
        result = ini.loadData(bytes, path);
    } else {
        ini.clear();
        ini.m_path = path;
    }
    noteRefusedFile(result);
    // A refusal is read (and noted) every time, as without the cache.
    if (!stamp.settled || result.isRefused() || stamp.size > MaxFileBytes)
        return result;
    ini.buildIndexes();
    QMutexLocker locker(&g_lock);
    if (g_files.size() >= MaxFiles && !g_files.contains(path))
        g_files.clear();
    g_files.insert(path, Entry{stamp, result, ini, bytes});
    return result;
}

bool KestIniCache::unchangedBy(const QString &path, const std::function<void(KestIniFile &)> &change)
{
    const KestFileStamp stamp = KestFileStamp::of(path);
    if (!stamp.settled || !stamp.exists)
        return false;
    KestIniFile ini;
    QByteArray before;
    {
        QMutexLocker locker(&g_lock);
        const auto cached = g_files.constFind(path);
        if (cached == g_files.constEnd() || cached->stamp != stamp || !cached->result.isOk())
            return false;
        ini = cached->ini;
        before = cached->bytes;
    }
    change(ini);
    QByteArray after;
    return ini.serialize(path, after).isOk() && after == before;
}

quint64 KestIniCache::diskReads()
{
    return g_diskReads.load();
}
