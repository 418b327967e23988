// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Arrival and removal of HID interfaces, told as interface names of the form
// "HID#VID_xxxx&PID_xxxx&MI_0n#<device path>". One process-wide monitor: the
// system's events and simulated ones (post) reach listeners the same way,
// queued to the thread the monitor lives on (the GUI thread).
class KestHotplugMonitor final : public QObject
{
    Q_OBJECT

public:
    static KestHotplugMonitor *instance();
    ~KestHotplugMonitor() override;

    // Starts listening to the system (hidraw nodes). Returns false, after a
    // debug line, when no monitor can be set up; posted events still arrive.
    bool start();
    void stop();
    bool isRunning() const { return m_monitor != nullptr; }
    // "udev" when a device manager runs, "kernel" otherwise (containers).
    QString source() const { return m_source; }

    // Delivers an event as if the system had sent it. Thread-safe.
    void post(const QString &interfaceName, bool arrived);

    static QString interfaceName(quint16 vendorId, quint16 productId, int interfaceNumber,
                                 const QByteArray &path);

signals:
    void deviceInterfaceChanged(const QString &interfaceName, bool arrived);

private:
    KestHotplugMonitor();
    void readEvents();

    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QString m_source;
};
