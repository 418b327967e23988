// The whole window against a simulated mouse that misbehaves: what the user is told and
// that the window keeps running.

#include <functional>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
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
        useFastBatteryReader(m_window->batteryReader());
        // Only the exchanges of the test itself.
        m_window->stopBatteryReader();
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
        const QStringList texts = boxesDuring([this] { m_window->switchToSlot(2); });
        QVERIFY2(texts.contains(QStringLiteral("The mouse did not confirm the profile switch.")),
                 qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(m_window->currentSlot(), 2);

        m_sim->clearFaults();
        QVERIFY(boxesDuring([this] { m_window->switchToSlot(3); }).isEmpty());
        QCOMPARE(int(m_sim->state().selectedProfile), 3);
    }

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(TestWindowLink)
#include "tst_windowlink.moc"
