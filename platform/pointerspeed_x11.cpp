// SPDX-License-Identifier: GPL-2.0-or-later
// Any other X11 session: the libinput driver exposes its acceleration (-1..1) as the
// device property "libinput Accel Speed"; setting it is what the desktops' own settings
// daemons do. Built without Xlib/XInput2 headers this backend reports no device.

#include <cstring>

#include <QVector>

#include "platform/pointerspeed_backends.h"

#ifdef MOUSECFG_HAVE_XI

// Xlib defines None, Bool, Status...: include it after every Qt header.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace pointerspeed::detail {

namespace {

// One short-lived connection per call: the speed changes on slot switches only.
class Display11
{
public:
    Display11()
        : m_display(qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : XOpenDisplay(nullptr))
    {
        int opcode = 0, event = 0, error = 0, major = 2, minor = 0;
        if (m_display
            && (!XQueryExtension(m_display, "XInputExtension", &opcode, &event, &error)
                || XIQueryVersion(m_display, &major, &minor) != Success)) {
            XCloseDisplay(m_display);
            m_display = nullptr;
        }
    }
    ~Display11()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Display11(const Display11 &) = delete;
    Display11 &operator=(const Display11 &) = delete;

    ::Display *get() const { return m_display; }

private:
    ::Display *m_display;
};

struct Device
{
    int id;
    QString name;
};

bool isTouchpad(const QString &name)
{
    return name.contains(QLatin1String("touchpad"), Qt::CaseInsensitive);
}

// Mice driven by libinput: slave pointers that carry the property.
QVector<Device> libinputMice(::Display *display, Atom property)
{
    QVector<Device> devices;
    int count = 0;
    XIDeviceInfo *info = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(info[i].name);
        if (info[i].use != XISlavePointer || isTouchpad(name))
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XIGetProperty(display, info[i].deviceid, property, 0, 1, False, AnyPropertyType, &type,
                          &format, &items, &after, &data)
                == Success
            && type != None && format == 32 && items == 1)
            devices.push_back({info[i].deviceid, name});
        if (data)
            XFree(data);
    }
    XIFreeDeviceInfo(info);
    return devices;
}

Atom accelAtom(::Display *display)
{
    return XInternAtom(display, "libinput Accel Speed", True);
}

} // namespace

QStringList x11PointerDevices()
{
    QStringList names;
    Display11 display;
    if (!display.get())
        return names;
    int count = 0;
    XIDeviceInfo *info = XIQueryDevice(display.get(), XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(info[i].name);
        // The XTEST pointer is the server's own, not a device a user adjusts.
        if (info[i].use == XISlavePointer && !isTouchpad(name) && !name.contains(QLatin1String("XTEST")))
            names << name;
    }
    XIFreeDeviceInfo(info);
    return names;
}

int x11Write(double value)
{
    Display11 display;
    if (!display.get())
        return kUnsupported;
    const Atom property = accelAtom(display.get());
    const Atom floatType = XInternAtom(display.get(), "FLOAT", True);
    if (property == None || floatType == None)
        return kNoDevice;
    const QVector<Device> devices = libinputMice(display.get(), property);
    if (devices.isEmpty())
        return kNoDevice;
    float speed = float(value);
    for (const Device &device : devices)
        XIChangeProperty(display.get(), device.id, property, floatType, 32, PropModeReplace,
                         reinterpret_cast<unsigned char *>(&speed), 1);
    XSync(display.get(), False);
    return 0;
}

bool x11Read(double *value)
{
    Display11 display;
    if (!display.get())
        return false;
    const Atom property = accelAtom(display.get());
    if (property == None)
        return false;
    for (const Device &device : libinputMice(display.get(), property)) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        const bool ok = XIGetProperty(display.get(), device.id, property, 0, 1, False, AnyPropertyType,
                                      &type, &format, &items, &after, &data)
                            == Success
                        && format == 32 && items == 1 && data;
        if (ok) {
            float speed = 0.0f;
            std::memcpy(&speed, data, sizeof speed);
            *value = double(speed);
        }
        if (data)
            XFree(data);
        if (ok)
            return true;
    }
    return false;
}

} // namespace pointerspeed::detail

#else

namespace pointerspeed::detail {

QStringList x11PointerDevices()
{
    return {};
}

int x11Write(double)
{
    return kUnsupported;
}

bool x11Read(double *)
{
    return false;
}

} // namespace pointerspeed::detail

#endif
