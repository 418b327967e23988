// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kestmousecore.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QTimer>

#include "core/kestfocusswitcher.h"
#include "core/kestnotices.h"
#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/kestbatteryreader.h"
#include "device/kestdeviceworker.h"
#include "device/sendcommand.h"
#include "device/statusdecode.h"
#include "device/writeconfig.h"
#include "platform/logging.h"
#include "platform/pointerspeed.h"
#include "store/appsettings.h"
#include "store/describedsensor.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/lightingslot.h"
#include "store/profilefiles.h"
#include "store/slotsettings.h"

QString KestMouseStatus::linkName() const
{
    switch (link) {
    case Receiver: return QStringLiteral("receiver");
    case Cable: return QStringLiteral("cable");
    case Both: return QStringLiteral("both");
    case None: break;
    }
    return QStringLiteral("none");
}

KestMouseCore::KestMouseCore(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<KestWriteResult>();
    qRegisterMetaType<KestFileResult>();
    // From here on the mouse is the device worker's: this thread only asks.
    m_worker = new KestDeviceWorker(this);
    declareGuiThread(QThread::currentThread());
    connectDeviceNotifications();

    m_productName = readProductName();
    if (m_productName.isEmpty())
        m_productName = readMouseListName();
    BuildDeviceTable();
    // What is plugged in decides what the faces show first; enumeration reads a few files
    // and opens nothing, so the start waits for it.
    m_worker->call([] { EnumerateDevices(); });
    refreshModels();

    m_library = readProfileList();
    m_worker->call([name = m_productName] { OpenDevices(name); });
    m_reader = new KestBatteryReader(this);
    connect(m_reader, &KestBatteryReader::batteryReported, this,
            [this](quint8 charge, quint8 level, quint8) { takeBatteryReport(charge, level); });
    connect(m_reader, &KestBatteryReader::statusReported, this,
            [this](quint8, quint8 dpi, quint8 rate, quint8) { takeStatusReport(dpi, rate); });
    m_reader->bindToTransactions();
    if (m_connectedCount > 0)
        startBatteryReader();

    // A refused file is noted by the reader; the faces show the list of them at start.
    // The copy read while the program started stands if the files are still the ones it
    // read: a change since (a product switch above writes the settings) reads them again.
    m_diskCopy.takePreload();
    static_cast<void>(m_diskCopy.load(m_working));
    keepDiskImage();
    seedDefaultProfiles();
    // The profile's own speed until the desktop tells its own (takeDesktopPointerSpeed).
    quint8 &speed = m_working.profiles[size_t(currentSlot())].mousespeed;
    if (speed < pointerspeed::kMinSpeed || speed > pointerspeed::kMaxSpeed)
        speed = quint8(rememberedPointerSpeed());
    m_lastWritten = m_working;
    m_clean = m_working;
    if (!QFile::exists(templatePath()))
        stored(writeTemplate());

    m_notices = new KestNotices(this);
    m_focus = new KestFocusSwitcher(this, this);
    refreshConnection();
    takeDesktopPointerSpeed();
}

void KestMouseCore::takeDesktopPointerSpeed()
{
    // Asked on the worker once the window is up: some desktops answer only through a program
    // of their own, and starting one (a fork of this process) slowed the start by tens of
    // milliseconds even off the GUI thread.
    QTimer::singleShot(300, this, [this] {
        const size_t slot = size_t(currentSlot());
        m_worker->request<std::optional<int>>([] { return desktopPointerSpeed(); }, this,
                                              [this, slot](std::optional<int> desktop) {
            quint8 &speed = m_working.profiles[slot].mousespeed;
            // A speed the user set meanwhile, or another slot by now, stays.
            if (!desktop || size_t(currentSlot()) != slot || speed != m_clean.profiles[slot].mousespeed
                || speed == *desktop)
                return;
            // The speed in effect, so no edit and nothing to write.
            speed = m_clean.profiles[slot].mousespeed = m_lastWritten.profiles[slot].mousespeed = quint8(*desktop);
            emit recordsChanged();
        });
    });
}

