// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Decodes the kind of PNG file the skin is drawn in (8 bits a channel, sRGB, with or
// without alpha) straight through libpng, into the premultiplied form a pixmap keeps.
// The toolkit's own reader looks up its image plugins first, and that lookup reads the
// library paths the application object rebuilds as it starts: a picture decoded that way
// on another thread while the application object was being made crashed the start. This
// reader touches nothing of the toolkit's but the image it fills, so it is safe at any
// time and on any thread.
class KestPngReader final
{
public:
    // Null for any other kind of file (16-bit, a palette, a colour space other than sRGB,
    // not a PNG, damaged, missing): the caller decodes those the toolkit's way.
    static QImage read(const QString &path);
};
