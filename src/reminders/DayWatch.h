#pragma once

#include <QDate>
#include <QDateTime>

namespace almanis {

// The day the reminders were last checked for, and when to look again.
class DayWatch {
  public:
    // True from the first check of the run until the watch stops.
    bool watching() const { return day_.isValid(); }
    QDate day() const { return day_; }
    void watch(QDate day) { day_ = day; }
    void stop() { day_ = QDate(); }

    // True when the clock shows another day than the one checked: a later
    // one, or an earlier one after the clock was set back.
    bool isNewDay(QDate today) const { return watching() && today != day_; }

    // The next wake-up: the first moment of the day after the one checked (or
    // after `now`'s date, before any check), in `now`'s time zone. When that
    // has passed the wake-up is due at once.
    QDateTime nextWake(const QDateTime& now) const;

    // The first moment of the day after `day` where `now` is kept. It comes
    // from the calendar, not from adding 24 hours: a day of 23 or 25 hours, or
    // one whose clocks skip midnight, starts when it really starts.
    static QDateTime startOfDayAfter(QDate day, const QDateTime& now);

  private:
    QDate day_;
};

}  // namespace almanis
