#include "platform/pointerspeed.h"

#include <atomic>
#include <cmath>

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QtGlobal>

// GNOME keeps the speed as a double in -1..1 under this key; other desktops have no
// setting a program can reach without their own tools, so they get the remembered value.
namespace {

constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 20;
constexpr int kNeutralSpeed = 10;
constexpr int kTimeoutMs = 2000;
const char kSchema[] = "org.gnome.desktop.peripherals.mouse";
const char kKey[] = "speed";

// Error codes beyond the tool's own exit status.
constexpr int kToolMissing = -1;
constexpr int kNotStored = -2; // the tool ran but the desktop kept its old value

std::atomic<int> g_remembered{kNeutralSpeed};
std::atomic<bool> g_desktopAccess{true};
// Cleared when the desktop would not take a value: from then on the remembered value is
// the truth, not whatever the desktop kept.
std::atomic<bool> g_desktopTakesValues{true};

double toDesktop(int speed) { return double(speed - kMinSpeed) / (kMaxSpeed - kMinSpeed) * 2.0 - 1.0; }

int fromDesktop(double value)
{
    const double clamped = qBound(-1.0, value, 1.0);
    return int(std::lround((clamped + 1.0) / 2.0 * (kMaxSpeed - kMinSpeed))) + kMinSpeed;
}

// Runs gsettings; returns its exit status, or kToolMissing when it could not run.
int runGsettings(const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.start(QStringLiteral("gsettings"), arguments);
    if (!process.waitForStarted(kTimeoutMs))
        return kToolMissing;
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished(kTimeoutMs);
        return kToolMissing;
    }
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : kToolMissing;
}

bool readDesktop(double &value)
{
    QByteArray output;
    if (runGsettings({QStringLiteral("get"), QString::fromLatin1(kSchema), QString::fromLatin1(kKey)}, &output) != 0)
        return false;
    bool ok = false;
    value = output.toDouble(&ok);
    return ok;
}

} // namespace

int setPointerSpeed(int speed)
{
    speed = qBound(kMinSpeed, speed, kMaxSpeed);
    g_remembered = speed;
    if (!g_desktopAccess)
        return kToolMissing;

    const double wanted = toDesktop(speed);
    const int status = runGsettings({QStringLiteral("set"), QString::fromLatin1(kSchema),
                                     QString::fromLatin1(kKey), QString::number(wanted, 'f', 4)},
                                    nullptr);
    // Without a session bus gsettings reports success and stores nothing: read it back.
    double stored = 0.0;
    int result = status;
    if (result == 0 && (!readDesktop(stored) || std::fabs(stored - wanted) > 1e-3))
        result = kNotStored;
    g_desktopTakesValues = result == 0;
    return result;
}

int pointerSpeed()
{
    double value = 0.0;
    if (g_desktopAccess && g_desktopTakesValues && readDesktop(value))
        return fromDesktop(value);
    return g_remembered;
}

void setPointerSpeedDesktopAccess(bool enabled)
{
    g_desktopAccess = enabled;
}
