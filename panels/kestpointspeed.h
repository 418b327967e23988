// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVector>

#include "panels/kestpanel.h"
#include "store/configrecord.h"

class QCheckBox;
class QSpinBox;
class KestLabel;
class KestPushButton;
class KestSlider;

// Sensor options shared by all slots (sync, lift, angle snapping, jitter, key
// response), the scroll speed of the current slot, and the way to the desktop's own
// mouse settings. Keeps its own copies until the main window collects them at Apply.
class KestPointSpeed final : public KestPanel
{
    Q_OBJECT

public:
    explicit KestPointSpeed(const ProfileRecord &record, QWidget *parent = nullptr);

    // The slot or profile changed.
    void refresh(const ProfileRecord &record, quint8 sync, quint8 lift, quint8 angle,
                 quint8 jitter, quint8 keyResponse);
    void relayout() override;
    // The report-rate panel's lift radios changed: show the same value, without reporting.
    void setLift(quint8 lift);
    void retranslate() override;

    // Writes the five shared options into the working set and the pointer and scroll
    // speeds into its current slot (the slot the panel was refreshed with).
    void applyTo(ConfigRecord &working) const;

    const ProfileRecord &record() const { return m_record; }
    quint8 sync() const { return m_sync; }
    quint8 lift() const { return m_lift; }
    quint8 angle() const { return m_angle; }
    quint8 jitter() const { return m_jitter; }
    quint8 keyResponse() const { return m_keyResponse; }

    KestSlider *keyResponseSlider() const { return m_keySlider; }
    QSpinBox *scrollSpeedBox() const { return m_scrollBox; }
    KestPushButton *mouseSettingButton() const { return m_mouseSetting; }
    // Boxes by option: 0 sync, 1 lift, 2 angle snapping, 3 jitter; first = ON / 1mm.
    QCheckBox *optionBox(int option, bool first) const;

signals:
    // The lift boxes were clicked, so the report-rate panel can show the same value.
    void liftChanged(quint8 lift);

public slots:
    void setScrollSpeed(int value);
    void onOptionClicked();

private:
    struct OptionPair
    {
        const char *captionText; // untranslated, as marked with QT_TR_NOOP
        const char *firstText;
        const char *secondText;
        KestLabel *caption;
        QCheckBox *first;
        QCheckBox *second;
        quint8 firstValue;
        quint8 secondValue;
        quint8 *value;
    };

    void addPair(const char *caption, const char *first, const char *second, quint8 firstValue,
                 quint8 secondValue, quint8 *value);
    void showPairs();
    void openMouseSetting();

    ProfileRecord m_record;
    quint8 m_sync = 0;
    quint8 m_lift = 0;
    quint8 m_angle = 0;
    quint8 m_jitter = 0;
    quint8 m_keyResponse = 0;

    QVector<OptionPair> m_pairs;
    KestLabel *m_keyCaption;
    KestSlider *m_keySlider;
    KestLabel *m_keyValue;
    KestLabel *m_scrollCaption;
    QSpinBox *m_scrollBox;
    KestPushButton *m_mouseSetting;
};
