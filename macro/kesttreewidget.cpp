// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/kesttreewidget.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>

namespace {
constexpr int kDefaultMoveDistance = 10;

QString buttonText(int index)
{
    static const char *const texts[kMouseButtonCount] = {
        QT_TRANSLATE_NOOP("KestTreeWidget", "LEFT CLICK"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "MIDDLE CLICK"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "RIGHT CLICK"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "FORWARD"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "BACKWARD")};
    return KestTreeWidget::tr(texts[index]);
}

QString moveText(int direction)
{
    static const char *const texts[4] = {
        QT_TRANSLATE_NOOP("KestTreeWidget", "MOVE LEFT"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "MOVE RIGHT"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "MOVE UP"),
        QT_TRANSLATE_NOOP("KestTreeWidget", "MOVE DOWN")};
    return KestTreeWidget::tr(texts[direction]);
}
} // namespace

KestTreeItem::KestTreeItem(QTreeWidget *tree, Kind kind, int index, const QString &text)
    : QTreeWidgetItem(tree, QStringList(text))
    , m_kind(kind)
    , m_index(index)
{
}

KestTreeItem::KestTreeItem(KestTreeItem *parent, Kind kind, int index, const QString &text)
    : QTreeWidgetItem(parent, QStringList(text))
    , m_kind(kind)
    , m_index(index)
{
}

int KestTreeItem::distance() const
{
    return m_distanceEdit ? m_distanceEdit->text().toInt() : kDefaultMoveDistance;
}

MacroSteps KestTreeItem::steps() const
{
    const quint8 bit = mouseButtonBit(m_index);
    switch (m_kind) {
    case Kind::Button:
        return {{MACRO_MOUSE_DOWN, 0, bit}, {MACRO_MOUSE_UP, 0, bit}};
    case Kind::ButtonPress:
        return {{MACRO_MOUSE_DOWN, 0, bit}};
    case Kind::ButtonRelease:
        return {{MACRO_MOUSE_UP, 0, bit}};
    case Kind::Move:
        return {moveStep(direction(), distance())};
    }
    return {};
}

KestTreeWidget::KestTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(2);
    header()->hide();
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::Fixed);
    setRootIsDecorated(true);
    setIndentation(14);
    setSelectionMode(QAbstractItemView::SingleSelection);

    for (int i = 0; i < kMouseButtonCount; ++i) {
        auto *item = new KestTreeItem(this, KestTreeItem::Kind::Button, i, QString());
        new KestTreeItem(item, KestTreeItem::Kind::ButtonPress, i, QString());
        new KestTreeItem(item, KestTreeItem::Kind::ButtonRelease, i, QString());
        m_buttonItems.append(item);
    }
    for (int direction = 0; direction < 4; ++direction) {
        auto *item = new KestTreeItem(this, KestTreeItem::Kind::Move, direction, QString());
        auto *edit = new QLineEdit(QString::number(kDefaultMoveDistance), this);
        edit->setMaxLength(5);
        // A larger byte would read back as a move the other way.
        edit->setValidator(new QIntValidator(1, kMaxMoveDistance, edit));
        edit->setAlignment(Qt::AlignCenter);
        setItemWidget(item, 1, edit);
        item->setDistanceEdit(edit);
        connect(edit, &QLineEdit::returnPressed, this, [this, item] { emit moveDistanceEntered(item); });
        m_moveItems.append(item);
    }
    setTexts();
}

void KestTreeWidget::setTexts()
{
    for (KestTreeItem *item : qAsConst(m_buttonItems)) {
        item->setText(0, buttonText(item->index()));
        item->child(0)->setText(0, tr("PRESS DOWN"));
        item->child(1)->setText(0, tr("BOUNCE UP"));
    }
    for (KestTreeItem *item : qAsConst(m_moveItems))
        item->setText(0, moveText(item->index()));
}

void KestTreeWidget::collapseAllBut(QTreeWidgetItem *keep)
{
    for (KestTreeItem *item : qAsConst(m_buttonItems)) {
        if (item != keep)
            item->setExpanded(false);
    }
}
