// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTextStream>

#include "tools/ctl/ctloptions.h"

// mousecfgctl rules list | add PROGRAM SLOT | remove PROGRAM | default SLOT|none: through
// the running utility's bus interface when there is one (the change applies at once),
// else in the stored settings, which the utility reads at its next start.
int runRules(const CtlOptions &options, QTextStream &out, QTextStream &err);
