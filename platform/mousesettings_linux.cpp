// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/mousesettings.h"

#include <QDebug>
#include <QStandardPaths>

#include "platform/detachedstart.h"
#include "platform/logging.h"

namespace platform {

namespace {

struct KnownProgram
{
    const char *desktop; // XDG_CURRENT_DESKTOP component that prefers it
    const char *program;
    const char *argument; // empty: none
};

// Order matters only among programs of the same desktop; the rest are tried when the
// session does not say which desktop runs (a plain X session, a remote shell).
constexpr KnownProgram kPrograms[] = {
    {"GNOME", "gnome-control-center", "mouse"},
    {"Unity", "gnome-control-center", "mouse"},
    {"Budgie", "gnome-control-center", "mouse"},
    {"KDE", "systemsettings", "kcm_mouse"},
    {"KDE", "kcmshell5", "mouse"},
    {"XFCE", "xfce4-mouse-settings", ""},
    {"LXQt", "lxqt-config-input", ""},
    {"MATE", "mate-mouse-properties", ""},
    {"X-Cinnamon", "cinnamon-settings", "mouse"},
    {"LXDE", "lxinput", ""},
};

MouseSettingsProgram toProgram(const KnownProgram &known)
{
    MouseSettingsProgram program;
    program.program = QString::fromLatin1(known.program);
    if (*known.argument)
        program.arguments << QString::fromLatin1(known.argument);
    return program;
}

bool contains(const QVector<MouseSettingsProgram> &list, const MouseSettingsProgram &program)
{
    for (const MouseSettingsProgram &p : list) {
        if (p.program == program.program && p.arguments == program.arguments)
            return true;
    }
    return false;
}

} // namespace

QVector<MouseSettingsProgram> mouseSettingsCandidates(const QString &desktops)
{
    QVector<MouseSettingsProgram> ordered;
    const QStringList names = desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        for (const KnownProgram &known : kPrograms) {
            const MouseSettingsProgram program = toProgram(known);
            if (name.compare(QLatin1String(known.desktop), Qt::CaseInsensitive) == 0
                && !contains(ordered, program))
                ordered << program;
        }
    }
    for (const KnownProgram &known : kPrograms) {
        const MouseSettingsProgram program = toProgram(known);
        if (!contains(ordered, program))
            ordered << program;
    }
    return ordered;
}

MouseSettingsProgram findMouseSettingsProgram(const QString &desktops)
{
    for (MouseSettingsProgram candidate : mouseSettingsCandidates(desktops)) {
        const QString path = QStandardPaths::findExecutable(candidate.program);
        if (!path.isEmpty()) {
            candidate.program = path;
            return candidate;
        }
    }
    return {};
}

bool openMouseSettings()
{
    const MouseSettingsProgram found =
        findMouseSettingsProgram(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    if (found.isNull()) {
        qCDebug(lcDesktop) << "openMouseSettings: no mouse settings program installed";
        return false;
    }
    return startDetached(found.program, found.arguments);
}

} // namespace platform