KestMouseCore::~KestMouseCore()
{
    stopBatteryReader();
    // Closes the handles on its own thread, giving up on an exchange a silent mouse holds.
    delete m_focus;
    m_focus = nullptr;
    delete m_worker;
    m_worker = nullptr;
    declareGuiThread(nullptr);
}

int KestMouseCore::currentSlot() const
{
    return activeSlotIndex(m_working);
}

KestProfileLibrary KestMouseCore::profileLibrary()
{
    return KestProfileLibrary(m_working, m_library, currentSlot(), m_productName);
}

QString KestMouseCore::slotName(int slot) const
{
    return m_working.names[size_t(qBound(0, slot, SLOT_COUNT - 1))];
}

void KestMouseCore::connectDeviceNotifications()
{
    KestDeviceNotifier *notifier = KestDeviceNotifier::instance();
    connect(notifier, &KestDeviceNotifier::modelListChanged, this, [this] {
        refreshModels();
        emit modelsChanged();
    });
    connect(notifier, &KestDeviceNotifier::deviceConnected, this, &KestMouseCore::onDeviceConnected);
    connect(notifier, &KestDeviceNotifier::lastDeviceRemoved, this, &KestMouseCore::onLastDeviceRemoved);
    connect(notifier, &KestDeviceNotifier::currentModelLost, this, &KestMouseCore::stopBatteryReader);
    connect(notifier, &KestDeviceNotifier::devicesReopened, this, [this] {
        startBatteryReader();
        reload();
    });
    connect(notifier, &KestDeviceNotifier::connectionChanged, this, &KestMouseCore::refreshConnection);
    if (!StartDeviceNotifications())
        qCWarning(lcDevice) << "hot-plug monitor not running; plugging in a mouse needs a restart";
}

QStringList KestMouseCore::refreshModels()
{
    const QStringList models = connectedModelNames();
    // The current model may have gone while another is connected: follow the first.
    if (!models.isEmpty() && !models.contains(m_productName)) {
        m_productName = models.first();
        stored(writeProductName(m_productName));
    }
    m_connectedCount = countConnectedModels();
    setConnectedModelCount(m_connectedCount);
    return models;
}

void KestMouseCore::chooseProduct(const QString &name)
{
    stopBatteryReader();
    m_productName = name;
    stored(writeProductName(name));
    // The profile follows at once; the reader once the handles are open.
    m_worker->request<int>(
        [name] {
            CloseDevices();
            OpenDevices(name);
            return 0;
        },
        this, [this](int) { startBatteryReader(); });
    reload();
    refreshModels();
}

void KestMouseCore::reload()
{
    m_reportedDpi = m_reportedRate = -1;
    // Refusals noted, as at start. A mouse plugged in reloads files that seldom changed
    // meanwhile: the copy of their last reading spares the wait.
    static_cast<void>(m_diskCopy.load(m_working));
    keepDiskImage();
    m_lastWritten = m_working;
    m_clean = m_working;
    emit recordsChanged();
}

void KestMouseCore::keepDiskImage()
{
    // Once the start or the plug is over: the next start reads it instead of the files.
    if (m_diskCopy.imageOutdated())
        QTimer::singleShot(1000, this, [this] { m_diskCopy.saveImage(); });
}

void KestMouseCore::onDeviceConnected()
{
    // Discovery has opened the handles already.
    m_connectedCount = countConnectedModels();
    setConnectedModelCount(m_connectedCount);
    startBatteryReader();
    reload();
    refreshConnection();
    emit connected();
}

void KestMouseCore::onLastDeviceRemoved()
{
    stopBatteryReader();
    m_connectedCount = 0;
    setConnectedModelCount(0);
    takeBatteryReport(0, 0);
    refreshConnection();
    emit disconnected();
}

bool KestMouseCore::takeDescribedSensorOptions()
{
    return ::takeDescribedSensorOptions(m_working);
}

