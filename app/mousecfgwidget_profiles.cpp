// SPDX-License-Identifier: GPL-2.0-or-later
// The window as host of the profile operations: the profile bar's buttons, the library
// menu and the refreshes the operations ask for.

#include "app/mousecfgwidget.h"

#include <QLineEdit>

#include "core/kestmousecore.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"

void MousecfgWidget::connectProfileBar()
{
    m_profiles = new KestProfileManager(*this, this);
    KestProfileManager *manager = m_profiles;
    connect(m_addButton, &QPushButton::clicked, manager, &KestProfileManager::addProfile);
    connect(m_deleteButton, &QPushButton::clicked, manager, &KestProfileManager::deleteProfile);
    connect(m_copyButton, &QPushButton::clicked, manager, &KestProfileManager::copyProfile);
    connect(m_resetButton, &QPushButton::clicked, manager, &KestProfileManager::resetProfile);
    connect(m_resetAllButton, &QPushButton::clicked, manager, &KestProfileManager::resetAll);
    connect(m_importButton, &QPushButton::clicked, manager, &KestProfileManager::importProfile);
    connect(m_exportButton, &QPushButton::clicked, manager, &KestProfileManager::exportProfile);
    connect(m_loadConfigButton, &QPushButton::clicked, manager, &KestProfileManager::importConfig);
    connect(m_saveConfigButton, &QPushButton::clicked, manager, &KestProfileManager::exportConfig);
    connect(m_applyButton, &QPushButton::clicked, manager, &KestProfileManager::apply);
    connect(m_okButton, &QPushButton::clicked, manager, &KestProfileManager::ok);
    connect(m_cancelButton, &QPushButton::clicked, manager, &KestProfileManager::cancel);
    connect(manager, &KestProfileManager::hideRequested, this, &MousecfgWidget::putAway);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &MousecfgWidget::slotProfileNameChange);
    connect(m_profileMenuButton, &QPushButton::clicked, this, [this] {
        buildLibraryMenu();
        m_libraryMenu->popup(
            m_profileMenuButton->mapToGlobal(QPoint(0, m_profileMenuButton->height())));
    });
}

void MousecfgWidget::buildLibraryMenu()
{
    if (!m_libraryMenu) {
        m_libraryMenu = new KestMenu(this);
        connect(m_libraryMenu, &QMenu::triggered, this, &MousecfgWidget::slot_show_profilename);
    }
    m_libraryMenu->clear();
    const QString current = m_core->working().names[currentSlot()];
    for (int i = 0; i < m_core->library().size(); ++i) {
        auto *action = new KestAction(m_core->library().at(i), m_libraryMenu);
        action->setCheckable(true);
        action->setChecked(m_core->library().at(i) == current);
        m_libraryMenu->addAction(action);
    }
}

void MousecfgWidget::slot_show_profilename(QAction *action)
{
    if (action)
        m_profiles->assignProfile(action->text());
}

void MousecfgWidget::slotProfileNameChange()
{
    m_profiles->renameProfile(m_nameEdit->text().trimmed());
}

void MousecfgWidget::collectPanelValues()
{
    // The panels edit copies: what they show is what Apply writes.
    m_core->collect();
}

void MousecfgWidget::refreshProfileView(int what)
{
    if (what & ShowLighting) {
        showPage(m_ledDisable ? CustomizePage : LightingPage);
        refreshExtraMarkers();
    }
    if (what & RefreshPanels)
        refreshPanels();
    if (what & RefreshNames) {
        showSlot();
        if (m_libraryMenu)
            buildLibraryMenu();
    }
}
