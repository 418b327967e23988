// SPDX-License-Identifier: GPL-2.0-or-later
// Every save says whether it saved, never writes through what stands in a file's place,
// and never writes what our own reader would refuse.

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "store/appsettings.h"
#include "store/focusrules.h"
#include "store/kestinifile.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "storefixture.h"

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), qint64(data.size()));
}

ConfigRecord namedSet()
{
    ConfigRecord set;
    makeDefaultConfig(set);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        set.names[k] = QStringLiteral("Profile %1").arg(k + 1);
        set.profiles[k].pollrate = quint8(k + 1);
    }
    return set;
}

// Files the process writes beyond this size fail with EFBIG instead of a signal: a disk
// that fills up half way through a save, without needing one.
class WriteLimit
{
public:
    explicit WriteLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~WriteLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

} // namespace

class TestHonestWrites : public QObject
{
    Q_OBJECT

private slots:
    void linksAndSpecialFiles_areNeverWrittenThrough()
    {
        StoreFixture f;
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath(QStringLiteral("victim.txt"));
        // Readable as settings, so the product stays known while Config.ini is a link to it.
        const QByteArray theirs = "[Config]\nCurrentProductName=KX-27\n";
        put(victim, theirs);

        // The product's settings, a profile and the global settings, each a link.
        QVERIFY(writeProductName(QStringLiteral("KX-27")));
        QDir().mkpath(profileFolder());
        QVERIFY(QFile::link(victim, productConfigPath()));
        QCOMPARE(writeProfileList({QStringLiteral("a")}).reason(), KestFileResult::NotRegularFile);
        const QString profile = profileFilePath(QStringLiteral("Profile 1"));
        QVERIFY(QFile::link(victim, profile));
        QVERIFY(QFile::remove(globalConfigPath()));
        QVERIFY(QFile::link(victim, globalConfigPath()));

        ConfigRecord set = namedSet();
        const KestFileResult all = saveAll(set);
        QVERIFY(all.isNotSaved());
        QCOMPARE(all.reason(), KestFileResult::NotRegularFile);
        QCOMPARE(all.path(), globalConfigPath());
        QVERIFY(all.text().contains(globalConfigPath()));

        const KestFileResult one = saveSlotFile(set.profiles[0], QStringLiteral("Profile 1"));
        QCOMPARE(one.reason(), KestFileResult::NotRegularFile);
        QCOMPARE(one.path(), profile);
        QCOMPARE(saveActiveSlot(3).reason(), KestFileResult::NotRegularFile);
        KestFocusRules rules;
        QVERIFY(rules.setRule(QStringLiteral("steam"), 1));
        QCOMPARE(rules.save().reason(), KestFileResult::NotRegularFile);

        QCOMPARE(contents(victim), theirs);
        QVERIFY(QFileInfo(profile).isSymLink());

        // A pipe would never end a read and must not take a write either.
        const QString pipe = macroFilePath(QStringLiteral("piped"));
        QDir().mkpath(macroFolder());
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(saveMacro(QStringLiteral("piped"), MacroSettings{}, {}).reason(), KestFileResult::NotRegularFile);
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }

    void aFailedWrite_isReported_andLeavesTheOldFilesWhole()
    {
        StoreFixture f;
        const ConfigRecord old = namedSet();
        QVERIFY(saveAll(old));
        const QString slot = profileFilePath(QStringLiteral("Profile 3"));
        const QByteArray before = contents(slot);
        const QByteArray global = contents(globalConfigPath());

        ConfigRecord changed = old;
        for (ProfileRecord &profile : changed.profiles)
            profile.pollrate = 9;
        changed.ProfileID = 4;
        {
            WriteLimit full(4096); // Config.ini fits, a slot file does not
            const KestFileResult result = saveAll(changed);
            QVERIFY(result.isNotSaved());
            QVERIFY(result.text().contains(QLatin1String("was not saved")));
            QVERIFY(!saveSlotFile(changed.profiles[2], QStringLiteral("Profile 3")));
        }
        QCOMPARE(contents(slot), before);
        QCOMPARE(contents(globalConfigPath()), global);
        ConfigRecord back;
        QVERIFY(loadAll(back).isOk());
        for (int k = 0; k < SLOT_COUNT; ++k)
            QCOMPARE(int(back.profiles[k].pollrate), k + 1);
        // Nothing half-written is left beside the files.
        const QStringList left = QDir(profileFolder()).entryList(QDir::Files);
        for (const QString &name : left)
            QVERIFY2(name.endsWith(QLatin1String(".prof")), qPrintable(name));
    }

