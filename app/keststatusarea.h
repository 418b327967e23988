// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>

class QLabel;
class QPainter;
class QTimer;
class KestCanvas;
class KestLabel;
class KestMouseCore;
class KestProcessbar;
struct KestWriteResult;

// What the main window says about the mouse and the last write: the battery bar in its
// frame, the receiver picture, the note of a mouse that does not answer, the word on the
// last write in the bottom bar, and the warning of a missing mouse. It follows the core's
// decoded status; the frame is painted by the window, under the bar.
class KestStatusArea final : public QObject
{
    Q_OBJECT

public:
    KestStatusArea(KestCanvas &canvas, KestMouseCore &core, QObject *parent = nullptr);

    KestProcessbar *batteryBar() const { return m_batteryBar; }
    QLabel *linkPicture() const { return m_linkPicture; }
    // The words beside the bar ("The mouse does not answer"); empty when it answers.
    QString batteryNote() const;
    // How long the battery reader may hear nothing before the bar says the mouse does not
    // answer; tests shorten it.
    void setSilenceTimeout(int milliseconds);
    // The bottom bar's word on the last write ("Saved to the mouse"); empty once it faded.
    QString statusText() const;
    QColor statusColor() const;
    // The colours of that word after a write that went well, and after one that did not.
    static QColor successColor();
    static QColor failureColor();

    void paintFrame(QPainter &painter) const;
    void refreshBattery();
    void refreshConnection();
    // Every report the reader hears is the mouse answering; a long silence is shown.
    void noteMouseAnswered();
    void showWriteResult(const KestWriteResult &result);
    void retranslate();

    bool isWarningOpen() const { return m_warningOpen; }
    // The box that says the mouse is missing; true when the user closed it with OK.
    bool warnDisconnected();

private:
    void noteWriteUnanswered();
    void setBatteryStyle(const QString &styleSheet);

    KestCanvas &m_canvas;
    KestMouseCore &m_core;

    QPixmap m_plugFrame;    // a mouse on the cable: a plug, no figure
    QPixmap m_batteryFrame; // room for the bar
    KestProcessbar *m_batteryBar = nullptr;
    QLabel *m_linkPicture = nullptr;
    int m_shownConnectionState = 3;

    // The mouse heard nothing of late (a write it did not take, a reader answered by silence).
    bool m_mouseSilent = false;
    bool m_shownSilent = false; // the bar says so (the frame drops its plug)
    KestLabel *m_batteryNote = nullptr;
    QTimer *m_answerTimer = nullptr;
    int m_silenceMs = 8000; // about three of the reader's query rounds

    KestLabel *m_statusLabel = nullptr;
    QTimer *m_statusTimer = nullptr;
    int m_statusWrite = -1; // the write the status text speaks of: 0 reached the mouse

    bool m_warningOpen = false;
};
