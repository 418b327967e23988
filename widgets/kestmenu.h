// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAction>
#include <QMenu>

// Popup menu in the accent-coloured menu style and the language's font.
class KestMenu : public QMenu
{
    Q_OBJECT

public:
    explicit KestMenu(QWidget *parent = nullptr);
    explicit KestMenu(const QString &title, QWidget *parent = nullptr);

    // Replaces the entries by one checkable entry per text, `checked` ticked. Made for long
    // lists (a library of a thousand profiles): the entries take the menu's font rather
    // than a font each, and a list taller than the screen scrolls.
    void setCheckableEntries(const QStringList &texts, const QString &checked);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An action whose font follows the language; refreshed whenever its text changes.
class KestAction : public QAction
{
    Q_OBJECT

public:
    explicit KestAction(QObject *parent = nullptr);
    explicit KestAction(const QString &text, QObject *parent = nullptr);

    void setText(const QString &text);
};
