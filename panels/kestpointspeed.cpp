// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestpointspeed.h"

#include <QCheckBox>
#include <QDebug>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyleOptionSpinBox>

#include "panels/panelstyle.h"
#include "platform/mousesettings.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/kestslider.h"
#include "platform/logging.h"

namespace {
constexpr int kScrollMin = 1;
constexpr int kScrollMax = 20;
constexpr int kKeyResponseMin = 1;
constexpr int kKeyResponseMax = 255;

// Style sheets cannot draw the step arrows without pictures; this box paints them.
class ScrollSpeedBox final : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QSpinBox::paintEvent(event);
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(225, 225, 225));
        for (const auto control : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
            const QRectF r = style()->subControlRect(QStyle::CC_SpinBox, &option, control, this);
            const double half = qMin(r.width(), r.height()) * 0.3;
            const QPointF c = r.center();
            const double dir = control == QStyle::SC_SpinBoxUp ? -1.0 : 1.0;
            painter.drawPolygon(QPolygonF({QPointF(c.x() - half, c.y() - dir * half / 2),
                                           QPointF(c.x() + half, c.y() - dir * half / 2),
                                           QPointF(c.x(), c.y() + dir * half / 2)}));
        }
    }
};

} // namespace

KestPointSpeed::KestPointSpeed(const ProfileRecord &record, QWidget *parent)
    : KestPanel(parent),
      m_keyCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_keySlider(new KestSlider(Qt::Horizontal, this)),
      m_keyValue(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_scrollCaption(makePanelLabel(this, QString(), Qt::AlignCenter, 1)),
      m_scrollBox(new ScrollSpeedBox(this)),
      m_mouseSetting(new KestPushButton({skinPath(QStringLiteral("tabbutton-1.png")),
                                         skinPath(QStringLiteral("tabbutton-3.png")),
                                         skinPath(QStringLiteral("tabbutton-2.png"))},
                                        this))
{
    // The stored encodings differ per option: angle snapping and jitter store 0 for ON.
    addPair(QT_TR_NOOP("Enable sync"), QT_TR_NOOP("ON"), QT_TR_NOOP("OFF"), 1, 0, &m_sync);
    addPair(QT_TR_NOOP("Lift-off Distance"), QT_TR_NOOP("1 mm"), QT_TR_NOOP("2 mm"), 1, 2, &m_lift);
    addPair(QT_TR_NOOP("Angle Snapping"), QT_TR_NOOP("ON"), QT_TR_NOOP("OFF"), 0, 1, &m_angle);
    addPair(QT_TR_NOOP("Jitter"), QT_TR_NOOP("ON"), QT_TR_NOOP("OFF"), 0, 1, &m_jitter);

    m_keySlider->setRange(kKeyResponseMin, kKeyResponseMax);
    m_keySlider->setSingleStep(1);
    m_keySlider->setPageStep(1);
    m_keySlider->setFocusPolicy(Qt::StrongFocus);
    connect(m_keySlider, &QSlider::valueChanged, this, [this](int value) {
        m_keyResponse = static_cast<quint8>(value);
        m_keyValue->setText(QStringLiteral("%1").arg(value));
        qCDebug(lcUi, "slider_clicked 1 = %d", value);
    });

    m_scrollBox->setRange(kScrollMin, kScrollMax);
    connect(m_scrollBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &KestPointSpeed::setScrollSpeed);

    connect(m_mouseSetting, &QPushButton::clicked, this, &KestPointSpeed::openMouseSetting);

    relayout();
    retranslate();
    refresh(record, 0, 2, 0, 0, 20);
}

void KestPointSpeed::retranslate()
{
    for (const OptionPair &pair : qAsConst(m_pairs)) {
        pair.caption->setText(tr(pair.captionText));
        pair.first->setText(tr(pair.firstText));
        pair.second->setText(tr(pair.secondText));
    }
    m_keyCaption->setText(tr("Key Response"));
    m_scrollCaption->setText(tr("SCROLL SPEED"));
    m_mouseSetting->setText(tr("Mouse Setting"));
}

void KestPointSpeed::addPair(const char *caption, const char *first, const char *second,
                             quint8 firstValue, quint8 secondValue, quint8 *value)
{
    OptionPair pair{caption,
                    first,
                    second,
                    makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1),
                    makeSkinCheckBox(this, QString()),
                    makeSkinCheckBox(this, QString()),
                    firstValue,
                    secondValue,
                    value};
    connect(pair.first, &QCheckBox::clicked, this, &KestPointSpeed::onOptionClicked);
    connect(pair.second, &QCheckBox::clicked, this, &KestPointSpeed::onOptionClicked);
    m_pairs << pair;
}

void KestPointSpeed::refresh(const ProfileRecord &record, quint8 sync, quint8 lift, quint8 angle,
                             quint8 jitter, quint8 keyResponse)
{
    m_record = record;
    m_sync = sync;
    m_lift = lift;
    m_angle = angle;
    m_jitter = jitter;
    m_keyResponse = keyResponse;
    {
        // A stored value outside a control's range is shown at the range end, and the
        // panel keeps what it shows: Apply must never send a value the user cannot see.
        const QSignalBlocker sliderBlocker(m_keySlider);
        m_keySlider->setValue(keyResponse);
        const QSignalBlocker spinBlocker(m_scrollBox);
        m_scrollBox->setValue(record.scrollspeed);
    }
    m_keyResponse = static_cast<quint8>(m_keySlider->value());
    m_record.scrollspeed = static_cast<quint8>(m_scrollBox->value());
    m_keyValue->setText(QStringLiteral("%1").arg(m_keySlider->value()));
    showPairs();
    for (const OptionPair &pair : qAsConst(m_pairs))
        *pair.value = pair.first->isChecked() ? pair.firstValue : pair.secondValue;
}

