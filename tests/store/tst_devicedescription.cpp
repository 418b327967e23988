// SPDX-License-Identifier: GPL-2.0-or-later
#include <QtTest>

#include "store/devicedescription.h"
#include "storefixture.h"

class TestDeviceDescription : public QObject
{
    Q_OBJECT

private slots:
    void counts_followTheXorRule();
    void missingFile_givesDefaults();
    void hexNumber_readsAsZero();
    void matrices_fillAndReturnCount();
    void sensorDefaults_missingKeysGiveTheirDefaults();
};

void TestDeviceDescription::counts_followTheXorRule()
{
    StoreFixture fixture;
    fixture.describe({{QStringLiteral("ButtonCount"), 7}, {QStringLiteral("MouseDpi"), 0}});
    QCOMPARE(readButtonCount(), 7);
    fixture.describe({{QStringLiteral("ButtonCount"), 5},
                      {QStringLiteral("MouseDpi"), 3},
                      {QStringLiteral("DPICount"), 0}});
    QCOMPARE(readButtonCount(), 6);
    QCOMPARE(readDpiLevelCount(), 6);
    fixture.describe({{QStringLiteral("DPICount"), 1}});
    QCOMPARE(readDpiLevelCount(), 7);
}

void TestDeviceDescription::missingFile_givesDefaults()
{
    StoreFixture fixture;
    QVERIFY(!deviceDescriptionExists());
    QCOMPARE(readMinDelay(), 10);
    QCOMPARE(readShowSleep(), 1);
    QCOMPARE(readSleepRange().min, 1);
    QCOMPARE(readSleepRange().max, 9);
    QCOMPARE(readShowMouseButton(), 1);
    QCOMPARE(readFrench(), -1);
    QCOMPARE(readDisableMacro(), 0);
    QCOMPARE(readButtonCount(), 0);
    QCOMPARE(readDescriptionProductName(), QString());

    ButtonMatrix matrix;
    matrix.fill(7);
    readMatrix(matrix);
    QCOMPARE(matrix[0], quint8(7));
    QCOMPARE(readMatrix2(matrix), -1);
    QCOMPARE(matrix[15], quint8(7));
    SensorDefaults sensor;
    sensor.lift = 9;
    QCOMPARE(readSensorDefaults(sensor), -1);
    QCOMPARE(int(sensor.lift), 9);
    DeviceDefaults defaults;
    defaults.pollrate = 4;
    QCOMPARE(readDeviceDefaults(defaults), -1);
    QCOMPARE(defaults.pollrate, 4);
}

void TestDeviceDescription::hexNumber_readsAsZero()
{
    StoreFixture fixture;
    QFile file(fixture.path(QStringLiteral("DefaultProfile.bin")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[PROFILE]\nMinDelay=0x10\nButtonCount=0x07\nScrollRev=1\n");
    file.close();
    QCOMPARE(readButtonCount(), 0);
    QCOMPARE(readMinDelay(), 1); // 0 would divide by zero in the macro editor
    QCOMPARE(readScrollRev(), 1);
}

void TestDeviceDescription::matrices_fillAndReturnCount()
{
    StoreFixture fixture;
    fixture.describe({{QStringLiteral("ButtonCount"), 4},
                      {QStringLiteral("MouseDpi"), 1},
                      {QStringLiteral("BUTTON_INFO_0_Matrix"), 3},
                      {QStringLiteral("BUTTON_INFO_15_Matrix"), 258},
                      {QStringLiteral("BUTTON_INFO_2_Matrix2"), -1}});
    ButtonMatrix matrix;
    matrix.fill(9);
    readMatrix(matrix);
    QCOMPARE(int(matrix[0]), 3);
    QCOMPARE(int(matrix[1]), 0);
    QCOMPARE(int(matrix[15]), 2);
    QCOMPARE(readMatrix2(matrix), 5);
    QCOMPARE(int(matrix[2]), 255); // "-1" marks a missing button
}

void TestDeviceDescription::sensorDefaults_missingKeysGiveTheirDefaults()
{
    StoreFixture fixture;
    fixture.describe({{QStringLiteral("lift"), 2}});
    SensorDefaults sensor;
    sensor.sensormode = 0;
    QCOMPARE(readSensorDefaults(sensor), 0);
    QCOMPARE(int(sensor.lift), 2);
    QCOMPARE(int(sensor.butondelay), 20);
    QCOMPARE(int(sensor.sensormode), 1);
    QCOMPARE(int(sensor.sync), 0);
}

QTEST_GUILESS_MAIN(TestDeviceDescription)
#include "tst_devicedescription.moc"
