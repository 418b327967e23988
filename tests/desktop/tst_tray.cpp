// SPDX-License-Identifier: GPL-2.0-or-later
// The tray over the core alone, as after a start at login: the five slots to switch to,
// the battery in the icon and the tool tip, the "Start at login" switch.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/kestdesktopbridge.h"
#include "app/kesttraystatus.h"
#include "core/kestmousecore.h"
#include "desktopfixture.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "privatebus.h"
#include "store/appsettings.h"

class TestTray : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;

private slots:
    void initTestCase()
    {
        QVERIFY(useTemporaryDesktop(m_tmp));
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

    void trayMenu_listsTheSlots_andShowsTheBattery()
    {
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            KestMouseCore core;
            restartWithFastBatteryReader(&core);
            KestDesktopBridge faces(&core, nullptr);
            KestTrayStatus *tray = faces.trayStatus();
            const QList<QAction *> menu = faces.trayIcon()->contextMenu()->actions();
            QCOMPARE(tray->slotActions().size(), 5);
            for (int k = 0; k < 5; ++k)
                QCOMPARE(menu.at(k), tray->slotActions().at(k));
            QCOMPARE(menu.at(2)->text(), QStringLiteral("Profile 3: Profile 3"));
            QVERIFY(menu.at(0)->isChecked());

            menu.at(3)->trigger();
            QCOMPARE(core.currentSlot(), 3);
            QTRY_COMPARE(int(sim->state().selectedProfile), 3);
            QVERIFY(menu.at(3)->isChecked() && !menu.at(0)->isChecked());
            QVERIFY(faces.trayIcon()->toolTip().contains(QStringLiteral("Profile 4: Profile 4")));

            // A switch made elsewhere (the window, the bus, a rule) shows in the tray too.
            core.switchSlot(1);
            QVERIFY(menu.at(1)->isChecked());

            const qint64 plainIcon = faces.trayIcon()->icon().cacheKey();
            sim->setBattery(12);
            QTRY_VERIFY_WITH_TIMEOUT(faces.trayIcon()->toolTip().contains(QStringLiteral("Battery 12%")), 3000);
            QVERIFY(faces.trayIcon()->icon().cacheKey() != plainIcon);
        }
        setHidBackend(nullptr);
    }

    void startAtLogin_writesAndRemovesTheUsersEntry_andSaysWhenItCannot()
    {
        auto sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(sim);
        {
            KestMouseCore core;
            KestDesktopBridge faces(&core, nullptr);
            KestTrayStatus *tray = faces.trayStatus();
            QAction *login = tray->autostartAction();
            QMenu *menu = faces.trayIcon()->contextMenu();
            QVERIFY(menu->actions().contains(login));
            QCOMPARE(login->text(), QStringLiteral("Start at login"));
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
};

MOUSECFG_TEST_MAIN_ON_PRIVATE_BUS(TestTray)
#include "tst_tray.moc"
