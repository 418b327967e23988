// SPDX-License-Identifier: GPL-2.0-or-later
// The copy of the profiles a start leaves for the next one: it must give back exactly what
// parsing the files gives, and never stand for files that changed since.

#include <fcntl.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/kestdiskcopy.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/kestinifile.h"
#include "store/kestrecordimage.h"
#include "store/profilefiles.h"
#include "store/profilekeys.h"

namespace {

// Gives every field of a profile a value of its own, none of them a default.
struct DistinctValues
{
    int n = 1;
    void operator()(const QString &, quint8 &v, int) { v = quint8(n++ % 250 + 1); }
    void operator()(const QString &, quint32 &v, int) { v = 0x80000000u + quint32(n++); }
    void operator()(const QString &, qint32 &v, int) { v = -(n++); }
    void operator()(const QString &, QString &v, int)
    {
        // An unpaired surrogate too: the parse keeps it, so the copy must.
        v = QStringLiteral("f%1 \u00e9").arg(n++) + QChar(0xD800);
    }
    void operator()(const QString &, KestRgb &v, int)
    {
        ++n;
        v = n % 3 ? KestRgb(n & 0xff, (n >> 8) & 0xff, 7) : KestRgb();
    }
};

ConfigRecord distinctRecord()
{
    ConfigRecord config;
    DistinctValues fill;
    for (ProfileRecord &profile : config.profiles)
        visitProfileFields(profile, LedOptions::Include, fill);
    config.ProfileID = 4;
    config.AngleValue = 11;
    config.LiftHigh = 12;
    config.Sync = 13;
    config.Count = 14;
    config.Jitter = 15;
    config.Debounce = 16;
    config.Wake = 17;
    config.SensorMode = 18;
    for (int k = 0; k < SLOT_COUNT; ++k)
        config.names[size_t(k)] = QStringLiteral("Slot %1").arg(k + 1);
    return config;
}

KestRecordImage sampleImage()
{
    KestRecordImage image;
    image.build = QByteArrayLiteral("build 1");
    KestRecordImage::File settled;
    settled.path = QStringLiteral("/a/Config.ini");
    settled.exists = true;
    settled.stamp.known = settled.stamp.exists = settled.stamp.settled = true;
    settled.stamp.device = 2049;
    settled.stamp.inode = 1234567;
    settled.stamp.size = 4096;
    settled.stamp.modifiedNs = 1700000000123456789LL;
    settled.stamp.changedNs = 1700000000987654321LL;
    settled.digest = QByteArray(20, '\x5a');
    KestRecordImage::File missing;
    missing.path = QStringLiteral("/a/.journal");
    KestRecordImage::File empty = settled;
    empty.digest = QByteArray("");
    image.files = {settled, missing, empty};
    image.record = distinctRecord();
    return image;
}

QByteArray resealed(const QByteArray &body)
{
    return body + QCryptographicHash::hash(body, QCryptographicHash::Sha1);
}

bool setModified(const QString &path, qint64 secondsAgo)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite)
           && file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDiskImage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_app;
    ConfigRecord m_saved;

    QString imagePath() const { return m_app->path() + QStringLiteral("/cache/profiles.image"); }

    // Five full profiles, all files a minute old, so that their stamps vouch for them.
    bool saveSettledFiles()
    {
        ConfigRecord config = distinctRecord();
        for (ProfileRecord &profile : config.profiles) {
            // Only what the files can hold: text that is valid, a byte per colour channel.
            profile.ProfileName = QStringLiteral("name");
            profile.ProfilePath.clear();
            for (ButtonInfo &button : profile.BUTTON_INFO)
                button.macroname = QStringLiteral("macro \u00e9");
        }
        if (!saveAll(config).isOk())
            return false;
        if (!loadAll(m_saved).isOk())
            return false;
        QDirIterator files(configFolder(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            if (!setModified(files.next(), 60))
                return false;
        }
        QTest::qWait(100);
        return true;
    }

    // The image a start leaves of settled files.
    bool imageOfSettledFiles()
    {
        if (!saveSettledFiles())
            return false;
        KestDiskCopy copy = startCopy(imagePath());
        ConfigRecord read;
        if (!copy.load(read).isOk())
            return false;
        copy.saveImage();
        return !copy.imageOutdated() && QFile::exists(imagePath());
    }

    // Reads the files with the image at hand: whether it was used, and what was read.
    ConfigRecord loadWithImage(bool &fromImage)
    {
        KestDiskCopy copy;
        ConfigRecord read;
        fromImage = copy.takeImage(imagePath()) && copy.load(read).isOk() && copy.lastFromCopy();
        return read;
    }

    // A start as the program makes it: the read ahead, then the copy it gives.
    static KestDiskCopy startCopy(const QString &image)
    {
        KestDiskCopy::preload(image);
        KestDiskCopy copy;
        copy.takePreload();
        return copy;
    }

private slots:
    void init()
    {
        m_app.reset(new QTemporaryDir);
        QVERIFY(m_app->isValid());
        setApplicationDir(m_app->path());
        m_saved = ConfigRecord();
    }

    void image_givesBackEveryFieldAndStamp()
    {
        const KestRecordImage image = sampleImage();
        KestRecordImage back;
        QVERIFY(KestRecordImage::fromBytes(image.toBytes(), back));
        QVERIFY(back.record == image.record);
        QCOMPARE(back.build, image.build);
        QCOMPARE(back.files.size(), image.files.size());
        for (int i = 0; i < image.files.size(); ++i) {
            const KestRecordImage::File &a = image.files.at(i);
            const KestRecordImage::File &b = back.files.at(i);
            QCOMPARE(b.path, a.path);
            QCOMPARE(b.exists, a.exists);
            QVERIFY(b.stamp == a.stamp);
            QCOMPARE(b.stamp.settled, a.stamp.settled);
            QCOMPARE(b.digest, a.digest);
            QCOMPARE(b.digest.isNull(), a.digest.isNull());
        }
        QCOMPARE(back.toBytes(), image.toBytes());
    }

    // Cut short, bit-flipped, or resealed with fields that lie: never a record, never a
    // crash, and what the caller had stays.
    void damagedOrMadeUpImages_readAsNone()
    {
        const KestRecordImage image = sampleImage();
        const QByteArray bytes = image.toBytes();
        KestRecordImage untouched;
        untouched.build = QByteArrayLiteral("kept");
        for (int cut = 0; cut < bytes.size(); cut += cut < 300 ? 1 : 997) {
            KestRecordImage read = untouched;
            QVERIFY2(!KestRecordImage::fromBytes(bytes.left(cut), read), qPrintable(QString::number(cut)));
            QCOMPARE(read.build, untouched.build);
        }
        for (int at = 0; at < bytes.size(); at += 211) {
            QByteArray flipped = bytes;
            flipped[at] = char(flipped.at(at) ^ 0x10);
            QVERIFY(!KestRecordImage::fromBytes(flipped, untouched));
        }

        const QByteArray body = bytes.left(bytes.size() - 20);
        const int fields = body.indexOf('\n') + 1; // past the magic
        auto lie = [&body](int at, const QByteArray &with) {
            QByteArray b = body;
            b.replace(at, with.size(), with);
            return resealed(b);
        };
        KestRecordImage read;
        QVERIFY(KestRecordImage::fromBytes(resealed(body), read));
        // The build's length beyond the end, and beyond any size.
        QVERIFY(!KestRecordImage::fromBytes(lie(fields + 1, QByteArray("\xff\xff\xff\x7f", 4)), read));
        QVERIFY(!KestRecordImage::fromBytes(lie(fields + 1, QByteArray("\xff\xff\xff\xff", 4)), read));
        // A flag that is neither yes nor no.
        QVERIFY(!KestRecordImage::fromBytes(lie(fields, QByteArray("\x02", 1)), read));
        // More files than any copy has.
        const int count = fields + 1 + 4 + image.build.size();
        QVERIFY(!KestRecordImage::fromBytes(lie(count, QByteArray("\x00\x10\x00\x00", 4)), read));
        // An empty text that claims to be longer than what follows: nothing else about
        // the image changes, so only the length check can tell.
        KestRecordImage blank;
        const QByteArray blankBody = blank.toBytes().chopped(20);
        const int firstName = fields + 5 + 4 + 9; // past the build, the file count, the options
        QVERIFY(KestRecordImage::fromBytes(resealed(blankBody), read));
        for (const char top : {'\x01', '\x80', '\xff'}) {
            QByteArray b = blankBody;
            b[firstName + 3] = top;
            QVERIFY(!KestRecordImage::fromBytes(resealed(b), read));
        }
        // Bytes after the record, a record cut short, another layout.
        QVERIFY(!KestRecordImage::fromBytes(resealed(body + 'x'), read));
        QVERIFY(!KestRecordImage::fromBytes(resealed(body.left(body.size() - 1)), read));
        QVERIFY(!KestRecordImage::fromBytes(lie(fields - 2, QByteArray("2")), read));
    }

    // The second start reads the image instead of the files, and gives what they hold.
    void unchangedFiles_startFromTheImage()
    {
        QVERIFY(saveSettledFiles());
        KestDiskCopy first = startCopy(imagePath());
        ConfigRecord read;
        QVERIFY(first.load(read).isOk());
        QVERIFY(read == m_saved);
        QVERIFY(first.imageOutdated());
        first.saveImage();
        QVERIFY(!first.imageOutdated());
        QVERIFY(QFile::exists(imagePath()));

        KestDiskCopy second = startCopy(imagePath());
        // Taken from the image: nothing to write back.
        QVERIFY(!second.imageOutdated());
        ConfigRecord again;
        QVERIFY(second.load(again).isOk());
        QVERIFY(second.lastFromCopy());
        QVERIFY(again == m_saved);

        // A copy that never read an image, and a read ahead told of none, keep none.
        KestDiskCopy plain;
        QVERIFY(plain.load(again).isOk());
        QVERIFY(!plain.imageOutdated());
        KestDiskCopy noImage = startCopy(QString());
        QVERIFY(!noImage.imageOutdated());
    }

    // Whatever changed since the image was taken is read from the files: a profile
    // rewritten to the same size with its old modification time, the settings file, a
    // save a crash left half done, a profile file gone.
    void changedFiles_areReadAgain()
    {
        QVERIFY(imageOfSettledFiles());
        const QString profile = profileFilePath(m_saved.names[2]);
        QByteArray text = fileBytes(profile);
        const QByteArray key("pollrate=");
        const int at = text.indexOf(key);
        QVERIFY(at >= 0);
        const char other = text.at(at + key.size()) == '1' ? '2' : '1';
        text[at + key.size()] = other;
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(profile).constData(), &before), 0);
        QVERIFY(writeBytes(profile, text));
        const timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(profile).constData(), times, 0), 0);
        QTest::qWait(100);
        bool fromImage = true;
        QCOMPARE(int(loadWithImage(fromImage).profiles[2].pollrate), other - '0');
        QVERIFY(!fromImage);

        QVERIFY(imageOfSettledFiles());
        QVERIFY(KestIniFile::update(globalConfigPath(), [](KestIniFile &ini) {
                    ini.setInt(QLatin1String(SettingsKey::Jitter), 99);
                }).isOk());
        QCOMPARE(int(loadWithImage(fromImage).Jitter), 99);
        QVERIFY(!fromImage);

        QVERIFY(imageOfSettledFiles());
        QVERIFY(QDir().mkpath(configFolder() + QStringLiteral("/.journal")));
        loadWithImage(fromImage);
        QVERIFY(!fromImage);
        QVERIFY(QDir(configFolder() + QStringLiteral("/.journal")).removeRecursively());

        QVERIFY(imageOfSettledFiles());
        QVERIFY(QFile::remove(profileFilePath(m_saved.names[4])));
        QVERIFY(loadWithImage(fromImage).profiles[4] != m_saved.profiles[4]);
        QVERIFY(!fromImage);

        // And with nothing changed, the image is what answers.
        QVERIFY(imageOfSettledFiles());
        QVERIFY(loadWithImage(fromImage) == m_saved);
        QVERIFY(fromImage);
    }

    // Only the files that changed are read again (a slot switch writes the settings file, a
    // level the mouse reports its slot's profile): the other profiles come from the copy
    // while the settings file names the same files.
    void changedFiles_areReadAlone()
    {
        QVERIFY(saveSettledFiles());
        KestDiskCopy copy;
        ConfigRecord read;
        QVERIFY(copy.load(read).isOk());
        QVERIFY(!copy.lastProfilesFromCopy());
        auto setInt = [](const char *key, int value) {
            return KestIniFile::update(globalConfigPath(), [key, value](KestIniFile &ini) {
                       ini.setInt(QLatin1String(key), value);
                   }).isOk();
        };

        QVERIFY(setInt(SettingsKey::Jitter, 77));
        QVERIFY(setInt(SettingsKey::ProfileID, 2));
        ConfigRecord again;
        QVERIFY(copy.load(again).isOk());
        QVERIFY(!copy.lastFromCopy());
        QVERIFY(copy.lastProfilesFromCopy());
        QCOMPARE(int(again.Jitter), 77);
        QCOMPARE(int(again.ProfileID), 2);
        again.Jitter = m_saved.Jitter;
        again.ProfileID = m_saved.ProfileID;
        QVERIFY(again == m_saved);

        // A profile file changed as well: that one is read from its file.
        QVERIFY(setInt(SettingsKey::Jitter, 78));
        ProfileRecord changed = m_saved.profiles[1];
        changed.pollrate = quint8(changed.pollrate == 2 ? 4 : 2);
        QVERIFY(saveProfile(1, changed, profileFilePath(m_saved.names[1])).isOk());
        QVERIFY(copy.load(again).isOk());
        QVERIFY(!copy.lastProfilesFromCopy());
        QCOMPARE(int(again.Jitter), 78);
        QCOMPARE(int(again.profiles[1].pollrate), int(changed.pollrate));

        // Another name for a slot: its profile is that name's (none here: the defaults).
        QVERIFY(copy.load(again).isOk());
        QVERIFY(copy.lastFromCopy());
        QVERIFY(KestIniFile::update(globalConfigPath(), [](KestIniFile &ini) {
                    ini.setString(QString::fromLatin1(SettingsKey::ProfileNameFormat).arg(4), QStringLiteral("Other"));
                }).isOk());
        QVERIFY(copy.load(again).isOk());
        QVERIFY(!copy.lastProfilesFromCopy());
        QCOMPARE(again.names[3], QStringLiteral("Other"));
        QVERIFY(again.profiles[3] != m_saved.profiles[3]);
    }

    // An image another build wrote, or one damaged on disk, is not taken; the files are.
    void foreignOrDamagedImage_isNotTaken()
    {
        QVERIFY(imageOfSettledFiles());

        KestRecordImage image;
        QVERIFY(KestRecordImage::fromBytes(fileBytes(imagePath()), image));
        image.build += '+';
        QVERIFY(writeBytes(imagePath(), image.toBytes()));
        KestDiskCopy foreign;
        QVERIFY(!foreign.takeImage(imagePath()));

        QByteArray damaged = fileBytes(imagePath());
        damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 1);
        QVERIFY(writeBytes(imagePath(), damaged));
        KestDiskCopy started = startCopy(imagePath());
        QVERIFY(started.imageOutdated());
        ConfigRecord fromFiles;
        QVERIFY(started.load(fromFiles).isOk());
        QVERIFY(fromFiles == m_saved);
    }
};

QTEST_GUILESS_MAIN(TestDiskImage)
#include "tst_diskimage.moc"
