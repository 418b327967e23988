// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestpngreader.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include <QFile>

#include <png.h>

namespace {
struct PngImage
{
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage &) = delete;
    PngImage &operator=(const PngImage &) = delete;
};

struct FileCloser
{
    void operator()(FILE *file) const { std::fclose(file); }
};

quint32 bigEndian32(const unsigned char *bytes)
{
    return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | bytes[3];
}

// What the chunks before the image data say that the simple libpng interface does not
// report, or handles unlike the toolkit's reader.
struct Header
{
    // The pixel density in metres, which the toolkit's reader gives its images (a
    // painter's text on the picture is sized by it); 0 when the file states none.
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
    // A stated gamma, colour profile or colour end-points: libpng would convert the
    // pixels to sRGB, the toolkit keeps them as stored.
    bool colourSpace = false;
    bool complete = false;
};

// Leaves the file at its start, for libpng.
Header readHeader(FILE *file)
{
    Header header;
    unsigned char chunk[8 + 9];
    if (std::fseek(file, 8, SEEK_SET) == 0) {
        for (int chunks = 0; chunks < 64 && std::fread(chunk, 1, 8, file) == 8; ++chunks) {
            const quint32 length = bigEndian32(chunk);
            const char *type = reinterpret_cast<const char *>(chunk + 4);
            if (length > 0x7fffffff)
                break;
            if (std::memcmp(type, "IDAT", 4) == 0) {
                header.complete = true;
                break;
            }
            long skip = long(length) + 4;
            if (std::memcmp(type, "gAMA", 4) == 0 || std::memcmp(type, "iCCP", 4) == 0
                || std::memcmp(type, "cHRM", 4) == 0) {
                header.colourSpace = true;
            } else if (std::memcmp(type, "pHYs", 4) == 0 && length == 9) {
                if (std::fread(chunk + 8, 1, 9, file) != 9)
                    break;
                skip = 4;
                if (chunk[16] == PNG_RESOLUTION_METER && bigEndian32(chunk + 8) <= 0x7fffffff
                    && bigEndian32(chunk + 12) <= 0x7fffffff) {
                    header.dotsPerMeterX = int(bigEndian32(chunk + 8));
                    header.dotsPerMeterY = int(bigEndian32(chunk + 12));
                }
            }
            if (std::fseek(file, skip, SEEK_CUR) != 0)
                break;
        }
    }
    std::rewind(file);
    return header;
}
} // namespace

QImage KestPngReader::read(const QString &path)
{
    const std::unique_ptr<FILE, FileCloser> file(std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file)
        return {};
    const Header header = readHeader(file.get());
    if (!header.complete || header.colourSpace)
        return {};
    PngImage png;
    if (!png_image_begin_read_from_stdio(&png.image, file.get()))
        return {};
    // libpng would convert 16 bits to 8-bit sRGB; the toolkit keeps the stored values.
    const png_uint_32 stored = png.image.format;
    if ((stored & (PNG_FORMAT_FLAG_LINEAR | PNG_FORMAT_FLAG_COLORMAP)) || !(stored & PNG_FORMAT_FLAG_COLOR))
        return {};
    if (png.image.width == 0 || png.image.height == 0 || png.image.width > 16384 || png.image.height > 16384)
        return {};
    const bool alpha = stored & PNG_FORMAT_FLAG_ALPHA;
    QImage image(int(png.image.width), int(png.image.height),
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (header.dotsPerMeterX > 0 && header.dotsPerMeterY > 0) {
        image.setDotsPerMeterX(header.dotsPerMeterX);
        image.setDotsPerMeterY(header.dotsPerMeterY);
    }
    // B, G, R, A in memory is the toolkit's 32-bit pixel on a little-endian machine, A, R,
    // G, B on a big-endian one. A file without alpha gets an opaque filler byte.
    png.image.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    if (!png_image_finish_read(&png.image, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr))
        return {};
    if (alpha) {
        for (int y = 0; y < image.height(); ++y) {
            auto *pixel = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (QRgb *const end = pixel + image.width(); pixel != end; ++pixel) {
                if (qAlpha(*pixel) != 255)
                    *pixel = qPremultiply(*pixel);
            }
        }
    }
    return image;
}
