// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "store/appdir.h"

// An application folder of its own for each test: no settings (so the fonts fall back)
// and plain coloured pictures where a test needs a skin.
class ScratchAppDir
{
public:
    ScratchAppDir()
    {
        setApplicationDir(m_dir.path());
        QDir(m_dir.path()).mkpath(QStringLiteral("skin"));
    }
    ~ScratchAppDir() { setApplicationDir(QString()); }

    QString path() const { return m_dir.path(); }

    // count opaque pictures of the given size, one colour each; returns their paths.
    QStringList pictures(int count, const QSize &size = QSize(40, 20)) const
    {
        static const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QImage image(size, QImage::Format_ARGB32);
            image.fill(colours[i % 4]);
            const QString path = QStringLiteral("%1/skin/state%2.png").arg(m_dir.path()).arg(i);
            image.save(path);
            paths << path;
        }
        return paths;
    }

private:
    QTemporaryDir m_dir;
};
