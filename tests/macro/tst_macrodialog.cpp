// SPDX-License-Identifier: GPL-2.0-or-later
// The macro page and the gun set dialog against a temporary configuration folder.

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "macro/kestgunsetdialog.h"
#include "macro/kesttreewidget.h"
#include "macro/macrodialog.h"
#include "platform/keycapture.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/macrodb.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "macrosteps_testing.h"
#include "tests/common/messageboxguard.h"

namespace {

// Answers every message box that opens while it lives and keeps its texts; outside it,
// a message box fails the test (the guard in the test class).
class MessageCatcher
{
public:
    MessageCatcher()
    {
        MessageBoxGuard::current()->setFallback([this](KestMessageBox *box) {
            QStringList texts;
            for (const QLabel *label : box->findChildren<QLabel *>())
                texts << label->text();
            m_messages << texts.join(QLatin1Char('|'));
            box->done(1);
        });
    }
    ~MessageCatcher() { MessageBoxGuard::current()->setFallback({}); }
    QStringList messages() const { return m_messages; }
    bool saw(const QString &text) const
    {
        for (const QString &m : m_messages) {
            if (m.contains(text))
                return true;
        }
        return false;
    }

private:
    QStringList m_messages;
};

platform::KeyHookEvent key(quint32 scanCode, bool release, quint32 flags = 0)
{
    platform::KeyHookEvent e;
    e.scanCode = scanCode;
    e.flags = flags | (release ? quint32(platform::KeyHookUp) : 0u);
    return e;
}

constexpr quint32 kScanA = 30; // usage 4
constexpr quint32 kScanB = 48; // usage 5

} // namespace

class MacroDialogTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    MessageBoxGuard m_boxes;

    void writeMacro(const QString &name, const MacroSteps &steps = {}, int delayType = 0)
    {
        MacroSettings settings;
        settings.delayType = delayType;
        QVERIFY(saveMacro(name, settings, steps));
        QVERIFY(addToMacroList(name) >= 0);
    }

    KestTreeItem *treeItem(MacroDialog &page, const QString &text)
    {
        const auto found = page.mouseTree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : static_cast<KestTreeItem *>(found.first());
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        setApplicationDir(m_dir->path());
        QDir().mkpath(configFolder());
    }

    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    void construction_opensTheFirstListedMacro()
    {
        writeMacro("first", {row(132, 0, 4), row(4, 0, 4)}, 1);
        writeMacro("second");
        MacroDialog page;
        QCOMPARE(page.macroList()->count(), 2);
        QCOMPARE(page.currentMacroName(), QString("first"));
        QCOMPARE(page.steps().size(), 2);
        QVERIFY(page.recordDelayBox()->isChecked());
        QVERIFY(!page.defaultDelayBox()->isChecked());
        QCOMPARE(page.nameEdit()->text(), QString("first"));
    }

    void recording_autoRepeatAndDelaysGiveTheExpectedRows()
    {
        writeMacro("rec", {row(2, 5, 0)}, 1);
        MacroDialog page;
        QSignalSpy recording(&page, &MacroDialog::recordingChanged);
        page.startRecording();
        QVERIFY(page.isRecording());
        QCOMPARE(page.steps().size(), 0); // START replaces the steps
        QCOMPARE(recording.takeFirst().first().toBool(), true);
        QVERIFY(!page.button("SAVE")->isEnabled());
        QVERIFY(page.button("START")->isEnabled());

        QVERIFY(page.handleKeyEvent(key(kScanA, false)));
        page.handleKeyEvent(key(kScanA, false)); // auto-repeat
        page.handleKeyEvent(key(kScanA, false));
        page.handleKeyEvent(key(kScanA, true));
        page.stopRecording();
        QCOMPARE(recording.takeFirst().first().toBool(), false);
        QVERIFY(!page.isRecording());

        const MacroSteps steps = page.steps();
        QCOMPARE(steps.size(), 3);
        QCOMPARE(steps.at(0), row(132, 0, 4));
        QCOMPARE(steps.at(1).map, quint8(6));
        QVERIFY(steps.at(1).low >= 1);
        QCOMPARE(steps.at(2), row(4, 0, 4));
        // STOP saves.
        QCOMPARE(loadMacro("rec").actions, steps);
        QCOMPARE(readWriteSign("rec"), 1);
        // Keys reach the widgets again once recording stopped.
        QVERIFY(!page.handleKeyEvent(key(kScanA, false)));
    }

    void recordAfter_insertsAfterTheSelectedRow()
    {
        writeMacro("after", {row(132, 0, 4), row(4, 0, 4)});
        MacroDialog page;
        page.stepEditor()->selectRow(0);
        page.recordAfter();
        page.handleKeyEvent(key(kScanB, false));
        page.handleKeyEvent(key(kScanB, true));
        page.stopRecording();
        QCOMPARE(page.steps(), rows({row(132, 0, 4), row(132, 0, 5), row(4, 0, 5), row(4, 0, 4)}));
    }

    void unreleasedKeys_warnAndStillSave()
    {
        writeMacro("held");
        MacroDialog page;
        MessageCatcher catcher;
        page.startRecording();
        page.handleKeyEvent(key(kScanA, false));
        page.stopRecording();
        QVERIFY(catcher.saw("ONE OR MORE KEYS HAS NOT BEEN RELEASED."));
        QCOMPARE(loadMacro("held").actions, rows({row(132, 0, 4)}));
    }

    void newMacro_takesTheFirstFreeNumberAndAnEmptySlot()
    {
        writeMacro("name_1");
        writeMacro("name_2");
        writeMacro("keep");
        removeFromMacroList("name_1"); // slot 0 is free again; its file stays
        MacroDialog page;
        page.newMacro();
        QCOMPARE(page.currentMacroName(), QString("name_3"));
        QCOMPARE(readMacroList().at(0), QString("name_3"));
        QCOMPARE(page.defaultDelayEdit()->text(), QString("10"));
        QCOMPARE(page.loopTimeEdit()->text(), QString("1"));
        QCOMPARE(page.steps().size(), 0);
        QCOMPARE(page.macroList()->item(0)->text(), QString("name_3"));
    }

    void newMacro_skipsANameListedWithoutItsFile()
    {
        // "name_1" is listed but its file is gone: the name is still taken.
        writeMacro("name_1");
        QVERIFY(deleteMacroFile("name_1"));
        QVERIFY(isMacroNameTaken("name_1"));
        QVERIFY(!isMacroNameTaken("name_2"));
        QCOMPARE(newMacroName(), QString("name_2"));
        MacroDialog page;
        page.newMacro();
        QCOMPARE(page.currentMacroName(), QString("name_2"));
        QCOMPARE(readMacroList().count(QString("name_1")), 1);
        QCOMPARE(readMacroList().count(QString("name_2")), 1);
        // The recoil form's free-name search follows the same rule.
        QCOMPARE(page.storeGunset("name_1", {}), QString("name_1_1"));
        QCOMPARE(readMacroList().count(QString("name_1")), 1);
    }

    void newMacro_refusedWhenTheListIsFull()
    {
        for (int i = 0; i < MACRO_LIST_SIZE; ++i)
            QVERIFY(addToMacroList(QStringLiteral("m%1").arg(i)) >= 0);
        MacroDialog page;
        MessageCatcher catcher;
        page.newMacro();
        QVERIFY(catcher.saw("TOO MANY MACROS TO BE CREATE!"));
        QVERIFY(!QFileInfo::exists(macroFilePath("name_1")));
    }

    void mouseTree_insertsClicksAndMovesWithDelayRows()
    {
        writeMacro("mouse", {}, 1);
        MacroDialog page;
        KestTreeItem *left = treeItem(page, "LEFT CLICK");
        QVERIFY(left);
        page.stepEditor()->mouseActionClicked(left); // opens the item only
        QVERIFY(left->isExpanded());
        QCOMPARE(page.steps().size(), 0);
        page.stepEditor()->mouseActionClicked(left);
        QCOMPARE(page.steps(), rows({row(129, 0, 1), row(6, 0, 1), row(1, 0, 1), row(6, 0, 1)}));

        // Opening another button item closes the first.
        KestTreeItem *right = treeItem(page, "RIGHT CLICK");
        page.stepEditor()->mouseActionClicked(right);
        QVERIFY(!left->isExpanded());
        page.stepEditor()->mouseActionClicked(right->child(1)); // BOUNCE UP only
        QCOMPARE(page.steps().mid(4), rows({row(1, 0, 2), row(6, 0, 1)}));

        KestTreeItem *moveRight = treeItem(page, "MOVE RIGHT");
        moveRight->distanceEdit()->setText("30");
        page.stepEditor()->selectRow(0);
        page.stepEditor()->mouseActionClicked(moveRight);
        QCOMPARE(page.steps().at(1), row(2, 30, 0));
        QCOMPARE(page.steps().at(2), row(6, 0, 1));

        // Without a delay mode there are no delay rows; up 30 is (2, 0, 226).
        page.recordDelayBox()->setChecked(false);
        KestTreeItem *moveUp = treeItem(page, "MOVE UP");
        moveUp->distanceEdit()->setText("30");
        page.stepEditor()->selectRow(page.steps().size() - 1);
        page.stepEditor()->mouseActionClicked(moveUp);
        QCOMPARE(page.steps().last(), row(2, 0, 226));
        QCOMPARE(page.steps().size(), 9);
    }

    void stepEdits_changeTheSelectedDelayAndMove()
    {
        writeMacro("edits", {row(6, 0, 5), row(2, 0, 226), row(132, 0, 4)});
        MacroDialog page;
        page.stepEditor()->selectRow(0);
        QCOMPARE(page.delayEdit()->text(), QString("50"));
        page.stepEditor()->delayEdited("250");
        QCOMPARE(page.steps().at(0), row(6, 0, 25));
        page.stepEditor()->delayEdited("5"); // below 10 ms: not taken
        QCOMPARE(page.steps().at(0), row(6, 0, 25));
        page.stepEditor()->selectRow(1);
        QCOMPARE(page.moveEdit()->text(), QString("30"));
        page.stepEditor()->moveEdited("12");
        QCOMPARE(page.steps().at(1), row(2, 0, 244));
        // A key row ignores both edits.
        page.stepEditor()->selectRow(2);
        QVERIFY(!page.moveEdit()->isEnabled());
        page.stepEditor()->delayEdited("300");
        QCOMPARE(page.steps().at(2), row(132, 0, 4));
    }

    void keyEdit_replacesTheKeyOfTheSelectedRow()
    {
        writeMacro("keys", {row(132, 0, 4), row(4, 0, 4)});
        MacroDialog page;
        page.stepEditor()->selectRow(1);
        page.toggleKeyEdit();
        QVERIFY(page.isEditingKey());
        QVERIFY(page.handleKeyEvent(key(kScanB, false)));
        QCOMPARE(page.steps().at(1), row(4, 0, 5));
        page.toggleKeyEdit();
        QVERIFY(!page.handleKeyEvent(key(kScanA, false)));
        QCOMPARE(page.steps().at(1), row(4, 0, 5));
    }

    void stepButtons_moveDeleteCopyCutPaste()
    {
        const MacroSteps start = rows({row(132, 0, 4), row(6, 0, 1), row(4, 0, 4), row(2, 1, 0)});
        writeMacro("rows", start);
        MacroDialog page;
        page.stepEditor()->selectRow(3);
        page.stepEditor()->moveStepToTop();
        QCOMPARE(page.steps().first(), start[3]);
        page.stepEditor()->moveStepDown();
        QCOMPARE(page.steps().at(1), start[3]);
        page.stepEditor()->moveStepToBottom();
        QCOMPARE(page.steps(), start);
        page.stepEditor()->moveStepDown(); // already last
        QCOMPARE(page.steps(), start);

        // Copy two rows, paste them after the current row.
        QTableView *view = page.stepView();
        page.stepEditor()->selectRow(0);
        view->selectionModel()->select(page.stepModel()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        page.stepEditor()->copySteps();
        page.stepEditor()->selectRow(3);
        page.stepEditor()->pasteSteps();
        QCOMPARE(page.steps(), start + rows({start[0], start[2]}));
        // The pasted rows are the selection: cut them again.
        page.stepEditor()->cutSteps();
        QCOMPARE(page.steps(), start);
        page.stepEditor()->selectRow(0);
        page.stepEditor()->pasteSteps();
        QCOMPARE(page.steps().mid(1, 2), rows({start[0], start[2]}));

        page.stepEditor()->selectRow(1);
        page.stepEditor()->deleteSteps();
        QCOMPARE(page.steps().size(), 5);
        page.stepEditor()->clearSteps();
        QCOMPARE(page.steps().size(), 0);
    }

    void stepCount_isShownAndHandEditsAreNotLimited()
    {
        MacroSteps many;
        for (int i = 0; i < 63; ++i)
            many.append(row(6, 0, 1));
        writeMacro("long", many);
        MacroDialog page;
        QVERIFY(page.stepCountLabel()->text().contains("63/63"));
        page.stepEditor()->selectRow(62);
        page.stepEditor()->insertDelay();
        QCOMPARE(page.steps().size(), 64);
        QVERIFY(page.stepCountLabel()->text().contains("64/63"));
    }

    void options_excludeEachOtherAndAreSaved()
    {
        writeMacro("opts");
        MacroDialog page;
        page.recordDelayBox()->click();
        page.defaultDelayBox()->click();
        QVERIFY(!page.recordDelayBox()->isChecked());
        QCOMPARE(page.delayMode(), DelayMode::Default);
        page.loopBox(2)->click();
        page.loopBox(3)->click();
        QCOMPARE(page.loopType(), 3);
        page.loopBox(3)->click();
        QCOMPARE(page.loopType(), 0);
        page.loopBox(1)->click();
        page.defaultDelayEdit()->setText("250");
        page.options()->defaultDelayEdited("250");
        page.options()->loopTimeEdited("7");
        page.options()->loopTimeEdited(""); // an emptied edit keeps the last count
        page.saveMacroClicked();
        const Macro saved = loadMacro("opts");
        QCOMPARE(saved.settings.delayType, 2);
        QCOMPARE(saved.settings.defaultDelay, 250);
        QCOMPARE(saved.settings.loopType, 1);
        QCOMPARE(saved.settings.loopTime, 7);
    }

    void changeName_refusesBadAndTakenNames()
    {
        writeMacro("one");
        writeMacro("two");
        MacroDialog page;
        MessageCatcher catcher;
        page.nameEdit()->setText("../evil");
        page.changeName();
        QCOMPARE(page.currentMacroName(), QString("one"));
        QCOMPARE(page.nameEdit()->text(), QString("one"));
        page.nameEdit()->setText("two");
        page.changeName();
        QVERIFY(catcher.saw("Macro Exist!"));
        QVERIFY(QFileInfo::exists(macroFilePath("two")));
        QCOMPARE(catcher.messages().size(), 2);

        page.nameEdit()->setText("renamed");
        page.changeName();
        QCOMPARE(page.currentMacroName(), QString("renamed"));
        QCOMPARE(readMacroList().at(0), QString("renamed")); // same slot
        QVERIFY(!QFileInfo::exists(macroFilePath("one")));
        QVERIFY(QFileInfo::exists(macroFilePath("renamed")));
    }

    void deleteMacro_opensTheNextOrEmptiesThePage()
    {
        writeMacro("a", {row(6, 0, 1)});
        writeMacro("b");
        MacroDialog page;
        page.deleteMacro();
        QVERIFY(!QFileInfo::exists(macroFilePath("a")));
        QCOMPARE(readMacroList().at(0), QString());
        QCOMPARE(page.currentMacroName(), QString("b"));
        page.deleteMacro();
        QCOMPARE(page.currentMacroName(), QString());
        QCOMPARE(page.macroList()->count(), 0);
        QVERIFY(!page.button("START")->isEnabled());
    }

    void deleteMacro_walksToTheNextThenBackFromTheLast()
    {
        writeMacro("a");
        writeMacro("b");
        writeMacro("c");
        writeMacro("d");
        MacroDialog page;
        QVERIFY(page.selectMacro("b"));
        page.deleteMacro(); // from the middle: the next one
        QCOMPARE(page.currentMacroName(), QString("c"));
        QVERIFY(page.selectMacro("d"));
        page.deleteMacro(); // the last: the one before it
        QCOMPARE(page.currentMacroName(), QString("c"));
        QCOMPARE(page.macroList()->count(), 2);
        QCOMPARE(page.macroList()->item(0)->text(), QString("a"));
    }

    void switchingMacros_keepsTheEdits()
    {
        writeMacro("a");
        writeMacro("b");
        MacroDialog page;
        page.stepEditor()->insertDelay();
        QVERIFY(page.selectMacro("b"));
        QCOMPARE(loadMacro("a").actions.size(), 1);
    }

    void cancel_reloadsTheFile()
    {
        writeMacro("c", {row(132, 0, 4), row(4, 0, 4)});
        MacroDialog page;
        page.stepEditor()->clearSteps();
        page.cancelClicked();
        QCOMPARE(page.steps().size(), 2);
    }

    void save_writesTheFileAndSaysSo()
    {
        writeMacro("s", {row(132, 0, 4), row(4, 0, 4)});
        MacroDialog page;
        page.stepEditor()->clearSteps();
        QVERIFY(page.statusLabel()->text().isEmpty());
        page.saveMacroClicked();
        QVERIFY(loadMacro("s").actions.isEmpty());
        QCOMPARE(page.statusLabel()->text(), QString("Macro \"s\" saved."));
    }

    void import_refusesExistingNamesAndBatchSaysWhich()
    {
        writeMacro("here");
        QTemporaryDir outside;
        const MacroSteps steps = rows({row(132, 0, 4), row(4, 0, 4)});
        auto makeFile = [&](const QString &name) {
            const QString path = outside.filePath(name + ".MSMACRO");
            QSettings ini(path, QSettings::IniFormat);
            ini.setValue("Setting/Count", 2);
            for (int i = 0; i < 2; ++i) {
                ini.setValue(QStringLiteral("Setting/Map_%1").arg(i), steps[i].map);
                ini.setValue(QStringLiteral("Setting/DataH_%1").arg(i), steps[i].high);
                ini.setValue(QStringLiteral("Setting/DataL_%1").arg(i), steps[i].low);
            }
            return path;
        };
        MacroDialog page;
        MessageCatcher catcher;
        QCOMPARE(page.importMacroFiles({makeFile("here")}), QStringList());
        QCOMPARE(catcher.messages().size(), 1);
        QVERIFY(catcher.saw("Macro Exist!"));

        page.toggleBatchMode();
        const QStringList imported =
            page.importMacroFiles({makeFile("x1"), makeFile("here"), makeFile("x2")});
        QCOMPARE(imported, QStringList({"x1", "x2"}));
        QVERIFY(catcher.messages().last().contains("here"));
        QCOMPARE(loadMacro("x2").actions, steps);
        QVERIFY(readMacroList().contains("x1"));
    }

    void export_copiesTheCurrentAndTheCheckedMacros()
    {
        writeMacro("e1", {row(6, 0, 1)});
        writeMacro("e2");
        writeMacro("e3");
        QTemporaryDir target;
        MacroDialog page;
        QVERIFY(page.exportCurrentMacro(target.filePath("copy")));
        QVERIFY(QFileInfo::exists(target.filePath("copy.MSMACRO")));

        page.toggleBatchMode();
        QVERIFY(!page.button("START")->isEnabled());
        QVERIFY(!page.recordDelayBox()->isEnabled());
        page.setMacroChecked("e1", true);
        page.setMacroChecked("e3", true);
        QCOMPARE(page.exportCheckedMacros(target.path()), QStringList({"e1", "e3"}));
        QVERIFY(QFileInfo::exists(target.filePath("e3.MSMACRO")));
        QVERIFY(!QFileInfo::exists(target.filePath("e2.MSMACRO")));
        page.toggleBatchMode();
        QVERIFY(page.button("START")->isEnabled());
    }

    void gunset_storedUnderAFreeNameAndOpened()
    {
        MacroDialog page;
        const MacroSteps steps = gunsetSteps(QVector<GunShot>(kGunShotCount));
        QCOMPARE(page.storeGunset("AK", steps), QString("AK"));
        QCOMPARE(page.storeGunset("AK", steps), QString("AK_1"));
        QCOMPARE(page.storeGunset("AK", steps), QString("AK_2"));
        QCOMPARE(page.currentMacroName(), QString("AK_2"));
        QCOMPARE(page.steps(), steps);
        QCOMPARE(page.macroList()->count(), 3);
        const Macro stored = loadMacro("AK_2");
        QCOMPARE(stored.settings.delayType, 1);
        QCOMPARE(stored.settings.defaultDelay, 10);
        QCOMPARE(stored.settings.loopTime, 1);
        QSettings raw(macroFilePath("AK_2"), QSettings::IniFormat);
        QVERIFY(!raw.contains("Setting/WriteSign"));
        QCOMPARE(raw.value("Setting/Count").toInt(), 15);
    }

    void gunsetDialog_needsANameAndBuildsTheSteps()
    {
        KestGunsetDialog dialog(1.0);
        MessageCatcher catcher;
        dialog.confirm();
        QVERIFY(catcher.saw("Please input file name."));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.resultSteps().isEmpty());

        // A name that cannot become a file is refused in the dialog, the form kept.
        dialog.nameEdit()->setText("ak/47");
        dialog.verticalSpin(0)->setValue(-3);
        dialog.confirm();
        QVERIFY(catcher.saw("This name cannot be used for a macro file."));
        QVERIFY(dialog.result() != int(QDialog::Accepted));
        QCOMPARE(dialog.nameEdit()->text(), QString("ak/47"));
        QCOMPARE(dialog.verticalSpin(0)->value(), -3);
        for (const char *bad : {"..", "a\\b"}) {
            dialog.nameEdit()->setText(bad);
            dialog.confirm();
            QVERIFY2(dialog.result() != int(QDialog::Accepted), bad);
        }

        dialog.nameEdit()->setText("recoil");
        dialog.verticalSpin(0)->setValue(-3);
        dialog.delaySpin(1)->setValue(5);
        dialog.delaySpin(4)->setValue(999);
        dialog.confirm();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.resultName(), QString("recoil"));
        const MacroSteps steps = dialog.resultSteps();
        QCOMPARE(steps.size(), 16);
        QCOMPARE(steps.at(2), row(2, 0, 253));
        QCOMPARE(steps.at(3), row(6, 0, 10));
        QCOMPARE(steps.at(6), row(6, 0, 0));
        QCOMPARE(steps.last(), row(6, 0, 99));
    }
};

QTEST_MAIN(MacroDialogTest)
#include "tst_macrodialog.moc"
