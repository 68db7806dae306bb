#pragma once

#include <QDate>
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

// The dates an event may be given: months 1 to 12, days 1 to the month's
// length in a leap year, so 29 February is accepted in every year.
bool isValidEventDate(int month, int day);

}  // namespace almanis
