// SPDX-License-Identifier: GPL-2.0-or-later
#include "osdwindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#ifdef MOUSECFG_OSD_X11
#include <X11/Xlib.h>
#endif

namespace {

// Without a compositing manager an X server paints a translucent window's background
// black, so the display would stand as a black box over the desktop. The manager owns the
// selection _NET_WM_CM_S<screen> while it runs; it may come and go, so ask each time.
bool compositorRunning()
{
#ifdef MOUSECFG_OSD_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return true;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    const bool owned = XGetSelectionOwner(display, selection) != None;
    XCloseDisplay(display);
    return owned;
#else
    return true;
#endif
}

} // namespace

OsdWindow::OsdWindow(QWidget *parent)
    : QWidget(parent,
              Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool
                  | Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint)
{
    setWindowTitle(QString::fromLatin1(osd::kDisplayName));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void OsdWindow::showMessage(const osd::OsdMessage &message)
{
    m_message = message;
    QFont font(message.fontFace);
    font.setPixelSize(qMax(1, message.fontSize));
    font.setBold(true);
    setFont(font);

    // Size the window to the text with a margin for the outline, centred low on the screen.
    const QFontMetrics metrics(font);
    const QSize textSize(metrics.horizontalAdvance(message.text), metrics.height());
    const QSize windowSize = textSize + QSize(40, 20);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    resize(windowSize);
    move(area.center().x() - windowSize.width() / 2,
         area.top() + area.height() * 3 / 4 - windowSize.height() / 2);

    if (message.text.isEmpty()) {
        hide();
        return;
    }
    if (compositorRunning())
        clearMask();
    else
        setMask(textMask());
    show();
    raise();
    update();
    m_hideTimer.start(qMax(0, message.displayTimeMs));
}

void OsdWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawText(painter);
}

QBitmap OsdWindow::textMask() const
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawText(painter);
    painter.end();
    return QBitmap::fromImage(image.createAlphaMask());
}

void OsdWindow::drawText(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const QFontMetrics metrics(font());
    const int x = (width() - metrics.horizontalAdvance(m_message.text)) / 2;
    const int y = (height() - metrics.height()) / 2 + metrics.ascent();
    path.addText(x, y, font(), m_message.text);
    // A dark outline keeps the coloured text readable on any desktop.
    painter.setPen(QPen(QColor(0, 0, 0, 200), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.fillPath(path, m_message.color.isValid() ? m_message.color : QColor(Qt::white));
}
