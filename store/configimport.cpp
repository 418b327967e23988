// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/configimport.h"

#include "store/kestinifile.h"
#include "store/profilefiles.h"

ConfigImport importConfiguration(ConfigRecord &set, const QString &path, const QString &productName)
{
    ConfigImport result;
    // Read once: what is checked is what is imported.
    KestIniFile ini;
    result.file = openChosenFile(ini, path);
    if (!result.file.isOk()) {
        result.outcome = ConfigImport::Refused;
        return result;
    }
    result.productTag = readProductTag(ini);
    if (result.productTag != productName) {
        result.outcome = ConfigImport::OtherProduct;
        return result;
    }
    const auto names = set.names;
    importConfig(set, ini);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        if (!isValidStoreName(set.names[k]))
            set.names[k] = names[k];
        set.profiles[k].ProfileName = set.names[k];
    }
    result.outcome = ConfigImport::Imported;
    return result;
}
