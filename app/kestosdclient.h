// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// Sends short texts to the on-screen display program. When the display is not running
// it is started and looked for again every 500 ms, at most five times, on a timer, so
// the window never stalls; a text that still finds no display is dropped.
class KestOsdClient final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kStartTries = 5;
    static constexpr int kRetryDelayMs = 500;

    using Starter = std::function<bool(const QString &program)>;

    explicit KestOsdClient(QObject *parent = nullptr);

    // Shows text in the theme colour for the usual display time.
    void showText(const QString &text);

    // Tests replace how the display program is started.
    void setStarter(Starter starter) { m_starter = std::move(starter); }
    bool isWaitingForDisplay() const { return m_retry.isActive(); }

signals:
    void textDropped(const QString &text);

private:
    void attempt();

    QString m_program;
    Starter m_starter;
    QByteArray m_pendingBlock;
    QString m_pendingText;
    int m_tries = 0;
    QTimer m_retry;
};