    void asRoot_anotherUsersFolder_isNotWritten()
    {
        if (::geteuid() != 0)
            QSKIP("only root can be led into another user's folder");
        StoreFixture f;
        QVERIFY(saveActiveSlot(1));
        const QString configs = QFileInfo(globalConfigPath()).path();
        const QByteArray global = contents(globalConfigPath());
        const uid_t other = 65534;
        QCOMPARE(::chown(QFile::encodeName(configs).constData(), other, other), 0);

        const KestFileResult result = saveActiveSlot(4);
        QCOMPARE(result.reason(), KestFileResult::OtherOwner);
        QVERIFY(result.text().contains(QLatin1String("udev rule")));
        QCOMPARE(saveSlotFile(namedSet().profiles[0], QStringLiteral("Profile 1")).reason(),
                 KestFileResult::OtherOwner);
        QCOMPARE(contents(globalConfigPath()), global);
        // Not even a lock file or a folder of root's was left there.
        QVERIFY(!QFileInfo::exists(globalConfigPath() + QStringLiteral(".lock")));
        QVERIFY(!QFileInfo::exists(profileFolder()));

        // A file of the other user in a folder of root's is not taken over either.
        QCOMPARE(::chown(QFile::encodeName(configs).constData(), 0, 0), 0);
        QCOMPARE(::chown(QFile::encodeName(globalConfigPath()).constData(), other, other), 0);
        QCOMPARE(saveActiveSlot(4).reason(), KestFileResult::OtherOwner);
    }

    void filesAtTheReadersLimits_areWrittenAndReadBack_oneMoreIsRefused()
    {
        StoreFixture f;
        const QString path = f.path(QStringLiteral("limits.ini"));

        KestIniFile entries;
        const int general = entries.addSection(QString());
        for (int i = 0; i < KestIniFile::MaxEntries; ++i)
            entries.appendInt(general, QString::number(i), 1);
        QVERIFY(entries.save(path));
        KestIniFile back;
        QVERIFY(back.load(path).isOk());
        QCOMPARE(back.size(), KestIniFile::MaxEntries);
        entries.appendInt(general, QStringLiteral("one more"), 1);
        QCOMPARE(entries.save(path).reason(), KestFileResult::OverLimit);

        KestIniFile sections;
        for (int i = 1; i < KestIniFile::MaxSections; ++i)
            sections.setInt(QStringLiteral("S%1/k").arg(i), i);
        QVERIFY(sections.save(path));
        QVERIFY(back.load(path).isOk());
        sections.setInt(QStringLiteral("last/k"), 0);
        QCOMPARE(sections.save(path).reason(), KestFileResult::OverLimit);

        // "big=" and a newline around the value.
        const int room = int(KestFileResult::MaxFileBytes) - int(sizeof("[General]\nbig=\n")) + 1;
        KestIniFile large;
        large.setString(QStringLiteral("big"), QString(room, QLatin1Char('x')));
        QVERIFY(large.save(path));
        QVERIFY(back.load(path).isOk());
        QCOMPARE(back.stringValue(QStringLiteral("big")).size(), room);
        large.setString(QStringLiteral("big"), QString(room + 1, QLatin1Char('x')));
        QCOMPARE(large.save(path).reason(), KestFileResult::OverLimit);
        QVERIFY(back.load(path).isOk()); // the last good file is still there
    }

    void namesRulesAndMacros_atTheirLimits_roundTrip_andBeyondAreRefused()
    {
        StoreFixture f;
        // Two bytes a character in UTF-8: the limit is in bytes.
        const QString longest(MaxStoreNameBytes / 2, QChar(0xE9));
        ProfileRecord profile = namedSet().profiles[1];
        QVERIFY(saveSlotFile(profile, longest));
        ProfileRecord loaded;
        QVERIFY(loadSlotFile(loaded, longest));
        QCOMPARE(int(loaded.pollrate), int(profile.pollrate));
        QCOMPARE(saveSlotFile(profile, longest + QLatin1Char('e')).reason(), KestFileResult::InvalidName);
        QCOMPARE(addToMacroList(longest + QLatin1Char('e')), -1);

        KestFocusRules rules;
        const QString program(KestFocusRules::MaxProgramLength, QLatin1Char('p'));
        QVERIFY(!rules.setRule(program + QLatin1Char('p'), 1));
        for (int i = 0; i < KestFocusRules::MaxRules; ++i)
            QVERIFY(rules.setRule(program.left(program.size() - 3) + QString::number(i).rightJustified(3, '0'), i % 5));
        QVERIFY(rules.save());
        QCOMPARE(KestFocusRules::load(), rules);

        QVector<MacroAction> actions(MACRO_MAX_ACTIONS, MacroAction{MACRO_KEY_DOWN, 0, 30});
        QVERIFY(saveMacro(QStringLiteral("long"), MacroSettings{}, actions));
        QCOMPARE(loadMacro(QStringLiteral("long")).actions, actions);
        actions.append(MacroAction{MACRO_KEY_UP, 0, 30});
        const KestFileResult over = saveMacro(QStringLiteral("long"), MacroSettings{}, actions);
        QCOMPARE(over.reason(), KestFileResult::OverLimit);
        QCOMPARE(loadMacro(QStringLiteral("long")).actions.size(), MACRO_MAX_ACTIONS);
    }
};

QTEST_GUILESS_MAIN(TestHonestWrites)
#include "tst_honestwrites.moc"
