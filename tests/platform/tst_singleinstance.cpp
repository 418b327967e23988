// SPDX-License-Identifier: GPL-2.0-or-later
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/singleinstance.h"

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_runtime;

    QProcess *startHelper(const QString &name, const QString &mode)
    {
        auto *process = new QProcess(this);
        process->start(QStringLiteral(SINGLEINSTANCE_HELPER), {name, mode});
        return process;
    }

    // Runs a helper to its end: its exit code, or -1 if it did not finish.
    int runOnce(const QString &name)
    {
        QProcess *process = startHelper(name, QStringLiteral("once"));
        const bool finished = process->waitForFinished(10000);
        return finished && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }

    static bool waitLocked(QProcess *process)
    {
        return process->waitForReadyRead(10000) && process->readAllStandardOutput().startsWith("locked");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }

    void lockName_followsProductName()
    {
        QCOMPARE(singleInstanceName(QStringLiteral("KX-27")), QStringLiteral("KX-27 Wireless Gaming Mouse Mutex1"));
        QCOMPARE(singleInstanceName(QString()), QStringLiteral(" Wireless Gaming Mouse Mutex1"));
        QVERIFY(KestSingleInstance::lockFilePath(QStringLiteral("a/b")) != KestSingleInstance::lockFilePath(QStringLiteral("a_b")));
    }

    void secondStartOfSameProduct_fails()
    {
        const QString name = singleInstanceName(QStringLiteral("KX-27"));
        QProcess *first = startHelper(name, QStringLiteral("hold"));
        QVERIFY(waitLocked(first));
        QCOMPARE(runOnce(name), 1);
        first->closeWriteChannel();
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(runOnce(name), 0);
    }

    void otherProduct_runsBesideIt()
    {
        QProcess *first = startHelper(singleInstanceName(QStringLiteral("KX-27")), QStringLiteral("hold"));
        QVERIFY(waitLocked(first));
        QCOMPARE(runOnce(singleInstanceName(QStringLiteral("KX-30"))), 0);
        first->closeWriteChannel();
        QVERIFY(first->waitForFinished(10000));
    }

    void crashedFirstInstance_doesNotBlockNextStart()
    {
        const QString name = singleInstanceName(QStringLiteral("Crash"));
        QProcess *first = startHelper(name, QStringLiteral("hold"));
        QVERIFY(waitLocked(first));
        first->kill(); // SIGKILL: no destructor, no clean-up
        QVERIFY(first->waitForFinished(10000));
        QVERIFY(QFile::exists(KestSingleInstance::lockFilePath(name))); // the stale file stays...
        QCOMPARE(runOnce(name), 0);                                     // ...and does not matter
    }

    void secondStart_bringsTheRunningCopyForward()
    {
        const QString name = singleInstanceName(QStringLiteral("Door"));
        // Nobody runs: nobody answers, and the knock does not hang.
        QVERIFY(!KestActivationServer::requestActivation(name, 500));

        QProcess *first = startHelper(name, QStringLiteral("serve"));
        QVERIFY(waitLocked(first));
        QCOMPARE(runOnce(name), 1); // the lock still decides who runs
        QVERIFY(KestActivationServer::requestActivation(name));
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(first->readAllStandardOutput().contains("activated"));

        // A door left behind by a copy that was killed is replaced by the next one.
        QProcess *crashed = startHelper(name, QStringLiteral("serve"));
        QVERIFY(waitLocked(crashed));
        crashed->kill();
        QVERIFY(crashed->waitForFinished(10000));
        QVERIFY(QFile::exists(KestActivationServer::socketPath(name)));
        QVERIFY(!KestActivationServer::requestActivation(name, 500));
        QProcess *next = startHelper(name, QStringLiteral("serve"));
        QVERIFY(waitLocked(next));
        // Only this user may knock.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFileInfo(KestActivationServer::socketPath(name)).permissions() & others,
                 QFileDevice::Permissions());
        QVERIFY(KestActivationServer::requestActivation(name));
        QVERIFY(next->waitForFinished(10000));
        QCOMPARE(next->exitCode(), 0);
    }

    void childStartedByInstance_doesNotInheritTheLock()
    {
        // The program starts helpers (the on-screen display) that outlive it.
        const QString name = singleInstanceName(QStringLiteral("Spawn"));
        QProcess *first = startHelper(name, QStringLiteral("spawn"));
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitCode(), 0);
        QCOMPARE(runOnce(name), 0);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
