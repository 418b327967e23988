// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestreportrate.h"

#include <QButtonGroup>
#include <QDebug>
#include <QRadioButton>
#include <QSignalBlocker>

#include "panels/panelstyle.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "platform/logging.h"

QString KestReportRate::rateText(quint8 code)
{
    const int hz = rateCodeToHz(code);
    return hz ? tr("%1 Hz").arg(hz) : QString();
}

KestReportRate::KestReportRate(const ProfileRecord &record, QWidget *parent)
    : KestPanel(parent),
      m_title(makePanelLabel(this, QString(), Qt::AlignCenter)),
      m_rateButton(new KestPushButton({skinPath(QStringLiteral("rate.png"))}, this)),
      m_menu(new KestMenu(this)),
      m_liftLabel(makePanelLabel(this, QString(), Qt::AlignCenter, 1)),
      m_liftGroup(new QButtonGroup(this)),
      m_oneMm(new QRadioButton(this)),
      m_twoMm(new QRadioButton(this))
{
    m_menu->setStyleSheet(menuStyleSheet());
    for (quint8 code : RATE_CODES) {
        auto *action = new KestAction(m_menu);
        m_actions << action;
        connect(action, &QAction::triggered, this, [this, code] { chooseRate(code); });
        m_menu->addAction(action);
    }
    m_rateButton->setMenu(m_menu);

    m_liftGroup->setExclusive(true);
    m_liftGroup->addButton(m_oneMm, 0);
    m_liftGroup->addButton(m_twoMm, 1);
    connect(m_liftGroup, &QButtonGroup::idClicked, this, &KestReportRate::onLiftClicked);
    // The mouse settings below the levels show the same lift-off choice; one place on the
    // page is enough. These stay, hidden, so the two keep agreeing.
    for (QWidget *lift : std::initializer_list<QWidget *>{m_liftLabel, m_oneMm, m_twoMm})
        lift->hide();

    relayout();
    retranslate();
    refresh(record, 2);
}

void KestReportRate::retranslate()
{
    m_title->setText(tr("REPORT RATE"));
    m_liftLabel->setText(tr("Lift off Distance"));
    m_oneMm->setText(tr("1 mm"));
    m_twoMm->setText(tr("2 mm"));
    for (int i = 0; i < m_actions.size(); ++i)
        m_actions[i]->setText(rateText(RATE_CODES[i]));
    if (!rateText(m_rate).isEmpty())
        m_rateButton->setText(rateText(m_rate));
}

void KestReportRate::refresh(const ProfileRecord &record, quint8 lift)
{
    m_rate = record.pollrate;
    const QString text = rateText(m_rate);
    if (!text.isEmpty())
        m_rateButton->setText(text);
    setLift(lift);
}

void KestReportRate::setLift(quint8 lift)
{
    // Anything but 1 mm is shown and kept as 2 mm.
    m_lift = lift == 1 ? 1 : 2;
    m_liftGroup->button(m_lift - 1)->setChecked(true);
}

void KestReportRate::relayout()
{
    placeScaled(m_title, 0, 10, 149, 24);
    placeScaled(m_rateButton, 15, 44, 120, 28);
    placeScaled(m_liftLabel, 0, 96, 149, 22);
    placeScaled(m_oneMm, 36, 126, 90, 22);
    placeScaled(m_twoMm, 36, 154, 90, 22);
    const QString style = radioStyle(themeColor());
    for (QRadioButton *radio : {m_oneMm, m_twoMm}) {
        restyle(radio, style);
        radio->setFont(languageFont(0, 1));
        radio->setFocusPolicy(Qt::TabFocus);
    }
}

void KestReportRate::applyTo(ProfileRecord &slot) const
{
    slot.pollrate = m_rate;
}

QString KestReportRate::rateButtonText() const
{
    return m_rateButton->text();
}

QRadioButton *KestReportRate::liftRadio(int id) const
{
    return qobject_cast<QRadioButton *>(m_liftGroup->button(id));
}

void KestReportRate::chooseRate(quint8 code)
{
    m_rate = code;
    m_rateButton->setText(rateText(code));
}

void KestReportRate::onLiftClicked()
{
    m_lift = static_cast<quint8>(m_liftGroup->checkedId() + 1);
    qCDebug(lcUi, "lift %d", m_lift);
    emit liftChanged(m_lift);
}
