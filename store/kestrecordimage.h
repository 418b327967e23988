// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "store/configrecord.h"
#include "store/kestfilestamp.h"

// The working set as the profile files gave it, in binary, with what those files looked
// like when they were read: a start reads it back in well under a millisecond, where
// parsing the five profile files' text takes tens of milliseconds of the start's CPU.
// Whoever reads it must still check the files against it; this only carries the bytes.
//
// A digest over the whole closes it, and every field is read within the bytes there are:
// a torn, damaged or crafted file reads as no image at all, never as part of a record.
struct KestRecordImage
{
    struct File
    {
        QString path;
        bool exists = false;
        KestFileStamp stamp;
        QByteArray digest; // null where the stamp alone vouched for the file's text
    };

    // What parsed the files: another build might have read the same text otherwise.
    QByteArray build;
    QVector<File> files;
    ConfigRecord record;

    QByteArray toBytes() const;
    // False, and image untouched, for anything but bytes toBytes() gave.
    static bool fromBytes(const QByteArray &bytes, KestRecordImage &image);
};
