// SPDX-License-Identifier: GPL-2.0-or-later
#include "profilefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "app/kestprocessdialog.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestdeviceworker.h"
#include "device/writeconfig.h"
#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "tests/common/appfixture.h"

void FakeProfileHost::countAccess()
{
    if (qobject_cast<KestProcessDialog *>(QApplication::activeModalWidget()))
        ++accessesWhileWriting;
}

void FakeProfileHost::collectPanelValues()
{
    countAccess();
    ++collects;
    if (panelValues)
        panelValues(core->working());
}

void FakeProfileHost::refreshProfileView(int what)
{
    countAccess();
    lastRefresh = what;
}

ProfileFixture::ProfileFixture() : manager(host)
{
    useFastLinkForWindowTests();
    setApplicationDir(m_dir.path());
    const QString data = QStringLiteral(MOUSECFG_SOURCE_DIR "/data/");
    QDir().mkpath(path(QStringLiteral("Configs")));
    for (const QString &file : {QStringLiteral("DefaultProfile.bin"), QStringLiteral("Configs/Config.ini"),
                                QStringLiteral("Configs/LangConfig.ini")})
        QFile::copy(data + file, path(file));
    sim = std::make_shared<KestSimMouse>(true, true);
    setHidBackend(sim);
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
}

ProfileFixture::~ProfileFixture()
{
    m_core.reset();
    setHidBackend(nullptr);
    setApplicationDir(QString());
}

void ProfileFixture::start()
{
    m_core = std::make_unique<KestMouseCore>();
    host.core = m_core.get();
    // Only the exchanges of the test itself: the reader stays stopped, after writes too,
    // and nothing it reads reaches the core.
    setTransactionReaderHooks({});
    m_core->stopBatteryReader();
    QObject::disconnect(m_core->batteryReader(), nullptr, m_core.get(), nullptr);
    settle();
}

void ProfileFixture::settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_core->deviceWorker()->isIdle(), 10000);
    // Whatever the worker answered reaches the core before the test goes on.
    QCoreApplication::sendPostedEvents();
}

QString ProfileFixture::path(const QString &relative) const
{
    return m_dir.path() + QLatin1Char('/') + relative;
}

void ProfileFixture::unplugMouse()
{
    sim->unplugDevice(KestSimDevice::Receiver);
    sim->unplugDevice(KestSimDevice::Cable);
    QTRY_COMPARE_WITH_TIMEOUT(m_core->connectedCount(), 0, 5000);
    settle();
}

void ProfileFixture::plugMouse()
{
    sim->clearFaults();
    sim->setState(KestSimMouseState{});
    QSignalSpy connected(m_core.get(), &KestMouseCore::connected);
    const bool wasConnected = m_core->connectedCount() > 0;
    sim->plugDevice(KestSimDevice::Receiver);
    sim->plugDevice(KestSimDevice::Cable);
    QTRY_VERIFY_WITH_TIMEOUT(receiverCommandPresent() && cableCommandPresent(), 5000);
    if (!wasConnected)
        QTRY_VERIFY_WITH_TIMEOUT(connected.count() > 0, 5000);
    settle();
    m_core->stopBatteryReader(); // started again by the connection
}

void ProfileFixture::addLibraryProfile(const QString &name)
{
    ProfileRecord profile;
    makeDefaultProfile(profile);
    profile.ProfileName = name;
    QVERIFY(saveSlotFile(profile, name));
    library() << name;
    QVERIFY(writeProfileList(library()));
}

QStringList ProfileFixture::messageTexts() const
{
    QStringList texts;
    for (const auto &m : messages)
        texts << m.second;
    return texts;
}
