// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestpushbutton.h"

#include <QBitmap>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QToolTip>

#include "widgets/kestskin.h"

namespace {
// The resting picture is shown slightly faded so hover can brighten it.
constexpr int kRestingAlpha = 200;

QPixmap faded(const QPixmap &picture)
{
    if (picture.isNull())
        return picture;
    QPixmap copy(picture.size());
    copy.fill(Qt::transparent);
    QPainter painter(&copy);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, picture);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(copy.rect(), QColor(0, 0, 0, kRestingAlpha));
    return copy;
}

// Buttons sharing a picture share its faded form too.
QPixmap fadedShared(const QPixmap &picture)
{
    if (picture.isNull())
        return picture;
    const QString key = QStringLiteral("kestfaded:%1").arg(picture.cacheKey());
    QPixmap fade;
    if (!QPixmapCache::find(key, &fade)) {
        fade = faded(picture);
        QPixmapCache::insert(key, fade);
    }
    return fade;
}

// The outline of a picture at one size, for every button of that picture and size: turning
// a picture's alpha into a region is the dearest step of showing a button.
QRegion outlineOf(const QPixmap &picture, const QSize &size)
{
    static QHash<QString, QRegion> outlines;
    const QString key = QStringLiteral("%1:%2x%3").arg(picture.cacheKey()).arg(size.width()).arg(size.height());
    const auto found = outlines.constFind(key);
    if (found != outlines.constEnd())
        return *found;
    // Pictures come and go with dialogs; the table only needs the ones shown now.
    if (outlines.size() > 512)
        outlines.clear();
    const QRegion outline(picture.mask().scaled(size));
    outlines.insert(key, outline);
    return outline;
}
} // namespace

KestPushButton::KestPushButton(const QStringList &picturePaths, QWidget *parent,
                               const QString &iconPath)
    : QPushButton(parent), m_picturePaths(picturePaths.mid(0, 32)),
      m_pictures(m_picturePaths.size())
{
    if (!iconPath.isEmpty())
        m_icon = skinPicture(iconPath);
    // A window being built shows its buttons all at once: their resting pictures decode on
    // another core meanwhile. Buttons made later show one by one and decode as they do.
    if (!m_picturePaths.isEmpty() && parent && !parent->window()->isVisible())
        prefetchSkinPictures({m_picturePaths.first()});
    setFlat(true);
    setFocusPolicy(Qt::TabFocus);
}

void KestPushButton::setText(const QString &text)
{
    // No tool tip that only repeats the label: the full text shows as one when it is cut.
    QPushButton::setText(text);
    update();
}

bool KestPushButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && m_textCut) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        return true;
    }
    return QPushButton::event(event);
}

void KestPushButton::setSelected(bool selected)
{
    m_selected = selected;
    setState(Normal);
}

void KestPushButton::setToggled(bool toggled)
{
    m_toggled = toggled;
    setState(toggled ? Hover : Normal);
}

void KestPushButton::setEnabledLook(bool enabled)
{
    if (m_selected && m_toggled)
        m_state = Hover;
    else
        m_state = enabled ? Normal : Disabled;
    setEnabled(enabled);
    update();
}

void KestPushButton::setFillMode(bool fill)
{
    m_fillMode = fill;
    update();
}

void KestPushButton::setRoundFill(bool round)
{
    m_roundFill = round;
    update();
}

void KestPushButton::setVerticalText(bool vertical)
{
    m_verticalText = vertical;
    update();
}

void KestPushButton::setMarker(quint8 code)
{
    m_marker = code;
    update();
}

void KestPushButton::setHoverEnabled(bool enabled)
{
    m_hoverEnabled = enabled;
}

QColor KestPushButton::penColor(int state) const
{
    static const QColor darkSkin[4] = {QColor(200, 200, 200), QColor(225, 225, 225),
                                       QColor(255, 255, 255), QColor(100, 100, 100)};
    static const QColor lightSkin[4] = {QColor(255, 255, 255), QColor(0, 0, 0),
                                        QColor(0, 0, 0), QColor(100, 100, 100)};
    const int index = qBound(0, state, 3);
    return colorMode() == 0 ? darkSkin[index] : lightSkin[index];
}

QSize KestPushButton::sizeHint() const
{
    if (!m_icon.isNull())
        return m_icon.size();
    const QPixmap &picture = pictureForState();
    return picture.isNull() ? QPushButton::sizeHint() : picture.size();
}

void KestPushButton::setState(int state)
{
    m_state = state;
    update();
}

const QPixmap &KestPushButton::picture(int index) const
{
    if (!(m_decoded & (1u << index))) {
        m_decoded |= 1u << index;
        m_pictures[index] = skinPicture(m_picturePaths.at(index));
        // The outline comes from the picture as drawn, before fading lowers its alpha.
        if (index == 0) {
            m_outlineSource = m_pictures[0];
            m_pictures[0] = fadedShared(m_pictures[0]);
        }
    }
    return m_pictures.at(index);
}

const QPixmap &KestPushButton::pictureForState() const
{
    static const QPixmap none;
    if (m_pictures.isEmpty())
        return none;
    // A state without its own picture (and the disabled state) shows the normal one.
    if (m_state == Disabled || m_state >= m_pictures.size())
        return picture(0);
    return picture(m_state);
}

