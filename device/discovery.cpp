// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/discovery.h"

#include <cstring>

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include "device/devicelink.h"
#include "device/kestdevicecontext.h"
#include "platform/hotplug.h"
#include "store/appsettings.h"
#include "platform/logging.h"

KestDeviceTable &DeviceTable = KestDeviceContext::link().table();
int &FirmwareVersion = KestDeviceContext::link().firmwareVersion();

namespace {

KestDeviceContext &context()
{
    return KestDeviceContext::link();
}

KestDeviceTable &table()
{
    return context().table();
}

// Slots of KestDeviceEntry::path and ::usage.
constexpr int PathReceiver0 = 0;
constexpr int PathReceiver2 = 1;
constexpr int PathCable0 = 2;
constexpr int PathCable2 = 3;

// Where one device of an entry keeps its interface data.
struct DeviceSlots
{
    int flag0, flag2;
    int path0, path2;
    int vid, pid;
    int releaseMin, releaseMax;
};

DeviceSlots deviceSlots(const KestDeviceEntry &e, int device)
{
    if (device == 1)
        return {DevicePresence::Receiver0, DevicePresence::Receiver2, PathReceiver0, PathReceiver2,
                e.vid1, e.pid1, e.releaseMin1, e.releaseMax1};
    return {DevicePresence::Cable0, DevicePresence::Cable2, PathCable0, PathCable2,
            e.vid2, e.pid2, e.releaseMin2, e.releaseMax2};
}

bool releaseAccepted(const DeviceSlots &d, int release)
{
    return d.releaseMax == 0 || (release >= d.releaseMin && release <= d.releaseMax);
}

void copyPath(char (&target)[255], const QByteArray &path)
{
    QMutexLocker lock(&context().pathsLock());
    qstrncpy(target, path.constData(), sizeof target);
}

// The device worker changes the presence flags while the window's thread reads them.
int presence(const KestDeviceEntry &e, int flag)
{
    return __atomic_load_n(&e.present[flag], __ATOMIC_RELAXED);
}

void setPresence(KestDeviceEntry &e, int flag, int value)
{
    __atomic_store_n(&e.present[flag], value, __ATOMIC_RELAXED);
}

bool sameModel(const KestDeviceEntry &e, const QByteArray &name)
{
    return name == QByteArray(e.modelName);
}

QByteArray currentModelName()
{
    return readProductName().toLatin1();
}

bool deviceComplete(const KestDeviceEntry &e, const DeviceSlots &d)
{
    return presence(e, d.flag0) && presence(e, d.flag2);
}

KestHidHandle openPath(const char *path)
{
    KestHidOpenError error = KestHidOpenError::None;
    KestHidHandle handle = hidBackend().open(QByteArray(path), &error);
    QMutexLocker lock(&context().pathsLock());
    if (error == KestHidOpenError::PermissionDenied && !context().refusedPaths().contains(path))
        context().refusedPaths().append(QByteArray(path));
    return handle;
}

// Replaces a handle; one that is still open is closed rather than lost.
void reopen(KestHidHandle &handle, const char *path)
{
    if (handle)
        hidBackend().close(handle);
    handle = openPath(path);
}

void closeHandle(KestHidHandle &handle)
{
    if (handle) {
        hidBackend().close(handle);
        handle = nullptr;
    }
}

// Enumeration lists a node once per collection; any entry gives its release.
int releaseNumberOf(const QByteArray &path)
{
    const QVector<KestHidDeviceInfo> devices = hidBackend().enumerate(0, 0);
    for (const KestHidDeviceInfo &info : devices) {
        if (info.path == path)
            return info.releaseNumber;
    }
    return 0;
}

// The node behind an interface name "HID#VID_...&MI_0n#<path>".
QByteArray pathFromInterfaceName(const QString &name)
{
    return name.section(QLatin1Char('#'), 2).toLatin1();
}

struct ParsedName
{
    int vid = 0;
    int pid = 0;
    int interfaceNumber = 0;
};

ParsedName parseInterfaceName(const QString &name)
{
    static const QRegularExpression mi00(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})(?:&[^&]+)*&MI_00"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression mi02(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})(?:&[^&]+)*&MI_02"),
                                         QRegularExpression::CaseInsensitiveOption);
    ParsedName parsed;
    QRegularExpressionMatch match = mi00.match(name);
    if (match.hasMatch()) {
        parsed.interfaceNumber = 0;
    } else {
        match = mi02.match(name);
        if (!match.hasMatch())
            return parsed;
        parsed.interfaceNumber = 2;
    }
    parsed.vid = match.captured(QStringLiteral("vid")).toInt(nullptr, 16);
    parsed.pid = match.captured(QStringLiteral("pid")).toInt(nullptr, 16);
    return parsed;
}

