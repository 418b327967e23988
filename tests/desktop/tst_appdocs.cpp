// SPDX-License-Identifier: GPL-2.0-or-later
// mousecfg's manual page and shell completions are written by hand: every option its
// --help lists must appear in each of them, and --help must answer without a display.
// The translations shipped beside it carry no text nobody chose.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString run(const QStringList &arguments, int *exitCode)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfg"), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(5000);
        return QString();
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The options of the help's Options section ("-h, --help" gives both).
QStringList listedOptions(const QString &help)
{
    QStringList options;
    bool inOptions = false;
    for (const QString &line : help.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char(' ')))
            inOptions = line == QLatin1String("Options:");
        if (!inOptions || !line.startsWith(QLatin1String("  ")) || line.startsWith(QLatin1String("   ")))
            continue;
        const QRegularExpression option(QStringLiteral("(?:^|[ ,])(--?[a-z][a-z-]*)"));
        auto it = option.globalMatch(line.simplified().section(QLatin1Char(' '), 0, 1));
        while (it.hasNext())
            options << it.next().captured(1);
    }
    return options;
}

} // namespace

class AppDocsTest : public QObject
{
    Q_OBJECT

private slots:
    void helpAndVersion_answerWithoutADisplay()
    {
        int status = -2;
        const QString help = run({QStringLiteral("--help")}, &status);
        QCOMPARE(status, 0);
        QVERIFY2(help.startsWith(QLatin1String("Usage: mousecfg")), qPrintable(help));
        const QString version = run({QStringLiteral("--version")}, &status);
        QCOMPARE(status, 0);
        QVERIFY2(version.contains(QRegularExpression(QStringLiteral("^mousecfg \\d+\\.\\d+\\.\\d+\\n$"))),
                 qPrintable(version));
    }

    void everyListedOption_isInTheManualAndEachCompletion_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("manual") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/man/mousecfg.1");
        QTest::newRow("bash") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/mousecfg.bash");
        QTest::newRow("zsh") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/_mousecfg");
        QTest::newRow("fish") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/mousecfg.fish");
    }

    void everyListedOption_isInTheManualAndEachCompletion()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        // The manual page escapes its hyphens.
        const QString text = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
        int status = -2;
        const QStringList options = listedOptions(run({QStringLiteral("--help")}, &status));
        // A parse that finds nothing would pass whatever the files say.
        QVERIFY2(options.contains(QLatin1String("--hidden")) && options.contains(QLatin1String("-h")),
                 qPrintable(options.join(QLatin1Char(' '))));
        for (const QString &option : options) {
            const QString bare = QString(option).remove(QRegularExpression(QStringLiteral("^-+")));
            const QRegularExpression whole(QStringLiteral("(?<![a-z0-9-])%1(?![a-z0-9-])")
                                               .arg(QRegularExpression::escape(option)));
            // Fish names options without their dashes: -s h, -l help, -o platform.
            const QRegularExpression fish(QStringLiteral("-[slo] %1(?![a-z0-9-])").arg(bare));
            QVERIFY2(text.contains(whole) || text.contains(fish),
                     qPrintable(QStringLiteral("%1 does not mention %2").arg(path, option)));
        }
    }

    // lupdate fills a new entry with the text of a similar one elsewhere and marks it
    // unfinished; the release tool ships it all the same. The macro page's "DELETE" once
    // read "Delete this profile" that way.
    void translations_shipNoGuessedText_andFrenchIsComplete()
    {
        for (const char *name : {"mousecfg_en.ts", "mousecfg_fr.ts"}) {
            QFile file(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/lang/") + QLatin1String(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), name);
            const QString text = QString::fromUtf8(file.readAll());
            const QRegularExpression guessed(QStringLiteral("<translation type=\"unfinished\">[^<]+<"));
            const QRegularExpressionMatch match = guessed.match(text);
            QVERIFY2(!match.hasMatch(), qPrintable(QLatin1String(name) + QLatin1String(": ") + match.captured()));
            if (QLatin1String(name) == QLatin1String("mousecfg_fr.ts"))
                QVERIFY2(!text.contains(QLatin1String("type=\"unfinished\"")), "French left unfinished");
        }
    }
};

QTEST_GUILESS_MAIN(AppDocsTest)
#include "tst_appdocs.moc"
