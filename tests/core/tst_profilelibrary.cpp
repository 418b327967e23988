// SPDX-License-Identifier: GPL-2.0-or-later
// The profile library's file and list work on its own: no window, no question, no mouse.

#include <QTemporaryDir>
#include <QtTest>

#include "core/kestprofilelibrary.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

namespace {

bool exists(const QString &name)
{
    return QFileInfo(profileFilePath(name)).isFile();
}

// A symbolic link where a file of ours goes: every save refuses it, also as root.
void linkInPlaceOf(const QString &path)
{
    const QString real = path + QStringLiteral(".real");
    QVERIFY(QFile::rename(path, real));
    QVERIFY(QFile::link(real, path));
}

} // namespace

class TestProfileLibrary : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ConfigRecord m_working;
    QStringList m_list;

    KestProfileLibrary library() { return KestProfileLibrary(m_working, m_list, 0, QStringLiteral("KX-27")); }

    void addLibraryProfile(const QString &name)
    {
        ProfileRecord profile;
        makeDefaultProfile(profile);
        profile.ProfileName = name;
        QVERIFY(saveSlotFile(profile, name));
        m_list << name;
        QVERIFY(writeProfileList(m_list));
    }

private slots:
    // The five default slots, their files and the list, as a first start leaves them.
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        setApplicationDir(m_dir->path());
        const QString data = QStringLiteral(MOUSECFG_SOURCE_DIR "/data/");
        QDir().mkpath(m_dir->path() + QStringLiteral("/Configs"));
        for (const QString &file : {QStringLiteral("DefaultProfile.bin"), QStringLiteral("Configs/Config.ini")})
            QVERIFY(QFile::copy(data + file, m_dir->path() + QLatin1Char('/') + file));
        QVERIFY(writeTemplate());
        ConfigRecord set;
        makeDefaultConfig(set);
        m_list.clear();
        for (int k = 0; k < SLOT_COUNT; ++k) {
            makeDefaultProfile(set.profiles[k]);
            set.profiles[k].ProfileName = set.names[k];
            m_list << set.names[k];
        }
        QVERIFY(saveAll(set));
        QVERIFY(writeProfileList(m_list));
        QVERIFY(loadAll(m_working).isUsable());
    }

    void cleanup()
    {
        setApplicationDir(QString());
        m_dir.reset();
    }

    void deletion_replacementWalk_data()
    {
        // D is deleted; "Profile 2".."Profile 5" are shown by the other slots. Empty: refused.
        QTest::addColumn<QStringList>("library");
        QTest::addColumn<QString>("replacement");
        const QString p2 = QStringLiteral("Profile 2"), p3 = QStringLiteral("Profile 3");
        QTest::newRow("next entry is free") << QStringList{"A", "D", "B"} << "B";
        QTest::newRow("first entry: the next") << QStringList{"D", "A", "B"} << "A";
        QTest::newRow("last entry: the one before") << QStringList{"A", "B", "D"} << "B";
        QTest::newRow("next is taken: step towards the start") << QStringList{"A", "D", p2, "B"} << "A";
        QTest::newRow("several taken steps") << QStringList{"A", "B", p3, "D", p2, "C"} << "B";
        QTest::newRow("last, the one before taken") << QStringList{"A", p2, "D"} << "A";
        QTest::newRow("off the start: first free entry") << QStringList{"D", p2, "A", "B"} << "A";
        QTest::newRow("off the start past other slots") << QStringList{p2, "D", p3, "Free"} << "Free";
        QTest::newRow("every other entry shown elsewhere") << QStringList{p2, "D"} << QString();
    }

    void deletion_replacementWalk()
    {
        QFETCH(QStringList, library);
        QFETCH(QString, replacement);
        for (const QString &name : library) {
            if (!name.startsWith(QLatin1String("Profile")))
                addLibraryProfile(name);
        }
        m_list = library;
        m_working.names[0] = QStringLiteral("D");

        QString chosen;
        const KestLibraryResult checked = this->library().deletionReplacement(&chosen);
        if (replacement.isEmpty()) {
            QCOMPARE(int(checked.outcome), int(KestLibraryResult::LastProfile));
            QVERIFY(exists(QStringLiteral("D")));
            return;
        }
        QVERIFY(checked.ok());
        QCOMPARE(chosen, replacement);
        const KestLibraryResult removed = this->library().remove(chosen);
        QVERIFY(removed.ok() && removed.changed);
        QCOMPARE(m_working.names[0], replacement);
        QVERIFY(!exists(QStringLiteral("D")));
        library.removeAll(QStringLiteral("D"));
        QCOMPARE(m_list, library);
        QCOMPARE(readProfileList(), library);
    }

    void copyTwice_givesCopyThenCopy2()
    {
        addLibraryProfile(QStringLiteral("Gaming"));
        QVERIFY(library().assign(QStringLiteral("Gaming")).ok());
        for (const QString &expected : {QStringLiteral("Gaming copy"), QStringLiteral("Gaming copy 2")}) {
            QVERIFY(library().assign(QStringLiteral("Gaming")).ok());
            QCOMPARE(library().suggestedCopyName(), expected);
            QVERIFY(library().copy(expected).ok());
            QCOMPARE(m_working.names[0], expected);
            QVERIFY(exists(expected));
        }
        QCOMPARE(m_list.mid(5),
                 (QStringList{QStringLiteral("Gaming"), QStringLiteral("Gaming copy"), QStringLiteral("Gaming copy 2")}));
        QCOMPARE(readProfileList(), m_list);
    }

    void rename_movesFileListAndStoredSlotName()
    {
        addLibraryProfile(QStringLiteral("Old"));
        QVERIFY(library().assign(QStringLiteral("Old")).ok()); // Config.ini names "Old" for slot 0

        QVERIFY(library().rename(QStringLiteral("Été")).ok());
        QVERIFY(!exists(QStringLiteral("Old")));
        QVERIFY(exists(QStringLiteral("Été")));
        QCOMPARE(m_working.names[0], QStringLiteral("Été"));
        QCOMPARE(m_working.profiles[0].ProfileName, QStringLiteral("Été"));
        QVERIFY(m_list.contains(QStringLiteral("Été")));
        QVERIFY(!m_list.contains(QStringLiteral("Old")));
        QCOMPARE(readProfileList(), m_list);
        // Quitting now must not leave slot 0 pointing at a file that is gone.
        ConfigRecord restarted;
        QVERIFY(loadAll(restarted).isUsable());
        QCOMPARE(restarted.names[0], QStringLiteral("Été"));
    }

    // Every file an operation writes is checked: a refusal names the file, and the records
    // stay what the disk holds.
    void savesRefused_nothingHalfDone_fileNamed()
    {
        addLibraryProfile(QStringLiteral("Old"));
        QVERIFY(library().assign(QStringLiteral("Old")).ok());
        const QStringList list = m_list;

        // The slot names cannot be stored: the rename is undone.
        linkInPlaceOf(globalConfigPath());
        const KestLibraryResult renamed = library().rename(QStringLiteral("New"));
        QCOMPARE(int(renamed.outcome), int(KestLibraryResult::FileFailed));
        QCOMPARE(renamed.file.path(), globalConfigPath());
        QVERIFY(exists(QStringLiteral("Old")));
        QVERIFY(!exists(QStringLiteral("New")));
        QCOMPARE(m_working.names[0], QStringLiteral("Old"));
        QCOMPARE(m_list, list);

        // Nor can an added profile be: nothing is added.
        const KestLibraryResult added = library().add(QStringLiteral("Fresh"), false);
        QCOMPARE(int(added.outcome), int(KestLibraryResult::FileFailed));
        QCOMPARE(added.file.path(), globalConfigPath());
        QVERIFY(!exists(QStringLiteral("Fresh")));
        QCOMPARE(m_list, list);
        QCOMPARE(m_working.names[0], QStringLiteral("Old"));
    }
};

QTEST_GUILESS_MAIN(TestProfileLibrary)
#include "tst_profilelibrary.moc"