void reopenCurrentModel()
{
    // Held across the pause: an exchange in flight finishes first, and the
    // next one starts on the reopened handles instead of finding none.
    if (context().routing().pause) {
        // The thread that owns the link keeps serving its event loop meanwhile; what it
        // was asked to do after this event waits until the reopen is done.
        exchangeMutex().lock();
        CloseDevices();
        context().routing().pause(linkTimings().reopenMs, [] {
            OpenDevices(currentModelName());
            exchangeMutex().unlock();
        });
        return;
    }
    QMutexLocker lock(&exchangeMutex());
    CloseDevices();
    QThread::msleep(linkTimings().reopenMs);
    OpenDevices(currentModelName());
}

void deviceCompleted()
{
    KestDeviceNotifier *notifier = KestDeviceNotifier::instance();
    const bool wasConnected = connectedModelCount() != 0;
    setConnectedModelCount(countConnectedModels());
    emit notifier->modelListChanged();
    if (wasConnected) {
        OpenDevices(currentModelName());
        return;
    }
    // On the thread that handled the event: that is the one that owns the link.
    QTimer::singleShot(linkTimings().notifyDelayMs, [notifier] {
        OpenDevices(currentModelName());
        emit notifier->deviceConnected();
    });
}

// Returns true when the current model changed.
bool deviceGone(const KestDeviceEntry &e)
{
    KestDeviceNotifier *notifier = KestDeviceNotifier::instance();
    setConnectedModelCount(countConnectedModels());
    if (connectedModelCount() == 0) {
        emit notifier->lastDeviceRemoved();
        CloseDevices();
        QTimer::singleShot(linkTimings().notifyDelayMs, notifier, [notifier] { emit notifier->disconnectWarning(); });
        return false;
    }
    if (!sameModel(e, currentModelName()))
        return false;
    emit notifier->modelListChanged();
    emit notifier->currentModelLost();
    CloseDevices();
    OpenDevices(currentModelName());
    emit notifier->devicesReopened();
    return true;
}

} // namespace

void BuildDeviceTable()
{
    std::memset(&table(), 0, sizeof(KestDeviceTable));
    table().count = 1;
    KestDeviceEntry &e = table().entries[0];
    e.vid1 = 0xC0DE;
    e.vid2 = 0xC0DE;
    e.pid1 = 0x0D01;
    e.pid2 = 0x0D02;
    const int pointer[2] = {0x0002, 0x0001}; // usage, usage page
    const int vendor[2] = {0xFF00, 0xFF00};
    for (int i = 0; i < 2; ++i) {
        e.usage[PathReceiver0][i] = pointer[i];
        e.usage[PathReceiver2][i] = vendor[i];
        e.usage[PathCable0][i] = pointer[i];
        e.usage[PathCable2][i] = vendor[i];
    }
    qstrncpy(e.modelName, readMouseListName().toLatin1().constData(), sizeof e.modelName);
}

