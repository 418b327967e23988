// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "store/configrecord.h"
#include "store/slotsettings.h"

// A button's assignment as the words a script types ("combo ctrl+c", "macro reload held",
// "fire left 3 10"), read from and written into a ButtonInfo the way the button window
// writes it: modifiers first in a combination, macro steps copied from the macro file.

// What the product lets its buttons be given beyond the common functions.
struct ButtonScriptOffer
{
    bool macrosOffered = true;
    bool ledSwitchOffered = true;
};

QString buttonScriptText(const ButtonInfo &button);

// Names of the functions a button may be given ("left", "copy", "dpi-up", ..., "macro").
QStringList buttonFunctionNames();

// Gives button `recordIndex` of the profile the function the words name. The wheel takes
// only what the wheel menu offers; the last left click is never taken away.
SlotSettingChange assignButtonScript(ProfileRecord &profile, int recordIndex, bool wheel, const QStringList &words,
                                     const ButtonScriptOffer &offer);
