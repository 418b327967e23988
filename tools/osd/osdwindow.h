#pragma once

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    osd::OsdMessage m_message;
    QTimer m_hideTimer;
};
