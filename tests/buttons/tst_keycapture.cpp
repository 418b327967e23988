// SPDX-License-Identifier: GPL-2.0-or-later
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/keycapture.h"

using platform::KeyCapture;
using platform::KeyHookEvent;

namespace {

// X11 native scan codes (evdev + 8) of the keys used below.
constexpr quint32 kA = 38, kRightCtrl = 105, kLeftAlt = 64, kRightAlt = 108, kPause = 127,
                  kNumLock = 77, kUp = 111, kKeypad8 = 80, kF13 = 191;

} // namespace

class TstKeyCapture : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new QWidget;
        auto *layout = new QVBoxLayout(m_window);
        m_edit = new QLineEdit(m_window);
        layout->addWidget(m_edit);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_window->activateWindow();
        m_edit->setFocus();
        m_events.clear();
    }
    void cleanup() { delete m_window; }

    void plainKey_reportsSetOneCodeOncePerEvent()
    {
        KeyCapture capture(recorder());
        capture.install();
        press(kA, Qt::Key_A, "a");
        release(kA, Qt::Key_A, "a");
        QCOMPARE(int(m_events.size()), 2);
        QCOMPARE(m_events[0].scanCode, 30u);
        QCOMPARE(m_events[0].flags, 0u);
        QCOMPARE(m_events[0].vkCode, quint32('A'));
        QCOMPARE(m_events[1].flags, quint32(platform::KeyHookUp));
        QCOMPARE(m_edit->text(), QStringLiteral("a")); // passed on
    }

    void extendedKeys_carryTheExtendedFlag()
    {
        KeyCapture capture(recorder());
        capture.install();
        press(kRightCtrl, Qt::Key_Control);
        press(kUp, Qt::Key_Up);
        press(kKeypad8, Qt::Key_8, "8");
        QCOMPARE(int(m_events.size()), 3);
        QCOMPARE(m_events[0].scanCode, 29u);
        QCOMPARE(m_events[0].flags, quint32(platform::KeyHookExtended));
        QCOMPARE(m_events[0].vkCode, 0xA3u);
        QCOMPARE(m_events[1].scanCode, 72u);
        QCOMPARE(m_events[1].flags, quint32(platform::KeyHookExtended));
        QCOMPARE(m_events[2].scanCode, 72u);
        QCOMPARE(m_events[2].flags, 0u);
    }

    void pauseAndNumLock_shareScanCodeAndDifferByFlag()
    {
        KeyCapture capture(recorder());
        capture.install();
        press(kPause, Qt::Key_Pause);
        press(kNumLock, Qt::Key_NumLock);
        QCOMPARE(m_events[0].scanCode, 69u);
        QCOMPARE(m_events[0].flags, 0u);
        QCOMPARE(m_events[1].scanCode, 69u);
        QCOMPARE(m_events[1].flags, quint32(platform::KeyHookExtended));
    }

    void altHeld_flagsFollowTheLowLevelHook()
    {
        KeyCapture capture(recorder());
        capture.install();
        press(kRightAlt, Qt::Key_AltGr);
        press(kA, Qt::Key_A, "a");
        release(kRightAlt, Qt::Key_AltGr);
        press(kLeftAlt, Qt::Key_Alt);
        release(kLeftAlt, Qt::Key_Alt);
        QCOMPARE(m_events[0].scanCode, 56u);
        QCOMPARE(m_events[0].flags, 0x21u);
        QCOMPARE(m_events[0].vkCode, 165u);
        QCOMPARE(m_events[1].flags, 0x20u);
        QCOMPARE(m_events[2].flags, 0x81u);
        QCOMPARE(m_events[3].flags, 0x20u);
        QCOMPARE(m_events[3].vkCode, 164u);
        QCOMPARE(m_events[4].flags, 0x80u);
    }

    void keyOutsidePcKeyboard_reportedWithoutCode()
    {
        KeyCapture capture(recorder());
        capture.install();
        press(kF13, Qt::Key_F13);
        QCOMPARE(int(m_events.size()), 1);
        QCOMPARE(m_events[0].scanCode, 0u);
    }

    void swallowingCapture_hidesKeysFromWidgetsAndEarlierCaptures()
    {
        KeyCapture earlier(recorder());
        earlier.install();
        int swallowed = 0;
        KeyCapture later([&](const KeyHookEvent &) { ++swallowed; return true; });
        later.install();
        press(kA, Qt::Key_A, "a");
        QCOMPARE(swallowed, 1);
        QVERIFY(m_events.empty());
        QVERIFY(m_edit->text().isEmpty());

        later.uninstall();
        press(kA, Qt::Key_A, "a");
        QCOMPARE(swallowed, 1);
        QCOMPARE(int(m_events.size()), 1);
        QCOMPARE(m_edit->text(), QStringLiteral("a"));
    }

    void destroyedCapture_stopsDelivery()
    {
        {
            KeyCapture capture(recorder());
            capture.install();
        }
        press(kA, Qt::Key_A, "a");
        QVERIFY(m_events.empty());
    }

private:
    KeyCapture::Handler recorder()
    {
        return [this](const KeyHookEvent &e) { m_events.push_back(e); return false; };
    }
    void send(QEvent::Type type, quint32 native, int key, const QString &text)
    {
        QKeyEvent event(type, key, Qt::NoModifier, native, 0, 0, text);
        QCoreApplication::sendEvent(m_window->windowHandle(), &event);
    }
    void press(quint32 native, int key, const QString &text = {}) { send(QEvent::KeyPress, native, key, text); }
    void release(quint32 native, int key, const QString &text = {}) { send(QEvent::KeyRelease, native, key, text); }

    QWidget *m_window = nullptr;
    QLineEdit *m_edit = nullptr;
    std::vector<KeyHookEvent> m_events;
};

QTEST_MAIN(TstKeyCapture)
#include "tst_keycapture.moc"
