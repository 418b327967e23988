// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestmouseview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>

#include "app/kestcanvas.h"
#include "core/kestmousecore.h"
#include "panels/kestlightpreview.h"
#include "store/configrecord.h"
#include "store/devicedescription.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestrgbcolor.h"
#include "widgets/kestskin.h"
#include "widgets/kestskinnames.h"

namespace {

// The mouse picture of the lighting and customize pages, on the design canvas. The
// panels of both pages start at y = 342, so the 300 x 400 picture is shown at the
// height that fits above them; markers follow the same reduction.
constexpr QRect kMousePictureRect(517, 76, 200, 266);
constexpr double kPictureReduction = 266.0 / kMousePictureHeight;

// A button the view's picture cannot show has no marker there.
bool hiddenInView(int view, int marker)
{
    return view == KestMouseView::SideView && marker < kMouseButtonPictures
           && kSideButtonAnchors[marker].x < 0;
}

} // namespace

KestMouseView::KestMouseView(KestCanvas &canvas, KestMouseCore &core, QObject *parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_core(core)
{
    const int buttonCount = readButtonCount();
    m_shownMarkers = buttonCount > 0 ? qMin(buttonCount, int(kMarkersPerView)) : kMouseButtonPictures;
    m_preview = new KestLightPreview(this);
    connect(m_preview, &KestLightPreview::frameChanged, this, [this](const QPixmap &frame) {
        if (m_picture && m_lightingPage)
            m_picture->setPixmap(frame);
    });

    m_picture = new QLabel(&canvas.window());
    m_picture->setAlignment(Qt::AlignCenter);
    canvas.place(m_picture, kMousePictureRect);
    m_picture->lower();

    for (int view : {FrontView, SideView}) {
        m_viewButtons[size_t(view)] = canvas.textButton(QRect(300, view == FrontView ? 88 : 116, 96, 22));
        connect(m_viewButtons[size_t(view)], &QPushButton::clicked, this, [this, view] { showView(view); });
    }

    // Markers sit on the buttons of the picture of their view; those the pictures do not
    // show form columns beside it. From the keyboard the button list is the way to them,
    // not twenty stops around a picture.
    const QStringList markerPictures{skinPath(QStringLiteral("marker.png"))};
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k) {
            QRect rect(kMousePictureRect.x() - 40, 88 + (k % 10) * 24, 20, 20);
            if (k >= 10)
                rect.translate(-26, 0);
            if (k < kMouseButtonPictures && !hiddenInView(view, k)) {
                const MouseButtonAnchor &anchor =
                    view == FrontView ? kMouseButtonAnchors[k] : kSideButtonAnchors[k];
                rect.moveCenter(kMousePictureRect.topLeft()
                                + QPoint(int(anchor.x * kPictureReduction),
                                         int(anchor.y * kPictureReduction)));
            }
            KestPushButton *marker = canvas.button(markerPictures, rect);
            marker->setFillMode(true);
            marker->setRoundFill(true);
            marker->setText(QString::number(k + 1));
            marker->setFocusPolicy(Qt::NoFocus);
            connect(marker, &QPushButton::clicked, this, [this, view, k] {
                highlight(view, k);
                emit markerChosen(view, k);
            });
            if (view == FrontView) {
                connect(marker, &KestPushButton::hovered, this,
                        [this, k](KestPushButton *, bool on) { lightButton(k + 1, on); });
            }
            m_markers[size_t(view)][size_t(k)] = marker;
        }
    }
    m_arrows[0] = canvas.button({}, QRect(kMousePictureRect.right() - 22, 150, 22, 22));
    m_arrows[1] = canvas.button({}, QRect(kMousePictureRect.right() - 22, 178, 22, 22));
    refreshArrows();
}

void KestMouseView::refreshArrows()
{
    // The early models carry other arrow pictures.
    static const QRegularExpression earlyModel(QStringLiteral("^KX-(0[1-9]|1[0-9]|2[0-2])$"));
    const bool early = earlyModel.match(m_core.productName()).hasMatch();
    const QString up = early ? QStringLiteral("btn_up4.png") : QStringLiteral("btn_up2.png");
    const QString upHover = early ? QStringLiteral("btn_up3.png") : QStringLiteral("btn_up1.png");
    const QString down = early ? QStringLiteral("btn_down4.png") : QStringLiteral("btn_down2.png");
    const QString downHover = early ? QStringLiteral("btn_down3.png") : QStringLiteral("btn_down1.png");
    for (int k = 0; k < 2; ++k) {
        KestPushButton *old = m_arrows[size_t(k)];
        auto *arrow = new KestPushButton({skinPath(k == 0 ? up : down), skinPath(k == 0 ? upHover : downHover)},
                                         &m_canvas.window());
        arrow->setFocusPolicy(Qt::NoFocus);
        m_canvas.replace(old, arrow);
        connect(arrow, &QPushButton::clicked, this, [this, k] {
            highlight(kArrowGroup, k);
            emit markerChosen(kArrowGroup, k);
        });
        m_arrows[size_t(k)] = arrow;
        old->deleteLater();
    }
}

