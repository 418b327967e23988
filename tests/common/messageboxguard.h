// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A modal message box nobody expected would wait for a click until the test runner's
// time-out. While a guard lives, every KestMessageBox that opens is either handed to the
// handler a test queued for it, or fails the running test at once and is dismissed.

#include <functional>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "widgets/kestmessagebox.h"

class MessageBoxGuard final : public QObject
{
public:
    using Handler = std::function<void(KestMessageBox *)>;

    MessageBoxGuard()
    {
        qApp->installEventFilter(this);
        current() = this;
    }
    ~MessageBoxGuard() override
    {
        qApp->removeEventFilter(this);
        if (current() == this)
            current() = nullptr;
    }
    // The guard of the running test, if any.
    static MessageBoxGuard *&current()
    {
        static MessageBoxGuard *guard = nullptr;
        return guard;
    }

    // The next box to open is expected; handler runs inside the box's own event loop
    // and must close it.
    void expect(Handler handler) { m_expected.enqueue(std::move(handler)); }
    int pending() const { return m_expected.size(); }
    void clear() { m_expected.clear(); }
    // While set, boxes nobody queued a handler for go to this one instead of failing: for
    // a stretch of a test that answers whatever box comes.
    void setFallback(Handler handler) { m_fallback = std::move(handler); }
    // Texts of the boxes that opened unexpectedly.
    QStringList unexpected() const { return m_unexpected; }

    static QString textOf(const KestMessageBox *box)
    {
        QStringList texts;
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                texts << label->text();
        }
        return texts.join(QLatin1String(" / "));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *box = qobject_cast<KestMessageBox *>(watched);
        if (!box || m_seen.contains(box))
            return false;
        m_seen << box;
        QPointer<KestMessageBox> guarded(box);
        if (!m_expected.isEmpty() || m_fallback) {
            Handler handler = m_expected.isEmpty() ? m_fallback : m_expected.dequeue();
            QTimer::singleShot(0, box, [guarded, handler] {
                if (guarded)
                    handler(guarded);
            });
            return false;
        }
        const QString text = textOf(box);
        m_unexpected << text;
        QTimer::singleShot(0, box, [guarded] {
            if (guarded)
                guarded->reject();
        });
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__,
                     __LINE__);
        return false;
    }

private:
    QQueue<Handler> m_expected;
    Handler m_fallback;
    QStringList m_unexpected;
    QList<QPointer<KestMessageBox>> m_seen;
};
