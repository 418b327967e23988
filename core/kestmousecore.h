// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QMetaType>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/kestdiskcopy.h"
#include "core/kestprofilelibrary.h"
#include "device/kestwritetransaction.h"
#include "store/configrecord.h"
#include "store/kestfileresult.h"

class KestBatteryReader;
class KestDeviceWorker;
class KestFocusSwitcher;
class KestNotices;

// One write's typed result (status, skipped macro buttons, what was sent, whether the set
// was saved) comes from the device layer; it travels in queued signals.
Q_DECLARE_METATYPE(KestWriteResult)
Q_DECLARE_METATYPE(KestFileResult)

// What became of a setting changed by name from outside the window (a script on the bus).
struct KestSettingResult
{
    enum Outcome
    {
        Done,           // saved (or already so); nothing to send
        Writing,        // saved, and the write to the mouse runs: writeFinished() follows
        Usage,          // no such setting, or the words do not fit its form
        Refused,        // a value this product or its sensor does not take
        Busy,           // a write or a slot switch runs
        UnappliedEdits, // the window holds edits the change would overwrite or carry along
        NotSaved,       // a file could not be written: nothing changed, nothing sent
    };
    Outcome outcome = Done;
    QString message;
};

// The mouse as the program knows it, decoded once for every face.
struct KestMouseStatus
{
    enum Link { None, Receiver, Cable, Both };
    Link link = None;
    int battery = -1;      // percent 1..100; -1 when not known (off, on the cable, no report)
    bool charging = false; // charging, or powered by the cable
    bool mouseOff = false; // the receiver reports the mouse switched off
    int dpiLevel = 0;      // active level of the current slot, 0-based
    int reportRateHz = 0;  // of the current slot; 0 when unknown

    QString linkName() const; // "none", "receiver", "cable", "both"
};

// The utility without any face: the five slot records (the working set the faces edit,
// the set last written to the mouse, and the clean set unapplied edits are measured
// against), the profile library list, the product, the current slot, the device worker
// and battery reader, the decoded status, the per-program switcher and the notice policy.
//
// It never asks a question and never shows anything. Operations report through signals:
//  - write() starts the write sequence on the device worker and returns at once;
//    writeFinished() carries its KestWriteResult. One write at a time.
//  - switchSlot() makes the slot current at once (records, settings file) and asks the
//    mouse; slotSwitchFinished() says whether the mouse confirmed.
//  - hasUnappliedEdits() tells a face that a choice is due; the face asks the user and
//    then calls write() or discardUnappliedEdits().
// Faces that edit copies of the records (the window's panels) register a collector, so
// that the core sees their values when it measures edits or keeps them over a switch.
class KestMouseCore final : public QObject
{
    Q_OBJECT

public:
    // A status report this soon after a switch is the mouse's answer to it, never an edit.
    static constexpr int kSwitchAnswerMs = 1000;
    // Reads the settings and the profiles, opens the mouse and starts the battery reader.
    explicit KestMouseCore(QObject *parent = nullptr);
    // Stops the reader and the worker (the worker gives up an exchange in flight).
    ~KestMouseCore() override;

    // Records.
    ConfigRecord &working() { return m_working; }
    const ConfigRecord &working() const { return m_working; }
    ConfigRecord &lastWritten() { return m_lastWritten; }
    QStringList &library() { return m_library; }
    // The library's file and list work on these records, for the current slot.
    KestProfileLibrary profileLibrary();
    int currentSlot() const;
    QString slotName(int slot) const;
    QString productName() const { return m_productName; }
    // Another connected model: its handles, pictures and profiles.
    void chooseProduct(const QString &name);
    // The connected models changed: follows the first one when the current one went away.
    QStringList refreshModels();
    // Everything from the files again (a mouse came back, another product).
    void reload();

    // Edit tracking.
    using Collector = std::function<void(ConfigRecord &)>;
    void setCollector(Collector collector) { m_collector = std::move(collector); }
    // The working set as a write would send it: the collector's values put in.
    ConfigRecord collectedSet() const;
    void collect();
    void markClean();
    bool hasUnappliedEdits() const;
    // The working set goes back to the clean set; slot names and the current slot stay.
    void discardUnappliedEdits();
    // The set as saved and applied: the working set without the edits not yet applied
    // (slot names and the current slot as they are now). Scripts read settings from it.
    ConfigRecord appliedSet() const;
    // Changes one setting by its script name (store/slotsettings) in the applied set, saves
    // it and, with `apply`, writes it when the mouse holds that slot; the faces show it
    // through recordsChanged(). `slot` -1 is the current slot. Edits the user has not
    // applied are never saved, sent or dropped on the way: such a change is refused.
    KestSettingResult setSetting(int slot, const QString &name, const QStringList &args, bool apply);
    // A status report from the mouse changed a value: not an edit of the user's.
    void setCleanValue(const std::function<void(ConfigRecord &)> &change);

