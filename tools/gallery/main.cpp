// SPDX-License-Identifier: GPL-2.0-or-later
// Renders the widget kit in all its states over the real skin, one PNG per widget family
// plus one sheet with everything:  mousecfg_gallery OUT_DIR [SCALE]
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/kestslider.h"

namespace {

const char *const kStateNames[] = {"normal", "hover", "pressed", "disabled"};

QStringList skins(std::initializer_list<const char *> names)
{
    QStringList paths;
    for (const char *name : names)
        paths << skinPath(QString::fromLatin1(name));
    return paths;
}

// Puts a button into a state the way a user would.
void driveToState(KestPushButton *button, int state)
{
    if (state == KestPushButton::Disabled) {
        button->setEnabledLook(false);
        return;
    }
    if (state >= KestPushButton::Hover) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
    }
    if (state == KestPushButton::Pressed) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
    }
}

QWidget *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color:rgb(150,154,160);font-size:%1px;").arg(scaled(11)));
    return label;
}

// A dark board that holds one family of widgets in a grid.
class Board : public QWidget
{
public:
    explicit Board(const QString &title)
    {
        setAttribute(Qt::WA_StyledBackground);
        setStyleSheet(QStringLiteral("Board{background:rgb(20,21,24);}"));
        m_grid = new QGridLayout(this);
        m_grid->setContentsMargins(scaled(14), scaled(10), scaled(14), scaled(14));
        m_grid->setHorizontalSpacing(scaled(14));
        m_grid->setVerticalSpacing(scaled(8));
        auto *heading = new QLabel(title, this);
        heading->setStyleSheet(QStringLiteral("color:white;font-weight:bold;font-size:%1px;").arg(scaled(14)));
        m_grid->addWidget(heading, 0, 0, 1, 6);
    }
    void add(int row, int column, QWidget *widget, const QString &label)
    {
        widget->setParent(this);
        m_grid->addWidget(caption(label, this), 2 * row + 1, column);
        m_grid->addWidget(widget, 2 * row + 2, column, Qt::AlignLeft | Qt::AlignTop);
    }

private:
    QGridLayout *m_grid;
};

template<typename T>
T *sized(T *widget, int w, int h)
{
    widget->setFixedSize(scaled(w), scaled(h));
    return widget;
}

QImage capture(QWidget *widget)
{
    widget->adjustSize();
    widget->show();
    QCoreApplication::processEvents();
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(20, 21, 24));
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    widget->hide();
    return image;
}

Board *buttonBoard()
{
    auto *board = new Board(QStringLiteral("KestPushButton"));
    for (int state = 0; state < 4; ++state) {
        const QString name = QString::fromLatin1(kStateNames[state]);
        auto *text = sized(new KestPushButton(skins({"tabbutton-1.png", "tabbutton-3.png", "tabbutton-2.png"})), 110, 26);
        text->setText(QStringLiteral("CUSTOMIZE"));
        board->add(0, state, text, QStringLiteral("tab ") + name);
        driveToState(text, state);

        auto *close = sized(new KestPushButton(skins({"close-1.png", "close-2.png", "close-3.png"})), 19, 19);
        board->add(1, state, close, QStringLiteral("close ") + name);
        driveToState(close, state);

        auto *marker = sized(new KestPushButton(skins({"marker.png", "marker.png", "marker.png"})), 22, 22);
        marker->setFillMode(true);
        marker->setRoundFill(true);
        marker->setText(QString::number(state + 1));
        board->add(2, state, marker, QStringLiteral("round fill ") + name);
        driveToState(marker, state);
    }
    const struct
    {
        const char *normal;
        const char *hover;
    } icons[] = {{"profile_add1.png", "profile_add2.png"},
                 {"profile_del1.png", "profile_del2.png"},
                 {"profile_copy1.png", "profile_copy2.png"},
                 {"profile_import1.png", "profile_import2.png"}};
    int column = 0;
    for (const auto &icon : icons) {
        auto *button = sized(new KestPushButton(skins({icon.normal, icon.hover})), 24, 24);
        board->add(3, column, button, QString::fromLatin1(icon.normal));
        driveToState(button, column % 2);
        ++column;
    }
    auto *up = sized(new KestPushButton(skins({"tabbutton-1.png"})), 110, 26);
    up->setMarker(253);
    up->setText(QStringLiteral("DPI"));
    board->add(4, 0, up, QStringLiteral("marker 253"));
    auto *down = sized(new KestPushButton(skins({"tabbutton-1.png"})), 110, 26);
    down->setMarker(254);
    board->add(4, 1, down, QStringLiteral("marker 254"));
    auto *number = sized(new KestPushButton(skins({"tabbutton-1.png"})), 110, 26);
    number->setMarker(3);
    number->setText(QStringLiteral("A label far too long to fit"));
    board->add(4, 2, number, QStringLiteral("marker 3, elided"));
    auto *vertical = sized(new KestPushButton(skins({"tabbutton-1.png"})), 26, 90);
    vertical->setVerticalText(true);
    vertical->setText(QStringLiteral("MACRO"));
    board->add(4, 3, vertical, QStringLiteral("vertical"));
    return board;
}

