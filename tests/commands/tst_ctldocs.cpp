// SPDX-License-Identifier: GPL-2.0-or-later
// The manual page and the shell completions are written by hand: every command and option
// the tool's own help lists must appear in each of them.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString helpText()
{
    QProcess process;
    process.start(QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl"), {QStringLiteral("--help")});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of the help's Commands and Options sections: each entry's first word (or the
// options of an entry, "-v, --verbose").
QStringList listedWords(const QString &help)
{
    QStringList words;
    QString section;
    for (const QString &line : help.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char(' ')) && line.endsWith(QLatin1Char(':')))
            section = line;
        if (!line.startsWith(QLatin1String("  ")) || line.startsWith(QLatin1String("   ")))
            continue;
        if (section.startsWith(QLatin1String("Commands"))) {
            words << line.simplified().section(QLatin1Char(' '), 0, 0);
        } else if (section.startsWith(QLatin1String("Options"))) {
            const QRegularExpression option(QStringLiteral("(?:^|[ ,])(--?[a-z][a-z-]*)"));
            auto it = option.globalMatch(line.simplified().section(QLatin1Char(' '), 0, 1));
            while (it.hasNext())
                words << it.next().captured(1);
        }
    }
    return words;
}

QString fileText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // The manual page escapes its hyphens.
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class CtlDocsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyListedCommandAndOption_isInTheManualAndEachCompletion_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("manual") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/man/mousecfgctl.1");
        QTest::newRow("bash") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/mousecfgctl.bash");
        QTest::newRow("zsh") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/_mousecfgctl");
        QTest::newRow("fish") << QStringLiteral(MOUSECFG_SOURCE_DIR "/dist/completions/mousecfgctl.fish");
    }

    void everyListedCommandAndOption_isInTheManualAndEachCompletion()
    {
        QFETCH(QString, path);
        const QString text = fileText(path);
        QVERIFY2(!text.isEmpty(), qPrintable(path));
        const QStringList words = listedWords(helpText());
        // A parse that finds nothing would pass whatever the files say.
        QVERIFY2(words.contains(QLatin1String("select-slot")) && words.contains(QLatin1String("--json"))
                     && words.contains(QLatin1String("-v")),
                 qPrintable(words.join(QLatin1Char(' '))));
        for (const QString &word : words) {
            // Fish and zsh name options without their dashes ("-l json", "{-v,--verbose}").
            const QString bare = QString(word).remove(QRegularExpression(QStringLiteral("^-+")));
            const QRegularExpression whole(QStringLiteral("(?<![a-z0-9-])%1(?![a-z0-9-])")
                                               .arg(QRegularExpression::escape(word)));
            const QRegularExpression fish(QStringLiteral("-[sl] %1(?![a-z0-9-])").arg(bare));
            const bool found = text.contains(whole) || (word.startsWith(QLatin1Char('-')) && text.contains(fish));
            QVERIFY2(found, qPrintable(QStringLiteral("%1 does not mention %2").arg(path, word)));
        }
    }
};

QTEST_GUILESS_MAIN(CtlDocsTest)
#include "tst_ctldocs.moc"
