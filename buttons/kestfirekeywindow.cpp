// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestfirekeywindow.h"

#include <QButtonGroup>
#include <QCheckBox>

#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

namespace {

constexpr int kEntryMax = 255;
constexpr int kEntryChars = 3;

int entryValue(const KestLineEdit *edit, int fallback)
{
    const int value = edit->text().toInt();
    return value >= 1 ? qMin(value, kEntryMax) : fallback;
}

QString entryText(qint32 stored, int fallback)
{
    return QString::number(stored == 0 ? fallback : qBound(1, stored, kEntryMax));
}

} // namespace

KestFireKeyWindow::KestFireKeyWindow(QWidget *parent)
    : KestKeyDialog(tr("FireKey Setting"), parent)
{
    const QString boxStyle =
        dialogCheckBoxStyleSheet(QStringLiteral("checkbox1-1.png"), QStringLiteral("checkbox1-2.png"));

    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->setExclusive(true);
    const QString texts[] = {tr("Left"), tr("Right"), tr("Middle"), tr("Keyboard Key")};
    QList<QCheckBox *> boxes;
    int wanted = 0;
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(texts[i], this);
        box->setStyleSheet(boxStyle);
        box->setFont(languageFont());
        box->setFocusPolicy(Qt::NoFocus);
        wanted += box->sizeHint().width();
        boxes << box;
        m_modeGroup->addButton(box, i);
    }
    // The words differ in length with the language: the four share the row under the title
    // with equal gaps, each as wide as its word, rather than standing in fixed columns.
    const QRect row = designRect(30, 56, 340, 26);
    const int gap = qMax(scaled(6), (row.width() - wanted) / 3);
    int x = qMax(scaled(12), row.center().x() - (wanted + 3 * gap) / 2);
    for (QCheckBox *box : qAsConst(boxes)) {
        box->setGeometry(x, row.y(), box->sizeHint().width(), row.height());
        x += box->width() + gap;
    }
    m_modeGroup->button(0)->setChecked(true);
    connect(m_modeGroup, &QButtonGroup::idClicked, this,
            [this](int id) { setMode(FireMode(id)); });

    keyLabel()->setGeometry(designRect(40, 94, 320, 40));

    m_timesLabel = new KestLabel(tr("Times:"), this);
    m_delayLabel = new KestLabel(tr("Delay:"), this);
    m_timesEdit = new KestLineEdit(this);
    m_delayEdit = new KestLineEdit(this);
    m_timesLabel->setGeometry(designRect(40, 152, 60, 26));
    m_timesEdit->setGeometry(designRect(100, 152, 70, 26));
    m_delayLabel->setGeometry(designRect(220, 152, 60, 26));
    m_delayEdit->setGeometry(designRect(280, 152, 70, 26));
    for (KestLabel *label : {m_timesLabel, m_delayLabel}) {
        label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        label->setStyleSheet(lightTextStyleSheet());
    }
    for (KestLineEdit *edit : {m_timesEdit, m_delayEdit}) {
        edit->setMaxLength(kEntryChars);
        edit->setValidator(new MyIntValidator(1, kEntryMax, edit));
        edit->setStyleSheet(dialogEditStyleSheet());
        edit->setFont(languageFont());
        connect(edit, &QLineEdit::returnPressed, this, &KestFireKeyWindow::onReturnPressed);
    }
    m_timesEdit->setText(QString::number(kDefaultTimes));
    m_delayEdit->setText(QString::number(kDefaultDelay));
    placeButtons(204);
    updateOkButton();
}

QCheckBox *KestFireKeyWindow::modeBox(FireMode mode) const
{
    return static_cast<QCheckBox *>(m_modeGroup->button(int(mode)));
}

void KestFireKeyWindow::setMode(FireMode mode)
{
    m_mode = mode;
    modeBox(mode)->setChecked(true);
    if (mode == FireMode::Key) {
        // Typing into an entry field must not be taken for the key to fire.
        keyLabel()->setFocus();
    } else {
        clearCapturedKey();
    }
    updateOkButton();
}

void KestFireKeyWindow::prefill(const ButtonInfo &button)
{
    switch (button.Res1) {
    case 0:
    case FIRE_LEFT: setMode(FireMode::Left); break;
    case FIRE_RIGHT: setMode(FireMode::Right); break;
    case FIRE_MIDDLE: setMode(FireMode::Middle); break;
    default: {
        setMode(FireMode::Key);
        KeyCode code = 0;
        usageToKeyCode(button.Res1, code);
        showKey(code);
        break;
    }
    }
    m_timesEdit->setText(entryText(button.LoopNumber, kDefaultTimes));
    m_delayEdit->setText(entryText(button.KeyNumber, kDefaultDelay));
}

void KestFireKeyWindow::reportKey(quint32 code, quint32 flags)
{
    if (m_timesEdit->hasFocus() || m_delayEdit->hasFocus())
        return;
    if (m_skip) {
        m_skip = false; // the release of the Return that left an entry field
        return;
    }
    if (!takeNewPair(code, flags))
        return;
    showKey(KeyCode(code));
}

int KestFireKeyWindow::times() const
{
    return entryValue(m_timesEdit, kDefaultTimes);
}

int KestFireKeyWindow::delay() const
{
    return entryValue(m_delayEdit, kDefaultDelay);
}

void KestFireKeyWindow::onReturnPressed()
{
    // The Return's release reaches the capture after the focus has left the field.
    m_skip = isCapturing();
    keyLabel()->setFocus();
}

