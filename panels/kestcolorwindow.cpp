// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestcolorwindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "panels/kestcolorarea.h"
#include "panels/panelstyle.h"
#include "store/devicedescription.h"
#include "store/lightingslot.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestrgbcolor.h"
#include "widgets/kestskin.h"
#include "widgets/kestslider.h"

namespace {

constexpr int kEffectBreathing = 3;
constexpr int kMenuEffects = 12; // 0..11; 12 and 13 are stored but not offered
constexpr quint8 kMoveOffOn = 0;
constexpr quint8 kMoveOffOff = 255;

// Which of brightness, speed and colour each effect uses.
struct EffectControls
{
    bool bright;
    bool speed;
    bool color;
};
constexpr EffectControls kControls[LED_EFFECTS] = {
    {false, false, false}, // OFF
    {true, false, true},   // FULL LIGHTED
    {true, true, false},   // 7 COLOR
    {false, true, true},   // BREATHING
    {false, true, false},  // 7 COLOR BREATHING
    {true, true, false},   // RAINBOW
    {true, true, false},   // WAVE
    {true, true, false},   // Single WAVE
    {true, true, false},   // yo-yo
    {true, true, false},   // 7 COLOR with tail
    {true, true, true},    // REACTIVE
    {true, true, false},   // Tri-color running
    {true, true, true},    // not in the menu: leave everything reachable
    {true, true, true},
};

// Design-canvas rows of the left column.
constexpr int kRowY[] = {58, 96, 134};

} // namespace

QString KestColorWindow::effectName(int effect)
{
    switch (effect) {
    case 0: return tr("OFF");
    case 1: return tr("FULL LIGHTED");
    case 2: return tr("7 COLOR");
    case 3: return tr("BREATHING");
    case 4: return tr("7 COLOR BREATHING");
    case 5: return tr("RAINBOW");
    case 6: return tr("WAVE");
    case 7: return tr("Single WAVE");
    case 8: return tr("yo-yo");
    case 9: return tr("7 COLOR with tail");
    case 10: return tr("REACTIVE");
    case 11: return tr("Tri-color running");
    default: return QString();
    }
}

int KestColorWindow::lightingSlot(const ConfigRecord &working, const QString &product)
{
    return lightingSlotIndex(working, product);
}

KestColorWindow::KestColorWindow(QWidget *parent)
    : KestPanel(parent),
      m_showSleep(readShowSleep() != 0),
      m_effectCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter)),
      m_effectButton(new KestPushButton({skinPath(QStringLiteral("rate.png"))}, this)),
      m_menu(new KestMenu(this)),
      m_brightCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter)),
      m_bright(new KestSlider(Qt::Horizontal, this)),
      m_speedCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter)),
      m_speed(new KestSlider(Qt::Horizontal, this)),
      m_colorCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter)),
      m_swatch(new QPushButton(this)),
      m_sleepCaption(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter)),
      m_sleep(new KestSlider(Qt::Horizontal, this)),
      m_sleepValue(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, 1)),
      m_moveOff(makeSkinCheckBox(this, QString()))
{
    m_menu->setStyleSheet(menuStyleSheet());
    // Effects 1..11 in order, OFF last.
    for (int i = 0; i < kMenuEffects; ++i) {
        const int effect = (i + 1) % kMenuEffects;
        auto *action = new KestAction(m_menu);
        connect(action, &QAction::triggered, this, [this, effect] { chooseEffect(effect); });
        m_menu->addAction(action);
        m_actions[static_cast<size_t>(effect)] = action;
    }
    m_effectButton->setMenu(m_menu);

    const SleepRange sleepRange = readSleepRange();
    m_bright->setRange(1, 3);
    m_speed->setRange(1, 5);
    m_sleep->setRange(sleepRange.min, qMax(sleepRange.min, sleepRange.max));
    for (KestSlider *slider : {m_bright, m_speed, m_sleep}) {
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setShowBubble(slider != m_sleep);
        connect(slider, &QSlider::valueChanged, this, &KestColorWindow::onSliderChanged);
    }
    for (QWidget *sleepPart : std::initializer_list<QWidget *>{m_sleepCaption, m_sleep, m_sleepValue, m_moveOff})
        sleepPart->setVisible(m_showSleep);

    m_swatch->setCursor(Qt::PointingHandCursor);
    m_swatch->setFocusPolicy(Qt::TabFocus);
    connect(m_swatch, &QPushButton::clicked, this, &KestColorWindow::chooseColor);
    connect(m_moveOff, &QCheckBox::clicked, this, &KestColorWindow::onMoveOffClicked);

    relayout();
    retranslate();
}

void KestColorWindow::setProfile(const ProfileRecord &record, int slot)
{
    m_record = record;
    m_slot = qBound(0, slot, SLOT_COUNT - 1);
    refresh();
}

LedModeInfo &KestColorWindow::activeEffect()
{
    return m_record.LED_MODE[static_cast<size_t>(activeEffectIndex(m_record))];
}

void KestColorWindow::retranslate()
{
    m_effectCaption->setText(tr("EFFECT"));
    m_brightCaption->setText(tr("BRIGHTNESS"));
    m_speedCaption->setText(tr("SPEED"));
    m_colorCaption->setText(tr("COLOR"));
    m_sleepCaption->setText(tr("SLEEP TIME"));
    m_moveOff->setText(tr("MOVE TO LIGHT OFF"));
    for (size_t effect = 0; effect < m_actions.size(); ++effect)
        m_actions[effect]->setText(effectName(static_cast<int>(effect)));
    refresh();
}

