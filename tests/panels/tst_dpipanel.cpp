// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QtTest>

#include "panelfixture.h"
#include "panels/kestdpifield.h"
#include "panels/kestdpiwindow.h"
#include "panels/kestsingledpi.h"
#include "panels/kesttwobarslider.h"
#include "store/dpisensor.h"
#include "widgets/kestskin.h"

namespace {

ProfileRecord sampleRecord()
{
    ProfileRecord record;
    for (int i = 0; i < DPI_LEVELS; ++i) {
        DpiInfo &info = record.DPI_INFO[i];
        info.used = 1;
        info.link = 1;
        info.xy = info.x = info.y = static_cast<quint32>(10 * (i + 1));
    }
    record.dpi = 1;
    return record;
}

QColor textColorOf(const QWidget *row)
{
    // The level number label is the first label child; all labels of a row share a colour.
    const auto labels = row->findChildren<QLabel *>();
    return labels.first()->palette().color(QPalette::WindowText);
}

} // namespace

class DpiPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void rangeEnds_showSensorDpi_data();
    void rangeEnds_showSensorDpi();
    void codeLabels_convertPerSensor_data();
    void codeLabels_convertPerSensor();
    void levelCount_limitsVisibleRows_data();
    void levelCount_limitsVisibleRows();
    void linkThenMoveBar_setsBothAxesToOneCode();
    void unlinkedBars_editOneAxisEach();
    void linkMoveUnlink_barsShowWhatIsStored();
    void enableBox_switchesLevel();
    void rowPressAndMouseReport_moveActiveLevelAndHighlight();
    void refresh_dropsUnappliedEdits();
    void codeOutsideRange_keptUntilMoved();
    void typedDpi_snapsToSensorStepWithinRange_data();
    void typedDpi_snapsToSensorStepWithinRange();
    void arrowKeys_stepOneCode_andUnlinkedAxesApart();
    void escapeOrEmptiedField_keepsTheStoredDpi();
};

void DpiPanelTest::rangeEnds_showSensorDpi_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<QString>("product");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<bool>("linkShown");
    QTest::newRow("3399") << 3399 << "KX-27" << false << "50" << "40000" << true;
    QTest::newRow("3212") << 3212 << "KX-27" << false << "600" << "7200" << false;
    QTest::newRow("3327 other") << 3327 << "KX-27" << false << "200" << "16400" << false;
    QTest::newRow("3327 KX-25") << 3327 << "KX-25" << false << "200" << "12400" << false;
    QTest::newRow("3104") << 3104 << "KX-27" << false << "500" << "4200" << true;
    QTest::newRow("31042") << 31042 << "KX-27" << false << "500" << "8400" << true;
    QTest::newRow("3389") << 3389 << "KX-27" << false << "100" << "32000" << true;
    QTest::newRow("3370") << 3370 << "KX-27" << false << "50" << "19000" << false;
    QTest::newRow("33952") << 33952 << "KX-27" << false << "50" << "52000" << false;
    QTest::newRow("3325") << 3325 << "KX-27" << false << "100" << "5000" << false;
    QTest::newRow("33252 extended") << 33252 << "KX-27" << true << "100" << "16000" << false;
    QTest::newRow("unknown") << 4242 << "KX-27" << false << "100" << "12000" << false;
}

void DpiPanelTest::rangeEnds_showSensorDpi()
{
    QFETCH(int, sensor);
    QFETCH(QString, product);
    QFETCH(bool, extended);
    PanelAppDir app(6, sensor, product);
    app.setDescription(QStringLiteral("33254"), extended ? 1 : 0);

    KestDPIWindow window(sampleRecord());
    window.refresh(sampleRecord(), sensor);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(bool, linkShown);
    KestSingleDPI *row = window.row(0);
    QCOMPARE(row->minimumText(), minimum);
    QCOMPARE(row->maximumText(), maximum);
    QCOMPARE(!row->linkBox()->isHidden(), linkShown);
    const DpiCodeRange range = dpiCodeRangeForInstalled(sensor);
    QCOMPARE(row->twoBarSlider()->minimumCode(), range.minimum);
    QCOMPARE(row->twoBarSlider()->maximumCode(), range.maximum);
}

