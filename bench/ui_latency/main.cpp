// SPDX-License-Identifier: GPL-2.0-or-later
// The window against the simulated mouse, with the link's real pauses. A 5 ms timer probes
// the GUI event loop; every tick that comes late is a stall the user would feel.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QVector>
#include <QWindow>

#include "app/kestlanguage.h"
#include "app/kestprofilemanager.h"
#include "app/mousecfgwidget.h"
#include "buttons/keys/functioncatalogue.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "store/macrodb.h"
#include "widgets/kestmessagebox.h"

namespace {

constexpr int kProbeMs = 5;

QElapsedTimer g_sinceMain;

// Ticks of the probe: how late each one came, in milliseconds.
class Probe
{
public:
    Probe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kProbeMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_late.append(double(now - m_last) / 1e6 - kProbeMs);
            m_last = now;
        });
    }
    void start()
    {
        m_late.clear();
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    double worst() const
    {
        return m_late.isEmpty() ? 0 : std::max(0.0, *std::max_element(m_late.begin(), m_late.end()));
    }
    double p99() const
    {
        if (m_late.isEmpty())
            return 0;
        QVector<double> sorted = m_late;
        std::sort(sorted.begin(), sorted.end());
        return std::max(0.0, sorted.at(std::min<int>(sorted.size() - 1, int(sorted.size() * 0.99))));
    }
    int ticks() const { return m_late.size(); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    QVector<double> m_late;
};

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

void writeSettings(const QString &appDir)
{
    QDir(appDir).mkpath(QStringLiteral("Configs"));
    QSettings config(appDir + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    if (!config.contains(QStringLiteral("Mouse_List/0"))) {
        config.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
        config.setValue(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
        config.setValue(QStringLiteral("MouseSenSor/1"), 3389);
    }
    if (config.value(QStringLiteral("FONT_LIST/LANGNUM")).toInt() < 2) {
        config.setValue(QStringLiteral("FONT_LIST/LANGNUM"), 2);
        config.setValue(QStringLiteral("FONT_LIST/LangName_0"), QStringLiteral("English"));
        config.setValue(QStringLiteral("FONT_LIST/LangFile_0"), QStringLiteral("mousecfg_en"));
        config.setValue(QStringLiteral("FONT_LIST/LangName_1"), QStringLiteral("Français"));
        config.setValue(QStringLiteral("FONT_LIST/LangFile_1"), QStringLiteral("mousecfg_fr"));
    }
}

// Twelve macros of 24 steps on the current slot's first twelve buttons.
void giveTwelveMacros(ConfigRecord &set)
{
    ProfileRecord &profile = set.profiles[size_t(activeSlotIndex(set))];
    for (int m = 0; m < 12; ++m) {
        const QString name = QStringLiteral("bench_%1").arg(m);
        QVector<MacroAction> actions;
        for (int s = 0; s < 24; ++s)
            actions.append({quint8(s % 2 ? MACRO_KEY_UP : MACRO_KEY_DOWN), 0, quint8(4 + s / 2)});
        if (!saveMacro(name, MacroSettings{}, actions))
            qFatal("cannot write the macro files the measurement needs");
        ButtonInfo &button = profile.BUTTON_INFO[size_t(m + 2)];
        button.Fun = FunMacro;
        button.macroname = name;
        button.LoopNumber = 1;
    }
}

struct Result
{
    QString name;
    double worst;
    double p99;
    int ticks;
};

QVector<Result> g_results;

// Runs `action` from the event loop and probes for `ms` afterwards.
void scenario(const QString &name, int ms, const std::function<void()> &action)
{
    Probe probe;
    QEventLoop loop;
    probe.start();
    QTimer::singleShot(20, action);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    probe.stop();
    g_results.append({name, probe.worst(), probe.p99(), probe.ticks()});
    if (qEnvironmentVariableIsSet("MOUSECFG_BENCH_EVENTS"))
        std::fprintf(stderr, "(the events above: %s)\n", qPrintable(name));
    std::printf("%-28s worst %7.1f ms   p99 %6.1f ms   (%d ticks)   resident %ld kB\n",
                qPrintable(name), probe.worst(), probe.p99(), probe.ticks(), residentKb());
    std::fflush(stdout);
}

// With MOUSECFG_BENCH_EVENTS=MS, every event the loop spends longer on is named on stderr,
// with the scenario it fell in: where a stall comes from.
class EventTimingApplication final : public QApplication
{
public:
    EventTimingApplication(int &argc, char **argv)
        : QApplication(argc, argv)
        , m_thresholdNs(qEnvironmentVariableIntValue("MOUSECFG_BENCH_EVENTS") * qint64(1000000))
    {
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_thresholdNs <= 0)
            return QApplication::notify(receiver, event);
        QElapsedTimer clock;
        clock.start();
        const int type = event->type();
        const QByteArray name = QByteArray(receiver->metaObject()->className()) + '/' + receiver->objectName().toUtf8();
        ++m_depth;
        const bool done = QApplication::notify(receiver, event);
        --m_depth;
        if (clock.nsecsElapsed() > m_thresholdNs)
            std::fprintf(stderr, "event %*s%.1f ms, type %d, %s\n", m_depth * 2, "", double(clock.nsecsElapsed()) / 1e6,
                         type, name.constData());
        return done;
    }

private:
    qint64 m_thresholdNs;
    int m_depth = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    g_sinceMain.start();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    // No notifications and no bus interface on the developer's own session.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mousecfg-no-bus");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));

    // As the utility does: nothing here draws with OpenGL (its driver alone is tens of MB).
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    EventTimingApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    app.setQuitOnLastWindowClosed(false);

    const QString appDir = home.path() + QStringLiteral("/app");
    copyTree(QStringLiteral(MOUSECFG_APPDIR_SOURCE), appDir);
    writeSettings(appDir);
    setApplicationDir(appDir);
    // The desktop's real pointer speed is the developer's: never touched here.
    setPointerSpeedDesktopAccess(false);

    auto sim = std::make_shared<KestSimMouse>(true, true);
    setHidBackend(sim);

    // Any question or warning is answered at once, as a quick user would.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<KestMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(50);

    QElapsedTimer startClock;
    startClock.start();
    const qint64 beforeWindowMs = g_sinceMain.elapsed();
    auto window = std::make_unique<MousecfgWidget>();
    const qint64 constructedMs = startClock.elapsed();
    window->show();
    QEventLoop wait;
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && startClock.elapsed() < 5000)
        wait.processEvents(QEventLoop::AllEvents, 5);
    const qint64 shownMs = startClock.elapsed();
    std::printf("construction %lld ms, construction to exposed %lld ms, main to exposed %lld ms\n",
                constructedMs, shownMs, beforeWindowMs + shownMs);

    scenario(QStringLiteral("start-up after show"), 500, [] {});
    const long rssAfterStart = residentKb();
    scenario(QStringLiteral("page switch"), 800, [&] {
        for (int page = 0; page < 4; ++page)
            QTimer::singleShot(page * 150, window.get(), [&, page] { window->showPage((page + 1) % 4); });
    });
    scenario(QStringLiteral("language switch"), 800, [&] {
        window->language()->choose(1);
        QTimer::singleShot(300, window.get(), [&] { window->language()->choose(0); });
    });
    scenario(QStringLiteral("slot switch, answering"), 1500, [&] { window->switchToSlot(1); });
    scenario(QStringLiteral("slot switch, silent mouse"), 8000, [&] {
        sim->setSilent(true);
        window->switchToSlot(2);
    });
    sim->setSilent(false);
    scenario(QStringLiteral("cable unplugged"), 1500, [&] { sim->unplugDevice(KestSimDevice::Cable); });
    scenario(QStringLiteral("cable plugged"), 1500, [&] { sim->plugDevice(KestSimDevice::Cable); });
    scenario(QStringLiteral("receiver unplugged"), 1500, [&] { sim->unplugDevice(KestSimDevice::Receiver); });
    scenario(QStringLiteral("receiver plugged"), 1500, [&] { sim->plugDevice(KestSimDevice::Receiver); });
    scenario(QStringLiteral("all unplugged"), 1500, [&] {
        sim->unplugDevice(KestSimDevice::Cable);
        sim->unplugDevice(KestSimDevice::Receiver);
    });
    scenario(QStringLiteral("all plugged"), 1500, [&] {
        sim->plugDevice(KestSimDevice::Receiver);
        sim->plugDevice(KestSimDevice::Cable);
    });
    giveTwelveMacros(window->core()->working());
    scenario(QStringLiteral("apply, twelve macros"), 6000, [&] { window->profileManager()->runWriteSequence(); });

    std::printf("start to shown: %lld ms\n", beforeWindowMs + shownMs);
    std::printf("resident memory after start: %ld kB, at the end: %ld kB\n", rssAfterStart, residentKb());
    double worst = 0;
    for (const Result &r : qAsConst(g_results))
        worst = std::max(worst, r.worst);
    window.reset();
    std::printf("worst stall: %d ms\n", int(worst + 0.5));
    return 0;
}
