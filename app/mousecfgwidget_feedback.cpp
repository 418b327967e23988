// SPDX-License-Identifier: GPL-2.0-or-later
// What the window tells the user about the profile he is editing: whether the last write
// reached the mouse, and whether leaving the slot would lose edits.

#include "app/mousecfgwidget.h"

#include <QCloseEvent>
#include <QTimer>

#include "core/kestmousecore.h"
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

void MousecfgWidget::showWriteResult(int status)
{
    // The set was saved either way: what the panels show is no longer an unapplied edit.
    markClean();
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
    QPalette palette = m_statusLabel->palette();
    palette.setColor(QPalette::WindowText, status == 0 ? themeColor() : QColor(230, 80, 70));
    m_statusLabel->setPalette(palette);
    m_statusWrite = status == 0 ? 0 : 1;
    retranslateStatus();
    m_statusLabel->show();
    m_statusLabel->raise();
    m_statusTimer->start(kStatusShownMs);
}

// A language chosen while the word is shown changes it too: it stays up for seconds.
void MousecfgWidget::retranslateStatus()
{
    if (!m_statusLabel || m_statusWrite < 0)
        return;
    m_statusLabel->setText(m_statusWrite == 0 ? tr("Saved to the mouse")
                                              : tr("Saved on this computer; the mouse did not take it"));
}

QString MousecfgWidget::statusText() const
{
    return m_statusLabel ? m_statusLabel->text() : QString();
}

void MousecfgWidget::closeToTray()
{
    if (m_profiles && !m_profiles->settleUnappliedEdits())
        return;
    close();
}
