// SPDX-License-Identifier: GPL-2.0-or-later
// The on-screen display's message block, its channel, the display program and the
// client's start-and-retry rule.

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include "app/kestosdclient.h"
#include "shellfixture.h"
#include "platform/osdchannel.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "widgets/kestrgbcolor.h"

namespace {

qint32 intAt(const QByteArray &block, int offset)
{
    return qFromLittleEndian<qint32>(block.constData() + offset);
}

QString stringAt(const QByteArray &block, int offset)
{
    QString out;
    for (int i = offset; i < offset + 512; i += 2) {
        const char16_t unit = qFromLittleEndian<quint16>(block.constData() + i);
        if (unit == 0)
            break;
        out.append(QChar(unit));
    }
    return out;
}

} // namespace

class TestOsdChannel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The channel is a socket in the runtime folder: keep the test's own.
        QVERIFY(m_temp.isValid());
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_temp.path().toLocal8Bit());
        setApplicationDir(m_temp.path());
    }

    void block_hasFieldsAtTheirOffsets()
    {
        osd::OsdMessage message;
        message.text = QStringLiteral("DPI 2:1600");
        message.color = QColor(219, 200, 182);
        const QByteArray block = osd::encodeBlock(message);
        QCOMPARE(block.size(), 1044);
        QCOMPARE(stringAt(block, 0), QStringLiteral("DPI 2:1600"));
        QCOMPARE(block.mid(0, 4), QByteArray("D\0P\0", 4));
        QCOMPARE(intAt(block, 512), 0);
        QCOMPARE(intAt(block, 516), 1500);
        QCOMPARE(intAt(block, 520), 0);
        QCOMPARE(block.mid(524, 4), QByteArray("\xDB\xC8\xB6\x00", 4)); // red in the low byte
        QCOMPARE(intAt(block, 528), 60);
        QCOMPARE(stringAt(block, 532), QStringLiteral("Arial"));

        // And back, from a block laid out by hand the way the display has always received it.
        QByteArray wire(1044, '\0');
        // Byte by byte: the byte order is what is under test.
        const auto put = [&wire](int at, quint32 value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                wire[at + i] = char((value >> (8 * i)) & 0xFF);
        };
        const auto put16 = [&put](int at, const QString &text) {
            for (int i = 0; i < text.size(); ++i)
                put(at + 2 * i, text.at(i).unicode(), 2);
        };
        put16(0, QStringLiteral("1000 Hz"));
        put(516, 2500, 4);
        wire.replace(524, 4, QByteArray("\x10\x20\x30\x00", 4));
        put(528, 48, 4);
        put16(532, QStringLiteral("DejaVu Sans"));
        osd::OsdMessage decoded;
        QVERIFY(osd::decodeBlock(wire, &decoded));
        QCOMPARE(decoded.text, QStringLiteral("1000 Hz"));
        QCOMPARE(decoded.displayTimeMs, 2500);
        QCOMPARE(decoded.color, QColor(0x10, 0x20, 0x30));
        QCOMPARE(decoded.fontSize, 48);
        QCOMPARE(decoded.fontFace, QStringLiteral("DejaVu Sans"));
    }

    void block_longTextIsCutAndTerminated()
    {
        osd::OsdMessage message;
        message.text = QString(400, QChar(u'\u00e9'));
        const QByteArray block = osd::encodeBlock(message);
        QCOMPARE(block.size(), 1044);
        QCOMPARE(stringAt(block, 0).size(), 255);
        QCOMPARE(qFromLittleEndian<quint16>(block.constData() + 510), quint16(0));
        osd::OsdMessage decoded;
        QVERIFY(osd::decodeBlock(block, &decoded));
        QCOMPARE(decoded.text, QString(255, QChar(u'\u00e9')));
        QVERIFY(!osd::decodeBlock(block.left(1043), &decoded));
    }

    void sendBlock_reachesTheDisplayAndIsAcknowledged()
    {
        QVERIFY(!osd::displayRunning());
        osd::OsdMessage message;
        message.text = QStringLiteral("500 HZ");
        message.color = Qt::green;
        QVERIFY(!osd::sendBlock(osd::encodeBlock(message)));

        DisplayThread display;
        display.start();
        QTRY_VERIFY(osd::displayRunning());
        QVERIFY(osd::sendBlock(osd::encodeBlock(message)));
        QTRY_COMPARE(display.count(), 1);
        QCOMPARE(display.last().text, QStringLiteral("500 HZ"));
        QCOMPARE(display.last().color, QColor(Qt::green));
        QCOMPARE(display.last().fontFace, QStringLiteral("Arial"));
        display.quit();
        display.wait();
    }

    void displayProgram_acknowledgesAndRefusesASecondCopy()
    {
        const QString program = QStringLiteral(MOUSECFG_APPDIR "/OSD");
        if (!QFile::exists(program))
            QSKIP("the display program is not built");
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        first.setProcessEnvironment(env);
        first.start(program, QStringList());
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(osd::displayRunning(), 5000);
        osd::OsdMessage message;
        message.text = QStringLiteral("Profile 3");
        QVERIFY(osd::sendBlock(osd::encodeBlock(message), 2000));

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program, QStringList());
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(osd::displayRunning()); // the first one still owns the channel

        first.kill();
        first.waitForFinished();
    }

    void client_displayRunning_sendsOnceAndStartsNothing()
    {
        DisplayThread display;
        display.start();
        QTRY_VERIFY(osd::displayRunning());
        KestOsdClient client;
        int starts = 0;
        client.setStarter([&](const QString &) { ++starts; return true; });
        client.showText(QStringLiteral("DPI 1:800"));
        QTRY_COMPARE(display.count(), 1);
        QCOMPARE(display.last().text, QStringLiteral("DPI 1:800"));
        QCOMPARE(display.last().color, toQColor(readThemeColor()));
        QCOMPARE(starts, 0);
        QVERIFY(!client.isWaitingForDisplay());
        display.quit();
        display.wait();
    }

    void client_noDisplay_triesFiveTimesWithoutBlockingThenDrops()
    {
        KestOsdClient client;
        int starts = 0;
        client.setStarter([&](const QString &) { ++starts; return false; });
        QSignalSpy dropped(&client, &KestOsdClient::textDropped);
        QElapsedTimer timer;
        timer.start();
        client.showText(QStringLiteral("Profile 2"));
        QVERIFY(timer.elapsed() < 300); // the window goes on while the display starts
        QVERIFY(client.isWaitingForDisplay());
        QTRY_COMPARE_WITH_TIMEOUT(dropped.count(), 1, 5000);
        QCOMPARE(dropped.first().first().toString(), QStringLiteral("Profile 2"));
        QCOMPARE(starts, 5);
        QVERIFY(timer.elapsed() >= 5 * KestOsdClient::kRetryDelayMs - 50);
    }

    void client_displayStartsLate_deliversTheNewestText()
    {
        DisplayThread display;
        KestOsdClient client;
        int starts = 0;
        client.setStarter([&](const QString &) {
            if (++starts == 2)
                display.start();
            return true;
        });
        client.showText(QStringLiteral("DPI 1:800"));
        client.showText(QStringLiteral("DPI 2:1600"));
        QTRY_COMPARE_WITH_TIMEOUT(display.count(), 1, 4000);
        QCOMPARE(display.last().text, QStringLiteral("DPI 2:1600"));
        QCOMPARE(starts, 2);
        display.quit();
        display.wait();
    }

private:
    QTemporaryDir m_temp;
};

QTEST_MAIN(TestOsdChannel)
#include "tst_osdchannel.moc"
