#pragma once

#include <QString>

#include "store/configrecord.h"

class QSettings;

// Profile files (".prof", group "PROFILE") and the whole-configuration export (".conf",
// groups "PROFILE_0".."PROFILE_4"). Slots, library and template share one folder:
// the configuration folder + "/" + product name + "/Profile" (without a product name,
// the configuration folder + "/Profile").

QString profileFolder();
QString profileFilePath(const QString &name); // profileFolder() + "/" + name + ".prof"
QString templatePath();                       // profileFolder() + "/DefaultProfile.prof"

// A profile or macro name becomes a file name: refuse names that are empty, "." or
// "..", or contain a path separator, so that nothing is written outside its folder.
bool isValidStoreName(const QString &name);

// One profile from / to the file at path, group "PROFILE". An empty path means the
// global Config.ini, group "PROFILE_<slot>". Saves return false when the file could
// not be written.
void loadProfile(int slot, ProfileRecord &profile, const QString &path);
bool saveProfile(int slot, const ProfileRecord &profile, const QString &path);

// The same through the profile folder and a profile name; a refused name loads
// nothing (the record is left alone) and saves nothing.
bool loadSlotFile(ProfileRecord &profile, const QString &name);
bool saveSlotFile(const ProfileRecord &profile, const QString &name);

// The active slot, sensor options, slot names (global Config.ini) and the five slot
// files. saveAll writes all five names and all five files.
void loadAll(ConfigRecord &config);
bool saveAll(const ConfigRecord &config);

// The ".conf" file: slot names are not exported (import leaves them empty), and
// LedMoveOFF / LedSleepTime are neither written nor read.
bool exportConfig(const ConfigRecord &config, const QString &path);
void importConfig(ConfigRecord &config, const QString &path);

// "MouseName/Name" of an exported file: the product it belongs to.
bool writeProductTag(const QString &productName, const QString &path);
QString readProductTag(const QString &path);

// Writes the default profile as the template new profiles are copied from,
// replacing whatever is there.
bool writeTemplate();

// Writes only "PROFILE/dpi" into a profile file the caller holds open.
// (Goes once the window no longer holds its profile file open.)
void saveActiveDpi(QSettings &settings, int level);
// Writes only "PROFILE/dpi" into an existing profile file; false when there is none, it
// was refused, or the write failed.
bool saveActiveDpi(const QString &profilePath, int level);
