// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "store/kestfileresult.h"

class KestIniFile;

// Replaces several files as one: the five slot files and Config.ini of a configuration
// import (or any save of the whole set) are either all new or all old, even when the
// program is killed half way. New contents go to a journal folder first; a list of the
// files, written last and atomically, marks the set complete; then each file is moved into
// place. Whatever finds the folder at the next start finishes a complete set and throws an
// incomplete one away (recover()).
class KestWriteJournal final
{
public:
    // Journal in `folder` (created on first add); paths are kept relative to `base`, and
    // only files under it are accepted.
    KestWriteJournal(const QString &folder, const QString &base);
    ~KestWriteJournal();
    KestWriteJournal(const KestWriteJournal &) = delete;
    KestWriteJournal &operator=(const KestWriteJournal &) = delete;

    // Stages the new content of a file; nothing visible changes yet. The first failure
    // (the file could not be written, the content is over the reader's limits) is kept
    // and makes commit() write nothing.
    KestFileResult add(const QString &path, const KestIniFile &content);
    // Puts every staged file in place, or none when anything failed while staging.
    KestFileResult commit();

    // Finishes or throws away what a killed save left in `folder`. Safe to call at any
    // time no save of this process is running; does nothing when there is no journal.
    static void recover(const QString &folder, const QString &base);

private:
    struct Staged
    {
        QString relative;
        QString staged;
    };

    QString m_folder;
    QString m_base;
    QVector<Staged> m_files;
    KestFileResult m_failure;
    bool m_failed = false;
    bool m_done = false;
};
