// SPDX-License-Identifier: GPL-2.0-or-later
// The pages line up at the scale the screen asks for, in English and French. CTest runs
// this program once per scale: the offscreen screen takes its DPI from QT_FONT_DPI.

#include <algorithm>
#include <cmath>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/kestlanguage.h"
#include "app/kestpagestack.h"
#include "app/kestscale.h"
#include "app/mousecfgwidget.h"
#include "buttons/kestbtnwindow.h"
#include "buttons/kestfirekeywindow.h"
#include "buttons/kestmacroselect.h"
#include "buttons/kestsinglekeywindow.h"
#include "device/devicelink.h"
#include "device/sim/kestsimmouse.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestsingledpi.h"
#include "shellfixture.h"
#include "store/appdir.h"
#include "tests/common/appfixture.h"
#include "widgets/kestlabel.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

// The frame the background draws around the pages, on the design canvas.
constexpr QRect kPageFrame(280, 74, 705, 472);

QRect scaledRect(const QRect &design)
{
    return QRect(scaled(design.x()), scaled(design.y()), scaled(design.width()),
                 scaled(design.height()));
}

QRect inWindow(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// What a text control needs across: its text in the font it paints with, and the mark
// beside it for check boxes and radios (what the style asks for in its size hint).
int neededWidth(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const KestLabel *>(widget))
        return QFontMetrics(label->paintFont()).horizontalAdvance(label->text());
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->fontMetrics().horizontalAdvance(label->text());
    if (qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QRadioButton *>(widget))
        return widget->sizeHint().width();
    // The skinned buttons cut a text that comes within 5 px of their edges.
    if (const auto *button = qobject_cast<const KestPushButton *>(widget))
        return QFontMetrics(languageFont()).horizontalAdvance(button->text()) + 5;
    return 0;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
        useFastLinkForWindowTests();
        MousecfgWidget::setTrayProbe([] { return false; });
        const double dpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
        if (dpi > 0)
            QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), dpi);
    }

    void init()
    {
        m_app.reset(new QTemporaryDir(m_tmp.path() + QStringLiteral("/app-XXXXXX")));
        QVERIFY(m_app->isValid());
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
        // The fonts the shipped settings name for each language.
        const QSettings shipped(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/Configs/Config.ini"),
                                QSettings::IniFormat);
        QSettings config(m_app->path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
        for (const QString &key : shipped.allKeys()) {
            if (key.startsWith(QLatin1String("FONT_LIST/FONT")))
                config.setValue(key, shipped.value(key));
        }
        // The shipped pictures and translations: text widths depend on the language.
        QVERIFY(QFile::link(QStringLiteral(MOUSECFG_APPDIR "/skin"), m_app->path() + QStringLiteral("/skin")));
        QVERIFY(QFile::link(QStringLiteral(MOUSECFG_APPDIR "/lang"), m_app->path() + QStringLiteral("/lang")));
    }

    void cleanup()
    {
        m_window.reset();
        setHidBackend(nullptr);
        m_sim.reset();
    }

    void dpiPage_isOneGrid_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("levels");
        for (int language : {0, 1}) {
            for (int levels : {1, 6, 7, 8})
                QTest::addRow("lang%d-%d-levels", language, levels) << language << levels;
        }
    }

    // The level panel, the report-rate box and the sensor options form one grid: no
    // overlap, common edges, nothing outside the page or clipped by its panel.
    void dpiPage_isOneGrid()
    {
        QFETCH(int, language);
        QFETCH(int, levels);
        QSettings(m_app->path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("PROFILE/DPICount"), 8 ^ levels); // ButtonCount ^ count
        start(language);
        m_window->showPage(MousecfgWidget::DpiPage);

        auto *dpi = qobject_cast<KestDPIWindow *>(m_window->pageItemWidget(MousecfgWidget::DpiPanel));
        QWidget *sensor = m_window->pageItemWidget(MousecfgWidget::PointSpeedPanel);
        QWidget *rate = m_window->pageItemWidget(MousecfgWidget::ReportRatePanel);
        QVERIFY(dpi && sensor && rate);
        const QRect dpiRect = inWindow(dpi, m_window.get());
        const QRect sensorRect = inWindow(sensor, m_window.get());
        const QRect rateRect = inWindow(rate, m_window.get());

        QVERIFY(!sensorRect.intersects(dpiRect));
        QVERIFY(!sensorRect.intersects(rateRect));
        QVERIFY(!rateRect.intersects(dpiRect));
        QCOMPARE(sensorRect.left(), dpiRect.left());
        QCOMPARE(rateRect.top(), dpiRect.top());
        QCOMPARE(rateRect.bottom(), dpiRect.bottom());
        // Edges that meet on the design canvas may part by the one pixel that rounding
        // each rectangle's origin and size on its own gives.
        QVERIFY(qAbs(sensorRect.right() - rateRect.right()) <= 1);
        // The same gutter between the columns as between the rows.
        QVERIFY(qAbs((rateRect.left() - dpiRect.right()) - (sensorRect.top() - dpiRect.bottom())) <= 1);
        const QRect page = scaledRect(kPageFrame);
        for (const QRect &r : {dpiRect, sensorRect, rateRect})
            QVERIFY2(page.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));

        int shown = 0;
        QRect previous;
        for (int level = 0; level < 8; ++level) {
            KestSingleDPI *row = dpi->row(level);
            if (!row->isVisible())
                continue;
            ++shown;
            const QRect r = inWindow(row, m_window.get());
            QVERIFY2(dpiRect.contains(r), qPrintable(QStringLiteral("level %1").arg(level + 1)));
            QVERIFY(!r.intersects(sensorRect));
            QVERIFY(!previous.isValid() || r.top() > previous.bottom());
            previous = r;
            for (QWidget *child : row->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
                if (child->isVisible())
                    QVERIFY2(row->rect().contains(child->geometry()),
                             qPrintable(child->metaObject()->className()));
            }
        }
        QCOMPARE(shown, levels);

        checkChildren(sensor);
        checkChildren(rate);
    }

    void buttonList_scrollBarStandsAgainstTheList_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("en") << 0;
        QTest::newRow("fr") << 1;
    }

    void buttonList_scrollBarStandsAgainstTheList()
    {
        QFETCH(int, language);
        start(language);
        m_window->showPage(MousecfgWidget::CustomizePage);
        auto *scroll = qobject_cast<QScrollArea *>(m_window->pageItemWidget(MousecfgWidget::ButtonWindow));
        QVERIFY(scroll);
        auto *list = qobject_cast<KestBtnWindow *>(scroll->widget());
        QVERIFY(list);
        QScrollBar *bar = scroll->verticalScrollBar();
        QVERIFY(bar->isVisible()); // eight buttons do not fit: the list scrolls

        int listRight = -1;
        for (int slot = 0; slot < KestBtnWindow::kSlotsPerPage; ++slot) {
            KestPushButton *label = list->label(slot);
            if (label->isVisible() && !label->geometry().isEmpty())
                listRight = qMax(listRight, inWindow(label, m_window.get()).right());
        }
        QVERIFY(listRight > 0);
        const int barLeft = inWindow(bar, m_window.get()).left();
        QVERIFY2(barLeft > listRight && barLeft - listRight <= scaled(8),
                 qPrintable(QStringLiteral("list ends at %1, bar starts at %2").arg(listRight).arg(barLeft)));

        // The wheel entries stay where they are while the list scrolls, beside the bar.
        KestPushButton *wheelUp = list->label(KestBtnWindow::kWheelUpSlot);
        QVERIFY(wheelUp->isVisible());
        const QRect before = inWindow(wheelUp, m_window.get());
        QVERIFY(before.left() > inWindow(bar, m_window.get()).right());
        QVERIFY(scaledRect(kPageFrame).contains(before));
        bar->setValue(bar->maximum());
        QCOMPARE(inWindow(wheelUp, m_window.get()), before);
    }

    // The skin's marks are drawn at the size of the box they stand in, not at the
    // picture's own 18 px: at 2.0 they would be half the size of the text beside them.
    void checkMarks_growWithTheScale()
    {
        start(0);
        m_window->showPage(MousecfgWidget::DpiPage);
        auto *dpi = qobject_cast<KestDPIWindow *>(m_window->pageItemWidget(MousecfgWidget::DpiPanel));
        QVERIFY(dpi);
        QList<QCheckBox *> boxes;
        for (QCheckBox *box : dpi->row(0)->findChildren<QCheckBox *>()) {
            if (box->isVisible() && box->isChecked())
                boxes << box;
        }
        KestFireKeyWindow fireKey(m_window.get());
        fireKey.show();
        for (QCheckBox *box : fireKey.findChildren<QCheckBox *>()) {
            if (box->isChecked())
                boxes << box;
        }
        QCOMPARE(boxes.size(), 3); // the level's enable and link boxes, the fire key's left button
        for (QCheckBox *box : qAsConst(boxes)) {
            const int mark = markWidth(box->grab().toImage());
            QVERIFY2(mark >= scaled(14), qPrintable(QStringLiteral("\"%1\": mark %2 px, wanted %3")
                                                        .arg(box->text()).arg(mark).arg(scaled(14))));
        }
    }

    // The fire key's four choices stand in one row inside the dialog, evenly spaced, their
    // words whole in both languages.
    void fireKeyChoices_fitAndSpaceEvenly_data() { buttonList_scrollBarStandsAgainstTheList_data(); }
    void fireKeyChoices_fitAndSpaceEvenly()
    {
        QFETCH(int, language);
        start(language);
        KestFireKeyWindow dialog(m_window.get());
        dialog.show();
        QList<QAbstractButton *> choices;
        for (QCheckBox *box : dialog.findChildren<QCheckBox *>())
            choices << box;
        QCOMPARE(choices.size(), 4);
        std::sort(choices.begin(), choices.end(), [](QAbstractButton *a, QAbstractButton *b) {
            return a->x() < b->x();
        });
        QList<int> gaps;
        for (int i = 0; i < choices.size(); ++i) {
            QAbstractButton *box = choices.at(i);
            QVERIFY2(dialog.rect().adjusted(scaled(10), 0, -scaled(10), 0).contains(box->geometry()),
                     qPrintable(box->text()));
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
            if (i > 0)
                gaps << box->x() - choices.at(i - 1)->geometry().right();
        }
        for (int gap : gaps) {
            QVERIFY(gap > 0);
            QVERIFY(qAbs(gap - gaps.first()) <= 2);
        }
        for (KestLabel *label : dialog.findChildren<KestLabel *>()) {
            QVERIFY2(neededWidth(label) <= label->contentsRect().width(), qPrintable(label->text()));
        }
    }

    // The dialogs open over the main window, whose style sheet gives every child the
    // application's palette back: texts set light through the dialog's palette came out
    // black on the dark plate.
    void dialogTexts_standOutFromThePlate()
    {
        start(1);
        const std::unique_ptr<QWidget> dialogs[] = {
            std::make_unique<KestFireKeyWindow>(m_window.get()),
            std::make_unique<KestSingleKeyWindow>(m_window.get()),
            std::make_unique<KestMacroSelect>(QStringLiteral("MACRO SELECT"), QString(), 1, 0,
                                              m_window.get())};
        for (const auto &dialog : dialogs) {
            dialog->show();
            for (KestLabel *label : dialog->findChildren<KestLabel *>()) {
                if (label->text().isEmpty() || !label->isVisible())
                    continue;
                const QColor text = label->palette().color(label->foregroundRole());
                QVERIFY2(text.lightness() >= 120,
                         qPrintable(QStringLiteral("\"%1\" in %2").arg(label->text(), text.name())));
            }
        }
    }

    // The round numbers on the mouse pictures stand apart from one another in both views.
    void markers_doNotTouch()
    {
        start(0);
        m_window->showPage(MousecfgWidget::CustomizePage);
        for (int view : {int(MousecfgWidget::FrontView), int(MousecfgWidget::SideView)}) {
            m_window->showView(view);
            QVector<KestPushButton *> markers;
            for (KestPushButton *button : m_window->findChildren<KestPushButton *>()) {
                bool number = false;
                button->text().toInt(&number);
                if (number && button->isVisible() && button->parentWidget() == m_window.get())
                    markers << button;
            }
            QVERIFY(markers.size() >= 6);
            for (int i = 0; i < markers.size(); ++i) {
                for (int j = i + 1; j < markers.size(); ++j) {
                    const QRect a = markers[i]->geometry();
                    const QRect b = markers[j]->geometry();
                    const QPoint d = a.center() - b.center();
                    const double apart = std::hypot(d.x(), d.y());
                    QVERIFY2(apart >= (a.width() + b.width()) / 2.0 + scaled(1),
                             qPrintable(QStringLiteral("view %1: %2 and %3 are %4 px apart")
                                            .arg(view).arg(markers[i]->text(), markers[j]->text())
                                            .arg(apart)));
                }
            }
        }
    }

