// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrooptionspanel.h"

#include <algorithm>
#include <iterator>

#include <QCheckBox>
#include <QCoreApplication>

#include "widgets/kestlineedit.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

// The options are the macro page's: their texts are translated under the page's name.

MacroOptionsPanel::MacroOptionsPanel(QWidget *page)
    : QObject(page), m_recordDelayBox(new QCheckBox(page)), m_defaultDelayBox(new QCheckBox(page))
{
    for (QCheckBox *&box : m_loopBoxes)
        box = new QCheckBox(page);
    for (QCheckBox *box : {m_recordDelayBox, m_defaultDelayBox, m_loopBoxes[0], m_loopBoxes[1],
                           m_loopBoxes[2]}) {
        box->setFocusPolicy(Qt::TabFocus);
        connect(box, &QCheckBox::clicked, this, [this, box] { boxClicked(box); });
    }

    m_defaultDelayEdit = new KestLineEdit(page);
    m_defaultDelayEdit->setMaxLength(5);
    m_defaultDelayEdit->setValidator(new MyIntValidator(0, 65535, m_defaultDelayEdit));
    connect(m_defaultDelayEdit, &QLineEdit::textEdited, this, &MacroOptionsPanel::defaultDelayEdited);
    m_loopTimeEdit = new KestLineEdit(page);
    m_loopTimeEdit->setMaxLength(3);
    m_loopTimeEdit->setValidator(new MyIntValidator(1, 255, m_loopTimeEdit));
    connect(m_loopTimeEdit, &QLineEdit::textEdited, this, &MacroOptionsPanel::loopTimeEdited);
}

void MacroOptionsPanel::setTexts()
{
    m_recordDelayBox->setText(QCoreApplication::translate("MacroDialog", "RECORD DELAYS BETWEEN ACTION"));
    m_defaultDelayBox->setText(QCoreApplication::translate("MacroDialog", "INSERT DEFAULT DELAY"));
    m_loopBoxes[0]->setText(QCoreApplication::translate("MacroDialog", "LOOPS TIME(1-255)"));
    m_loopBoxes[1]->setText(QCoreApplication::translate("MacroDialog", "REPEAT RUN WHEN KEY DOWN"));
    m_loopBoxes[2]->setText(QCoreApplication::translate("MacroDialog", "REPEAT RUN UNTIL THE KEY DOWN"));
}

void MacroOptionsPanel::applyStyle()
{
    const int indicator = scaled(16);
    auto boxStyle = [&](const QString &off, const QString &on) {
        return QStringLiteral("QCheckBox{color:rgb(220,220,220);spacing:%1px;}"
                              "QCheckBox:disabled{color:rgb(110,110,110);}"
                              "QCheckBox::indicator{width:%2px;height:%2px;}"
                              "QCheckBox::indicator:unchecked{border-image:url(%3);}"
                              "QCheckBox::indicator:checked{border-image:url(%4);}")
            .arg(scaled(5)).arg(indicator).arg(skinPath(off), skinPath(on));
    };
    const QFont boxFont = languageFont(0, 1);
    for (QCheckBox *box : {m_recordDelayBox, m_defaultDelayBox}) {
        box->setStyleSheet(boxStyle(QStringLiteral("checkbox1-1.png"), QStringLiteral("checkbox1-2.png")));
        box->setFont(boxFont);
    }
    for (QCheckBox *box : m_loopBoxes) {
        box->setStyleSheet(boxStyle(QStringLiteral("checkbox2-1.png"), QStringLiteral("checkbox2-2.png")));
        box->setFont(boxFont);
    }
}

void MacroOptionsPanel::setEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_defaultDelayEdit, m_loopTimeEdit, m_recordDelayBox,
                                                       m_defaultDelayBox, m_loopBoxes[0], m_loopBoxes[1],
                                                       m_loopBoxes[2]})
        w->setEnabled(enabled);
}

void MacroOptionsPanel::show(const MacroSettings &settings)
{
    m_recordDelayBox->setChecked(settings.delayType == int(DelayMode::Recorded));
    m_defaultDelayBox->setChecked(settings.delayType == int(DelayMode::Default));
    m_defaultDelayMs = qBound(0, settings.defaultDelay, 65535);
    m_defaultDelayEdit->setText(QString::number(m_defaultDelayMs));
    for (int i = 0; i < 3; ++i)
        m_loopBoxes[i]->setChecked(settings.loopType == i + 1);
    m_loopTime = qBound(1, settings.loopTime, 255);
    m_loopTimeEdit->setText(QString::number(m_loopTime));
}

MacroSettings MacroOptionsPanel::settings() const
{
    MacroSettings settings;
    settings.defaultDelay = m_defaultDelayMs;
    settings.delayType = int(delayMode());
    settings.loopType = loopType();
    settings.loopTime = m_loopTime;
    return settings;
}

DelayMode MacroOptionsPanel::delayMode() const
{
    if (m_recordDelayBox->isChecked())
        return DelayMode::Recorded;
    if (m_defaultDelayBox->isChecked())
        return DelayMode::Default;
    return DelayMode::None;
}

int MacroOptionsPanel::loopType() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_loopBoxes[i]->isChecked())
            return i + 1;
    }
    return 0;
}

RecordOptions MacroOptionsPanel::recordOptions() const
{
    RecordOptions options;
    options.delayMode = delayMode();
    options.defaultDelayMs = m_defaultDelayMs;
    return options;
}

void MacroOptionsPanel::boxClicked(QCheckBox *clicked)
{
    if (!clicked->isChecked())
        return; // unchecking leaves no mode chosen
    // The delay modes exclude each other, and so do the loop types.
    if (clicked == m_recordDelayBox)
        m_defaultDelayBox->setChecked(false);
    else if (clicked == m_defaultDelayBox)
        m_recordDelayBox->setChecked(false);
    const bool loopBox = std::find(std::begin(m_loopBoxes), std::end(m_loopBoxes), clicked)
                         != std::end(m_loopBoxes);
    for (QCheckBox *box : m_loopBoxes) {
        if (loopBox && box != clicked)
            box->setChecked(false);
    }
}

void MacroOptionsPanel::defaultDelayEdited(const QString &text)
{
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (ok && ms >= 0 && ms <= 65535)
        m_defaultDelayMs = ms;
}

void MacroOptionsPanel::loopTimeEdited(const QString &text)
{
    bool ok = false;
    const int count = text.toInt(&ok);
    if (ok && count >= 1 && count <= 255)
        m_loopTime = count;
}
