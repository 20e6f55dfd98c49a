#include "base/Clock.h"
#include "doubles/ManualClock.h"

#include <QSignalSpy>
#include <QTest>

using velmora::Clock;
using velmora::ClockTimer;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The real clock and the tests' hand-moved one keep the same contract: the
// tests of the program only mean something if ManualClock behaves as the
// system clock does, only without the waiting.
class tst_Clock : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void systemClockIsMonotonic();
    void timersKeepTheirContract_data();
    void timersKeepTheirContract();
    void manualTimersFireInTheOrderTheyFallDue();
    void manualTimersStartedByATimeoutFireInTheSameAdvance();
    void manualRepeatingTimerFiresEveryInterval();
    void manualZeroRepeatingTimerFiresOncePerAdvance();
    void manualTimerStoppedOrDeletedByAnotherNeverFires();
    void manualClockGoneBeforeItsTimers();
    void advanceUntilStopsAtTheFirstFiringThatDoesIt();
    void stepPerReadMakesMeasuredWorkTakeTheStep();
};

void tst_Clock::systemClockIsMonotonic()
{
    Clock &clock = velmora::systemClock();
    QCOMPARE(&clock, &velmora::systemClock());
    const auto before = clock.now();
    QTest::qWait(5);
    const auto after = clock.now();
    QVERIFY(after - before >= 4ms);
    QVERIFY(after - before < 10s);
}

void tst_Clock::timersKeepTheirContract_data()
{
    QTest::addColumn<bool>("manual");
    QTest::newRow("system clock") << false;
    QTest::newRow("manual clock") << true;
}

// What the program relies on, on either clock: a stopped timer to begin
// with, single shots that are over when they fire, start() that starts again
// from now, and stop().
void tst_Clock::timersKeepTheirContract()
{
    QFETCH(bool, manual);
    ManualClock manualClock;
    Clock &clock = manual ? static_cast<Clock &>(manualClock) : velmora::systemClock();
    // Lets `ms` pass, or (on the system clock) at most that long until `spy` has a call.
    auto pass = [&](int ms, QSignalSpy &spy) {
        if (manual)
            manualClock.advance(ms);
        else if (spy.isEmpty())
            spy.wait(ms);
    };

    QObject owner;
    QPointer<ClockTimer> timer = clock.createTimer(&owner);
    QCOMPARE(timer->parent(), &owner);
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 0);
    QVERIFY(!timer->isSingleShot());

    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    bool activeInTimeout = true;
    connect(timer.data(), &ClockTimer::timeout, this, [&] { activeInTimeout = timer->isActive(); });
    QSignalSpy fired(timer.data(), &ClockTimer::timeout);
    timer->start(20);
    QCOMPARE(timer->interval(), 20);
    QVERIFY(timer->isActive());
    pass(5000, fired);
    QCOMPARE(fired.size(), 1);
    QVERIFY(!activeInTimeout);
    QVERIFY(!timer->isActive());

    // Stopped, it stays quiet.
    fired.clear();
    timer->start();
    timer->stop();
    QVERIFY(!timer->isActive());
    pass(60, fired);
    QCOMPARE(fired.size(), 0);

    // Repeating until stopped.
    timer->setSingleShot(false);
    timer->start(5);
    pass(5000, fired);
    QVERIFY(!fired.isEmpty());
    QVERIFY(timer->isActive());
    timer->stop();

    delete timer;
    QVERIFY(owner.children().isEmpty());
}

void tst_Clock::manualTimersFireInTheOrderTheyFallDue()
{
    ManualClock clock;
    QObject owner;
    QStringList log;
    auto add = [&](const QString &name, int ms) {
        ClockTimer *timer = clock.createTimer(&owner);
        timer->setSingleShot(true);
        connect(timer, &ClockTimer::timeout, this,
            [&log, &clock, name] { log << u"%1@%2"_s.arg(name).arg(clock.now() / 1ms); });
        timer->start(ms);
        return timer;
    };
    add("c", 300);
    add("a", 100);
    add("b1", 200);
    add("b2", 200);
    ClockTimer *restarted = add("d", 50);
    clock.advance(10);
    restarted->start(); // from now: due at 60, no longer at 50
    clock.advance(49);
    QVERIFY(log.isEmpty());
    clock.advance(1);
    QCOMPARE(log, QStringList({ "d@60" }));
    clock.advance(1000);
    // Equal times in the order the timers were started.
    QCOMPARE(log, QStringList({ "d@60", "a@100", "b1@200", "b2@200", "c@300" }));
    QCOMPARE(clock.now(), 1060ms);
}

