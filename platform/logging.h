// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics by area, silent unless asked for:
//   QT_LOGGING_RULES='mousecfg.*.debug=true'         everything
//   QT_LOGGING_RULES='mousecfg.exchange.debug=true'  every report written and read, as hex
// Warnings (a service that could not start, a setting that could not be applied) always show.
Q_DECLARE_LOGGING_CATEGORY(lcExchange) // command reports and the battery reader
Q_DECLARE_LOGGING_CATEGORY(lcDevice)   // discovery, hot-plug, the device lock, the write worker
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)  // single instance, detached starts, desktop services
Q_DECLARE_LOGGING_CATEGORY(lcUi)       // the window, its panels and dialogs
