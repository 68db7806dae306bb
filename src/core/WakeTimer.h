#pragma once

#include <QDateTime>
#include <QObject>

namespace almanis {

// Wakes the program at a local date and time, without ticking in between; the
// program sets it for the next midnight. Besides the time set, it also wakes
// the program whenever the day may have changed under it: after a suspend, a
// clock change or a change of time zone. The program uses the system's timer;
// tests fire a fake one by hand.
class WakeTimer : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Wakes once at `when`, or at once when that has passed; replaces the
    // time set before.
    virtual void wakeAt(const QDateTime& when) = 0;
    // Forgets the time set; no wake-up follows until one is set again.
    virtual void cancel() = 0;

  signals:
    void woke();
};

}  // namespace almanis
