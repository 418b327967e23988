// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QString>

class KestCanvas;
class KestMouseCore;
class KestPushButton;

// The "Firmware Update" button of the main window and the hand-off of the mouse to the
// updater installed beside the utility: the updater needs the mouse to itself, so the
// utility leaves once it started.
class KestFirmwareHandoff final : public QObject
{
    Q_OBJECT

public:
    // `language` tells the index of the language shown: each has its updater.
    KestFirmwareHandoff(KestCanvas &canvas, KestMouseCore &core, std::function<int()> language,
                        QObject *parent = nullptr);

    // The firmware updater for a language (executables carry no ".exe" here).
    static QString updaterPath(const QString &appDir, int languageIndex);

    KestPushButton *button() const { return m_button; }
    void retranslate();

private:
    void start();

    KestCanvas &m_canvas;
    KestMouseCore &m_core;
    std::function<int()> m_language;
    KestPushButton *m_button = nullptr;
};
