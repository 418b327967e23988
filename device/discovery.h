// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>

// Which devices of the mouse are present and where. Device 1 is the wireless
// receiver, device 2 the mouse on its cable.
struct KestDeviceEntry
{
    int vid1, vid2;
    int pid1, pid2;
    int releaseMin1, releaseMin2;
    int releaseMax1, releaseMax2; // 0 = any release
    // (usage, usage page) of device 1 interface 0, device 1 interface 2,
    // device 2 interface 0, device 2 interface 2.
    int usage[4][2];
    // Paths in the same order as usage.
    char path[4][255];
    // Presence flags: device 1 interface 0, device 2 interface 0,
    // device 1 interface 2, device 2 interface 2.
    int present[4];
    char modelName[256];
};

// Index helpers for KestDeviceEntry::present.
namespace DevicePresence {
constexpr int Receiver0 = 0;
constexpr int Cable0 = 1;
constexpr int Receiver2 = 2;
constexpr int Cable2 = 3;
} // namespace DevicePresence

struct KestDeviceTable
{
    unsigned count;
    KestDeviceEntry entries[200];
};

// The link context's table and the release number of the cable's command interface as
// enumeration found it (0 = unknown: no firmware update offered). Older names of
// KestDeviceContext::link().table() and firmwareVersion(), to be removed once app/ and
// tools/ use the context.
extern KestDeviceTable &DeviceTable;
extern int &FirmwareVersion;

// Clears the table and fills the one entry of this product; its model name is
// "Mouse_List/0" of Config.ini.
void BuildDeviceTable();
// Flags what is plugged in now. 0, or -1 when the HID layer cannot start.
int EnumerateDevices();
// Opens the handles of every complete device of entries named `modelName`.
void OpenDevices(const QString &modelName);
void OpenDevices(const QByteArray &modelName);
void CloseDevices();
// Hot-plug: `interfaceName` is "HID#VID_xxxx&PID_xxxx&MI_0n#<path>".
void OnDeviceChange(const QString &interfaceName, bool arrived);

// Starts the platform hot-plug monitor and routes its events into
// OnDeviceChange. Returns false (and writes a debug line) when the monitor
// cannot start; the program keeps working without hot-plug.
bool StartDeviceNotifications();

// Where hot-plug work runs when a thread owns the link (kestdeviceworker.h sets it in the
// link context). Without it the
// events are handled where the monitor delivers them and the reopen pause is a sleep.
struct KestDeviceRouting
{
    // Runs one hot-plug event on the owning thread, after the requests queued before it.
    std::function<void(std::function<void()>)> run;
    // Called on the owning thread: keeps later requests waiting for `ms` while its event
    // loop runs, then calls `resume` there.
    std::function<void(int ms, std::function<void()> resume)> pause;
};

// Presence, read from the table (first entry).
bool receiverCommandPresent(); // device 1 interface 2
bool cableCommandPresent();    // device 2 interface 2
// Entries with device 1 or device 2 complete (both interfaces).
int countConnectedModels();
// The count as last taken (at start-up, after removals, when the model list
// was rebuilt); OnDeviceChange decides between reconnect paths with it.
int connectedModelCount();
void setConnectedModelCount(int count);
// Names of the entries with a complete device, in table order.
QStringList connectedModelNames();

// Matching devices found by enumeration or arrival that could not be opened
// because this user lacks access to their nodes.
QStringList devicesWithoutPermission();
// A ready, translated text telling the user how to get access; empty when
// nothing was refused.
QString permissionProblemText();

// Tells the main window about hot-plug. All signals are emitted on the GUI
// thread with no device lock held.
class KestDeviceNotifier final : public QObject
{
    Q_OBJECT

public:
    static KestDeviceNotifier *instance();

signals:
    // The set of connected models changed: rebuild the model list (which may
    // select another model and store it as Config/CurrentProductName).
    void modelListChanged();
    // A device of the current model became complete while none was connected.
    // Emitted 200 ms after the arrival, with the handles already opened: start
    // the battery reader, mark connected, reload and redisplay the profile.
    void deviceConnected();
    // The last device is going away: stop the battery reader and clear the
    // connected state now; the handles close right after this signal.
    void lastDeviceRemoved();
    // 200 ms after lastDeviceRemoved: show the disconnect warning.
    void disconnectWarning();
    // The current model went away while another is still connected. Emitted
    // after modelListChanged: stop the battery reader; the handles are closed
    // and reopened under the new current model, then devicesReopened follows.
    void currentModelLost();
    // After the reopen of currentModelLost: start the battery reader again and
    // reload and redisplay the profile.
    void devicesReopened();
    // A hot-plug event was handled: refresh the connection display.
    void connectionChanged();

private:
    KestDeviceNotifier() = default;
};
