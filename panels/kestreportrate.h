// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVector>

#include "panels/kestpanel.h"
#include "store/configrecord.h"

class QButtonGroup;
class QRadioButton;
class KestAction;
class KestLabel;
class KestMenu;
class KestPushButton;

// Report rate of the current slot, and the lift-off distance shared by all slots.
// The rate lives in the panel until Apply; the lift goes to the main window at once
// through liftChanged.
class KestReportRate final : public KestPanel
{
    Q_OBJECT

public:
    explicit KestReportRate(const ProfileRecord &record, QWidget *parent = nullptr);

    // The slot or profile changed, or the mouse reported another rate.
    void refresh(const ProfileRecord &record, quint8 lift);
    // The other lift control changed: show the same value, without reporting it.
    void setLift(quint8 lift);
    void relayout() override;
    void retranslate() override;

    // Writes the rate code into the slot the panel shows (the current slot of the
    // working set). A code the menu does not know is written back as it came.
    void applyTo(ProfileRecord &slot) const;

    quint8 pollrate() const { return m_rate; }
    quint8 lift() const { return m_lift; }
    QString rateButtonText() const;
    KestMenu *rateMenu() const { return m_menu; }
    QRadioButton *liftRadio(int id) const;

    // "125 Hz" for 8, "250 Hz" for 4, "500 Hz" for 2, "1000 Hz" for 1; empty otherwise.
    static QString rateText(quint8 code);

signals:
    void liftChanged(quint8 lift);

public slots:
    void onLiftClicked();

private:
    void chooseRate(quint8 code);

    quint8 m_rate = 0;
    quint8 m_lift = 2;
    KestLabel *m_title;
    KestPushButton *m_rateButton;
    KestMenu *m_menu;
    QVector<KestAction *> m_actions; // in the order of RATE_CODES
    KestLabel *m_liftLabel;
    QButtonGroup *m_liftGroup;
    QRadioButton *m_oneMm;
    QRadioButton *m_twoMm;
};