int EnumerateDevices()
{
    noteDeviceCall("EnumerateDevices");
    KestHidBackend &backend = hidBackend();
    if (backend.init() != 0)
        return -1;
    const QVector<KestHidDeviceInfo> devices = backend.enumerate(0, 0);
    for (const KestHidDeviceInfo &info : devices) {
        for (unsigned n = 0; n < table().count; ++n) {
            KestDeviceEntry &e = table().entries[n];
            const auto matches = [&](int device, int pathSlot) {
                const DeviceSlots d = deviceSlots(e, device);
                return info.vendorId == d.vid && info.productId == d.pid && releaseAccepted(d, info.releaseNumber)
                       && info.usage == e.usage[pathSlot][0] && info.usagePage == e.usage[pathSlot][1];
            };
            if (matches(1, PathReceiver0)) {
                copyPath(e.path[PathReceiver0], info.path);
                qCDebug(lcDevice, "1 %s\n", info.path.constData());
                setPresence(e, DevicePresence::Receiver0, 1);
            }
            if (matches(1, PathReceiver2)) {
                copyPath(e.path[PathReceiver2], info.path);
                qCDebug(lcDevice, "2 %s\n", info.path.constData());
                setPresence(e, DevicePresence::Receiver2, 1);
            }
            if (matches(2, PathCable0)) {
                copyPath(e.path[PathCable0], info.path);
                qCDebug(lcDevice, "3 %s\n", info.path.constData());
                setPresence(e, DevicePresence::Cable0, 1);
            }
            if (matches(2, PathCable2)) {
                copyPath(e.path[PathCable2], info.path);
                qCDebug(lcDevice, "4 %s\n", info.path.constData());
                setPresence(e, DevicePresence::Cable2, 1);
                context().firmwareVersion() = info.releaseNumber;
            }
        }
    }
    // The count the start-up decisions rest on; the window may take it again
    // when it builds its model list.
    setConnectedModelCount(countConnectedModels());
    return 0;
}

void OpenDevices(const QString &modelName)
{
    OpenDevices(modelName.toLatin1());
}

void OpenDevices(const QByteArray &modelName)
{
    noteDeviceCall("OpenDevices");
    QMutexLocker lock(&exchangeMutex());
    if (hidBackend().init() != 0 || table().count == 0)
        return;
    KestDeviceHandles &handles = context().handles();
    for (unsigned n = 0; n < table().count; ++n) {
        const KestDeviceEntry &e = table().entries[n];
        if (!sameModel(e, modelName))
            continue;
        if (presence(e, DevicePresence::Receiver0) && presence(e, DevicePresence::Receiver2)) {
            reopen(handles.mouse1, e.path[PathReceiver0]);
            reopen(handles.command1, e.path[PathReceiver2]);
        }
        if (presence(e, DevicePresence::Cable0) && presence(e, DevicePresence::Cable2)) {
            reopen(handles.mouse2, e.path[PathCable0]);
            reopen(handles.command2, e.path[PathCable2]);
        }
    }
}

void CloseDevices()
{
    noteDeviceCall("CloseDevices");
    QMutexLocker lock(&exchangeMutex());
    KestDeviceHandles &handles = context().handles();
    closeHandle(handles.mouse1);
    closeHandle(handles.command1);
    closeHandle(handles.mouse2);
    closeHandle(handles.command2);
}

void OnDeviceChange(const QString &interfaceName, bool arrived)
{
    noteDeviceCall("OnDeviceChange");
    const ParsedName parsed = parseInterfaceName(interfaceName);
    const QByteArray current = currentModelName();
    bool modelSwitched = false;

    for (unsigned n = 0; n < table().count; ++n) {
        KestDeviceEntry &e = table().entries[n];
        int device = 0;
        if (parsed.vid == e.vid1 && parsed.pid == e.pid1)
            device = 1;
        else if (parsed.vid == e.vid2 && parsed.pid == e.pid2)
            device = 2;
        else
            continue;
        const DeviceSlots d = deviceSlots(e, device);
        const int flag = parsed.interfaceNumber == 0 ? d.flag0 : d.flag2;
        bool newlyPresent = false;

        if (arrived) {
            const QByteArray path = pathFromInterfaceName(interfaceName);
            if (releaseAccepted(d, releaseNumberOf(path))) {
                copyPath(e.path[parsed.interfaceNumber == 0 ? d.path0 : d.path2], path);
                newlyPresent = !presence(e, flag);
                setPresence(e, flag, 1);
            }
            if (deviceComplete(e, d))
                deviceCompleted();
        } else {
            if (!presence(e, flag))
                continue;
            setPresence(e, flag, 0);
            if (!presence(e, 0) && !presence(e, 1) && !presence(e, 2) && !presence(e, 3))
                modelSwitched = deviceGone(e) || modelSwitched;
        }

        if (sameModel(e, current) && (presence(e, d.flag0) || presence(e, d.flag2)) && !modelSwitched)
            reopenCurrentModel();
        // A mouse seen anew may hold anything: the next write sends everything. Unsaved,
        // only this run knows it, and the write path logs the same file's failures too.
        if (newlyPresent) {
            const KestFileResult diff = writeDiff(1);
            if (!diff)
                qCWarning(lcDevice, "%s", qPrintable(diff.text()));
        }
    }
    emit KestDeviceNotifier::instance()->connectionChanged();
}

