// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/kestgunsetdialog.h"

#include <QBitmap>
#include <QPainter>
#include <QSpinBox>

#include "store/profilefiles.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "platform/windowsystem.h"

namespace {
// Design canvas of the form, the size of "dlg_gun.png".
constexpr int kWidth = 560;
constexpr int kHeight = 340;
constexpr int kNameLength = 100;
// The shot pictures: the slider and one bullet per shot, 66 apart.
constexpr int kSliderX = 150;
constexpr int kShotX = 163;
constexpr int kShotStep = 66;
constexpr int kShotY = 141;
constexpr int kBulletWidth = 9;
constexpr int kBulletHeight = 39;
constexpr int kSliderWidth = 300;
constexpr int kSpinWidth = 58;
constexpr int kRowHeight = 24;
constexpr int kDelayRowY = 198;
constexpr int kHorizontalRowY = 228;
constexpr int kVerticalRowY = 258;
} // namespace

KestGunsetDialog::KestGunsetDialog(double scale, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_scale(scale > 0 ? scale : 1.0)
    , m_background(skinPath(QStringLiteral("dlg_gun.png")))
    , m_slider(skinPath(QStringLiteral("gunset_slider.png")))
    , m_bullet(skinPath(QStringLiteral("gunset_bullet.png")))
{
    setWindowTitle(tr("Gun Set"));
    setModal(true);
    setFixedSize(px(kWidth), px(kHeight));
    // The outline comes from the picture's alpha; a mask only where a compositor may be
    // missing (X11), since Wayland fills masked-out corners white.
    setAttribute(Qt::WA_TranslucentBackground);
    if (!m_background.isNull() && !platform::onWayland())
        setMask(m_background.scaled(size()).mask());

    const QString accent = themeColor().name(QColor::HexRgb);
    setStyleSheet(QStringLiteral(
        "QLineEdit,QSpinBox{background-color:rgb(30,30,34);color:white;"
        "border:1px solid rgb(80,80,86);border-radius:%1px;}"
        "QLineEdit:focus,QSpinBox:focus{border:1px solid %2;}")
                      .arg(px(2)).arg(accent));

    auto *title = new KestLabel(tr("GUN SET"), this);
    title->setFixedFontSize(16);
    title->setStyleSheet(QStringLiteral("color:%1;").arg(accent));
    placeLabel(title, 24, 14, 300, 28);

    placeLabel(new KestLabel(tr("GUNFILE NAME"), this), 24, 62, 120, kRowHeight);
    m_nameEdit = new KestLineEdit(this);
    m_nameEdit->setMaxLength(kNameLength);
    m_nameEdit->setFont(languageFont());
    m_nameEdit->setGeometry(px(kSliderX), px(62), px(kSliderWidth), px(kRowHeight));

    placeLabel(new KestLabel(tr("BULLETS"), this), 24, kShotY + 8, 120, kRowHeight);
    placeLabel(new KestLabel(tr("DELAY(MS)"), this), 24, kDelayRowY, 120, kRowHeight);
    placeLabel(new KestLabel(tr("HORIZONTAL"), this), 24, kHorizontalRowY, 120, kRowHeight);
    placeLabel(new KestLabel(tr("VERTICAL"), this), 24, kVerticalRowY, 120, kRowHeight);

    for (int shot = 0; shot < kGunShotCount; ++shot) {
        // Each column of spin boxes stands under its bullet.
        const int x = kShotX + kShotStep * shot + kBulletWidth / 2 - kSpinWidth / 2;
        m_delay << makeSpin(1, 999, 100, x, kDelayRowY);
        m_horizontal << makeSpin(-100, 100, 0, x, kHorizontalRowY);
        m_vertical << makeSpin(-100, 100, 0, x, kVerticalRowY);
    }

    const QStringList pictures{skinPath(QStringLiteral("tabbutton-1.png")),
                               skinPath(QStringLiteral("tabbutton-3.png")),
                               skinPath(QStringLiteral("tabbutton-2.png"))};
    auto *yes = new KestPushButton(pictures, this);
    yes->setText(tr("OK"));
    yes->setGeometry(px(322), px(298), px(100), px(26));
    connect(yes, &QPushButton::clicked, this, &KestGunsetDialog::confirm);
    auto *no = new KestPushButton(pictures, this);
    no->setText(tr("Cancel"));
    no->setGeometry(px(432), px(298), px(100), px(26));
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

QSpinBox *KestGunsetDialog::makeSpin(int minimum, int maximum, int value, int x, int y)
{
    auto *spin = new QSpinBox(this);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignCenter);
    // The skin has no arrow pictures: values are typed, stepped with the arrow keys or
    // rolled with the wheel.
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setFont(languageFont(0, 1));
    spin->setGeometry(px(x), px(y), px(kSpinWidth), px(kRowHeight));
    return spin;
}

void KestGunsetDialog::placeLabel(KestLabel *label, int x, int y, int width, int height)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (label->styleSheet().isEmpty())
        label->setStyleSheet(QStringLiteral("color:rgb(220,220,220);"));
    label->setGeometry(px(x), px(y), px(width), px(height));
}

void KestGunsetDialog::confirm()
{
    if (m_nameEdit->text().isEmpty()) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                           tr("Please input file name."), this);
        box.exec();
        return;
    }
    // The name becomes a file name: refuse it here, while the form can still be fixed.
    if (!isValidStoreName(m_nameEdit->text())) {
        KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                           tr("This name cannot be used for a macro file."), this);
        box.exec();
        return;
    }
    QVector<GunShot> shots;
    for (int shot = 0; shot < kGunShotCount; ++shot)
        shots.append({m_delay.at(shot)->value(), m_horizontal.at(shot)->value(),
                      m_vertical.at(shot)->value()});
    m_steps = gunsetSteps(shots);
    m_name = m_nameEdit->text();
    accept();
}

void KestGunsetDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(28, 28, 30));
    else
        painter.drawPixmap(rect(), m_background);
    if (!m_slider.isNull())
        painter.drawPixmap(QRect(px(kSliderX), px(kShotY), px(kSliderWidth), px(kBulletHeight)), m_slider);
    for (int shot = 0; shot < kGunShotCount; ++shot) {
        const QRect bullet(px(kShotX + kShotStep * shot), px(kShotY), px(kBulletWidth), px(kBulletHeight));
        if (!m_bullet.isNull())
            painter.drawPixmap(bullet, m_bullet);
    }
}
