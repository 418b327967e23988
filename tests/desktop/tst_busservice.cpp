// SPDX-License-Identifier: GPL-2.0-or-later
// The utility's session-bus interface, driven from a second connection as a script
// would: properties that follow the simulated mouse, slot switches, writes, Show.

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestbusservice.h"
#include "app/kestdesktopbridge.h"
#include "app/kestprofilecolumn.h"
#include "app/mousecfgwidget.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/statusdecode.h"
#include "device/sim/kestsimmouse.h"
#include "fakenotifications.h"
#include "platform/singleinstance.h"
#include "privatebus.h"
#include "store/devicedescription.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

class TestBusService : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
    QDBusConnection m_client{QString()};
    QList<QVariantMap> m_changes;

    void start(bool receiver, bool cable)
    {
        m_sim = std::make_shared<KestSimMouse>(receiver, cable);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        restartWithFastBatteryReader(m_window.get());
        m_changes.clear();
    }

    // An asynchronous call with the event loop running: the service answers from this
    // very thread.
    QDBusMessage call(const QString &method, const QVariantList &args = {},
                      const QString &interface = QString::fromLatin1(KestBusService::kInterface))
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QString::fromLatin1(KestBusService::kService), QString::fromLatin1(KestBusService::kPath), interface,
            method);
        message.setArguments(args);
        QDBusPendingCall pending = m_client.asyncCall(message, 20000);
        QElapsedTimer waited;
        waited.start();
        while (!pending.isFinished() && waited.elapsed() < 20000)
            QTest::qWait(5);
        return pending.reply();
    }

    QVariant property(const QString &name)
    {
        const QDBusMessage reply =
            call(QStringLiteral("Get"), {QString::fromLatin1(KestBusService::kInterface), name},
                 QStringLiteral("org.freedesktop.DBus.Properties"));
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
        // Arrays come back marshalled.
        if (value.canConvert<QDBusArgument>())
            return qdbus_cast<QStringList>(value.value<QDBusArgument>());
        return value;
    }

    // Runs mousecfgctl while this thread keeps serving the bus; `direct` hides the bus
    // from it, so that it reads the files and the mouse itself.
    int runCtl(const QStringList &args, QString *out, QString *err, bool direct = false)
    {
        QProcess ctl;
        if (direct) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
            ctl.setProcessEnvironment(env);
        }
        ctl.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"),
                  QStringList{QStringLiteral("--app-dir"), m_app->path()} + args);
        if (!ctl.waitForStarted(5000))
            return -100;
        QElapsedTimer waited;
        waited.start();
        while (ctl.state() != QProcess::NotRunning && waited.elapsed() < 30000)
            QTest::qWait(10);
        *out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
        *err = QString::fromLocal8Bit(ctl.readAllStandardError());
        return ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -101;
    }

    static QMap<QString, QByteArray> filesUnder(const QString &root)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            files.insert(it.filePath().mid(root.size()), file.readAll());
        }
        return files;
    }

    bool changeSeen(const QString &name, const QVariant &value)
    {
        for (const QVariantMap &change : qAsConst(m_changes)) {
            if (change.contains(name) && change.value(name) == value)
                return true;
        }
        return false;
    }