bool StartDeviceNotifications()
{
    KestHotplugMonitor *monitor = KestHotplugMonitor::instance();
    static bool connected = false;
    if (!connected) {
        QObject::connect(monitor, &KestHotplugMonitor::deviceInterfaceChanged, KestDeviceNotifier::instance(),
                         [](const QString &name, bool arrived) {
                             const auto handle = [name, arrived] {
                                 if (arrived)
                                     qCDebug(lcDevice, "DBT_DEVICEARRIVAL\n");
                                 OnDeviceChange(name, arrived);
                                 if (arrived)
                                     qCDebug(lcDevice, "%s", qPrintable(name));
                                 else
                                     qCDebug(lcDevice, "DBT_DEVICEREMOVECOMPLETE\n");
                             };
                             if (context().routing().run)
                                 context().routing().run(handle);
                             else
                                 handle();
                         });
        connected = true;
    }
    // The simulated mouse sends its own events; real ones would only confuse it.
    if (hidBackend().announcesHotplug())
        return true;
    if (monitor->isRunning() || monitor->start())
        return true;
    qCDebug(lcDevice, "device notifications could not be registered");
    return false;
}

bool receiverCommandPresent()
{
    return table().count > 0 && presence(table().entries[0], DevicePresence::Receiver2);
}

bool cableCommandPresent()
{
    return table().count > 0 && presence(table().entries[0], DevicePresence::Cable2);
}

int countConnectedModels()
{
    int count = 0;
    for (unsigned n = 0; n < table().count; ++n) {
        const KestDeviceEntry &e = table().entries[n];
        if ((presence(e, DevicePresence::Receiver0) && presence(e, DevicePresence::Receiver2))
            || (presence(e, DevicePresence::Cable0) && presence(e, DevicePresence::Cable2)))
            ++count;
    }
    return count;
}

int connectedModelCount()
{
    return context().connectedModelCount();
}

void setConnectedModelCount(int count)
{
    context().setConnectedModelCount(count);
}

QStringList connectedModelNames()
{
    QStringList names;
    for (unsigned n = 0; n < table().count; ++n) {
        const KestDeviceEntry &e = table().entries[n];
        if (deviceComplete(e, deviceSlots(e, 1)) || deviceComplete(e, deviceSlots(e, 2)))
            names.append(QString::fromLatin1(e.modelName));
    }
    return names;
}

QStringList devicesWithoutPermission()
{
    // Only nodes the table still lists as present; a refused device that was
    // unplugged since is no longer worth a word.
    QStringList paths;
    QMutexLocker lock(&context().pathsLock());
    for (const QByteArray &refused : qAsConst(context().refusedPaths())) {
        for (unsigned n = 0; n < table().count; ++n) {
            const KestDeviceEntry &e = table().entries[n];
            static constexpr int flagOfPath[4] = {DevicePresence::Receiver0, DevicePresence::Receiver2,
                                                  DevicePresence::Cable0, DevicePresence::Cable2};
            for (int slot = 0; slot < 4; ++slot) {
                if (presence(e, flagOfPath[slot]) && refused == e.path[slot]
                    && !paths.contains(QString::fromLocal8Bit(refused)))
                    paths.append(QString::fromLocal8Bit(refused));
            }
        }
    }
    return paths;
}

QString permissionProblemText()
{
    const QStringList paths = devicesWithoutPermission();
    if (paths.isEmpty())
        return QString();
    return QCoreApplication::translate(
               "KestDeviceAccess",
               "The mouse is plugged in, but this user is not allowed to open it (%1).\n"
               "Install the device access rules that come with the program "
               "(70-mousecfg.rules, in /usr/lib/udev/rules.d or /etc/udev/rules.d), "
               "then unplug the mouse and plug it in again.")
        .arg(paths.join(QStringLiteral(", ")));
}

KestDeviceNotifier *KestDeviceNotifier::instance()
{
    static KestDeviceNotifier *notifier = [] {
        auto *n = new KestDeviceNotifier;
        if (QCoreApplication::instance())
            n->moveToThread(QCoreApplication::instance()->thread());
        return n;
    }();
    return notifier;
}
