// SPDX-License-Identifier: GPL-2.0-or-later
// The product, slot and language menus, and what choosing an entry does.

#include "app/mousecfgwidget.h"

#include "core/kestmousecore.h"

#include <QApplication>
#include <QLineEdit>
#include <QThread>

#include "device/writeconfig.h"
#include "buttons/keys/keytable.h"
#include "device/discovery.h"
#include "device/kestdeviceworker.h"
#include "platform/pointerspeed.h"
#include "store/profilefiles.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

void MousecfgWidget::buildProductMenu()
{
    if (!m_productMenu) {
        m_productMenu = new KestMenu(this);
        connect(m_productMenu, &QMenu::triggered, this, &MousecfgWidget::slot_show_mousename);
    }
    m_productMenu->clear();
    const QStringList models = m_core->refreshModels();
    for (const QString &model : models) {
        auto *action = new KestAction(model, m_productMenu);
        action->setCheckable(true);
        action->setChecked(model == m_core->productName());
        m_productMenu->addAction(action);
    }
    if (m_productButton)
        m_productButton->setText(m_core->productName());
}

void MousecfgWidget::slot_show_mousename(QAction *action)
{
    if (!action)
        return;
    m_core->chooseProduct(action->text());
    loadProductPictures();
    refreshExtraMarkers();
    buildProductMenu();
}

void MousecfgWidget::buildSlotMenu()
{
    if (!m_slotMenu) {
        m_slotMenu = new KestMenu(this);
        connect(m_slotMenu, &QMenu::triggered, this, [this](QAction *action) {
            switchToSlot(m_slotMenu->actions().indexOf(action));
        });
    }
    m_slotMenu->clear();
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        auto *action = new KestAction(
            tr("Profile") + QStringLiteral(" %1: %2").arg(slot + 1).arg(m_core->working().names[slot]),
            m_slotMenu);
        action->setCheckable(true);
        action->setChecked(slot == currentSlot());
        m_slotMenu->addAction(action);
    }
}

void MousecfgWidget::showSlot()
{
    const int slot = currentSlot();
    for (int k = 0; k < kSlotButtons; ++k) {
        if (!m_slotButtons[k])
            continue;
        m_slotButtons[k]->setText(QStringLiteral("%1  %2").arg(k + 1).arg(m_core->working().names[k]));
        m_slotButtons[k]->setSelected(k == slot);
        m_slotButtons[k]->setToggled(k == slot);
    }
    if (m_nameEdit)
        m_nameEdit->setText(m_core->working().names[slot]);
    buildSlotMenu();
    emit StateChangedSignal();
}

void MousecfgWidget::switchToSlot(int slot, EditsOnSwitch edits)
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return;
    // A switch asked for here settles the edits of the slot left first; a kept one leaves
    // them in the working set, still unapplied.
    if (edits == EditsOnSwitch::Ask && slot != currentSlot() && m_profiles && !m_profiles->settleUnappliedEdits())
        return;
    m_switchAskedHere = edits == EditsOnSwitch::Ask;
    m_ownSwitch = m_core->switchSlot(slot);
}

void MousecfgWidget::buildLanguageMenu()
{
    if (!m_languageMenu) {
        m_languageMenu = new KestMenu(this);
        connect(m_languageMenu, &QMenu::triggered, this, [this](QAction *action) {
            onLanguageChosen(action->data().toInt());
        });
    }
    m_languageMenu->clear();
    const int count = qBound(0, m_languages.count, int(LANGUAGE_SLOTS));
    for (int i = 0; i < count; ++i) {
        auto *action = new KestAction(m_languages.names[i], m_languageMenu);
        action->setData(i);
        m_languageMenu->addAction(action);
    }
}

bool MousecfgWidget::loadLanguage(int index)
{
    // Key names follow the language too: the French keyboard's names only where the
    // description says which language is French.
    setActiveKeyNameSet(keyNameSetFor(m_frenchLanguage, index));
    if (index < 0 || index >= LANGUAGE_SLOTS || m_languages.files[index].isEmpty())
        return false;
    const QString file = m_appDir + QStringLiteral("/lang/") + m_languages.files[index]
                         + QStringLiteral(".qm");
    if (m_translatorInstalled) {
        QCoreApplication::removeTranslator(&m_translator);
        m_translatorInstalled = false;
    }
    if (!m_translator.load(file))
        return false;
    m_translatorInstalled = QCoreApplication::installTranslator(&m_translator);
    return m_translatorInstalled;
}

void MousecfgWidget::onLanguageChosen(int index)
{
    if (index < 0 || index >= LANGUAGE_SLOTS)
        return;
    m_languageIndex = index;
    const KestFileResult saved = writeLanguage(index);
    m_languageButton->setText(m_languages.names[index]);
    // An entry without a file returns to the built-in English texts. The toolkit also
    // posts LanguageChange to the window; setting the texts now avoids a stale frame.
    loadLanguage(index);
    retranslate();
    update();
    if (!saved.isOk()) {
        // Shown in the language chosen: the next start would come up in the old one.
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"), saved.text(), this);
        box.exec();
    }
}
