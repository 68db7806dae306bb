#include "core/EventDate.h"

#include "core/AppError.h"

#include <QCoreApplication>

namespace almanis {

namespace {
// Julian day numbers by arithmetic on the proleptic Gregorian calendar, as
// QDate counts them: the list computes them for every row, so they stay clear
// of building and taking apart whole dates. Months are 1 to 12 here.
constexpr qint64 julianDay(qint64 year, qint64 month, qint64 day) {
    // Years counted from March, so the leap day ends the year.
    const qint64 y = month <= 2 ? year - 1 : year;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yearOfEra = y - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 1 March of year 0 is Julian day 1721120.
    return era * 146097 + dayOfEra + 1721120;
}
static_assert(julianDay(1970, 1, 1) == 2440588);
static_assert(julianDay(2000, 2, 29) == 2451604);

int yearOf(qint64 julian) {
    const qint64 days = julian - 1721120;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthFromMarch = (5 * dayOfYear + 2) / 153;
    return static_cast<int>(yearOfEra + era * 400 + (monthFromMarch >= 10 ? 1 : 0));
}

// The calendar's range: 1 January 100 to 31 December 9999.
constexpr qint64 kFirstDay = julianDay(100, 1, 1);
constexpr qint64 kLastDay = julianDay(9999, 12, 31);

// The carry rule on Julian day numbers.
std::optional<qint64> carriedJulianDay(int year, int month, int day) {
    // Normalise the month first, then count the days from its first day.
    const qint64 months = static_cast<qint64>(year) * 12 + (static_cast<qint64>(month) - 1);
    const qint64 y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const qint64 m = months - y * 12 + 1;
    if (y < 100 || y > 9999) {
        return std::nullopt;
    }
    const qint64 julian = julianDay(y, m, 1) + day - 1;
    if (julian < kFirstDay || julian > kLastDay) {
        return std::nullopt;
    }
    return julian;
}

[[noreturn]] void noDate(int month, int day) {
    throw AppError(QCoreApplication::translate(
                       "almanis::EventDate", "Invalid procedure call: no date for month %1, day %2")
                       .arg(month)
                       .arg(day));
}
}  // namespace

std::optional<QDate> carriedDate(int year, int month, int day) {
    const auto julian = carriedJulianDay(year, month, day);
    if (!julian) {
        return std::nullopt;
    }
    return QDate::fromJulianDay(*julian);
}

std::optional<int> tryDaysLeft(int month, int day, QDate today) {
    const qint64 from = today.toJulianDay();
    const int year = yearOf(from);
    const auto thisYear = carriedJulianDay(year, month, day);
    if (!thisYear) {
        return std::nullopt;
    }
    if (*thisYear >= from) {
        return static_cast<int>(*thisYear - from);
    }
    const auto nextYear = carriedJulianDay(year + 1, month, day);
    if (!nextYear) {
        return std::nullopt;
    }
    return static_cast<int>(*nextYear - from);
}

DayCount::DayCount(QDate today) : today_(today) {
    if (!today.isValid()) {
        return;
    }
    from_ = today.toJulianDay();
    const int year = yearOf(from_);
    for (int month = 1; month <= 12; ++month) {
        monthStarts_[month - 1] = carriedJulianDay(year, month, 1).value_or(0);
        monthStarts_[month + 11] = carriedJulianDay(year + 1, month, 1).value_or(0);
    }
}

std::optional<int> DayCount::daysLeft(int month, int day) const {
    if (month < 1 || month > 12 || !today_.isValid()) {
        return tryDaysLeft(month, day, today_);
    }
    // As carriedJulianDay: the month's first day, then the days from it.
    const auto on = [&](qint64 start) -> std::optional<qint64> {
        if (start == 0) {
            return std::nullopt;
        }
        const qint64 julian = start + day - 1;
        if (julian < kFirstDay || julian > kLastDay) {
            return std::nullopt;
        }
        return julian;
    };
    const std::optional<qint64> thisYear = on(monthStarts_[month - 1]);
    if (!thisYear) {
        return std::nullopt;
    }
    if (*thisYear >= from_) {
        return static_cast<int>(*thisYear - from_);
    }
    const std::optional<qint64> nextYear = on(monthStarts_[month + 11]);
    if (!nextYear) {
        return std::nullopt;
    }
    return static_cast<int>(*nextYear - from_);
}

int DayCount::requireDaysLeft(int month, int day) const {
    const std::optional<int> days = daysLeft(month, day);
    if (!days) {
        noDate(month, day);
    }
    return *days;
}

bool DayCount::hasMonth(int month) const {
    if (month >= 1 && month <= 12) {
        return monthStarts_[month - 1] != 0;
    }
    return carriedDate(today_.year(), month, 1).has_value();
}

int daysLeft(int month, int day, QDate today) {
    const std::optional<int> days = tryDaysLeft(month, day, today);
    if (!days) {
        noDate(month, day);
    }
    return *days;
}

bool isValidEventDate(int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= QDate(2000, month, 1).daysInMonth();
}

bool isValidEventYear(int year, int month, int day, QDate today) {
    return year >= 1 && year <= today.year() && QDate::isValid(year, month, day);
}

}  // namespace almanis