void KestPointSpeed::showPairs()
{
    for (const OptionPair &pair : m_pairs) {
        // Sync is on for any non-zero value, lift is 1 mm only for 1; for angle
        // snapping and jitter only 0 means ON.
        bool first;
        if (pair.value == &m_sync)
            first = m_sync != 0;
        else
            first = *pair.value == pair.firstValue;
        pair.first->setChecked(first);
        pair.second->setChecked(!first);
    }
}

void KestPointSpeed::relayout()
{
    // 609 x 77 under the DPI levels and the report rate, sharing their columns: captions
    // start where the level rows' check boxes do, the key response bar spans what the
    // level bars span, and the settings button and scroll speed stand in the report-rate
    // column under its rate button. Three rows of 20, 24 apart.
    constexpr int kCaptionX[] = {23, 269};
    constexpr int kCaptionWidth[] = {88, 86};
    constexpr int kFirstWidth[] = {50, 50};
    constexpr int kSecondWidth[] = {75, 49};
    for (int i = 0; i < m_pairs.size(); ++i) {
        const OptionPair &pair = m_pairs.at(i);
        const int column = i % 2;
        const int x = kCaptionX[column];
        const int y = 4 + (i / 2) * 24;
        const int boxes = x + kCaptionWidth[column] + 2;
        placeScaled(pair.caption, x, y, kCaptionWidth[column], 20);
        placeScaled(pair.first, boxes, y, kFirstWidth[column], 20);
        placeScaled(pair.second, boxes + kFirstWidth[column], y, kSecondWidth[column], 20);
        for (QCheckBox *box : {pair.first, pair.second}) {
            restyle(box, choicePairStyle(themeColor()));
            box->setFont(languageFont(0, 2));
        }
    }
    placeScaled(m_mouseSetting, 475, 2, 120, 24);
    placeScaled(m_keyCaption, 23, 52, kCaptionWidth[0], 20);
    placeScaled(m_keySlider, 113, 52, 150, 20);
    placeScaled(m_keyValue, 269, 52, 44, 20);
    restyle(m_keySlider, sliderStyle(themeColor()));
    placeScaled(m_scrollCaption, 460, 28, 149, 20);
    placeScaled(m_scrollBox, 475, 50, 120, 24);
    m_scrollBox->setFont(languageFont(0, 1));
    restyle(m_scrollBox,
        QStringLiteral("QSpinBox{color:rgb(225,225,225);background:rgb(30,30,30);"
                       "border:1px solid rgb(100,100,100);border-radius:2px;padding-left:4px;}"
                       "QSpinBox::up-button,QSpinBox::down-button{width:%1px;border:none;"
                       "background:rgb(55,55,55);}"
                       "QSpinBox::up-button:hover,QSpinBox::down-button:hover{background:rgb(80,80,80);}"
                       "QSpinBox::up-arrow,QSpinBox::down-arrow{image:none;width:0px;height:0px;}")
            .arg(scaled(16)));
}

void KestPointSpeed::setLift(quint8 lift)
{
    m_lift = lift;
    showPairs();
}

void KestPointSpeed::applyTo(ConfigRecord &working) const
{
    working.Sync = m_sync;
    working.LiftHigh = m_lift;
    working.AngleValue = m_angle;
    working.Jitter = m_jitter;
    working.Debounce = m_keyResponse;
    ProfileRecord &slot = working.profiles[static_cast<size_t>(activeSlotIndex(working))];
    slot.mousespeed = m_record.mousespeed;
    slot.scrollspeed = m_record.scrollspeed;
}

QCheckBox *KestPointSpeed::optionBox(int option, bool first) const
{
    const OptionPair &pair = m_pairs.at(option);
    return first ? pair.first : pair.second;
}

void KestPointSpeed::setScrollSpeed(int value)
{
    m_record.scrollspeed = static_cast<quint8>(value);
}

void KestPointSpeed::onOptionClicked()
{
    const auto *clicked = qobject_cast<QCheckBox *>(sender());
    for (const OptionPair &pair : m_pairs) {
        if (clicked != pair.first && clicked != pair.second)
            continue;
        // The two boxes act as one radio pair: clicking the checked one keeps it checked.
        const bool first = clicked == pair.first;
        *pair.value = first ? pair.firstValue : pair.secondValue;
        pair.first->setChecked(first);
        pair.second->setChecked(!first);
        if (pair.value == &m_lift)
            emit liftChanged(m_lift);
        return;
    }
}

void KestPointSpeed::openMouseSetting()
{
    if (platform::openMouseSettings())
        return;
    KestMessageBox box(KestMessageBox::Warning, QString(), tr("Warning"),
                       tr("No mouse settings program of this desktop was found."), window());
    box.exec();
}
