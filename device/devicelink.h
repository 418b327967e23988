// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QRecursiveMutex>

class QThread;

#include "device/kesthidbackend.h"

// The link's state lives in one object (kestdevicecontext.h); the names below are the
// older ways in, kept for the callers outside device/ until they use the context.
//
// The four handles of the link context (KestDeviceHandles). Only discovery opens and
// closes them, holding exchangeMutex(). To be removed once tools/ and fuzz/ use
// KestDeviceContext::link().handles().
extern KestHidHandle &mouseHandle1;
extern KestHidHandle &commandHandle1;
extern KestHidHandle &mouseHandle2;
extern KestHidHandle &commandHandle2;

// The handle commands go to: the cable when it is open, else the receiver
// (possibly null). Call it with exchangeMutex() held and keep the lock while
// using the handle, or a hot-plug reopen may close it under you.
KestHidHandle CommandHandle();

// Serialises every exchange on the command interface with discovery's closing
// and reopening of handles. Recursive, so SendCommand may be called by code
// that already holds it. Threads that do their own write+read (the battery
// reader) lock it around the pair. Never hold it while waiting for another
// thread that may take it.
QRecursiveMutex &exchangeMutex();

// The backend in use: hidapi unless another was set (the simulated mouse of the tests,
// the tools and the demo mode, device/sim/).
KestHidBackend &hidBackend();
// Replaces the backend (tests, tools). Close the handles first.
void setHidBackend(std::shared_ptr<KestHidBackend> backend);
std::shared_ptr<KestHidBackend> sharedHidBackend();

// Thin routes to the backend, so nobody else needs to know which runs. They
// take exchangeMutex() for the call; a null handle fails with -1.
int hidWrite(KestHidHandle device, const quint8 *data, int length);
int hidReadTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds);
// The backend's waitForInput()/wakeWaiters(), without exchangeMutex(): a waiting listener
// must not hold up exchanges. The handle may be closed meanwhile; the backend copes.
int hidWaitForInput(KestHidHandle device, int milliseconds);
void hidWakeWaiters();

// Fixed delays of the link. The defaults are what the mouse needs; tests shrink
// them to run fast.
struct KestLinkTimings
{
    int afterWriteMs = 10;       // pause after every command write
    int beforeRereadMs = 50;     // pause before reading again after a failure or mismatch
    int readTimeoutMs = 150;     // time-out of an answer read
    int reopenMs = 500;          // pause between closing and reopening on hot-plug
    int notifyDelayMs = 200;     // delay of the connected / disconnected notifications
};
const KestLinkTimings &linkTimings();
void setLinkTimings(const KestLinkTimings &timings);

// The window's thread must never wait on the mouse: once a program declares its GUI thread,
// every entry point of the link that needs the device notes a call made from it. Debug
// builds stop there; other builds count it (tests read the count) and warn. Single-threaded
// programs (mousecfgctl) declare nothing and are never checked.
void declareGuiThread(QThread *thread);
void noteDeviceCall(const char *where);
int deviceCallsOnGuiThread();
void resetDeviceCallsOnGuiThread();

// Set while the device worker ends: exchanges in flight give up at their next step
// (result 2) instead of waiting out a silent mouse, and new ones give up at once.
bool exchangesCancelled();
