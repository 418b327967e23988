// SPDX-License-Identifier: GPL-2.0-or-later
// The tray: the five slots to switch to, the battery in the icon and the tool tip; and
// the window's start with a desktop that keeps no pointer speed; the "Start at login" switch.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestdesktopbridge.h"
#include "app/kesttraystatus.h"
#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "privatebus.h"
#include "platform/pointerspeed.h"
#include "core/kestmousecore.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"

class TestTray : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_tmp.filePath(QStringLiteral("config")).toLocal8Bit());
        useFastLinkForWindowTests();
        setApplicationDir(m_tmp.path());
        writeProductFiles(m_tmp.path());
    }

    void batteryGauge_onlyWhenTheLevelIsKnown()
    {
        QPixmap base(32, 32);
        base.fill(Qt::blue);
        const QIcon icon(base);
        QCOMPARE(KestTrayStatus::iconWithBattery(icon, -1, false).cacheKey(), icon.cacheKey());
        const QImage low = KestTrayStatus::iconWithBattery(icon, 10, false).pixmap(64, 64).toImage();
        const QImage full = KestTrayStatus::iconWithBattery(icon, 100, false).pixmap(64, 64).toImage();
        QVERIFY(low != full);
        // The top of the picture stays the utility's icon.
        QCOMPARE(QColor(low.pixel(32, 8)), QColor(Qt::blue));
    }

    void windowStart_keepsTheProfilesSpeed_whereTheDesktopHasNone()
    {
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        { MousecfgWidget seeding; } // writes the slot files
        ConfigRecord stored;
        QVERIFY(loadAll(stored).isUsable());
        stored.profiles[0].mousespeed = 4;
        QVERIFY(saveAll(stored));
        // The fixture keeps the desktop out of reach; the process remembers another speed.
        setPointerSpeed(17);
        {
            MousecfgWidget window;
            QCOMPARE(int(window.workingSet().profiles[0].mousespeed), 4);
        }
        setHidBackend(nullptr);
    }

    void trayMenu_listsTheSlots_andShowsTheBattery()
    {
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            MousecfgWidget window;
            useFastBatteryReader(window.batteryReader());
            window.stopBatteryReader();
            window.startBatteryReader();
            auto *tray = window.findChild<KestDesktopBridge *>()->trayStatus();
            QVERIFY(tray);
            const QList<QAction *> menu = window.desktopBridge()->trayIcon()->contextMenu()->actions();
            QCOMPARE(tray->slotActions().size(), 5);
            for (int k = 0; k < 5; ++k)
                QCOMPARE(menu.at(k), tray->slotActions().at(k));
            QCOMPARE(menu.at(2)->text(), QStringLiteral("Profile 3: Profile 3"));
            QVERIFY(menu.at(0)->isChecked());

            menu.at(3)->trigger();
            QCOMPARE(window.currentSlot(), 3);
            QTRY_COMPARE(int(sim->state().selectedProfile), 3);
            QVERIFY(menu.at(3)->isChecked() && !menu.at(0)->isChecked());
            QVERIFY(window.desktopBridge()->trayIcon()->toolTip().contains(QStringLiteral("Profile 4: Profile 4")));

            // A switch made elsewhere (the window's own slot buttons) shows in the tray too.
            window.switchToSlot(1);
            QVERIFY(menu.at(1)->isChecked());

            const qint64 plainIcon = window.desktopBridge()->trayIcon()->icon().cacheKey();
            sim->setBattery(12);
            QTRY_VERIFY_WITH_TIMEOUT(window.desktopBridge()->trayIcon()->toolTip().contains(QStringLiteral("Battery 12%")), 3000);
            QVERIFY(window.desktopBridge()->trayIcon()->icon().cacheKey() != plainIcon);
        }
        setHidBackend(nullptr);
    }

    void startAtLogin_writesAndRemovesTheUsersEntry_andSaysWhenItCannot()
    {
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            MousecfgWidget window;
            KestTrayStatus *tray = window.findChild<KestDesktopBridge *>()->trayStatus();
            QAction *login = tray->autostartAction();
            QMenu *menu = window.desktopBridge()->trayIcon()->contextMenu();
            QVERIFY(menu->actions().contains(login));
            QCOMPARE(login->text(), QStringLiteral("Start at login"));
            // Without a tray the window's context menu is the way to it.
            QVERIFY(window.actions().contains(login));
            QVERIFY(!login->isChecked());

            const QString entry = m_tmp.filePath(QStringLiteral("config/autostart/org.mousecfg.Mousecfg.desktop"));
            login->trigger();
            QVERIFY(login->isChecked());
            QFile file(entry);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            file.close();
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\nExec=\\S.* --hidden\\n"))), qPrintable(text));

            // Removed by hand: the switch shows it off the next time the menu opens.
            QVERIFY(QFile::remove(entry));
            emit menu->aboutToShow();
            QVERIFY(!login->isChecked());
            login->trigger();
            QVERIFY(QFileInfo::exists(entry));
            login->trigger();
            QVERIFY(!QFileInfo::exists(entry) && !login->isChecked());

            // Something not ours in the entry's place is left alone, and the user is told.
            const QString target = m_tmp.filePath(QStringLiteral("elsewhere.desktop"));
            QVERIFY(QFile::link(target, entry));
            QSignalSpy refused(tray, &KestTrayStatus::autostartRefused);
            login->trigger();
            QCOMPARE(refused.count(), 1);
            QVERIFY2(refused.at(0).at(0).toString().contains(entry), qPrintable(refused.at(0).at(0).toString()));
            QVERIFY(!login->isChecked());
            QVERIFY(QFileInfo(entry).isSymLink() && !QFileInfo::exists(target));
            QVERIFY(QFile::remove(entry));
        }
        setHidBackend(nullptr);
    }

    // Started at login: the tray speaks the stored language before any window exists, and
    // leaves the language to the window once one is built.
    void hiddenStart_trayUsesTheStoredLanguage_untilTheWindowTakesOver()
    {
        // The build's English translation names the tray's window entry apart from its source.
        const QString lang = m_tmp.filePath(QStringLiteral("lang"));
        QVERIFY(QDir().mkpath(lang));
        QVERIFY(QFile::copy(QStringLiteral(MOUSECFG_APPDIR "/lang/mousecfg_en.qm"), lang + QStringLiteral("/mousecfg_en.qm")));
        const QString source = QStringLiteral("&Load Config");
        const QString english = QCoreApplication::translate("KestTrayStatus", "&Load Config");
        QCOMPARE(english, source); // nothing loaded yet
        QVERIFY(writeLanguage(0));
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            KestMouseCore core;
            KestDesktopBridge faces(&core, nullptr);
            QMenu *menu = faces.trayIcon()->contextMenu();
            const auto showEntry = [menu] { return menu->actions().at(menu->actions().size() - 4)->text(); };
            QCOMPARE(showEntry(), source);
            faces.trayStatus()->useStoredLanguage();
            const QString translated = showEntry();
            QVERIFY2(translated != source, qPrintable(translated));
            faces.ensureWindow();
            // One translation installed, the window's: the entry keeps its text.
            QCOMPARE(showEntry(), translated);
        }
        setHidBackend(nullptr);
        QVERIFY(QDir(lang).removeRecursively());
        QCOMPARE(QCoreApplication::translate("KestTrayStatus", "&Load Config"), source);
    }
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestTray)
#include "tst_tray.moc"
