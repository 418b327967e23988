// SPDX-License-Identifier: GPL-2.0-or-later
// Prints the median time of saveAll, loadAll, exportConfig and importConfig with five
// full slots (42 buttons of 63 steps, 14 effects each), in a temporary application folder:
// wall time, CPU time of all threads and minor page faults per call.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>

#include <sys/resource.h>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/configrecord.h"
#include "store/profilefiles.h"

namespace {

ConfigRecord fullConfig()
{
    ConfigRecord config;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        ProfileRecord &p = config.profiles[k];
        makeDefaultProfile(p);
        for (int b = 0; b < BUTTON_SLOTS; ++b) {
            ButtonInfo &button = p.BUTTON_INFO[b];
            button.Fun = 200;
            button.KeyNumber = KEY_STEPS;
            button.macroname = QStringLiteral("macro %1").arg(b);
            for (int s = 0; s < KEY_STEPS; ++s)
                button.KeyInfo[s] = {quint8(0x84), quint8(s), quint8(b)};
        }
        for (int e = 0; e < LED_EFFECTS; ++e)
            p.LED_MODE[e].RGB = KestRgb(e * 10, 255 - e, 7 * k);
        config.names[k] = QStringLiteral("Bench %1").arg(k + 1);
    }
    return config;
}

// CPU time of the whole process, every thread: on a busy machine the wall clock also
// counts the time the scheduler gave to others, and the calling thread's clock alone would
// miss work handed to other threads.
double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Timing
{
    double wallMedian;
    double wallBest;
    double cpuMedian;
    long faults; // minor page faults per run
};

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Timing measure(int runs, const std::function<void()> &work)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    const long faultsStart = minorFaults();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuStart = processCpuMs();
        timer.start();
        work();
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(processCpuMs() - cpuStart);
    }
    return {median(wall), *std::min_element(wall.begin(), wall.end()), median(cpu),
            (minorFaults() - faultsStart) / runs};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir; dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP"));
    if (!dir.isValid())
        return 1;
    setApplicationDir(dir.path());
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    const ConfigRecord config = fullConfig();
    const QString confPath = dir.filePath(QStringLiteral("bench.conf"));
    ConfigRecord loaded;

    auto report = [runs](const char *name, const std::function<void()> &work) {
        const Timing t = measure(runs, work);
        std::printf("  %-13s wall median %7.2f ms  best %7.2f ms   process cpu median %7.2f ms"
                    "   %5ld page faults\n",
                    name, t.wallMedian, t.wallBest, t.cpuMedian, t.faults);
    };
    std::printf("store_bench: %d runs, five full slots\n", runs);
    report("saveAll", [&] { static_cast<void>(saveAll(config)); });
    report("loadAll", [&] { static_cast<void>(loadAll(loaded)); });
    report("exportConfig", [&] { static_cast<void>(exportConfig(config, confPath)); });
    report("importConfig", [&] { static_cast<void>(importConfig(loaded, confPath)); });
    const bool same = loaded.profiles[4].BUTTON_INFO == config.profiles[4].BUTTON_INFO;
    std::printf("  round trip    %s\n", same ? "ok" : "MISMATCH");
    return same ? 0 : 2;
}
