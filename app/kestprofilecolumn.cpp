// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestprofilecolumn.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMouseEvent>
#include <QUrl>

#include "app/kestcanvas.h"
#include "app/kestprofilemanager.h"
#include "core/kestmousecore.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {
constexpr QRect kSlotRect(40, 118, 190, 26); // first slot button; every 32 px
constexpr int kSlotStep = 32;
constexpr int kPencilWidth = 30; // design pixels at the slot button's right end
} // namespace

KestProfileColumn::KestProfileColumn(KestCanvas &canvas, KestMouseCore &core,
                                     KestProfileManager &profiles, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_profiles(profiles)
{
    QWidget *window = &canvas.window();
    // Slots: the label with the slot menu beside it, then one button per slot.
    m_profileLabel = new KestLabel(window);
    canvas.place(m_profileLabel, QRect(40, 88, 150, 24));
    m_slotMenuButton = canvas.button(KestCanvas::pictures({"profilesel.png"}), QRect(206, 90, 20, 20));
    m_rulesButton = canvas.textButton(QRect(136, 90, 64, 20));
    for (int slot = 0; slot < kSlotButtons; ++slot) {
        KestPushButton *button = canvas.button(
            KestCanvas::pictures({"profile_edit_name_1.png", "profile_edit_name_2.png",
                                  "profile_edit_name_2.png"}),
            kSlotRect.translated(0, slot * kSlotStep));
        button->installEventFilter(this); // a click on its pencil names the slot's profile
        connect(button, &QPushButton::clicked, this, [this, slot] { onSlotClicked(slot); });
        m_slotButtons[size_t(slot)] = button;
    }
    m_slotMenu = new KestMenu(window);
    connect(m_slotMenu, &QMenu::triggered, this,
            [this](QAction *action) { emit switchRequested(m_slotMenu->actions().indexOf(action)); });
    connect(m_slotMenuButton, &QPushButton::clicked, this, [this] {
        m_slotMenu->popup(m_slotMenuButton->mapToGlobal(QPoint(0, m_slotMenuButton->height())));
    });
    connect(m_rulesButton, &QPushButton::clicked, this, &KestProfileColumn::rulesRequested);

    // The profile of the current slot: its name and the library bar.
    m_nameLabel = new KestLabel(window);
    canvas.place(m_nameLabel, QRect(40, 286, 150, 22));
    m_nameEdit = new QLineEdit(window);
    m_nameEdit->setStyleSheet(
        QStringLiteral("QLineEdit{color:white;background:rgb(30,30,30);border:1px solid rgb(70,70,70);}"));
    m_nameEdit->setMaxLength(64);
    m_nameEdit->setFont(languageFont());
    canvas.place(m_nameEdit, QRect(40, 310, 162, 24));
    m_libraryMenuButton = canvas.button(KestCanvas::pictures({"profile_apply1.png"}), QRect(206, 310, 24, 24));
    const auto barButton = [&canvas](const char *normal, const char *hover, int x) {
        return canvas.button(KestCanvas::pictures({normal, hover}), QRect(x, 346, 24, 24));
    };
    m_addButton = barButton("profile_add1.png", "profile_add2.png", 40);
    m_deleteButton = barButton("profile_del1.png", "profile_del2.png", 73);
    m_copyButton = barButton("profile_copy1.png", "profile_copy2.png", 106);
    m_resetButton = barButton("profile_reset1.png", "profile_reset2.png", 139);
    m_importButton = barButton("profile_import1.png", "profile_import2.png", 172);
    m_exportButton = barButton("profile_export1.png", "profile_export2.png", 205);
    m_resetAllButton = canvas.textButton(QRect(40, 384, 190, 26));
    m_loadConfigButton = canvas.textButton(QRect(40, 418, 93, 26));
    m_saveConfigButton = canvas.textButton(QRect(137, 418, 93, 26));

    KestProfileManager *manager = &m_profiles;
    connect(m_addButton, &QPushButton::clicked, manager, &KestProfileManager::addProfile);
    connect(m_deleteButton, &QPushButton::clicked, manager, &KestProfileManager::deleteProfile);
    connect(m_copyButton, &QPushButton::clicked, manager, &KestProfileManager::copyProfile);
    connect(m_resetButton, &QPushButton::clicked, manager, &KestProfileManager::resetProfile);
    connect(m_resetAllButton, &QPushButton::clicked, manager, &KestProfileManager::resetAll);
    connect(m_importButton, &QPushButton::clicked, manager, &KestProfileManager::importProfile);
    connect(m_exportButton, &QPushButton::clicked, manager, &KestProfileManager::exportProfile);
    connect(m_loadConfigButton, &QPushButton::clicked, manager, &KestProfileManager::importConfig);
    connect(m_saveConfigButton, &QPushButton::clicked, manager, &KestProfileManager::exportConfig);
    connect(m_nameEdit, &QLineEdit::returnPressed, this,
            [this] { m_profiles.renameProfile(m_nameEdit->text().trimmed()); });
    m_libraryMenu = new KestMenu(window);
    connect(m_libraryMenu, &QMenu::triggered, this, [this](QAction *action) {
        if (action)
            m_profiles.assignProfile(action->text());
    });
    connect(m_libraryMenuButton, &QPushButton::clicked, this, [this] {
        refreshLibraryMenu();
        m_libraryMenu->popup(m_libraryMenuButton->mapToGlobal(QPoint(0, m_libraryMenuButton->height())));
    });

    // Model and version at the foot of the column.
    m_modelLabel = new KestLabel(window);
    canvas.place(m_modelLabel, QRect(40, 470, 190, 22));
    m_versionTitleLabel = new KestLabel(window);
    canvas.place(m_versionTitleLabel, QRect(40, 500, 70, 22));
    m_versionLabel = new KestLabel(window);
    m_versionLabel->setCursor(Qt::PointingHandCursor);
    m_versionLabel->installEventFilter(this);
    canvas.place(m_versionLabel, QRect(110, 500, 130, 22));
    // Captions in the light grey of the button texts, readable on the dark column.
    for (KestLabel *label : {m_profileLabel, m_nameLabel, m_modelLabel, m_versionTitleLabel,
                             m_versionLabel}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
        label->setPalette(palette);
    }
}

void KestProfileColumn::onSlotClicked(int slot)
{
    KestPushButton *button = m_slotButtons[size_t(slot)];
    const bool pencil = m_pencilPressed == button;
    m_pencilPressed = nullptr;
    emit switchRequested(slot);
    if (pencil && m_core.currentSlot() == slot)
        m_profiles.nameSlot();
}

bool KestProfileColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    // The pencil the slot buttons' picture shows at their right end. The release comes
    // before the click it makes, so the click knows where it landed.
    for (KestPushButton *slot : m_slotButtons) {
        if (watched != slot)
            continue;
        const QPoint at = static_cast<QMouseEvent *>(event)->pos();
        const bool onPencil = slot->rect().contains(at) && at.x() >= slot->width() - scaled(kPencilWidth);
        m_pencilPressed = onPencil ? slot : nullptr;
    }
    // The version label opens the product page when clicked.
    if (watched == m_versionLabel) {
        const QUrl url = QUrl(readDescriptionVersion(), QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty())
            QDesktopServices::openUrl(url);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void KestProfileColumn::showSlots()
{
    const int slot = m_core.currentSlot();
    const ConfigRecord &working = m_core.working();
    for (int k = 0; k < kSlotButtons; ++k) {
        KestPushButton *button = m_slotButtons[size_t(k)];
        button->setText(QStringLiteral("%1  %2").arg(k + 1).arg(working.names[k]));
        button->setSelected(k == slot);
        button->setToggled(k == slot);
    }
    m_nameEdit->setText(working.names[slot]);
    rebuildSlotMenu();
}

void KestProfileColumn::rebuildSlotMenu()
{
    m_slotMenu->clear();
    const int current = m_core.currentSlot();
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        auto *action = new KestAction(
            QCoreApplication::translate("MousecfgWidget", "Profile") + QStringLiteral(" %1: %2").arg(slot + 1).arg(m_core.working().names[slot]),
            m_slotMenu);
        action->setCheckable(true);
        action->setChecked(slot == current);
        m_slotMenu->addAction(action);
    }
}

void KestProfileColumn::refreshLibraryMenu()
{
    m_libraryMenu->setCheckableEntries(m_core.library(), m_core.working().names[m_core.currentSlot()]);
}

// The column's texts were the window's before it had parts, and keep its translations.
void KestProfileColumn::retranslate()
{
    m_resetButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "RESET"));
    m_addButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "ADD"));
    m_deleteButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "DELETE"));
    m_copyButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "COPY"));
    m_importButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "Load Profile File"));
    m_exportButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "Save Profile File"));
    m_resetAllButton->setText(QCoreApplication::translate("MousecfgWidget", "Reset All"));
    m_loadConfigButton->setText(QCoreApplication::translate("MousecfgWidget", "LOAD1"));
    m_saveConfigButton->setText(QCoreApplication::translate("MousecfgWidget", "SAVE"));
    m_profileLabel->setText(QCoreApplication::translate("MousecfgWidget", "Profile"));
    m_nameLabel->setText(QCoreApplication::translate("MousecfgWidget", "NAME"));
    m_modelLabel->setText(QCoreApplication::translate("MousecfgWidget", "Mode") + QStringLiteral(": ") + readModel());
    m_versionTitleLabel->setText(QCoreApplication::translate("MousecfgWidget", "Version"));
    m_versionLabel->setText(readDescriptionVersion());
    m_nameEdit->setToolTip(QCoreApplication::translate("MousecfgWidget", "Press Enter To Apply"));
    m_slotMenuButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "Profile"));
    m_libraryMenuButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "Profile"));
    m_rulesButton->setText(QCoreApplication::translate("MousecfgWidget", "Rules"));
    m_rulesButton->setToolTip(QCoreApplication::translate("MousecfgWidget", "Profiles by program"));
}
