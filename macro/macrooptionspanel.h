// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include "macro/macrorecorder.h"
#include "store/macrodb.h"

class QCheckBox;
class QWidget;
class KestLineEdit;

// The options of the macro on the page: how delays are recorded or inserted, the default
// delay, and how the macro repeats. The check boxes of each group exclude each other; the
// edits keep their last valid value, so an emptied edit saves what it held. The widgets
// are the page's children; the page places them.
class MacroOptionsPanel final : public QObject
{
    Q_OBJECT

public:
    explicit MacroOptionsPanel(QWidget *page);

    void setTexts();
    void applyStyle();
    void setEnabled(bool enabled);

    void show(const MacroSettings &settings);
    MacroSettings settings() const;
    DelayMode delayMode() const;
    int loopType() const; // 0 = once, 1..3 the loop box checked
    RecordOptions recordOptions() const;

    QCheckBox *recordDelayBox() const { return m_recordDelayBox; }
    QCheckBox *defaultDelayBox() const { return m_defaultDelayBox; }
    QCheckBox *loopBox(int loopType) const { return m_loopBoxes[loopType - 1]; }
    KestLineEdit *defaultDelayEdit() const { return m_defaultDelayEdit; }
    KestLineEdit *loopTimeEdit() const { return m_loopTimeEdit; }

public slots:
    void defaultDelayEdited(const QString &text);
    void loopTimeEdited(const QString &text);

private:
    void boxClicked(QCheckBox *clicked);

    QCheckBox *m_recordDelayBox;
    QCheckBox *m_defaultDelayBox;
    QCheckBox *m_loopBoxes[3] = {};
    KestLineEdit *m_defaultDelayEdit = nullptr;
    KestLineEdit *m_loopTimeEdit = nullptr;
    int m_defaultDelayMs = 10;
    int m_loopTime = 1;
};
