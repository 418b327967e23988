// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestmessagebox.h"

#include <utility>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/kestskin.h"

namespace {
constexpr int kPollMs = 100;
constexpr int kIconSide = 45;
constexpr int kTextPixels = 14;
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 200;

std::function<bool()> &connectionProbe()
{
    static std::function<bool()> probe;
    return probe;
}

QString buttonStyle()
{
    return QStringLiteral("QToolButton{background-color:rgb(0,0,0);color:rgb(255,255,255);"
                          "border-radius:3px;border:1px outset %1;padding:2px 14px;}"
                          "QToolButton:hover{background-color:rgb(30,30,30);}"
                          "QToolButton:pressed{border-style:inset;}")
        .arg(themeColor().name(QColor::HexRgb));
}

// The language's own face, so a message reads like the rest of the window; only the title
// is bold.
QFont boxFont(bool bold = false)
{
    QFont font = languageFont(kTextPixels);
    font.setBold(bold);
    return font;
}
} // namespace

KestMessageBox::KestMessageBox(int kind, const QString &extraText, const QString &title,
                               const QString &message, QWidget *parent, bool pollForDevice,
                               Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::FramelessWindowHint), m_kind(kind)
{
    Q_UNUSED(extraText)
    m_background = skinPicture(skinPath(QStringLiteral("dlg.png")));
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    buildContents(title, message);

    if (pollForDevice) {
        m_pollTimer = new QTimer(this);
        m_pollTimer->setInterval(kPollMs);
        connect(m_pollTimer, &QTimer::timeout, this, &KestMessageBox::checkArrival);
        m_pollTimer->start();
    }
}

void KestMessageBox::setConnectionProbe(std::function<bool()> probe)
{
    connectionProbe() = std::move(probe);
}

void KestMessageBox::buildContents(const QString &title, const QString &message)
{
    const QString iconName = m_kind == Disconnected ? QStringLiteral("dongle2.png")
                                                    : QStringLiteral("warn.png");
    const int iconSide = scaled(kIconSide);
    m_iconLabel = new QLabel(this);
    m_iconLabel->setFixedSize(iconSide, iconSide);
    const QPixmap icon(skinPath(iconName));
    if (!icon.isNull())
        m_iconLabel->setPixmap(icon.scaled(iconSide, iconSide, Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation));

    const QString textStyle = QStringLiteral("color:rgb(255,255,255);background:transparent;");
    m_titleLabel = new QLabel(title, this);
    m_titleLabel->setObjectName(QStringLiteral("msgBoxInfoLabel1"));
    m_titleLabel->setFont(boxFont(true));
    m_titleLabel->setStyleSheet(textStyle);

    m_messageLabel = new QLabel(message, this);
    m_messageLabel->setObjectName(QStringLiteral("msgBoxInfoLabel2"));
    m_messageLabel->setFont(boxFont());
    m_messageLabel->setStyleSheet(textStyle);
    m_messageLabel->setWordWrap(true);

    m_yesButton = new QToolButton(this);
    m_yesButton->setObjectName(QStringLiteral("msgBoxYesBtn"));
    m_yesButton->setText(m_kind == Question ? tr("Yes") : m_kind == Choice ? tr("Apply") : tr("OK"));
    m_yesButton->setFont(boxFont());
    m_yesButton->setStyleSheet(buttonStyle());
    m_yesButton->setIcon(QIcon(QStringLiteral(":/yes_Btn")));
    m_yesButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_yesButton, &QToolButton::released, this, &QDialog::accept);

    if (m_kind == Choice) {
        m_discardButton = new QToolButton(this);
        m_discardButton->setObjectName(QStringLiteral("msgBoxDiscardBtn"));
        m_discardButton->setText(tr("Discard"));
        m_discardButton->setFont(boxFont());
        m_discardButton->setStyleSheet(buttonStyle());
        connect(m_discardButton, &QToolButton::released, this, [this] { done(DiscardChosen); });
    }
    if (m_kind == Question || m_kind == Choice) {
        m_noButton = new QToolButton(this);
        m_noButton->setObjectName(QStringLiteral("msgBoxNoBtn"));
        m_noButton->setText(m_kind == Choice ? tr("Cancel") : tr("No"));
        m_noButton->setFont(boxFont());
        m_noButton->setStyleSheet(buttonStyle());
        m_noButton->setIcon(QIcon(QStringLiteral(":/no_Btn")));
        m_noButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        connect(m_noButton, &QToolButton::released, this, &QDialog::reject);
    }

    const int gap = scaled(30);
    auto *messageRow = new QHBoxLayout;
    messageRow->addSpacing(gap);
    messageRow->addWidget(m_iconLabel);
    messageRow->addSpacing(gap);
    messageRow->addWidget(m_messageLabel, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_yesButton);
    if (m_discardButton) {
        buttonRow->addStretch();
        buttonRow->addWidget(m_discardButton);
    }
    if (m_noButton) {
        buttonRow->addStretch();
        buttonRow->addWidget(m_noButton);
    }
    buttonRow->addStretch();

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(scaled(16), scaled(12), scaled(16), scaled(16));
    column->addWidget(m_titleLabel);
    column->addStretch();
    column->addLayout(messageRow);
    column->addStretch();
    column->addLayout(buttonRow);

    setMinimumSize(scaled(kDesignWidth), scaled(kDesignHeight));
}

void KestMessageBox::checkArrival()
{
    const std::function<bool()> &probe = connectionProbe();
    if (!probe || !probe())
        return;
    m_closedByArrival = true;
    if (m_pollTimer)
        m_pollTimer->stop();
    accept();
}

void KestMessageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_background.isNull())
        painter.drawPixmap(rect(), m_background);
    else
        painter.fillRect(rect(), QColor(32, 34, 36));
    painter.setPen(QPen(themeColor(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void KestMessageBox::keyPressEvent(QKeyEvent *event)
{
    // The buttons are tool buttons, which a dialog never makes default: Enter presses the
    // button that has the focus, else the first one. Escape rejects: No, Cancel or Ok.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            auto *focused = qobject_cast<QToolButton *>(focusWidget());
            (focused ? focused : m_yesButton)->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}
