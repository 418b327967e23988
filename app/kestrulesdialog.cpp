// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestrulesdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "core/kestfocusswitcher.h"
#include "store/configrecord.h"
#include "widgets/kestlabel.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

constexpr int kDesignWidth = 520;
constexpr int kDesignHeight = 470;

QStringList tabPictures()
{
    return {skinPath(QStringLiteral("tabbutton-1.png")), skinPath(QStringLiteral("tabbutton-3.png")),
            skinPath(QStringLiteral("tabbutton-2.png"))};
}

QString fieldStyle()
{
    const QString accent = themeColor().name();
    return QStringLiteral("QComboBox,QListWidget{color:rgb(255,255,255);background-color:rgb(30,30,30);"
                          "border:1px solid %1;padding-left:4px;}"
                          "QComboBox QAbstractItemView{color:rgb(255,255,255);background-color:rgb(30,30,30);"
                          "selection-background-color:%1;}"
                          "QListWidget::item:selected{background-color:%1;}"
                          "QLabel{color:rgb(200,200,200);}")
        .arg(accent);
}

} // namespace

KestRulesDialog::KestRulesDialog(KestFocusSwitcher *switcher, const QStringList &slotNames, QWidget *parent)
    : KestSkinDialog(kDesignWidth, kDesignHeight, parent)
    , m_switcher(switcher)
    , m_rules(switcher->rules())
    , m_slotNames(slotNames)
{
    setTitle(tr("Profiles by program"));
    setButtonTexts(tr("OK"), tr("Cancel"));
    setStyleSheet(fieldStyle());
    const QFont font = languageFont();

    m_enabled = new QCheckBox(tr("Switch the profile with the program in front"), this);
    m_enabled->setStyleSheet(
        dialogCheckBoxStyleSheet(QStringLiteral("checkbox1-1.png"), QStringLiteral("checkbox1-2.png")));
    m_enabled->setFont(font);
    m_enabled->setGeometry(designRect(30, 72, 460, 28));
    m_enabled->setChecked(m_rules.enabled);
    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) { m_rules.enabled = on; });

    m_list = new QListWidget(this);
    m_list->setFont(font);
    m_list->setGeometry(designRect(30, 106, 460, 128));

    // A program in front now, or a class or executable name typed in.
    m_program = new QComboBox(this);
    m_program->setEditable(true);
    m_program->setFont(font);
    m_program->lineEdit()->setFont(font);
    m_program->setGeometry(designRect(30, 244, 200, 28));
    m_program->lineEdit()->setPlaceholderText(tr("Window class or program"));
    QStringList offered;
    if (platform::FocusWatch *watch = switcher->watch()) {
        for (const platform::FocusWindow &window : watch->openWindows()) {
            if (window.pid == QCoreApplication::applicationPid())
                continue;
            const QString name = !window.className.isEmpty() ? window.className : window.executable;
            if (name.isEmpty() || offered.contains(name, Qt::CaseInsensitive))
                continue;
            offered << name;
            const QString shown = window.executable.isEmpty() || window.executable == name
                                      ? name
                                      : tr("%1 (%2)").arg(name, window.executable);
            m_program->addItem(shown, name);
        }
    }
    m_program->setCurrentIndex(-1);
    m_program->setEditText(QString());

    m_slot = new QComboBox(this);
    m_slot->setFont(font);
    m_slot->setGeometry(designRect(238, 244, 120, 28));
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        m_slot->addItem(slotText(slot), slot);

    m_add = new KestPushButton(tabPictures(), this);
    m_add->setText(tr("Add"));
    m_add->setGeometry(designRect(366, 244, 60, 28));
    connect(m_add, &QPushButton::clicked, this, &KestRulesDialog::addRule);
    m_remove = new KestPushButton(tabPictures(), this);
    m_remove->setText(tr("Remove"));
    m_remove->setGeometry(designRect(430, 244, 60, 28));
    connect(m_remove, &QPushButton::clicked, this, &KestRulesDialog::removeSelected);

    auto *defaultLabel = new QLabel(tr("Every other program:"), this);
    defaultLabel->setFont(font);
    defaultLabel->setGeometry(designRect(30, 288, 200, 28));
    m_default = new QComboBox(this);
    m_default->setFont(font);
    m_default->setGeometry(designRect(238, 288, 252, 28));
    m_default->addItem(tr("Leave the profile as it is"), int(KestFocusRules::NoSlot));
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        m_default->addItem(slotText(slot), slot);
    m_default->setCurrentIndex(m_default->findData(m_rules.defaultSlot));
    connect(m_default, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { m_rules.setDefaultSlot(m_default->currentData().toInt()); });

    m_note = new QLabel(sessionNote(switcher->watch() != nullptr, qgetenv("XDG_SESSION_TYPE"),
                                    qgetenv("XDG_CURRENT_DESKTOP")),
                        this);
    m_note->setFont(languageFont(0, 2));
    m_note->setWordWrap(true);
    m_note->setGeometry(designRect(30, 326, 460, 80));

    connect(okButton(), &QPushButton::clicked, this, [this] { m_switcher->setRules(m_rules); });
    placeButtons(kDesignHeight - 52);
    showRules();
}

QString KestRulesDialog::sessionNote(bool haveWatch, const QByteArray &sessionType, const QByteArray &desktop)
{
    if (!haveWatch)
        return tr("This session does not tell which program is in front: the rules are kept, but the "
                  "profile does not follow the focus.");
    if (sessionType == "wayland" && !desktop.toUpper().split(':').contains("KDE"))
        return tr("On this Wayland desktop only programs that run through XWayland (most games do) are "
                  "seen; native Wayland windows are not.");
    return tr("A program is known by its window class or by the name of its executable. The profile "
              "changes once a program has stayed in front for a moment.");
}

QString KestRulesDialog::slotText(int slot) const
{
    // A slot that still has its built-in name is not named twice.
    const QString name = m_slotNames.value(slot);
    const QString plain = tr("Profile %1").arg(slot + 1);
    if (name.isEmpty() || name == QStringLiteral("Profile %1").arg(slot + 1) || name == plain)
        return plain;
    return tr("Profile %1: %2").arg(slot + 1).arg(name);
}

void KestRulesDialog::showRules()
{
    m_list->clear();
    for (const FocusRule &rule : qAsConst(m_rules.rules)) {
        auto *item = new QListWidgetItem(tr("%1 → %2").arg(rule.program, slotText(rule.slot)), m_list);
        item->setData(Qt::UserRole, rule.program);
    }
}

void KestRulesDialog::addRule()
{
    // A program picked from the list stands for its class; typed text is taken as it is.
    QString program = m_program->currentText().trimmed();
    const int picked = m_program->findText(m_program->currentText());
    if (picked >= 0)
        program = m_program->itemData(picked).toString();
    if (!m_rules.setRule(program, m_slot->currentData().toInt()))
        return;
    showRules();
    m_program->setEditText(QString());
}

void KestRulesDialog::removeSelected()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    m_rules.removeRule(item->data(Qt::UserRole).toString());
    showRules();
}
