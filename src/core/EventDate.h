#pragma once

#include <QDate>
#include <array>
#include <optional>

namespace almanis {

// The date of year/month/day by the calendar carry rule: a day beyond the
// month's length carries into the following month, day 0 is the last day of
// the month before, a month beyond 12 carries into the following year and
// month 0 is December of the year before. Nothing when the date falls outside
// the years 100 to 9999.
std::optional<QDate> carriedDate(int year, int month, int day);

// Days from today to the event's next occurrence: 0 when it falls on today,
// otherwise the days to this year's date, or to next year's once this year's
// has passed. Nothing when the date cannot be built.
std::optional<int> tryDaysLeft(int month, int day, QDate today);
// The same, throwing AppError when the date cannot be built.
int daysLeft(int month, int day, QDate today);

// Days left to many events from one day, as tryDaysLeft counts them: the
// year and the first days of this year's and next year's months are worked out
// once, so a list of thousands counts each event with an addition.
class DayCount {
  public:
    explicit DayCount(QDate today = {});

    QDate today() const { return today_; }
    std::optional<int> daysLeft(int month, int day) const;
    // The same, throwing AppError as daysLeft() does.
    int requireDaysLeft(int month, int day) const;
    // Whether the month, carried like a date, falls in the calendar this year.
    bool hasMonth(int month) const;

  private:
    QDate today_;
    qint64 from_ = 0;
    // Julian day of the first of each month, this year then next; 0 where
    // that month is outside the calendar.
    std::array<qint64, 24> monthStarts_{};
};

// The dates an event may be given: months 1 to 12, days 1 to the month's
// length in a leap year, so 29 February is accepted in every year.
bool isValidEventDate(int month, int day);

// The years an event with a valid date may be given: 1 to the year of
// `today`, and for 29 February a leap year only, since that day did not
// happen in the others.
bool isValidEventYear(int year, int month, int day, QDate today);

// The years an occurrence on `occurrence` completes since the event first
// happened in `firstYear`: an age, or the years a couple has been married.
// 29 February's occurrence on 1 March of a common year completes that year's.
inline int yearsCompleted(int firstYear, QDate occurrence) {
    return occurrence.year() - firstYear;
}

}  // namespace almanis
