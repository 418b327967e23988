// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <utility>

#include <QHash>
#include <QObject>

#include "buttons/keys/functioncatalogue.h"
#include "store/configrecord.h"

class QAction;
class QWidget;
class KestAction;
class KestMenu;

// The function menus of the button list (one for the buttons, one for the wheel) with
// their entries, and what choosing an entry does to a button of a profile: the plain
// functions are written at once, keys and macros are asked for in a dialog first.
class KestButtonFunctionMenu final : public QObject
{
    Q_OBJECT

public:
    // The menus, as wide as the scale makes them, and the dialogs open over owner.
    KestButtonFunctionMenu(QWidget *owner, double scale);

    KestMenu *mainMenu() const { return m_mainMenu; }
    KestMenu *wheelMenu() const { return m_wheelMenu; }
    // The menu entry of a function code (FunMacro: "Macro Manager"); null when none.
    QAction *functionAction(qint32 code) const;

    // Texts, font and style in the current language and skin; rebuilds the main menu.
    void retranslate();
    // The main menu's entries follow the model: macros and lighting only where it has them.
    void rebuildMenu();

    // Writes the function into the profile's button at slot, asking what it needs.
    void assign(ProfileRecord &profile, int slot, qint32 code);

signals:
    void functionChosen(qint32 code);
    // The change would leave no button with the left click; nothing was changed.
    void lastLeftClickRefused();
    // A macro was chosen but none exists yet: the macro page should open.
    void macroPageWanted(uchar page);

private:
    KestMenu *makeMenu(int designWidth, double scale);
    std::array<std::pair<KestMenu *, FunctionGroup>, 6> submenus() const;
    void chooseMacro(const ProfileRecord &profile, ButtonInfo &button);
    void chooseSingleKey(ButtonInfo &button);
    void chooseComboKey(ButtonInfo &button);
    void chooseFireKey(ButtonInfo &button);
    void warn(const QString &text);

    QWidget *m_owner;
    KestMenu *m_mainMenu = nullptr;
    KestMenu *m_wheelMenu = nullptr;
    KestMenu *m_basicMenu = nullptr;
    KestMenu *m_windowsMenu = nullptr;
    KestMenu *m_advanceMenu = nullptr;
    KestMenu *m_mediaMenu = nullptr;
    KestMenu *m_dpiMenu = nullptr;
    KestMenu *m_rateMenu = nullptr;
    QHash<qint32, KestAction *> m_actions;
};
