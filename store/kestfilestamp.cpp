// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestfilestamp.h"

#include <cerrno>
#include <sys/stat.h>
#include <time.h>

#include <QFile>

namespace {

constexpr qint64 kSecondNs = 1000000000;
// Several ticks of the kernel's coarse clock, which file times come from (10 ms at the
// slowest tick rate).
constexpr qint64 kFineMarginNs = 50 * 1000000LL;
// File systems that keep whole seconds (or two) give times without a fraction.
constexpr qint64 kCoarseMarginNs = 3 * kSecondNs;

qint64 nanoseconds(const timespec &t) { return qint64(t.tv_sec) * kSecondNs + t.tv_nsec; }

} // namespace

KestFileStamp KestFileStamp::of(const QString &path)
{
    // The clock is read before the file is looked at: a change after this moment cannot
    // carry a time more than a tick older.
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    KestFileStamp stamp;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        // A missing file settles at once: making it gives it an identity.
        stamp.known = stamp.settled = errno == ENOENT;
        return stamp;
    }
    stamp.known = stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    const bool wholeSeconds = stamp.modifiedNs % kSecondNs == 0 && stamp.changedNs % kSecondNs == 0;
    const qint64 last = qMax(stamp.modifiedNs, stamp.changedNs);
    // A time ahead of the clock (another machine's, on a network file system) never settles.
    stamp.settled = last < nanoseconds(now) - (wholeSeconds ? kCoarseMarginNs : kFineMarginNs);
    return stamp;
}

bool KestFileStamp::operator==(const KestFileStamp &o) const
{
    return known == o.known && exists == o.exists && device == o.device && inode == o.inode && size == o.size
           && modifiedNs == o.modifiedNs && changedNs == o.changedNs;
}