void KestMouseCore::seedDefaultProfiles()
{
    // A first start knows no slot names and no profile files yet: each slot then shows
    // its default profile, "Profile 1" to "Profile 5", with the model's defaults, and
    // the library holds those five. Existing names and files are left as they are.
    bool namesChanged = false;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QString &name = m_working.names[size_t(k)];
        if (name.isEmpty()) {
            name = QStringLiteral("Profile %1").arg(k + 1);
            namesChanged = true;
        }
        if (isValidStoreName(name) && !QFile::exists(profileFilePath(name))) {
            makeDefaultProfile(m_working.profiles[size_t(k)]);
            m_working.profiles[size_t(k)].ProfileName = name;
            stored(saveSlotFile(m_working.profiles[size_t(k)], name));
        }
    }
    if (takeDescribedSensorOptions())
        stored(saveAll(m_working));
    else if (namesChanged)
        stored(saveSlotList(m_working));
    if (m_library.isEmpty()) {
        for (int k = 0; k < SLOT_COUNT; ++k)
            m_library << QStringLiteral("Profile %1").arg(k + 1);
        stored(writeProfileList(m_library));
    }
}

ConfigRecord KestMouseCore::collectedSet() const
{
    ConfigRecord set = m_working;
    if (m_collector)
        m_collector(set);
    return set;
}

void KestMouseCore::collect()
{
    if (m_collector)
        m_collector(m_working);
}

void KestMouseCore::markClean()
{
    m_clean = collectedSet();
}

bool KestMouseCore::hasUnappliedEdits() const
{
    if (m_writing)
        return false;
    ConfigRecord now = collectedSet();
    // Which slot is current and what the slots are called are not edits of a profile:
    // switching and renaming take effect at once.
    now.ProfileID = m_clean.ProfileID;
    now.names = m_clean.names;
    for (int k = 0; k < SLOT_COUNT; ++k)
        now.profiles[size_t(k)].ProfileName = m_clean.profiles[size_t(k)].ProfileName;
    return now != m_clean;
}

bool KestMouseCore::slotHasUnappliedEdits(int slot) const
{
    if (m_writing)
        return false;
    ProfileRecord now = collectedSet().profiles[size_t(slot)];
    now.ProfileName = m_clean.profiles[size_t(slot)].ProfileName;
    return !(now == m_clean.profiles[size_t(slot)]);
}

ConfigRecord KestMouseCore::appliedSet() const
{
    ConfigRecord set = m_clean;
    set.ProfileID = m_working.ProfileID;
    set.names = m_working.names;
    for (int k = 0; k < SLOT_COUNT; ++k)
        set.profiles[size_t(k)].ProfileName = m_working.profiles[size_t(k)].ProfileName;
    return set;
}

void KestMouseCore::discardUnappliedEdits()
{
    m_working = appliedSet();
    emit recordsChanged();
}

