// SPDX-License-Identifier: GPL-2.0-or-later
// Saving the whole set is all or nothing, even when the program is killed part way.

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include "store/appsettings.h"
#include "store/kestinifile.h"
#include "store/kestwritejournal.h"
#include "store/profilefiles.h"
#include "storefixture.h"

class TestImportJournal : public QObject
{
    Q_OBJECT

private slots:
    void killedAtRandomPoints_theNextLoadFindsOneWholeSet()
    {
        StoreFixture f;
        int mixedBeforeRecovery = 0;
        for (int kill = 0; kill < 25; ++kill) {
            QProcess helper;
            helper.start(QStringLiteral(JOURNAL_HELPER), {f.path(QString())});
            QVERIFY(helper.waitForStarted(10000));
            QVERIFY(helper.waitForReadyRead(20000)); // the first set is whole
            QTest::qWait(int(QRandomGenerator::global()->bounded(5, 120)));
            helper.kill();
            QVERIFY(helper.waitForFinished(10000));

            // What the files say before anyone tidies up, to show that kills land mid-save.
            QSet<int> marks;
            for (int k = 0; k < SLOT_COUNT; ++k) {
                KestIniFile slot;
                QVERIFY(slot.load(profileFilePath(QStringLiteral("Profile %1").arg(k + 1))).isUsable());
                marks << slot.intValue(QStringLiteral("PROFILE/pollrate"));
            }
            if (marks.size() > 1)
                ++mixedBeforeRecovery;

            ConfigRecord loaded;
            QVERIFY(loadAll(loaded).isOk());
            const int mark = loaded.profiles[0].pollrate;
            QVERIFY2(mark == 100 || mark == 200, qPrintable(QString::number(mark)));
            for (int k = 0; k < SLOT_COUNT; ++k)
                QCOMPARE(int(loaded.profiles[k].pollrate), mark);
            // Config.ini belongs to the same set.
            QCOMPARE(int(loaded.ProfileID), mark == 200 ? 1 : 0);
            QVERIFY(!QFileInfo::exists(configFolder() + QStringLiteral("/.journal")));
        }
        qInfo("kills that left a set for the next start to finish: %d of 25", mixedBeforeRecovery);
    }

    void anIncompleteJournal_isThrownAway_aCompleteOneFinished()
    {
        StoreFixture f;
        const QString base = f.path(QStringLiteral("base"));
        const QString journal = base + QStringLiteral("/.journal");
        KestIniFile content;
        content.setInt(QStringLiteral("k/v"), 2);
        {
            KestWriteJournal staged(journal, base);
            QVERIFY(staged.add(base + QStringLiteral("/a/one.ini"), content));
            QVERIFY(staged.add(base + QStringLiteral("/two.ini"), content));
            QVERIFY(!staged.add(f.path(QStringLiteral("outside.ini")), content));
            QVERIFY(!staged.commit()); // one file was refused: none is written
        }
        QVERIFY(!QFileInfo::exists(base + QStringLiteral("/two.ini")));
        QVERIFY(!QFileInfo::exists(journal));

        // A list naming a file outside the base is not followed.
        QDir().mkpath(journal);
        for (const char *name : {"0.new", "1.new"}) {
            QFile file(journal + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[k]\nv=3\n");
        }
        QFile list(journal + QStringLiteral("/files"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("0\ttwo.ini\n1\t../escaped.ini\n");
        list.close();
        KestWriteJournal::recover(journal, base);
        KestIniFile back;
        QVERIFY(back.load(base + QStringLiteral("/two.ini")).isOk());
        QCOMPARE(back.intValue(QStringLiteral("k/v")), 3);
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("escaped.ini"))));
        QVERIFY(!QFileInfo::exists(journal));
    }
};

QTEST_GUILESS_MAIN(TestImportJournal)
#include "tst_importjournal.moc"
