#pragma once

// The desktop's pointer speed on the 1..20 scale the mouse settings use (10 = neutral).
// Where no desktop setting can be reached the value is only remembered for this process.

// Sets the speed (clamped to 1..20). Returns 0 when the desktop took it, otherwise a
// non-zero error code; the value is remembered either way.
int setPointerSpeed(int speed);

// The desktop's speed; the remembered value (10 at start) where the desktop has none.
int pointerSpeed();

// Keep the speed in this process only and leave the desktop alone (tests, tools).
void setPointerSpeedDesktopAccess(bool enabled);
