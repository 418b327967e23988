// SPDX-License-Identifier: GPL-2.0-or-later
// The lighting preview: the lit (coloured) parts of the picture take the effect's colour,
// the shell stays as drawn, and the clock runs only while it is needed.

#include <QPainter>
#include <QtTest>

#include "panels/kestlightpreview.h"

namespace {

// A shell half in grey and a lit half in the skin's red.
QPixmap samplePicture()
{
    QPixmap picture(20, 10);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 10, 10, QColor(100, 100, 100));
    painter.fillRect(10, 0, 10, 10, QColor(255, 0, 0));
    return picture;
}

// The skin's dark shell with a soft red glow fading into it, as around the wheel and the
// logo: the glow's rim is only faintly red.
QPixmap glowPicture()
{
    QPixmap picture(40, 40);
    picture.fill(QColor(40, 40, 44));
    QPainter painter(&picture);
    QRadialGradient glow(QPointF(20, 20), 20);
    glow.setColorAt(0, QColor(255, 0, 0, 90));
    glow.setColorAt(1, QColor(255, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(20, 20), 20, 20);
    return picture;
}

int mostRedOverBlue(const QPixmap &frame)
{
    const QImage image = frame.toImage();
    int most = -255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            most = qMax(most, image.pixelColor(x, y).red() - image.pixelColor(x, y).blue());
    return most;
}

QColor shell(const QPixmap &frame) { return frame.toImage().pixelColor(2, 5); }
QColor lit(const QPixmap &frame) { return frame.toImage().pixelColor(15, 5); }

} // namespace

class LightPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void steadyEffect_tintsOnlyTheLitParts()
    {
        KestLightPreview preview;
        preview.setPicture(samplePicture());
        preview.setLighting(1, QColor(0, 0, 255), 3, 3);
        const QPixmap frame = preview.frameAt(0);
        QCOMPARE(shell(frame), QColor(100, 100, 100));
        QVERIFY(lit(frame).blue() > 200);
        QVERIFY(lit(frame).red() < 40);

        // A lower brightness gives a dimmer light of the same colour.
        preview.setLighting(1, QColor(0, 0, 255), 1, 3);
        const QColor dim = lit(preview.frameAt(0));
        QVERIFY(dim.blue() < lit(frame).blue());
        QVERIFY(dim.blue() > dim.red());
    }

    void off_leavesNoColour()
    {
        KestLightPreview preview;
        preview.setPicture(samplePicture());
        preview.setLighting(0, QColor(0, 255, 0), 3, 3);
        const QColor off = lit(preview.frameAt(1.0));
        QVERIFY(off.hsvSaturation() < 20);
        QVERIFY(off.value() < 100);
    }

    void glow_takesTheColourEverywhereAndGoesOutWithTheLight()
    {
        KestLightPreview preview;
        preview.setPicture(glowPicture());
        preview.setLighting(1, QColor(0, 0, 255), 3, 3);
        QVERIFY2(mostRedOverBlue(preview.frameAt(0)) <= 4, "red left in a blue glow");
        QVERIFY(preview.frameAt(0).toImage().pixelColor(20, 20).blue() > 80);
        preview.setLighting(0, QColor(0, 0, 255), 3, 3);
        const QImage off = preview.frameAt(0).toImage();
        for (int y = 0; y < off.height(); ++y) {
            for (int x = 0; x < off.width(); ++x) {
                const QColor c = off.pixelColor(x, y);
                const int chroma = qMax(c.red(), qMax(c.green(), c.blue())) - qMin(c.red(), qMin(c.green(), c.blue()));
                QVERIFY2(chroma <= 8 && c.red() <= c.blue() + 2, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

    void breathing_risesAndFalls()
    {
        KestLightPreview preview;
        preview.setPicture(samplePicture());
        preview.setLighting(3, QColor(0, 255, 0), 3, 1); // one breath in 4.5 s
        const int start = lit(preview.frameAt(0)).green();
        const int top = lit(preview.frameAt(2.25)).green();
        const int end = lit(preview.frameAt(4.5)).green();
        QVERIFY(top > 200);
        QVERIFY(start < 60);
        QVERIFY(end < 60);
    }

    void clock_runsOnlyWhenShownAndMoving()
    {
        KestLightPreview preview;
        QSignalSpy frames(&preview, &KestLightPreview::frameChanged);
        preview.setPicture(samplePicture());
        preview.setLighting(3, QColor(255, 255, 0), 3, 5);
        QVERIFY(!preview.isAnimating());
        QCOMPARE(frames.count(), 0); // nothing is drawn for a page nobody sees

        preview.setActive(true);
        QVERIFY(preview.isAnimating());
        QVERIFY(frames.wait(500));

        preview.setLighting(1, QColor(255, 255, 0), 3, 5); // steady: one frame, no clock
        QVERIFY(!preview.isAnimating());
        preview.setLighting(5, QColor(255, 255, 0), 3, 5); // rainbow moves
        QVERIFY(preview.isAnimating());
        preview.setActive(false);
        QVERIFY(!preview.isAnimating());
    }
};

QTEST_MAIN(LightPreviewTest)
#include "tst_lightpreview.moc"
