// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kesttraystatus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

#include "app/kestdesktopbridge.h"
#include "core/kestmousecore.h"
#include "core/kestnotices.h"
#include "widgets/kestskin.h"

namespace {

constexpr int kIconSize = 64;

} // namespace

KestTrayStatus::KestTrayStatus(KestDesktopBridge *bridge)
    : QObject(bridge)
    , m_bridge(bridge)
{
    KestMouseCore *core = bridge->core();
    // The menu has no parent widget: the tray lives without the window.
    m_menu = new QMenu;
    m_group = new QActionGroup(this);
    m_group->setExclusive(true);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        auto *action = m_menu->addAction(QString());
        action->setCheckable(true);
        m_group->addAction(action);
        // As the slot menu does: window, mouse and pointer speed. Not a question, though:
        // edits of the slot left stay unapplied in it.
        connect(action, &QAction::triggered, core, [core, slot] { core->switchSlot(slot); });
        m_slotActions << action;
    }
    m_menu->addSeparator();
    m_showAction = m_menu->addAction(QString());
    connect(m_showAction, &QAction::triggered, bridge, &KestDesktopBridge::showWindow);
    m_quitAction = m_menu->addAction(QString());
    connect(m_quitAction, &QAction::triggered, bridge, &KestDesktopBridge::requestQuit);

    m_baseIcon = QIcon(skinPath(QStringLiteral("icon.ico")));
    m_tray = new QSystemTrayIcon(this);
    m_tray->setContextMenu(m_menu);
    m_tray->setIcon(m_baseIcon);
    connect(m_tray, &QSystemTrayIcon::activated, bridge, &KestDesktopBridge::trayActivated);
    m_tray->setVisible(true);
    refresh();
}

KestTrayStatus::~KestTrayStatus()
{
    delete m_tray;
    delete m_menu;
}

void KestTrayStatus::refresh()
{
    const KestMouseCore *core = m_bridge->core();
    m_showAction->setText(tr("&Load Config"));
    m_quitAction->setText(tr("&Quit"));
    const int slot = core->currentSlot();
    const auto &names = core->working().names;
    for (int k = 0; k < m_slotActions.size(); ++k) {
        m_slotActions[k]->setText(tr("Profile %1: %2").arg(k + 1).arg(names[size_t(k)]));
        m_slotActions[k]->setChecked(k == slot);
    }

    const int percent = core->status().battery;
    const bool charging = core->status().charging;
    QString tip = core->productName() + QLatin1Char('\n')
                  + tr("Profile %1: %2").arg(slot + 1).arg(names[size_t(slot)]);
    if (percent >= 0)
        tip += QLatin1Char('\n')
               + (charging ? tr("Battery %1%, charging").arg(percent) : tr("Battery %1%").arg(percent));
    else if (charging)
        tip += QLatin1Char('\n') + tr("On the cable");
    m_tray->setToolTip(tip);

    // Repainting the icon makes some trays flicker: only when the gauge changes.
    if (percent != m_shownPercent || charging != m_shownCharging) {
        m_shownPercent = percent;
        m_shownCharging = charging;
        m_tray->setIcon(iconWithBattery(m_baseIcon, percent, charging));
    }
}

QIcon KestTrayStatus::iconWithBattery(const QIcon &base, int percent, bool charging)
{
    if (percent < 0)
        return base;
    QPixmap picture = base.pixmap(kIconSize, kIconSize);
    if (picture.isNull()) {
        picture = QPixmap(kIconSize, kIconSize);
        picture.fill(Qt::transparent);
    }
    picture = picture.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(4, kIconSize - 16, kIconSize - 8, 12);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRoundedRect(frame, 3, 3);
    QColor fill = QColor(60, 180, 75);
    if (!charging && percent <= KestNotices::kEmptyBattery)
        fill = QColor(220, 40, 40);
    else if (!charging && percent <= KestNotices::kLowBattery)
        fill = QColor(240, 160, 20);
    const QRectF level = frame.adjusted(2, 2, -2, -2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRect(QRectF(level.topLeft(), QSizeF(level.width() * qBound(0, percent, 100) / 100.0, level.height())));
    painter.end();
    return QIcon(picture);
}
