// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/detachedstart.h"
#include "platform/logging.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QDebug>
#include <QFile>
#include <QFileInfo>

extern char **environ;

namespace platform {

// The toolkit's detached start forks the whole process twice and waits for the second
// child to run: with the window's memory mapped that held the event loop for about 18 ms,
// at a slot switch when the on-screen display was not up yet. posix_spawn borrows our
// memory until the program runs, so nothing is copied.
bool startDetached(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        qCDebug(lcDesktop) << "startDetached: not an executable file" << program;
        return false;
    }
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    std::vector<QByteArray> words{path};
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session, as a detached program has; signals as a fresh program expects them.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGTERM, SIGHUP})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        qCWarning(lcDesktop) << "startDetached: could not start" << program << std::strerror(error);
        return false;
    }
    // The program is our child: a thread of its own collects it when it ends, however long
    // it runs, so that it never lingers as a zombie.
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace platform
