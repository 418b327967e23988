// SPDX-License-Identifier: GPL-2.0-or-later
// Whole journeys through the real window against the simulated mouse: each profile
// operation, then a DPI change made on the mouse, then Apply, with every slot current in
// turn. After each step the files on disk, "Config.ini" and what the mouse holds must
// agree with what the window shows.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include "core/kestmousecore.h"
#include "app/kestprofilemanager.h"
#include "app/mousecfgwidget.h"
#include "device/devicelink.h"
#include "device/dpiencoding.h"
#include "device/kestbatteryreader.h"
#include "device/sim/kestsimmouse.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "tests/common/appfixture.h"
#include "tests/common/messageboxguard.h"
#include "widgets/kestpushbutton.h"

namespace {

const QString kLibraryProfile = QStringLiteral("Gaming");

// The DPI levels differ per slot, so that what the mouse holds tells which slot it got.
void makeSlotsDistinct(ConfigRecord &set)
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        for (DpiInfo &level : set.profiles[k].DPI_INFO) {
            level.x += quint32(2 * k + 1);
            level.y += quint32(2 * k + 1);
        }
        set.profiles[k].dpi = 0;
    }
}

} // namespace

class TestJourneys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        setApplicationDir(m_app->path());
        QVERIFY(writeSampleAppFolder(m_app->path()));
        m_messages.clear();
        m_boxes.reset(new MessageBoxGuard);
    }

    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        setHidBackend(nullptr);
        m_boxes.reset();
    }

    void journey_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("slot");
        const QStringList operations = {
            QStringLiteral("add"),           QStringLiteral("copy"),
            QStringLiteral("rename"),        QStringLiteral("delete"),
            QStringLiteral("assign"),        QStringLiteral("importProfile"),
            QStringLiteral("exportProfile"), QStringLiteral("exportImportConfig"),
            QStringLiteral("reset"),         QStringLiteral("resetAll"),
        };
        for (const QString &operation : operations) {
            for (int slot = 0; slot < SLOT_COUNT; ++slot)
                QTest::addRow("%s, slot %d", qPrintable(operation), slot + 1) << operation << slot;
        }
    }

    void journey()
    {
        QFETCH(QString, operation);
        QFETCH(int, slot);
        start();
        m_window->switchToSlot(slot);
        QElapsedTimer sinceSwitch;
        sinceSwitch.start();
        QCOMPARE(m_window->core()->currentSlot(), slot);
        const QString before = slotName();

        runOperation(operation);
        // The confirmations these operations ask for, answered Yes.
        m_messages.removeAll(QStringLiteral("Are you sure you want delete this profile?"));
        m_messages.removeAll(QStringLiteral("Are you sure you want reset this profile?"));
        m_messages.removeAll(QStringLiteral("Are you sure you want reset all profiles?"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('|'))));
        QCOMPARE(m_window->core()->currentSlot(), slot);
        checkFilesAgree();
        checkOperationResult(operation, before);
        if (QTest::currentTestFailed())
            return;

        // The mouse's DPI button: the level lands in the file of the profile the slot
        // shows now, and in no other file.
        const QMap<QString, QByteArray> othersBefore = otherProfileFiles();
        const quint8 level = quint8((profile().dpi + 1) % 4);
        // A user's press, not the mouse's answer to the switch, which comes at once.
        QTest::qWait(int(qMax<qint64>(0, KestMouseCore::kSwitchAnswerMs + 100 - sinceSwitch.elapsed())));
        m_sim->setDpiLevelOnMouse(level);
        QTRY_COMPARE(int(profile().dpi), int(level));
        ProfileRecord onDisk;
        QVERIFY(loadSlotFile(onDisk, slotName()));
        QCOMPARE(int(onDisk.dpi), int(level));
        QCOMPARE(otherProfileFiles(), othersBefore);

        apply();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('|'))));
        checkFilesAgree();
        checkMouseHoldsCurrentSlot();
    }

