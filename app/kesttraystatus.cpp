// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kesttraystatus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QTranslator>

#include "app/kestdesktopbridge.h"
#include "app/mousecfgwidget.h"
#include "core/kestmousecore.h"
#include "core/kestnotices.h"
#include "platform/autostart.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "widgets/kestmessagebox.h"
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
    m_autostartAction = m_menu->addAction(QString());
    m_autostartAction->setCheckable(true);
    // Triggered, not toggled: only the user's click writes; showing the state does not.
    connect(m_autostartAction, &QAction::triggered, this, &KestTrayStatus::setAutostart);
    connect(m_menu, &QMenu::aboutToShow, this, &KestTrayStatus::showAutostartState);
    showAutostartState();
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
    m_autostartAction->setText(tr("Start at login"));
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

void KestTrayStatus::offerSwitchesIn(QWidget *window)
{
    if (m_startTranslator) {
        QCoreApplication::removeTranslator(m_startTranslator);
        delete m_startTranslator;
        m_startTranslator = nullptr;
        emit languageChanged();
    }
    for (QAction *action : m_menu->actions()) {
        if (action->isCheckable() && !m_slotActions.contains(action))
            window->addAction(action);
    }
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void KestTrayStatus::useStoredLanguage()
{
    if (m_bridge->window() || m_startTranslator)
        return;
    const int index = readLanguage();
    const LanguageList languages = readLanguageList();
    if (index < 0 || index >= LANGUAGE_SLOTS || languages.files[size_t(index)].isEmpty())
        return;
    auto *translator = new QTranslator(this);
    const QString file = applicationDir() + QStringLiteral("/lang/") + languages.files[size_t(index)] + QStringLiteral(".qm");
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return;
    }
    m_startTranslator = translator;
    refresh();
    emit languageChanged();
}

void KestTrayStatus::showAutostartState()
{
    m_autostartAction->setChecked(platform::autostartEnabled());
}

void KestTrayStatus::setAutostart(bool enabled)
{
    // An installed copy is started by name, so the entry survives an upgrade that moves
    // nothing; a portable folder can only be started by its own path.
    const QString exeDir = QCoreApplication::applicationDirPath();
    const bool installed = QDir::cleanPath(applicationDirFor(exeDir)) != QDir::cleanPath(exeDir);
    const QString command = platform::autostartCommand(QCoreApplication::applicationFilePath(), installed);
    const platform::AutostartResult result = platform::setAutostartEnabled(enabled, command);
    showAutostartState();
    const QString path = QDir::toNativeSeparators(platform::autostartEntryPath());
    switch (result) {
    case platform::AutostartResult::Done:
        return;
    case platform::AutostartResult::NotARegularFile:
        tellAutostartRefused(tr("%1 is not a plain file, so it was left alone: starting at login was not changed.")
                                 .arg(path));
        return;
    case platform::AutostartResult::WriteFailed:
        tellAutostartRefused(enabled ? tr("%1 could not be written: starting at login was not changed.").arg(path)
                                     : tr("%1 could not be removed: starting at login was not changed.").arg(path));
        return;
    }
}

void KestTrayStatus::tellAutostartRefused(const QString &text)
{
    emit autostartRefused(text);
    // The answer goes where the click came from: the tray's own bubble, or a box over
    // the window whose context menu holds the switch when there is no tray.
    MousecfgWidget *window = m_bridge->window();
    if (window && window->isShownNormally() && !window->hasTray()) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Start at login"), text, window);
        box.exec();
        return;
    }
    m_tray->showMessage(tr("Start at login"), text, QSystemTrayIcon::Warning);
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
