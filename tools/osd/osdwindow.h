// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QBitmap>
#include <QTimer>
#include <QWidget>

#include "platform/osdchannel.h"

// A frameless, translucent, always-on-top window that shows one short text for a
// while and never takes the keyboard focus away from what the user is doing.
class OsdWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit OsdWindow(QWidget *parent = nullptr);

    void showMessage(const osd::OsdMessage &message);
    QString text() const { return m_message.text; }
    // The pixels the text and its outline cover: the window's shape where no compositor
    // blends the translucent background away.
    QBitmap textMask() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawText(QPainter &painter) const;

    osd::OsdMessage m_message;
    QTimer m_hideTimer;
};
