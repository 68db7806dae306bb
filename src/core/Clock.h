#pragma once

#include <QDate>
#include <QDateTime>

namespace almanis {

// Where "today" and "now" come from. The program asks the system for its local
// date and time; tests and benchmarks fix them.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    // The local date and time, in the time zone the day is counted in.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
  public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set. Given a date alone it shows noon
// of that day, clear of midnight on every day and in every time zone.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDate date) : now_(noonOf(date)) {}
    explicit FixedClock(QDateTime now) : now_(std::move(now)) {}
    QDate today() const override { return now_.date(); }
    QDateTime now() const override { return now_; }
    void set(QDate date) { now_ = noonOf(date); }
    void set(QDateTime now) { now_ = std::move(now); }

  private:
    static QDateTime noonOf(QDate date) { return QDateTime(date, QTime(12, 0)); }

    QDateTime now_;
};

}  // namespace almanis
