// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/keststatusarea.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "app/kestcanvas.h"
#include "core/kestmousecore.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/kestwritetransaction.h"
#include "store/appsettings.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kStatusShownMs = 4000;
const QRect kStatusRect(420, 580, 265, 20);     // the bottom bar, left of OK / Cancel / Apply
const QRect kBatteryNoteRect(40, 556, 190, 20); // above the battery frame
} // namespace

KestStatusArea::KestStatusArea(KestCanvas &canvas, KestMouseCore &core, QObject *parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_core(core)
    , m_plugFrame(skinPath(QStringLiteral("bat2.png")))
    , m_batteryFrame(skinPath(QStringLiteral("bat1.png")))
{
    QWidget *window = &canvas.window();
    m_batteryBar = new KestProcessbar(window);
    m_batteryBar->setRange(0, 100);
    m_batteryBar->setValue(readBattery());
    m_batteryBar->setAlignment(Qt::AlignCenter);
    canvas.place(m_batteryBar, QRect(79, 596, 58, 17));
    m_linkPicture = new QLabel(window);
    m_linkPicture->setScaledContents(true);
    m_linkPicture->setPixmap(skinPicture(skinPath(QStringLiteral("dongle.png"))));
    canvas.place(m_linkPicture, QRect(164, 593, 24, 24));

    connect(&core, &KestMouseCore::statusChanged, this, &KestStatusArea::refreshBattery);
    connect(&core, &KestMouseCore::connected, this, &KestStatusArea::refreshConnection);
    connect(core.batteryReader(), &KestBatteryReader::batteryReported, this,
            &KestStatusArea::noteMouseAnswered);
    connect(core.batteryReader(), &KestBatteryReader::statusReported, this,
            &KestStatusArea::noteMouseAnswered);
    noteMouseAnswered();
}

void KestStatusArea::paintFrame(QPainter &painter) const
{
    const QPixmap &frame = (m_core.connectionState() <= 1 && !m_shownSilent) ? m_plugFrame : m_batteryFrame;
    if (!frame.isNull())
        painter.drawPixmap(QRect(scaled(69), scaled(581), scaled(86), scaled(47)), frame);
}

QString KestStatusArea::batteryNote() const
{
    return m_batteryNote && !m_batteryNote->isHidden() ? m_batteryNote->text() : QString();
}

void KestStatusArea::refreshBattery()
{
    const KestMouseStatus &status = m_core.status();
    const int textPixels = scaled(16);
    const QString greyStyle =
        QStringLiteral("QProgressBar{background:rgb(100,100,100);border-radius:2px;"
                       "color:white;font-weight:bold;font-size:%1px;}"
                       "QProgressBar::chunk{background:rgb(100,100,100);}")
            .arg(textPixels);
    if (status.mouseOff) {
        // Even a charging mouse reports 0 while it is switched off.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QCoreApplication::translate("MousecfgWidget", "MOUSE OFF"));
        setBatteryStyle(greyStyle);
    } else if (m_mouseSilent && status.link != KestMouseStatus::None) {
        // The receiver or the cable is there, but the mouse behind it does not answer: a
        // full bar would claim a mouse that takes the settings. The words go beside the
        // bar, which is too narrow for them.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QString());
        setBatteryStyle(greyStyle);
    } else {
        if (status.link == KestMouseStatus::Cable || status.link == KestMouseStatus::Both) {
            m_batteryBar->setValue(100);
            m_batteryBar->setFormat(QString());
        } else if (status.battery >= 0) {
            m_batteryBar->setValue(status.battery);
            m_batteryBar->setFormat(QStringLiteral("%p%"));
        }
        setBatteryStyle(
            QStringLiteral("QProgressBar{background:#FFFFFF;border-radius:2px;color:black;"
                           "font-weight:bold;font-size:%1px;}"
                           "QProgressBar::chunk{background:%2;border-radius:2px;}")
                .arg(textPixels)
                .arg(themeColor().name()));
    }
    refreshConnection();
}

void KestStatusArea::setSilenceTimeout(int milliseconds)
{
    m_silenceMs = milliseconds;
    noteMouseAnswered();
}

void KestStatusArea::noteMouseAnswered()
{
    if (!m_answerTimer) {
        m_answerTimer = new QTimer(this);
        m_answerTimer->setSingleShot(true);
        connect(m_answerTimer, &QTimer::timeout, this, [this] {
            // Only a reader that asks and hears nothing tells of a silent mouse: a stopped one
            // (a write, no mouse) says nothing about it.
            if (m_core.batteryReaderRunning() && !m_core.isWriting()
                && m_core.status().link != KestMouseStatus::None && !m_mouseSilent) {
                m_mouseSilent = true;
                refreshBattery();
            }
            m_answerTimer->start(m_silenceMs);
        });
    }
    m_answerTimer->start(m_silenceMs);
    if (m_mouseSilent) {
        m_mouseSilent = false;
        refreshBattery();
    }
}

void KestStatusArea::noteWriteUnanswered()
{
    m_mouseSilent = true;
    refreshBattery();
    // The transaction starts the reader again only after a success; without it nothing
    // would ever notice the mouse answering again.
    if (m_core.connectedCount() > 0)
        m_core.startBatteryReader();
}

void KestStatusArea::setBatteryStyle(const QString &styleSheet)
{
    // A new style sheet polishes the bar again; the reader reports every few seconds,
    // mostly with nothing changed.
    if (m_batteryBar->styleSheet() != styleSheet)
        m_batteryBar->setStyleSheet(styleSheet);
}

void KestStatusArea::refreshConnection()
{
    const int state = m_core.connectionState();
    const KestMouseStatus::Link link = m_core.status().link;
    // Only the battery frame depends on the state: no repaint of the window otherwise.
    bool changed = m_shownConnectionState != state;
    m_shownConnectionState = state;
    if (state == 3) {
        // No mouse: the last figure would be stale, so the frame stays empty.
        m_batteryBar->setValue(0);
        m_batteryBar->setFormat(QString());
    }
    // On the cable the frame shows a plug instead of a figure; for a mouse that does not
    // answer the greyed bar shows whatever the link, with its words above the frame.
    const bool silent = m_mouseSilent && link != KestMouseStatus::None && !m_core.status().mouseOff;
    m_batteryBar->setVisible(state >= 2 || silent);
    if (silent && !m_batteryNote) {
        m_batteryNote = new KestLabel(&m_canvas.window());
        QPalette palette = m_batteryNote->palette();
        palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
        m_batteryNote->setPalette(palette);
        m_canvas.place(m_batteryNote, kBatteryNoteRect);
    }
    if (m_batteryNote) {
        m_batteryNote->setText(silent ? QCoreApplication::translate("MousecfgWidget", "The mouse does not answer")
                                      : QString());
        m_batteryNote->setVisible(silent);
    }
    if (silent != m_shownSilent) {
        m_shownSilent = silent;
        changed = true; // the frame drops or takes its plug
    }
    m_linkPicture->setVisible(link == KestMouseStatus::Receiver || link == KestMouseStatus::Both);
    if (changed)
        m_canvas.window().update();
}

void KestStatusArea::showWriteResult(const KestWriteResult &result)
{
    if (result.status == SEND_GAVE_UP || result.status == SEND_WRITE_FAILED)
        noteWriteUnanswered();
    if (!m_statusLabel) {
        m_statusLabel = new KestLabel(&m_canvas.window());
        m_statusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_canvas.place(m_statusLabel, kStatusRect);
        m_statusTimer = new QTimer(this);
        m_statusTimer->setSingleShot(true);
        connect(m_statusTimer, &QTimer::timeout, m_statusLabel, [this] {
            m_statusWrite = -1;
            m_statusLabel->setText(QString());
        });
    }
    const bool sent = result.succeeded();
    const bool saved = result.saved.isOk();
    QPalette palette = m_statusLabel->palette();
    palette.setColor(QPalette::WindowText, sent && saved ? successColor() : failureColor());
    m_statusLabel->setPalette(palette);
    m_statusWrite = (sent ? 0 : 1) | (saved ? 0 : 2);
    retranslate();
    m_statusLabel->show();
    m_statusLabel->raise();
    m_statusTimer->start(kStatusShownMs);
}

// The skin's plain text colour: the accent may be red itself, and a success must never
// look like the failure beside it.
QColor KestStatusArea::successColor()
{
    return colorMode() == 0 ? QColor(235, 235, 235) : QColor(0, 0, 0);
}

QColor KestStatusArea::failureColor()
{
    return QColor(230, 80, 70);
}

// A language chosen while the word is shown changes it too: it stays up for seconds. The
// area's texts were the window's before it had parts, and keep its translations.
void KestStatusArea::retranslate()
{
    if (!m_statusLabel || m_statusWrite < 0)
        return;
    switch (m_statusWrite) {
    case 0:
        m_statusLabel->setText(QCoreApplication::translate("MousecfgWidget", "Saved to the mouse"));
        break;
    case 1:
        m_statusLabel->setText(QCoreApplication::translate(
            "MousecfgWidget", "Saved on this computer; the mouse did not take it"));
        break;
    case 2:
        m_statusLabel->setText(QCoreApplication::translate(
            "MousecfgWidget", "Sent to the mouse; not saved on this computer"));
        break;
    default:
        m_statusLabel->setText(QCoreApplication::translate(
            "MousecfgWidget", "Not saved: neither the mouse nor this computer took it"));
        break;
    }
}

QString KestStatusArea::statusText() const
{
    return m_statusLabel ? m_statusLabel->text() : QString();
}

QColor KestStatusArea::statusColor() const
{
    return m_statusLabel ? m_statusLabel->palette().color(QPalette::WindowText) : QColor();
}

bool KestStatusArea::warnDisconnected()
{
    // A mouse that is plugged in but refused to this user needs a different hint.
    const QString permission = permissionProblemText();
    const QString text = permission.isEmpty()
                             ? QCoreApplication::translate("MousecfgWidget", "Dongle Disconnect!")
                             : permission;
    m_warningOpen = true;
    KestMessageBox box(KestMessageBox::Disconnected, QString(),
                       QCoreApplication::translate("MousecfgWidget", "Warning"), text,
                       &m_canvas.window(), true);
    const bool accepted = box.exec() == QDialog::Accepted;
    m_warningOpen = false;
    return accepted;
}
