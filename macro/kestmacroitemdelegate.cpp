// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/kestmacroitemdelegate.h"

#include <QPainter>

#include "buttons/keys/keytable.h"
#include "store/appdir.h"

namespace {
constexpr int kPictureMargin = 3;

MacroAction stepOfRow(const QModelIndex &index)
{
    const QAbstractItemModel *model = index.model();
    auto byteAt = [&](int column) {
        return quint8(model->index(index.row(), column).data().toString().toInt() & 0xFF);
    };
    return {byteAt(0), byteAt(1), byteAt(2)};
}

QString mouseButtonName(quint8 bit)
{
    switch (bit) {
    case 1: return KestMacroItemDelegate::tr("LEFT CLICK");
    case 2: return KestMacroItemDelegate::tr("RIGHT CLICK");
    case 4: return KestMacroItemDelegate::tr("MIDDLE CLICK");
    case 8: return KestMacroItemDelegate::tr("FORWARD");
    case 16: return KestMacroItemDelegate::tr("BACKWARD");
    }
    return QString();
}

QString moveName(MoveDirection direction)
{
    switch (direction) {
    case MoveDirection::Left: return KestMacroItemDelegate::tr("MOVE LEFT");
    case MoveDirection::Right: return KestMacroItemDelegate::tr("MOVE RIGHT");
    case MoveDirection::Up: return KestMacroItemDelegate::tr("MOVE UP");
    case MoveDirection::Down: return KestMacroItemDelegate::tr("MOVE DOWN");
    }
    return QString();
}

QString withState(const QString &name, bool pressed)
{
    return QStringLiteral("%1 %2").arg(name, pressed ? KestMacroItemDelegate::tr("Press")
                                                     : KestMacroItemDelegate::tr("Release"));
}
} // namespace

KestMacroItemDelegate::KestMacroItemDelegate(int minDelay, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_minDelay(sanitizedMinDelay(minDelay))
    , m_highlight(0, 160, 230)
    , m_keyDown(applicationDir() + QStringLiteral("/skin/keydown.png"))
    , m_keyUp(applicationDir() + QStringLiteral("/skin/keyup.png"))
    , m_move(applicationDir() + QStringLiteral("/skin/mouse_move.png"))
{
}

QString KestMacroItemDelegate::actionText(const MacroAction &step)
{
    switch (step.map) {
    case MACRO_KEY_DOWN:
    case MACRO_KEY_UP: {
        quint8 code = 0;
        const QString name = usageToKeyCode(step.low, code) ? keyName(code) : QString();
        return withState(name.isEmpty() ? QStringLiteral("#%1").arg(step.low) : name,
                         step.map == MACRO_KEY_DOWN);
    }
    case MACRO_MOUSE_DOWN:
    case MACRO_MOUSE_UP:
        return withState(mouseButtonName(step.low), step.map == MACRO_MOUSE_DOWN);
    case MACRO_MOVE:
        return QStringLiteral("%1 %2").arg(moveName(moveStepDirection(step)))
            .arg(moveStepDistance(step));
    }
    return QString();
}

QString KestMacroItemDelegate::delayText(const MacroAction &step, int minDelay)
{
    return step.map == MACRO_DELAY ? QString::number(delayStepMs(step, minDelay))
                                             : QString();
}

const QPixmap *KestMacroItemDelegate::pictureFor(const MacroAction &step) const
{
    switch (step.map) {
    case MACRO_KEY_DOWN:
    case MACRO_MOUSE_DOWN:
        return &m_keyDown;
    case MACRO_KEY_UP:
    case MACRO_MOUSE_UP:
        return &m_keyUp;
    case MACRO_MOVE:
        return &m_move;
    }
    return nullptr;
}

void KestMacroItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const MacroAction step = stepOfRow(index);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    if (option.state & QStyle::State_Selected) {
        QColor fill = m_highlight;
        fill.setAlpha(110);
        painter->fillRect(option.rect, fill);
    } else if (index.row() % 2) {
        painter->fillRect(option.rect, QColor(255, 255, 255, 12));
    }

    QRect textRect = option.rect.adjusted(kPictureMargin * 2, 0, -kPictureMargin, 0);
    painter->setFont(option.font);
    if (index.column() == 0) {
        const QPixmap *picture = pictureFor(step);
        if (picture && !picture->isNull()) {
            const int side = option.rect.height() - 2 * kPictureMargin;
            const QRect target(textRect.left(), option.rect.top() + kPictureMargin, side, side);
            painter->drawPixmap(target, *picture);
            textRect.setLeft(target.right() + kPictureMargin * 2);
        }
        painter->setPen(QColor(230, 230, 230));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(actionText(step), Qt::ElideRight,
                                                        textRect.width()));
    } else {
        painter->setPen(step.map == MACRO_DELAY ? m_highlight.lighter(140)
                                                          : QColor(230, 230, 230));
        painter->drawText(textRect, Qt::AlignCenter, delayText(step, m_minDelay));
    }
    painter->restore();
}

QSize KestMacroItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), option.fontMetrics.height() + 8));
    return size;
}
