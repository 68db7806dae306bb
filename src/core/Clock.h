#pragma once

#include <QDate>

namespace almanis {

// Where "today" comes from. The program asks the system for its local date;
// tests and benchmarks fix the date.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
  public:
    QDate today() const override { return QDate::currentDate(); }
};

class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDate date) : date_(date) {}
    QDate today() const override { return date_; }
    void set(QDate date) { date_ = date; }

  private:
    QDate date_;
};

}  // namespace almanis
