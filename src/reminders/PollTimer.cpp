#include "reminders/PollTimer.h"

namespace almanis {

PollTimer::PollTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &PollTimer::ticked);
}

void PollTimer::setInterval(int ms) {
    interval_ = ms;
    apply();
}

void PollTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void PollTimer::setArmed(bool armed) {
    if (armed == armed_) {
        return;
    }
    armed_ = armed;
    apply();
}

void PollTimer::apply() {
    if (enabled_ && armed_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

}  // namespace almanis
