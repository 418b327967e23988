// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestfontwarmup.h"

#ifdef MOUSECFG_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

KestFontWarmup::KestFontWarmup()
{
#ifdef MOUSECFG_HAVE_FONTCONFIG
    // The toolkit asks the library for the same configuration on its first text; the library
    // builds it once per process, whichever thread asks first.
    m_load = std::async(std::launch::async, [] { FcInit(); });
#endif
}

KestFontWarmup::~KestFontWarmup()
{
    if (m_load.valid())
        m_load.wait();
}