void KestColorWindow::refresh()
{
    showEffect();
    {
        const QSignalBlocker blocker(m_sleep);
        m_sleep->setValue(m_record.LedSleepTime);
    }
    m_sleepValue->setText(QString::number(m_record.LedSleepTime) + tr(" MIN"));
    const QSignalBlocker blocker(m_moveOff);
    m_moveOff->setChecked(m_record.LedMoveOFF == kMoveOffOn);
}

void KestColorWindow::chooseEffect(int effect)
{
    m_record.LedMode = static_cast<quint8>(qBound(0, effect, LED_EFFECTS - 1));
    showEffect();
}

void KestColorWindow::showEffect()
{
    const int effect = activeEffectIndex(m_record);
    const EffectControls &shown = kControls[effect];
    for (QWidget *w : std::initializer_list<QWidget *>{m_brightCaption, m_bright})
        w->setVisible(shown.bright);
    for (QWidget *w : std::initializer_list<QWidget *>{m_speedCaption, m_speed})
        w->setVisible(shown.speed);
    for (QWidget *w : std::initializer_list<QWidget *>{m_colorCaption, m_swatch})
        w->setVisible(shown.color);
    // Breathing has no brightness: its speed takes the brightness row.
    const int speedRow = effect == kEffectBreathing ? kRowY[0] : kRowY[1];
    placeScaled(m_speedCaption, 24, speedRow, 110, 24);
    placeScaled(m_speed, 134, speedRow + 2, 200, 20);
    m_effectButton->setText(effectName(effect));

    const LedModeInfo &info = activeEffect();
    const QSignalBlocker b1(m_bright);
    const QSignalBlocker b2(m_speed);
    m_bright->setValue(info.bright);
    m_speed->setValue(info.breath);
    showSwatch();
}

void KestColorWindow::showSwatch()
{
    const QColor color = activeEffect().RGB.isValid() ? toQColor(activeEffect().RGB) : QColor(0, 0, 0);
    m_swatch->setStyleSheet(QStringLiteral("QPushButton{background:%1;border:1px solid rgb(150,150,150);"
                                           "border-radius:3px;}"
                                           "QPushButton:hover{border:1px solid %2;}")
                                .arg(color.name(), themeColor().name()));
    // Every change of effect or colour ends here: the picture follows.
    emit lightingChanged();
}

void KestColorWindow::relayout()
{
    placeScaled(m_effectCaption, 24, 18, 110, 24);
    placeScaled(m_effectButton, 134, 16, 150, 28);
    placeScaled(m_brightCaption, 24, kRowY[0], 110, 24);
    placeScaled(m_bright, 134, kRowY[0] + 2, 200, 20);
    placeScaled(m_colorCaption, 24, kRowY[2], 110, 24);
    placeScaled(m_swatch, 134, kRowY[2], 64, 24);
    placeScaled(m_sleepCaption, 370, 18, 100, 24);
    placeScaled(m_sleep, 470, 20, 110, 20);
    placeScaled(m_sleepValue, 588, 18, 74, 24);
    placeScaled(m_moveOff, 370, kRowY[0], 290, 24);
    restyle(m_moveOff, checkBoxStyle());
    m_moveOff->setFont(languageFont());
    const QString style = sliderStyle(themeColor());
    for (KestSlider *slider : {m_bright, m_speed, m_sleep})
        restyle(slider, style);
    showEffect();
}

void KestColorWindow::applyTo(ConfigRecord &working) const
{
    ProfileRecord &slot = working.profiles[static_cast<size_t>(m_slot)];
    slot.LedMode = m_record.LedMode;
    slot.LedMoveOFF = m_record.LedMoveOFF;
    slot.LedSleepTime = m_record.LedSleepTime;
    slot.LED_MODE = m_record.LED_MODE;
}

void KestColorWindow::onSliderChanged(int value)
{
    if (sender() == m_bright) {
        activeEffect().bright = value;
        emit lightingChanged();
    } else if (sender() == m_speed) {
        activeEffect().breath = value;
        emit lightingChanged();
    } else if (sender() == m_sleep) {
        m_record.LedSleepTime = static_cast<quint8>(value);
        m_sleepValue->setText(QString::number(value) + tr(" MIN"));
    }
}

void KestColorWindow::setEffectColor(const QColor &color)
{
    activeEffect().RGB = toKestRgb(color);
    showSwatch();
}

void KestColorWindow::chooseColor()
{
    KestColorArea dialog(toQColor(activeEffect().RGB), this);
    if (dialog.exec() == QDialog::Accepted)
        setEffectColor(dialog.color());
}

void KestColorWindow::onMoveOffClicked()
{
    m_record.LedMoveOFF = m_moveOff->isChecked() ? kMoveOffOn : kMoveOffOff;
}

QString KestColorWindow::effectButtonText() const { return m_effectButton->text(); }
QString KestColorWindow::sleepText() const { return m_sleepValue->text(); }
bool KestColorWindow::brightnessShown() const { return !m_bright->isHidden(); }
bool KestColorWindow::speedShown() const { return !m_speed->isHidden(); }
bool KestColorWindow::colorShown() const { return !m_swatch->isHidden(); }
