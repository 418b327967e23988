// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestmacroselect.h"

#include <QButtonGroup>
#include <QCheckBox>

#include "store/macrodb.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

namespace {
constexpr int kDesignWidth = 478;
constexpr int kDesignHeight = 309;
constexpr int kLoopMax = 255;
constexpr int kModeCount = 3;
} // namespace

KestMacroSelect::KestMacroSelect(const QString &title, const QString &macroName, int loopCount,
                                 int loopMode, QWidget *parent)
    : KestSkinDialog(kDesignWidth, kDesignHeight, parent)
{
    setTitle(title);
    setButtonTexts(tr("OK"), tr("Cancel"));

    m_macroButton = new KestPushButton({skinPath(QStringLiteral("profile_edit_name_1.png")),
                                        skinPath(QStringLiteral("profile_edit_name_2.png"))},
                                       this);
    m_macroButton->setGeometry(designRect(129, 62, 220, 30));
    m_macroMenu = new KestMenu(m_macroButton);
    m_macroMenu->setStyleSheet(menuStyleSheet());
    m_macroMenu->setFixedWidth(scaled(220));
    for (const QString &name : readMacroList()) {
        if (name.isEmpty())
            continue;
        QAction *action = m_macroMenu->addAction(name);
        connect(action, &QAction::triggered, this, [this, name] { chooseMacro(name); });
    }
    m_macroButton->setMenu(m_macroMenu);
    // The arrow that marks the name field as a drop-down.
    auto *arrow = new KestPushButton({skinPath(QStringLiteral("profilesel.png"))}, this);
    arrow->setGeometry(designRect(355, 67, 20, 20));
    arrow->setFocusPolicy(Qt::NoFocus);
    connect(arrow, &QPushButton::clicked, m_macroButton, &QPushButton::showMenu);
    chooseMacro(macroName);

    const QString boxStyle =
        dialogCheckBoxStyleSheet(QStringLiteral("checkbox2-1.png"), QStringLiteral("checkbox2-2.png"));
    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->setExclusive(true);
    const QString texts[kModeCount] = {tr("LOOPS TIME(1-255)"), tr("REPEAT RUN WHEN KEY DOWN"),
                                       tr("REPEAT RUN UNTILL THE KEY DOWN")};
    for (int mode = 0; mode < kModeCount; ++mode) {
        auto *box = new QCheckBox(texts[mode], this);
        box->setStyleSheet(boxStyle);
        box->setFont(languageFont());
        box->setGeometry(designRect(70, 115 + 44 * mode, 300, 28));
        m_modeGroup->addButton(box, mode);
    }
    if (QAbstractButton *selected = m_modeGroup->button(loopMode))
        selected->setChecked(true);

    m_loopEdit = new KestLineEdit(this);
    m_loopEdit->setMaxLength(3);
    m_loopEdit->setValidator(new MyIntValidator(1, kLoopMax, m_loopEdit));
    m_loopEdit->setStyleSheet(dialogEditStyleSheet());
    m_loopEdit->setFont(languageFont());
    m_loopEdit->setGeometry(designRect(340, 115, 68, 28));
    m_loopEdit->setText(QString::number(qBound(1, loopCount, kLoopMax)));

    placeButtons(kDesignHeight - 52);
}

void KestMacroSelect::chooseMacro(const QString &name)
{
    m_macroName = name;
    m_macroButton->setText(name);
    // A button bound to no macro would do nothing at all: OK waits for a choice.
    okButton()->setEnabledLook(!name.isEmpty());
}

int KestMacroSelect::loopCount() const
{
    const int count = m_loopEdit->text().toInt();
    return count >= 1 ? qMin(count, kLoopMax) : 1;
}

int KestMacroSelect::loopMode() const
{
    const int mode = m_modeGroup->checkedId();
    return mode >= 0 ? mode : 0;
}

QCheckBox *KestMacroSelect::modeBox(int mode) const
{
    return static_cast<QCheckBox *>(m_modeGroup->button(mode));
}