    // The write sequence. False when one is running already (nothing started).
    bool write(bool forceAll = false);
    bool isWriting() const { return m_writing; }

    // Makes `slot` current, keeping unapplied edits of the slot left in the working set,
    // and asks the mouse. Returns the switch's number, which slotSwitchFinished() carries;
    // 0 for a slot out of range or while a write runs (nothing changed). With
    // `backWhenRefused` a switch the mouse did not take (result 2 or 4) makes the slot
    // before it current again: the caller is told, and the utility shows what the mouse runs.
    int switchSlot(int slot, bool backWhenRefused = false);
    bool isSwitching() const { return m_switchesInFlight > 0; }

    // What the mouse reports about itself (the battery reader, or a face's test hook).
    void takeBatteryReport(quint8 charge, quint8 level);
    void takeStatusReport(quint8 dpiLevel, quint8 rateCode);
    void takeDpiLevel(quint8 level);
    void takeReportRate(quint8 code);
    void takeSlotReport(quint8 slot);
    void takeLightMode(quint8 mode);
    const KestMouseStatus &status() const { return m_status; }
    // The connection state the window's battery frame follows: 0 cable, 1 charging (cable
    // and receiver, or charging through the receiver), 2 receiver, 3 none.
    int connectionState() const { return m_connectionState; }

    // The mouse.
    KestDeviceWorker *deviceWorker() const { return m_worker; }
    KestBatteryReader *batteryReader() const { return m_reader; }
    int connectedCount() const { return m_connectedCount; }
    void startBatteryReader();
    void stopBatteryReader();
    bool batteryReaderRunning() const;
    void applySlotPointerSpeed();

    KestFocusSwitcher *focusSwitcher() const { return m_focus; }
    KestNotices *notices() const { return m_notices; }

signals:
    // The current slot, its names or the records changed: faces show the working set again.
    void recordsChanged();
    // Only the current slot changed (switch from anywhere).
    void slotChanged(int slot);
    // result: 0 switched, 1 no mouse (the utility switched alone), 2 not confirmed, 4 failed.
    // saved: the settings file holds the new slot (false: the next start shows the old one).
    void slotSwitchFinished(int id, int slot, int result, bool saved);
    void writeStarted();
    void writeFinished(const KestWriteResult &result);
    // Battery, link, DPI level or report rate changed.
    void statusChanged();
    // The mouse changed a value itself (DPI button, rate, lighting): faces refresh it.
    void dpiLevelReported(int level);
    void reportRateReported(int code);
    void lightModeReported(int slot, int mode);
    void connected();
    void disconnected();
    void modelsChanged();
    // A short text for the on-screen display.
    void osdText(const QString &text);
    // A file the core keeps up to date could not be written; it still holds what it held.
    // Faces say so, once per file and reason is enough; the records keep the new values.
    void fileNotSaved(const KestFileResult &result);

private:
    // True when saved; otherwise reports it through fileNotSaved().
    bool stored(const KestFileResult &result);
    void openDevices();
    void connectDeviceNotifications();
    void seedDefaultProfiles();
    void keepDiskImage();
    void takeDesktopPointerSpeed();
    bool takeDescribedSensorOptions();
    void refreshConnection();
    void onDeviceConnected();
    void onLastDeviceRemoved();
    bool slotHasUnappliedEdits(int slot) const;

    KestDiskCopy m_diskCopy;
    ConfigRecord m_working;
    ConfigRecord m_lastWritten;
    ConfigRecord m_clean;
    QStringList m_library;
    QString m_productName;
    Collector m_collector;

    KestDeviceWorker *m_worker = nullptr;
    KestBatteryReader *m_reader = nullptr;
    KestFocusSwitcher *m_focus = nullptr;
    KestNotices *m_notices = nullptr;

    KestMouseStatus m_status;
    int m_connectionState = 3;
    int m_connectedCount = 0;
    int m_lastBatteryStored = -1;
    bool m_writing = false;
    int m_switchesInFlight = 0;
    int m_lastSwitchId = 0;
    // After a switch the first report describes the slot the mouse switched to: it is
    // the measure for the next reports, not a change the mouse made. -1: no measure yet,
    // the records are (start, after a write or a reload).
    bool m_reportIsBaseline = false;
    QElapsedTimer m_sinceSwitch; // since the last switch ended: its answer comes soon after
    int m_reportedDpi = -1;
    int m_reportedRate = -1;
};
