// SPDX-License-Identifier: GPL-2.0-or-later
// The core on its own, against the simulated mouse: no window, no dialog, no bus.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/kestdiskcopy.h"
#include "core/kestfocusswitcher.h"
#include "core/kestmousecore.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/statusdecode.h"
#include "device/sim/kestsimmouse.h"
#include "platform/focuswatch.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/kestinifile.h"
#include "store/profilefiles.h"
#include "tests/app/shellfixture.h"
#include "tests/common/appfixture.h"

namespace {

// A focus the test moves by hand.
class HandFocus final : public platform::FocusWatch
{
public:
    using FocusWatch::FocusWatch;
    bool isActive() const override { return true; }
    platform::FocusWindow current() const override { return m_current; }
    QVector<platform::FocusWindow> openWindows() const override { return {m_current}; }
    void focus(const QString &program)
    {
        m_current.instance = m_current.className = m_current.executable = program;
        m_current.id += 1;
        m_current.pid = 1; // never this process
        emit focusChanged(m_current);
    }

private:
    platform::FocusWindow m_current;
};

int storedSlot()
{
    return QSettings(globalConfigPath(), QSettings::IniFormat).value(QStringLiteral("Config/ProfileID")).toInt();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_app;
    std::shared_ptr<KestSimMouse> m_sim;
    std::unique_ptr<KestMouseCore> m_core;

    void start()
    {
        m_sim = std::make_shared<KestSimMouse>(true, false);
        setHidBackend(m_sim);
        m_core.reset(new KestMouseCore);
        m_core->stopBatteryReader(); // only the reports a test makes
    }

    // Files a minute old, as at any start but the first, with stamps that vouch for them
    // alone: setting the time changed them just now, so the stamps settle first.
    static bool settleFiles()
    {
        const QDateTime past = QDateTime::currentDateTime().addSecs(-60);
        QDirIterator files(configFolder(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(past, QFileDevice::FileModificationTime))
                return false;
        }
        QTest::qWait(100);
        return true;
    }

    // The result of the next switch the core finishes.
    int switchAndWait(int slot, bool backWhenRefused = false)
    {
        QSignalSpy finished(m_core.get(), &KestMouseCore::slotSwitchFinished);
        if (m_core->switchSlot(slot, backWhenRefused) == 0)
            return -1;
        if (!finished.wait(5000))
            return -2;
        return finished.at(0).at(2).toInt();
    }

    KestWriteResult writeAndWait()
    {
        QSignalSpy finished(m_core.get(), &KestMouseCore::writeFinished);
        if (!m_core->write() || !finished.wait(10000)) {
            KestWriteResult lost;
            lost.status = SendResult(-1);
            return lost;
        }
        return finished.at(0).at(0).value<KestWriteResult>();
    }

private slots:
    void initTestCase()
    {
        setPointerSpeedDesktopAccess(false);
        KestLinkTimings timings;
        timings.afterWriteMs = 1;
        timings.beforeRereadMs = 1;
        timings.readTimeoutMs = 30;
        timings.reopenMs = 5;
        setLinkTimings(timings);
    }

    void init()
    {
        m_app.reset(new QTemporaryDir);
        setApplicationDir(m_app->path());
        writeProductFiles(m_app->path());
    }

    void cleanup()
    {
        m_core.reset();
        m_sim.reset();
        setHidBackend(nullptr);
    }

    // Where the desktop keeps no pointer speed, the start keeps the profile's own.
    void start_keepsTheProfilesSpeed_whereTheDesktopHasNone()
    {
        start(); // writes the slot files
        m_core.reset();
        ConfigRecord stored;
        QVERIFY(loadAll(stored).isUsable());
        stored.profiles[0].mousespeed = 4;
        QVERIFY(saveAll(stored));
        // The desktop is out of reach here; the process remembers another speed.
        setPointerSpeed(17);
        m_core.reset(new KestMouseCore);
        QCOMPARE(int(m_core->working().profiles[0].mousespeed), 4);
    }

    // A desktop slow to tell its pointer speed does not hold the start: the profile's speed
    // shows first and the desktop's takes its place when it comes, as no edit of the
    // user's; a speed the user set meanwhile stays.
    void start_takesTheDesktopsSpeedWhenItComes_withoutWaiting()
    {
        start();
        m_core.reset();
        ConfigRecord stored;
        QVERIFY(loadAll(stored).isUsable());
        const size_t slot = size_t(activeSlotIndex(stored));
        stored.profiles[slot].mousespeed = 4;
        QVERIFY(saveAll(stored));

        QTemporaryDir tools;
        QVERIFY(tools.isValid());
        const QString gate = tools.filePath(QStringLiteral("gate"));
        const QString asked = tools.filePath(QStringLiteral("asked"));
        QFile tool(tools.filePath(QStringLiteral("gsettings")));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n[ \"$1\" = get ] || exit 1\ni=0\n"
                   "while [ ! -e \"$GATE\" ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i+1)); done\n"
                   "echo 0.5\ntouch \"$ASKED\"\n");
        tool.close();
        QVERIFY(tool.setPermissions(tool.permissions() | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(tools.path()) + ':' + path);
        qputenv("GATE", QFile::encodeName(gate));
        qputenv("ASKED", QFile::encodeName(asked));
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        setPointerSpeedDesktopAccess(true);
        auto openGate = [&gate] { QFile(gate).open(QIODevice::WriteOnly); };
        auto restore = qScopeGuard([path] {
            setPointerSpeedDesktopAccess(false);
            qputenv("PATH", path);
            qunsetenv("XDG_CURRENT_DESKTOP");
        });

        // The desktop keeps 0.5 on its -1..1 scale: 15 on ours.
        m_core.reset(new KestMouseCore);
        QCOMPARE(int(m_core->working().profiles[slot].mousespeed), 4);
        openGate();
        QTRY_COMPARE(int(m_core->working().profiles[slot].mousespeed), 15);
        QVERIFY(!m_core->hasUnappliedEdits());

        m_core.reset();
        QVERIFY(QFile::remove(gate));
        QVERIFY(QFile::remove(asked));
        m_core.reset(new KestMouseCore);
        m_core->working().profiles[slot].mousespeed = 7;
        openGate();
        QTRY_VERIFY(QFile::exists(asked));
        QTest::qWait(100);
        QCOMPARE(int(m_core->working().profiles[slot].mousespeed), 7);
    }

    // Every switch shows "Profile N"; one the mouse refuses is reported, and a caller that
    // asked for it finds the slot as it was.
    void switchSlot_confirmedShowsTheSlot_refusedGoesBack()
    {
        start();
        QSignalSpy osd(m_core.get(), &KestMouseCore::osdText);
        QCOMPARE(switchAndWait(3), 0);
        QCOMPARE(int(m_sim->state().selectedProfile), 3);
        QCOMPARE(m_core->currentSlot(), 3);
        QCOMPARE(osd.last().at(0).toString(), QStringLiteral("Profile 4"));

        m_sim->setSilent(true);
        QCOMPARE(switchAndWait(1, true), 2);
        QCOMPARE(m_core->currentSlot(), 3);
        QCOMPARE(storedSlot(), 3);
        // Without the caller's wish the slot stays where the user put it.
        QCOMPARE(switchAndWait(1), 2);
        QCOMPARE(m_core->currentSlot(), 1);
        QCOMPARE(m_core->switchSlot(5), 0);
        QCOMPARE(m_core->switchSlot(-1), 0);
    }

    // One write at a time; its result says what happened and what was sent.
    void write_answersWithOneTypedResult()
    {
        start();
        m_core->working().profiles[0].pollrate = 8;
        QSignalSpy finished(m_core.get(), &KestMouseCore::writeFinished);
        QVERIFY(m_core->write());
        QVERIFY(m_core->isWriting());
        QVERIFY(!m_core->write());
        QCOMPARE(m_core->switchSlot(2), 0); // the records belong to the write
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.count(), 1);
        const KestWriteResult result = finished.at(0).at(0).value<KestWriteResult>();
        QCOMPARE(int(result.status), 0);
        QCOMPARE(int(result.sent.profiles[0].pollrate), 8);
        QCOMPARE(int(m_sim->state().reportRate), 8);
        QCOMPARE(m_core->lastWritten(), result.sent);

        m_sim->setWriteErrors(1000);
        m_core->working().profiles[0].pollrate = 4;
        QCOMPARE(int(writeAndWait().status), 4);
    }

    // The panels' values count as edits, stay over a switch, and go on discard.
    void edits_collectedKeptOverSwitchDroppedOnDiscard()
    {
        start();
        QVERIFY(!m_core->hasUnappliedEdits());
        quint8 rate = m_core->working().profiles[0].pollrate == 2 ? 4 : 2;
        m_core->setCollector([&rate](ConfigRecord &set) {
            if (activeSlotIndex(set) == 0)
                set.profiles[0].pollrate = rate;
        });
        QVERIFY(m_core->hasUnappliedEdits());
        QCOMPARE(switchAndWait(2), 0);
        QCOMPARE(int(m_core->working().profiles[0].pollrate), int(rate));
        QVERIFY(m_core->hasUnappliedEdits());
        m_core->setCollector({});
        m_core->discardUnappliedEdits();
        QVERIFY(!m_core->hasUnappliedEdits());
        QCOMPARE(m_core->currentSlot(), 2);
    }

    // A plugged mouse reloads the files: what did not change comes back as it was saved
    // (edits not applied are dropped, as always), a file written meanwhile, replaced or
    // in place with the same size, is read anew.
    void reload_readsChangedFiles_restoresUnchangedOnes()
    {
        start();
        m_core->reload();
        m_core->reload();
        const ConfigRecord saved = m_core->working();
        const quint8 otherRate = saved.profiles[1].pollrate == 2 ? 3 : 2;
        m_core->working().profiles[1].pollrate = otherRate;
        m_core->reload();
        QVERIFY(m_core->working() == saved);

        ProfileRecord replaced = saved.profiles[1];
        replaced.pollrate = otherRate;
        const QString path = profileFilePath(saved.names[1]);
        QVERIFY(saveProfile(1, replaced, path).isOk());
        m_core->reload();
        QCOMPARE(int(m_core->working().profiles[1].pollrate), int(otherRate));
        // Files left alone a while are told unchanged by their stamps alone; a change of
        // the same size, in place, still shows.
        QTest::qWait(100);
        m_core->reload();

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const QByteArray key = QByteArray("pollrate=") + QByteArray::number(otherRate);
        const int at = bytes.indexOf(key);
        QVERIFY(at >= 0);
        bytes[at + key.size() - 1] = char('0' + saved.profiles[1].pollrate);
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
        file.close();
        m_core->reload();
        QCOMPARE(int(m_core->working().profiles[1].pollrate), int(saved.profiles[1].pollrate));
    }

    // The profiles read while the program starts stand only while the files are still the
    // ones read: a profile another program rewrote meanwhile is the one the core shows.
    void preloadedProfiles_yieldToAFileChangedSince()
    {
        start();
        const ConfigRecord saved = m_core->working();
        m_core.reset();
        QVERIFY(settleFiles());
        KestDiskCopy::preload();
        start();
        QVERIFY(m_core->working() == saved);
        m_core.reset();

        KestDiskCopy::preload();
        // Long enough for the read to be done on any machine that runs the suite, so that
        // what follows changes a file the copy was taken from.
        QTest::qWait(300);
        ProfileRecord changed = saved.profiles[2];
        changed.pollrate = saved.profiles[2].pollrate == 2 ? 3 : 2;
        QVERIFY(saveProfile(2, changed, profileFilePath(saved.names[2])).isOk());
        start();
        QCOMPARE(int(m_core->working().profiles[2].pollrate), int(changed.pollrate));
    }

    // Nothing changed since the copy was taken: the start after the read ahead, and a
    // replug, take the copy instead of reading five profiles again.
    void unchangedFiles_areAnsweredFromTheCopy()
    {
        start();
        m_core.reset();
        QVERIFY(settleFiles());
        KestDiskCopy disk;
        ConfigRecord first;
        QVERIFY(disk.load(first).isOk());
        QVERIFY(!disk.lastFromCopy());
        ConfigRecord again;
        QVERIFY(disk.load(again).isOk());
        QVERIFY(disk.lastFromCopy());
        QVERIFY(again == first);

        KestDiskCopy::preload();
        KestDiskCopy started;
        started.takePreload();
        ConfigRecord atStart;
        QVERIFY(started.load(atStart).isOk());
        QVERIFY(started.lastFromCopy());
        QVERIFY(atStart == first);
    }

    // The first report after a switch describes the slot the mouse now runs, whatever the
    // firmware keeps per slot: no file changes. A level the mouse then changes is saved.
    void statusReportAfterSwitch_writesNoFile_aMouseChangeIs()
    {
        start();
        for (int k = 0; k < SLOT_COUNT; ++k) {
            m_core->working().profiles[size_t(k)].dpi = quint8(k);
            m_core->working().profiles[size_t(k)].pollrate = quint8(k % 2 ? 4 : 2);
        }
        QCOMPARE(int(writeAndWait().status), 0);
        QStringList paths;
        for (int k = 0; k < SLOT_COUNT; ++k)
            paths << profileFilePath(m_core->slotName(k));
        paths << globalConfigPath();
        auto snapshot = [&paths] {
            QList<QByteArray> files;
            for (const QString &path : paths)
                files << fileBytes(path);
            return files;
        };
        const QList<QByteArray> before = snapshot();
        for (int k = 0; k < SLOT_COUNT; ++k) {
            QCOMPARE(switchAndWait(k), 0);
            const int other = (k + 2) % SLOT_COUNT;
            // Either firmware: the new slot's values, or those the mouse showed before.
            m_core->takeStatusReport(quint8(other), quint8(other % 2 ? 4 : 2));
            m_core->takeStatusReport(quint8(other), quint8(other % 2 ? 4 : 2));
        }
        QList<QByteArray> after = snapshot();
        after.removeLast();
        QList<QByteArray> expected = before;
        expected.removeLast(); // the settings file keeps the current slot
        QCOMPARE(after, expected);

        // The DPI button on the mouse: the level reported moves from the last report's.
        m_core->takeStatusReport(7, 4);
        QCOMPARE(int(m_core->working().profiles[4].dpi), 7);
        ProfileRecord saved;
        QVERIFY(loadSlotFile(saved, m_core->slotName(4)));
        QCOMPARE(int(saved.dpi), 7);
    }

    // The mouse's own DPI button and rate reach the record, the slot's file and the
    // on-screen display, and are no edit; a report that changes nothing shows nothing; a
    // slot the mouse reports is followed and stored.
    void mouseReports_reachRecordFileAndDisplay()
    {
        start();
        QCOMPARE(switchAndWait(2), 0);
        QSignalSpy osd(m_core.get(), &KestMouseCore::osdText);
        const ProfileRecord &profile = m_core->working().profiles[2];
        const quint8 rate = profile.pollrate;
        // The reader always reports slot 0: that is not a switch.
        m_core->takeStatusReport(profile.dpi, rate);
        m_core->takeStatusReport(profile.dpi, rate);
        QCOMPARE(m_core->currentSlot(), 2);
        QVERIFY(osd.isEmpty());

        const quint8 level = quint8((profile.dpi + 1) % 6);
        m_core->takeStatusReport(level, rate);
        QCOMPARE(profile.dpi, level);
        QCOMPARE(osd.last().at(0).toString(), QStringLiteral("DPI %1:%2").arg(level + 1).arg(
            dpiCodeToDpi(int(profile.DPI_INFO[level].x), readSensorCode())));
        ProfileRecord saved;
        QVERIFY(loadSlotFile(saved, m_core->slotName(2)));
        QCOMPARE(saved.dpi, level);
        const quint8 other = rate == 2 ? 4 : 2;
        m_core->takeStatusReport(level, other);
        QCOMPARE(profile.pollrate, other);
        QCOMPARE(osd.last().at(0).toString(), QStringLiteral("%1 Hz").arg(statusdecode::rateCodeToHz(other)));
        QVERIFY(!m_core->hasUnappliedEdits());

        m_core->takeSlotReport(4);
        QCOMPARE(m_core->currentSlot(), 4);
        QCOMPARE(storedSlot(), 4);
        QCOMPARE(osd.last().at(0).toString(), QStringLiteral("Profile 5"));
    }

    // A fresh install takes the sensor options the description asks for; a key the user
    // already holds stays as it is.
    void freshInstall_takesSensorOptionsFromDescription()
    {
        QTemporaryDir sample;
        setApplicationDir(sample.path());
        QVERIFY(writeSampleAppFolder(sample.path()));
        {
            KestIniFile settings;
            QVERIFY(settings.load(globalConfigPath()).isUsable());
            settings.setInt(QStringLiteral("Config/Jitter"), 0);
            QVERIFY(settings.save(globalConfigPath()));
        }
        start();
        // The shipped description asks for lift 1, angle 1, key response 8, jitter 1.
        const ConfigRecord &set = m_core->working();
        QCOMPARE(int(set.LiftHigh), 1);
        QCOMPARE(int(set.AngleValue), 1);
        QCOMPARE(int(set.Debounce), 8);
        QCOMPARE(int(set.Jitter), 0);
        QCOMPARE(int(set.SensorMode), 1);
        ConfigRecord saved;
        QVERIFY(loadAll(saved).isUsable());
        QCOMPARE(int(saved.LiftHigh), 1);
        QCOMPARE(int(saved.Debounce), 8);
        QCOMPARE(int(saved.Jitter), 0);
        m_core.reset(); // before its folder goes
    }

    // A settings file the core cannot write is said, and a switch says it was not saved.
    void unsavableSettings_switchSaysNotSaved()
    {
        start();
        QSignalSpy notSaved(m_core.get(), &KestMouseCore::fileNotSaved);
        const QString config = globalConfigPath();
        QVERIFY(QFile::rename(config, config + QStringLiteral(".real")));
        QVERIFY(QFile::link(config + QStringLiteral(".real"), config)); // never written through
        QSignalSpy finished(m_core.get(), &KestMouseCore::slotSwitchFinished);
        QVERIFY(m_core->switchSlot(2) != 0);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.at(0).at(2).toInt(), 0); // the mouse took it
        QCOMPARE(finished.at(0).at(3).toBool(), false);
        // The mouse's own answer to the switch may store the slot (and fail) once more.
        QVERIFY(!notSaved.isEmpty());
        const KestFileResult result = notSaved.at(0).at(0).value<KestFileResult>();
        QCOMPARE(result.path(), config);
        QCOMPARE(result.reason(), KestFileResult::NotRegularFile);
    }

