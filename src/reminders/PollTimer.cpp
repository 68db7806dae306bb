#include "reminders/PollTimer.h"

#include <algorithm>
#include <limits>

namespace almanis {

PollTimer::PollTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    // One wake-up, on the second: a snooze of an hour ends an hour later, not
    // up to three minutes off as a coarse timer of that length may.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PollTimer::wake);
    clock_.start();
}

qint64 PollTimer::monotonicMs() const {
    return clock_.elapsed();
}

void PollTimer::sleepUntil(qint64 ms) {
    timer_.start(static_cast<int>(
        std::clamp<qint64>(ms - monotonicMs(), 0, std::numeric_limits<int>::max())));
}

void PollTimer::stopSleeping() {
    timer_.stop();
}

void PollTimer::setInterval(int ms) {
    if (ms != interval_) {
        // A tick of another length: what ran so far is counted in the old one.
        if (sleeping_) {
            banked_ += ticksThisRun();
            sleeping_ = false;
            stopSleeping();
        }
        interval_ = ms;
    }
    apply();
}

void PollTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void PollTimer::wakeAfter(int ticks) {
    wakeAt_ = ticks > 0 ? passedTicks() + ticks : 0;
    apply();
}

int PollTimer::ticksThisRun() const {
    if (!sleeping_ || interval_ <= 0) {
        return 0;
    }
    return static_cast<int>((monotonicMs() - runStart_) / interval_) - takenThisRun_;
}

int PollTimer::passedTicks() const {
    return banked_ + ticksThisRun();
}

int PollTimer::takePassedTicks() {
    const int thisRun = ticksThisRun();
    const int passed = banked_ + thisRun;
    banked_ = 0;
    takenThisRun_ += thisRun;
    if (wakeAt_ > 0) {
        wakeAt_ = std::max(1, wakeAt_ - passed);
    }
    return passed;
}

void PollTimer::apply() {
    if (!enabled_ || interval_ <= 0 || wakeAt_ <= 0) {
        // Stopped: a tick begun is lost, as a ticking timer's would be.
        if (sleeping_) {
            banked_ += ticksThisRun();
            sleeping_ = false;
            stopSleeping();
        }
        return;
    }
    const qint64 now = monotonicMs();
    if (!sleeping_) {
        sleeping_ = true;
        runStart_ = now;
        takenThisRun_ = 0;
    }
    // The tick of this run at which the count reaches the wake-up, and never
    // one that has passed already.
    const qint64 ticks =
        std::max<qint64>(wakeAt_ - banked_ + takenThisRun_, (now - runStart_) / interval_ + 1);
    sleepUntil(runStart_ + ticks * interval_);
}

void PollTimer::wake() {
    // Asleep exactly until the wake-up: at least the ticks asked for passed.
    const int passed = std::max(wakeAt_, passedTicks());
    sleeping_ = false;
    banked_ = 0;
    wakeAt_ = 0;
    emit ticked(passed);
}

}  // namespace almanis
