// SPDX-License-Identifier: GPL-2.0-or-later
// The whole window against a simulated mouse that misbehaves: what the user is told and
// that the window keeps running.

#include <functional>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/kestprofilemanager.h"
#include "core/kestmousecore.h"
#include "core/kestnotices.h"
#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
#include "device/kestdeviceworker.h"
#include "device/kestdevicecontext.h"
#include "device/sim/kestsimmouse.h"
#include "store/appdir.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"
#include "widgets/kestmessagebox.h"

namespace {

KestMessageBox *openBox()
{
    return qobject_cast<KestMessageBox *>(QApplication::activeModalWidget());
}

// Collects the text of every message box that opens while `action` runs and closes it.
QStringList boxesDuring(const std::function<void()> &action)
{
    QStringList texts;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        if (KestMessageBox *box = openBox()) {
            for (QLabel *label : box->findChildren<QLabel *>())
                texts << label->text();
            box->done(0);
        }
    });
    timer.start();
    action();
    timer.stop();
    return texts;
}

} // namespace

class TestWindowLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        useFastLinkForWindowTests();
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
        m_sim = std::make_shared<KestSimMouse>(true, true);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        useFastBatteryReader(m_window->core()->batteryReader());
        // Only the exchanges of the test itself.
        m_window->core()->stopBatteryReader();
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void unconfirmedSlotSwitch_isReportedAndTheWindowGoesOn()
    {
        m_sim->setSilent(true);
        const QStringList texts = boxesDuring([this] {
            m_window->switchToSlot(2);
            // The window shows the slot at once; the mouse's answer comes later.
            QCOMPARE(m_window->core()->currentSlot(), 2);
            settle();
        });
        QVERIFY2(texts.contains(QStringLiteral("The mouse did not confirm the profile switch.")),
                 qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(m_window->core()->currentSlot(), 2);

        m_sim->clearFaults();
        const QStringList later = boxesDuring([this] {
            m_window->switchToSlot(3);
            settle();
        });
        QVERIFY2(later.isEmpty(), qPrintable(later.join(QLatin1Char('|'))));
        QCOMPARE(int(m_sim->state().selectedProfile), 3);
    }

    // A rule or the bus switched, not the user in the window: no box over the game, the
    // desktop hears of it instead.
    void unconfirmedSwitchFromOutside_isNoBox()
    {
        m_sim->setSilent(true);
        QSignalSpy unconfirmed(m_window->core(), &KestMouseCore::slotSwitchFinished);
        const QStringList texts = boxesDuring([this] {
            m_window->core()->switchSlot(4);
            settle();
        });
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(unconfirmed.count(), 1);
        QCOMPARE(unconfirmed.at(0).at(1).toInt(), 4);
        QCOMPARE(unconfirmed.at(0).at(2).toInt(), 2);

        KestNotices notices;
        QStringList sent;
        notices.setSender([&sent](const QString &summary, const QString &body) { sent << summary << body; });
        notices.slotSwitchUnconfirmed(4);
        QCOMPARE(sent, (QStringList{QStringLiteral("Profile 5 not switched"),
                                    QStringLiteral("The mouse did not confirm the profile switch.")}));
    }

    // Slot switches, an Apply, a model choice and plugging leave every exchange, every
    // opening and closing and every pointer-speed call to the device worker.
    void deviceWork_neverRunsOnTheGuiThread()
    {
        resetDeviceCallsOnGuiThread();
        m_window->core()->startBatteryReader();
        const QStringList texts = boxesDuring([this] {
            m_window->switchToSlot(1);
            m_window->profileManager()->runWriteSequence();
            m_window->switchToSlot(4);
            settle();
            m_sim->unplugDevice(KestSimDevice::Cable);
            settle();
            m_sim->plugDevice(KestSimDevice::Cable);
            settle();
            m_window->chooseProduct(QStringLiteral("KX-27"));
            settle();
        });
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(int(m_sim->state().selectedProfile), 4);
        QVERIFY(m_window->core()->connectedCount() > 0);
        QCOMPARE(deviceCallsOnGuiThread(), 0);
    }

    // The slot switch asked for first reaches the mouse first, though the mouse keeps it
    // waiting and the Apply's progress dialog is already up.
    void applyWhileASwitchWaits_followsTheSwitch()
    {
        m_sim->setSilent(true);
        m_window->switchToSlot(2);
        QTimer::singleShot(30, [this] { m_sim->clearFaults(); });
        boxesDuring([this] { QCOMPARE(m_window->profileManager()->runWriteSequence(), 0); });
        QCOMPARE(int(m_sim->state().selectedProfile), 2);
        QCOMPARE(int(KestDeviceContext::link().sentRecord().ProfileID), 2);
    }

private:
    // Until the device worker has done all it was asked and its answers have arrived.
    void settle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->core()->deviceWorker()->isIdle(), 10000);
        QTest::qWait(50);
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(TestWindowLink)
#include "tst_windowlink.moc"
