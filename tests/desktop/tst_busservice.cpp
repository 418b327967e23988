// SPDX-License-Identifier: GPL-2.0-or-later
// The utility's session-bus interface over the core alone, as after a start at login,
// driven from a second connection as a script would: properties that follow the simulated
// mouse, slot switches, writes, settings, rules, and mousecfgctl going through it.

#include <QApplication>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestbusservice.h"
#include "app/kestdesktopbridge.h"
#include "busclient.h"
#include "desktopfixture.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/statusdecode.h"
#include "device/sim/kestsimmouse.h"
#include "fakenotifications.h"
#include "privatebus.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

class TestBusService : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<KestMouseCore> m_core;
    std::unique_ptr<KestDesktopBridge> m_faces;
    BusClient m_bus;

    void start(bool receiver, bool cable)
    {
        m_sim = std::make_shared<KestSimMouse>(receiver, cable);
        setHidBackend(m_sim);
        m_core.reset(new KestMouseCore);
        restartWithFastBatteryReader(m_core.get());
        m_faces.reset(new KestDesktopBridge(m_core.get(), nullptr));
        m_bus.forgetChanges();
    }

    int runCtl(const QStringList &args, QString *out, QString *err, bool direct = false)
    {
        return BusClient::runCtl(m_app->path(), args, out, err, direct);
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
        m_faces.reset();
        m_core.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void properties_followTheSimulatedMouse()
    {
        start(true, false);
        QVERIFY(m_faces->busService()->isRegistered());
        QCOMPARE(m_bus.property(QStringLiteral("Connection")).toString(), QStringLiteral("receiver"));
        QCOMPARE(m_bus.property(QStringLiteral("SlotNames")).toStringList().size(), 5);
        QCOMPARE(m_bus.property(QStringLiteral("SlotNames")).toStringList().first(), QStringLiteral("Profile 1"));
        QCOMPARE(m_bus.property(QStringLiteral("CurrentSlot")).toInt(), 0);

        m_sim->setBattery(42);
        QTRY_COMPARE_WITH_TIMEOUT(m_bus.property(QStringLiteral("Battery")).toInt(), 42, 3000);
        QTRY_VERIFY(m_bus.changeSeen(QStringLiteral("Battery"), 42));
        QCOMPARE(m_bus.property(QStringLiteral("Charging")).toBool(), false);

        m_sim->setDpiLevelOnMouse(3);
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.changeSeen(QStringLiteral("DpiLevel"), 3), 3000);
        QCOMPARE(m_bus.property(QStringLiteral("DpiLevel")).toInt(), 3);
        m_sim->setReportRateOnMouse(4);
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.changeSeen(QStringLiteral("ReportRate"), 250), 3000);

        m_sim->plugDevice(KestSimDevice::Cable);
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.changeSeen(QStringLiteral("Connection"), QStringLiteral("both")), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.changeSeen(QStringLiteral("Charging"), true), 3000);
        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.changeSeen(QStringLiteral("Connection"), QStringLiteral("cable")), 3000);
    }

    void selectSlot_reachesTheMouse_refusesSlotsOutOfRange()
    {
        start(true, false);
        QCOMPARE(m_bus.call(QStringLiteral("SelectSlot"), {3}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_core->currentSlot(), 3);
        QTRY_COMPARE(int(m_sim->state().selectedProfile), 3);
        QTRY_VERIFY(m_bus.changeSeen(QStringLiteral("CurrentSlot"), 3));

        for (int slot : {5, -1, 7, 1000000}) {
            const QDBusMessage refused = m_bus.call(QStringLiteral("SelectSlot"), {slot});
            QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
            QCOMPARE(m_core->currentSlot(), 3);
        }
    }

    // The mouse took the switch but the settings file could not hold it: the caller hears so.
    void selectSlot_unsavable_answersNotSaved()
    {
        start(true, false);
        const QString config = globalConfigPath();
        QVERIFY(QFile::rename(config, config + QStringLiteral(".real")));
        QVERIFY(QFile::link(config + QStringLiteral(".real"), config));
        const QDBusMessage answer = m_bus.call(QStringLiteral("SelectSlot"), {2});
        QCOMPARE(answer.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.NotSaved"));
        QTRY_COMPARE(int(m_sim->state().selectedProfile), 2);
    }

    // The answer waits for the mouse: a refusal is an error and the slot stays; the tool
    // through the utility exits as it does alone.
    void selectSlot_refusedByTheMouse_answersNotConfirmed()
    {
        start(true, false);
        m_sim->setSilent(true);
        const QDBusMessage refused = m_bus.call(QStringLiteral("SelectSlot"), {3});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.NotConfirmed"));
        QCOMPARE(m_bus.property(QStringLiteral("CurrentSlot")).toInt(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        if (QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"))) {
            QString out, err;
            QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("3")}, &out, &err), 2);
            QVERIFY2(!out.contains(QStringLiteral("selected")), qPrintable(out));
            QCOMPARE(m_core->currentSlot(), 0);
        }
    }

    void apply_returnsTheToolsCodes()
    {
        FakeNotifications desktop;
        QVERIFY(desktop.start());
        start(true, false);
        QDBusMessage reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QTRY_VERIFY(m_core->batteryReaderRunning());

        // A mouse that answers every command wrongly: "not confirmed", and no box waits
        // for a click.
        m_sim->setWrongEchoes(-1, 31);
        QVERIFY(writeDiff(1)); // nothing changed since: make the write send everything
        reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 2);
        m_sim->clearFaults();
        m_sim->setWriteErrors(1000);
        QVERIFY(writeDiff(1));
        reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 4);
        m_sim->clearFaults();
        // Nobody looks at a window: the desktop says the writes failed.
        QTRY_COMPARE(desktop.summaries.count(QStringLiteral("Settings not written")), 2);

        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(m_core->connectedCount() == 0, 3000);
        reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.arguments().value(0).toInt(), 1);
    }

    void ctl_goesThroughTheUtility_andLeavesItsReaderRunning()
    {
        if (!QFile::exists(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl")))
            QSKIP("mousecfgctl is not built");
        start(true, false);
        m_sim->setBattery(64);
        QTRY_COMPARE_WITH_TIMEOUT(m_bus.property(QStringLiteral("Battery")).toInt(), 64, 3000);
        QString out, err;
        const int status = runCtl({QStringLiteral("-v"), QStringLiteral("status")}, &out, &err);
        QVERIFY2(status == 0, qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("session-bus")), qPrintable(err));
        QVERIFY2(out.contains(QStringLiteral("battery: 64%")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("connection: receiver")), qPrintable(out));
        QVERIFY(m_core->batteryReaderRunning());

        QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("3")}, &out, &err), 0); // counted from 1
        QCOMPARE(m_core->currentSlot(), 2);
        QCOMPARE(int(m_sim->state().selectedProfile), 2);
        QVERIFY(m_core->batteryReaderRunning());
        QCOMPARE(runCtl({QStringLiteral("select-slot"), QStringLiteral("9")}, &out, &err), 64);

        QCOMPARE(runCtl({QStringLiteral("apply"), QStringLiteral("--all")}, &out, &err), 0);
        QVERIFY2(out.contains(QStringLiteral("written")), qPrintable(out));
        m_sim->setWriteErrors(1000);
        QCOMPARE(runCtl({QStringLiteral("apply")}, &out, &err), 4);
        m_sim->clearFaults();

        // With the utility gone the tool opens the mouse itself (none here).
        m_faces.reset();
        QCOMPARE(runCtl({QStringLiteral("-v"), QStringLiteral("status")}, &out, &err), 1);
        QVERIFY2(err.contains(QStringLiteral("directly")), qPrintable(err));
    }

    // What a script sees is plain bus types: no names of our own classes in the
    // introspection, and the rules as an ordered list, since the first matching rule wins.
    void introspection_plainTypes_rulesInOrder()
    {
        start(true, false);
        const QDBusMessage reply = m_bus.call(QStringLiteral("Introspect"), {},
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
        QCOMPARE(m_bus.property(QStringLiteral("InterfaceVersion")).toUInt(), 2u);

        for (const auto &rule : {qMakePair(QStringLiteral("zeta"), 1), qMakePair(QStringLiteral("alpha"), 3),
                                 qMakePair(QStringLiteral("mid"), 0)})
            QCOMPARE(m_bus.call(QStringLiteral("SetRule"), {rule.first, rule.second}).type(), QDBusMessage::ReplyMessage);
        const QDBusMessage rules = m_bus.call(QStringLiteral("Get"), {QString::fromLatin1(KestBusService::kInterface),
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

    // A setting changed on the bus is saved and reaches the mouse when it holds that slot;
    // the tool's checks answer as bus errors.
    void setSetting_savesSendsAndShows_getReadsItBack()
    {
        start(true, false);
        QDBusMessage reply = m_bus.call(QStringLiteral("SetSetting"),
                                  {-1, QStringLiteral("rate"), QStringList{QStringLiteral("500")}, true});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toInt(), 0);
        QCOMPARE(m_bus.call(QStringLiteral("GetSetting"), {0, QStringLiteral("rate"), QString()}).arguments().value(0),
                 QVariant(QStringLiteral("500")));
        QVERIFY(!m_core->hasUnappliedEdits());
        QCOMPARE(statusdecode::rateCodeToHz(m_sim->slot(0).reportRate), 500);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(statusdecode::rateCodeToHz(saved.profiles[0].pollrate), 500);

        // Another slot is saved only; it reaches the mouse when it becomes current.
        reply = m_bus.call(QStringLiteral("SetSetting"),
                     {2, QStringLiteral("dpi"), QStringList{QStringLiteral("2"), QStringLiteral("1600")}, true});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_bus.call(QStringLiteral("GetSetting"), {2, QStringLiteral("dpi"), QStringLiteral("2")}).arguments().value(0),
                 QVariant(QStringLiteral("1600")));

        reply = m_bus.call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("300")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Refused"));
        QVERIFY2(reply.errorMessage().contains(QStringLiteral("125, 250, 500 or 1000")), qPrintable(reply.errorMessage()));
        reply = m_bus.call(QStringLiteral("SetSetting"), {-1, QStringLiteral("ratee"), QStringList{QStringLiteral("1")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(m_bus.call(QStringLiteral("GetSetting"), {0, QStringLiteral("ratee"), QString()}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(m_bus.call(QStringLiteral("GetSetting"), {5, QStringLiteral("rate"), QString()}).errorName(),
                 QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }

    // What GetSettings answers, SetSetting takes back unchanged: the files stay byte for byte.
    void getSettingsThenSetEachBack_leavesTheFilesAsTheyWere()
    {
        start(true, false);
        for (const QStringList &change : {QStringList{QStringLiteral("dpi"), QStringLiteral("3"), QStringLiteral("1600")},
                                          {QStringLiteral("button"), QStringLiteral("4"), QStringLiteral("combo"),
                                           QStringLiteral("ctrl+shift+z")},
                                          {QStringLiteral("effect"), QStringLiteral("breathing")},
                                          {QStringLiteral("key-response"), QStringLiteral("33")}}) {
            const QDBusMessage reply =
                m_bus.call(QStringLiteral("SetSetting"), {-1, change.first(), QStringList(change.mid(1)), false});
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
        }
        const QStringList lines = m_bus.call(QStringLiteral("GetSettings"), {-1}).arguments().value(0).toStringList();
        QVERIFY(lines.contains(QStringLiteral("effect breathing")));
        QVERIFY(lines.contains(QStringLiteral("button 4 combo shift+ctrl+z")));
        const QJsonObject json = QJsonDocument::fromJson(
            m_bus.call(QStringLiteral("GetSettingsJson"), {-1}).arguments().value(0).toString().toUtf8()).object();
        QCOMPARE(json.value(QStringLiteral("key-response")).toInt(), 33);

        const auto before = filesUnder(m_app->filePath(QStringLiteral("Configs")));
        for (const QString &line : lines) {
            const QStringList words = line.split(QLatin1Char(' '));
            if (words.first() == QLatin1String("dpi-levels"))
                continue; // read only
            const QDBusMessage reply =
                m_bus.call(QStringLiteral("SetSetting"), {-1, words.first(), QStringList(words.mid(1)), false});
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(line + QLatin1String(": ") + reply.errorMessage()));
        }
        QCOMPARE(filesUnder(m_app->filePath(QStringLiteral("Configs"))), before);
    }

    // While a write the bus started runs, a second call is told so, not answered as done.
    void callsDuringABusWrite_answerBusy()
    {
        start(true, false);
        QVERIFY(writeDiff(1)); // the write sends everything: it outlasts the calls below
        QDBusPendingCall first = m_bus.callLater(QStringLiteral("Apply"));
        QDBusMessage reply = m_bus.call(QStringLiteral("Apply"));
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Busy"));
        reply = m_bus.call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.Busy"));
        QTRY_VERIFY_WITH_TIMEOUT(first.isFinished(), 20000);
        QCOMPARE(first.reply().arguments().value(0).toInt(), 0);
        QVERIFY(statusdecode::rateCodeToHz(m_core->appliedSet().profiles[0].pollrate) != 250);
    }

    // The user's unapplied edits are neither overwritten, saved, sent nor dropped by a script.
    void setSetting_withUnappliedEdits_refusesWhatWouldTouchThem()
    {
        start(true, false);
        ProfileRecord &edited = m_core->working().profiles[3];
        edited.scrollspeed = quint8(edited.scrollspeed % 20 + 1);
        const quint8 edit = edited.scrollspeed;
        QDBusMessage reply = m_bus.call(QStringLiteral("SetSetting"),
                                  {3, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, false});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        // A write would carry the edit along.
        reply = m_bus.call(QStringLiteral("SetSetting"), {-1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, true});
        QCOMPARE(reply.errorName(), QStringLiteral("org.mousecfg.Mousecfg1.Error.UnappliedEdits"));
        // A slot of its own, saved only, touches nothing of the user's.
        reply = m_bus.call(QStringLiteral("SetSetting"), {1, QStringLiteral("rate"), QStringList{QStringLiteral("250")}, false});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_core->working().profiles[3].scrollspeed, edit);
        QVERIFY(m_core->hasUnappliedEdits());
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
        QString out, err;
        QCOMPARE(runCtl({QStringLiteral("-v"), QStringLiteral("set"), QStringLiteral("rate"), QStringLiteral("500")},
                        &out, &err),
                 0);
        QVERIFY2(err.contains(QStringLiteral("session-bus")), qPrintable(err));
        QCOMPARE(statusdecode::rateCodeToHz(m_core->collectedSet().profiles[0].pollrate), 500);
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
