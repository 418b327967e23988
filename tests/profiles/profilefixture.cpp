// SPDX-License-Identifier: GPL-2.0-or-later
#include "profilefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "app/kestprocessdialog.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"

void FakeProfileHost::countAccess()
{
    if (qobject_cast<KestProcessDialog *>(QApplication::activeModalWidget()))
        ++accessesWhileWriting;
}

ConfigRecord &FakeProfileHost::workingSet()
{
    countAccess();
    return working;
}

ConfigRecord &FakeProfileHost::lastWrittenSet()
{
    countAccess();
    return lastWritten;
}

void FakeProfileHost::collectPanelValues()
{
    ++collects;
    if (panelValues)
        panelValues(working);
}

void FakeProfileHost::refreshProfileView(int what)
{
    countAccess();
    ++refreshes;
    lastRefresh = what;
}

ProfileFixture::ProfileFixture() : manager(host)
{
    setApplicationDir(m_dir.path());
    setPointerSpeedDesktopAccess(false);
    const QString data = QStringLiteral(MOUSECFG_SOURCE_DIR "/data/");
    QDir().mkpath(path(QStringLiteral("Configs")));
    for (const QString &file : {QStringLiteral("DefaultProfile.bin"), QStringLiteral("Configs/Config.ini"),
                                QStringLiteral("Configs/LangConfig.ini")})
        QFile::copy(data + file, path(file));
    manager.setMessageHandler([this](int kind, const QString &text) {
        messages.append({kind, text});
        return answer;
    });
    manager.setNameHandler([this](const KestProfileManager::NameRequest &request) {
        suggestedNames << request.suggestion;
        namePrompts << request.prompt;
        KestProfileManager::NameAnswer answer;
        answer.name = nameAnswer == QLatin1String("?") ? request.suggestion : nameAnswer;
        answer.fromCurrent = startFromCurrent;
        return answer;
    });
    plugMouse();
}

ProfileFixture::~ProfileFixture()
{
    CloseDevices();
    setApplicationDir(QString());
}

QString ProfileFixture::path(const QString &relative) const
{
    return m_dir.path() + QLatin1Char('/') + relative;
}

void ProfileFixture::plugMouse()
{
    CloseDevices();
    sim = std::make_shared<KestSimMouse>(true, true);
    setHidBackend(sim);
    KestLinkTimings fast;
    fast.afterWriteMs = 0;
    fast.beforeRereadMs = 0;
    fast.readTimeoutMs = 10;
    fast.reopenMs = 0;
    fast.notifyDelayMs = 0;
    setLinkTimings(fast);
    BuildDeviceTable();
    EnumerateDevices();
    OpenDevices(host.product);
}

void ProfileFixture::unplugMouse()
{
    CloseDevices();
}

void ProfileFixture::installDefaultSlots()
{
    QVERIFY(writeTemplate());
    ConfigRecord set;
    makeDefaultConfig(set);
    for (int k = 0; k < SLOT_COUNT; ++k) {
        makeDefaultProfile(set.profiles[k]);
        set.profiles[k].ProfileName = set.names[k];
        host.library << set.names[k];
    }
    QVERIFY(saveAll(set));
    QVERIFY(writeProfileList(host.library));
    QVERIFY(loadAll(host.working).isUsable());
    host.lastWritten = host.working;
}

void ProfileFixture::addLibraryProfile(const QString &name)
{
    ProfileRecord profile;
    makeDefaultProfile(profile);
    profile.ProfileName = name;
    QVERIFY(saveSlotFile(profile, name));
    host.library << name;
    QVERIFY(writeProfileList(host.library));
}

QStringList ProfileFixture::messageTexts() const
{
    QStringList texts;
    for (const auto &m : messages)
        texts << m.second;
    return texts;
}
