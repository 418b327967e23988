// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "buttons/kestskindialog.h"
#include "buttons/keys/keytable.h"
#include "platform/keycapture.h"

class QLabel;
class KestLabel;

// A dialog that captures keys from the keyboard while it exists. Every key event of the
// application is turned into a key code (translateHookKey) and reported to the dialog
// with its hook flags; the dialog names the key in its key field.
class KestKeyDialog : public KestSkinDialog
{
    Q_OBJECT

public:
    KestKeyDialog(const QString &title, QWidget *parent = nullptr);

    // The key code last captured (0 when none).
    KeyCode capturedKey() const { return m_capturedKey; }
    // What the key field shows.
    QString keyText() const;

    // One key event, as the capture reports it: the translated key code and the hook
    // flags. Repeats of the same (code, flags) pair are ignored.
    virtual void reportKey(quint32 code, quint32 flags) = 0;

    // OK stores what was captured: with nothing captured it stays disabled and does nothing.
    void accept() override;

protected:
    // Whether there is something OK could store; updateOkButton() follows it.
    virtual bool hasCapture() const { return m_capturedKey != 0; }
    void updateOkButton();

    // Whether events are reported at all right now.
    virtual bool isCapturing() const { return m_active; }
    // Whether a reported event is kept from the widgets.
    virtual bool swallowsKeys() const { return false; }

    // Stores the pair; false when it repeats the last one.
    bool takeNewPair(quint32 code, quint32 flags);
    void showKey(KeyCode code);
    void setKeyText(const QString &text);
    void clearCapturedKey();
    QLabel *keyLabel() const { return m_keyLabel; }
    // A line above the key field that tells what to do; empty hides it.
    void setHint(const QString &hint);

    // Escape and Enter are keys to capture here, not ways to close the dialog.
    void keyPressEvent(QKeyEvent *event) override;

    bool m_active = true;

private:
    platform::KeyCapture m_capture;
    QLabel *m_keyLabel = nullptr;
    KestLabel *m_hintLabel = nullptr;
    quint32 m_lastCode = ~0u;
    quint32 m_lastFlags = ~0u;
    KeyCode m_capturedKey = 0;
};
