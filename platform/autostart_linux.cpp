// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/desktopnotification.h"

namespace platform {

namespace {

QString configHome()
{
    const QString fromEnvironment = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
        return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.config");
}

// Exec= quoting of the desktop entry format: an argument with reserved characters goes
// in double quotes, with ", `, $ and \ escaped by a backslash.
QString quotedArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool plain = !argument.isEmpty();
    for (const QChar c : argument)
        plain = plain && !reserved.contains(c);
    if (plain)
        return argument;
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The entry is a regular file or nothing; anything else is not ours to touch.
bool placeIsOurs(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return false;
    return !info.exists() || info.isFile();
}

} // namespace

QString autostartEntryPath()
{
    return configHome() + QStringLiteral("/autostart/") + QLatin1String(kDesktopId) + QStringLiteral(".desktop");
}

QString autostartCommand(const QString &executable, bool installed)
{
    const QString name = QFileInfo(executable).fileName();
    const bool onPath = installed && QFileInfo(QStandardPaths::findExecutable(name)).canonicalFilePath()
                                         == QFileInfo(executable).canonicalFilePath();
    // "%" is a field code in Exec: a literal one is written twice.
    QString program = onPath ? name : quotedArgument(executable);
    program.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return program + QStringLiteral(" --hidden");
}

QByteArray autostartEntryText(const QString &command)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Mouse Configuration\n"
                                  "Comment=Keeps the gaming mouse's profiles, battery notices and per-program "
                                  "rules running in the tray\n"
                                  "Icon=%1\n"
                                  "Exec=%2\n"
                                  "Terminal=false\n"
                                  "X-GNOME-Autostart-enabled=true\n")
                       .arg(QLatin1String(kDesktopId), command);
    return text.toUtf8();
}

bool autostartEnabled()
{
    const QString path = autostartEntryPath();
    if (!placeIsOurs(path) || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    // An autostart entry is a few lines; a huge file is not one we wrote.
    if (file.size() > 64 * 1024 || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return false;
        if (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false"))
            return false;
    }
    return true;
}

AutostartResult setAutostartEnabled(bool enabled, const QString &command)
{
    const QString path = autostartEntryPath();
    if (!placeIsOurs(path))
        return AutostartResult::NotARegularFile;
    if (!enabled) {
        if (!QFileInfo::exists(path))
            return AutostartResult::Done;
        return QFile::remove(path) ? AutostartResult::Done : AutostartResult::WriteFailed;
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return AutostartResult::WriteFailed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return AutostartResult::WriteFailed;
    file.write(autostartEntryText(command));
    return file.commit() ? AutostartResult::Done : AutostartResult::WriteFailed;
}

} // namespace platform
