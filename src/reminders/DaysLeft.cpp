#include "reminders/DaysLeft.h"

#include "app/AppError.h"

namespace almanis {

std::optional<QDate> carriedDate(int year, int month, int day) {
    // Normalise the month first, then count the days from its first day.
    const qint64 months = static_cast<qint64>(year) * 12 + (static_cast<qint64>(month) - 1);
    const qint64 y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const int m = static_cast<int>(months - y * 12) + 1;
    if (y < 100 || y > 9999) {
        return std::nullopt;
    }
    const QDate date = QDate(static_cast<int>(y), m, 1).addDays(static_cast<qint64>(day) - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999) {
        return std::nullopt;
    }
    return date;
}

int DaysLeft(int month, int day, QDate today) {
    const auto thisYear = carriedDate(today.year(), month, day);
    if (!thisYear) {
        throw AppError(QStringLiteral("Invalid procedure call: no date for month %1, day %2")
                           .arg(month)
                           .arg(day));
    }
    const qint64 d = today.daysTo(*thisYear);
    if (d >= 0) {
        return static_cast<int>(d);
    }
    const auto nextYear = carriedDate(today.year() + 1, month, day);
    if (!nextYear) {
        throw AppError(QStringLiteral("Invalid procedure call: no date for month %1, day %2")
                           .arg(month)
                           .arg(day));
    }
    return static_cast<int>(today.daysTo(*nextYear));
}

bool isValidEventDate(int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= QDate(2000, month, 1).daysInMonth();
}

bool isDue(int daysLeft, const RemindWindows& windows) {
    return (windows.day0 && daysLeft == 0) || (windows.day3 && daysLeft == 3) ||
           (windows.day7 && daysLeft == 7) || (windows.day14 && daysLeft == 14) ||
           (windows.day30 && daysLeft == 30);
}

}  // namespace almanis
