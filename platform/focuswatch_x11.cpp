// SPDX-License-Identifier: GPL-2.0-or-later
// X11: the window manager's _NET_ACTIVE_WINDOW when it publishes one, else the input
// focus (which, with no window manager, may follow the pointer). A connection of our own,
// read through a socket notifier: property, focus and crossing events wake us, nothing
// polls. Under a Wayland compositor this sees the XWayland programs.

#include <cstring>

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QSocketNotifier>

#include "platform/focuswatch.h"
#include "platform/logging.h"

#ifdef MOUSECFG_HAVE_XI

// Xlib defines None, Bool, Status...: include it after every Qt header.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

namespace {

// Windows come and go between an event and our look at them: errors on our own
// connection are expected and dropped; any other connection keeps its handler.
QSet<::Display *> &quietDisplays()
{
    static QSet<::Display *> displays;
    return displays;
}

XErrorHandler g_previousHandler = nullptr;

int quietErrorHandler(::Display *display, XErrorEvent *event)
{
    if (quietDisplays().contains(display))
        return 0;
    return g_previousHandler ? g_previousHandler(display, event) : 0;
}

class X11FocusWatch final : public FocusWatch
{
public:
    X11FocusWatch(QObject *parent, const QByteArray &displayName)
        : FocusWatch(parent)
    {
        const QByteArray name = displayName.isEmpty() ? qgetenv("DISPLAY") : displayName;
        if (name.isEmpty())
            return;
        m_display = XOpenDisplay(name.constData());
        if (!m_display) {
            qCInfo(lcDesktop, "Focus: cannot open the X display %s", name.constData());
            return;
        }
        quietDisplays().insert(m_display);
        if (quietDisplays().size() == 1) {
            XErrorHandler previous = XSetErrorHandler(quietErrorHandler);
            if (previous != quietErrorHandler)
                g_previousHandler = previous;
        }
        m_root = DefaultRootWindow(m_display);
        m_activeAtom = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
        m_clientListAtom = XInternAtom(m_display, "_NET_CLIENT_LIST", False);
        m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
        XSelectInput(m_display, m_root, PropertyChangeMask | SubstructureNotifyMask | FocusChangeMask);
        ::Window rootReturn = 0, parentReturn = 0, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(m_display, m_root, &rootReturn, &parentReturn, &children, &count)) {
            for (unsigned int i = 0; i < count; ++i)
                watchTopLevel(children[i]);
            if (children)
                XFree(children);
        }
        m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { drain(); });
        m_current = lookUp();
        drain();
    }

    ~X11FocusWatch() override
    {
        if (!m_display)
            return;
        delete m_notifier;
        XCloseDisplay(m_display);
        quietDisplays().remove(m_display);
    }

    bool isActive() const override { return m_display != nullptr; }
    FocusWindow current() const override { return m_current; }

    QVector<FocusWindow> openWindows() const override
    {
        QVector<FocusWindow> result;
        if (!m_display)
            return result;
        QVector<::Window> candidates;
        if (!windowListProperty(m_root, m_clientListAtom, &candidates)) {
            // No window manager: the viewable top-level windows.
            ::Window rootReturn = 0, parentReturn = 0, *children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(m_display, m_root, &rootReturn, &parentReturn, &children, &count)) {
                for (unsigned int i = 0; i < count; ++i) {
                    XWindowAttributes attributes;
                    if (XGetWindowAttributes(m_display, children[i], &attributes)
                        && attributes.map_state == IsViewable)
                        candidates << children[i];
                }
                if (children)
                    XFree(children);
            }
        }
        for (::Window window : qAsConst(candidates)) {
            const FocusWindow described = describe(window);
            if (!described.className.isEmpty() || !described.executable.isEmpty())
                result << described;
        }
        return result;
    }

