// SPDX-License-Identifier: GPL-2.0-or-later
// Profiles by program in the running utility (the core and its bus, no window needed):
// the focus moves between test windows on an Xvfb of the test's own, and the simulated
// mouse must receive the slot menu's commands of the matching slot once, after the settle
// time, and for a rule added through mousecfgctl without a restart. The switch that waits
// for a write is the core's own test.

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "app/kestdesktopbridge.h"
#include "core/kestfocusswitcher.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/focusrules.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"
#include "tests/desktop/busclient.h"
#include "tests/desktop/privatebus.h"
#include "xvfbfixture.h"

class TestFocusSwitch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    XvfbServer m_x;
    ::Window m_alpha = 0, m_beta = 0, m_gamma = 0;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<KestMouseCore> m_core;
    std::unique_ptr<KestDesktopBridge> m_faces;
    KestFocusSwitcher *m_switcher = nullptr;

    void start()
    {
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_core.reset(new KestMouseCore);
        m_faces.reset(new KestDesktopBridge(m_core.get(), nullptr));
        m_switcher = m_core->focusSwitcher();
        QVERIFY(m_switcher->watch() && m_switcher->watch()->isActive());
        QCOMPARE(m_core->currentSlot(), 0);
        m_sim->resetCounters();
    }

    // The slots of the select-slot commands the mouse received, in order.
    QVector<int> selects() const
    {
        QVector<int> seen;
        for (const KestSimTraceEntry &entry : m_sim->trace()) {
            if (entry.kind == KestSimTraceEntry::Write && entry.bytes.size() > 5 && quint8(entry.bytes[4]) == 0x44)
                seen << int(entry.bytes[5]);
        }
        return seen;
    }

    void moveFocus(bool windowManager, ::Window window)
    {
        if (windowManager)
            m_x.setActive(window);
        else
            m_x.focus(window);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
        const QString why = m_x.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        // The watch goes to this display; the window itself stays offscreen.
        qputenv("DISPLAY", m_x.name());
        qunsetenv("XDG_SESSION_TYPE");
        m_alpha = m_x.openWindow(QStringLiteral("alpha"), 10);
        m_beta = m_x.openWindow(QStringLiteral("beta"), 220);
        m_gamma = m_x.openWindow(QStringLiteral("gamma"), 430);
        QVERIFY(m_alpha && m_beta && m_gamma);
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
        KestFocusRules rules;
        rules.setRule(QStringLiteral("ALPHA"), 2); // the instance, in another case
        rules.setRule(QStringLiteral("beta"), 3);
        QVERIFY(rules.save());
        // Every case starts on a window no rule knows, with no window manager.
        m_x.removeActive();
        m_x.focus(m_gamma);
    }

    void cleanup()
    {
        m_faces.reset();
        m_core.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void cleanupTestCase() { m_x.stop(); }

    void matchingProgramSwitchesOnceAfterSettling_data()
    {
        QTest::addColumn<bool>("windowManager");
        QTest::newRow("input focus") << false;
        QTest::newRow("_NET_ACTIVE_WINDOW") << true;
    }

    void matchingProgramSwitchesOnceAfterSettling()
    {
        QFETCH(bool, windowManager);
        start();
        QElapsedTimer clock;
        clock.start();
        moveFocus(windowManager, m_alpha);
        QTest::qWait(150);
        QVERIFY(selects().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(selects(), QVector<int>{2}, 3000);
        QVERIFY(clock.elapsed() >= KestFocusSwitcher::SettleMs);
        QCOMPARE(m_core->currentSlot(), 2);
        QCOMPARE(int(m_sim->state().selectedProfile), 2);
        QTest::qWait(2 * KestFocusSwitcher::SettleMs);
        QCOMPARE(selects(), QVector<int>{2});

        // A quick flip through another program's window ends where it began: nothing.
        moveFocus(windowManager, m_beta);
        QTest::qWait(100);
        moveFocus(windowManager, m_alpha);
        QTest::qWait(3 * KestFocusSwitcher::SettleMs);
        QCOMPARE(selects(), QVector<int>{2});

        // Staying on it does switch.
        moveFocus(windowManager, m_beta);
        QTRY_COMPARE_WITH_TIMEOUT(selects(), (QVector<int>{2, 3}), 3000);
        QCOMPARE(m_core->currentSlot(), 3);
    }

    void defaultSlotOnUnmatchedProgram()
    {
        start();
        moveFocus(false, m_beta);
        QTRY_COMPARE_WITH_TIMEOUT(selects(), QVector<int>{3}, 3000);
        // No default: an unknown program leaves the slot as it is.
        moveFocus(false, m_gamma);
        QTest::qWait(3 * KestFocusSwitcher::SettleMs);
        QCOMPARE(m_core->currentSlot(), 3);
        // With one, the program in front gets it at once.
        QVERIFY(m_switcher->setDefaultSlot(1));
        QTRY_COMPARE_WITH_TIMEOUT(selects(), (QVector<int>{3, 1}), 3000);
        QCOMPARE(KestFocusRules::load().defaultSlot, 1);

        // Switched off, nothing follows the focus.
        m_switcher->setEnabled(false);
        moveFocus(false, m_alpha);
        QTest::qWait(3 * KestFocusSwitcher::SettleMs);
        QCOMPARE(selects(), (QVector<int>{3, 1}));
    }

    void ownWindowsChangeNothing()
    {
        start();
        moveFocus(false, m_alpha);
        QTRY_COMPARE_WITH_TIMEOUT(selects(), QVector<int>{2}, 3000);
        // One of the utility's windows, even with a class a rule names.
        platform::FocusWindow own;
        own.instance = QStringLiteral("beta");
        own.className = QStringLiteral("beta");
        own.pid = QCoreApplication::applicationPid();
        own.id = 1;
        emit m_switcher->watch()->focusChanged(own);
        QTest::qWait(3 * KestFocusSwitcher::SettleMs);
        QCOMPARE(selects(), QVector<int>{2});
    }

    void ruleFromTheToolAppliesAtOnce()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        start();
        moveFocus(false, m_gamma);
        QTest::qWait(2 * KestFocusSwitcher::SettleMs);
        QVERIFY(selects().isEmpty());
        QString out, err;
        QCOMPARE(BusClient::runCtl(m_app->path(), {QStringLiteral("-v"), QStringLiteral("rules"), QStringLiteral("add"),
                                                    QStringLiteral("Gamma"), QStringLiteral("5")}, // slot 5 is index 4
                                   &out, &err),
                 0);
        QVERIFY2(err.contains(QStringLiteral("session-bus")), qPrintable(err));
        QTRY_COMPARE_WITH_TIMEOUT(selects(), QVector<int>{4}, 3000);
        QCOMPARE(m_core->currentSlot(), 4);
        QCOMPARE(KestFocusRules::load().rules.size(), 3);
        QCOMPARE(BusClient::runCtl(m_app->path(), {QStringLiteral("rules"), QStringLiteral("list")}, &out, &err), 0);
        QVERIFY2(out.contains(QStringLiteral("Gamma\t5")) && out.contains(QStringLiteral("beta\t4")), qPrintable(out));
    }

    void busRefusesWhatMakesNoSense()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        start();
        BusClient client;
        QVERIFY(client.open());
        QCOMPARE(client.call(QStringLiteral("SetRule"), {QStringLiteral("x"), 5}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(client.call(QStringLiteral("SetRule"), {QStringLiteral(" "), 1}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(client.call(QStringLiteral("SetDefaultSlot"), {-2}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(client.call(QStringLiteral("RemoveRule"), {QStringLiteral("nothing")}).errorName(),
                 QStringLiteral("org.mousecfg.Mousecfg1.Error.NoSuchRule"));
        QCOMPARE(m_switcher->rules().rules.size(), 2);
        QCOMPARE(client.changesOf(QStringLiteral("Rules")), 0);

        QCOMPARE(client.call(QStringLiteral("RemoveRule"), {QStringLiteral("Beta")}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(client.changesOf(QStringLiteral("Rules")), 1);
        QCOMPARE(KestFocusRules::load().rules.size(), 1);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestFocusSwitch)
#include "tst_focusswitch.moc"
