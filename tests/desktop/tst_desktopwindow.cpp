// SPDX-License-Identifier: GPL-2.0-or-later
// The window as the desktop's faces reach it: the bus's Show, the tray and a second start
// bring it up; a change made on the bus shows in it; Quit and Apply answer honestly while
// it waits in a box; the tray hands the language and its switches over to it; its profile
// area opens the rules.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestdesktopbridge.h"
#include "app/kestprofilecolumn.h"
#include "app/kestrulesdialog.h"
#include "app/kesttraystatus.h"
#include "app/mousecfgwidget.h"
#include "busclient.h"
#include "desktopfixture.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/statusdecode.h"
#include "device/sim/kestsimmouse.h"
#include "fakenotifications.h"
#include "platform/singleinstance.h"
#include "privatebus.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

class TestDesktopWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
    BusClient m_bus;

    void start(bool receiver, bool cable)
    {
        m_sim = std::make_shared<KestSimMouse>(receiver, cable);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        restartWithFastBatteryReader(m_window->core());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(useTemporaryDesktop(m_tmp));
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        QVERIFY(m_bus.open());
    }

    void init()
    {
        m_app = makeApplicationDir(m_tmp);
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    // Show means shown: a minimised window comes back as a window, from the bus and the tray
    // (a hidden one: see the second start).
    void showAndTray_restoreAMinimisedWindow()
    {
        start(true, false);
        QTRY_VERIFY(m_window->isVisible()); // past the start's own show
        m_window->showMinimized();
        QTRY_VERIFY(m_window->isMinimized());
        QCOMPARE(m_bus.call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(m_window->isVisible() && !m_window->isMinimized());
        m_window->showMinimized();
        QTRY_VERIFY(m_window->isMinimized());
        m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    }

    // The slot buttons follow a switch from the bus, and the panels a setting: what they
    // show is the new value, not an edit of the old one.
    void busChanges_showInTheWindow()
    {
        start(true, false);
        QTest::qWait(300); // past the start check
        QCOMPARE(m_bus.call(QStringLiteral("SelectSlot"), {3}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(m_window->profileColumn()->slotButton(3)->isSelected());
        QVERIFY(!m_window->profileColumn()->slotButton(0)->isSelected());

        const QDBusMessage reply = m_bus.call(QStringLiteral("SetSetting"),
                                              {-1, QStringLiteral("rate"), QStringList{QStringLiteral("500")}, true});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(statusdecode::rateCodeToHz(m_window->core()->collectedSet().profiles[3].pollrate), 500);
        QVERIFY(!m_window->core()->hasUnappliedEdits());
    }

    // Quit says why it does not end the utility; Apply answers as the tool would while the
    // window waits in a box, and puts up no dialog of its own.
    void quitAndApply_whileTheWindowWaits_answerHonestly()
    {
        start(true, false);
        QTest::qWait(300); // past the start check
        QObject::disconnect(m_window.get(), &MousecfgWidget::quitRequested, qApp, nullptr);
        QSignalSpy quit(m_window.get(), &MousecfgWidget::quitRequested);

        m_window->core()->working().profiles[3].dpi = quint8((m_window->core()->working().profiles[3].dpi + 1) % 4);
        QDBusMessage reply = m_bus.call(QStringLiteral("Quit"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        m_window->discardUnappliedEdits();

        QPointer<KestMessageBox> box = new KestMessageBox(KestMessageBox::Warning, QString(), QStringLiteral("t"),
                                                          QStringLiteral("waiting"), m_window.get());
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        QTRY_VERIFY(QApplication::activeModalWidget() == box);
        reply = m_bus.call(QStringLiteral("Quit"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.DialogOpen"));
        reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QCOMPARE(QApplication::activeModalWidget(), box.data()); // no progress dialog came
        box->hide();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        delete box;
        QCOMPARE(quit.count(), 0);

        reply = m_bus.call(QStringLiteral("Quit"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(quit.count(), 1);
    }

    // Started hidden, the window comes with the first Show; unplugging while nobody looks at
    // it is a notification, never a box.
    void hiddenStart_windowOnFirstShow_unplugOnlyNotifies()
    {
        FakeNotifications desktop;
        QVERIFY(desktop.start());
        QVERIFY(QDir(m_app->path()).mkpath(QStringLiteral("skin")));
        QVERIFY(QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/skin/icon.ico"), m_app->path() + QStringLiteral("/skin/icon.ico")));
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        KestMouseCore core;
        KestDesktopBridge faces(&core, nullptr);
        QVERIFY(!faces.window());
        QCOMPARE(m_bus.call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(faces.window() && faces.window()->isVisible());
        // Its own icon, whatever folder the program was started from (the test's has no skin).
        QVERIFY(!faces.window()->windowIcon().availableSizes().isEmpty());
        QTest::qWait(400); // past the new window's start check

        faces.window()->hide();
        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(desktop.summaries.contains(QStringLiteral("Mouse disconnected")), 3000);
        QTest::qWait(400); // past the moment the warning would come
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!faces.window()->isVisible());
    }

    void secondStart_showsTheFirstThroughTheBus()
    {
        if (!QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfg")))
            QSKIP("mousecfg is not built");
        start(true, false);
        QTRY_VERIFY(m_window->isVisible()); // past the start's own show
        m_window->hide();
        QTest::qWait(300);
        QVERIFY(!m_window->isVisible());
        // This process plays the copy that runs: it holds the lock the program takes, and
        // answers only on the bus (it has no activation socket).
        KestSingleInstance instance(singleInstanceName(readDescriptionProductName()));
        QVERIFY(instance.tryLock());
        QProcess second;
        second.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfg"), QStringList());
        QVERIFY(second.waitForStarted(5000));
        QElapsedTimer waited;
        waited.start();
        while (second.state() != QProcess::NotRunning && waited.elapsed() < 20000)
            QTest::qWait(10);
        QCOMPARE(second.exitCode(), 1);
        QTRY_VERIFY(m_window->isVisible());
    }

    // Started at login: the tray speaks the stored language before any window exists; the
    // window, once built, takes the language over and offers the tray's switches in its
    // context menu, the way to them on a desktop without a tray.
    void hiddenStart_trayHandsLanguageAndSwitchesToTheWindow()
    {
        // The build's English translation names the tray's window entry apart from its source.
        const QString lang = m_app->filePath(QStringLiteral("lang"));
        QVERIFY(QDir().mkpath(lang));
        QVERIFY(QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/lang/mousecfg_en.qm"), lang + QStringLiteral("/mousecfg_en.qm")));
        const QString source = QStringLiteral("&Load Config");
        const QString english = QCoreApplication::translate("KestTrayStatus", "&Load Config");
        QCOMPARE(english, source); // nothing loaded yet
        QVERIFY(writeLanguage(0));
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        {
            KestMouseCore core;
            KestDesktopBridge faces(&core, nullptr);
            QMenu *menu = faces.trayIcon()->contextMenu();
            const auto showEntry = [menu] { return menu->actions().at(menu->actions().size() - 4)->text(); };
            QCOMPARE(showEntry(), source);
            faces.trayStatus()->useStoredLanguage();
            const QString translated = showEntry();
            QVERIFY2(translated != source, qPrintable(translated));
            MousecfgWidget *window = faces.ensureWindow();
            // One translation installed, the window's: the entry keeps its text.
            QCOMPARE(showEntry(), translated);
            QVERIFY(window->actions().contains(faces.trayStatus()->autostartAction()));
            QVERIFY(window->actions().contains(faces.notificationsAction()));
        }
        QVERIFY(QDir(lang).removeRecursively());
        QCOMPARE(QCoreApplication::translate("KestTrayStatus", "&Load Config"), source);
    }

    void rulesDialog_openedFromTheProfileArea()
    {
        start(true, false);
        QVERIFY(m_window->profileColumn()->rulesButton());
        bool opened = false;
        QTimer::singleShot(50, this, [&opened] {
            opened = qobject_cast<KestRulesDialog *>(QApplication::activeModalWidget()) != nullptr;
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        m_window->profileColumn()->rulesButton()->click();
        QVERIFY(opened);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestDesktopWindow)
#include "tst_desktopwindow.moc"