private:
    // Across how many columns the skin's red mark is drawn.
    static int markWidth(const QImage &image)
    {
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() > 128 && c.red() > 150 && c.green() < 90 && c.blue() < 90) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        return right - left + 1;
    }

    void start(int language)
    {
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_window.reset(new MousecfgWidget);
        restartWithFastBatteryReader(m_window->core());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const int step = KestScale::stepForScreen(QGuiApplication::primaryScreen());
        QCOMPARE(m_window->scaleFactorValue(), KestScale::factorForStep(step));
        m_window->language()->choose(language);
        QCoreApplication::processEvents();
        // Without the compiled translations French would quietly be English twice.
        if (language == 1)
            QCOMPARE(m_window->pageStack()->tabButton(MousecfgWidget::LightingPage)->text(), QStringLiteral("ÉCLAIRAGE"));
    }

    // Every control of a panel inside it, and its text not cut.
    void checkChildren(QWidget *panel)
    {
        for (QWidget *child : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible() || child->isWindow())
                continue;
            const QString name = QStringLiteral("%1 \"%2\"").arg(
                QLatin1String(child->metaObject()->className()),
                child->property("text").toString());
            QVERIFY2(panel->rect().contains(child->geometry()), qPrintable(name + QStringLiteral(" outside")));
            const int room = qobject_cast<QLabel *>(child) ? child->contentsRect().width() : child->width();
            QVERIFY2(neededWidth(child) <= room,
                     qPrintable(name + QStringLiteral(" needs %1, has %2").arg(neededWidth(child)).arg(room)));
        }
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<MousecfgWidget> m_window;
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
