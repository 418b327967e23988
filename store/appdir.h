#pragma once

#include <QString>

// The folder that holds the executable, "DefaultProfile.bin", "Configs/", "skin/" and
// "lang/". Defaults to the executable's folder; tests point it at a temporary folder.
QString applicationDir();
void setApplicationDir(const QString &dir);
