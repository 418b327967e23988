// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestnamedialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/kestskin.h"

namespace {
constexpr int kDesignWidth = 360;
constexpr int kMaxNameLength = 64; // as the name line edit of the window

QString buttonStyle()
{
    return QStringLiteral("QPushButton{background-color:rgb(0,0,0);color:rgb(255,255,255);"
                          "border-radius:3px;border:1px solid rgb(90,90,90);padding:3px 16px;}"
                          "QPushButton:default{border-color:%1;}"
                          "QPushButton:hover,QPushButton:focus{background-color:rgb(40,40,40);}"
                          "QPushButton:disabled{color:rgb(100,100,100);}")
        .arg(themeColor().name(QColor::HexRgb));
}
} // namespace

KestNameDialog::KestNameDialog(const QString &title, const QString &prompt,
                               const QString &suggestion, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_edit(new QLineEdit(suggestion, this)),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this))
{
    setModal(true);
    setWindowTitle(title);
    const QString textStyle = QStringLiteral("color:rgb(255,255,255);background:transparent;");
    auto *titleLabel = new QLabel(title, this);
    QFont bold = languageFont(14);
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setStyleSheet(textStyle);
    auto *promptLabel = new QLabel(prompt, this);
    promptLabel->setFont(languageFont(14));
    promptLabel->setStyleSheet(textStyle);
    promptLabel->setWordWrap(true);
    promptLabel->setBuddy(m_edit);

    m_edit->setMaxLength(kMaxNameLength);
    m_edit->setFont(languageFont(14));
    m_edit->setStyleSheet(QStringLiteral("QLineEdit{color:white;background:rgb(30,30,30);"
                                         "border:1px solid rgb(70,70,70);padding:2px 4px;"
                                         "selection-background-color:%1;selection-color:white;}"
                                         "QLineEdit:focus{border-color:%1;}")
                              .arg(themeColor().name(QColor::HexRgb)));
    m_edit->selectAll();
    for (QPushButton *button : {m_ok, m_cancel}) {
        button->setFont(languageFont(14));
        button->setStyleSheet(buttonStyle());
        button->setAutoDefault(false);
    }
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::textChanged, this,
            [this] { m_ok->setEnabled(!name().isEmpty()); });
    m_ok->setEnabled(!name().isEmpty());

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(scaled(16), scaled(12), scaled(16), scaled(16));
    column->setSpacing(scaled(10));
    column->addWidget(titleLabel);
    column->addWidget(promptLabel);
    column->addWidget(m_edit);
    column->addLayout(buttons);
    setMinimumWidth(scaled(kDesignWidth));
    // Reading order: the name, then OK, then Cancel.
    setTabOrder(m_edit, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_edit->setFocus();
}

QString KestNameDialog::name() const
{
    return m_edit->text().trimmed();
}

QString KestNameDialog::ask(const QString &title, const QString &prompt, const QString &suggestion,
                            QWidget *parent)
{
    KestNameDialog dialog(title, prompt, suggestion, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.name() : QString();
}

void KestNameDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(32, 34, 36));
    painter.setPen(QPen(themeColor(), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
