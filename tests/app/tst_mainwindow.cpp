// SPDX-License-Identifier: GPL-2.0-or-later
// The main window against the simulated mouse: start with and without a mouse, the
// lighting the mouse reports, the battery and connection display, hot-plug, the tray, the
// pages and the scale.

#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/kestdesktopbridge.h"
#include "app/kestfirmwarehandoff.h"
#include "app/kestlanguage.h"
#include "app/kestpagestack.h"
#include "app/kestprofilecolumn.h"
#include "app/kestscale.h"
#include "app/keststatusarea.h"
#include "app/mousecfgwidget.h"
#include "core/kestmousecore.h"
#include "buttons/keys/keytable.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/sim/kestsimmouse.h"
#include "platform/pointerspeed.h"
#include "shellfixture.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "tests/common/appfixture.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestpushbutton.h"

namespace {

KestMessageBox *openBox()
{
    return qobject_cast<KestMessageBox *>(QApplication::activeModalWidget());
}

// Every message box goes through the guard: the one a test waits for runs check inside
// the box's own event loop, any other fails the test at once.
MessageBoxGuard *g_boxes = nullptr;

void whenBoxOpens(std::function<void(KestMessageBox *)> check)
{
    g_boxes->expect(std::move(check));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_boxes = &m_boxes;
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit()); // the display's socket
        useFastLinkForWindowTests();
        // The offscreen platform has no tray; most tests here are about a desktop with one.
        MousecfgWidget::setTrayProbe([] { return true; });
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
    }

    void cleanup()
    {
        MousecfgWidget::setTrayProbe([] { return true; });
        m_boxes.clear();
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void scaleTable_stepsFromLogicalDpi()
    {
        QCOMPARE(KestScale::stepForDpi(96), 0);
        QCOMPARE(KestScale::stepForDpi(100), 0); // Xvfb and offscreen
        QCOMPARE(KestScale::stepForDpi(96 * 1.1), 1);
        QCOMPARE(KestScale::stepForDpi(144), 2);
        QCOMPARE(KestScale::stepForDpi(192), 4); // ratio 2.0: factor 2.0
        QCOMPARE(KestScale::stepForDpi(96 * 4.79), 15);
        QCOMPARE(KestScale::stepForDpi(480), 16);
        QCOMPARE(KestScale::factorForStep(2), 1.5);
        QCOMPARE(KestScale::canvasSize(1.5), QSize(1498, 960));
        QCOMPARE(KestScale::canvasSize(KestScale::factorForStep(16)), QSize(4995, 3200));
    }

    void startConnected_showsWindowAndRunsBatteryReader()
    {
        start(true, true);
        QVERIFY(m_window->core()->connectedCount() > 0);
        QCOMPARE(m_window->size(), QSize(999, 640)); // 100 DPI: step 0
        m_window->show();
        QTRY_VERIFY(m_window->core()->batteryReaderRunning());
        QTest::qWait(300); // past the start check
        QVERIFY(!openBox());
        QVERIFY(m_window->isVisible());
    }

    void startDisconnected_warnsThenHidesWhenAccepted()
    {
        start(false, false);
        QCOMPARE(m_window->core()->connectedCount(), 0);
        QVERIFY(!m_window->isVisible());
        bool checked = false;
        whenBoxOpens([&](KestMessageBox *box) {
            QCOMPARE(box->kind(), int(KestMessageBox::Disconnected));
            QVERIFY(m_window->isVisible());
            QVERIFY(m_window->isWarningOpen());
            // The tray does not hide the window under its own warning.
            m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Trigger);
            m_window->desktopBridge()->trayActivated(QSystemTrayIcon::DoubleClick);
            QVERIFY(m_window->isVisible());
            checked = true;
            box->yesButton()->click();
        });
        QTRY_VERIFY(checked);
        QTRY_VERIFY(!m_window->isWarningOpen());
        QVERIFY(!m_window->isVisible());
        QVERIFY(!m_window->core()->batteryReaderRunning());
    }

    void trayClicks_toggleTheWindow()
    {
        start(true, false);
        m_window->show();
        QTest::qWait(250);
        m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!m_window->isVisible());
        m_window->desktopBridge()->trayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(m_window->isVisible());
        m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Context); // the menu, nothing else
        QVERIFY(m_window->isVisible());
        m_window->close();
        QVERIFY(!m_window->isVisible()); // closing hides into the tray
    }

    void withoutTray_closeQuits_okMinimises_warningKeepsTheWindow()
    {
        MousecfgWidget::setTrayProbe([] { return false; });
        start(true, false);
        m_window->show();
        QTest::qWait(250);
        m_window->profileManager()->setMessageHandler([](int, const QString &) { return 1; });
        QSignalSpy quit(m_window.get(), &MousecfgWidget::quitRequested);
        // Counted, not carried out: the test's own event loops must keep running.
        QObject::disconnect(m_window.get(), &MousecfgWidget::quitRequested, qApp, nullptr);

        findButton(QStringLiteral("OK"))->click();
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->isMinimized());
        m_window->bringToFront(); // a second start of the program
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
        findButton(QStringLiteral("Cancel"))->click();
        QVERIFY(m_window->isMinimized());
        m_window->bringToFront();
        QCOMPARE(quit.count(), 0);

        m_window->close();
        QCOMPARE(quit.count(), 1);
        m_window.reset();

        // No mouse: accepting the warning leaves the window on screen.
        start(false, false);
        bool accepted = false;
        m_boxes.expect([&](KestMessageBox *box) {
            box->yesButton()->click();
            accepted = true;
        });
        QTRY_VERIFY(accepted);
        QTRY_VERIFY(!m_window->isWarningOpen());
        QVERIFY(m_window->isVisible());
    }

    void lightModeReport_reachesRecordAndPanel()
    {
        start(true, false);
        m_window->switchToSlot(3);
        // The KX-27 keeps one lighting for all slots: slot 0's.
        m_window->core()->takeLightMode(5);
        QCOMPARE(int(m_window->core()->working().profiles[0].LedMode), 5);
        m_window->core()->takeLightMode(200); // not an effect: ignored
        QCOMPARE(int(m_window->core()->working().profiles[0].LedMode), 5);
        m_window->collectPanelValues(); // what the panel shows is what Apply keeps
        QCOMPARE(int(m_window->core()->working().profiles[0].LedMode), 5);
    }

    void slotButton_switchesToThatSlot()
    {
        start(true, false);
        m_window->profileColumn()->slotButton(3)->click();
        QCOMPARE(m_window->core()->currentSlot(), 3);
        QVERIFY(m_window->profileColumn()->slotButton(3)->isSelected());
        QVERIFY(!m_window->profileColumn()->slotButton(0)->isSelected());
        QCOMPARE(readSettingsInt(QStringLiteral("Config/ProfileID")), 3);
    }

    void batteryStates_followTheConnectionTable()
    {
        start(true, false); // receiver only
        m_window->show();
        // The start check runs 200 ms after construction; past it, so that the unplugging
        // below is not taken for a mouse missing at start (a box) on a slow machine.
        QTest::qWait(300);
        KestProcessbar *bar = m_window->statusArea()->batteryBar();
        m_window->core()->takeBatteryReport(0, 57);
        QCOMPARE(m_window->core()->connectionState(), 2);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->value(), 57);
        QCOMPARE(bar->text(), QStringLiteral("57%"));
        QVERIFY(m_window->statusArea()->linkPicture()->isVisible());
        QCOMPARE(readSettingsInt(QStringLiteral("Config/Battery")), 57);

        m_window->core()->takeBatteryReport(1, 0); // off, even while charging
        QCOMPARE(bar->text(), QStringLiteral("MOUSE OFF"));

        m_window->core()->takeBatteryReport(1, 80); // charging through the receiver
        QCOMPARE(m_window->core()->connectionState(), 1);
        QVERIFY(!bar->isVisible());

        m_sim->plugDevice(KestSimDevice::Cable);
        QTRY_VERIFY(cableCommandPresent());
        m_window->core()->takeBatteryReport(0, 30);
        QCOMPARE(m_window->core()->connectionState(), 1);
        QVERIFY(!bar->isVisible());
        QCOMPARE(bar->value(), 100);
        QVERIFY(bar->text().isEmpty());

        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY(!receiverCommandPresent());
        m_window->core()->takeBatteryReport(0, 30);
        QCOMPARE(m_window->core()->connectionState(), 0);
        QVERIFY(!m_window->statusArea()->linkPicture()->isVisible());

        // No mouse at all: the frame shows, but no stale figure in it.
        m_sim->unplugDevice(KestSimDevice::Cable);
        QTRY_COMPARE(m_window->core()->connectionState(), 3);
        QVERIFY(bar->isVisible());
        QVERIFY(bar->text().isEmpty());
    }

    void unplugAndReplug_warningClosesItself()
    {
        start(true, false);
        m_window->show();
        QTRY_VERIFY(m_window->core()->batteryReaderRunning());
        QTest::qWait(250);
        bool warned = false;
        whenBoxOpens([&](KestMessageBox *box) {
            warned = box->kind() == KestMessageBox::Disconnected && m_window->core()->connectedCount() == 0
                     && !m_window->core()->batteryReaderRunning();
            m_window->desktopBridge()->trayActivated(QSystemTrayIcon::Trigger);
            QVERIFY(m_window->isVisible());
            m_sim->plugDevice(KestSimDevice::Receiver);
        });
        m_sim->unplugDevice(KestSimDevice::Receiver);
        QTRY_VERIFY_WITH_TIMEOUT(warned, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isWarningOpen(), 3000);
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->core()->connectedCount() > 0);
        QTRY_VERIFY(m_window->core()->batteryReaderRunning());
    }

    void pages_showWhatTheirTableSays()
    {
        start(true, false);
        m_window->show();
        using W = MousecfgWidget;
        const W::PageItem items[] = {W::MousePicture, W::ViewButtons, W::Markers,
                                     W::ButtonWindow, W::LightingPanel, W::DpiPanel,
                                     W::PointSpeedPanel, W::ReportRatePanel, W::MacroEditor};
        for (int page = 0; page < W::kPageCount; ++page) {
            m_window->pageStack()->tabButton(page)->click();
            QCOMPARE(m_window->pageStack()->page(), page);
            for (W::PageItem item : items) {
                QVERIFY2(m_window->pageItemWidget(item)->isVisible() == W::pageShows(page, item),
                         qPrintable(QStringLiteral("page %1 item %2").arg(page).arg(item)));
            }
        }
        // The chosen view stays chosen across pages.
        m_window->showPage(W::CustomizePage);
        m_window->showView(W::SideView);
        m_window->showPage(W::DpiPage);
        m_window->showPage(W::CustomizePage);
        QCOMPARE(m_window->mouseView()->view(), int(W::SideView));
        QVERIFY(m_window->pageItemWidget(W::Markers)->isVisible());
    }

    void languageMenu_loadsTheChosenTranslation()
    {
        QDir(m_app->path()).mkpath(QStringLiteral("lang"));
        for (const char *file : {"mousecfg_en.qm", "mousecfg_fr.qm"}) {
            QVERIFY(QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/lang/") + QLatin1String(file),
                                m_app->path() + QStringLiteral("/lang/") + QLatin1String(file)));
        }
        start(true, false);
        QVERIFY(findButton(QStringLiteral("Reset All")));
        QVERIFY(m_window->language()->button()->isVisibleTo(m_window.get()));
        m_window->language()->choose(1);
        QVERIFY(findButton(QStringLiteral("Tout réinitialiser")));
        QCOMPARE(m_window->pageStack()->tabButton(MousecfgWidget::LightingPage)->text(), QStringLiteral("ÉCLAIRAGE"));
        QCOMPARE(m_window->language()->button()->text(), QStringLiteral("Français"));
        QCOMPARE(readLanguage(), 1);
        m_window->language()->choose(0);
        QVERIFY(findButton(QStringLiteral("Reset All")));
        m_window.reset();

        // The choice is kept for the next start.
        m_window.reset();
        QVERIFY(writeLanguage(1));
        start(true, false);
        QVERIFY(findButton(QStringLiteral("Tout réinitialiser")));
        m_window.reset();
        QVERIFY(writeLanguage(0));
    }

    void keyNames_followTheLanguage()
    {
        // The description names language 1 as the French one.
        QSettings(m_app->path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("PROFILE/french"), 1);
        QVERIFY(writeLanguage(0));
        start(true, false);
        QCOMPARE(keyName(16), QStringLiteral("Q"));
        m_window->language()->choose(1);
        QCOMPARE(keyName(16), QStringLiteral("a"));
        m_window->language()->choose(0);
        QCOMPARE(keyName(16), QStringLiteral("Q"));
        m_window->language()->choose(1);
        m_window.reset();

        // Kept for the next start; without a French language nothing changes.
        setActiveKeyNameSet(KeyNameSet::English);
        start(true, false);
        QCOMPARE(keyName(16), QStringLiteral("a"));
        m_window.reset();
        QSettings(m_app->path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat)
            .remove(QStringLiteral("PROFILE/french"));
        start(true, false);
        QCOMPARE(keyName(16), QStringLiteral("Q"));
        m_window.reset();
        QVERIFY(writeLanguage(0));
        setActiveKeyNameSet(KeyNameSet::English);
    }

    void singleLanguage_hidesTheLanguageButton()
    {
        writeProductFiles(m_app->path(), 1);
        start(true, false);
        QVERIFY(!m_window->language()->button()->isVisibleTo(m_window.get()));
    }

    void firmwareUpdate_languageChoosesTheUpdater()
    {
        QCOMPARE(KestFirmwareHandoff::updaterPath(QStringLiteral("/a"), 0),
                 QStringLiteral("/a/skin/mouse/bin/UPDTOOL-0000-00000000-en"));
        QCOMPARE(KestFirmwareHandoff::updaterPath(QStringLiteral("/a"), 1),
                 QStringLiteral("/a/skin/mouse/bin/UPDTOOL-0000-00000000"));
    }

    void firmwareButton_onlyWhereAnUpdaterIsInstalled()
    {
        start(true, false);
        m_window->show();
        QVERIFY(!findButton(QStringLiteral("Firmware Update"))->isVisible());
        m_window.reset();

        installUpdater(true);
        start(true, false);
        m_window->show();
        KestPushButton *button = findButton(QStringLiteral("Firmware Update"));
        QVERIFY(button && button->isVisible());
        // The second language has an updater of its own, which is not there.
        m_window->language()->choose(1);
        QVERIFY(!button->isVisible());
    }

    void firmwareUpdate_withoutCable_startsNothing()
    {
        FirmwareVersion = 0; // discovery keeps it once found; start as a fresh process does
        installUpdater(true);
        start(true, false); // the receiver alone reports no firmware version
        QCOMPARE(FirmwareVersion, 0);
        QString text;
        whenBoxOpens([&](KestMessageBox *box) {
            text = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->text();
            box->yesButton()->click();
        });
        QMetaObject::invokeMethod(m_window.get(), [this] {
            findButton(QStringLiteral("Firmware Update"))->click();
        }, Qt::QueuedConnection);
        QTRY_COMPARE(text, QStringLiteral("To update the firmware, please connect to the computer with a cable."));
        QTRY_VERIFY(!openBox());
        QVERIFY(m_window->core()->batteryReaderRunning());
    }

    void firmwareUpdate_updaterFailsToStart_warnsAndKeepsRunning()
    {
        installUpdater(false);
        start(false, true); // the cable reports a firmware version
        m_window->show();
        QVERIFY(FirmwareVersion != 0);
        QStringList texts;
        std::function<void(KestMessageBox *)> answer = [&](KestMessageBox *box) {
            texts << box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->text();
            if (box->kind() == KestMessageBox::Question)
                whenBoxOpensAfter(box, answer);
            box->yesButton()->click();
        };
        whenBoxOpens(answer);
        QMetaObject::invokeMethod(m_window.get(), [this] {
            findButton(QStringLiteral("Firmware Update"))->click();
        }, Qt::QueuedConnection);
        QTRY_COMPARE_WITH_TIMEOUT(texts.size(), 2, 3000);
        QCOMPARE(texts.at(0), QStringLiteral("Do you want to upgrade the firmware?"));
        QCOMPARE(texts.at(1), QStringLiteral("The firmware updater could not be started."));
        QTRY_VERIFY(!openBox());
        QVERIFY(m_window->core()->batteryReaderRunning());
    }

private:
    // An updater for the first language beside the utility; one that cannot run is an
    // executable file the system refuses to start.
    void installUpdater(bool runnable)
    {
        const QString path = KestFirmwareHandoff::updaterPath(m_app->path(), 0);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(runnable ? "#!/bin/sh\nexit 0\n" : "\x7f\x01garbage");
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
    }

    void start(bool receiver, bool cable)
    {
        m_sim = std::make_shared<KestSimMouse>(receiver, cable);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        restartWithFastBatteryReader(m_window->core());
    }

    static void whenBoxOpensAfter(KestMessageBox *, std::function<void(KestMessageBox *)> check)
    {
        whenBoxOpens(std::move(check));
    }

    KestPushButton *findButton(const QString &text)
    {
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }

    static int readSettingsInt(const QString &key)
    {
        return QSettings(globalConfigPath(), QSettings::IniFormat).value(key).toInt();
    }

    MessageBoxGuard m_boxes;
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
