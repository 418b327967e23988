// SPDX-License-Identifier: GPL-2.0-or-later
// Helper programs (the on-screen display, the firmware updater) start apart from us, and a
// start that did not happen is never reported as done.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/detachedstart.h"

namespace {

QString writeProgram(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Our children as the kernel lists them, zombies included.
QStringList childProcesses()
{
    QStringList pids;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/children")));
        if (file.open(QIODevice::ReadOnly))
            pids << QString::fromLatin1(file.readAll()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return pids;
}

} // namespace

class TestDetachedStart : public QObject
{
    Q_OBJECT

private slots:
    void program_runsInItsFolder_inItsOwnSession_andLeavesNoZombie()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("helper")));
        const QString report = dir.filePath(QStringLiteral("report"));
        const QString program = writeProgram(
            dir.filePath(QStringLiteral("helper/run.sh")),
            "#!/bin/sh\n"
            "{ pwd; ps -o sid= -p $$ | tr -d ' '; cat; echo \"$1\"; } > \"$2.part\"\n"
            "mv \"$2.part\" \"$2\"\n");
        QVERIFY(platform::startDetached(program, {QStringLiteral("two words"), report}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(report), 10000);
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QDir(dir.filePath(QStringLiteral("helper"))).canonicalPath());
        QVERIFY(lines.value(1) != QString::number(::getsid(0)));
        // Nothing to read on its input: it did not wait for ours.
        QCOMPARE(lines.value(2), QStringLiteral("two words"));
        QTRY_VERIFY_WITH_TIMEOUT(childProcesses().isEmpty(), 10000);
    }

    void programThatCannotRun_isReported()
    {
        QTemporaryDir dir;
        QVERIFY(!platform::startDetached(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!platform::startDetached(writeProgram(dir.filePath(QStringLiteral("garbage")), "\x7f" "ELF not really")));
        QVERIFY(childProcesses().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDetachedStart)
#include "tst_detachedstart.moc"
