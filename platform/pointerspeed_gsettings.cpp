// SPDX-License-Identifier: GPL-2.0-or-later
// GNOME, Budgie, Cinnamon and MATE: one gsettings key each.

#include <cmath>

#include "platform/pointerspeed_backends.h"

namespace pointerspeed::detail {

namespace {

struct Key
{
    const char *schema;
    const char *key;
};

Key keyOf(Backend backend)
{
    switch (backend) {
    case Backend::Cinnamon: return {"org.cinnamon.desktop.peripherals.mouse", "speed"};
    case Backend::Mate: return {"org.mate.peripherals-mouse", "motion-acceleration"};
    default: break;
    }
    return {"org.gnome.desktop.peripherals.mouse", "speed"};
}

QStringList arguments(const char *verb, const Key &key)
{
    return {QString::fromLatin1(verb), QString::fromLatin1(key.schema), QString::fromLatin1(key.key)};
}

} // namespace

bool gsettingsRead(Backend backend, double *value)
{
    QByteArray output;
    if (runTool(QStringLiteral("gsettings"), arguments("get", keyOf(backend)), &output) != 0)
        return false;
    bool ok = false;
    *value = output.toDouble(&ok);
    // MATE keeps -1 for "the system's default", which is its neutral speed, not its slowest.
    if (ok && backend == Backend::Mate && *value < 0)
        *value = rangeOf(Backend::Mate).neutral;
    return ok;
}

int gsettingsWrite(Backend backend, double value)
{
    QStringList args = arguments("set", keyOf(backend));
    args << QString::number(value, 'f', 4);
    const int status = runTool(QStringLiteral("gsettings"), args);
    if (status != 0)
        return status;
    // Without a session bus gsettings reports success and stores nothing: read it back.
    double stored = 0.0;
    if (!gsettingsRead(backend, &stored) || std::fabs(stored - value) > 1e-3)
        return kNotStored;
    return 0;
}

} // namespace pointerspeed::detail