private slots:
    void onPropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface == QLatin1String(KestBusService::kInterface))
            m_changes << changed;
    }

    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        m_client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("script"));
        QVERIFY(m_client.isConnected());
        QVERIFY(m_client.connect(QString::fromLatin1(KestBusService::kService),
                                 QString::fromLatin1(KestBusService::kPath),
                                 QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"), this,
                                 SLOT(onPropertiesChanged(QString, QVariantMap, QStringList))));
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void properties_followTheSimulatedMouse()
    {
        start(true, false);
        QVERIFY(m_window->findChild<KestBusService *>()->isRegistered());
        QCOMPARE(property(QStringLiteral("Connection")).toString(), QStringLiteral("receiver"));
        QCOMPARE(property(QStringLiteral("SlotNames")).toStringList().size(), 5);
        QCOMPARE(property(QStringLiteral("SlotNames")).toStringList().first(), QStringLiteral("Profile 1"));
        QCOMPARE(property(QStringLiteral("CurrentSlot")).toInt(), 0);

        m_sim->setBattery(42);
        QTRY_COMPARE_WITH_TIMEOUT(property(QStringLiteral("Battery")).toInt(), 42, 3000);
        QTRY_VERIFY(changeSeen(QStringLiteral("Battery"), 42));
        QCOMPARE(property(QStringLiteral("Charging")).toBool(), false);

        m_sim->setDpiLevelOnMouse(3);
        QTRY_VERIFY_WITH_TIMEOUT(changeSeen(QStringLiteral("DpiLevel"), 3), 3000);
        QCOMPARE(property(QStringLiteral("DpiLevel")).toInt(), 3);
        m_sim->setReportRateOnMouse(4);
        QTRY_VERIFY_WITH_TIMEOUT(changeSeen(QStringLiteral("ReportRate"), 250), 3000);

        m_sim->plugDevice(KestSimDevice::Cable);
        QTRY_VERIFY_WITH_TIMEOUT(changeSeen(QStringLiteral("Connection"), QStringLiteral("both")), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(changeSeen(QStringLiteral("Charging"), true), 3000);
        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(changeSeen(QStringLiteral("Connection"), QStringLiteral("cable")), 3000);
    }

    void selectSlot_reachesMouseAndWindow()
    {
        start(true, false);
        QCOMPARE(call(QStringLiteral("SelectSlot"), {3}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_window->currentSlot(), 3);
        QVERIFY(m_window->profileColumn()->slotButton(3)->isSelected());
        QTRY_COMPARE(int(m_sim->state().selectedProfile), 3);
        QTRY_VERIFY(changeSeen(QStringLiteral("CurrentSlot"), 3));

        for (int slot : {5, -1, 7, 1000000}) {
            const QDBusMessage refused = call(QStringLiteral("SelectSlot"), {slot});
            QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
            QCOMPARE(m_window->currentSlot(), 3);
        }
    }

    // The mouse took the switch but the settings file could not hold it: the caller hears so.
    void selectSlot_unsavable_answersNotSaved()
    {
        start(true, false);
        const QString config = globalConfigPath();
        QVERIFY(QFile::rename(config, config + QStringLiteral(".real")));
        QVERIFY(QFile::link(config + QStringLiteral(".real"), config));
        const QDBusMessage answer = call(QStringLiteral("SelectSlot"), {2});
        QCOMPARE(answer.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.NotSaved"));
        QTRY_COMPARE(int(m_sim->state().selectedProfile), 2);
    }

    // The answer waits for the mouse: a refusal is an error and the slot stays; the tool
    // through the utility exits as it does alone.
    void selectSlot_refusedByTheMouse_answersNotConfirmed()
    {
        start(true, false);
        m_sim->setSilent(true);
        const QDBusMessage refused = call(QStringLiteral("SelectSlot"), {3});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.NotConfirmed"));
        QCOMPARE(property(QStringLiteral("CurrentSlot")).toInt(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        if (QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"))) {
            QString out, err;
            QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("3")}, &out, &err), 2);
            QVERIFY2(!out.contains(QStringLiteral("selected")), qPrintable(out));
            QCOMPARE(m_window->currentSlot(), 0);
        }
    }

    // Quit says why it does not end the utility; Apply answers as the tool would while the
    // window waits in a box, and puts up no dialog of its own.
    void quitAndApply_whileTheWindowWaits_answerHonestly()
    {
        start(true, false);
        QTest::qWait(300); // past the start check
        QObject::disconnect(m_window.get(), &MousecfgWidget::quitRequested, qApp, nullptr);
        QSignalSpy quit(m_window.get(), &MousecfgWidget::quitRequested);

        m_window->workingSet().profiles[3].dpi = quint8((m_window->workingSet().profiles[3].dpi + 1) % 4);
        QDBusMessage reply = call(QStringLiteral("Quit"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        m_window->discardUnappliedEdits();

        QPointer<KestMessageBox> box = new KestMessageBox(KestMessageBox::Warning, QString(), QStringLiteral("t"),
                                                          QStringLiteral("waiting"), m_window.get());
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        QTRY_VERIFY(QApplication::activeModalWidget() == box);
        reply = call(QStringLiteral("Quit"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.DialogOpen"));
        reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QCOMPARE(QApplication::activeModalWidget(), box.data()); // no progress dialog came
        box->hide();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        delete box;
        QCOMPARE(quit.count(), 0);

        reply = call(QStringLiteral("Quit"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(quit.count(), 1);
    }

    void apply_returnsTheToolsCodes()
    {
        FakeNotifications desktop;
        QVERIFY(desktop.start());
        start(true, false);
        QTest::qWait(300); // past the start check, which shows the window
        m_window->hide();
        QDBusMessage reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QTRY_VERIFY(m_window->batteryReaderRunning());

        // A mouse that answers every command wrongly: "not confirmed", and no box waits
        // for a click.
        m_sim->setWrongEchoes(-1, 31);
        QVERIFY(writeDiff(1)); // nothing changed since: make the write send everything
        reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 2);
        m_sim->clearFaults();
        m_sim->setWriteErrors(1000);
        QVERIFY(writeDiff(1));
        reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 4);
        m_sim->clearFaults();
        // Nobody saw the window: the desktop says the writes failed.
        QTRY_COMPARE(desktop.summaries.count(QStringLiteral("Settings not written")), 2);

        // Without a mouse the window opens its disconnect warning, which runs its own
        // event loop until answered: answer it as a user would, whenever it shows.
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<KestMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        answer.start();
        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->connectedCount() == 0, 3000);
        QTest::qWait(400); // past the warning
        reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 1);
    }

    void show_raisesTheWindow()
    {
        start(true, false);
        QTRY_VERIFY(m_window->isVisible()); // past the start's own show
        m_window->hide();
        QTest::qWait(300);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(m_window->isVisible());
    }

    // Show means shown: a minimised window comes back as a window, from the bus and the tray.
    void showAndTray_restoreAMinimisedWindow()
    {
        start(true, false);
        QTRY_VERIFY(m_window->isVisible());
        m_window->showMinimized();
        QTRY_VERIFY(m_window->isMinimized());
        QCOMPARE(call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(m_window->isVisible() && !m_window->isMinimized());
        m_window->showMinimized();
        QTRY_VERIFY(m_window->isMinimized());
        m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    }

    // Started hidden: tray, bus and notices without a window, which the first Show builds;
    // unplugging while nobody looks is a notification, never a box.
    void hiddenStart_windowOnFirstShow_unplugOnlyNotifies()
    {
        FakeNotifications desktop;
        QVERIFY(desktop.start());
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        {
            KestMouseCore core;
            KestDesktopBridge faces(&core, nullptr);
            QVERIFY(faces.busService()->isRegistered());
            QVERIFY(faces.trayIcon());
            QCOMPARE(property(QStringLiteral("Connection")).toString(), QStringLiteral("receiver"));
            m_sim->unplugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(desktop.summaries.contains(QStringLiteral("Mouse disconnected")), 3000);
            QTest::qWait(400); // past the moment the warning would come
            QVERIFY(!faces.window());
            QVERIFY(!QApplication::activeModalWidget());

            m_sim->plugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(core.connectedCount() > 0, 3000);
            QCOMPARE(call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
            QTRY_VERIFY(faces.window() && faces.window()->isVisible());
            QTest::qWait(400); // past the new window's start check

            faces.window()->hide();
            m_sim->unplugDevice(KestSimDevice::Receiver);
            QTRY_VERIFY_WITH_TIMEOUT(core.connectedCount() == 0, 3000);
            QTest::qWait(400);
            QVERIFY(!QApplication::activeModalWidget());
            QVERIFY(!faces.window()->isVisible());
        }
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

    void ctl_goesThroughTheUtility_andLeavesItsReaderRunning()
    {
        if (!QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl")))
            QSKIP("mousecfgctl is not built");
        start(true, false);
        m_sim->setBattery(64);
        QTRY_COMPARE_WITH_TIMEOUT(property(QStringLiteral("Battery")).toInt(), 64, 3000);
        QString out, err;
        QCOMPARE(runCtl({QStringLiteral("-v"), QStringLiteral("status")}, &out, &err), 0);
        QVERIFY2(err.contains(QStringLiteral("session-bus")), qPrintable(err));
        QVERIFY2(out.contains(QStringLiteral("battery: 64%")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("connection: receiver")), qPrintable(out));
        QVERIFY(m_window->batteryReaderRunning());

        QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("3")}, &out, &err), 0); // counted from 1
        QCOMPARE(m_window->currentSlot(), 2);
        QCOMPARE(int(m_sim->state().selectedProfile), 2);
        QVERIFY(m_window->batteryReaderRunning());
        QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("9")}, &out, &err), 64);

        QCOMPARE(runCtl({QStringLiteral("apply"), QStringLiteral("--all")}, &out, &err), 0);
        QVERIFY2(out.contains(QStringLiteral("written")), qPrintable(out));
        m_sim->setWriteErrors(1000);
        QCOMPARE(runCtl({QStringLiteral("apply")}, &out, &err), 4);
        m_sim->clearFaults();

        // With the utility gone the tool opens the mouse itself (none here).
        m_window.reset();
        QCOMPARE(runCtl({QStringLiteral("-v"), QStringLiteral("status")}, &out, &err), 1);
        QVERIFY2(err.contains(QStringLiteral("directly")), qPrintable(err));
    }

    // What a script sees is plain bus types: no names of our own classes in the
    // introspection, and the rules as an ordered list, since the first matching rule wins.
    void introspection_plainTypes_rulesInOrder()
    {
        start(true, false);
        const QDBusMessage reply = call(QStringLiteral("Introspect"), {},
                                        QStringLiteral("org.freedesktop.DBus.Introspectable"));
        const QString xml = reply.arguments().value(0).toString();
        for (const char *name : {"CurrentSlot", "SlotNames", "Connection", "Battery", "Charging", "DpiLevel",
                                 "ReportRate", "SelectSlot", "Apply", "Show", "Quit", "InterfaceVersion",
                                 "GetSetting", "SetSetting"})
            QVERIFY2(xml.contains(QLatin1String(name)), name);
        QVERIFY(xml.contains(QStringLiteral("access=\"read\"")));
        QVERIFY(!xml.contains(QStringLiteral("access=\"readwrite\"")));
        QVERIFY2(!xml.contains(QStringLiteral("Kest")), qPrintable(xml));
        // Qt annotates the standard Properties interface itself; ours carries signatures only.
        const int ours = xml.indexOf(QStringLiteral("<interface name=\"org.mousecfg.Mousecfg1\""));
        QVERIFY(ours >= 0);
        const QString interface = xml.mid(ours, xml.indexOf(QStringLiteral("</interface>"), ours) - ours);
        QVERIFY2(!interface.contains(QStringLiteral("annotation")), qPrintable(interface));
        const QRegularExpression rulesProperty(QStringLiteral("<property [^>]*name=\"Rules\"[^>]*>"));
        QVERIFY2(rulesProperty.match(xml).captured().contains(QStringLiteral("type=\"a(si)\"")), qPrintable(xml));
        QCOMPARE(property(QStringLiteral("InterfaceVersion")).toUInt(), 2u);

        for (const auto &rule : {qMakePair(QStringLiteral("zeta"), 1), qMakePair(QStringLiteral("alpha"), 3),
                                 qMakePair(QStringLiteral("mid"), 0)})
            QCOMPARE(call(QStringLiteral("SetRule"), {rule.first, rule.second}).type(), QDBusMessage::ReplyMessage);
        const QDBusMessage rules = call(QStringLiteral("Get"), {QString::fromLatin1(KestBusService::kInterface),
                                                                QStringLiteral("Rules")},
                                        QStringLiteral("org.freedesktop.DBus.Properties"));
        const QDBusArgument list = rules.arguments().value(0).value<QDBusVariant>().variant().value<QDBusArgument>();
        QCOMPARE(list.currentSignature(), QStringLiteral("a(si)"));
        QStringList seen;
        list.beginArray();
        while (!list.atEnd()) {
            QString program;
            int slot = -1;
            list.beginStructure();
            list >> program >> slot;
            list.endStructure();
            seen << QStringLiteral("%1=%2").arg(program).arg(slot);
        }
        list.endArray();
        QCOMPARE(seen, (QStringList{QStringLiteral("zeta=1"), QStringLiteral("alpha=3"), QStringLiteral("mid=0")}));
        if (QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"))) {
            QString out, err;
            QCOMPARE(runCtl({QStringLiteral("rules"), QStringLiteral("list")}, &out, &err), 0);
            QCOMPARE(out, QStringLiteral("zeta\t2\nalpha\t4\nmid\t1\ndefault: none\n"));
        }
    }

    // A setting changed on the bus is saved, reaches the mouse when it holds that slot and
    // shows in the window's panels; the tool's checks answer as bus errors.
    void setSetting_savesSendsAndShows_getReadsItBack()
    {
        start(true, false);
        QTest::qWait(300); // past the start check
        QDBusMessage reply = call(QStringLiteral("SetSetting"),
                                  {-1, QStringLiteral("rate"), QStringList{QStringLiteral("500")}, true});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QCOMPARE(call(QStringLiteral("GetSetting"), {0, QStringLiteral("rate"), QString()}).arguments().value(0),
                 QVariant(QStringLiteral("500")));
        // The collector reads the panels: they show the new rate, not an edit of the old one.
        QCOMPARE(statusdecode::rateCodeToHz(m_window->core()->collectedSet().profiles[0].pollrate), 500);
        QVERIFY(!m_window->core()->hasUnappliedEdits());
        QCOMPARE(statusdecode::rateCodeToHz(m_sim->slot(0).reportRate), 500);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(statusdecode::rateCodeToHz(saved.profiles[0].pollrate), 500);

        // Another slot is saved only; it reaches the mouse when it becomes current.
        reply = call(QStringLiteral("SetSetting"),
                     {2, QStringLiteral("dpi"), QStringList{QStringLiteral("2"), QStringLiteral("1600")}, true});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(call(QStringLiteral("GetSetting"), {2, QStringLiteral("dpi"), QStringLiteral("2")}).arguments().value(0),
                 QVariant(QStringLiteral("1600")));

        reply = call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("300")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Refused"));
        QVERIFY2(reply.errorMessage().contains(QStringLiteral("125, 250, 500 or 1000")), qPrintable(reply.errorMessage()));
        reply = call(QStringLiteral("SetSetting"), {-1, QStringLiteral("ratee"), QStringList{QStringLiteral("1")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(call(QStringLiteral("GetSetting"), {0, QStringLiteral("ratee"), QString()}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(call(QStringLiteral("GetSetting"), {5, QStringLiteral("rate"), QString()}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }

    // What GetSettings answers, SetSetting takes back unchanged: the files stay byte for byte.
    void getSettingsThenSetEachBack_leavesTheFilesAsTheyWere()
    {
        start(true, false);
        QTest::qWait(300);
        for (const QStringList &change : {QStringList{QStringLiteral("dpi"), QStringLiteral("3"), QStringLiteral("1600")},
                                          {QStringLiteral("button"), QStringLiteral("4"), QStringLiteral("combo"),
                                           QStringLiteral("ctrl+shift+z")},
                                          {QStringLiteral("effect"), QStringLiteral("breathing")},
                                          {QStringLiteral("key-response"), QStringLiteral("33")}}) {
            const QDBusMessage reply =
                call(QStringLiteral("SetSetting"), {-1, change.first(), QStringList(change.mid(1)), false});
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
        }
        const QStringList lines = call(QStringLiteral("GetSettings"), {-1}).arguments().value(0).toStringList();
        QVERIFY(lines.contains(QStringLiteral("effect breathing")));
        QVERIFY(lines.contains(QStringLiteral("button 4 combo shift+ctrl+z")));
        const QJsonObject json = QJsonDocument::fromJson(
            call(QStringLiteral("GetSettingsJson"), {-1}).arguments().value(0).toString().toUtf8()).object();
        QCOMPARE(json.value(QStringLiteral("key-response")).toInt(), 33);

        const auto before = filesUnder(m_app->filePath(QStringLiteral("Configs")));
        for (const QString &line : lines) {
            const QStringList words = line.split(QLatin1Char(' '));
            if (words.first() == QLatin1String("dpi-levels"))
                continue; // read only
            const QDBusMessage reply =
                call(QStringLiteral("SetSetting"), {-1, words.first(), QStringList(words.mid(1)), false});
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(line + QLatin1String(": ") + reply.errorMessage()));
        }
        QCOMPARE(filesUnder(m_app->filePath(QStringLiteral("Configs"))), before);
    }

    // While a write the bus started runs, a second call is told so, not answered as done.
    void callsDuringABusWrite_answerBusy()
    {
        start(true, false);
        QTest::qWait(300);
        QVERIFY(writeDiff(1)); // the write sends everything: it outlasts the calls below
        QDBusMessage apply = QDBusMessage::createMethodCall(
            QString::fromLatin1(KestBusService::kService), QString::fromLatin1(KestBusService::kPath),
            QString::fromLatin1(KestBusService::kInterface), QStringLiteral("Apply"));
        QDBusPendingCall first = m_client.asyncCall(apply, 20000);
        QDBusMessage reply = call(QStringLiteral("Apply"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Busy"));
        reply = call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Busy"));
        QTRY_VERIFY_WITH_TIMEOUT(first.isFinished(), 20000);
        QCOMPARE(first.reply().arguments().value(0).toInt(), 0);
        QVERIFY(statusdecode::rateCodeToHz(m_window->core()->appliedSet().profiles[0].pollrate) != 250);
    }

    // The user's unapplied edits are neither overwritten, saved, sent nor dropped by a script.
    void setSetting_whileTheWindowHoldsEdits_refusesWhatWouldTouchThem()
    {
        start(true, false);
        QTest::qWait(300);
        ProfileRecord &edited = m_window->workingSet().profiles[3];
        edited.scrollspeed = quint8(edited.scrollspeed % 20 + 1);
        const quint8 edit = edited.scrollspeed;
        QDBusMessage reply = call(QStringLiteral("SetSetting"),
                                  {3, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, false});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        // A write would carry the edit along.
        reply = call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        // A slot of its own, saved only, touches nothing of the user's.
        reply = call(QStringLiteral("SetSetting"), {1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, false});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_window->workingSet().profiles[3].scrollspeed, edit);
        QVERIFY(m_window->core()->hasUnappliedEdits());
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QVERIFY(saved.profiles[3].scrollspeed != edit);
        QCOMPARE(statusdecode::rateCodeToHz(saved.profiles[1].pollrate), 250);
    }

    // Through a running utility the tool changes settings instead of refusing, and reads
    // and prints them as it does alone.
    void ctlSetAndGet_goThroughTheUtility()
    {
        if (!QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl")))
            QSKIP("mousecfgctl is not built");
        start(true, false);
        QTest::qWait(300);
        QString out, err;
        QCOMPARE(runCtl({QStringLiteral("-v"), QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("500")},
                        &out, &err),
                 0);
        QVERIFY2(err.contains(QStringLiteral("session-bus")), qPrintable(err));
        QCOMPARE(statusdecode::rateCodeToHz(m_window->core()->collectedSet().profiles[0].pollrate), 500);
        QCOMPARE(runCtl({QStringLiteral("get"), QStringLiteral("rate")}, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("500\n"));
        QCOMPARE(runCtl({QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("300")}, &out, &err), 65);
        QCOMPARE(runCtl({QStringLiteral("set"), QStringLiteral("ratee"), QStringLiteral("3")}, &out, &err), 64);

        for (const QStringList &get : {QStringList{QStringLiteral("--json"), QStringLiteral("get")},
                                       QStringList{QStringLiteral("--slot"), QStringLiteral("3"), QStringLiteral("get")},
                                       QStringList{QStringLiteral("--json"), QStringLiteral("get"), QStringLiteral("dpi"),
                                                   QStringLiteral("2")}}) {
            QString viaBus, direct;
            QCOMPARE(runCtl(get, &viaBus, &err), 0);
            QCOMPARE(runCtl(get, &direct, &err, true), 0);
            QVERIFY(!viaBus.isEmpty());
            QCOMPARE(viaBus, direct);
        }
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestBusService)
#include "tst_busservice.moc"
