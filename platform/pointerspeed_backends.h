// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The per-desktop halves of the pointer speed (pointerspeed_*.cpp). Each takes and
// gives values on its own desktop's scale; pointerspeed_linux.cpp maps them.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/pointerspeed.h"

namespace pointerspeed::detail {

// The GUI thread waits for these tools: they get a short time-out, and the C locale so
// numbers come back with a decimal point.
constexpr int kToolTimeoutMs = 1500;

// Runs a desktop tool; its exit status, or kToolMissing when it did not run or finish.
int runTool(const QString &program, const QStringList &arguments, QByteArray *output = nullptr);

// GNOME, Budgie, Cinnamon and MATE keep the speed in one gsettings key each.
int gsettingsWrite(Backend backend, double value);
bool gsettingsRead(Backend backend, double *value);

// KDE Plasma: its input settings file, and the running session (KWin on Wayland, the
// X server's device property on X11).
int kdeWrite(double value);
bool kdeRead(double *value);

// Xfce: the Acceleration property of each pointer device in the "pointers" channel.
int xfceWrite(double value);
bool xfceRead(double *value);
// The name Xfce files an X device under in that channel.
QString xfconfDeviceName(const QString &xDevice);

// Any X11 session: the libinput acceleration property of every pointer device.
int x11Write(double value);
bool x11Read(double *value);
// Names of the X server's mice (touchpads left out); empty without a display.
QStringList x11PointerDevices();

// A KDE-style settings file ([Group][Sub] headers, key=value lines). group is the whole
// header without the outer brackets of each part joined: {"Libinput", "1133", ...}.
QString kconfigValue(const QByteArray &text, const QStringList &group, const QString &key);
QByteArray withKconfigValue(const QByteArray &text, const QStringList &group,
                            const QString &key, const QString &value);

} // namespace pointerspeed::detail
