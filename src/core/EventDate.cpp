#include "core/EventDate.h"

#include "core/AppError.h"

namespace almanis {

namespace {
// The calendar's range, as Julian day numbers: 1 January 100 to 31 December 9999.
qint64 firstDay() {
    static const qint64 day = QDate(100, 1, 1).toJulianDay();
    return day;
}
qint64 lastDay() {
    static const qint64 day = QDate(9999, 12, 31).toJulianDay();
    return day;
}

// The carry rule on Julian day numbers: the list computes this for every row,
// so it stays clear of building and taking apart whole dates.
std::optional<qint64> carriedJulianDay(int year, int month, int day) {
    // Normalise the month first, then count the days from its first day.
    const qint64 months = static_cast<qint64>(year) * 12 + (static_cast<qint64>(month) - 1);
    const qint64 y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const int m = static_cast<int>(months - y * 12) + 1;
    if (y < 100 || y > 9999) {
        return std::nullopt;
    }
    const qint64 julian = QDate(static_cast<int>(y), m, 1).toJulianDay() + day - 1;
    if (julian < firstDay() || julian > lastDay()) {
        return std::nullopt;
    }
    return julian;
}

[[noreturn]] void noDate(int month, int day) {
    throw AppError(
        QStringLiteral("Invalid procedure call: no date for month %1, day %2").arg(month).arg(day));
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
    const int year = today.year();
    const qint64 from = today.toJulianDay();
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

}  // namespace almanis
