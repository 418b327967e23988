// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestskin.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <optional>
#include <vector>

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPixmapCache>
#include <QSet>
#include <QWaitCondition>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "widgets/kestpngreader.h"
#include "widgets/kestrgbcolor.h"

namespace {
double g_scaleFactor = 1.0;
std::optional<QColor> g_themeColor;
int g_colorMode = 0;

// Pictures decoded ahead on another thread: the paths waiting or being decoded, the ones
// not started yet in order, and the images done and not yet taken. One thread works the
// queue while it has any.
struct Prefetched
{
    QMutex mutex;
    QWaitCondition done;
    QSet<QString> pending;
    QStringList queue;
    QHash<QString, QImage> images;
    bool working = false;
};

Prefetched &prefetched()
{
    static Prefetched state;
    return state;
}

// Made after the state, so destroyed before it.
std::vector<std::future<void>> &prefetchWorkers()
{
    static std::vector<std::future<void>> workers;
    return workers;
}

// Called as the application object goes: a decode left running into the process's exit
// would fill a queue already destroyed. Pictures not started are dropped.
void finishPrefetching()
{
    Prefetched &state = prefetched();
    {
        QMutexLocker locker(&state.mutex);
        for (const QString &path : qAsConst(state.queue))
            state.pending.remove(path);
        state.queue.clear();
    }
    for (std::future<void> &worker : prefetchWorkers())
        worker.wait();
    prefetchWorkers().clear();
}

// Dozens of buttons show the same few pictures; decoding each file once took a large share
// of the start. The file's time and size are in the key, so a picture redrawn on disk is
// read again; the toolkit's cache drops pictures nobody holds when it fills.
QString cacheKey(const QString &path)
{
    const QFileInfo info(path);
    return QStringLiteral("kestskin:%1:%2:%3").arg(path).arg(info.lastModified().toMSecsSinceEpoch()).arg(info.size());
}

// The image decoded ahead for `path`, waiting for it if it is being decoded. One still in
// the queue is the caller's to decode: waiting would also wait for the ones before it.
bool takePrefetched(const QString &path, QImage *image)
{
    Prefetched &state = prefetched();
    QMutexLocker locker(&state.mutex);
    if (state.queue.removeOne(path)) {
        state.pending.remove(path);
        return false;
    }
    while (state.pending.contains(path))
        state.done.wait(&state.mutex);
    const auto found = state.images.find(path);
    if (found == state.images.end())
        return false;
    *image = std::move(*found);
    state.images.erase(found);
    return true;
}
} // namespace

void prefetchSkinPictures(const QStringList &wanted)
{
    Prefetched &state = prefetched();
    // The start asks for its background before the application object exists, when no
    // pixmap can be made (and none is cached yet).
    const bool pixmaps = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    QMutexLocker locker(&state.mutex);
    for (const QString &path : wanted) {
        // Decoded already, on its way, or waiting to be taken: nothing to do.
        if (state.pending.contains(path) || state.images.contains(path))
            continue;
        if (pixmaps) {
            QPixmap cached;
            if (QPixmapCache::find(cacheKey(path), &cached))
                continue;
        }
        state.pending.insert(path);
        state.queue.append(path);
    }
    if (state.working || state.queue.isEmpty())
        return;
    state.working = true;
    static const bool finishing = [] {
        qAddPostRoutine(finishPrefetching);
        return true;
    }();
    Q_UNUSED(finishing)
    // A worker that ran dry has ended; its future goes.
    std::vector<std::future<void>> &workers = prefetchWorkers();
    workers.erase(std::remove_if(workers.begin(), workers.end(),
                                 [](const std::future<void> &worker) {
                                     return worker.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
                                 }),
                  workers.end());
    workers.push_back(std::async(std::launch::async, [] {
        Prefetched &state = prefetched();
        QMutexLocker locker(&state.mutex);
        while (!state.queue.isEmpty()) {
            const QString path = state.queue.takeFirst();
            locker.unlock();
            // Not the toolkit's reader: the start queues its background while the
            // application object is being made, when that reader must not run
            // (kestpngreader.h says why). A picture only the toolkit reads is left to
            // whoever asks for it.
            QImage image = KestPngReader::read(path);
            locker.relock();
            state.pending.remove(path);
            if (!image.isNull())
                state.images.insert(path, image);
            state.done.wakeAll();
        }
        state.working = false;
    }));
}

