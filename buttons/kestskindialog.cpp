// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestskindialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/kestlabel.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 26;
constexpr int kButtonSpacing = 24;
constexpr int kFrameWidth = 2;

QStringList tabButtonPictures()
{
    return {skinPath(QStringLiteral("tabbutton-1.png")), skinPath(QStringLiteral("tabbutton-3.png")),
            skinPath(QStringLiteral("tabbutton-2.png"))};
}

} // namespace

KestSkinDialog::KestSkinDialog(int designWidth, int designHeight, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_designWidth(designWidth)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(scaled(designWidth), scaled(designHeight));
    QPalette texts = palette();
    texts.setColor(QPalette::WindowText, Qt::white);
    setPalette(texts);
    m_background = skinPicture(skinPath(QStringLiteral("dlg.png")));

    m_titleLabel = new KestLabel(this);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    // The main window's style sheet hands its children the application's palette again,
    // so the palette above does not reach the labels of a dialog opened over it.
    m_titleLabel->setStyleSheet(lightTextStyleSheet());
    m_titleLabel->setGeometry(designRect(20, 10, designWidth - 40, 32));

    m_okButton = new KestPushButton(tabButtonPictures(), this);
    m_cancelButton = new KestPushButton(tabButtonPictures(), this);
    // The dialogs are closed with the mouse: keyboard focus on a button would let a
    // captured Space or Enter press it.
    for (KestPushButton *button : {m_okButton, m_cancelButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    setButtonTexts(tr("OK"), tr("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    placeButtons(designHeight - 50);
}

QString KestSkinDialog::title() const
{
    return m_titleLabel->text();
}

void KestSkinDialog::setTitle(const QString &title)
{
    m_titleLabel->setText(title);
    setWindowTitle(title);
}

void KestSkinDialog::setButtonTexts(const QString &ok, const QString &cancel)
{
    m_okButton->setText(ok);
    m_cancelButton->setText(cancel);
}

void KestSkinDialog::placeButtons(int designY)
{
    const int left = (m_designWidth - 2 * kButtonWidth - kButtonSpacing) / 2;
    m_okButton->setGeometry(designRect(left, designY, kButtonWidth, kButtonHeight));
    m_cancelButton->setGeometry(
        designRect(left + kButtonWidth + kButtonSpacing, designY, kButtonWidth, kButtonHeight));
}

QRect KestSkinDialog::designRect(int x, int y, int width, int height)
{
    return QRect(scaled(x), scaled(y), scaled(width), scaled(height));
}

void KestSkinDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(40, 40, 40));
    else
        painter.drawPixmap(rect(), m_background);
    painter.setPen(QPen(themeColor(), kFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0,
                                              -kFrameWidth / 2.0, -kFrameWidth / 2.0));
}

void KestSkinDialog::mousePressEvent(QMouseEvent *event)
{
    m_drag.press(this, event);
    QDialog::mousePressEvent(event);
}

void KestSkinDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_drag.move(this, event);
    QDialog::mouseMoveEvent(event);
}

void KestSkinDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_drag.release();
    QDialog::mouseReleaseEvent(event);
}

QString dialogEditStyleSheet()
{
    return QStringLiteral("QLineEdit{color:rgb(255,255,255);background-color:rgb(30,30,30);"
                          "border:1px solid %1;padding-left:4px;}")
        .arg(themeColor().name());
}

QString lightTextStyleSheet()
{
    return QStringLiteral("color:rgb(255,255,255);");
}

QString dialogCheckBoxStyleSheet(const QString &uncheckedPicture, const QString &checkedPicture)
{
    return QStringLiteral("QCheckBox{color:rgb(255,255,255);}"
                          "QCheckBox::indicator{width:%1px;height:%1px;}"
                          "QCheckBox::indicator:unchecked{border-image:url(%2);}"
                          "QCheckBox::indicator:checked{border-image:url(%3);}")
        .arg(scaled(18))
        .arg(skinPath(uncheckedPicture), skinPath(checkedPicture));
}
