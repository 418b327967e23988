// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestmenu.h"

#include "widgets/kestskin.h"

KestMenu::KestMenu(QWidget *parent) : QMenu(parent)
{
    setStyleSheet(menuStyleSheet());
}

KestMenu::KestMenu(const QString &title, QWidget *parent) : QMenu(title, parent)
{
    setStyleSheet(menuStyleSheet());
}

void KestMenu::setCheckableEntries(const QStringList &texts, const QString &checked)
{
    clear();
    // Sized before the first paint, so the font must be right now.
    const QFont wanted = languageFont();
    if (font() != wanted)
        setFont(wanted);
    for (const QString &text : texts) {
        auto *action = new QAction(text, this);
        action->setCheckable(true);
        action->setChecked(text == checked);
        addAction(action);
    }
}

void KestMenu::paintEvent(QPaintEvent *event)
{
    // The language can change while the menu lives; only touch the font when it differs,
    // since setFont() schedules another paint.
    const QFont wanted = languageFont();
    if (font() != wanted)
        setFont(wanted);
    QMenu::paintEvent(event);
}

KestAction::KestAction(QObject *parent) : QAction(parent)
{
    QAction::setFont(languageFont());
}

KestAction::KestAction(const QString &text, QObject *parent) : QAction(text, parent)
{
    QAction::setFont(languageFont());
}

void KestAction::setText(const QString &text)
{
    QAction::setText(text);
    QAction::setFont(languageFont());
}
