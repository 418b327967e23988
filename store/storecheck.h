// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "store/configrecord.h"
#include "store/kestfileresult.h"

// Reads every stored file the programs use (settings, product data, the device
// description, the five slot files and the macros their buttons name) and gives the first
// one refused, or Ok. A command that is about to write checks this first, so that it never
// acts on defaults standing in for a file the user still has.
KestFileResult checkStoredFiles();

// The same, keeping the profile set it loaded, so that the command acting on it need not
// read everything a second time.
KestFileResult checkStoredFiles(ConfigRecord &loaded);
