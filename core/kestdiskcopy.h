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
    // Whether it took the slots' profiles from the copy, the settings file perhaps read again.
    bool lastProfilesFromCopy() const { return m_profilesFromCopy; }

    // Reads the profile files on another thread while the program starts; the first
    // takePreload() waits for that copy and keeps it (load() then checks it against the
    // files, as any copy). Only the copy of the program that holds the single-instance lock
    // may call it: a load finishes a save a crash left half done.
    //
    // The copy is also kept on disk between runs (the "image", a cache): a start whose
    // files have not changed since the last one reads it back instead of the files' text.
    // imagePath is where (empty: nowhere); the copy takePreload() gives writes it there
    // again with saveImage() once it had to read the files.
    static void preload(const QString &imagePath = QString());
    void takePreload();

    // Reads the image at path as this copy, if it came from this very build; load() then
    // checks it against the files as any copy. False, and the copy as it was, otherwise.
    bool takeImage(const QString &path);
    // Whether the image on disk lags this copy: saveImage() has something to write.
    bool imageOutdated() const { return !m_imagePath.isEmpty() && m_record && !m_imageCurrent; }
    void saveImage();
    // Where the utility keeps its image: in the user's cache folder.
    static QString defaultImagePath();

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
    static int digestCount(const QVector<Stamp> &stamps);

    QVector<Stamp> m_stamps;
    std::optional<ConfigRecord> m_record;
    bool m_fromCopy = false;
    bool m_profilesFromCopy = false;
    QString m_imagePath;
    bool m_imageCurrent = false; // the image at m_imagePath holds m_record as it is
};
