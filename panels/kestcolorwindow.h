// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include "panels/kestpanel.h"
#include "store/configrecord.h"

class QCheckBox;
class QPushButton;
class KestAction;
class KestLabel;
class KestMenu;
class KestPushButton;
class KestSlider;

// The lighting of one slot: effect, brightness, speed, colour, sleep time and "move to
// light off". Every control edits the same slot, the one the main window hands over
// (see lightingSlot()); the panel keeps a copy until applyTo() at Apply.
class KestColorWindow final : public KestPanel
{
    Q_OBJECT

public:
    explicit KestColorWindow(QWidget *parent = nullptr);

    // The slot whose lighting the mouse shows: slot 0 for the KX-27, which keeps one
    // lighting for all slots; the active slot for every other model.
    static int lightingSlot(const ConfigRecord &working, const QString &product);

    // Hands the panel the lighting slot's record and its index; refreshes.
    void setProfile(const ProfileRecord &record, int slot);
    // Sets every control from the record (also after a language change).
    void refresh();
    void relayout() override;
    void retranslate() override;

    // Writes the lighting fields back into the slot the panel was handed.
    void applyTo(ConfigRecord &working) const;

    const ProfileRecord &record() const { return m_record; }
    int slot() const { return m_slot; }

    // Menu order: effects 1..11, then OFF.
    void chooseEffect(int effect);
    static QString effectName(int effect);

    QString effectButtonText() const;
    KestMenu *effectMenu() const { return m_menu; }
    KestSlider *brightnessSlider() const { return m_bright; }
    KestSlider *speedSlider() const { return m_speed; }
    KestSlider *sleepSlider() const { return m_sleep; }
    QPushButton *colorSwatch() const { return m_swatch; }
    QCheckBox *moveOffBox() const { return m_moveOff; }
    QString sleepText() const;
    bool brightnessShown() const;
    bool speedShown() const;
    bool colorShown() const;

signals:
    // The effect, its colour, brightness or speed changed, by the user or a refresh.
    void lightingChanged();

public slots:
    void setEffectColor(const QColor &color);
    void chooseColor();
    void onMoveOffClicked();

private:
    void onSliderChanged(int value);
    void showEffect();
    void showSwatch();
    LedModeInfo &activeEffect();

    ProfileRecord m_record;
    int m_slot = 0;
    bool m_showSleep = true;

    KestLabel *m_effectCaption;
    KestPushButton *m_effectButton;
    KestMenu *m_menu;
    std::array<KestAction *, 12> m_actions{};
    KestLabel *m_brightCaption;
    KestSlider *m_bright;
    KestLabel *m_speedCaption;
    KestSlider *m_speed;
    KestLabel *m_colorCaption;
    QPushButton *m_swatch;
    KestLabel *m_sleepCaption;
    KestSlider *m_sleep;
    KestLabel *m_sleepValue;
    QCheckBox *m_moveOff;
};