private:
    void start()
    {
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        useFastBatteryReader(m_window->core()->batteryReader());
        m_window->profileManager()->setMessageHandler([this](int kind, const QString &text) {
            if (kind != KestMessageBox::Notice) // an export naming its file is no complaint
                m_messages << text;
            return 1;
        });
        m_window->profileManager()->setNameHandler([](const KestProfileManager::NameRequest &request) {
            return KestProfileManager::NameAnswer{request.suggestion, false};
        });
        // A library profile no slot shows, and slots that differ from each other.
        ConfigRecord &set = m_window->core()->working();
        makeSlotsDistinct(set);
        QVERIFY(saveAll(set));
        ProfileRecord gaming = set.profiles[4];
        for (DpiInfo &level : gaming.DPI_INFO)
            level.x = level.y = level.x + 20;
        QVERIFY(saveSlotFile(gaming, kLibraryProfile));
        m_window->core()->library() << kLibraryProfile;
        QVERIFY(writeProfileList(m_window->core()->library()));
        m_window->core()->lastWritten() = set;
        m_window->refreshPanels(); // the panels show the slots as they now are
        m_window->core()->stopBatteryReader();
        m_window->core()->startBatteryReader();
        m_window->show();
    }

    ProfileRecord &profile() { return m_window->core()->working().profiles[m_window->core()->currentSlot()]; }
    QString slotName() { return m_window->core()->working().names[m_window->core()->currentSlot()]; }
    KestProfileManager *manager() { return m_window->profileManager(); }

    void runOperation(const QString &operation)
    {
        KestProfileManager *m = manager();
        if (operation == QLatin1String("add")) {
            m->addProfile();
        } else if (operation == QLatin1String("copy")) {
            m->copyProfile();
        } else if (operation == QLatin1String("rename")) {
            // The default profiles keep their names: rename a library profile.
            m->assignProfile(kLibraryProfile);
            m->renameProfile(QStringLiteral("Racing"));
        } else if (operation == QLatin1String("delete")) {
            m->assignProfile(kLibraryProfile);
            m->deleteProfile();
        } else if (operation == QLatin1String("assign")) {
            m->assignProfile(kLibraryProfile);
        } else if (operation == QLatin1String("importProfile")) {
            const QString path = m_tmp.path() + QStringLiteral("/Imported.prof");
            QFile::remove(path);
            QVERIFY(m->exportProfileTo(path));
            m->importProfileFrom(path);
        } else if (operation == QLatin1String("exportProfile")) {
            m_exported = m_tmp.path() + QStringLiteral("/Exported.prof");
            QFile::remove(m_exported);
            QVERIFY(m->exportProfileTo(m_exported));
        } else if (operation == QLatin1String("exportImportConfig")) {
            const QString path = m_tmp.path() + QStringLiteral("/All.conf");
            QFile::remove(path);
            QVERIFY(m->exportConfigTo(path));
            // Edits after the export are replaced by the file's settings.
            m_expected = m_window->core()->working();
            for (ProfileRecord &p : m_window->core()->working().profiles)
                p.pollrate = 2;
            m->importConfigFrom(path);
        } else if (operation == QLatin1String("reset")) {
            m->resetProfile();
        } else if (operation == QLatin1String("resetAll")) {
            m->resetAll();
        } else {
            QFAIL("unknown operation");
        }
    }

    void checkOperationResult(const QString &operation, const QString &before)
    {
        const QString name = slotName();
        const auto exists = [](const QString &n) { return QFileInfo::exists(profileFilePath(n)); };
        QVERIFY(exists(name));
        QCOMPARE(m_window->core()->library(), readProfileList());
        if (operation == QLatin1String("add")) {
            QCOMPARE(name, QStringLiteral("Profile 6"));
        } else if (operation == QLatin1String("copy")) {
            QCOMPARE(name, before + QStringLiteral(" copy"));
            QVERIFY(exists(before));
        } else if (operation == QLatin1String("rename")) {
            QCOMPARE(name, QStringLiteral("Racing"));
            QVERIFY(!exists(kLibraryProfile));
            QVERIFY(!m_window->core()->library().contains(kLibraryProfile));
        } else if (operation == QLatin1String("delete")) {
            QVERIFY(!exists(kLibraryProfile));
            QVERIFY(name != kLibraryProfile);
            for (int k = 0; k < SLOT_COUNT; ++k) {
                if (k != m_window->core()->currentSlot())
                    QVERIFY(m_window->core()->working().names[k] != name);
            }
        } else if (operation == QLatin1String("assign")) {
            QCOMPARE(name, kLibraryProfile);
            ProfileRecord gaming;
            QVERIFY(loadSlotFile(gaming, kLibraryProfile));
            QCOMPARE(profile().DPI_INFO, gaming.DPI_INFO);
        } else if (operation == QLatin1String("importProfile")) {
            QCOMPARE(name, QStringLiteral("Imported"));
            checkMouseHoldsCurrentSlot();
        } else if (operation == QLatin1String("exportProfile")) {
            QCOMPARE(name, before);
            QCOMPARE(readProductTag(m_exported), QStringLiteral("KX-27"));
            ProfileRecord exported;
            QVERIFY(loadProfile(0, exported, m_exported).isUsable());
            exported.ProfileName = profile().ProfileName;
            exported.ProfilePath = profile().ProfilePath;
            QCOMPARE(exported.DPI_INFO, profile().DPI_INFO);
        } else if (operation == QLatin1String("exportImportConfig")) {
            QCOMPARE(name, before);
            for (int k = 0; k < SLOT_COUNT; ++k)
                QCOMPARE(int(m_window->core()->working().profiles[k].pollrate),
                         int(m_expected.profiles[k].pollrate));
            checkMouseHoldsCurrentSlot();
        } else if (operation == QLatin1String("reset") || operation == QLatin1String("resetAll")) {
            QCOMPARE(name, before);
            ProfileRecord defaults;
            makeDefaultProfile(defaults);
            QCOMPARE(profile().DPI_INFO, defaults.DPI_INFO);
            checkMouseHoldsCurrentSlot();
        }
    }

    // "Config.ini" names what every slot shows, and each slot's file holds its record.
    void checkFilesAgree()
    {
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        const ConfigRecord &set = m_window->core()->working();
        QCOMPARE(int(saved.ProfileID), m_window->core()->currentSlot());
        for (int k = 0; k < SLOT_COUNT; ++k) {
            QCOMPARE(saved.names[k], set.names[k]);
            QVERIFY2(QFileInfo::exists(profileFilePath(set.names[k])), qPrintable(set.names[k]));
        }
        const ProfileRecord &shown = set.profiles[m_window->core()->currentSlot()];
        const ProfileRecord &stored = saved.profiles[m_window->core()->currentSlot()];
        // The rate the mouse reports is followed in the window only, until Apply.
        QCOMPARE(stored.DPI_INFO, shown.DPI_INFO);
        QCOMPARE(int(stored.dpi), int(shown.dpi));
    }

    void checkMouseHoldsCurrentSlot()
    {
        const KestSimMouseState state = m_sim->state();
        const ProfileRecord &shown = profile();
        QCOMPARE(int(state.activeDpiLevel), int(shown.dpi));
        QCOMPARE(int(state.reportRate), int(shown.pollrate));
        const int sensor = readSensorCode();
        for (int i = 0; i < 4; ++i) {
            const DpiLevelBytes bytes =
                encodeDpiLevel(shown.DPI_INFO[i].x, shown.DPI_INFO[i].y, sensor);
            QCOMPARE(int(state.dpi[i].xLow), int(bytes.xLow));
            QCOMPARE(int(state.dpi[i].yLow), int(bytes.yLow));
        }
    }

    void apply()
    {
        KestPushButton *applyButton = nullptr;
        for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
            if (button->text() == QLatin1String("Apply"))
                applyButton = button;
        }
        QVERIFY(applyButton);
        QSignalSpy written(manager(), &KestProfileManager::writeFinished);
        applyButton->click();
        QCOMPARE(written.count(), 1);
        QCOMPARE(written.at(0).at(0).toInt(), 0);
    }

    QMap<QString, QByteArray> otherProfileFiles()
    {
        QMap<QString, QByteArray> files;
        const QDir folder(profileFolder());
        for (const QString &file : folder.entryList({QStringLiteral("*.prof")}, QDir::Files)) {
            if (file == slotName() + QStringLiteral(".prof"))
                continue;
            QFile f(folder.filePath(file));
            if (f.open(QIODevice::ReadOnly))
                files.insert(file, f.readAll());
        }
        return files;
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
    std::unique_ptr<MessageBoxGuard> m_boxes;
    QStringList m_messages;
    QString m_exported;
    ConfigRecord m_expected;
};

QTEST_MAIN(TestJourneys)
#include "tst_journeys.moc"
