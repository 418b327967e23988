// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QDialog>
#include <QPixmap>

class QLabel;
class QTimer;
class QToolButton;

// The one modal message box of the utility, drawn from "dlg.png".
// Kinds: 1 question (Yes/No), 2 and 3 warning (Ok), 4 receiver disconnected (Ok),
// 5 unapplied edits (Apply/Discard/Cancel).
// exec() returns 1 for Yes/Ok/Apply (or a mouse arriving while polling), 2 for Discard,
// 0 otherwise. Enter answers with the first button, Escape with No/Cancel.
class KestMessageBox : public QDialog
{
    Q_OBJECT

public:
    enum Kind : int { Question = 1, Warning = 2, Notice = 3, Disconnected = 4, Choice = 5 };
    enum ChoiceAnswer : int { Cancelled = 0, ApplyChosen = 1, DiscardChosen = 2 };

    KestMessageBox(int kind, const QString &extraText, const QString &title,
                   const QString &message, QWidget *parent = nullptr, bool pollForDevice = false,
                   Qt::WindowFlags flags = Qt::FramelessWindowHint);

    // How the poll asks whether a mouse is connected again; the main window installs it.
    static void setConnectionProbe(std::function<bool()> probe);

    int kind() const { return m_kind; }
    bool closedByArrival() const { return m_closedByArrival; }
    QToolButton *yesButton() const { return m_yesButton; }
    QToolButton *noButton() const { return m_noButton; }
    QToolButton *discardButton() const { return m_discardButton; }

public slots:
    void checkArrival();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildContents(const QString &title, const QString &message);

    int m_kind;
    QPixmap m_background;
    QLabel *m_iconLabel = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_messageLabel = nullptr;
    QToolButton *m_yesButton = nullptr;
    QToolButton *m_noButton = nullptr;
    QToolButton *m_discardButton = nullptr;
    QTimer *m_pollTimer = nullptr;
    bool m_closedByArrival = false;
};