KestSettingResult KestMouseCore::setSetting(int slot, const QString &name, const QStringList &args, bool apply)
{
    using Result = KestSettingResult;
    if (m_writing || m_switchesInFlight > 0)
        return {Result::Busy, tr("A write to the mouse or a slot switch is running.")};
    if (slot < 0)
        slot = currentSlot();
    const SlotSettingsProduct product = SlotSettingsProduct::installed();
    ConfigRecord next = appliedSet();
    const SlotSettingChange change = SlotSettings(product).set(next, slot, name, args);
    switch (change.outcome) {
    case SlotSettingChange::Usage: return {Result::Usage, change.message};
    case SlotSettingChange::Refused:
    case SlotSettingChange::ReadOnly: return {Result::Refused, change.message};
    case SlotSettingChange::Unchanged: return {};
    case SlotSettingChange::Changed: break;
    }

    // The mouse holds the current slot, its lighting slot and the shared options; a change
    // of another slot reaches it when that slot becomes current.
    const bool onMouse = change.shared || change.slotChanged == currentSlot()
                         || change.slotChanged == lightingSlotIndex(next, product.product);
    // A write saves and sends the whole working set, and the shared options are saved with
    // every slot: then no edit may be pending anywhere. Otherwise only the slot's own file
    // is written, and only its edits stand in the way.
    const bool wholeSet = change.shared || (apply && onMouse);
    if (wholeSet ? hasUnappliedEdits() : slotHasUnappliedEdits(change.slotChanged)) {
        return {Result::UnappliedEdits,
                wholeSet ? tr("The window holds changes that were not applied: apply or drop them first.")
                         : tr("The window holds changes to slot %1 that were not applied: apply or drop them first.")
                               .arg(change.slotChanged + 1)};
    }

    if (change.shared) {
        const KestFileResult saved = saveAll(next);
        if (!saved.isOk())
            return {Result::NotSaved, saved.text()};
        m_working = next;
        m_clean = next;
    } else {
        const size_t k = size_t(change.slotChanged);
        if (!isValidStoreName(next.names[k]))
            return {Result::NotSaved, tr("Slot %1 has no profile file to save into.").arg(change.slotChanged + 1)};
        const KestFileResult saved = saveSlotFile(next.profiles[k], next.names[k]);
        if (!saved.isOk())
            return {Result::NotSaved, saved.text()};
        m_working.profiles[k] = next.profiles[k];
        m_clean.profiles[k] = next.profiles[k];
    }
    // The window takes the panels' values as clean when it shows the records again; edits
    // it holds for other slots stay edits.
    const ConfigRecord clean = m_clean;
    emit recordsChanged();
    m_clean = clean;
    refreshConnection();

    if (!onMouse)
        return {};
    if (!apply) {
        // The mouse now differs from the files: the next write sends everything. A mark the
        // settings file did not take is said like any other file not saved.
        stored(writeDiff(1));
        return {};
    }
    write();
    return {Result::Writing, QString()};
}

void KestMouseCore::setCleanValue(const std::function<void(ConfigRecord &)> &change)
{
    change(m_working);
    change(m_clean);
}

bool KestMouseCore::write(bool forceAll)
{
    if (m_writing)
        return false;
    // From here until the worker is done the records belong to the write: status reports
    // the reader queued before it stopped describe the mouse as it was, and are dropped
    // while this flag is up instead of overwriting what the user set.
    m_writing = true;
    m_reportedDpi = m_reportedRate = -1;
    stopBatteryReader();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    emit writeStarted();

    // The worker writes copies: the faces keep running while it works.
    struct Outcome
    {
        ConfigRecord working;
        ConfigRecord lastWritten;
        KestWriteResult result;
        KestFileResult forced;
    };
    auto outcome = std::make_shared<Outcome>();
    outcome->working = m_working;
    outcome->lastWritten = m_lastWritten;
    m_worker->request<int>(
        [outcome, forceAll] {
            // "Config/Diff" at 1 makes the write send everything (reset all).
            if (forceAll)
                outcome->forced = writeDiff(1);
            outcome->result = applyWorkingSet(outcome->working, outcome->lastWritten);
            return 0;
        },
        this, [this, outcome](int) {
            m_lastWritten = outcome->lastWritten;
            m_writing = false;
            stored(outcome->forced);
            // Saved, what was written is no longer an unapplied edit; a set the disk did not
            // take stays one, so that leaving it still asks.
            if (outcome->result.saved.isOk())
                markClean();
            emit writeFinished(outcome->result);
        });
    return true;
}

bool KestMouseCore::stored(const KestFileResult &result)
{
    if (result.isUsable())
        return true;
    qCWarning(lcDevice, "%s", qPrintable(result.text()));
    emit fileNotSaved(result);
    return false;
}

