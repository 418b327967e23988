// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestbuttonfunctionmenu.h"

#include <initializer_list>

#include <QCoreApplication>
#include <QDebug>
#include <QSet>

#include "buttons/buttonassign.h"
#include "buttons/kestcombokeywindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestskin.h"
#include "platform/logging.h"

namespace {

constexpr int kMainMenuWidth = 160;
constexpr int kSubmenuWidth = 147;
constexpr uchar kMacroPage = 3;

// The top level's own entries come first; the catalogue holds every submenu's contents.
constexpr qint32 kClickFunctions[] = {FunLeft, FunRight, FunMiddle, FunForward, FunBack};

// The mouse keeps twelve macros; one slot cannot use more distinct ones.
constexpr int kMouseMacroSlots = 12;

bool runsMacro(const ButtonInfo &button) { return button.Fun == FunMacro || button.Fun == FunGunFile; }

// Whether binding `name` to `target` would make the slot use more macros than the mouse
// holds. Only the buttons the mouse receives count (the model's buttons and the wheel);
// the target's own present macro does not: it is being replaced.
bool exceedsMouseMacros(const ProfileRecord &profile, const ButtonInfo &target, const QString &name)
{
    const int sent = qBound(0, readButtonCount(), int(MATRIX_SIZE));
    QSet<QString> names;
    for (int i = 0; i < BUTTON_SLOTS; ++i) {
        const ButtonInfo &button = profile.BUTTON_INFO[size_t(i)];
        const bool onMouse = i < sent || i == BUTTON_SLOTS - 2 || i == BUTTON_SLOTS - 1;
        if (onMouse && &button != &target && runsMacro(button))
            names.insert(button.macroname);
    }
    return !names.contains(name) && names.size() >= kMouseMacroSlots;
}

template <class Codes>
void fillMenu(KestMenu *menu, const Codes &codes, const QHash<qint32, KestAction *> &actions)
{
    for (qint32 code : codes)
        menu->addAction(actions.value(code));
}

} // namespace

// The menus speak for the button list: their texts are translated under the list's name,
// spelled out at each call so that the translation tools find them.

KestButtonFunctionMenu::KestButtonFunctionMenu(QWidget *owner, double scale)
    : QObject(owner), m_owner(owner)
{
    for (const FunctionEntry &entry : functionCatalogue()) {
        if (!*entry.text)
            continue; // macro and gun file are labelled by their name
        auto *action = new KestAction(m_owner);
        connect(action, &QAction::triggered, this, [this, code = entry.code] { emit functionChosen(code); });
        m_actions.insert(entry.code, action);
    }
    auto *macroAction = new KestAction(m_owner);
    connect(macroAction, &QAction::triggered, this, [this] { emit functionChosen(FunMacro); });
    m_actions.insert(FunMacro, macroAction);

    m_mainMenu = makeMenu(kMainMenuWidth, scale);
    m_wheelMenu = makeMenu(kMainMenuWidth, scale);
    m_basicMenu = makeMenu(kSubmenuWidth, scale);
    m_windowsMenu = makeMenu(kSubmenuWidth, scale);
    m_advanceMenu = makeMenu(kSubmenuWidth, scale);
    m_mediaMenu = makeMenu(kSubmenuWidth, scale);
    m_dpiMenu = makeMenu(kSubmenuWidth, scale);
    m_rateMenu = makeMenu(kSubmenuWidth, scale);
    for (const auto &[menu, group] : submenus())
        fillMenu(menu, menuFunctions(group), m_actions);
}

std::array<std::pair<KestMenu *, FunctionGroup>, 6> KestButtonFunctionMenu::submenus() const
{
    // In the order the main menu shows them.
    return {{{m_basicMenu, FunctionGroup::Basic},
             {m_windowsMenu, FunctionGroup::Windows},
             {m_advanceMenu, FunctionGroup::Advance},
             {m_mediaMenu, FunctionGroup::Media},
             {m_dpiMenu, FunctionGroup::Dpi},
             {m_rateMenu, FunctionGroup::PollingRate}}};
}

KestMenu *KestButtonFunctionMenu::makeMenu(int designWidth, double scale)
{
    auto *menu = new KestMenu(m_owner);
    menu->setFixedWidth(int(scale * designWidth));
    return menu;
}

QAction *KestButtonFunctionMenu::functionAction(qint32 code) const
{
    return m_actions.value(code);
}