void tst_Clock::manualTimersStartedByATimeoutFireInTheSameAdvance()
{
    // How an animation plays: each frame's timeout starts the timer for the next.
    ManualClock clock;
    QObject owner;
    ClockTimer *frame = clock.createTimer(&owner);
    frame->setSingleShot(true);
    QList<qint64> at;
    connect(frame, &ClockTimer::timeout, this, [&] {
        at << clock.now() / 1ms;
        if (at.size() < 4)
            frame->start(20 * int(at.size()));
    });
    frame->start(10);
    clock.advance(500);
    QCOMPARE(at, QList<qint64>({ 10, 30, 70, 130 }));
    QVERIFY(!frame->isActive());
}

void tst_Clock::manualRepeatingTimerFiresEveryInterval()
{
    ManualClock clock;
    QObject owner;
    ClockTimer *timer = clock.createTimer(&owner);
    QSignalSpy fired(timer, &ClockTimer::timeout);
    timer->start(100);
    clock.advance(350);
    QCOMPARE(fired.size(), 3);
    clock.advance(49);
    QCOMPARE(fired.size(), 3);
    clock.advance(1);
    QCOMPARE(fired.size(), 4);
}

void tst_Clock::manualZeroRepeatingTimerFiresOncePerAdvance()
{
    ManualClock clock;
    QObject owner;
    ClockTimer *timer = clock.createTimer(&owner);
    QSignalSpy fired(timer, &ClockTimer::timeout);
    timer->start(0);
    clock.advance(0);
    QCOMPARE(fired.size(), 1);
    clock.advance(1000);
    QCOMPARE(fired.size(), 2);
    // A zero single shot fires at once, even when a timeout starts it.
    ClockTimer *once = clock.createTimer(&owner);
    once->setSingleShot(true);
    QSignalSpy onceFired(once, &ClockTimer::timeout);
    connect(timer, &ClockTimer::timeout, once, qOverload<>(&ClockTimer::start));
    clock.advance(0);
    QCOMPARE(fired.size(), 3);
    QCOMPARE(onceFired.size(), 1);
}

void tst_Clock::manualTimerStoppedOrDeletedByAnotherNeverFires()
{
    ManualClock clock;
    QObject owner;
    ClockTimer *first = clock.createTimer(&owner);
    ClockTimer *stopped = clock.createTimer(&owner);
    QPointer<ClockTimer> deleted = clock.createTimer(&owner);
    for (ClockTimer *t : { first, stopped, deleted.data() }) {
        t->setSingleShot(true);
        t->start(100);
    }
    connect(first, &ClockTimer::timeout, this, [&] {
        stopped->stop();
        delete deleted;
    });
    QSignalSpy stoppedFired(stopped, &ClockTimer::timeout);
    clock.advance(1000);
    QVERIFY(!deleted);
    QCOMPARE(stoppedFired.size(), 0);
}

void tst_Clock::manualClockGoneBeforeItsTimers()
{
    QObject owner;
    ClockTimer *timer = nullptr;
    {
        ManualClock clock;
        timer = clock.createTimer(&owner);
        timer->start(10);
    }
    timer->start(10); // a timer of no clock any more never fires, and does no harm
    delete timer;
}

void tst_Clock::advanceUntilStopsAtTheFirstFiringThatDoesIt()
{
    ManualClock clock;
    QObject owner;
    ClockTimer *timer = clock.createTimer(&owner);
    QSignalSpy fired(timer, &ClockTimer::timeout);
    timer->start(30);
    QVERIFY(clock.advanceUntil([&] { return fired.size() == 2; }, 1000));
    QCOMPARE(clock.now(), 60ms);
    QVERIFY(!clock.advanceUntil([&] { return fired.size() == 10; }, 100));
    QCOMPARE(fired.size(), 5);
    QCOMPARE(clock.now(), 160ms);
}

void tst_Clock::stepPerReadMakesMeasuredWorkTakeTheStep()
{
    ManualClock clock;
    QCOMPARE(clock.now(), clock.now());
    clock.setStepPerRead(7);
    const auto start = clock.now();
    QCOMPARE(clock.now() - start, 7ms);
    // Timers see the time so moved at the next advance.
    QObject owner;
    ClockTimer *timer = clock.createTimer(&owner);
    QSignalSpy fired(timer, &ClockTimer::timeout);
    timer->start(20);
    for (int i = 0; i < 3; ++i)
        clock.now();
    QCOMPARE(fired.size(), 0);
    clock.advance(0);
    QCOMPARE(fired.size(), 1);
}

QTEST_GUILESS_MAIN(tst_Clock)
#include "tst_clock.moc"
