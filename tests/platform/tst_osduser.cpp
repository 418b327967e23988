// SPDX-License-Identifier: GPL-2.0-or-later
// The on-screen display's channel belongs to one user: each user's texts reach only
// that user's display.

#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/osdchannel.h"

class TestOsdUser : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString makeRuntime(const QString &name, QFile::Permissions extra = {})
    {
        const QString path = m_root.filePath(name);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | extra);
        return path;
    }

    static void useRuntime(const QString &path) { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_root.path()));
    }

    void channel_livesInTheRuntimeFolder()
    {
        const QString runtime = makeRuntime(QStringLiteral("user-a"));
        useRuntime(runtime);
        QCOMPARE(osd::channelName(), runtime + QStringLiteral("/mousecfg-osd"));
    }

    void runtimeFolderOthersCanReach_orNone_fallsBackToUserId()
    {
        const QString expected = m_root.path() + QStringLiteral("/mousecfg-") + QString::number(::geteuid())
                                 + QStringLiteral("/mousecfg-osd");
        useRuntime(makeRuntime(QStringLiteral("shared"), QFile::ReadOther | QFile::ExeOther));
        QCOMPARE(osd::channelName(), expected);
        useRuntime(m_root.filePath(QStringLiteral("missing")));
        QCOMPARE(osd::channelName(), expected);
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(osd::channelName(), expected);
    }

    void twoUsers_eachHaveTheirOwnDisplay()
    {
        const QString first = makeRuntime(QStringLiteral("user-1"));
        const QString second = makeRuntime(QStringLiteral("user-2"));
        useRuntime(first);
        osd::OsdReceiver displayOne;
        QVERIFY(displayOne.listen());
        QVERIFY(osd::displayRunning());
        // Only the owner may connect.
        const QFileInfo socket(osd::channelName());
        QVERIFY(socket.exists());
        QVERIFY(!(socket.permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup
                                          | QFile::WriteGroup)));

        useRuntime(second);
        QVERIFY(!osd::displayRunning());
        osd::OsdReceiver displayTwo;
        QVERIFY(displayTwo.listen());
        useRuntime(first);
        osd::OsdReceiver thirdForFirst;
        QVERIFY(!thirdForFirst.listen()); // the first user's display already runs
    }

    void socketOfAnotherUser_isNeitherUsedNorReplaced()
    {
        if (::geteuid() != 0)
            QSKIP("needs to hand a file to another user");
        qunsetenv("XDG_RUNTIME_DIR");
        const QByteArray path = QFile::encodeName(osd::channelName());
        QFile squatter(osd::channelName());
        QVERIFY(squatter.open(QIODevice::WriteOnly));
        squatter.close();
        QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
        QVERIFY(!osd::channelIsOurs());
        QVERIFY(!osd::displayRunning());
        QVERIFY(!osd::sendBlock(osd::encodeBlock(osd::OsdMessage())));
        osd::OsdReceiver display;
        QVERIFY(!display.listen());
        QVERIFY(QFile::exists(osd::channelName()));
        QFile::remove(osd::channelName());
    }
};

QTEST_GUILESS_MAIN(TestOsdUser)
#include "tst_osduser.moc"
