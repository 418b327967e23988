// SPDX-License-Identifier: GPL-2.0-or-later
// Following the focus on X11, under an Xvfb of the test's own: with no window manager
// (the input focus) and with one that publishes _NET_ACTIVE_WINDOW.

#include <memory>

#include <QSignalSpy>
#include <QtTest>

#include "platform/focuswatch.h"
#include "xvfbfixture.h"

class TestFocusWatch : public QObject
{
    Q_OBJECT

private:
    XvfbServer m_x;
    ::Window m_alpha = 0;
    ::Window m_beta = 0;

private slots:
    void initTestCase()
    {
        const QString why = m_x.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        m_alpha = m_x.openWindow(QStringLiteral("alpha"), 10);
        m_beta = m_x.openWindow(QStringLiteral("beta"), 300, false);
        QVERIFY(m_alpha && m_beta);
    }

    void cleanupTestCase() { m_x.stop(); }

    void inputFocusWithoutWindowManager()
    {
        m_x.removeActive();
        std::unique_ptr<platform::FocusWatch> watch(platform::createX11FocusWatch(nullptr, m_x.name()));
        QVERIFY(watch->isActive());
        QSignalSpy changes(watch.get(), &platform::FocusWatch::focusChanged);

        m_x.focus(m_alpha);
        QTRY_COMPARE(watch->current().instance, QStringLiteral("alpha"));
        QCOMPARE(watch->current().className, QStringLiteral("Xmessage"));
        QCOMPARE(quint64(watch->current().id), quint64(m_alpha));
        // The process behind the window, from _NET_WM_PID and /proc.
        QVERIFY(watch->current().pid > 0);
        QCOMPARE(watch->current().executable, QStringLiteral("xmessage"));

        m_x.focus(m_beta);
        QTRY_COMPARE(watch->current().instance, QStringLiteral("beta"));
        // A window without _NET_WM_PID is still known by its class.
        QCOMPARE(watch->current().pid, qint64(0));
        QVERIFY(watch->current().executable.isEmpty());
        const int seen = changes.count();
        QVERIFY(seen >= 2);

        // Focusing the same window again is no change.
        m_x.focus(m_beta);
        QTest::qWait(100);
        QCOMPARE(changes.count(), seen);
        QCOMPARE(changes.last().first().value<platform::FocusWindow>().instance, QStringLiteral("beta"));

        QVector<QString> open;
        for (const platform::FocusWindow &window : watch->openWindows())
            open << window.instance;
        QVERIFY(open.contains(QStringLiteral("alpha")) && open.contains(QStringLiteral("beta")));
    }

    void activeWindowOfTheWindowManager()
    {
        m_x.focus(m_alpha);
        m_x.setActive(m_beta);
        std::unique_ptr<platform::FocusWatch> watch(platform::createX11FocusWatch(nullptr, m_x.name()));
        // The window manager's word counts over the input focus.
        QCOMPARE(watch->current().instance, QStringLiteral("beta"));

        m_x.setActive(m_alpha);
        QTRY_COMPARE(watch->current().instance, QStringLiteral("alpha"));
        m_x.setActive(0);
        QTRY_VERIFY(watch->current().instance.isEmpty());
        QCOMPARE(quint64(watch->current().id), quint64(0));
        // Input focus moves that the window manager does not publish are not followed.
        m_x.focus(m_beta);
        QTest::qWait(100);
        QVERIFY(watch->current().instance.isEmpty());

        // A window manager that goes away leaves the input focus.
        m_x.removeActive();
        QTRY_COMPARE(watch->current().instance, QStringLiteral("beta"));
    }

    void focusFollowingThePointer()
    {
        // The server's own default with no window manager: the focus is wherever the
        // pointer is.
        m_x.removeActive();
        XSetInputFocus(m_x.display(), PointerRoot, RevertToPointerRoot, CurrentTime);
        XWarpPointer(m_x.display(), 0, DefaultRootWindow(m_x.display()), 0, 0, 0, 0, 5, 470);
        XSync(m_x.display(), False);
        std::unique_ptr<platform::FocusWatch> watch(platform::createX11FocusWatch(nullptr, m_x.name()));
        QVERIFY(watch->current().instance.isEmpty());
        XWarpPointer(m_x.display(), 0, m_alpha, 0, 0, 0, 0, 20, 20);
        XSync(m_x.display(), False);
        QTRY_COMPARE(watch->current().instance, QStringLiteral("alpha"));
        XWarpPointer(m_x.display(), 0, m_beta, 0, 0, 0, 0, 20, 20);
        XSync(m_x.display(), False);
        QTRY_COMPARE(watch->current().instance, QStringLiteral("beta"));
    }

    void withoutWindowManager_windowsOpenedLater_areFollowed()
    {
        // Runs after the tests that point at alpha and beta: the new windows cover them.
        // The focus moving between two top-level windows says nothing to the root window:
        // windows that appear after the start must be watched as they come.
        m_x.removeActive();
        m_x.focus(m_alpha);
        std::unique_ptr<platform::FocusWatch> watch(platform::createX11FocusWatch(nullptr, m_x.name()));
        QTRY_COMPARE(watch->current().instance, QStringLiteral("alpha"));
        const ::Window gamma = m_x.openWindow(QStringLiteral("gamma"), 10);
        const ::Window delta = m_x.openWindow(QStringLiteral("delta"), 300);
        QVERIFY(gamma && delta);
        for (const auto &step : {qMakePair(gamma, QStringLiteral("gamma")), qMakePair(delta, QStringLiteral("delta")),
                                 qMakePair(gamma, QStringLiteral("gamma"))}) {
            m_x.focus(step.first);
            QTRY_COMPARE(watch->current().instance, step.second);
        }
    }

    void noDisplay()
    {
        std::unique_ptr<platform::FocusWatch> watch(platform::createX11FocusWatch(nullptr, ":999999"));
        QVERIFY(!watch->isActive());
        QVERIFY(watch->openWindows().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFocusWatch)
#include "tst_focuswatch.moc"
