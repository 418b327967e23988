// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QtTest>

#include "fuzz/fuzztargets.h"

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initFuzzEnvironment(); }
    void corpus_everyInputRunsThrough_data();
    void corpus_everyInputRunsThrough();
    void everyTarget_hasSeeds();
};

namespace {
QString corpusFolder(const char *target)
{
    return QStringLiteral(MOUSECFG_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(target);
}
} // namespace

void TestFuzzCorpus::corpus_everyInputRunsThrough_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    for (const FuzzTarget &target : fuzzTargets()) {
        QDirIterator it(corpusFolder(target.name), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString row = QLatin1String(target.name) + QLatin1Char('/') + QFileInfo(path).fileName();
            QTest::newRow(qPrintable(row)) << QString::fromLatin1(target.name) << path;
        }
    }
}

void TestFuzzCorpus::corpus_everyInputRunsThrough()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray input = file.readAll();
    const FuzzTarget *fuzz = findFuzzTarget(target.toLatin1().constData());
    QVERIFY(fuzz);
    // A broken promise aborts inside the target, which fails this test too.
    QCOMPARE(fuzz->run(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size())), 0);
}

void TestFuzzCorpus::everyTarget_hasSeeds()
{
    for (const FuzzTarget &target : fuzzTargets())
        QVERIFY2(!QDir(corpusFolder(target.name)).isEmpty(QDir::Files), target.name);
}

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
