// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Which window system the toolkit talks to. Under Wayland a client cannot place its
// windows, raise itself or learn the scale the way the skinned windows expect, so where
// an X display exists (XWayland included) and the user chose nothing, X11 is preferred.

#include <QByteArray>

namespace platform {

// "xcb" when nothing was chosen (neither QT_QPA_PLATFORM nor -platform) and an X display
// is set; empty to leave the toolkit's own choice.
QByteArray preferredQpaPlatform(const QByteArray &chosen, const QByteArray &display, bool platformArgument);

// Applies preferredQpaPlatform to this process; call before the application object.
void preferX11Platform(int argc, char *argv[]);

// True when the toolkit runs on Wayland (call after the application object exists).
bool onWayland();

} // namespace platform