    // A rule's switch that waited for a write happens once: a later write leaves the slot
    // the user chose since.
    void ruleSwitchAfterWrite_laterWriteDoesNotSwitchBack()
    {
        start();
        auto *focus = new HandFocus;
        KestFocusSwitcher *rules = m_core->focusSwitcher();
        rules->setWatch(focus);
        QVERIFY(rules->setRule(QStringLiteral("game"), 2));

        // A write slow enough that the focus settles while it runs, so the switch has to wait.
        KestLinkTimings slow = linkTimings();
        slow.afterWriteMs = 40;
        setLinkTimings(slow);
        QSignalSpy finished(m_core.get(), &KestMouseCore::writeFinished);
        QElapsedTimer writing;
        writing.start();
        QVERIFY(m_core->write());
        focus->focus(QStringLiteral("game"));
        QVERIFY(finished.wait(20000));
        QVERIFY2(writing.elapsed() > KestFocusSwitcher::SettleMs, "the write ended before the focus settled");
        QCOMPARE(m_core->currentSlot(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_core->currentSlot(), 2, 3000);
        initTestCase();

        QCOMPARE(switchAndWait(0), 0);
        QCOMPARE(int(writeAndWait().status), 0);
        QTest::qWait(KestFocusSwitcher::SettleMs + 200);
        QCOMPARE(m_core->currentSlot(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
