// SPDX-License-Identifier: GPL-2.0-or-later
#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "widgets/kestpngreader.h"
#include "widgets/kestskin.h"

namespace {
const char kBeforeApplication[] = "--prefetch-before-application";
const char kMarker[] = "APPLICATION STARTS";

QString background()
{
    return QStringLiteral(MOUSECFG_APPDIR "/skin/cfgMainback.png");
}

// What the window would have shown had it decoded the picture itself.
QImage toolkitDecode(const QString &path)
{
    QImage image(path);
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied) : image;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    return QByteArray(1, char(value >> 24)) + char(value >> 16) + char(value >> 8) + char(value);
}

// A PNG file's bytes with one more chunk right after its header chunk.
QByteArray withChunk(const QByteArray &png, const QByteArray &type, const QByteArray &data)
{
    const int afterHeader = 8 + 4 + 4 + 13 + 4;
    const QByteArray chunk = bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
    return png.left(afterHeader) + chunk + png.mid(afterHeader);
}

// The start's order: the picture is queued, the toolkit's image plugins must not be looked
// up by the time the application object is made; the picture is then taken as the window
// would take it.
int prefetchBeforeApplication(int argc, char **argv)
{
    prefetchSkinPictures({background()});
    // Time for the decode to end, so that a reader looking up plugins would have done so.
    QThread::msleep(500);
    fprintf(stderr, "%s\n", kMarker);
    fflush(stderr);
    QGuiApplication app(argc, argv);
    const QPixmap taken = takeSkinPicture(background());
    return !taken.isNull() && taken.toImage() == toolkitDecode(background()) ? 0 : 2;
}
} // namespace

// The skin's pictures decoded without the toolkit's reader, so that the start can decode
// them while the application object is made.
class TestPngReader : public QObject
{
    Q_OBJECT

private slots:
    void skinPictures_decodeAsTheToolkitDoes()
    {
        int count = 0;
        QDirIterator it(QStringLiteral(MOUSECFG_APPDIR "/skin"), {QStringLiteral("*.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QImage ours = KestPngReader::read(path);
            const QImage theirs = toolkitDecode(path);
            QVERIFY2(!ours.isNull(), qPrintable(path));
            QCOMPARE(ours.format(), theirs.format());
            QCOMPARE(ours.dotsPerMeterX(), theirs.dotsPerMeterX());
            QCOMPARE(ours.dotsPerMeterY(), theirs.dotsPerMeterY());
            QVERIFY2(ours == theirs, qPrintable(path));
            ++count;
        }
        QVERIFY(count > 20);
    }

    void craftedPictures_decodeAsTheToolkitDoes_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("every alpha") << int(QImage::Format_ARGB32);
        QTest::newRow("opaque") << int(QImage::Format_RGB32);
        QTest::newRow("odd width, no density") << int(QImage::Format_ARGB32);
    }

    void craftedPictures_decodeAsTheToolkitDoes()
    {
        QFETCH(int, format);
        const bool odd = QByteArray(QTest::currentDataTag()).startsWith("odd");
        QImage image(odd ? 257 : 256, odd ? 3 : 256, QImage::Format(format));
        // Every alpha with colours that round differently when premultiplied.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba((x * 7) & 255, (y * 13 + x) & 255, (x ^ y) & 255, (x + y) & 255));
        if (!odd) {
            image.setDotsPerMeterX(2835);
            image.setDotsPerMeterY(5670);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.png"));
        QVERIFY(image.save(path, "PNG"));
        QByteArray bytes;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            bytes = file.readAll();
        }
        if (odd) {
            // The toolkit's writer always states a density: take it out, so the image
            // keeps the default the toolkit's reader would give it.
            const int at = bytes.indexOf("pHYs");
            QVERIFY(at > 4);
            bytes.remove(at - 4, 4 + 4 + 9 + 4);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const QImage ours = KestPngReader::read(path);
        const QImage theirs = toolkitDecode(path);
        QCOMPARE(ours.format(), theirs.format());
        QCOMPARE(ours.dotsPerMeterX(), theirs.dotsPerMeterX());
        QCOMPARE(ours.dotsPerMeterY(), theirs.dotsPerMeterY());
        QVERIFY(ours == theirs);
    }

    // Files the toolkit reads differently from libpng's simple interface, or not at all,
    // are not ours: no image, no crash.
    void otherFiles_areLeftToTheToolkit()
    {
        QTemporaryDir dir;
        auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return QString();
            return file.fileName();
        };
        auto encode = [](const QImage &image) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            return bytes;
        };
        QImage colour(16, 16, QImage::Format_ARGB32);
        colour.fill(qRgba(200, 100, 50, 128));
        const QByteArray png = encode(colour);
        QVERIFY(!KestPngReader::read(write(QStringLiteral("plain.png"), png)).isNull());

        QImage grey(16, 16, QImage::Format_Grayscale8);
        grey.fill(90);
        QImage deep(16, 16, QImage::Format_RGBA64);
        deep.fill(QColor(1, 2, 3, 4));
        QImage palette(16, 16, QImage::Format_Indexed8);
        palette.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6)});
        palette.fill(1);
        const QByteArray gamma = withChunk(png, "gAMA", bigEndian(100000));
        const QList<QPair<QString, QByteArray>> files = {
            {QStringLiteral("grey.png"), encode(grey)},
            {QStringLiteral("deep.png"), encode(deep)},
            {QStringLiteral("palette.png"), encode(palette)},
            {QStringLiteral("gamma.png"), gamma},
            {QStringLiteral("truncated.png"), png.left(png.size() / 2)},
            {QStringLiteral("header only.png"), png.left(8)},
            {QStringLiteral("not a png.png"), QByteArray("GIF89a") + QByteArray(100, 'x')},
            {QStringLiteral("empty.png"), QByteArray()},
        };
        for (const auto &file : files) {
            const QString path = write(file.first, file.second);
            QVERIFY2(!path.isEmpty(), qPrintable(file.first));
            QVERIFY2(KestPngReader::read(path).isNull(), qPrintable(file.first));
        }
        // The toolkit reads the gamma file and keeps its stored values; so does the window,
        // through the toolkit.
        QVERIFY(!QImage(dir.filePath(QStringLiteral("gamma.png"))).isNull());
        QVERIFY(KestPngReader::read(dir.filePath(QStringLiteral("missing.png"))).isNull());
    }

    // A picture queued before the application object exists is decoded without looking
    // up the toolkit's image plugins: that lookup, racing the application object's start,
    // crashed about one start in fifteen.
    void prefetchBeforeTheApplication_looksUpNoImagePlugin()
    {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kBeforeApplication)});
        QVERIFY(child.waitForFinished(30000));
        const QByteArray errors = child.readAllStandardError();
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const int marker = errors.indexOf(kMarker);
        QVERIFY(marker >= 0);
        QVERIFY2(!errors.left(marker).contains("imageformats"), errors.left(marker).constData());
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], kBeforeApplication) == 0)
        return prefetchBeforeApplication(argc, argv);
    QGuiApplication app(argc, argv);
    TestPngReader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pngreader.moc"
