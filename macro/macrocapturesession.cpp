// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrocapturesession.h"

#include <QDebug>

#include "buttons/keys/keytable.h"
#include "macro/macrostepeditor.h"
#include "platform/keycapture.h"
#include "platform/logging.h"

MacroCaptureSession::MacroCaptureSession(MacroStepEditor *editor, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_capture(new platform::KeyCapture(
          [this](const platform::KeyHookEvent &event) { return handleKeyEvent(event); }, this))
{
}

MacroCaptureSession::~MacroCaptureSession()
{
    m_capture->uninstall();
}

void MacroCaptureSession::beginRecording(int insertRow)
{
    m_recording = true;
    m_recordRow = insertRow;
    m_recorder.begin();
    m_clock.start();
    m_capture->install();
}

void MacroCaptureSession::end()
{
    m_capture->uninstall();
    m_recording = false;
    m_editingKey = false;
}

void MacroCaptureSession::setEditingKey(bool on)
{
    m_editingKey = on;
    m_lastEditCode = 0;
    m_lastEditFlags = 0;
    if (on)
        m_capture->install();
    else
        m_capture->uninstall();
}

bool MacroCaptureSession::handleKeyEvent(const platform::KeyHookEvent &event)
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

void MacroCaptureSession::recordKey(const platform::KeyHookEvent &event)
{
    const RecordedKey key = recordedKey(event);
    qCDebug(lcUi, "recordKey %d %d %d", int(key.code), int(event.flags), int(key.down));
    MacroStepTable &table = m_editor->table();
    const MacroSteps rows =
        m_recorder.keyEvent(key.code, key.down, m_clock.elapsed(), table.rowCount(), m_editor->options());
    if (rows.isEmpty())
        return;
    table.insertSteps(m_recordRow, rows);
    m_recordRow += rows.size();
    m_editor->selectRow(m_recordRow - 1);
    emit keyTaken(keyName(key.code));
}

void MacroCaptureSession::editKey(const platform::KeyHookEvent &event)
{
    const RecordedKey key = recordedKey(event);
    if (key.code == m_lastEditCode && event.flags == m_lastEditFlags)
        return;
    m_lastEditCode = key.code;
    m_lastEditFlags = event.flags;
    const int row = m_editor->currentRow();
    MacroAction step = m_editor->table().step(row);
    if (row < 0 || (step.map != MACRO_KEY_DOWN && step.map != MACRO_KEY_UP))
        return;
    quint8 usage = 0;
    keyCodeToUsage(key.code, usage);
    step.low = usage;
    m_editor->table().setStep(row, step);
    emit keyTaken(keyName(key.code));
}
