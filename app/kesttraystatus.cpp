#include "app/kesttraystatus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

#include "app/kestdesktopbridge.h"
#include "app/kestnotices.h"
#include "app/mousecfgwidget.h"

namespace {

constexpr int kIconSize = 64;

} // namespace

KestTrayStatus::KestTrayStatus(MousecfgWidget *window, KestDesktopBridge *bridge)
    : QObject(bridge)
    , m_window(window)
    , m_bridge(bridge)
{
    QSystemTrayIcon *tray = window->trayIcon();
    QMenu *menu = tray ? tray->contextMenu() : nullptr;
    if (!menu)
        return;
    m_baseIcon = tray->icon();
    m_group = new QActionGroup(this);
    m_group->setExclusive(true);
    QAction *first = menu->actions().value(0);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        auto *action = new QAction(menu);
        action->setCheckable(true);
        m_group->addAction(action);
        // As the slot menu does: window, mouse and pointer speed.
        connect(action, &QAction::triggered, window, [window, slot] { window->switchToSlot(slot); });
        menu->insertAction(first, action);
        m_slotActions << action;
    }
    m_separator = menu->insertSeparator(first);
    refresh();
}

void KestTrayStatus::refresh()
{
    QSystemTrayIcon *tray = m_window->trayIcon();
    if (!tray)
        return;
    const int slot = m_window->currentSlot();
    const auto &names = m_window->workingSet().names;
    for (int k = 0; k < m_slotActions.size(); ++k) {
        m_slotActions[k]->setText(tr("Profile %1: %2").arg(k + 1).arg(names[size_t(k)]));
        m_slotActions[k]->setChecked(k == slot);
    }

    const int percent = m_bridge->batteryPercent();
    const bool charging = m_bridge->charging();
    QString tip = m_window->productName() + QLatin1Char('\n')
                  + tr("Profile %1: %2").arg(slot + 1).arg(names[size_t(slot)]);
    if (percent >= 0)
        tip += QLatin1Char('\n')
               + (charging ? tr("Battery %1%, charging").arg(percent) : tr("Battery %1%").arg(percent));
    else if (charging)
        tip += QLatin1Char('\n') + tr("On the cable");
    tray->setToolTip(tip);

    // Repainting the icon makes some trays flicker: only when the gauge changes.
    if (percent != m_shownPercent || charging != m_shownCharging) {
        m_shownPercent = percent;
        m_shownCharging = charging;
        tray->setIcon(iconWithBattery(m_baseIcon, percent, charging));
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
