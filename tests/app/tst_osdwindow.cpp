// SPDX-License-Identifier: GPL-2.0-or-later
#include <QBitmap>
#include <QImage>
#include <QTest>

#include "osdwindow.h"

// Where no compositor runs, the display's window takes the shape of its text: the mask must
// cover the letters and leave the margin around them out, or a black box shows.
class TestOsdWindow : public QObject
{
    Q_OBJECT

private slots:
    void textMask_coversTheLettersAndNotTheMargin()
    {
        OsdWindow window;
        osd::OsdMessage message;
        message.text = QStringLiteral("DPI 1600");
        message.fontSize = 40;
        message.displayTimeMs = 60000;
        window.showMessage(message);

        const QImage mask = window.textMask().toImage().convertToFormat(QImage::Format_Mono);
        QCOMPARE(mask.size(), window.size());
        int covered = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                covered += mask.pixelIndex(x, y) == 1 ? 1 : 0;
        const int all = mask.width() * mask.height();
        // Letters and outline take a real share of the window, but far from all of it.
        QVERIFY2(covered > all / 20, qPrintable(QString::number(covered)));
        QVERIFY2(covered < all * 3 / 4, qPrintable(QString::number(covered)));
        QCOMPARE(mask.pixelIndex(0, 0), 0);
        QCOMPARE(mask.pixelIndex(mask.width() - 1, mask.height() - 1), 0);
    }

    void emptyText_hidesTheWindow()
    {
        OsdWindow window;
        osd::OsdMessage message;
        message.text = QStringLiteral("Profile 2");
        window.showMessage(message);
        QVERIFY(window.isVisible());
        message.text.clear();
        window.showMessage(message);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestOsdWindow)
#include "tst_osdwindow.moc"
