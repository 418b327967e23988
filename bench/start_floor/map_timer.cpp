// SPDX-License-Identifier: GPL-2.0-or-later
// Starts a program and prints how long it took from exec to its first top-level window
// being mapped on $DISPLAY, watched through the X server's own events (no polling):
//   map_timer [--keep] [--timeout MS] PROGRAM [ARGS...]
// Prints "MS PID CPU_MS": CPU_MS is the CPU time all the program's threads had used by then,
// which a busy machine disturbs far less than the wall clock (MS is -1 after the time-out).
// Threads that had already ended (a read ahead done before the map) are not in it: /proc
// keeps no account of them while the process runs.
// Without --keep the program is ended with SIGTERM and waited for; with --keep it stays
// running.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The first field of a thread's schedstat is its time on the CPU in nanoseconds.
double cpuMs(pid_t pid)
{
    char folder[64];
    snprintf(folder, sizeof folder, "/proc/%d/task", int(pid));
    DIR *tasks = opendir(folder);
    if (!tasks)
        return -1;
    double total = 0;
    while (dirent *task = readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        char path[sizeof folder + sizeof task->d_name + 16];
        snprintf(path, sizeof path, "%s/%s/schedstat", folder, task->d_name);
        if (FILE *f = fopen(path, "r")) {
            unsigned long long ns = 0;
            if (fscanf(f, "%llu", &ns) == 1)
                total += ns / 1e6;
            fclose(f);
        }
    }
    closedir(tasks);
    return total;
}

} // namespace

int main(int argc, char **argv)
{
    bool keep = false;
    double timeoutMs = 10000;
    int first = 1;
    while (first < argc && argv[first][0] == '-') {
        if (!strcmp(argv[first], "--keep")) {
            keep = true;
            ++first;
        } else if (!strcmp(argv[first], "--timeout") && first + 1 < argc) {
            timeoutMs = atof(argv[first + 1]);
            first += 2;
        } else {
            break;
        }
    }
    if (first >= argc) {
        fprintf(stderr, "usage: map_timer [--keep] [--timeout MS] PROGRAM [ARGS...]\n");
        return 64;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        fprintf(stderr, "map_timer: cannot open the display\n");
        return 1;
    }
    // Without a window manager a top-level window is a child of the root: its mapping
    // arrives as a substructure event there.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        _exit(127);
    }
    if (child < 0)
        return 1;

    double mappedAfter = -1;
    double cpu = -1;
    const int fd = ConnectionNumber(display);
    while (mappedAfter < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            // Menus and tool tips bypass the window manager; only a real window counts.
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedAfter = nowMs() - start;
                cpu = cpuMs(child);
                break;
            }
        }
        if (mappedAfter >= 0)
            break;
        const double left = timeoutMs - (nowMs() - start);
        if (left <= 0 || waitpid(child, nullptr, WNOHANG) == child)
            break;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, int(left < 50 ? left : 50));
    }
    printf("%.1f %d %.1f\n", mappedAfter, int(child), cpu);
    fflush(stdout);
    XCloseDisplay(display);
    if (!keep) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    return mappedAfter < 0 ? 2 : 0;
}
