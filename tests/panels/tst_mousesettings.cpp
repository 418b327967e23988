// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/mousesettings.h"

using platform::MouseSettingsProgram;

class MouseSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }

    void desktopPrograms_comeFirst_data();
    void desktopPrograms_comeFirst();
    void everyKnownProgram_isTriedOnce();
    void installedProgram_isFoundWithFullPath();
    void nothingInstalled_reportsFailure();

private:
    void installFake(const QTemporaryDir &dir, const QString &name);
    QByteArray m_path;
};

void MouseSettingsTest::installFake(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

void MouseSettingsTest::desktopPrograms_comeFirst_data()
{
    QTest::addColumn<QString>("desktops");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("ubuntu") << "ubuntu:GNOME" << "gnome-control-center" << QStringList{"mouse"};
    QTest::newRow("kde") << "KDE" << "systemsettings" << QStringList{"kcm_mouse"};
    QTest::newRow("xfce") << "XFCE" << "xfce4-mouse-settings" << QStringList{};
    QTest::newRow("lxqt") << "LXQt" << "lxqt-config-input" << QStringList{};
    QTest::newRow("cinnamon") << "X-Cinnamon" << "cinnamon-settings" << QStringList{"mouse"};
    QTest::newRow("unset") << "" << "gnome-control-center" << QStringList{"mouse"};
}

void MouseSettingsTest::desktopPrograms_comeFirst()
{
    QFETCH(QString, desktops);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const auto candidates = platform::mouseSettingsCandidates(desktops);
    QCOMPARE(candidates.first().program, program);
    QCOMPARE(candidates.first().arguments, arguments);
}

void MouseSettingsTest::everyKnownProgram_isTriedOnce()
{
    const auto all = platform::mouseSettingsCandidates(QStringLiteral("ubuntu:GNOME"));
    QStringList seen;
    for (const MouseSettingsProgram &p : all)
        seen << p.program + QLatin1Char(' ') + p.arguments.join(QLatin1Char(' '));
    seen.removeDuplicates();
    QCOMPARE(seen.size(), all.size());
    QVERIFY(seen.size() >= 8);
}

void MouseSettingsTest::installedProgram_isFoundWithFullPath()
{
    QTemporaryDir dir;
    installFake(dir, QStringLiteral("lxqt-config-input"));
    installFake(dir, QStringLiteral("xfce4-mouse-settings"));
    qputenv("PATH", dir.path().toLocal8Bit());

    // The running desktop's own program wins over others that happen to be installed.
    MouseSettingsProgram found = platform::findMouseSettingsProgram(QStringLiteral("XFCE"));
    QCOMPARE(found.program, dir.filePath(QStringLiteral("xfce4-mouse-settings")));
    found = platform::findMouseSettingsProgram(QStringLiteral("GNOME"));
    QVERIFY(!found.isNull()); // GNOME's is missing: any installed one will do

    qputenv("XDG_CURRENT_DESKTOP", "LXQt");
    QVERIFY(platform::openMouseSettings());
}

void MouseSettingsTest::nothingInstalled_reportsFailure()
{
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    QVERIFY(platform::findMouseSettingsProgram(QStringLiteral("GNOME")).isNull());
    QVERIFY(!platform::openMouseSettings());
}

QTEST_GUILESS_MAIN(MouseSettingsTest)
#include "tst_mousesettings.moc"
