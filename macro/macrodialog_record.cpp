// SPDX-License-Identifier: GPL-2.0-or-later
// Recording from the keyboard and editing a step's key.

#include "macro/macrodialog.h"

#include <QDebug>
#include <QTableView>

#include "buttons/keys/keytable.h"
#include "platform/keycapture.h"
#include "widgets/kestlabel.h"
#include "widgets/kestpushbutton.h"
#include "platform/logging.h"

void MacroDialog::startRecording()
{
    if (m_recording) {
        stopRecording();
        return;
    }
    // A recording replaces the macro's steps.
    m_table.clear();
    beginRecording(0);
}

void MacroDialog::recordAfter()
{
    if (m_recording)
        return;
    // Like START, but the new steps go in after the selected row and the rest stays.
    const int row = currentRow();
    beginRecording(row < 0 ? m_table.rowCount() : row + 1);
}

void MacroDialog::beginRecording(int insertRow)
{
    if (m_currentName.isEmpty())
        return;
    if (m_editingKey)
        toggleKeyEdit();
    m_recording = true;
    m_recordRow = insertRow;
    m_recorder.begin();
    m_clock.start();
    button("START")->setText(tr("STOP"));
    m_keyLabel->clear();
    updateControls();
    emit EnableButtonsSignal(false);
    m_capture->install();
}

void MacroDialog::stopRecording()
{
    if (!m_recording)
        return;
    endCapture();
    button("START")->setText(tr("START"));
    m_keyLabel->clear();
    updateControls();
    emit EnableButtonsSignal(true);
    if (hasUnreleasedKeys(m_table.steps()))
        warn(tr("Warning"), tr("ONE OR MORE KEYS HAS NOT BEEN RELEASED."));
    // The recording is kept as it is, unmatched presses included.
    saveCurrentMacro();
}

void MacroDialog::endCapture()
{
    m_capture->uninstall();
    m_recording = false;
    m_editingKey = false;
}

bool MacroDialog::handleKeyEvent(const platform::KeyHookEvent &event)
{
    // Only keys typed into this program are seen here, so passing them on would only
    // let them press the page's own buttons: while capturing, they are the macro's.
    if (m_recording) {
        recordKey(event);
        return true;
    }
    if (m_editingKey) {
        editKey(event);
        return true;
    }
    return false;
}

void MacroDialog::recordKey(const platform::KeyHookEvent &event)
{
    const RecordedKey key = recordedKey(event);
    qCDebug(lcUi, "OnHookKey ret %d %d %d", int(key.code), int(event.flags), int(key.down));
    RecordOptions options;
    options.delayMode = delayMode();
    options.defaultDelayMs = m_defaultDelayMs;
    options.minDelay = m_minDelay;
    const MacroSteps rows =
        m_recorder.keyEvent(key.code, key.down, m_clock.elapsed(), m_table.rowCount(), options);
    if (rows.isEmpty())
        return;
    m_table.insertSteps(m_recordRow, rows);
    m_recordRow += rows.size();
    SelectRow(m_recordRow - 1);
    m_keyLabel->setText(keyName(key.code));
}

void MacroDialog::toggleKeyEdit()
{
    if (m_recording)
        return;
    m_editingKey = !m_editingKey;
    m_lastEditCode = 0;
    m_lastEditFlags = 0;
    if (m_editingKey) {
        m_keyLabel->setText(tr("PRESS A KEY"));
        m_capture->install();
    } else {
        m_keyLabel->clear();
        m_capture->uninstall();
    }
    updateControls();
}

void MacroDialog::editKey(const platform::KeyHookEvent &event)
{
    const RecordedKey key = recordedKey(event);
    if (key.code == m_lastEditCode && event.flags == m_lastEditFlags)
        return;
    m_lastEditCode = key.code;
    m_lastEditFlags = event.flags;
    const int row = currentRow();
    MacroAction step = m_table.step(row);
    if (row < 0 || (step.map != MACRO_KEY_DOWN && step.map != MACRO_KEY_UP))
        return;
    quint8 usage = 0;
    keyCodeToUsage(key.code, usage);
    step.low = usage;
    m_table.setStep(row, step);
    m_keyLabel->setText(keyName(key.code));
}