void DpiPanelTest::codeLabels_convertPerSensor_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("3399 code 0") << 3399 << 0 << "50";
    QTest::newRow("3399 code 599") << 3399 << 599 << "40000";
    QTest::newRow("3212 code 21") << 3212 << 21 << "800";
    QTest::newRow("3212 code 111") << 3212 << 111 << "7200";
    QTest::newRow("3327 code 106") << 3327 << 106 << "16400";
    QTest::newRow("31042 code 107") << 31042 << 107 << "4320";
    QTest::newRow("unknown sensor, 100 per code") << 4242 << 57 << "5700";
}

void DpiPanelTest::codeLabels_convertPerSensor()
{
    QFETCH(int, sensor);
    QFETCH(int, code);
    QFETCH(QString, text);
    PanelAppDir app(6, sensor);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[2].link = 0;
    record.DPI_INFO[2].x = static_cast<quint32>(code);
    record.DPI_INFO[2].y = static_cast<quint32>(code);
    KestDPIWindow window(record);
    window.refresh(record, sensor);
    QCOMPARE(window.row(2)->xText(), QStringLiteral("X:") + text);
    QCOMPARE(window.row(2)->yText(), QStringLiteral("Y:") + text);
    QCOMPARE(window.row(2)->singleText(), QStringLiteral("DPI : ") + text);
}

void DpiPanelTest::levelCount_limitsVisibleRows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("visible");
    QTest::newRow("4") << 4 << 4;
    QTest::newRow("6") << 6 << 6;
    QTest::newRow("12") << 12 << 8;
    QTest::newRow("negative") << -3 << 0;
}

void DpiPanelTest::levelCount_limitsVisibleRows()
{
    QFETCH(int, count);
    QFETCH(int, visible);
    PanelAppDir app(count);
    KestDPIWindow window(sampleRecord());
    window.resize(456, KestDPIWindow::kDesignHeight);
    window.show();
    for (int level = 0; level < DPI_LEVELS; ++level) {
        QCOMPARE(window.row(level)->isVisible(), level < visible);
        if (level >= visible)
            continue;
        const QRect row = window.row(level)->geometry();
        // Up to six levels keep the 50 px pitch; eight are packed to stay in the panel.
        if (visible <= 6)
            QCOMPARE(row, QRect(15, 43 + 50 * level, 440, 48));
        QVERIFY(window.rect().contains(row));
        QVERIFY(row.height() >= 40);
        if (level > 0)
            QVERIFY(row.top() > window.row(level - 1)->geometry().bottom());
    }
}

void DpiPanelTest::linkThenMoveBar_setsBothAxesToOneCode()
{
    PanelAppDir app(6, 3389);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[2] = DpiInfo{1, 0, 77, 40, 90};
    KestDPIWindow window(record);
    KestSingleDPI *row = window.row(2);
    QVERIFY(!row->isLinked());

    row->linkBox()->click();
    QCOMPARE(window.record().DPI_INFO[2].link, quint8(1));
    // One bar shows both axes now; the codes follow what it shows.
    QCOMPARE(window.record().DPI_INFO[2].x, 40u);
    QCOMPARE(window.record().DPI_INFO[2].y, 40u);

    row->twoBarSlider()->linkedBar()->setValue(300);
    ProfileRecord applied = sampleRecord();
    window.applyTo(applied);
    QCOMPARE(applied.DPI_INFO[2].x, 300u);
    QCOMPARE(applied.DPI_INFO[2].y, 300u);
    QCOMPARE(applied.DPI_INFO[2].xy, 77u); // carried through untouched
    QCOMPARE(row->singleText(), QStringLiteral("DPI : 15000"));
}

