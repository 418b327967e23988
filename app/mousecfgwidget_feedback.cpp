// SPDX-License-Identifier: GPL-2.0-or-later
// What the window tells the user about the profile he is editing: whether the last write
// reached the mouse, and whether leaving the slot would lose edits.

#include "app/mousecfgwidget.h"

#include <QCloseEvent>
#include <QTimer>

#include "core/kestmousecore.h"
#include "device/kestwritetransaction.h"
#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kStatusShownMs = 4000;
const QRect kStatusRect(420, 580, 265, 20); // the bottom bar, left of OK / Cancel / Apply
} // namespace

// The working set as Apply would write it: the panels that edit copies put in their values.
ConfigRecord MousecfgWidget::collectedSet()
{
    return m_core->collectedSet();
}

void MousecfgWidget::markClean()
{
    m_core->markClean();
}

bool MousecfgWidget::hasUnappliedEdits()
{
    return m_core->hasUnappliedEdits();
}

void MousecfgWidget::discardUnappliedEdits()
{
    m_core->discardUnappliedEdits();
}

void MousecfgWidget::showWriteResult(const KestWriteResult &result)
{
    // Saved, the set is no longer an unapplied edit; a set the disk did not take stays one,
    // so that leaving the slot or closing still asks about it.
    if (result.saved.isOk())
        markClean();
    if (result.status == SEND_GAVE_UP || result.status == SEND_WRITE_FAILED)
        noteWriteUnanswered();
    if (!m_statusLabel) {
        m_statusLabel = new KestLabel(this);
        m_statusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(m_statusLabel, kStatusRect);
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
    retranslateStatus();
    m_statusLabel->show();
    m_statusLabel->raise();
    m_statusTimer->start(kStatusShownMs);
}

// The skin's plain text colour: the accent may be red itself, and a success must never
// look like the failure beside it.
QColor MousecfgWidget::successColor()
{
    return colorMode() == 0 ? QColor(235, 235, 235) : QColor(0, 0, 0);
}

QColor MousecfgWidget::failureColor()
{
    return QColor(230, 80, 70);
}

// A language chosen while the word is shown changes it too: it stays up for seconds.
void MousecfgWidget::retranslateStatus()
{
    if (!m_statusLabel || m_statusWrite < 0)
        return;
    switch (m_statusWrite) {
    case 0: m_statusLabel->setText(tr("Saved to the mouse")); break;
    case 1: m_statusLabel->setText(tr("Saved on this computer; the mouse did not take it")); break;
    case 2: m_statusLabel->setText(tr("Sent to the mouse; not saved on this computer")); break;
    default: m_statusLabel->setText(tr("Not saved: neither the mouse nor this computer took it")); break;
    }
}

QString MousecfgWidget::statusText() const
{
    return m_statusLabel ? m_statusLabel->text() : QString();
}

QColor MousecfgWidget::statusColor() const
{
    return m_statusLabel ? m_statusLabel->palette().color(QPalette::WindowText) : QColor();
}

void MousecfgWidget::closeToTray()
{
    if (m_profiles && !m_profiles->settleUnappliedEdits())
        return;
    close();
}
