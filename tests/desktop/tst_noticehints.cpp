// SPDX-License-Identifier: GPL-2.0-or-later
#include <unistd.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTemporaryDir>
#include <QtTest>

#include "core/kestnotices.h"
#include "privatebus.h"
#include "store/appdir.h"
#include "store/kestinifile.h"
#include "tools/osd/osdnotices.h"

namespace {

struct Received {
    QString app;
    uint replacesId;
    QString icon;
    QString summary;
    QVariantMap hints;
};

} // namespace

// A notification service that keeps everything it is handed, on its own connection.
class HintRecorder : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    ~HintRecorder() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("hint-recorder"));
    }

    bool start()
    {
        m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("hint-recorder"));
        return m_bus.isConnected()
               && m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                       QDBusConnection::ExportAllSlots)
               && m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    void close(uint id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                         QStringLiteral("org.freedesktop.Notifications"),
                                                         QStringLiteral("NotificationClosed"));
        signal << id << uint(2);
        m_bus.send(signal);
    }

    QVector<Received> received;

public slots:
    uint Notify(const QString &app, uint replacesId, const QString &icon, const QString &summary, const QString &,
                const QStringList &, const QVariantMap &hints, int)
    {
        received.append({app, replacesId, icon, summary, hints});
        // A replaced notice keeps its id, as the desktops do.
        return replacesId ? replacesId : uint(100 + received.size());
    }

private:
    QDBusConnection m_bus{QString()};
};

class TestNoticeHints : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static int urgency(const Received &notice) { return notice.hints.value(QStringLiteral("urgency")).toInt(); }
    static QString category(const Received &notice) { return notice.hints.value(QStringLiteral("category")).toString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setApplicationDir(m_dir.path());
    }

    void notices_carryHints_andRepeatsReplaceTheLast()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        HintRecorder desktop;
        QVERIFY(desktop.start());
        KestNotices notices;

        notices.batteryChanged(12, false);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 1, 3000);
        const Received low = desktop.received.at(0);
        QCOMPARE(low.app, QStringLiteral("Mouse Configuration"));
        QCOMPARE(low.icon, QStringLiteral("org.mousecfg.Mousecfg"));
        QCOMPARE(low.replacesId, 0u);
        QCOMPARE(low.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.mousecfg.Mousecfg"));
        QCOMPARE(low.hints.value(QStringLiteral("urgency")).userType(), int(QMetaType::UChar));
        QCOMPARE(urgency(low), 1);
        QVERIFY(!low.hints.contains(QStringLiteral("transient")));

        // The 5 % notice takes the place of the 15 % one and must not time out unseen.
        QTest::qWait(100); // the desktop's answer carries the id to replace
        notices.batteryChanged(4, false);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 2, 3000);
        QCOMPARE(desktop.received.at(1).replacesId, 101u);
        QCOMPARE(urgency(desktop.received.at(1)), 2);

        notices.deviceDisconnected();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 3, 3000);
        QCOMPARE(urgency(desktop.received.at(2)), 0);
        QCOMPARE(category(desktop.received.at(2)), QStringLiteral("device.removed"));
        QCOMPARE(desktop.received.at(2).replacesId, 0u); // another kind: a bubble of its own
        QTest::qWait(100);
        notices.deviceConnected();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 4, 3000);
        QCOMPARE(category(desktop.received.at(3)), QStringLiteral("device.added"));
        QCOMPARE(desktop.received.at(3).replacesId, 103u);

        // Two failed writes: one bubble, replaced; once the user closed it, a new one.
        notices.writeFinished(4, false);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 5, 3000);
        QCOMPARE(urgency(desktop.received.at(4)), 2);
        QCOMPARE(category(desktop.received.at(4)), QStringLiteral("device.error"));
        QTest::qWait(100);
        notices.writeFinished(2, false);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 6, 3000);
        QCOMPARE(desktop.received.at(5).replacesId, 105u);
        desktop.close(105);
        QTest::qWait(200);
        notices.writeFinished(2, false);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.received.size(), 7, 3000);
        QCOMPARE(desktop.received.at(6).replacesId, 0u);
    }

    void displayTexts_keepQuietAtStart_andFollowTheSwitch()
    {
        const QString settings = m_dir.filePath(QStringLiteral("Config.ini"));
        const OsdNoticeGate gate(settings);
        QVERIFY(gate.allows(-1)); // no settings file yet: on, as the tray shows it
        QVERIFY(!gate.allows(OsdNoticeGate::kQuietAfterStartMs - 1));
        QVERIFY(gate.allows(OsdNoticeGate::kQuietAfterStartMs + 1));

        QVERIFY(KestIniFile::update(settings, [](KestIniFile &file) {
            file.setInt(QStringLiteral("Config/Notifications"), 0);
        }));
        QVERIFY(!gate.allows(-1)); // read for each text: the switch counts at once

        const qint64 age = processAgeMs(::getpid());
        QVERIFY2(age >= 0 && age < 10 * 60 * 1000, QByteArray::number(age).constData());
        QCOMPARE(processAgeMs(0), qint64(-1));
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestNoticeHints)
#include "tst_noticehints.moc"