void DpiPanelTest::unlinkedBars_editOneAxisEach()
{
    PanelAppDir app(6, 3389);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[0].link = 0;
    KestDPIWindow window(record);
    KestTwoBarSlider *bars = window.row(0)->twoBarSlider();
    QVERIFY(bars->linkedBar()->isHidden());
    bars->xBar()->setValue(100);
    bars->yBar()->setValue(200);
    QCOMPARE(window.record().DPI_INFO[0].x, 100u);
    QCOMPARE(window.record().DPI_INFO[0].y, 200u);
    QCOMPARE(window.row(0)->xText(), QStringLiteral("X:5000"));
    QCOMPARE(window.row(0)->yText(), QStringLiteral("Y:10000"));

    window.row(0)->linkBox()->click(); // link, then unlink again: the axes stay apart
    window.row(0)->linkBox()->click();
    QCOMPARE(window.record().DPI_INFO[0].link, quint8(0));
    QVERIFY(!bars->xBar()->isHidden());
}

void DpiPanelTest::linkMoveUnlink_barsShowWhatIsStored()
{
    PanelAppDir app(6, 3389);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[1] = DpiInfo{1, 0, 0, 40, 90};
    KestDPIWindow window(record);
    KestSingleDPI *row = window.row(1);
    KestTwoBarSlider *bars = row->twoBarSlider();

    row->linkBox()->click();
    bars->linkedBar()->setValue(300);
    row->linkBox()->click(); // unlinked: both bars show the code the linked bar set
    QCOMPARE(bars->xBar()->value(), 300);
    QCOMPARE(bars->yBar()->value(), 300);
    QCOMPARE(row->xText(), QStringLiteral("X:15000"));
    QCOMPARE(row->yText(), QStringLiteral("Y:15000"));

    // Moving X alone keeps the Y the row shows.
    bars->xBar()->setValue(100);
    QCOMPARE(window.record().DPI_INFO[1].x, 100u);
    QCOMPARE(window.record().DPI_INFO[1].y, 300u);
    QCOMPARE(bars->linkedBar()->value(), 100);

    // The other way: moving the axes apart and linking again shows one code everywhere.
    bars->yBar()->setValue(200);
    row->linkBox()->click();
    QCOMPARE(bars->linkedBar()->value(), 100);
    QCOMPARE(bars->yBar()->value(), 100);
    QCOMPARE(window.record().DPI_INFO[1].y, 100u);
    QCOMPARE(row->xCode(), 100);
    QCOMPARE(row->yCode(), 100);
}

void DpiPanelTest::enableBox_switchesLevel()
{
    PanelAppDir app;
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[3].used = 0;
    KestDPIWindow window(record);
    QVERIFY(!window.row(3)->enableBox()->isChecked());
    window.row(3)->enableBox()->click();
    QCOMPARE(window.record().DPI_INFO[3].used, quint8(1));
    window.row(1)->enableBox()->click();
    QCOMPARE(window.record().DPI_INFO[1].used, quint8(0));
}

void DpiPanelTest::rowPressAndMouseReport_moveActiveLevelAndHighlight()
{
    PanelAppDir app;
    setThemeColor(QColor(255, 0, 0));
    KestDPIWindow window(sampleRecord());
    QCOMPARE(textColorOf(window.row(1)), QColor(255, 0, 0));
    QCOMPARE(textColorOf(window.row(0)), QColor(255, 255, 255));

    QTest::mouseClick(window.row(4), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(window.record().dpi, quint8(4));
    QCOMPARE(textColorOf(window.row(4)), QColor(255, 0, 0));
    QCOMPARE(textColorOf(window.row(1)), QColor(255, 255, 255));

    window.selectLevel(0);
    ProfileRecord applied;
    window.applyTo(applied);
    QCOMPARE(applied.dpi, quint8(0));
    QCOMPARE(textColorOf(window.row(0)), QColor(255, 0, 0));
}

void DpiPanelTest::refresh_dropsUnappliedEdits()
{
    PanelAppDir app;
    KestDPIWindow window(sampleRecord());
    window.row(0)->twoBarSlider()->linkedBar()->setValue(200);
    window.refresh(sampleRecord(), 3389);
    QCOMPARE(window.record().DPI_INFO[0].x, 10u);
    QCOMPARE(window.row(0)->twoBarSlider()->linkedBar()->value(), 10);
}

void DpiPanelTest::codeOutsideRange_keptUntilMoved()
{
    PanelAppDir app(6, 3389);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[0].x = record.DPI_INFO[0].y = 900; // above 480
    KestDPIWindow window(record);
    QCOMPARE(window.row(0)->twoBarSlider()->linkedBar()->value(), 480);
    ProfileRecord applied;
    window.applyTo(applied);
    QCOMPARE(applied.DPI_INFO[0].x, 900u);
}

void DpiPanelTest::typedDpi_snapsToSensorStepWithinRange_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("exact") << 3311 << "1200" << 12 << "DPI : 1200";
    QTest::newRow("between steps, nearer above") << 3311 << "1270" << 13 << "DPI : 1300";
    QTest::newRow("tie takes the lower") << 3311 << "1250" << 12 << "DPI : 1200";
    QTest::newRow("below the range") << 3311 << "40" << 1 << "DPI : 100";
    QTest::newRow("zero") << 3311 << "0" << 1 << "DPI : 100";
    QTest::newRow("above the range") << 3311 << "99999" << 120 << "DPI : 12000";
    // This sensor's grid is irregular: 800 is a code of its own, not 790.
    QTest::newRow("irregular grid") << 3212 << "800" << 21 << "DPI : 800";
    QTest::newRow("irregular top") << 3212 << "7250" << 111 << "DPI : 7200";
}

