// SPDX-License-Identifier: GPL-2.0-or-later
#include <algorithm>
#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSettings>
#include <QThread>
#include <QTemporaryDir>
#include <QVector>

#include "buttons/keys/functioncatalogue.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "device/kestdevicecontext.h"
#include "device/kestwritetransaction.h"
#include "store/appdir.h"
#include "store/macrodb.h"

// The mouse needs 10 ms after every report and 50 ms to take in each macro; a transaction
// can never be faster than that. The question is how much the program adds on top.
namespace {

constexpr int kAfterReportMs = 10;
constexpr int kPerMacroMs = 50;
constexpr int kSettingsReports = 2 + 2 + 3 + 2; // markers, 0x01/0x02, button table, DPI
constexpr int kReportsPerMacro = 9;

void writeAppDir(const QString &dir)
{
    QSettings config(dir + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    config.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("MouseSenSor/1"), 3389);
    QSettings description(dir + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
    description.setValue(QStringLiteral("PROFILE/ButtonCount"), 14);
    for (int i = 0; i < 16; ++i)
        description.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix").arg(i), i);
}

ConfigRecord makeRecord(int macros, int macroSteps)
{
    ConfigRecord record;
    ProfileRecord &p = record.profiles[0];
    p.pollrate = 1;
    p.LedMode = 2;
    p.LedSleepTime = 5;
    for (int i = 0; i < DPI_LEVELS; ++i)
        p.DPI_INFO[size_t(i)].x = p.DPI_INFO[size_t(i)].y = quint32(16 * (i + 1));
    for (int b = 0; b < BUTTON_SLOTS; ++b)
        p.BUTTON_INFO[size_t(b)].Fun = FunLeft + b % 5;
    for (int m = 0; m < macros; ++m) {
        const QString name = QStringLiteral("bench_%1_%2").arg(macroSteps).arg(m);
        QVector<MacroAction> actions;
        for (int s = 0; s < macroSteps; ++s)
            actions.append({quint8(s % 2 ? MACRO_KEY_UP : MACRO_KEY_DOWN), 0, quint8(4 + s / 2)});
        if (!saveMacro(name, MacroSettings{}, actions))
            qFatal("cannot write the macro files the measurement needs");
        ButtonInfo &button = p.BUTTON_INFO[size_t(m < 12 ? m : m + 28)];
        button.Fun = FunMacro;
        button.macroname = name;
        button.LoopNumber = 1;
    }
    return record;
}

// What a 10 ms and a 50 ms pause really cost on this machine right now: on a busy machine
// the scheduler wakes sleepers late, and no program can be faster than its own pauses.
double measuredSleepMs(unsigned long ms, int runs)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        QThread::msleep(ms);
    return double(timer.nsecsElapsed()) / 1e6 / runs;
}

// The write as the utility makes it. Its macros were read once, with the profile set,
// before the user pressed Apply; reading them is timed apart (`readMs`).
double medianMs(const ConfigRecord &record, int runs, double *readMs)
{
    QVector<double> times;
    QElapsedTimer reading;
    reading.start();
    const KestMacroFiles macros = readMacroFiles(record.profiles[0]);
    *readMs = double(reading.nsecsElapsed()) / 1e6;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const quint8 status = writeProfileSet(KestDeviceContext::link(), record, macros).status;
        if (status != 0) {
            std::fprintf(stderr, "transaction failed\n");
            return -1;
        }
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *label, int macros, int macroSteps, int runs)
{
    const ConfigRecord record = makeRecord(macros, macroSteps);
    const int reports = kSettingsReports + macros * kReportsPerMacro;
    const double floor = reports * kAfterReportMs + macros * kPerMacroMs;
    double readMs = 0;
    const double median = medianMs(record, runs, &readMs);
    const double sleptFloor = reports * measuredSleepMs(kAfterReportMs, 50)
                              + macros * measuredSleepMs(kPerMacroMs, 10);
    std::printf("%-15s %4d reports  floor %7.1f ms  median %7.1f ms  ratio %.3f  "
                "(pauses as slept here: %7.1f ms, ratio %.3f; %d runs; macros read once before: %.1f ms)\n",
                label, reports, floor, median, median / floor, sleptFloor, median / sleptFloor, runs, readMs);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The exchange log goes to the console otherwise; measure the link, not the terminal.
    const bool logging = app.arguments().contains(QStringLiteral("--log"));
    if (!logging)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    QTemporaryDir dir;
    setApplicationDir(dir.path());
    writeAppDir(dir.path());
    setHidBackend(std::make_shared<KestSimMouse>(true, true)); // answers at once
    setLinkTimings(KestLinkTimings{});                         // the mouse's real pauses
    BuildDeviceTable();
    EnumerateDevices();
    OpenDevices(QStringLiteral("KX-27"));

    std::printf("full transaction against the simulated mouse (instant echo)%s\n",
                logging ? ", exchange log on" : "");
    report("without macros", 0, 0, 21);
    report("12 x 24 steps", 12, 24, 7);
    report("12 x 100 steps", 12, 100, 7);
    report("12 x 1000 steps", 12, 1000, 7);
    CloseDevices();
    return 0;
}
