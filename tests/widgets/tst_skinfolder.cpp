// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QImageReader>
#include <QMovie>
#include <QTest>

#include "widgets/kestskin.h"
#include "widgets/kestskinnames.h"

// The build draws the skin into the application folder; every window relies on it.
class TestSkinFolder : public QObject
{
    Q_OBJECT

private:
    static QString skinFile(const QString &name)
    {
        return QStringLiteral(MOUSECFG_APPDIR "/skin/") + name;
    }

private slots:
    void everyNamedPicture_existsAndLoadsAtItsSize()
    {
        QStringList problems;
        for (const SkinPicture &picture : kSkinPictures) {
            const QString name = QString::fromLatin1(picture.name);
            QImageReader reader(skinFile(name));
            const QSize expected(picture.width * picture.density, picture.height * picture.density);
            const QImage image = reader.read();
            if (image.isNull())
                problems << name + QStringLiteral(": ") + reader.errorString();
            else if (image.size() != expected)
                problems << name + QStringLiteral(": wrong size");
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void mousePictures_existForEveryButton()
    {
        const QStringList names = mousePictureNames(QString::fromLatin1(kSkinProduct));
        QCOMPARE(names.size(), kMouseButtonPictures + 2);
        const QSize expected(kMousePictureWidth * kMousePictureDensity,
                             kMousePictureHeight * kMousePictureDensity);
        for (const QString &name : names) {
            const QImage image(skinFile(name));
            QVERIFY2(!image.isNull(), qPrintable(name));
            QCOMPARE(image.size(), expected);
        }
        // The side view sits beside the product folder, not in it.
        QVERIFY(QFile::exists(skinFile(QStringLiteral("mouse/%1_Side.png").arg(QLatin1String(kSkinProduct)))));
    }

    void windowOutline_hasTransparentCorners()
    {
        for (const char *name : {"cfgMainback.png", "dlg_gun.png"}) {
            const QImage image(skinFile(QString::fromLatin1(name)));
            QVERIFY(!image.isNull());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        }
    }

    // Decoded ahead on another thread, a picture is the same as one read when asked for; a
    // file that is missing is no picture, and asking for it does not wait forever.
    void prefetchedPictures_matchThoseReadDirectly()
    {
        const QString background = skinFile(QStringLiteral("cfgMainback.png"));
        const QString missing = skinFile(QStringLiteral("no-such-picture.png"));
        const QImage direct(background);
        prefetchSkinPictures({background, missing});
        const QPixmap ahead = skinPicture(background);
        QCOMPARE(ahead.size(), direct.size());
        QCOMPARE(ahead.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 direct.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QVERIFY(skinPicture(missing).isNull());

        // Queued in bursts and taken in any order, also after the decoding ran dry: each is
        // its file's picture, and none is waited for forever.
        const QStringList names{QStringLiteral("bat1.png"), QStringLiteral("bat2.png"), QStringLiteral("close-1.png"),
                                QStringLiteral("close-2.png"), QStringLiteral("dlg.png")};
        for (int burst = 0; burst < 2; ++burst) {
            QStringList paths;
            for (const QString &name : names)
                paths << skinFile(QStringLiteral("%1").arg(burst ? name : QStringLiteral("../skin/") + name));
            prefetchSkinPictures(paths);
            for (int i = paths.size() - 1; i >= 0; --i) {
                const QImage expected = QImage(paths.at(i)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QCOMPARE(skinPicture(paths.at(i)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                         expected);
            }
            QTest::qWait(50);
        }
    }

    void loadingAnimation_isCompiledIn()
    {
        initWidgetResources();
        QMovie movie(QStringLiteral(":/skin/loading.gif"));
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() > 1);
        QVERIFY(!QIcon(QStringLiteral(":/yes_Btn")).isNull());
    }
};

QTEST_MAIN(TestSkinFolder)
#include "tst_skinfolder.moc"
