#include "base/Clock.h"

#include <QTimer>

namespace velmora {

namespace {

class SystemTimer final : public ClockTimer {
public:
    explicit SystemTimer(QObject *parent)
        : ClockTimer(parent)
        , m_timer(this) // a child, so that it moves along to another thread
    {
        connect(&m_timer, &QTimer::timeout, this, &ClockTimer::timeout);
    }

protected:
    void schedule() override
    {
        m_timer.setSingleShot(isSingleShot());
        m_timer.setTimerType(timerType());
        m_timer.start(interval());
    }
    void cancel() override { m_timer.stop(); }
    bool isScheduled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class SystemClock final : public Clock {
public:
    std::chrono::nanoseconds now() const override
    {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
    ClockTimer *createTimer(QObject *parent) override { return new SystemTimer(parent); }
};

} // namespace

Clock &systemClock()
{
    static SystemClock clock;
    return clock;
}

} // namespace velmora
