// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "skintestsupport.h"
#include "store/appsettings.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmenu.h"
#include "widgets/kestskin.h"
#include "widgets/kestslider.h"
#include "widgets/myintvalidator.h"

class TestKestKit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setScaleFactor(1.0); }

    void validator_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("output");
        QTest::newRow("above top becomes top") << "300" << int(QValidator::Acceptable) << "255";
        QTest::newRow("far above top") << "99999999999999999999999" << int(QValidator::Acceptable)
                                       << "255";
        QTest::newRow("top") << "255" << int(QValidator::Acceptable) << "255";
        QTest::newRow("in range") << "42" << int(QValidator::Acceptable) << "42";
        QTest::newRow("empty") << "" << int(QValidator::Intermediate) << "";
        QTest::newRow("below bottom") << "5" << int(QValidator::Intermediate) << "5";
        QTest::newRow("negative") << "-3" << int(QValidator::Intermediate) << "-3";
        QTest::newRow("letters") << "12a" << int(QValidator::Invalid) << "12a";
        QTest::newRow("sign alone") << "-" << int(QValidator::Invalid) << "-";
        QTest::newRow("spaces") << " 12" << int(QValidator::Invalid) << " 12";
        QTest::newRow("decimal point") << "1.5" << int(QValidator::Invalid) << "1.5";
    }
    void validator()
    {
        QFETCH(QString, input);
        for (QIntValidator *validator :
             {static_cast<QIntValidator *>(new MyIntValidator(10, 255, this)),
              static_cast<QIntValidator *>(new MyIntValidator2(10, 255, this))}) {
            QString text = input;
            int pos = text.size();
            QTEST(int(validator->validate(text, pos)), "state");
            QTEST(text, "output");
            QVERIFY(pos <= text.size());
        }
    }

    void sliderBubble_ridesOnTheHandleWhileDragging()
    {
        ScratchAppDir dir;
        KestSlider slider(Qt::Horizontal);
        slider.setRange(10, 110);
        slider.resize(220, 24);
        slider.setShowBubble(true);
        slider.show();
        const int bubbleWidth = slider.bubble()->width();
        QCOMPARE(slider.bubbleX(10), 0);
        QCOMPARE(slider.bubbleX(110), 220 - bubbleWidth);
        QCOMPARE(slider.bubbleX(60), (50 * (220 - bubbleWidth)) / 100);

        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(5, 12));
        QVERIFY(slider.isStill());
        QVERIFY(slider.bubble()->isVisible());
        QTest::mouseMove(&slider, QPoint(160, 12));
        QMouseEvent move(QEvent::MouseMove, QPointF(160, 12), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &move);
        QVERIFY(!slider.isStill());
        QCOMPARE(slider.bubble()->text(), QString::number(slider.value()));
        QCOMPARE(slider.bubble()->x(), slider.bubbleX(slider.value()));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(160, 12));
        QVERIFY(slider.isStill());
        QVERIFY(!slider.bubble()->isVisible());
    }

    void sliderWithEmptyRange_keepsBubbleAtStart()
    {
        ScratchAppDir dir;
        KestSlider slider(Qt::Horizontal);
        slider.setRange(5, 5);
        slider.resize(100, 20);
        QCOMPARE(slider.bubbleX(5), 0);
    }

    void skinPath_isBelowApplicationFolder()
    {
        ScratchAppDir dir;
        QCOMPARE(skinPath(QStringLiteral("dlg.png")), dir.path() + QStringLiteral("/skin/dlg.png"));
        QCOMPARE(skinPath(QStringLiteral("/dlg.png")), dir.path() + QStringLiteral("/skin/dlg.png"));
    }

    void sliderWithoutBubble_neverShowsIt()
    {
        ScratchAppDir dir;
        KestSlider slider(Qt::Horizontal);
        slider.resize(100, 20);
        slider.show();
        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(50, 10));
        QVERIFY(!slider.bubble()->isVisible());
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(50, 10));
    }

    void languageFont_usesConfiguredFamilyAndScaledSize()
    {
        ScratchAppDir dir;
        {
            QSettings global(globalConfigPath(), QSettings::IniFormat);
            global.setValue(QStringLiteral("FONT_LIST/FONT_1"), QStringLiteral("DejaVu Serif"));
            global.setValue(QStringLiteral("FONT_LIST/FONT_SIZE_1"), 13);
        }
        QVERIFY(writeLanguage(1));
        setScaleFactor(1.5);
        QFont font = languageFont();
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(font.pixelSize(), 19); // 13 × 1.5, fraction dropped
        QCOMPARE(languageFont(10).pixelSize(), 15);
        QCOMPARE(languageFont(0, 3).pixelSize(), 15); // (13 − 3) × 1.5
    }

    void languageFont_missingKeysFallBackToReadableDefault()
    {
        ScratchAppDir dir;
        const QFont font = languageFont();
        QCOMPARE(font.family(), QApplication::font().family());
        QCOMPARE(font.pixelSize(), kFallbackFontPixels);
        setScaleFactor(2.0);
        QCOMPARE(languageFont().pixelSize(), 2 * kFallbackFontPixels);
    }

    void label_numberAndFont()
    {
        ScratchAppDir dir;
        KestLabel label;
        label.setNumber(1600);
        QCOMPARE(label.text(), QStringLiteral("1600"));
        label.setFixedFontSize(20);
        label.setFontSizeDecrement(4);
        QCOMPARE(label.paintFont().pixelSize(), 16);
    }

    void menuStyleSheet_usesAccent()
    {
        const QString sheet = menuStyleSheet(QColor(0, 255, 255));
        QVERIFY(sheet.contains(QStringLiteral("QMenu::item:selected{border:1px solid #00ffff;")));
        QVERIFY(sheet.contains(QStringLiteral("color:rgb(0,0,0);background-color:#00ffff")));
        QVERIFY(sheet.contains(QStringLiteral("background-color:rgb(50,50,50)")));
    }

    void action_followsLanguageFontOnSetText()
    {
        ScratchAppDir dir;
        KestAction action(QStringLiteral("Left"));
        QCOMPARE(action.font().pixelSize(), kFallbackFontPixels);
        setScaleFactor(2.0);
        action.setText(QStringLiteral("Right"));
        QCOMPARE(action.font().pixelSize(), 2 * kFallbackFontPixels);
    }

    // A thousand profiles: the menu fits the screen and scrolls to its last entry, in the
    // language's font (set before the menu is sized, not at its first paint).
    void longMenu_scrollsWithinTheScreen()
    {
        ScratchAppDir dir;
        setScaleFactor(2.0);
        QStringList names;
        for (int i = 0; i < 1000; ++i)
            names.append(QStringLiteral("Profile %1").arg(i));
        KestMenu menu;
        menu.setCheckableEntries(names, names.at(500));
        QCOMPARE(menu.actions().size(), 1000);
        QVERIFY(menu.actions().at(500)->isChecked());
        QVERIFY(!menu.actions().at(499)->isChecked());
        QCOMPARE(menu.font().pixelSize(), 2 * kFallbackFontPixels);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        menu.popup(screen.topLeft());
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QVERIFY(menu.height() <= screen.height());
        QVERIFY(menu.width() < screen.width() / 2);
        QAction *last = menu.actions().last();
        menu.setActiveAction(last);
        QVERIFY(menu.rect().contains(menu.actionGeometry(last)));
        menu.hide();
    }
};

QTEST_MAIN(TestKestKit)
#include "tst_kestkit.moc"
