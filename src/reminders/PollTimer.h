#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace almanis {

// The main window's polling timer. It counts ticks of its interval while it
// runs, as a timer ticking once an interval would, but it sleeps through them:
// it wakes only once, when the number of ticks its owner asked for has passed,
// so a snoozed program does not wake every second. Unlike a bare QTimer, an
// interval of 0 means stopped; stopped or disabled, it stands still, and the
// ticks it counted before are kept for when it runs again.
class PollTimer : public QObject {
    Q_OBJECT
  public:
    explicit PollTimer(QObject* parent = nullptr);

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    // Wakes the owner (ticked) once `ticks` more ticks have passed, counting
    // only while the timer runs; 0: no wake-up, and no sleep.
    void wakeAfter(int ticks);
    // True while a wake-up waits and the timer runs towards it.
    bool running() const { return sleeping_; }

    // The whole ticks that have passed while running since they were last
    // taken; a wake-up asked for stays where it was.
    int passedTicks() const;
    int takePassedTicks();

  signals:
    // The wake-up asked for: `ticks` ticks have passed since the last taken.
    void ticked(int ticks);

  protected:
    // A monotonic clock in milliseconds, and one sleep until a time on it.
    // Tests put a clock of their own in.
    virtual qint64 monotonicMs() const;
    virtual void sleepUntil(qint64 ms);
    virtual void stopSleeping();
    // The sleep has ended.
    void wake();

  private:
    void apply();
    int ticksThisRun() const;

    QTimer timer_;
    QElapsedTimer clock_;
    int interval_ = 0;
    bool enabled_ = true;
    // The count of passed ticks at which to wake; 0: none.
    int wakeAt_ = 0;
    // Ticks of runs that ended, not taken yet.
    int banked_ = 0;
    bool sleeping_ = false;
    qint64 runStart_ = 0;
    int takenThisRun_ = 0;
};

}  // namespace almanis
