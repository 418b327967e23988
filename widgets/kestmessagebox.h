#pragma once

#include <functional>

#include <QDialog>
#include <QPixmap>

class QLabel;
class QTimer;
class QToolButton;

// The one modal message box of the utility, drawn from "dlg.png".
// Kinds: 1 question (Yes/No), 2 and 3 warning (Ok), 4 receiver disconnected (Ok).
// exec() returns 1 for Yes/Ok (or a mouse arriving while polling), 0 otherwise.
class KestMessageBox : public QDialog
{
    Q_OBJECT

public:
    enum Kind : int { Question = 1, Warning = 2, Notice = 3, Disconnected = 4 };

    KestMessageBox(int kind, const QString &extraText, const QString &title,
                   const QString &message, QWidget *parent = nullptr, bool pollForDevice = false,
                   Qt::WindowFlags flags = Qt::FramelessWindowHint);

    // How the poll asks whether a mouse is connected again; the main window installs it.
    static void setConnectionProbe(std::function<bool()> probe);

    int kind() const { return m_kind; }
    bool closedByArrival() const { return m_closedByArrival; }
    QToolButton *yesButton() const { return m_yesButton; }
    QToolButton *noButton() const { return m_noButton; }

public slots:
    void GetPlugInSignal();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildContents(const QString &title, const QString &message);

    int m_kind;
    QPixmap m_background;
    QLabel *m_iconLabel = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_messageLabel = nullptr;
    QToolButton *m_yesButton = nullptr;
    QToolButton *m_noButton = nullptr;
    QTimer *m_pollTimer = nullptr;
    bool m_closedByArrival = false;
};
