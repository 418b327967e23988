// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QString>

#include "store/kestfileresult.h"
#include "store/kestinifile.h"

// Small files that many readers read each on their own account: the settings files (the
// settings file alone about fifteen times in one command), the device description and
// the macros. Each is parsed again only when its stamp (KestFileStamp) says it may have
// changed, whoever changed it; a file changed moments ago is read every time until its
// stamp settles. Files refused or larger than the cache takes are read every time.
class KestIniCache final
{
public:
    // The file as ini.loadSettings(path) reads it.
    static KestFileResult load(const QString &path, KestIniFile &ini);
    // Whether change would leave the file as it is, byte for byte, told from what was
    // read before and a look at the file's stamp; false whenever that cannot be told.
    static bool unchangedBy(const QString &path, const std::function<void(KestIniFile &)> &change);
    // How many times load() read a file from disk in this process.
    static quint64 diskReads();

    // Beyond these a file is not kept: a profile file is four times the size.
    static constexpr qint64 MaxFileBytes = 64 * 1024;
    static constexpr int MaxFiles = 32;
};
