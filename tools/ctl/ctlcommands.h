#pragma once

#include <QTextStream>

#include "tools/ctl/ctloptions.h"

// Each command returns the process exit status and writes its messages to out/err.
int runList(QTextStream &out, QTextStream &err);
int runStatus(QTextStream &out, QTextStream &err);
int runApply(bool all, QTextStream &out, QTextStream &err);
int runSelectSlot(const QString &slot, QTextStream &out, QTextStream &err);
int runExportConf(const QString &path, QTextStream &out, QTextStream &err);
int runImportConf(const QString &path, QTextStream &out, QTextStream &err);
