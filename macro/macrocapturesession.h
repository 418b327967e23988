// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "macro/macrorecorder.h"

class MacroStepEditor;

namespace platform {
class KeyCapture;
struct KeyHookEvent;
}

// What the keyboard does to the macro on the page: while recording, every key becomes
// steps at the record row; while editing a key, a key replaces the key of the selected
// step. The page starts and ends both and shows the keys as they come.
class MacroCaptureSession final : public QObject
{
    Q_OBJECT

public:
    explicit MacroCaptureSession(MacroStepEditor *editor, QObject *parent = nullptr);
    ~MacroCaptureSession() override;

    bool isRecording() const { return m_recording; }
    bool isEditingKey() const { return m_editingKey; }

    // The recorded steps go in from insertRow on.
    void beginRecording(int insertRow);
    // Ends a recording or a key edit; the steps taken stay.
    void end();
    void setEditingKey(bool on);

    // The keyboard capture's input; true = swallowed.
    bool handleKeyEvent(const platform::KeyHookEvent &event);

signals:
    // A key went into the macro.
    void keyTaken(const QString &keyName);

private:
    void recordKey(const platform::KeyHookEvent &event);
    void editKey(const platform::KeyHookEvent &event);

    MacroStepEditor *m_editor;
    platform::KeyCapture *m_capture;
    MacroRecorder m_recorder;
    QElapsedTimer m_clock;
    bool m_recording = false;
    int m_recordRow = 0; // where the next recorded rows go
    bool m_editingKey = false;
    // A held key repeats its event: the edit takes each key once.
    quint32 m_lastEditCode = 0;
    quint32 m_lastEditFlags = 0;
};