void KestPushButton::updateMask()
{
    // Only the size the button is shown at matters: layouts resize a hidden button several
    // times before it appears, and many are never shown at all.
    if (!isVisible()) {
        m_maskPending = true;
        return;
    }
    m_maskPending = false;
    if (!m_pictures.isEmpty())
        picture(0);
    if (m_outlineSource.isNull() || size().isEmpty()) {
        clearMask();
        return;
    }
    setMask(outlineOf(m_outlineSource, size()));
}

void KestPushButton::showEvent(QShowEvent *event)
{
    QPushButton::showEvent(event);
    if (m_maskPending)
        updateMask();
}

void KestPushButton::enterEvent(QEvent *event)
{
    emit hovered(this, true);
    setState(m_pictures.size() > 1 ? Hover : Normal);
    QPushButton::enterEvent(event);
}

void KestPushButton::leaveEvent(QEvent *event)
{
    // A press already reported this button; its leave stays silent once.
    if (m_leaveReport)
        emit hovered(this, false);
    m_leaveReport = true;
    setState(m_selected && m_toggled ? Hover : Normal);
    QPushButton::leaveEvent(event);
}

void KestPushButton::focusInEvent(QFocusEvent *event)
{
    // What the pointer over it would light (the button on the mouse picture), Tab lights.
    const Qt::FocusReason reason = event->reason();
    if (!m_keyboardOver && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
        m_keyboardOver = true;
        emit hovered(this, true);
    }
    QPushButton::focusInEvent(event);
}

void KestPushButton::focusOutEvent(QFocusEvent *event)
{
    // An opened menu keeps it lit until the focus really moves on.
    if (m_keyboardOver && event->reason() != Qt::PopupFocusReason) {
        m_keyboardOver = false;
        emit hovered(this, false);
    }
    QPushButton::focusOutEvent(event);
}

void KestPushButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // In a dialog Enter belongs to the default button; elsewhere it presses this one.
    const bool enterPresses = enter && !autoDefault() && !isDefault();
    if (event->isAutoRepeat() || !isEnabled() || (key != Qt::Key_Space && !enterPresses)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // Those who listen learn which button is pressed before its menu opens, as with a click.
    if (m_hoverEnabled)
        emit buttonPressed(this);
    if (!enterPresses) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (menu())
        showMenu();
    else
        click();
}

void KestPushButton::mousePressEvent(QMouseEvent *event)
{
    if (m_hoverEnabled && event->button() == Qt::LeftButton) {
        const bool wasToggled = m_toggled;
        m_toggled = !m_toggled;
        if (m_pictures.size() > 2)
            setState(wasToggled ? Normal : Pressed);
        emit buttonPressed(this);
        m_leaveReport = false;
    }
    QPushButton::mousePressEvent(event);
}

void KestPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_hoverEnabled && event->button() == Qt::LeftButton && m_pictures.size() > 1)
        setState(Hover);
    QPushButton::mouseReleaseEvent(event);
}

void KestPushButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    updateMask();
}

void KestPushButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect();

    if (!m_fillMode) {
        const QPixmap &picture = pictureForState();
        if (!picture.isNull())
            painter.drawPixmap(area, picture);
    } else {
        if (!m_pictures.isEmpty() && !picture(0).isNull())
            painter.drawPixmap(area, picture(0));
        if (m_state == Hover || m_state == Pressed) {
            const QColor accent = themeColor();
            QLinearGradient gradient(60, 50, 200, 150);
            if (colorMode() != 0) {
                gradient.setColorAt(0.1, accent);
                gradient.setColorAt(0.4, accent);
            } else {
                const int divisor = m_state == Hover ? 2 : 3;
                gradient.setColorAt(0.1, QColor(accent.red() / divisor, accent.green() / divisor,
                                                accent.blue() / divisor, 150));
                QColor end = accent;
                end.setAlpha(150);
                gradient.setColorAt(0.4, end);
            }
            painter.setPen(Qt::NoPen);
            painter.setBrush(gradient);
            if (m_roundFill)
                painter.drawEllipse(area);
            else
                painter.drawRect(area);
        }
    }

    painter.setFont(languageFont());
    painter.setPen(penColor(m_state));

    if (m_marker != 0) {
        QString mark;
        if (m_marker == 253)
            mark = QStringLiteral("  \u2191");
        else if (m_marker == 254)
            mark = QStringLiteral("  \u2193");
        else
            mark = QStringLiteral("  %1").arg(m_marker);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, mark);
    }

    const QString label = text();
    if (label.isEmpty())
        return;
    if (m_verticalText) {
        painter.save();
        painter.translate(area.center());
        painter.rotate(90);
        const QRect turned(-area.height() / 2, -area.width() / 2, area.height(), area.width());
        painter.drawText(turned, Qt::AlignCenter, label);
        painter.restore();
    } else {
        const QString elided =
            painter.fontMetrics().elidedText(label, Qt::ElideRight, area.width() - 5);
        m_textCut = elided != label;
        painter.drawText(area.adjusted(3, 0, -3, 0), Qt::AlignCenter, elided);
    }
}
