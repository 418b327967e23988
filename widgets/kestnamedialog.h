// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for a name before something is created under it: one line, prefilled and selected,
// with OK and Cancel. Enter is OK, Escape is Cancel; OK stays off while the line is blank.
class KestNameDialog : public QDialog
{
    Q_OBJECT

public:
    KestNameDialog(const QString &title, const QString &prompt, const QString &suggestion,
                   QWidget *parent = nullptr);

    QString name() const; // trimmed
    QLineEdit *lineEdit() const { return m_edit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // The name chosen, or an empty string when the user cancelled.
    static QString ask(const QString &title, const QString &prompt, const QString &suggestion,
                       QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineEdit *m_edit;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
