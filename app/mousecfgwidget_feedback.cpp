// What the window tells the user about the profile he is editing: whether the last write
// reached the mouse, and whether leaving the slot would lose edits.

#include "app/mousecfgwidget.h"

#include <QCloseEvent>
#include <QTimer>

#include "panels/kestcolorwindow.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestpointspeed.h"
#include "panels/kestreportrate.h"
#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kStatusShownMs = 4000;
const QRect kStatusRect(420, 580, 265, 20); // the bottom bar, left of OK / Cancel / Apply
} // namespace

// The working set as Apply would write it: the panels that edit copies put in their values.
ConfigRecord MousecfgWidget::collectedSet()
{
    ConfigRecord set = m_working;
    if (m_dpiWindow) {
        ProfileRecord &current = set.profiles[currentSlot()];
        m_dpiWindow->applyTo(current);
        m_reportRate->applyTo(current);
        m_pointSpeed->applyTo(set);
        m_colorWindow->applyTo(set);
    }
    return set;
}

void MousecfgWidget::markClean()
{
    m_clean = collectedSet();
}

bool MousecfgWidget::hasUnappliedEdits()
{
    ConfigRecord now = collectedSet();
    // Which slot is current and what the slots are called are not edits of a profile:
    // switching and renaming take effect at once.
    now.ProfileID = m_clean.ProfileID;
    now.names = m_clean.names;
    for (int k = 0; k < SLOT_COUNT; ++k)
        now.profiles[k].ProfileName = m_clean.profiles[k].ProfileName;
    return now != m_clean;
}

void MousecfgWidget::discardUnappliedEdits()
{
    const quint8 slot = m_working.ProfileID;
    const auto names = m_working.names;
    std::array<QString, SLOT_COUNT> profileNames;
    for (int k = 0; k < SLOT_COUNT; ++k)
        profileNames[k] = m_working.profiles[k].ProfileName;
    m_working = m_clean;
    m_working.ProfileID = slot;
    m_working.names = names;
    for (int k = 0; k < SLOT_COUNT; ++k)
        m_working.profiles[k].ProfileName = profileNames[k];
    refreshPanels();
}

void MousecfgWidget::showWriteResult(quint8 status)
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