int KestMouseCore::switchSlot(int slot, bool backWhenRefused)
{
    if (slot < 0 || slot >= SLOT_COUNT || m_writing)
        return 0;
    // Edits of the slot left stay in the working set, still unapplied; a face that wants
    // the user's word on them asks before it calls here.
    const int before = currentSlot();
    const ConfigRecord clean = m_clean;
    m_working = collectedSet();
    m_working.ProfileID = quint8(slot);
    const bool saved = stored(saveActiveSlot(slot));
    emit slotChanged(slot);
    emit recordsChanged();
    m_clean = clean;
    m_clean.ProfileID = quint8(slot);
    emit osdText(tr("Profile") + QStringLiteral(" %1").arg(slot + 1));

    ++m_switchesInFlight;
    const int id = ++m_lastSwitchId;
    m_reportIsBaseline = true;
    // One request: the mouse's slot, then that slot's pointer speed.
    const int speed = m_working.profiles[size_t(slot)].mousespeed;
    m_worker->request<quint8>([slot, speed] { return SelectProfileOnDevice(slot, speed); }, this,
                              [this, id, slot, before, backWhenRefused, saved](quint8 result) {
                                  --m_switchesInFlight;
                                  m_sinceSwitch.start();
                                  const bool refused = result == SEND_GAVE_UP || result == SEND_WRITE_FAILED;
                                  if (refused && backWhenRefused && currentSlot() == slot && before != slot) {
                                      m_working.ProfileID = quint8(before);
                                      m_clean.ProfileID = quint8(before);
                                      stored(saveActiveSlot(before));
                                      emit slotChanged(before);
                                      emit recordsChanged();
                                  }
                                  emit slotSwitchFinished(id, slot, int(result), saved);
                              });
    return id;
}

void KestMouseCore::applySlotPointerSpeed()
{
    m_worker->applyPointerSpeed(m_working.profiles[size_t(currentSlot())].mousespeed);
}

void KestMouseCore::startBatteryReader()
{
    if (m_reader)
        m_reader->start();
}

void KestMouseCore::stopBatteryReader()
{
    // Waits for the reader, so it never reads from handles that are about to close.
    if (m_reader)
        m_reader->stop();
}

bool KestMouseCore::batteryReaderRunning() const
{
    return m_reader && m_reader->isRunning();
}

void KestMouseCore::refreshConnection()
{
    const bool cable = cableCommandPresent();
    const bool receiver = receiverCommandPresent();
    int state;
    if (cable)
        state = receiver ? 1 : 0;
    else if (receiver)
        state = m_status.charging ? 1 : 2;
    else
        state = 3;
    m_connectionState = state;
    const KestMouseStatus::Link link = cable ? (receiver ? KestMouseStatus::Both : KestMouseStatus::Cable)
                                             : (receiver ? KestMouseStatus::Receiver : KestMouseStatus::None);
    const ProfileRecord &current = m_working.profiles[size_t(currentSlot())];
    KestMouseStatus now = m_status;
    now.link = link;
    if (link == KestMouseStatus::None) {
        // No mouse: the last figure would be stale.
        now.battery = -1;
        now.mouseOff = false;
        m_lastBatteryStored = -1;
    }
    now.dpiLevel = statusdecode::dpiLevel(current);
    now.reportRateHz = statusdecode::rateCodeToHz(current.pollrate);
    const bool changed = now.link != m_status.link || now.battery != m_status.battery
                         || now.charging != m_status.charging || now.mouseOff != m_status.mouseOff
                         || now.dpiLevel != m_status.dpiLevel || now.reportRateHz != m_status.reportRateHz;
    m_status = now;
    if (changed)
        emit statusChanged();
}

void KestMouseCore::takeBatteryReport(quint8 charge, quint8 level)
{
    const statusdecode::Battery battery = statusdecode::decodeBattery(charge, level, cableCommandPresent());
    m_status.charging = battery.charging;
    m_status.mouseOff = battery.off;
    m_status.battery = battery.percent;
    if (level != 0 && int(level) != m_lastBatteryStored) {
        m_lastBatteryStored = level;
        stored(writeBattery(level));
    }
    if (m_notices)
        m_notices->batteryChanged(battery.percent, battery.charging);
    // The charge flag moves the connection state too; the faces look at every report.
    refreshConnection();
    emit statusChanged();
}

