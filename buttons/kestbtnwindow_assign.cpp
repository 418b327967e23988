// SPDX-License-Identifier: GPL-2.0-or-later
// The function menus of the button window and what choosing an entry does.
#include "buttons/kestbtnwindow.h"

#include <initializer_list>

#include <QDebug>
#include <QSet>

#include "buttons/buttonassign.h"
#include "buttons/kestcombokeywindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "buttons/keys/functioncatalogue.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
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

std::array<std::pair<KestMenu *, FunctionGroup>, 6> KestBtnWindow::submenus() const
{
    // In the order the main menu shows them.
    return {{{m_basicMenu, FunctionGroup::Basic},
             {m_windowsMenu, FunctionGroup::Windows},
             {m_advanceMenu, FunctionGroup::Advance},
             {m_mediaMenu, FunctionGroup::Media},
             {m_dpiMenu, FunctionGroup::Dpi},
             {m_rateMenu, FunctionGroup::PollingRate}}};
}

KestMenu *KestBtnWindow::makeMenu(int designWidth)
{
    auto *menu = new KestMenu(this);
    menu->setFixedWidth(int(m_scale * designWidth));
    return menu;
}

void KestBtnWindow::createMenus()
{
    for (const FunctionEntry &entry : functionCatalogue()) {
        if (!*entry.text)
            continue; // macro and gun file are labelled by their name
        auto *action = new KestAction(this);
        connect(action, &QAction::triggered, this, [this, code = entry.code] { onFunctionChosen(code); });
        m_actions.insert(entry.code, action);
    }
    auto *macroAction = new KestAction(this);
    connect(macroAction, &QAction::triggered, this, [this] { onFunctionChosen(FunMacro); });
    m_actions.insert(FunMacro, macroAction);

    m_mainMenu = makeMenu(kMainMenuWidth);
    m_wheelMenu = makeMenu(kMainMenuWidth);
    m_basicMenu = makeMenu(kSubmenuWidth);
    m_windowsMenu = makeMenu(kSubmenuWidth);
    m_advanceMenu = makeMenu(kSubmenuWidth);
    m_mediaMenu = makeMenu(kSubmenuWidth);
    m_dpiMenu = makeMenu(kSubmenuWidth);
    m_rateMenu = makeMenu(kSubmenuWidth);
    for (const auto &[menu, group] : submenus())
        fillMenu(menu, menuFunctions(group), m_actions);

    m_mainMenu->installEventFilter(this);
    m_wheelMenu->installEventFilter(this);
}

QAction *KestBtnWindow::functionAction(qint32 code) const
{
    return m_actions.value(code);
}

void KestBtnWindow::retranslate()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setText(it.key() == FunMacro ? tr("Macro Manager") : functionText(it.key()));
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
    refreshLabels();
}

void KestBtnWindow::rebuildMenu()
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

void KestBtnWindow::onFunctionChosen(qint32 code)
{
    const int slot = selectedSlot();
    if (slot < 0 || !m_profile)
        return;
    KestPushButton *selected = m_labels[slot];
    emit SelBtnControl(selected, true);
    assignFunction(slot, code);
    showLabel(slot);
    emit SelBtnControl(selected, false);
    clearSelection();
}

void KestBtnWindow::assignFunction(int slot, qint32 code)
{
    if (removesLastLeftClick(*m_profile, slot, code)) {
        emit PopOneClickBox();
        return;
    }
    ButtonInfo &button = m_profile->BUTTON_INFO[slot];
    switch (code) {
    case FunMacro: chooseMacro(button); break;
    case FunSingleKey: chooseSingleKey(button); break;
    case FunComboKey: chooseComboKey(button); break;
    case FunFireKey: chooseFireKey(button); break;
    default: assignPlainFunction(button, code); break;
    }
}

void KestBtnWindow::chooseMacro(ButtonInfo &button)
{
    if (countMacros() == 0) {
        emit GotoMacroTab(kMacroPage);
        return;
    }
    const bool bound = button.Fun == FunMacro;
    KestMacroSelect dialog(tr("MACRO SELECT"), bound ? button.macroname : QString(),
                           bound ? button.LoopNumber : 1, bound ? button.Res1 : 0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (exceedsMouseMacros(*m_profile, button, dialog.macroName())) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                           tr("The mouse holds twelve macros, and this profile already uses twelve."), this);
        box.exec();
        return;
    }
    if (assignMacro(button, dialog.macroName(), dialog.loopCount(), dialog.loopMode())
        == MacroAssignResult::TooLong) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                           tr("THIS MACRO HAS MORE THAN %1 STEPS AND CANNOT BE ASSIGNED TO A BUTTON.")
                               .arg(KEY_STEPS),
                           this);
        box.exec();
    }
}

void KestBtnWindow::chooseSingleKey(ButtonInfo &button)
{
    KestSingleKeyWindow dialog(this);
    if (button.Fun == FunSingleKey)
        dialog.prefill(button.Res1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    qCDebug(lcUi, "%d", dialog.capturedKey());
    assignSingleKey(button, dialog.capturedKey());
}

void KestBtnWindow::chooseComboKey(ButtonInfo &button)
{
    KestComboKeyWindow dialog(this);
    if (button.Fun == FunComboKey)
        dialog.prefill(button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    assignComboKey(button, dialog.comboKeys());
}

void KestBtnWindow::chooseFireKey(ButtonInfo &button)
{
    KestFireKeyWindow dialog(this);
    if (button.Fun == FunFireKey)
        dialog.prefill(button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    assignFireKey(button, fireSource(dialog.mode(), dialog.capturedKey()), dialog.times(),
                  dialog.delay());
}
