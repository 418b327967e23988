// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestskin.h"

#include <QtGlobal>

// Q_INIT_RESOURCE expands to a declaration at namespace scope, so it must not sit inside
// a namespace; a static library would otherwise drop the resource object at link time.
static void initMousecfgWidgetsResource()
{
    Q_INIT_RESOURCE(mousecfg_widgets);
}

void initWidgetResources()
{
    initMousecfgWidgetsResource();
}