void KestMouseCore::takeStatusReport(quint8 dpiLevel, quint8 rateCode)
{
    // A report queued before a write began or while a switch is on its way describes the
    // mouse as it was: the write sends what the user set, and the switch a slot of its own.
    if (m_writing || m_switchesInFlight > 0)
        return;
    const ProfileRecord &profile = m_working.profiles[size_t(currentSlot())];
    const int lastDpi = m_reportedDpi >= 0 ? m_reportedDpi : int(profile.dpi);
    const int lastRate = m_reportedRate >= 0 ? m_reportedRate : int(profile.pollrate);
    m_reportedDpi = dpiLevel;
    m_reportedRate = rateCode;
    // The mouse answers a switch at once; a first report long after it is a DPI button
    // pressed on the mouse, which must not be lost.
    if (m_reportIsBaseline && m_switchesInFlight == 0 && m_sinceSwitch.isValid()
        && m_sinceSwitch.elapsed() > kSwitchAnswerMs)
        m_reportIsBaseline = false;
    if (m_reportIsBaseline) {
        // The first report after a switch shows the slot the mouse now runs; saving its
        // values would write what the mouse showed before into the new slot's file.
        m_reportIsBaseline = false;
        return;
    }
    // Only what the mouse changed since its last report (a DPI button) is the user's.
    if (dpiLevel != lastDpi && dpiLevel != profile.dpi)
        takeDpiLevel(dpiLevel);
    if (rateCode != lastRate && rateCode != profile.pollrate)
        takeReportRate(rateCode);
}

void KestMouseCore::takeDpiLevel(quint8 level)
{
    const int slot = currentSlot();
    // The mouse changed it itself: nothing the user has to apply.
    setCleanValue([slot, level](ConfigRecord &set) { set.profiles[size_t(slot)].dpi = level; });
    const ProfileRecord &profile = m_working.profiles[size_t(slot)];
    const int index = statusdecode::dpiLevel(profile);
    // Always the file of the profile the slot shows now: profile operations rename, copy
    // and replace what a slot shows, and a file kept open would miss that.
    const QString name = m_working.names[size_t(slot)];
    if (isValidStoreName(name) && !saveActiveDpi(profileFilePath(name), level))
        stored(saveSlotFile(profile, name));
    emit dpiLevelReported(index);
    refreshConnection();
    const int dpi = dpiCodeToDpi(int(profile.DPI_INFO[size_t(index)].x), readSensorCode());
    emit osdText(tr("DPI") + QStringLiteral(" %1:%2").arg(int(level) + 1).arg(dpi));
}

void KestMouseCore::takeReportRate(quint8 code)
{
    const int slot = currentSlot();
    setCleanValue([slot, code](ConfigRecord &set) { set.profiles[size_t(slot)].pollrate = code; });
    emit reportRateReported(code);
    refreshConnection();
    const int hz = statusdecode::rateCodeToHz(code);
    if (hz > 0)
        emit osdText(tr("%1 Hz").arg(hz));
}

void KestMouseCore::takeSlotReport(quint8 slot)
{
    if (slot >= SLOT_COUNT)
        return;
    m_working.ProfileID = slot;
    m_clean.ProfileID = slot;
    stored(saveActiveSlot(slot));
    m_reportIsBaseline = true;
    m_sinceSwitch.start();
    emit slotChanged(slot);
    emit recordsChanged();
    applySlotPointerSpeed();
    refreshConnection();
    emit osdText(tr("Profile") + QStringLiteral(" %1").arg(slot + 1));
}

void KestMouseCore::takeLightMode(quint8 mode)
{
    if (mode >= LED_EFFECTS)
        return;
    const int slot = lightingSlotIndex(m_working, m_productName);
    setCleanValue([slot, mode](ConfigRecord &set) { set.profiles[size_t(slot)].LedMode = mode; });
    emit lightModeReported(slot, mode);
}
