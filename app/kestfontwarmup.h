// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <future>

// Loads the desktop's font configuration on another core while the program starts. The
// first text the window lays out would otherwise wait for it: a quarter of the window's
// building, and more on a desktop with many fonts. Destroying it waits for the load, so it
// must go before the application object does (which may free that configuration).
class KestFontWarmup final
{
public:
    KestFontWarmup();
    ~KestFontWarmup();
    KestFontWarmup(const KestFontWarmup &) = delete;
    KestFontWarmup &operator=(const KestFontWarmup &) = delete;

private:
    std::future<void> m_load;
};
