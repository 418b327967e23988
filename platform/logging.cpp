// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/logging.h"

// Debug messages off by default: a normal run prints nothing.
Q_LOGGING_CATEGORY(lcExchange, "mousecfg.exchange", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "mousecfg.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDesktop, "mousecfg.desktop", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "mousecfg.ui", QtInfoMsg)
