#pragma once

#include "base/Clock.h"

#include <QCoreApplication>
#include <QList>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <functional>

// Test double: a clock that stands still until the test moves it on.
//
// advance() moves time forward and fires, in the order they fall due, the
// timers that come due on the way, including those that a timeout starts
// again; equal times fire in the order they were started. A repeating timer
// of interval 0 fires once per advance(), as a zero QTimer fires once per
// turn of the event loop. Nothing fires outside advance() and advanceUntil().
//
// setStepPerRead() makes every reading of now() move time on by a step, so
// that any piece of work measured between two readings takes exactly that
// long. Timers that come due that way fire at the next advance().
//
// setSettle() gives what runs before time moves on and after each firing:
// for code that hands work to other threads, what lets that work finish and
// its results arrive, so that no time passes while it is done (see
// settleThreadsAndEvents()).
class ManualClock final : public velmora::Clock {
public:
    ManualClock() = default;
    ManualClock(const ManualClock &) = delete;
    ManualClock &operator=(const ManualClock &) = delete;
    ~ManualClock() override
    {
        for (Timer *timer : m_timers)
            timer->m_clock = nullptr;
    }

    std::chrono::nanoseconds now() const override { return Ns(m_now.fetch_add(m_stepPerRead)); }
    velmora::ClockTimer *createTimer(QObject *parent) override { return new Timer(*this, parent); }

    void setStepPerRead(int ms) { m_stepPerRead = Ns(std::chrono::milliseconds(ms)).count(); }
    void setSettle(std::function<void()> settle) { m_settle = std::move(settle); }

    // Waits for the global thread pool and delivers what its tasks sent
    // back, until a few turns pass with the pool idle: a drawing or a
    // synthesis result reaches its owner in up to two turns.
    static void settleThreadsAndEvents()
    {
        QThreadPool *pool = QThreadPool::globalInstance();
        for (int quiet = 0, turn = 0; quiet < 3 && turn < 1000; ++turn) {
            pool->waitForDone(10000);
            QCoreApplication::processEvents();
            quiet = pool->activeThreadCount() == 0 ? quiet + 1 : 0;
        }
    }

    // Fires what falls due within the next `ms` milliseconds.
    void advance(int ms) { run(ms, {}); }
    // As advance(), but stops at the first firing after which `done` holds.
    // Whether `done` holds in the end.
    bool advanceUntil(const std::function<bool()> &done, int maxMs) { return run(maxMs, done); }

private:
    using Ns = std::chrono::nanoseconds;
    static constexpr qint64 NsPerMs = 1000 * 1000;

    class Timer final : public velmora::ClockTimer {
    public:
        Timer(ManualClock &clock, QObject *parent)
            : ClockTimer(parent)
            , m_clock(&clock)
        {
            clock.m_timers.append(this);
        }
        ~Timer() override
        {
            if (m_clock)
                m_clock->m_timers.removeOne(this);
        }

        void fire()
        {
            if (isSingleShot()) {
                m_active = false;
            } else {
                m_due += qint64(interval()) * NsPerMs;
                m_firedInRun = m_clock->m_run;
            }
            Q_EMIT timeout();
        }

        ManualClock *m_clock;
        bool m_active = false;
        qint64 m_due = 0;
        quint64 m_order = 0; // when it was started, among timers due at once
        quint64 m_firedInRun = 0;

    protected:
        void schedule() override
        {
            if (!m_clock)
                return;
            m_active = true;
            m_due = m_clock->m_now + qint64(interval()) * NsPerMs;
            m_order = ++m_clock->m_started;
            m_firedInRun = 0;
        }
        void cancel() override { m_active = false; }
        bool isScheduled() const override { return m_active; }
    };

    const Timer *nextDue(qint64 until) const
    {
        const Timer *next = nullptr;
        for (const Timer *t : m_timers) {
            if (!t->m_active || t->m_due > until)
                continue;
            if (t->interval() == 0 && !t->isSingleShot() && t->m_firedInRun == m_run)
                continue;
            if (!next || t->m_due < next->m_due || (t->m_due == next->m_due && t->m_order < next->m_order))
                next = t;
        }
        return next;
    }

    bool run(int ms, const std::function<bool()> &done)
    {
        ++m_run;
        const qint64 until = m_now + qint64(ms) * NsPerMs;
        settle();
        while (!(done && done())) {
            Timer *next = const_cast<Timer *>(nextDue(until));
            if (!next) {
                m_now = std::max<qint64>(m_now, until);
                settle();
                return done && done();
            }
            m_now = std::max<qint64>(m_now, next->m_due);
            next->fire(); // may start, stop or delete timers: looked for afresh each time
            settle();
        }
        return true;
    }

    void settle()
    {
        if (m_settle)
            m_settle();
    }

    mutable std::atomic<qint64> m_now { 0 };
    std::function<void()> m_settle;
    qint64 m_stepPerRead = 0;
    quint64 m_started = 0;
    quint64 m_run = 0;
    QList<Timer *> m_timers;
};
