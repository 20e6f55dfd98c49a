#pragma once

#include <QObject>

#include <chrono>

namespace velmora {

// A timer that ticks on its Clock's time: the part of QTimer the program
// uses. start() on a running timer starts it again from now. A single-shot
// timer is no longer active when its timeout() is emitted.
class ClockTimer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void start() { schedule(); }
    void start(int ms)
    {
        m_interval = ms;
        schedule();
    }
    void stop() { cancel(); }
    bool isActive() const { return isScheduled(); }

    // Interval, single shot and type take effect at the next start().
    int interval() const { return m_interval; }
    void setInterval(int ms) { m_interval = ms; }
    bool isSingleShot() const { return m_singleShot; }
    void setSingleShot(bool singleShot) { m_singleShot = singleShot; }
    Qt::TimerType timerType() const { return m_type; }
    void setTimerType(Qt::TimerType type) { m_type = type; }

Q_SIGNALS:
    void timeout();

protected:
    virtual void schedule() = 0;
    virtual void cancel() = 0;
    virtual bool isScheduled() const = 0;

private:
    int m_interval = 0;
    bool m_singleShot = false;
    Qt::TimerType m_type = Qt::CoarseTimer;
};

// Seam for time: what the program waits for and what it measures. The
// program runs on systemClock(); tests put a clock of their own in its place
// and move time on by hand.
class Clock {
public:
    virtual ~Clock() = default;

    // Monotonic time since a fixed start; may be read from any thread.
    virtual std::chrono::nanoseconds now() const = 0;
    // A stopped timer, owned by `parent`, living in the calling thread.
    virtual ClockTimer *createTimer(QObject *parent) = 0;
};

// The real time, with QTimer's timers.
Clock &systemClock();

} // namespace velmora
