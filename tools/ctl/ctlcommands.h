// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTextStream>

#include "store/configrecord.h"
#include "store/kestfileresult.h"
#include "tools/ctl/ctloptions.h"

// Each command returns the process exit status and writes its messages to out/err. Those
// given a record act on the stored set the start-up check loaded.
int runList(bool json, QTextStream &out, QTextStream &err);
int runStatus(bool json, int storedSlot, QTextStream &out, QTextStream &err);
int runApply(const ConfigRecord &record, QTextStream &out, QTextStream &err);
int runSelectSlot(const QString &slot, ConfigRecord record, QTextStream &out, QTextStream &err);
int runExportConf(const QString &path, const ConfigRecord &record, QTextStream &out, QTextStream &err);
int runImportConf(const QString &path, const ConfigRecord &stored, QTextStream &out, QTextStream &err);

// get and set of one setting (ctlsettings.cpp).
int runGet(const CtlOptions &options, ConfigRecord record, QTextStream &out, QTextStream &err);
int runSet(const CtlOptions &options, ConfigRecord record, QTextStream &out, QTextStream &err);

// Writes the record's current slot to the mouse (all of it: the mouse may have lost
// anything) and records the outcome in Config/Diff.
int writeSlotToMouse(const ConfigRecord &record, QTextStream &err);
// Saves the whole set; on failure names the file on stderr and gives the exit status.
int saveSet(const ConfigRecord &record, QTextStream &err);
int saveFailure(const QString &path, QTextStream &err);
// The same, with the reason the store gave.
int saveFailure(const KestFileResult &result, QTextStream &err);

// The simulated mouse belongs to this process: no other program can be using it.
void setSimulatedMouse(bool simulated);
bool isSimulatedMouse();
