// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The desktop's pointer speed on the 1..20 scale the mouse settings use (10 = neutral).
// Each desktop keeps it somewhere else (a gsettings key, an xfconf property, a KDE
// settings file, the X server's libinput property); the session decides which.
// Where no desktop setting can be reached the value is only remembered for this process.

#include <optional>

#include <QString>

// Sets the speed (clamped to 1..20). Returns 0 when the desktop took it, otherwise a
// non-zero error code; the value is remembered either way.
int setPointerSpeed(int speed);

// The desktop's speed; the remembered value (10 at start) where the desktop has none.
int pointerSpeed();

// The value last set in this process (10 at start), without asking the desktop.
int rememberedPointerSpeed();

// The desktop's own speed; nothing where the desktop has none (or would not take the
// last value), so a caller keeps what the profile holds.
std::optional<int> desktopPointerSpeed();

// Keep the speed in this process only and leave the desktop alone (tests, tools).
void setPointerSpeedDesktopAccess(bool enabled);

namespace pointerspeed {

constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 20;
constexpr int kNeutralSpeed = 10;

// Error codes of setPointerSpeed beyond a tool's own exit status.
constexpr int kToolMissing = -1;  // the tool did not run or did not finish in time
constexpr int kNotStored = -2;    // the tool ran but the desktop kept its old value
constexpr int kUnsupported = -3;  // this session offers no pointer speed
constexpr int kNoDevice = -4;     // the desktop keeps the speed per device and has none

enum class Backend { Gnome, Cinnamon, Mate, Kde, Xfce, X11, None };

// A backend's own scale: its lowest, neutral and highest value.
struct Range
{
    double min;
    double neutral;
    double max;
};

Range rangeOf(Backend backend);

// The one mapping between the slot value and every backend's scale: 1 is the lowest,
// 10 the neutral and 20 the highest value, linear on either side of neutral, so the
// desktop's default reads back as 10.
double toBackend(int speed, const Range &range);
int fromBackend(double value, const Range &range);

// Which backend serves a session. desktops is XDG_CURRENT_DESKTOP (colon-separated),
// sessionType XDG_SESSION_TYPE; hasX11 tells whether an X display is set.
Backend backendFor(const QString &desktops, const QString &sessionType, bool hasX11);
// The backend of this process's session.
Backend currentBackend();
QString backendName(Backend backend);

} // namespace pointerspeed
