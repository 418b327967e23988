// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pointerspeed.h"

#include <atomic>
#include <cmath>

#include <QDebug>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtGlobal>

#include "platform/pointerspeed_backends.h"
#include "platform/logging.h"

namespace pointerspeed {

namespace {

struct DesktopName
{
    const char *component; // as XDG_CURRENT_DESKTOP spells it
    Backend backend;
};

// The first component a session names decides: "ubuntu:GNOME" is GNOME, "Budgie:GNOME"
// keeps GNOME's key, and a desktop we do not know falls through to the next component.
constexpr DesktopName kDesktops[] = {
    {"GNOME", Backend::Gnome},       {"Budgie", Backend::Gnome},
    {"Unity", Backend::Gnome},       {"X-Cinnamon", Backend::Cinnamon},
    {"Cinnamon", Backend::Cinnamon}, {"MATE", Backend::Mate},
    {"KDE", Backend::Kde},           {"XFCE", Backend::Xfce},
};

} // namespace

Range rangeOf(Backend backend)
{
    switch (backend) {
    case Backend::Mate:
        // motion-acceleration 1..10; the settings daemon turns it into libinput's -1..1
        // around 5.5.
        return {1.0, 5.5, 10.0};
    case Backend::Xfce:
        // The mouse settings' acceleration slider, 0.1..10, with 5 as libinput's neutral.
        return {0.1, 5.0, 10.0};
    case Backend::Gnome:
    case Backend::Cinnamon:
    case Backend::Kde:
    case Backend::X11:
    case Backend::None:
        break;
    }
    return {-1.0, 0.0, 1.0};
}

double toBackend(int speed, const Range &range)
{
    speed = qBound(kMinSpeed, speed, kMaxSpeed);
    if (speed <= kNeutralSpeed)
        return range.min
               + double(speed - kMinSpeed) / (kNeutralSpeed - kMinSpeed) * (range.neutral - range.min);
    return range.neutral
           + double(speed - kNeutralSpeed) / (kMaxSpeed - kNeutralSpeed) * (range.max - range.neutral);
}

int fromBackend(double value, const Range &range)
{
    if (std::isnan(value))
        return kNeutralSpeed;
    value = qBound(range.min, value, range.max);
    if (value <= range.neutral)
        return kMinSpeed
               + int(std::lround((value - range.min) / (range.neutral - range.min)
                                 * (kNeutralSpeed - kMinSpeed)));
    return kNeutralSpeed
           + int(std::lround((value - range.neutral) / (range.max - range.neutral)
                             * (kMaxSpeed - kNeutralSpeed)));
}

Backend backendFor(const QString &desktops, const QString &sessionType, bool hasX11)
{
    const QStringList names = desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        for (const DesktopName &known : kDesktops) {
            if (name.compare(QLatin1String(known.component), Qt::CaseInsensitive) == 0)
                return known.backend;
        }
    }
    // XWayland's pointer has no libinput property: on Wayland the compositor decides.
    if (hasX11 && sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) != 0)
        return Backend::X11;
    return Backend::None;
}

Backend currentBackend()
{
    return backendFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                      qEnvironmentVariable("XDG_SESSION_TYPE"),
                      !qEnvironmentVariableIsEmpty("DISPLAY"));
}

QString backendName(Backend backend)
{
    switch (backend) {
    case Backend::Gnome: return QStringLiteral("GNOME");
    case Backend::Cinnamon: return QStringLiteral("Cinnamon");
    case Backend::Mate: return QStringLiteral("MATE");
    case Backend::Kde: return QStringLiteral("KDE Plasma");
    case Backend::Xfce: return QStringLiteral("Xfce");
    case Backend::X11: return QStringLiteral("X11");
    case Backend::None: break;
    }
    return QStringLiteral("none");
}

namespace detail {

int runTool(const QString &program, const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(kToolTimeoutMs))
        return kToolMissing;
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
        return kToolMissing;
    }
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : kToolMissing;
}

} // namespace detail

} // namespace pointerspeed

using namespace pointerspeed;

namespace {

std::atomic<int> g_remembered{kNeutralSpeed};
std::atomic<bool> g_desktopAccess{true};
// Cleared when the desktop would not take a value: from then on the remembered value is
// the truth, not whatever the desktop kept.
std::atomic<bool> g_desktopTakesValues{true};
// One bit per backend that said it offers nothing: said once, not on every switch.
std::atomic<unsigned> g_toldUnsupported{0};

bool readBackend(Backend backend, double *value)
{
    switch (backend) {
    case Backend::Gnome:
    case Backend::Cinnamon:
    case Backend::Mate: return detail::gsettingsRead(backend, value);
    case Backend::Kde: return detail::kdeRead(value);
    case Backend::Xfce: return detail::xfceRead(value);
    case Backend::X11: return detail::x11Read(value);
    case Backend::None: break;
    }
    return false;
}

int writeToBackend(Backend backend, double value)
{
    switch (backend) {
    case Backend::Gnome:
    case Backend::Cinnamon:
    case Backend::Mate: return detail::gsettingsWrite(backend, value);
    case Backend::Kde: return detail::kdeWrite(value);
    case Backend::Xfce: return detail::xfceWrite(value);
    case Backend::X11: return detail::x11Write(value);
    case Backend::None: break;
    }
    return kUnsupported;
}

int writeBackend(Backend backend, double value)
{
    const int result = writeToBackend(backend, value);
    const unsigned bit = 1u << unsigned(backend);
    // Most sessions without a desktop that keeps a speed are ordinary (a tiling window
    // manager, a kiosk): nothing is wrong, so only the diagnostics say it.
    if ((result == kUnsupported || result == kNoDevice) && !(g_toldUnsupported.fetch_or(bit) & bit))
        qCDebug(lcDesktop, "pointer speed: this session (%s, %s) offers no pointer speed setting%s; "
                "the value is kept in the profile only",
              qPrintable(qEnvironmentVariable("XDG_CURRENT_DESKTOP", QStringLiteral("unknown desktop"))),
              qPrintable(backendName(backend)),
              result == kNoDevice ? " for any connected mouse" : "");
    return result;
}

} // namespace

int setPointerSpeed(int speed)
{
    speed = qBound(kMinSpeed, speed, kMaxSpeed);
    g_remembered = speed;
    if (!g_desktopAccess)
        return kToolMissing;
    const Backend backend = currentBackend();
    const int result = writeBackend(backend, toBackend(speed, rangeOf(backend)));
    g_desktopTakesValues = result == 0;
    return result;
}

int pointerSpeed()
{
    return desktopPointerSpeed().value_or(rememberedPointerSpeed());
}

int rememberedPointerSpeed()
{
    return g_remembered;
}

std::optional<int> desktopPointerSpeed()
{
    if (!g_desktopAccess || !g_desktopTakesValues)
        return std::nullopt;
    const Backend backend = currentBackend();
    double value = 0.0;
    if (!readBackend(backend, &value))
        return std::nullopt;
    return fromBackend(value, rangeOf(backend));
}

void setPointerSpeedDesktopAccess(bool enabled)
{
    g_desktopAccess = enabled;
}
