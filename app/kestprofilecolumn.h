// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QObject>

#include "store/configrecord.h"

class QLineEdit;
class KestCanvas;
class KestLabel;
class KestMenu;
class KestMouseCore;
class KestProfileManager;
class KestPushButton;

// The profile column on the left of the main window: the five slot buttons with the
// pencil that names a slot's profile, the slot menu, the name of the current slot's
// profile with the library menu, the library's buttons, and the model and version at its
// foot. The library operations are the profile manager's; a slot chosen here is switched
// to by the window, which asks about unapplied edits first.
class KestProfileColumn final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlotButtons = SLOT_COUNT;

    KestProfileColumn(KestCanvas &canvas, KestMouseCore &core, KestProfileManager &profiles,
                      QObject *parent = nullptr);

    KestPushButton *slotButton(int slot) const { return m_slotButtons[size_t(slot)]; }
    KestPushButton *rulesButton() const { return m_rulesButton; }

    // The slot names and which slot is current, as the working set has them.
    void showSlots();
    // The library menu again, from the library's names.
    void refreshLibraryMenu();
    void retranslate();

signals:
    // A slot button or the slot menu chose this slot.
    void switchRequested(int slot);
    // The rules button: the per-program profiles dialog.
    void rulesRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onSlotClicked(int slot);
    void rebuildSlotMenu();

    KestMouseCore &m_core;
    KestProfileManager &m_profiles;

    KestLabel *m_profileLabel = nullptr;
    KestPushButton *m_slotMenuButton = nullptr;
    KestPushButton *m_rulesButton = nullptr;
    std::array<KestPushButton *, kSlotButtons> m_slotButtons{};
    // The slot button whose pencil the last click landed on.
    KestPushButton *m_pencilPressed = nullptr;
    KestMenu *m_slotMenu = nullptr;

    KestLabel *m_nameLabel = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    KestPushButton *m_libraryMenuButton = nullptr;
    KestMenu *m_libraryMenu = nullptr;
    KestPushButton *m_addButton = nullptr;
    KestPushButton *m_deleteButton = nullptr;
    KestPushButton *m_copyButton = nullptr;
    KestPushButton *m_resetButton = nullptr;
    KestPushButton *m_importButton = nullptr;
    KestPushButton *m_exportButton = nullptr;
    KestPushButton *m_resetAllButton = nullptr;
    KestPushButton *m_loadConfigButton = nullptr;
    KestPushButton *m_saveConfigButton = nullptr;

    KestLabel *m_modelLabel = nullptr;
    KestLabel *m_versionTitleLabel = nullptr;
    KestLabel *m_versionLabel = nullptr;
};
