// SPDX-License-Identifier: GPL-2.0-or-later
// `mousecfgctl --simulate apply` as a script runs it, a whole process from exec to exit,
// against the 90 ms of pauses its write needs. Each program given is measured in an
// application folder of its own (a copy of the build's, with the five profile files a
// first `set` saves), the runs alternating with the floor slept here, so that a busy
// machine weighs on all of them alike. Wall and CPU time (user and system, the child's
// own) are medians; `--version` alone is the cost of starting the program.
//
//     ctl_apply_bench [--rounds N] CTL [CTL...]

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern char **environ;

namespace {

constexpr int kSettingsReports = 9; // a write without macros
constexpr int kAfterReportMs = 10;

struct Run
{
    double wallMs = 0;
    double cpuMs = 0;
    int status = -1;
};

double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

Run spawn(const QStringList &command)
{
    std::vector<QByteArray> bytes;
    for (const QString &word : command)
        bytes.push_back(QFile::encodeName(word));
    std::vector<char *> argv;
    for (QByteArray &word : bytes)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Run run;
    const double start = nowMs();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.wallMs = nowMs() - start;
            run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The pauses of one write as this machine sleeps them right now.
double sleptFloorMs()
{
    const double start = nowMs();
    for (int i = 0; i < kSettingsReports; ++i) {
        const timespec pause{0, kAfterReportMs * 1000000L};
        nanosleep(&pause, nullptr);
    }
    return nowMs() - start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool copyTree(const QString &from, const QString &to)
{
    const QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

struct Program
{
    QString path;
    QString appDir;
    std::vector<double> wall, cpu, startWall, startCpu;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int rounds = 21;
    if (arguments.size() >= 2 && arguments[0] == QLatin1String("--rounds")) {
        rounds = qMax(1, arguments[1].toInt());
        arguments = arguments.mid(2);
    }
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: ctl_apply_bench [--rounds N] CTL [CTL...]\n");
        return 64;
    }

    QTemporaryDir scratch;
    // Every program gets the same blank simulated mouse and a runtime folder nobody shares.
    qputenv("MOUSECFG_SIMULATE_MEMORY", "blank");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.path() + QStringLiteral("/runtime")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/state")));
    QDir().mkpath(scratch.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(scratch.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    std::vector<Program> programs;
    for (int i = 0; i < arguments.size(); ++i) {
        Program program;
        program.path = arguments[i];
        program.appDir = scratch.path() + QStringLiteral("/app%1").arg(i);
        if (!copyTree(QStringLiteral(MOUSECFG_APPDIR "/Configs"), program.appDir + QStringLiteral("/Configs"))
            || !QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/DefaultProfile.bin"),
                            program.appDir + QStringLiteral("/DefaultProfile.bin"))) {
            std::fprintf(stderr, "cannot copy the application folder %s\n", MOUSECFG_APPDIR);
            return 1;
        }
        // A store as the window leaves it: five profile files, and one write behind it.
        const QStringList common{program.path, QStringLiteral("--simulate"), QStringLiteral("--app-dir"), program.appDir};
        if (spawn(common + QStringList{QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("1000")}).status != 0
            || spawn(common + QStringList{QStringLiteral("apply")}).status != 0) {
            std::fprintf(stderr, "%s does not apply\n", qPrintable(program.path));
            return 1;
        }
        programs.push_back(program);
    }

    std::vector<double> floors;
    for (int round = 0; round < rounds; ++round) {
        floors.push_back(sleptFloorMs());
        for (size_t k = 0; k < programs.size(); ++k) {
            // Who goes first changes every round.
            Program &program = programs[(k + size_t(round)) % programs.size()];
            const Run apply = spawn({program.path, QStringLiteral("--simulate"), QStringLiteral("--app-dir"),
                                     program.appDir, QStringLiteral("apply")});
            if (apply.status != 0) {
                std::fprintf(stderr, "%s apply exited %d\n", qPrintable(program.path), apply.status);
                return 1;
            }
            program.wall.push_back(apply.wallMs);
            program.cpu.push_back(apply.cpuMs);
            const Run start = spawn({program.path, QStringLiteral("--version")});
            program.startWall.push_back(start.wallMs);
            program.startCpu.push_back(start.cpuMs);
        }
    }

    const double floor = kSettingsReports * kAfterReportMs;
    const double slept = median(floors);
    std::printf("mousecfgctl --simulate apply, no macros: floor %.0f ms (slept here: %.1f ms), %d rounds\n", floor,
                slept, rounds);
    for (const Program &program : programs) {
        const double wall = median(program.wall);
        std::printf("%s\n  apply   wall %6.1f ms  cpu %5.1f ms  ratio %.3f (to slept floor %.3f)\n"
                    "  --version wall %5.1f ms  cpu %5.1f ms\n",
                    qPrintable(program.path), wall, median(program.cpu), wall / floor, wall / slept,
                    median(program.startWall), median(program.startCpu));
    }
    return 0;
}
