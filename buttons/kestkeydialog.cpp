// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestkeydialog.h"

#include <QKeyEvent>
#include <QLabel>

#include "buttons/buttonassign.h"
#include "widgets/kestlabel.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 258;
constexpr int kKeyFontPixels = 18;
} // namespace

KestKeyDialog::KestKeyDialog(const QString &title, QWidget *parent)
    : KestSkinDialog(kDesignWidth, kDesignHeight, parent),
      m_capture([this](const platform::KeyHookEvent &event) {
          if (!isCapturing())
              return false;
          reportKey(translateHookKey(event.scanCode, event.flags), event.flags);
          return swallowsKeys();
      })
{
    setTitle(title);
    m_hintLabel = new KestLabel(this);
    m_hintLabel->setAlignment(Qt::AlignCenter);
    m_hintLabel->setFontSizeDecrement(1);
    QPalette grey = m_hintLabel->palette();
    grey.setColor(QPalette::WindowText, QColor(160, 160, 160));
    m_hintLabel->setPalette(grey);
    m_hintLabel->setGeometry(designRect(40, 66, kDesignWidth - 80, 26));
    m_hintLabel->hide();

    m_keyLabel = new QLabel(this);
    m_keyLabel->setAlignment(Qt::AlignCenter);
    m_keyLabel->setFont(languageFont(kKeyFontPixels));
    m_keyLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(255,255,255);background-color:rgb(30,30,30);"
                                             "border:1px solid %1;border-radius:%2px;}")
                                  .arg(themeColor().name())
                                  .arg(scaled(3)));
    m_keyLabel->setGeometry(designRect(40, 98, kDesignWidth - 80, 44));
    // The key field takes the focus away from entry fields when keys are to be captured.
    m_keyLabel->setFocusPolicy(Qt::StrongFocus);
    m_capture.install();
    updateOkButton();
}

void KestKeyDialog::accept()
{
    if (hasCapture())
        KestSkinDialog::accept();
}

void KestKeyDialog::updateOkButton()
{
    okButton()->setEnabledLook(hasCapture());
}

QString KestKeyDialog::keyText() const
{
    return m_keyLabel->text();
}

void KestKeyDialog::setHint(const QString &hint)
{
    m_hintLabel->setText(hint);
    m_hintLabel->setVisible(!hint.isEmpty());
}

bool KestKeyDialog::takeNewPair(quint32 code, quint32 flags)
{
    if (code == m_lastCode && flags == m_lastFlags)
        return false;
    m_lastCode = code;
    m_lastFlags = flags;
    return true;
}

void KestKeyDialog::showKey(KeyCode code)
{
    m_capturedKey = code;
    m_keyLabel->setText(keyDisplayName(code));
    updateOkButton();
}

void KestKeyDialog::setKeyText(const QString &text)
{
    m_keyLabel->setText(text);
}

void KestKeyDialog::clearCapturedKey()
{
    m_capturedKey = 0;
    m_keyLabel->clear();
    updateOkButton();
}

void KestKeyDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        KestSkinDialog::keyPressEvent(event);
    }
}