private:
    void watchTopLevel(::Window window)
    {
        // Focus and pointer crossings of each top-level window (its own or an inner
        // window's): the focus moving between two of them never reaches the root.
        XSelectInput(m_display, window, FocusChangeMask | EnterWindowMask);
    }

    void drain()
    {
        bool changed = false;
        // Our own requests may have queued events without the socket waking us again.
        while (XPending(m_display) > 0) {
            while (XPending(m_display) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                switch (event.type) {
                case CreateNotify:
                    if (event.xcreatewindow.parent == m_root)
                        watchTopLevel(event.xcreatewindow.window);
                    break;
                case ReparentNotify:
                    if (event.xreparent.parent == m_root)
                        watchTopLevel(event.xreparent.window);
                    changed = true;
                    break;
                case PropertyNotify:
                    if (event.xproperty.atom == m_activeAtom)
                        changed = true;
                    break;
                case FocusIn:
                case FocusOut:
                case EnterNotify:
                case DestroyNotify:
                case UnmapNotify:
                case MapNotify:
                    changed = true;
                    break;
                default:
                    break;
                }
            }
            if (!changed)
                break;
            changed = false;
            const FocusWindow now = lookUp();
            if (now != m_current) {
                m_current = now;
                emit focusChanged(m_current);
            }
        }
    }

    // The window in front, as the window manager or the X server sees it.
    FocusWindow lookUp() const
    {
        QVector<::Window> active;
        ::Window window = 0;
        if (windowListProperty(m_root, m_activeAtom, &active)) {
            window = active.value(0);
        } else {
            int revert = 0;
            XGetInputFocus(m_display, &window, &revert);
            if (window == PointerRoot) {
                ::Window rootReturn = 0, child = 0;
                int rx = 0, ry = 0, wx = 0, wy = 0;
                unsigned int mask = 0;
                window = XQueryPointer(m_display, m_root, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask) ? child : 0;
            }
        }
        if (window == m_root || window == 0)
            return {};
        return describe(window);
    }

    // A window property holding window ids (also _NET_ACTIVE_WINDOW, one id). False when
    // the property does not exist.
    bool windowListProperty(::Window window, Atom atom, QVector<::Window> *out) const
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_display, window, atom, 0, 4096, False, XA_WINDOW, &type, &format, &items, &after,
                               &data)
                != Success
            || type != XA_WINDOW || format != 32) {
            if (data)
                XFree(data);
            return false;
        }
        const auto *ids = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < items; ++i)
            out->append(::Window(ids[i]));
        XFree(data);
        return true;
    }

    bool classOf(::Window window, FocusWindow *out) const
    {
        XClassHint hint{nullptr, nullptr};
        if (!XGetClassHint(m_display, window, &hint))
            return false;
        out->instance = QString::fromLocal8Bit(hint.res_name);
        out->className = QString::fromLocal8Bit(hint.res_class);
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        return true;
    }

    // The client window that carries WM_CLASS: the window itself, one of its ancestors
    // (the focus often sits in an inner window) or, below a window manager's frame, one
    // of its descendants.
    ::Window clientWindow(::Window window, FocusWindow *out) const
    {
        for (::Window walk = window; walk && walk != m_root;) {
            if (classOf(walk, out))
                return walk;
            ::Window rootReturn = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(m_display, walk, &rootReturn, &parent, &children, &count))
                return 0;
            if (children)
                XFree(children);
            if (parent == m_root || parent == 0)
                return searchDown(walk, out, 3);
            walk = parent;
        }
        return 0;
    }

    ::Window searchDown(::Window window, FocusWindow *out, int depth) const
    {
        if (depth < 0)
            return 0;
        if (classOf(window, out))
            return window;
        ::Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, window, &rootReturn, &parent, &children, &count))
            return 0;
        ::Window found = 0;
        for (unsigned int i = 0; i < count && !found; ++i)
            found = searchDown(children[i], out, depth - 1);
        if (children)
            XFree(children);
        return found;
    }

    FocusWindow describe(::Window window) const
    {
        FocusWindow result;
        const ::Window client = clientWindow(window, &result);
        result.id = client ? client : window;
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_display, result.id, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data)
                == Success
            && type == XA_CARDINAL && format == 32 && items == 1)
            result.pid = qint64(*reinterpret_cast<const unsigned long *>(data));
        if (data)
            XFree(data);
        if (result.pid > 0)
            result.executable = executableOfProcess(result.pid);
        return result;
    }

    ::Display *m_display = nullptr;
    ::Window m_root = 0;
    Atom m_activeAtom = 0;
    Atom m_clientListAtom = 0;
    Atom m_pidAtom = 0;
    QSocketNotifier *m_notifier = nullptr;
    FocusWindow m_current;
};

} // namespace

FocusWatch *createX11FocusWatch(QObject *parent, const QByteArray &displayName)
{
    return new X11FocusWatch(parent, displayName);
}

} // namespace platform

#else

namespace platform {

namespace {

class NoX11FocusWatch final : public FocusWatch
{
public:
    using FocusWatch::FocusWatch;
    bool isActive() const override { return false; }
    FocusWindow current() const override { return {}; }
    QVector<FocusWindow> openWindows() const override { return {}; }
};

} // namespace

FocusWatch *createX11FocusWatch(QObject *parent, const QByteArray &)
{
    qCInfo(lcDesktop, "Focus: built without Xlib, per-program profiles cannot follow X11 windows");
    return new NoX11FocusWatch(parent);
}

} // namespace platform

#endif
