// SPDX-License-Identifier: GPL-2.0-or-later
// KDE Plasma on Wayland: the pointer speed goes to kcminputrc per mouse and to the
// running KWin, here a fake KWin on the test's own bus, serving from its own thread as
// the real one does from its process.

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "platform/pointerspeed.h"
#include "privatebus.h"

class FakeKwinManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames READ devicesSysNames)

public:
    QStringList devicesSysNames() const { return {QStringLiteral("event4"), QStringLiteral("event7")}; }
};

class FakeKwinDevice : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(bool pointer READ pointer)
    Q_PROPERTY(bool touchpad READ touchpad)
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(uint vendor READ vendor)
    Q_PROPERTY(uint product READ product)
    Q_PROPERTY(double pointerAcceleration READ pointerAcceleration WRITE setPointerAcceleration)

public:
    FakeKwinDevice(const QString &name, bool touchpad, uint product)
        : m_name(name), m_touchpad(touchpad), m_product(product) {}

    bool pointer() const { return true; }
    bool touchpad() const { return m_touchpad; }
    QString name() const { return m_name; }
    uint vendor() const { return 0xC0DE; }
    uint product() const { return m_product; }
    double pointerAcceleration() const { return m_acceleration.loadAcquire() / 1000.0; }
    void setPointerAcceleration(double value) { m_acceleration.storeRelease(qRound(value * 1000)); }

private:
    QString m_name;
    bool m_touchpad;
    uint m_product;
    QAtomicInt m_acceleration{0};
};

class TestKwinSpeed : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QThread m_kwinThread;
    FakeKwinManager *m_manager = nullptr;
    FakeKwinDevice *m_mouse = nullptr;
    FakeKwinDevice *m_touchpad = nullptr;

private slots:
    void initTestCase()
    {
        if (!haveSessionBus())
            QSKIP("no session bus could be started");
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("XDG_SESSION_TYPE", "wayland");
        qunsetenv("DISPLAY");
        setPointerSpeedDesktopAccess(true);

        m_manager = new FakeKwinManager;
        m_mouse = new FakeKwinDevice(QStringLiteral("Gaming Mouse"), false, 0x0D01);
        m_touchpad = new FakeKwinDevice(QStringLiteral("Laptop Touchpad"), true, 0x0001);
        QDBusConnection kwin = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("kwin"));
        const auto options = QDBusConnection::ExportAllProperties;
        QVERIFY(kwin.registerObject(QStringLiteral("/org/kde/KWin/InputDevice"), m_manager, options));
        QVERIFY(kwin.registerObject(QStringLiteral("/org/kde/KWin/InputDevice/event4"), m_mouse, options));
        QVERIFY(kwin.registerObject(QStringLiteral("/org/kde/KWin/InputDevice/event7"), m_touchpad, options));
        QVERIFY(kwin.registerService(QStringLiteral("org.kde.KWin")));
        // The utility waits for KWin's answers on this thread; KWin answers from another.
        for (QObject *object : {static_cast<QObject *>(m_manager), static_cast<QObject *>(m_mouse),
                                static_cast<QObject *>(m_touchpad)})
            object->moveToThread(&m_kwinThread);
        m_kwinThread.start();
    }

    void cleanupTestCase()
    {
        m_kwinThread.quit();
        m_kwinThread.wait();
        delete m_manager;
        delete m_mouse;
        delete m_touchpad;
    }

    void speed_reachesKwinAndTheMouseGroup()
    {
        QCOMPARE(setPointerSpeed(15), 0);
        QCOMPARE(m_mouse->pointerAcceleration(), 0.5);
        QCOMPARE(m_touchpad->pointerAcceleration(), 0.0); // keeps its own
        QFile rc(m_home.filePath(QStringLiteral("kcminputrc")));
        QVERIFY(rc.open(QIODevice::ReadOnly));
        const QByteArray text = rc.readAll();
        QVERIFY2(text.contains("[Libinput][49374][3329][Gaming Mouse]\nPointerAcceleration=0.500\n"), text);
        QVERIFY2(!text.contains("Touchpad"), text);
        QCOMPARE(pointerSpeed(), 15);

        QCOMPARE(setPointerSpeed(1), 0);
        QCOMPARE(m_mouse->pointerAcceleration(), -1.0);
        QCOMPARE(pointerSpeed(), 1);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestKwinSpeed)
#include "tst_kwinspeed.moc"
