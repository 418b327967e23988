// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/storecheck.h"

#include <QSet>

#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/kestinicache.h"
#include "store/kestinifile.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"

namespace {

KestFileResult check(const QString &path)
{
    KestIniFile ini;
    return KestIniCache::load(path, ini);
}

} // namespace

KestFileResult checkStoredFiles()
{
    ConfigRecord loaded;
    return checkStoredFiles(loaded);
}

KestFileResult checkStoredFiles(ConfigRecord &loaded)
{
    for (const QString &path : {globalConfigPath(), languageConfigPath(), productConfigPath(),
                                productDataConfigPath(), deviceDescriptionPath()}) {
        const KestFileResult result = check(path);
        if (result.isRefused())
            return result;
    }
    const KestFileResult slotFiles = loadAll(loaded);
    if (slotFiles.isRefused())
        return slotFiles;
    // A macro bound to many buttons is one file: read it once.
    QSet<QString> checked;
    for (const ProfileRecord &profile : loaded.profiles) {
        for (const ButtonInfo &button : profile.BUTTON_INFO) {
            if (button.macroname.isEmpty() || !isValidStoreName(button.macroname) || checked.contains(button.macroname))
                continue;
            checked.insert(button.macroname);
            const KestFileResult result = check(macroFilePath(button.macroname));
            if (result.isRefused())
                return result;
        }
    }
    return KestFileResult::ok(QString());
}
