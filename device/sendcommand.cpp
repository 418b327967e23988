// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/sendcommand.h"

#include <algorithm>
#include <cstring>

#include <QDebug>
#include <QMutexLocker>
#include <QThread>

#include "device/commandreport.h"
#include "device/devicelink.h"
#include "device/kestdevicecontext.h"
#include "device/kestdevicelock.h"
#include "platform/logging.h"

namespace {

// Retry limits of one exchange.
constexpr int MaxReadFailures = 29;   // failed reads before the report is written again
constexpr int MaxCheckFailures = 19;  // wrong answers before the report is written again
constexpr int MaxRewrites = 2;        // rewrites after failed reads or wrong answers, together
constexpr int MaxAllZeroRewrites = 5; // all-zero answers rewritten before giving up on an answer

// Byte 4 of the report tells whether the mouse answers it: parameters up to
// 10 and the two extended queries do; the rest are taken without an answer.
bool answerAwaited(quint8 byte4)
{
    return byte4 <= 10 || byte4 == 0x40 || byte4 == 0x46;
}

QByteArray hexBytes(const quint8 *bytes, int count)
{
    QByteArray text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += QByteArray::number(bytes[i], 16).rightJustified(2, '0');
    }
    return text;
}

void logEnd(const char *line)
{
    qCDebug(lcExchange, "%s", line);
    qCDebug(lcExchange, " ");
    qCDebug(lcExchange, " ");
}

quint8 succeeded()
{
    logEnd("send success--------------------------------------");
    return SEND_OK;
}

} // namespace

quint8 SendCommand(const KestCommandReport &report)
{
    return sendCommand(KestDeviceContext::link(), report);
}

quint8 SendCommand(const quint8 *report, int length)
{
    return sendCommand(KestDeviceContext::link(), report, length);
}

quint8 sendCommand(KestDeviceContext &context, const KestCommandReport &report)
{
    return sendCommand(context, report.data(), CommandReport::WireLength);
}

quint8 sendCommand(KestDeviceContext &context, const quint8 *report, int length)
{
    noteDeviceCall("SendCommand");
    qCDebug(lcExchange, "start--------------------------------------");
    // Held for the whole exchange: a hot-plug reopen on the GUI thread waits
    // until the handle taken below is no longer in use.
    QMutexLocker lock(&context.exchangeMutex());
    const KestHidHandle handle = context.commandHandle();
    if (!handle) {
        logEnd("no device--------------------------------------");
        return SEND_NO_DEVICE;
    }
    // Another program (mousecfgctl, or the window) may be in the middle of its own.
    const KestDeviceLock deviceLock;
    if (!deviceLock.isHeld()) {
        logEnd("device busy--------------------------------------");
        return SEND_GAVE_UP;
    }

    const int wireLength = std::clamp(length, 0, CommandReport::BufferSize - 1);
    quint8 command[CommandReport::BufferSize] = {};
    quint8 answerBuffer[CommandReport::BufferSize] = {};
    std::memcpy(command, report, size_t(wireLength + 1));
    // The answer is read one byte in, so that answer byte k sits beside command byte k + 1.
    quint8 *const answer = answerBuffer + 1;
    const KestLinkTimings timings = context.timings();
    const std::shared_ptr<KestHidBackend> backendHeld = context.backend();
    KestHidBackend &backend = *backendHeld;

    int readFailures = 0;
    int checkFailures = 0;
    int allZeroAnswers = 0;
    int rewrites = 0;
    bool checkFailed = false;
    bool zeroAnswered = false; // an explicit all-zero answer arrived during this call

    for (;;) {
        if (context.cancelled()) {
            logEnd("cancelled--------------------------------------");
            return SEND_GAVE_UP;
        }
        const int written = backend.write(handle, command, wireLength);
        qCDebug(lcExchange, "hid_write length=%d data=%s", wireLength, hexBytes(command + 1, 33).constData());
        if (written < 0) {
            qCDebug(lcExchange, "Unable to send a feature report.\n");
            logEnd("hid_write fail--------------------------------------");
            return SEND_WRITE_FAILED;
        }
        QThread::msleep(timings.afterWriteMs);

        // Reads for this write; leaving the loop writes the report again.
        for (;;) {
            if (!answerAwaited(command[4]))
                return succeeded();

            if (context.cancelled()) {
                logEnd("cancelled--------------------------------------");
                return SEND_GAVE_UP;
            }
            qCDebug(lcExchange, "hid_read start");
            std::memset(answerBuffer, 0, sizeof answerBuffer);
            const int read = backend.readTimeout(handle, answer, wireLength, timings.readTimeoutMs);
            if (read < 0) {
                qCDebug(lcExchange, "hid_read start read fail %d", readFailures);
                if (++readFailures > MaxReadFailures) {
                    qCDebug(lcExchange, "write fail %d", rewrites);
                    if (++rewrites > MaxRewrites) {
                        logEnd("multi rewrite fail--------------------------------------");
                        return SEND_GAVE_UP;
                    }
                    qCDebug(lcExchange, "re write");
                    break;
                }
                QThread::msleep(timings.beforeRereadMs);
                qCDebug(lcExchange, "re read");
                continue;
            }

            // A read that brought nothing is not an answer: it is counted with the all-zero
            // answers (the report is written again) but never taken for a confirmation.
            if (read == 0)
                qCDebug(lcExchange, "hid_read time-out");
            else
                qCDebug(lcExchange, "hid_read length=%d data=%s", read, hexBytes(answer, 33).constData());
            const bool allZero = read == 0 || std::all_of(answer, answer + 8, [](quint8 b) { return b == 0; });
            zeroAnswered = zeroAnswered || (read > 0 && allZero);
            if (allZero) {
                if (++allZeroAnswers <= MaxAllZeroRewrites) {
                    qCDebug(lcExchange, "all 0, jump re write");
                    break;
                }
                qCDebug(lcExchange, "multi all 0, go back--------------------------------------");
                // A receiver may answer with zeros for a report its mouse took, so six
                // zero answers count as accepted, unless the report was already answered
                // wrongly. A mouse that never answered at all has confirmed nothing.
                if (!checkFailed) {
                    if (zeroAnswered)
                        return succeeded();
                    logEnd("no answer--------------------------------------");
                    return SEND_GAVE_UP;
                }
            } else if (std::memcmp(answer, command + 1, CommandReport::AnswerLength) == 0) {
                return succeeded();
            }

            checkFailed = true;
            allZeroAnswers = 0;
            if (++checkFailures > MaxCheckFailures) {
                if (++rewrites > MaxRewrites) {
                    logEnd("multi command check fail, go back--------------------------------------");
                    return SEND_GAVE_UP;
                }
                qCDebug(lcExchange, "command check fail, re write %d", rewrites);
                break;
            }
            QThread::msleep(timings.beforeRereadMs);
            qCDebug(lcExchange, "command check fail, re read %d", rewrites);
        }
    }
}
