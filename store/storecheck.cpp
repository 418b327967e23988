#include "store/storecheck.h"

#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"

namespace {

KestFileResult check(const QString &path)
{
    KestIniFile ini;
    return ini.loadSettings(path);
}

} // namespace

KestFileResult checkStoredFiles()
{
    for (const QString &path : {globalConfigPath(), languageConfigPath(), productConfigPath(),
                                productDataConfigPath(), deviceDescriptionPath()}) {
        const KestFileResult result = check(path);
        if (result.isRefused())
            return result;
    }
    ConfigRecord config;
    const KestFileResult slotFiles = loadAll(config);
    if (slotFiles.isRefused())
        return slotFiles;
    for (const ProfileRecord &profile : config.profiles) {
        for (const ButtonInfo &button : profile.BUTTON_INFO) {
            if (button.macroname.isEmpty() || !isValidStoreName(button.macroname))
                continue;
            const KestFileResult result = check(macroFilePath(button.macroname));
            if (result.isRefused())
                return result;
        }
    }
    return KestFileResult::ok(QString());
}
