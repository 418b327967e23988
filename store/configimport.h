// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "store/configrecord.h"
#include "store/kestfileresult.h"

// Taking in a configuration export (".conf"): one routine for the window and mousecfgctl,
// so that both leave the same files behind. It fills the record; the caller then saves
// and writes it the usual way (the write worker saves before it sends).
struct ConfigImport
{
    enum Outcome
    {
        Imported,
        Refused,      // the file could not be used (see file); the record is untouched
        OtherProduct, // the file belongs to another product (see productTag); untouched
    };
    Outcome outcome = Refused;
    KestFileResult file;
    QString productTag;
};

// An export carries no slot names. The slots keep the profile names they had, so that
// saving writes the imported settings into those profiles; without them nothing could be
// saved and the import would be gone at the next start.
ConfigImport importConfiguration(ConfigRecord &set, const QString &path, const QString &productName);