void KestButtonFunctionMenu::retranslate()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setText(it.key() == FunMacro ? QCoreApplication::translate("KestBtnWindow", "Macro Manager")
                                                 : functionText(it.key()));
    }
    for (const auto &[menu, group] : submenus())
        menu->setTitle(functionGroupTitle(group));

    const QFont font = languageFont();
    const QString style = menuStyleSheet();
    for (KestMenu *menu : {m_mainMenu, m_wheelMenu, m_basicMenu, m_windowsMenu, m_advanceMenu,
                           m_mediaMenu, m_dpiMenu, m_rateMenu}) {
        menu->setFont(font);
        menu->setStyleSheet(style);
    }
    rebuildMenu();
}

void KestButtonFunctionMenu::rebuildMenu()
{
    m_mainMenu->clear();
    fillMenu(m_mainMenu, kClickFunctions, m_actions);
    for (const auto &[menu, group] : submenus())
        m_mainMenu->addMenu(menu);
    if (!readDisableMacro())
        m_mainMenu->addAction(m_actions.value(FunMacro));
    // A model without lighting has nothing for a lighting switch to do.
    if (!readLedDisable())
        m_mainMenu->addAction(m_actions.value(FunLedSwitch));
    m_mainMenu->addAction(m_actions.value(FunButtonOff));

    m_wheelMenu->clear();
    fillMenu(m_wheelMenu, menuFunctions(FunctionGroup::Wheel), m_actions);
}

void KestButtonFunctionMenu::assign(ProfileRecord &profile, int slot, qint32 code)
{
    if (removesLastLeftClick(profile, slot, code)) {
        emit lastLeftClickRefused();
        return;
    }
    ButtonInfo &button = profile.BUTTON_INFO[slot];
    switch (code) {
    case FunMacro: chooseMacro(profile, button); break;
    case FunSingleKey: chooseSingleKey(button); break;
    case FunComboKey: chooseComboKey(button); break;
    case FunFireKey: chooseFireKey(button); break;
    default: assignPlainFunction(button, code); break;
    }
}

void KestButtonFunctionMenu::warn(const QString &text)
{
    KestMessageBox box(KestMessageBox::Warning, QString(), QCoreApplication::translate("KestBtnWindow", "Warning"),
                       text, m_owner);
    box.exec();
}

void KestButtonFunctionMenu::chooseMacro(const ProfileRecord &profile, ButtonInfo &button)
{
    if (countMacros() == 0) {
        emit macroPageWanted(kMacroPage);
        return;
    }
    const bool bound = button.Fun == FunMacro;
    KestMacroSelect dialog(QCoreApplication::translate("KestBtnWindow", "MACRO SELECT"),
                           bound ? button.macroname : QString(),
                           bound ? button.LoopNumber : 1, bound ? button.Res1 : 0, m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (exceedsMouseMacros(profile, button, dialog.macroName())) {
        warn(QCoreApplication::translate("KestBtnWindow",
                                         "The mouse holds twelve macros, and this profile already uses twelve."));
        return;
    }
    if (assignMacro(button, dialog.macroName(), dialog.loopCount(), dialog.loopMode())
        == MacroAssignResult::TooLong)
        warn(QCoreApplication::translate("KestBtnWindow",
                                         "THIS MACRO HAS MORE THAN %1 STEPS AND CANNOT BE ASSIGNED TO A BUTTON.")
                 .arg(KEY_STEPS));
}

void KestButtonFunctionMenu::chooseSingleKey(ButtonInfo &button)
{
    KestSingleKeyWindow dialog(m_owner);
    if (button.Fun == FunSingleKey)
        dialog.prefill(button.Res1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    qCDebug(lcUi, "%d", dialog.capturedKey());
    assignSingleKey(button, dialog.capturedKey());
}

void KestButtonFunctionMenu::chooseComboKey(ButtonInfo &button)
{
    KestComboKeyWindow dialog(m_owner);
    if (button.Fun == FunComboKey)
        dialog.prefill(button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    assignComboKey(button, dialog.comboKeys());
}

void KestButtonFunctionMenu::chooseFireKey(ButtonInfo &button)
{
    KestFireKeyWindow dialog(m_owner);
    if (button.Fun == FunFireKey)
        dialog.prefill(button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    assignFireKey(button, fireSource(dialog.mode(), dialog.capturedKey()), dialog.times(),
                  dialog.delay());
}
