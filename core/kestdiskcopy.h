// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include "store/configrecord.h"
#include "store/kestfileresult.h"
#include "store/kestfilestamp.h"

// The working set as the profile files last gave it, with what those files looked like
// then. Reading them again while none has changed gives the same record, and a mouse
// plugged in asks for exactly that while the user waits: the copy answers it instead.
class KestDiskCopy final
{
public:
    // `config` from the files (as loadAll), or from the copy when none of the files the
    // copy came from has changed since. A set with a refused file is not copied: it is
    // read again next time, and the refusal noted again.
    KestFileResult load(ConfigRecord &config);
    void forget() { m_record.reset(); }
    // Whether the last load() answered from the copy, the files unread.
    bool lastFromCopy() const { return m_fromCopy; }

    // Reads the profile files on another thread while the program starts; the first
    // takePreload() waits for that copy and keeps it (load() then checks it against the
    // files, as any copy). Only the copy of the program that holds the single-instance lock
    // may call it: a load finishes a save a crash left half done.
    static void preload();
    void takePreload();

private:
    struct Stamp
    {
        QString path;
        bool exists = false;
        KestFileStamp file; // taken before the digest
        QByteArray digest;  // of the file's text
        bool operator==(const Stamp &o) const;
    };
    static QVector<Stamp> stampsFor(const std::array<QString, SLOT_COUNT> &names,
                                    const QVector<Stamp> *like = nullptr);
    static QStringList pathsFor(const std::array<QString, SLOT_COUNT> &names);
    static QString journalPath();
    static bool stillCurrent(QVector<Stamp> &kept, const std::array<QString, SLOT_COUNT> &names);

    QVector<Stamp> m_stamps;
    std::optional<ConfigRecord> m_record;
    bool m_fromCopy = false;
};
