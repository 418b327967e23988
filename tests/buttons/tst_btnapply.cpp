// SPDX-License-Identifier: GPL-2.0-or-later
// From the menu to the mouse: a function chosen in the button window reaches the simulated
// mouse's button table when the main window applies the profile.

#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/mousecfgwidget.h"
#include "buttons/kestbtnwindow.h"
#include "buttons/kestcombokeywindow.h"
#include "buttons/keys/functioncatalogue.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/sim/kestsimmouse.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "tests/common/appfixture.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestpushbutton.h"

class TstBtnApply : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_tmp.path().toLocal8Bit()); // the display's socket
        useFastLinkForWindowTests();
    }

    void init()
    {
        m_app = std::make_unique<QTemporaryDir>(m_tmp.path() + QStringLiteral("/app-XXXXXX"));
        setApplicationDir(m_app->path());
        // The shipped description of the sample model: seven buttons, each in its own entry.
        QVERIFY(writeSampleAppFolder(m_app->path()));

        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window = std::make_unique<MousecfgWidget>();
        useFastBatteryReader(m_window->core()->batteryReader());
        // The list is built when its page is first asked for.
        QWidget *page = m_window->pageItemWidget(MousecfgWidget::ButtonWindow);
        QVERIFY(page);
        m_buttons = page->findChild<KestBtnWindow *>();
        QVERIFY(m_buttons);
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    void plainFunction_reachesTheMouseOnApply()
    {
        choose(1, FunVolumeUp);
        QCOMPARE(m_buttons->label(1)->text(), QStringLiteral("Volume Up"));
        apply();
        const KestSimButton entry = m_sim->state().buttons[1];
        QCOMPARE(entry, (KestSimButton{0x8E, 0x01, 0xE9, 0x00})); // consumer usage Volume Up
    }

    void comboKey_reachesTheMouseOnApply()
    {
        QTimer::singleShot(0, [] {
            auto *combo = qobject_cast<KestComboKeyWindow *>(QApplication::activeModalWidget());
            QVERIFY(combo);
            combo->reportKey(238, 1); // right Ctrl
            combo->reportKey(46, 0);  // C
            combo->accept();
        });
        choose(4, FunComboKey);
        apply();
        const KestSimButton entry = m_sim->state().buttons[4];
        QCOMPARE(entry, (KestSimButton{0x8F, 0x01, 0x06, 0x00})); // Ctrl + usage of C
    }

private:
    void choose(int slot, qint32 code)
    {
        m_buttons->labelPressed(m_buttons->label(slot));
        m_buttons->functionAction(code)->trigger();
    }

    void apply()
    {
        KestPushButton *applyButton = nullptr;
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            if (button->text() == QStringLiteral("Apply"))
                applyButton = button;
        }
        QVERIFY(applyButton);
        const int endMarkers = m_sim->state().endMarkers;
        applyButton->click();
        QTRY_VERIFY(m_sim->state().endMarkers > endMarkers);
    }

    MessageBoxGuard m_boxes;
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
    KestBtnWindow *m_buttons = nullptr;
};

QTEST_MAIN(TstBtnApply)
#include "tst_btnapply.moc"