QPixmap takeSkinPicture(const QString &path)
{
    QImage image;
    // libpng's simple interface decodes the skin's files in less than half the toolkit's
    // time; the toolkit reads whatever else is there.
    if (!takePrefetched(path, &image))
        image = KestPngReader::read(path);
    return image.isNull() ? QPixmap(path) : QPixmap::fromImage(std::move(image));
}

QString skinPath(const QString &name)
{
    const QString relative = name.startsWith(QLatin1Char('/')) ? name.mid(1) : name;
    return applicationDir() + QStringLiteral("/skin/") + relative;
}

QPixmap skinPicture(const QString &path)
{
    const QString key = cacheKey(path);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    picture = takeSkinPicture(path);
    if (!picture.isNull())
        QPixmapCache::insert(key, picture);
    return picture;
}

double scaleFactor()
{
    return g_scaleFactor;
}

void setScaleFactor(double factor)
{
    g_scaleFactor = factor > 0.0 ? factor : 1.0;
}

int scaled(int designPixels)
{
    return static_cast<int>(designPixels * g_scaleFactor);
}

int scaled(double designPixels)
{
    return static_cast<int>(designPixels * g_scaleFactor);
}

QColor themeColor()
{
    if (!g_themeColor)
        g_themeColor = toQColor(readThemeColor());
    return *g_themeColor;
}

void setThemeColor(const QColor &color)
{
    g_themeColor = color;
}

int colorMode()
{
    return g_colorMode;
}

void setColorMode(int mode)
{
    g_colorMode = mode;
}

QFont languageFont(int fixedPixelSize, int decrement)
{
    const LanguageFont configured = readCurrentLanguageFont();
    QFont font = QApplication::font();
    if (!configured.family.isEmpty())
        font.setFamily(configured.family);
    int pixels = fixedPixelSize > 0 ? fixedPixelSize : static_cast<int>(configured.pixelSize);
    if (pixels <= 0)
        pixels = kFallbackFontPixels;
    pixels -= decrement;
    font.setPixelSize(qMax(1, static_cast<int>(pixels * g_scaleFactor)));
    return font;
}

QString menuStyleSheet(const QColor &accent)
{
    const QString a = accent.name(QColor::HexRgb);
    // Room around the entries and a filled hover row: a list that only outlines the entry
    // under the pointer reads as cramped and hard to follow. A menu taller than the screen
    // scrolls: spread into columns, a long profile list covered the screen and lost its end.
    return QStringLiteral(
               "QMenu{background-color:rgb(50,50,50);border:1px solid rgb(70,70,70);"
               "padding:%2px 0px;menu-scrollable:1;}"
               "QMenu::item{text-align:center;color:rgb(255,255,255);"
               "background-color:rgb(50,50,50);margin:0px;border:1px solid transparent;"
               "padding-top:%3px;padding-bottom:%3px;padding-left:20px;padding-right:20px;}"
               "QMenu::item:selected{border:1px solid %1;background-color:rgb(72,72,74);}"
               "QMenu::item:pressed{color:rgb(0,0,0);background-color:%1;}"
               "QMenu::item:disabled{color:rgb(120,120,120);}"
               "QMenu::separator{height:1px;background:rgb(80,80,80);margin:%2px 8px;}")
        .arg(a)
        .arg(scaled(4))
        .arg(scaled(4));
}

QString toolTipStyleSheet(const QColor &accent)
{
    return QStringLiteral("QToolTip{color:rgb(235,235,235);background-color:rgb(40,40,42);"
                          "border:1px solid %1;padding:%2px %3px;}")
        .arg(accent.name(QColor::HexRgb))
        .arg(scaled(3))
        .arg(scaled(6));
}

QString menuStyleSheet()
{
    return menuStyleSheet(themeColor());
}
