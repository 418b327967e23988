// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QMovie;

// The small busy indicator shown modally while the write worker saves and sends the
// profile set. writeDone() ends it with result 1.
class KestProcessDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit KestProcessDialog(QWidget *parent = nullptr);
    ~KestProcessDialog() override;

    // Only the worker ends the dialog: Escape and the window manager's close are
    // ignored, so the result of the write is always reported.
    void reject() override;

public slots:
    void writeDone();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void finish();

    QPixmap m_background;
    QLabel *m_animation = nullptr;
    QMovie *m_movie = nullptr;
    bool m_finished = false;
};