void DpiPanelTest::typedDpi_snapsToSensorStepWithinRange()
{
    QFETCH(int, sensor);
    QFETCH(QString, typed);
    QFETCH(int, code);
    QFETCH(QString, shown);
    PanelAppDir app(6, sensor);
    KestDPIWindow window(sampleRecord()); // linked levels: one field for both axes
    KestDpiField *field = window.row(2)->singleField();

    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Return);

    QCOMPARE(window.record().DPI_INFO[2].x, quint32(code));
    QCOMPARE(window.record().DPI_INFO[2].y, quint32(code));
    QCOMPARE(window.row(2)->singleText(), shown);
    QCOMPARE(window.row(2)->twoBarSlider()->linkedBar()->value(), code);
}

void DpiPanelTest::arrowKeys_stepOneCode_andUnlinkedAxesApart()
{
    PanelAppDir app(6, 3311);
    ProfileRecord record = sampleRecord();
    record.DPI_INFO[0].link = 0;
    record.DPI_INFO[0].x = 8;
    record.DPI_INFO[0].y = 8;
    KestDPIWindow window(record);
    KestSingleDPI *row = window.row(0);
    QVERIFY(row->singleField()->isHidden());

    QTest::keyClick(row->xField(), Qt::Key_Up);
    QTest::keyClick(row->xField(), Qt::Key_Up);
    QTest::keyClick(row->yField(), Qt::Key_Down);
    QCOMPARE(window.record().DPI_INFO[0].x, 10u);
    QCOMPARE(window.record().DPI_INFO[0].y, 7u);
    QCOMPARE(row->xText(), QStringLiteral("X:1000"));
    QCOMPARE(row->yText(), QStringLiteral("Y:700"));

    // Never past the range end.
    row->yField()->setValue(1);
    QTest::keyClick(row->yField(), Qt::Key_Down);
    QCOMPARE(window.record().DPI_INFO[0].y, 1u);
}

void DpiPanelTest::escapeOrEmptiedField_keepsTheStoredDpi()
{
    PanelAppDir app(6, 3311);
    KestDPIWindow window(sampleRecord());
    KestDpiField *field = window.row(2)->singleField();
    const auto leave = [field] {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    };

    // Escape takes the typing back, also when the field is left afterwards.
    field->selectAll();
    QTest::keyClicks(field, "900");
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(window.row(2)->singleText(), QStringLiteral("DPI : 3000"));
    leave();
    QCOMPARE(window.record().DPI_INFO[2].x, 30u);

    // An emptied field left, or confirmed, keeps its level instead of the sensor's lowest.
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    leave();
    QCOMPARE(window.record().DPI_INFO[2].x, 30u);
    QCOMPARE(window.row(2)->singleText(), QStringLiteral("DPI : 3000"));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(window.record().DPI_INFO[2].y, 30u);
}

QTEST_MAIN(DpiPanelTest)
#include "tst_dpipanel.moc"
