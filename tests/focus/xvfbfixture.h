// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// An X server of the test's own (Xvfb on a free display) and small test windows made by
// xmessage, whose instance name we choose. The focus is moved with Xlib directly, as a
// window manager would; _NET_ACTIVE_WINDOW is written the same way when a test plays the
// window manager.

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// Xlib defines None, Bool, Status...: after every Qt header.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

class XvfbServer
{
public:
    ~XvfbServer() { stop(); }

    // An empty string when the test can run; else why it cannot.
    QString start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return QStringLiteral("Xvfb is not installed");
        if (QStandardPaths::findExecutable(QStringLiteral("xmessage")).isEmpty())
            return QStringLiteral("xmessage (x11-utils) is not installed");
        // The server picks a free display and writes its number to our pipe.
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000))
            return QStringLiteral("Xvfb did not start");
        QElapsedTimer waited;
        waited.start();
        while (!m_server.canReadLine() && waited.elapsed() < 10000)
            m_server.waitForReadyRead(100);
        const QByteArray number = m_server.readLine().trimmed();
        if (number.isEmpty())
            return QStringLiteral("Xvfb gave no display number");
        m_name = ":" + number;
        m_display = XOpenDisplay(m_name.constData());
        return m_display ? QString() : QStringLiteral("cannot open the Xvfb display");
    }

    void stop()
    {
        for (QProcess *window : qAsConst(m_windows)) {
            window->kill();
            window->waitForFinished(2000);
            delete window;
        }
        m_windows.clear();
        if (m_display)
            XCloseDisplay(m_display);
        m_display = nullptr;
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000))
                m_server.kill();
        }
    }

    QByteArray name() const { return m_name; }
    ::Display *display() const { return m_display; }

    // An xmessage window with instance `instance` (class "Xmessage"), mapped; its id, or
    // 0. With setPid the window carries _NET_WM_PID as toolkits set it.
    ::Window openWindow(const QString &instance, int x, bool setPid = true)
    {
        auto *process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_name));
        process->setProcessEnvironment(env);
        process->start(QStringLiteral("xmessage"), {QStringLiteral("-name"), instance, QStringLiteral("-geometry"),
                                                    QStringLiteral("200x80+%1+10").arg(x), instance});
        m_windows << process;
        if (!process->waitForStarted(5000))
            return 0;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            if (const ::Window window = findViewable(instance)) {
                if (setPid) {
                    const unsigned long pid = static_cast<unsigned long>(process->processId());
                    XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                                    PropModeReplace, reinterpret_cast<const unsigned char *>(&pid), 1);
                    XSync(m_display, False);
                }
                return window;
            }
            QTest::qWait(20);
        }
        return 0;
    }

    void focus(::Window window)
    {
        XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
        XSync(m_display, False);
    }

    // Plays a window manager that publishes the active window (0: none active).
    void setActive(::Window window)
    {
        const unsigned long id = window;
        XChangeProperty(m_display, DefaultRootWindow(m_display), XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False),
                        XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(&id), 1);
        XSync(m_display, False);
    }

    void removeActive()
    {
        XDeleteProperty(m_display, DefaultRootWindow(m_display), XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False));
        XSync(m_display, False);
    }

private:
    ::Window findViewable(const QString &instance)
    {
        ::Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        ::Window found = 0;
        if (!XQueryTree(m_display, DefaultRootWindow(m_display), &rootReturn, &parent, &children, &count))
            return 0;
        for (unsigned int i = 0; i < count && !found; ++i) {
            XClassHint hint{nullptr, nullptr};
            if (!XGetClassHint(m_display, children[i], &hint))
                continue;
            XWindowAttributes attributes;
            if (instance == QString::fromLocal8Bit(hint.res_name)
                && XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable)
                found = children[i];
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        if (children)
            XFree(children);
        return found;
    }

    QProcess m_server;
    QByteArray m_name;
    ::Display *m_display = nullptr;
    QList<QProcess *> m_windows;
};