void KestMouseView::loadPictures()
{
    // The window lays itself out again when it is first shown, at the scale it was built
    // for: the pictures it has are the right ones, and decoding them again cost 9 ms.
    const QString loadedFor = m_core.productName() + QLatin1Char('@') + QString::number(scaleFactor());
    if (loadedFor == m_loadedFor)
        return;
    m_loadedFor = loadedFor;
    m_frontPicture = productPicture(frontPicturePath(m_core.productName()));
    m_sidePicture = QPixmap();
    m_picture->setPixmap(viewPicture());
    m_preview->setPicture(m_frontPicture);
    if (m_core.productName() == QLatin1String("Wireless Mouse")) {
        // This model's picture leaves room for the view buttons lower down; its
        // rectangles are taken as they are.
        m_canvas.pin(m_viewButtons[FrontView], QRect(530, 321, 96, 20));
        m_canvas.pin(m_viewButtons[SideView], QRect(631, 321, 96, 20));
    }
}

QString KestMouseView::frontPicturePath(const QString &product)
{
    return skinPath(QStringLiteral("mouse/")) + product + QStringLiteral("/Mouse.png");
}

QPixmap KestMouseView::productPicture(const QString &path) const
{
    const QPixmap picture = takeSkinPicture(path);
    if (picture.isNull())
        return picture;
    const QSize size(scaled(kMousePictureRect.width()), scaled(kMousePictureRect.height()));
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

const QPixmap &KestMouseView::viewPicture()
{
    if (m_view == FrontView)
        return m_frontPicture;
    // Most users never open the side view: its picture is not decoded at start.
    if (m_sidePicture.isNull())
        m_sidePicture = productPicture(skinPath(QStringLiteral("mouse/")) + m_core.productName()
                                       + QStringLiteral("_Side.png"));
    return m_sidePicture;
}

QPixmap KestMouseView::picture() const
{
    return m_picture->pixmap(Qt::ReturnByValue);
}

void KestMouseView::showView(int view)
{
    m_view = (view == SideView) ? SideView : FrontView;
    for (int v = 0; v < 2; ++v) {
        m_viewButtons[size_t(v)]->setSelected(v == m_view);
        m_viewButtons[size_t(v)]->setToggled(v == m_view);
    }
    m_picture->setPixmap(viewPicture());
}

void KestMouseView::showItems(bool picture, bool viewButtons, bool markers)
{
    m_picture->setVisible(picture);
    for (KestPushButton *button : m_viewButtons)
        button->setVisible(viewButtons);
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k)
            m_markers[size_t(view)][size_t(k)]->setVisible(markers && view == m_view && k < m_shownMarkers
                                                           && !hiddenInView(view, k));
    }
    for (KestPushButton *arrow : m_arrows)
        arrow->setVisible(markers && m_view == FrontView);
}

void KestMouseView::highlight(int group, int index)
{
    for (int view = 0; view < 2; ++view) {
        for (int k = 0; k < kMarkersPerView; ++k) {
            const bool chosen = (group == view && k == index);
            m_markers[size_t(view)][size_t(k)]->setSelected(chosen);
            m_markers[size_t(view)][size_t(k)]->setToggled(chosen);
        }
    }
    for (int k = 0; k < 2; ++k) {
        const bool chosen = (group == kArrowGroup && k == index);
        m_arrows[size_t(k)]->setSelected(chosen);
        m_arrows[size_t(k)]->setToggled(chosen);
    }
}

void KestMouseView::lightButton(int number, bool on)
{
    // Only the front picture has its buttons lit one by one.
    if (number < 1 || number > kMarkersPerView || m_view != FrontView)
        return;
    if (on) {
        const QPixmap lit(skinPath(QStringLiteral("mouse/%1/mouse_%2.png").arg(m_core.productName()).arg(number)));
        if (!lit.isNull()) {
            m_picture->setPixmap(lit.scaled(m_frontPicture.size(), Qt::KeepAspectRatio,
                                            Qt::SmoothTransformation));
        }
    } else {
        m_picture->setPixmap(m_frontPicture);
    }
}

void KestMouseView::pointAt(int index, bool on)
{
    const bool onPicture = index >= 0 && index < kMarkersPerView;
    highlight(on && onPicture ? FrontView : -1, index);
    // The lit picture follows the button the entry stands for, not the entry's number in
    // the list (a model may leave slots out).
    if (onPicture)
        lightButton(index + 1, on);
}

void KestMouseView::setLighting(const ProfileRecord &record)
{
    const int effect = activeEffectIndex(record);
    const LedModeInfo &info = record.LED_MODE[effect];
    m_preview->setLighting(effect, toQColor(info.RGB), info.bright, info.breath);
}

void KestMouseView::setLightingPage(bool shown, bool seen)
{
    m_lightingPage = shown;
    const bool active = shown && seen;
    if (!active && m_preview->isActive())
        m_picture->setPixmap(viewPicture());
    m_preview->setActive(active);
}

// The view buttons' texts were the window's before it had parts, and keep its translations.
void KestMouseView::retranslate()
{
    m_viewButtons[FrontView]->setText(QCoreApplication::translate("MousecfgWidget", "Front"));
    m_viewButtons[SideView]->setText(QCoreApplication::translate("MousecfgWidget", "Side"));
}
