// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestprocessdialog.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTimer>

#include "widgets/kestskin.h"
#include "platform/windowsystem.h"

namespace {
constexpr int kDesignSize = 128;
}

KestProcessDialog::KestProcessDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_background(skinPath(QStringLiteral("process.png")))
{
    setObjectName(QStringLiteral("KestProcessDialog"));
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    const int side = scaled(kDesignSize);
    setFixedSize(side, side);
    if (!m_background.isNull()) {
        // Without a compositor the translucent corners would show black: cut the
        // window to the picture's outline instead.
        m_background = m_background.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (m_background.hasAlphaChannel() && !platform::onWayland())
            setMask(m_background.mask());
    }

    m_animation = new QLabel(this);
    m_animation->setGeometry(0, 0, side, side);
    m_animation->setAlignment(Qt::AlignCenter);
    m_animation->setAttribute(Qt::WA_TranslucentBackground);
    m_movie = new QMovie(QStringLiteral(":/skin/loading.gif"), QByteArray(), this);
    m_animation->setMovie(m_movie);
}

KestProcessDialog::~KestProcessDialog() = default;

void KestProcessDialog::writeDone()
{
    // Leave the worker's signal delivery first; the dialog ends from the event loop.
    QTimer::singleShot(0, this, &KestProcessDialog::finish);
}

void KestProcessDialog::finish()
{
    m_finished = true;
    m_movie->stop();
    done(1);
}

void KestProcessDialog::reject()
{
    // The GUI thread waits for the worker once the dialog is gone: closing it early
    // would leave the window blocked with nothing on screen and hide the result.
    if (m_finished)
        QDialog::reject();
}

void KestProcessDialog::closeEvent(QCloseEvent *event)
{
    if (!m_finished)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void KestProcessDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
}

void KestProcessDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QWidget *owner = parentWidget()) {
        const QRect area = owner->window()->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    m_movie->start();
}
