// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/hotplug.h"
#include "platform/logging.h"

#include <libudev.h>

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QMetaObject>
#include <QRegularExpression>
#include <QSocketNotifier>

namespace {

// What a hidraw node's device path says about it, e.g.
// /devices/.../usb1/1-2/1-2:1.2/0003:C0DE:0D01.0005/hidraw/hidraw3:
// "1-2:1.2" is configuration 1, interface 2; "0003:C0DE:0D01.0005" is a USB
// HID device with vendor C0DE and product 0D01. Read from the path rather than
// from sysfs, because on removal sysfs is already gone.
struct NodeIdentity
{
    quint16 vendorId = 0;
    quint16 productId = 0;
    int interfaceNumber = -1;
};

NodeIdentity identify(const QString &devpath)
{
    static const QRegularExpression hidDevice(QStringLiteral("^[0-9A-Fa-f]{4}:([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4})\\.[0-9A-Fa-f]+$"));
    static const QRegularExpression usbInterface(QStringLiteral("^\\d+-[\\d.]+:\\d+\\.(\\d+)$"));
    NodeIdentity id;
    const QStringList parts = devpath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 1; i < parts.size(); ++i) {
        const QRegularExpressionMatch hid = hidDevice.match(parts[i]);
        if (!hid.hasMatch())
            continue;
        id.vendorId = quint16(hid.captured(1).toUInt(nullptr, 16));
        id.productId = quint16(hid.captured(2).toUInt(nullptr, 16));
        const QRegularExpressionMatch usb = usbInterface.match(parts[i - 1]);
        if (usb.hasMatch())
            id.interfaceNumber = usb.captured(1).toInt();
        break;
    }
    return id;
}

} // namespace

KestHotplugMonitor *KestHotplugMonitor::instance()
{
    static KestHotplugMonitor *monitor = [] {
        auto *m = new KestHotplugMonitor;
        if (QCoreApplication::instance())
            m->moveToThread(QCoreApplication::instance()->thread());
        return m;
    }();
    return monitor;
}

KestHotplugMonitor::KestHotplugMonitor() = default;

KestHotplugMonitor::~KestHotplugMonitor()
{
    stop();
}

bool KestHotplugMonitor::start()
{
    if (m_monitor)
        return true;
    m_udev = udev_new();
    if (!m_udev) {
        qCWarning(lcDevice, "hot-plug: libudev is not available; devices plugged in later will not be seen");
        return false;
    }
    // Without a running device manager (containers) nothing is ever sent on
    // the "udev" channel; the kernel's own events still arrive.
    const char *source = "udev";
    if (udev_queue *queue = udev_queue_new(m_udev)) {
        if (!udev_queue_get_udev_is_active(queue))
            source = "kernel";
        udev_queue_unref(queue);
    }
    const QByteArray forced = qgetenv("MOUSECFG_HOTPLUG_SOURCE");
    if (forced == "udev" || forced == "kernel")
        source = forced.constData();

    m_monitor = udev_monitor_new_from_netlink(m_udev, source);
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        qCWarning(lcDevice, "hot-plug: cannot listen for device events (source %s); devices plugged in later will not be seen",
               source);
        stop();
        return false;
    }
    m_source = QString::fromLatin1(source);
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &KestHotplugMonitor::readEvents);
    qCDebug(lcDevice, "hot-plug: listening for hidraw events (source %s)", source);
    return true;
}

void KestHotplugMonitor::stop()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
    m_source.clear();
}

void KestHotplugMonitor::post(const QString &interfaceName, bool arrived)
{
    QMetaObject::invokeMethod(
        this, [this, interfaceName, arrived] { emit deviceInterfaceChanged(interfaceName, arrived); },
        Qt::QueuedConnection);
}

QString KestHotplugMonitor::interfaceName(quint16 vendorId, quint16 productId, int interfaceNumber,
                                          const QByteArray &path)
{
    return QString::asprintf("HID#VID_%04X&PID_%04X&MI_%02X#", vendorId, productId, unsigned(interfaceNumber))
           + QString::fromLocal8Bit(path);
}

void KestHotplugMonitor::readEvents()
{
    // Drain everything queued; the notifier fires once per wake-up.
    while (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        const QByteArray action = udev_device_get_action(device);
        const char *node = udev_device_get_devnode(device);
        const char *devpath = udev_device_get_devpath(device);
        if ((action == "add" || action == "remove") && node && devpath) {
            const NodeIdentity id = identify(QString::fromLocal8Bit(devpath));
            // Nodes that are not USB interfaces (Bluetooth, uhid) carry no
            // interface number and cannot be ours.
            if (id.interfaceNumber >= 0)
                emit deviceInterfaceChanged(interfaceName(id.vendorId, id.productId, id.interfaceNumber, node),
                                            action == "add");
        }
        udev_device_unref(device);
    }
}
