// SPDX-License-Identifier: GPL-2.0-or-later
#include <cstdio>
#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include "device/commandreport.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "device/sendcommand.h"

namespace {

struct Case
{
    const char *name;
    std::function<void(KestSimMouse &)> fault;
    quint8 byte4;
    int runs;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    const Case cases[] = {
        {"echo", [](KestSimMouse &) {}, 0x03, 50},
        {"no answer awaited", [](KestSimMouse &) {}, 0x44, 50},
        {"mismatch, then echo", [](KestSimMouse &m) { m.setWrongEchoes(1); }, 0x03, 20},
        {"silent mouse", [](KestSimMouse &m) { m.setSilent(true); }, 0x03, 3},
        {"always wrong", [](KestSimMouse &m) { m.setWrongEchoes(-1, 31); }, 0x03, 2},
    };

    std::printf("%-22s %8s %8s %8s %10s\n", "exchange", "writes", "reads", "result", "ms each");
    for (const Case &c : cases) {
        CloseDevices();
        auto sim = std::make_shared<KestSimMouse>(false, true);
        setHidBackend(sim);
        commandHandle2 = sim->open(KestSimMouse::path(KestSimDevice::Cable, 2));
        KestCommandReport report(0x01);
        report[2] = 1;
        report[4] = c.byte4;
        report.seal();
        quint8 result = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 spent = 0;
        for (int i = 0; i < c.runs; ++i) {
            c.fault(*sim);
            clock.restart();
            result = SendCommand(report);
            spent += clock.nsecsElapsed();
        }
        const double each = double(spent) / 1e6 / c.runs;
        std::printf("%-22s %8.1f %8.1f %8d %10.1f\n", c.name, double(sim->writeCount()) / c.runs,
                    double(sim->readCount()) / c.runs, result, each);
    }
    CloseDevices();
    return 0;
}
