// SPDX-License-Identifier: GPL-2.0-or-later
// Draws the whole skin of the utility into a folder:
//   mousecfg_skingen --out APPDIR/skin [--data DIR]
//   mousecfg_skingen --loading-frames DIR   (frames for the loading animation script)
//   mousecfg_skingen --resources DIR        (Yes/No button icons compiled into the kit)
// --data names a folder laid out like the application folder (Configs/Config.ini); its
// "Config/GColorID" chooses the accent colour.
#include <cstdio>
#include <map>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include "skinstyle.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "widgets/kestskinnames.h"
#include "widgets/kestrgbcolor.h"

namespace {

QImage render(int width, int height, int density, const skin::Painter &draw)
{
    QImage image(width * density, height * density, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(density, density);
    draw(painter, QRectF(0, 0, width, height));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool ico = path.endsWith(QLatin1String(".ico"));
    if (image.save(path, ico ? "ICO" : "PNG"))
        return true;
    std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
    return false;
}

int writeSkin(const QString &out)
{
    std::map<QString, skin::Painter> painters;
    const auto add = [&painters](const QString &name, skin::Painter draw) {
        painters[name] = std::move(draw);
    };
    skin::addChromePictures(add);
    skin::addIconPictures(add);
    skin::addDialogPictures(add);

    int failures = 0;
    for (const SkinPicture &picture : kSkinPictures) {
        const QString name = QString::fromLatin1(picture.name);
        const auto found = painters.find(name);
        if (found == painters.end()) {
            std::fprintf(stderr, "skingen: nothing draws %s\n", picture.name);
            ++failures;
            continue;
        }
        if (!save(render(picture.width, picture.height, picture.density, found->second),
                  out + QLatin1Char('/') + name))
            ++failures;
    }

    const QStringList mouseNames = mousePictureNames(QString::fromLatin1(kSkinProduct));
    const auto mouse = [&](const QString &name, const skin::Painter &draw) {
        if (!save(render(kMousePictureWidth, kMousePictureHeight, kMousePictureDensity, draw),
                  out + QLatin1Char('/') + name))
            ++failures;
    };
    mouse(mouseNames.at(0), [](QPainter &p, const QRectF &r) { skin::drawMouseFront(p, r, 0); });
    mouse(mouseNames.at(1), [](QPainter &p, const QRectF &r) { skin::drawMouseSide(p, r); });
    for (int n = 1; n <= kMouseButtonPictures; ++n) {
        mouse(mouseNames.at(n + 1),
              [n](QPainter &p, const QRectF &r) { skin::drawMouseFront(p, r, n); });
    }
    return failures == 0 ? 0 : 1;
}

int writeLoadingFrames(const QString &dir)
{
    constexpr int kFrames = 24;
    int failures = 0;
    for (int i = 0; i < kFrames; ++i) {
        const QImage frame = render(128, 128, 1, [i](QPainter &p, const QRectF &r) {
            skin::drawLoadingFrame(p, r, i, kFrames);
        });
        if (!save(frame, QStringLiteral("%1/frame%2.png").arg(dir).arg(i, 2, 10, QLatin1Char('0'))))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int writeResources(const QString &dir)
{
    const bool ok = save(render(16, 16, 2, skin::drawYesIcon), dir + QStringLiteral("/yes_Btn.png")) &&
                    save(render(16, 16, 2, skin::drawNoIcon), dir + QStringLiteral("/no_Btn.png"));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text in the pictures needs fonts, fonts need a platform; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Skin folder."),
                                       QStringLiteral("dir"));
    const QCommandLineOption dataOption(QStringLiteral("data"),
                                        QStringLiteral("Folder holding Configs/Config.ini."),
                                        QStringLiteral("dir"));
    const QCommandLineOption framesOption(QStringLiteral("loading-frames"),
                                          QStringLiteral("Write animation frames."),
                                          QStringLiteral("dir"));
    const QCommandLineOption resourcesOption(QStringLiteral("resources"),
                                             QStringLiteral("Write the compiled-in icons."),
                                             QStringLiteral("dir"));
    parser.addOptions({outOption, dataOption, framesOption, resourcesOption});
    parser.process(app);

    if (parser.isSet(dataOption)) {
        setApplicationDir(parser.value(dataOption));
        skin::setAccent(toQColor(readThemeColor()));
    } else {
        skin::setAccent(toQColor(themeColor(0)));
    }

    if (parser.isSet(framesOption))
        return writeLoadingFrames(parser.value(framesOption));
    if (parser.isSet(resourcesOption))
        return writeResources(parser.value(resourcesOption));
    if (!parser.isSet(outOption)) {
        std::fprintf(stderr, "skingen: --out is required\n");
        return 64;
    }
    return writeSkin(parser.value(outOption));
}
