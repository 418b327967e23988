// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "store/configrecord.h"
#include "store/kestfileresult.h"

class KestIniFile;

// Profile files (".prof", group "PROFILE") and the whole-configuration export (".conf",
// groups "PROFILE_0".."PROFILE_4"). Slots, library and template share one folder:
// the configuration folder + "/" + product name + "/Profile" (without a product name,
// the configuration folder + "/Profile").

QString profileFolder();
QString profileFilePath(const QString &name); // profileFolder() + "/" + name + ".prof"
QString templatePath();                       // profileFolder() + "/DefaultProfile.prof"

// A profile or macro name becomes a file name: refuse names that are empty, "." or
// "..", or contain a path separator, so that nothing is written outside its folder; and
// names longer than MaxStoreNameBytes in UTF-8, so that the name, its extension and the
// temporary suffix of a save fit the 255 bytes a file name may have.
constexpr int MaxStoreNameBytes = 200;
bool isValidStoreName(const QString &name);

// One profile from / to the file at path, group "PROFILE". An empty path means the
// global Config.ini, group "PROFILE_<slot>". A missing or refused file loads as one
// without keys (every field its default). Every save here gives the file it could not
// write and why (NotSaved), or the refusal of a file it would not read: a file we would not
// read is never replaced. Callers must check it and tell the user.
KestFileResult loadProfile(int slot, ProfileRecord &profile, const QString &path);
KestFileResult saveProfile(int slot, const ProfileRecord &profile, const QString &path);

// The same through the profile folder and a profile name; a refused name loads
// nothing (the record is left alone) and saves nothing (InvalidName).
bool loadSlotFile(ProfileRecord &profile, const QString &name);
KestFileResult saveSlotFile(const ProfileRecord &profile, const QString &name);

// The active slot, sensor options, slot names (global Config.ini) and the five slot
// files. saveAll writes all five names and all five files as one: after a failure, or a
// kill at any point, either every file is new or every file is old (see
// KestWriteJournal); loadAll first finishes a set a killed save left. loadAll gives the
// first file it refused, if any.
KestFileResult loadAll(ConfigRecord &config);
// The part of loadAll the settings file gives: the active slot, the options and the slot
// names; the profiles are left alone.
KestFileResult loadOptionsAndNames(ConfigRecord &config);
KestFileResult saveAll(const ConfigRecord &config);
// Finishes or discards what a killed saveAll left behind; loadAll does it first.
void recoverPendingWrites();

// The ".conf" file: slot names are not exported (import leaves them empty), and
// LedMoveOFF / LedSleepTime are neither written nor read.
// A refused or missing file leaves the record as it was.
KestFileResult exportConfig(const ConfigRecord &config, const QString &path);
KestFileResult importConfig(ConfigRecord &config, const QString &path);
void importConfig(ConfigRecord &config, const KestIniFile &file);

// A file the user chose: unlike a settings file, one that is not there is refused too.
KestFileResult openChosenFile(KestIniFile &ini, const QString &path);

// "MouseName/Name" of an exported file: the product it belongs to.
KestFileResult writeProductTag(const QString &productName, const QString &path);
QString readProductTag(const QString &path);
KestFileResult readProductTag(const QString &path, QString &tag);
QString readProductTag(const KestIniFile &file);

// Writes the default profile as the template new profiles are copied from,
// replacing whatever is there.
KestFileResult writeTemplate();

// Writes only "PROFILE/dpi" into an existing profile file; Missing when there is none,
// else whether it was refused or the write failed.
KestFileResult saveActiveDpi(const QString &profilePath, int level);
