#pragma once

#include <QObject>
#include <QTimer>

namespace almanis {

// The main window's polling timer. Unlike a bare QTimer, an interval of 0
// means stopped, not "as fast as possible"; it ticks only while enabled with a
// positive interval, and only while armed: the reminders arm it while a timed
// re-check waits, so an idle program does not wake every second.
class PollTimer final : public QObject {
    Q_OBJECT
  public:
    explicit PollTimer(QObject* parent = nullptr);

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    void setArmed(bool armed);
    bool armed() const { return armed_; }
    bool running() const { return timer_.isActive(); }

  signals:
    void ticked();

  private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
    bool armed_ = true;
};

}  // namespace almanis
