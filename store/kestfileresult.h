// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// What became of reading or writing one file. A refused file was not used at all: whoever
// asked keeps what it had, tells the user, and never writes over it. A file not saved still
// holds what it held before (every write replaces the file whole, or not at all); whoever
// asked keeps the edits and says which file it could not save, and why.
class [[nodiscard]] KestFileResult
{
    Q_DECLARE_TR_FUNCTIONS(KestFileResult)

public:
    enum Status
    {
        Ok,
        Missing, // no such file; settings readers take their defaults
        Refused,
        NotSaved,
    };
    enum Reason
    {
        NoReason,
        NotFound,      // a file the user chose is not there
        Unreadable,    // no permission, a folder, a device, a read error
        TooLarge,      // above MaxFileBytes; not read at all
        NotText,       // holds NUL bytes: no settings file of ours does
        TooManyEntries, // more keys or sections than any file of ours could hold
        // Reasons a write did not happen:
        NotRegularFile, // a symbolic link, folder, pipe or device stands where the file goes
        OtherOwner,     // we run as root and the folder or file belongs to another user
        NoSpace,        // the disk or the user's quota is full
        WriteFailed,    // the folder could not be made, no permission, an I/O error
        OverLimit,      // the result would be more than our own reader accepts
        InvalidName     // a name that cannot become a file name of ours
    };

    // Far above the largest real file (a configuration export with five full slots is
    // about 1.5 MB), far below what would hurt to hold in memory.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    KestFileResult() = default;
    static KestFileResult ok(const QString &path) { return KestFileResult(path, Ok, NoReason); }
    static KestFileResult missing(const QString &path) { return KestFileResult(path, Missing, NoReason); }
    static KestFileResult refused(const QString &path, Reason reason)
    {
        return KestFileResult(path, Refused, reason);
    }
    static KestFileResult saved(const QString &path) { return ok(path); }
    static KestFileResult notSaved(const QString &path, Reason reason)
    {
        return KestFileResult(path, NotSaved, reason);
    }
    // The first of two results that did not go well, else a (the first to report).
    static KestFileResult firstFailure(const KestFileResult &a, const KestFileResult &b)
    {
        return !a.isOk() && !a.isMissing() ? a : (!b.isOk() && !b.isMissing() ? b : a);
    }

    bool isOk() const { return m_status == Ok; }
    bool isMissing() const { return m_status == Missing; }
    bool isRefused() const { return m_status == Refused; }
    bool isNotSaved() const { return m_status == NotSaved; }
    // Loaded, or missing where a missing file means "no keys".
    bool isUsable() const { return m_status == Ok || m_status == Missing; }
    explicit operator bool() const { return isOk(); }

    Status status() const { return m_status; }
    Reason reason() const { return m_reason; }
    QString path() const { return m_path; }

    // Why, as a phrase: "it is larger than 16 MB".
    QString reasonText() const;
    // One sentence naming the file and why, for a message box or a line on stderr: "was
    // not used" for a refused file, "was not saved" for a failed write.
    QString text() const;

private:
    KestFileResult(const QString &path, Status status, Reason reason)
        : m_path(path), m_status(status), m_reason(reason)
    {
    }

    QString m_path;
    Status m_status = Ok;
    Reason m_reason = NoReason;
};

// Files the store refused while reading on its own account (settings, slots, macros,
// the device description): each is kept once until taken. The window shows them, the
// command-line tool stops on them.
void noteRefusedFile(const KestFileResult &result);
QVector<KestFileResult> takeRefusedFiles();
