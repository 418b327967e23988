// SPDX-License-Identifier: GPL-2.0-or-later
// Locks and sockets live only where no other local user can have put something first.

#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>

#include "platform/osdchannel.h"
#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"

class TestRuntimePaths : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString folder(const QString &name, mode_t mode)
    {
        const QString path = m_root.filePath(name);
        QDir().mkpath(path);
        ::chmod(QFile::encodeName(path).constData(), mode);
        return path;
    }
    QString fallback() const { return m_root.path() + QStringLiteral("/mousecfg-") + QString::number(::geteuid()); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_root.path()));
    }

    void cleanup()
    {
        QDir(fallback()).removeRecursively();
        QFile::remove(fallback());
    }

    void aRuntimeFolderOthersCanReach_isNotUsed_forAnyLockOrSocket()
    {
        for (const mode_t mode : {mode_t(0750), mode_t(0705), mode_t(0770)}) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder(QStringLiteral("open"), mode)));
            QCOMPARE(privateRuntimeFolder(), fallback());
            QVERIFY(osd::channelName().startsWith(fallback() + QLatin1Char('/')));
            QVERIFY(KestSingleInstance::lockFilePath(QStringLiteral("x")).startsWith(fallback() + QLatin1Char('/')));
            QVERIFY(KestActivationServer::socketPath(QStringLiteral("x")).startsWith(fallback() + QLatin1Char('/')));
        }
        struct stat info;
        QCOMPARE(::lstat(QFile::encodeName(fallback()).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0700);

        const QString own = folder(QStringLiteral("own"), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(own));
        QCOMPARE(osd::channelName(), own + QStringLiteral("/mousecfg-osd"));
    }

    void aFallbackFolderMadeBySomeoneElse_isNotUsed()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        // Loose permissions, or a link to a folder of ours: not ours alone.
        QDir().mkpath(fallback());
        ::chmod(QFile::encodeName(fallback()).constData(), 0777);
        QVERIFY(privateRuntimeFolder().isEmpty());
        QDir(fallback()).removeRecursively();
        QVERIFY(QFile::link(folder(QStringLiteral("target"), 0700), fallback()));
        QVERIFY(privateRuntimeFolder().isEmpty());
        QFile::remove(fallback());

        if (::geteuid() == 0) {
            QDir().mkpath(fallback());
            ::chmod(QFile::encodeName(fallback()).constData(), 0700);
            QCOMPARE(::chown(QFile::encodeName(fallback()).constData(), 65534, 65534), 0);
            QVERIFY(privateRuntimeFolder().isEmpty());
        }

        // Without a folder: no lock to steal, no socket to answer in our place.
        QVERIFY(osd::channelName().isEmpty());
        QVERIFY(!osd::displayRunning());
        KestSingleInstance instance(QStringLiteral("squatted"));
        QVERIFY(instance.tryLock()); // runs unguarded rather than not at all
        KestActivationServer server(QStringLiteral("squatted"));
        QVERIFY(!server.listen());
        QVERIFY(!KestActivationServer::requestActivation(QStringLiteral("squatted"), 100));
    }

    void aLinkInPlaceOfALockFile_isNotOpened()
    {
        const QString own = folder(QStringLiteral("locks"), 0700);
        const QString target = m_root.filePath(QStringLiteral("victim"));
        QFile victim(target);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.close();
        QVERIFY(QFile::link(target, own + QStringLiteral("/held.lock")));
        QCOMPARE(openPrivateLockFile(own + QStringLiteral("/held.lock")), -1);
        const int fd = openPrivateLockFile(own + QStringLiteral("/fresh.lock"));
        QVERIFY(fd >= 0);
        ::close(fd);
    }
};

QTEST_GUILESS_MAIN(TestRuntimePaths)
#include "tst_runtimepaths.moc"
