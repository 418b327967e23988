// SPDX-License-Identifier: GPL-2.0-or-later
// What the window tells the user: the word in the bottom bar after a write, and the one
// question asked before a slot switch would drop edits the user has not applied.

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

#include "app/kestprofilecolumn.h"
#include "app/kestprofilemanager.h"
#include "app/keststatusarea.h"
#include "app/mousecfgwidget.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestreportrate.h"
#include "store/appdir.h"
#include "store/profilefiles.h"
#include "tests/common/appfixture.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestpushbutton.h"

class TestFeedback : public QObject
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
        QVERIFY(writeSampleAppFolder(m_app->path()));
        m_boxes.reset(new MessageBoxGuard);
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        useFastBatteryReader(m_window->core()->batteryReader());
        m_questions.clear();
        m_window->profileManager()->setMessageHandler([this](int kind, const QString &text) {
            m_questions << qMakePair(kind, text);
            return m_answer;
        });
        // The name dialog is no message box: unanswered it would wait for ever.
        m_window->profileManager()->setNameHandler([](const KestProfileManager::NameRequest &request) {
            return KestProfileManager::NameAnswer{request.suggestion, false};
        });
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
        m_boxes.reset();
    }

    // Renaming or copying a profile is no edit: leaving the slot or closing asks nothing.
    void renameOrCopy_withoutEdit_asksNothingAfter()
    {
        m_window->switchToSlot(1);
        KestProfileManager *profiles = m_window->profileManager();
        profiles->copyProfile();
        QVERIFY(!m_window->hasUnappliedEdits());
        profiles->renameProfile(QStringLiteral("Renamed"));
        QCOMPARE(m_window->core()->working().names[1], QStringLiteral("Renamed"));
        QVERIFY(!m_window->hasUnappliedEdits());
        m_window->switchToSlot(2);
        m_window->switchToSlot(1);
        QVERIFY(profiles->settleUnappliedEdits());
        QVERIFY2(m_questions.isEmpty(), qPrintable(m_questions.value(0).second));
        QCOMPARE(m_window->core()->currentSlot(), 1);
    }

    // The DPI page is built when first shown. Until then nothing stands for it; once built it
    // shows the record of the slot shown, so opening it is no edit.
    void dpiPage_isBuiltWhenFirstShown()
    {
        QVERIFY(!m_window->findChild<KestDPIWindow *>());
        m_window->switchToSlot(3);
        QVERIFY(!m_window->hasUnappliedEdits());
        m_window->showPage(MousecfgWidget::DpiPage);
        auto *dpi = m_window->findChild<KestDPIWindow *>();
        QVERIFY(dpi && dpi->isVisibleTo(m_window.get()));
        QVERIFY(!m_window->hasUnappliedEdits());
        const ProfileRecord record = m_window->core()->working().profiles[3];
        ProfileRecord shown = record;
        dpi->applyTo(shown);
        QVERIFY(shown == record);
    }

    void write_saysWhatHappened()
    {
        QVERIFY(m_window->statusArea()->statusText().isEmpty());
        m_window->profileManager()->apply();
        QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Saved to the mouse"));
        QVERIFY(m_questions.isEmpty());

        // Not in the accent colour: that may be as red as the failure.
        QCOMPARE(m_window->statusArea()->statusColor(), KestStatusArea::successColor());
        QVERIFY(KestStatusArea::successColor() != KestStatusArea::failureColor());

        m_sim->setSilent(true);
        m_window->profileManager()->apply();
        QCOMPARE(m_window->statusArea()->statusText(),
                 QStringLiteral("Saved on this computer; the mouse did not take it"));
        QCOMPARE(m_window->statusArea()->statusColor(), KestStatusArea::failureColor());
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_questions.first().first, int(KestMessageBox::Warning));
    }

    // A mouse that does not answer: one box that says so with one OK, and the battery bar
    // stops showing a figure, before any Apply and after one.
    void silentMouse_saidWithOneOk_barSaysNoAnswer_data()
    {
        QTest::addColumn<bool>("cable");
        QTest::newRow("receiver") << false;
        QTest::newRow("cable") << true; // where the bar otherwise gives way to a plug
    }

    void silentMouse_saidWithOneOk_barSaysNoAnswer()
    {
        QFETCH(bool, cable);
        if (cable) {
            m_window.reset();
            m_sim = std::make_shared<KestSimMouse>(false, true);
            setHidBackend(m_sim);
            m_window.reset(new MousecfgWidget);
        }
        restartWithFastBatteryReader(m_window->core());
        QTRY_COMPARE(m_window->statusArea()->batteryBar()->format(), cable ? QString() : QStringLiteral("%p%"));
        m_sim->setSilent(true);
        m_window->statusArea()->setSilenceTimeout(300);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->statusArea()->batteryNote(), QStringLiteral("The mouse does not answer"), 3000);
        QCOMPARE(m_window->statusArea()->batteryBar()->value(), 0);
        QVERIFY(m_window->statusArea()->batteryBar()->format().isEmpty());
        QVERIFY(!m_window->statusArea()->batteryBar()->isHidden());

        m_window->profileManager()->setMessageHandler(nullptr);
        bool seen = false;
        m_boxes->expect([&](KestMessageBox *box) {
            seen = true;
            QCOMPARE(box->kind(), int(KestMessageBox::Warning));
            QVERIFY(!box->noButton());
            QVERIFY(!box->discardButton());
            const QString text = MessageBoxGuard::textOf(box);
            QVERIFY2(text.contains(QStringLiteral("did not answer")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("kept on this computer")), qPrintable(text));
            box->yesButton()->click();
        });
        m_window->profileManager()->apply();
        QVERIFY(seen);
        QCOMPARE(m_window->statusArea()->batteryNote(), QStringLiteral("The mouse does not answer"));

        // It answers again: the figure (or the plug) comes back.
        m_sim->setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->statusArea()->batteryNote().isEmpty(), 3000);
        QCOMPARE(m_window->statusArea()->batteryBar()->isHidden(), cable);
    }

    void switchSlot_withoutEdits_asksNothing()
    {
        m_window->switchToSlot(1);
        QCOMPARE(m_window->core()->currentSlot(), 1);
        QVERIFY(m_questions.isEmpty());
        // A level chosen on the mouse itself is not an edit of the user's.
        m_window->core()->takeDpiLevel(2);
        QVERIFY(!m_window->hasUnappliedEdits());
    }

    void switchSlot_withDpiEdit_asksOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("slotAfter");
        QTest::addColumn<bool>("savedToFile");
        QTest::addColumn<bool>("editKept");
        QTest::newRow("Apply") << int(KestMessageBox::ApplyChosen) << 1 << true << true;
        QTest::newRow("Discard") << int(KestMessageBox::DiscardChosen) << 1 << false << false;
        QTest::newRow("Cancel") << int(KestMessageBox::Cancelled) << 0 << false << true;
    }

    void switchSlot_withDpiEdit_asksOnce()
    {
        QFETCH(int, answer);
        QFETCH(int, slotAfter);
        QFETCH(bool, savedToFile);
        QFETCH(bool, editKept);
        auto *dpi = qobject_cast<KestDPIWindow *>(m_window->pageItemWidget(MousecfgWidget::DpiPanel));
        QVERIFY(dpi);
        QCOMPARE(m_window->core()->currentSlot(), 0);
        const QString name = m_window->core()->working().names[0];
        const quint32 before = m_window->core()->working().profiles[0].DPI_INFO[0].x;
        const int edited = before == 20 ? 21 : 20;
        dpi->onSliderChanged(edited, edited, 0);
        QVERIFY(m_window->hasUnappliedEdits());

        m_answer = answer;
        m_window->switchToSlot(1);

        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_questions.first().first, int(KestMessageBox::Choice));
        QCOMPARE(m_questions.first().second,
                 QStringLiteral("Apply the changes to %1 first?").arg(name));
        QCOMPARE(m_window->core()->currentSlot(), slotAfter);
        ProfileRecord file;
        QVERIFY(loadSlotFile(file, name));
        QCOMPARE(file.DPI_INFO[0].x == quint32(edited), savedToFile);
        if (slotAfter == 0) {
            // Still editing: the edit is on screen and still unapplied.
            QVERIFY(m_window->hasUnappliedEdits());
            return;
        }
        QVERIFY(!m_window->hasUnappliedEdits());
        // Back on the slot: the edit is there when it was applied, gone when discarded.
        m_window->switchToSlot(0);
        QCOMPARE(m_questions.size(), 1);
        ProfileRecord shown;
        dpi->applyTo(shown);
        QCOMPARE(shown.DPI_INFO[0].x == quint32(edited), editKept);
        if (savedToFile)
            QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Saved to the mouse"));
    }

    // Following the focused program or a script: no question, and the edit of the slot left
    // behind is neither lost nor applied.
    void switchSlot_thatMustNotAsk_keepsTheEdit()
    {
        auto *dpi = qobject_cast<KestDPIWindow *>(m_window->pageItemWidget(MousecfgWidget::DpiPanel));
        QVERIFY(dpi);
        const QString name = m_window->core()->working().names[0];
        const quint32 before = m_window->core()->working().profiles[0].DPI_INFO[0].x;
        const int edited = before == 20 ? 21 : 20;
        dpi->onSliderChanged(edited, edited, 0);

        m_window->switchToSlot(2, MousecfgWidget::EditsOnSwitch::Keep);
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(m_window->core()->currentSlot(), 2);
        QTRY_COMPARE(int(m_sim->state().selectedProfile), 2); // through the device worker
        QVERIFY(m_window->hasUnappliedEdits());
        ProfileRecord file;
        QVERIFY(loadSlotFile(file, name));
        QCOMPARE(file.DPI_INFO[0].x, before);

        m_window->switchToSlot(0, MousecfgWidget::EditsOnSwitch::Keep);
        ProfileRecord shown;
        dpi->applyTo(shown);
        QCOMPARE(shown.DPI_INFO[0].x, quint32(edited));
    }

    // Add and the slot's pencil, as the user meets them: every panel shows the new profile,
    // and the pencil names the slot's profile, also a default one.
    void add_refreshesEveryPanel_pencilNamesTheSlot()
    {
        m_window->show();
        QVERIFY(writeTemplate());
        ProfileRecord blank;
        QVERIFY(loadProfile(0, blank, templatePath()));
        auto *rate = qobject_cast<KestReportRate *>(m_window->pageItemWidget(MousecfgWidget::ReportRatePanel));
        QVERIFY(rate);
        m_window->core()->working().profiles[0].pollrate = blank.pollrate == 2 ? 4 : 2;
        m_window->refreshPanels();
        const QString before = rate->rateButtonText();

        KestProfileManager *profiles = m_window->profileManager();
        profiles->setNameHandler([](const KestProfileManager::NameRequest &request) {
            return KestProfileManager::NameAnswer{request.offerCurrent ? QStringLiteral("Blank") : QStringLiteral("Named"),
                                                  false};
        });
        profiles->addProfile();
        QCOMPARE(m_window->core()->working().names[0], QStringLiteral("Blank"));
        QVERIFY(rate->rateButtonText() != before);
        QCOMPARE(int(m_window->core()->collectedSet().profiles[0].pollrate), int(blank.pollrate));

        KestPushButton *slot = m_window->profileColumn()->slotButton(2);
        QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(slot->width() / 3, slot->height() / 2));
        QCOMPARE(m_window->core()->currentSlot(), 2);
        QCOMPARE(m_window->core()->working().names[2], QStringLiteral("Profile 3")); // a plain click
        QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(slot->width() - 8, slot->height() / 2));
        QCOMPARE(m_window->core()->working().names[2], QStringLiteral("Named"));
        QVERIFY(QFileInfo(profileFilePath(QStringLiteral("Profile 3"))).isFile());
        QVERIFY2(m_questions.isEmpty(), qPrintable(m_questions.value(0).second));
    }

    // Sent but not saved: the window says so, and the edit stays an edit.
    void apply_fileNotSaved_keepsTheEdit()
    {
        const QString file = profileFilePath(m_window->core()->working().names[0]);
        QVERIFY(QFile::rename(file, file + QStringLiteral(".real")));
        QVERIFY(QFile::link(file + QStringLiteral(".real"), file));
        auto *dpi = qobject_cast<KestDPIWindow *>(m_window->pageItemWidget(MousecfgWidget::DpiPanel));
        QVERIFY(dpi);
        const int edited = m_window->core()->working().profiles[0].DPI_INFO[0].x == 20 ? 21 : 20;
        dpi->onSliderChanged(edited, edited, 0);
        m_window->profileManager()->apply();
        QCOMPARE(m_questions.size(), 1);
        QVERIFY(m_questions.first().second.contains(QDir::toNativeSeparators(file)));
        QCOMPARE(m_window->statusArea()->statusText(), QStringLiteral("Sent to the mouse; not saved on this computer"));
        QVERIFY(m_window->hasUnappliedEdits());
    }

    // The side view's numbers stand on the buttons its picture shows, as the front view's do,
    // not in a column beside it; the right button cannot be seen from the left side.
    void sideView_markersSitOnThePicture()
    {
        m_window->show();
        m_window->showPage(MousecfgWidget::CustomizePage);
        m_window->showView(MousecfgWidget::SideView);
        const QRect picture = m_window->pageItemWidget(MousecfgWidget::MousePicture)->geometry();
        QStringList shown;
        QVector<QPoint> centres;
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            bool number = false;
            const int n = button->text().toInt(&number);
            if (!number || !button->isVisible() || button->parentWidget() != m_window.get())
                continue;
            if (n > 7)
                continue;
            shown << button->text();
            QVERIFY2(picture.contains(button->geometry().center()), qPrintable(button->text()));
            QVERIFY(!centres.contains(button->geometry().center()));
            centres << button->geometry().center();
        }
        shown.sort();
        QCOMPARE(shown, (QStringList{"1", "3", "4", "5", "6", "7"}));
    }

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
    std::unique_ptr<MessageBoxGuard> m_boxes;
    QVector<QPair<int, QString>> m_questions;
    int m_answer = 1;
};

QTEST_MAIN(TestFeedback)
#include "tst_feedback.moc"