Board *inputBoard()
{
    auto *board = new Board(QStringLiteral("KestLabel, KestSlider, KestLineEdit, KestProcessbar"));
    auto *plain = sized(new KestLabel(QStringLiteral("REPORT RATE")), 160, 24);
    plain->setStyleSheet(QStringLiteral("color:white;"));
    board->add(0, 0, plain, QStringLiteral("label"));
    auto *filled = sized(new KestLabel(QStringLiteral("1600")), 80, 24);
    filled->setAlignment(Qt::AlignCenter);
    filled->setFillColor(QColor(50, 50, 50));
    filled->setStyleSheet(QStringLiteral("color:white;"));
    board->add(0, 1, filled, QStringLiteral("filled, centred"));
    auto *wrapped = sized(new KestLabel(QStringLiteral("A longer text that wraps on two lines")), 160, 40);
    wrapped->setWordWrap(true);
    wrapped->setFontSizeDecrement(2);
    wrapped->setStyleSheet(QStringLiteral("color:white;"));
    board->add(0, 2, wrapped, QStringLiteral("wrapped, size − 2"));

    auto *slider = sized(new KestSlider(Qt::Horizontal), 220, 24);
    slider->setRange(1, 100);
    slider->setValue(64);
    slider->setShowBubble(true);
    slider->setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal{height:4px;background:rgb(60,64,70);border-radius:2px;}"
        "QSlider::sub-page:horizontal{background:%1;border-radius:2px;}"
        "QSlider::handle:horizontal{width:%2px;margin:-8px 0;border-radius:%3px;background:%1;}")
                              .arg(themeColor().name()).arg(scaled(20)).arg(scaled(10)));
    board->add(1, 0, slider, QStringLiteral("slider, bubble while dragged"));
    board->add(1, 1, new QWidget, QString());
    slider->show();
    slider->bubble()->setNumber(slider->value());
    slider->bubble()->move(slider->bubbleX(slider->value()), (scaled(24) - slider->bubble()->height()) / 2);
    slider->bubble()->show();

    auto *edit = sized(new KestLineEdit, 160, 24);
    edit->setText(QStringLiteral("Profile 1"));
    edit->setStyleSheet(QStringLiteral("color:white;background:rgb(30,30,30);border:1px solid rgb(70,74,80);"));
    board->add(1, 2, edit, QStringLiteral("line edit"));

    const QString barStyle = QStringLiteral(
        "QProgressBar{background:#FFFFFF;border-radius:2px;color:black;font-weight:bold;font-size:%1px;}"
        "QProgressBar::chunk{background:%2;border-radius:2px;}")
                                 .arg(scaled(16)).arg(themeColor().name());
    auto *battery = sized(new KestProcessbar, 62, 17);
    battery->setValue(65);
    battery->setFormat(QStringLiteral("%p%"));
    battery->setStyleSheet(barStyle);
    board->add(2, 0, battery, QStringLiteral("battery 65 %"));
    auto *off = sized(new KestProcessbar, 62, 17);
    off->setValue(100);
    off->setFormat(QStringLiteral("MOUSE OFF"));
    off->setTextVisible(false);
    off->setStyleSheet(QStringLiteral(
        "QProgressBar{background:rgb(100,100,100);border-radius:2px;color:white;font-weight:bold;font-size:%1px;}"
        "QProgressBar::chunk{background:rgb(100,100,100);}").arg(scaled(16)));
    board->add(2, 1, off, QStringLiteral("mouse off"));
    return board;
}

QImage menuPicture()
{
    KestMenu menu;
    for (const char *text : {"Left", "Right", "Middle", "Forward", "Back"})
        menu.addAction(new KestAction(QString::fromLatin1(text), &menu));
    menu.setFixedWidth(scaled(160));
    menu.popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    menu.setActiveAction(menu.actions().at(1));
    QCoreApplication::processEvents();
    const QImage image = menu.grab().toImage();
    menu.hide();
    return image;
}

QImage messagePicture(int kind, const QString &text)
{
    KestMessageBox box(kind, QString(), QStringLiteral("Warning"), text);
    return capture(&box);
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mousecfg_gallery OUT_DIR [SCALE]\n");
        return 64;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    setApplicationDir(QStringLiteral(MOUSECFG_APPDIR));
    initWidgetResources();
    if (argc > 2)
        setScaleFactor(QString::fromLocal8Bit(argv[2]).toDouble());

    QList<QImage> parts;
    const auto keep = [&](const QImage &image, const QString &name) {
        parts << image;
        return save(image, out + QLatin1Char('/') + name);
    };
    bool ok = true;
    Board *buttons = buttonBoard();
    ok &= keep(capture(buttons), QStringLiteral("buttons.png"));
    Board *inputs = inputBoard();
    ok &= keep(capture(inputs), QStringLiteral("inputs.png"));
    ok &= keep(menuPicture(), QStringLiteral("menu.png"));
    ok &= keep(messagePicture(1, QStringLiteral("Are you sure you want delete this profile?")),
               QStringLiteral("messagebox-question.png"));
    ok &= keep(messagePicture(4, QStringLiteral("Dongle Disconnect!")),
               QStringLiteral("messagebox-disconnect.png"));

    // Everything on one sheet, top to bottom.
    int width = 0;
    int height = 0;
    for (const QImage &part : parts) {
        width = qMax(width, part.width());
        height += part.height() + 8;
    }
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(60, 60, 60));
    QPainter painter(&sheet);
    int y = 0;
    for (const QImage &part : parts) {
        painter.drawImage(0, y, part);
        y += part.height() + 8;
    }
    painter.end();
    ok &= save(sheet, out + QStringLiteral("/gallery.png"));
    delete buttons;
    delete inputs;
    return ok ? 0 : 1;
}
