#include "reminders/DueCheck.h"

#include "core/EventDate.h"

#include <algorithm>

namespace almanis {

namespace {
bool dated(const EventRows& rows, int row) {
    return rows.monthRead(row) && rows.dayRead(row);
}
}  // namespace

std::optional<int> DueCheck::daysLeftIfDue(int month, int day, const RemindWindows& windows) const {
    const std::optional<int> left = count_.daysLeft(month, day);
    if (!left || !windows.isDue(*left)) {
        return std::nullopt;
    }
    return left;
}

RemindWindows DueCheck::windowsOf(const EventRows& rows, int row) const {
    return rows.remindDays(row).value_or(windows_);
}

std::optional<Reminder> DueCheck::dueToday(const EventRecord& event) const {
    if (const std::optional<int> left =
            daysLeftIfDue(event.month, event.day, event.remindDays.value_or(windows_))) {
        return Reminder::about(event, *left, today_);
    }
    return std::nullopt;
}

QList<Reminder> DueCheck::dueToday(const EventRows& rows) const {
    QList<Reminder> due;
    for (int row = 0; row < rows.count(); ++row) {
        if (!dated(rows, row)) {
            continue;
        }
        if (const std::optional<int> left =
                daysLeftIfDue(rows.month(row), rows.day(row), windowsOf(rows, row))) {
            due.append(Reminder::about(rows.record(row), *left, today_));
        }
    }
    return due;
}

QList<Reminder> DueCheck::missedSince(const EventRows& rows,
                                      std::optional<QDate> lastChecked) const {
    if (!lastChecked || !lastChecked->isValid() || *lastChecked >= today_) {
        return {};
    }
    const QDate first = std::max(lastChecked->addDays(1), today_.addDays(-kCatchUpDays));
    // Checked yesterday, as on every ordinary start: no day to look at.
    if (first >= today_) {
        return {};
    }
    QList<Reminder> missed;
    for (int row = 0; row < rows.count(); ++row) {
        if (!dated(rows, row)) {
            continue;
        }
        // Today's line already tells about it.
        const RemindWindows windows = windowsOf(rows, row);
        if (daysLeftIfDue(rows.month(row), rows.day(row), windows)) {
            continue;
        }
        // Each missed day is checked as the day itself would have been; the
        // first hit names the event's day, and later windows point at the same.
        for (QDate day = first; day < today_; day = day.addDays(1)) {
            const std::optional<int> left = tryDaysLeft(rows.month(row), rows.day(row), day);
            if (left && windows.isDue(*left)) {
                missed.append(Reminder::about(
                    rows.record(row), static_cast<int>(today_.daysTo(day.addDays(*left))), today_));
                break;
            }
        }
    }
    std::stable_sort(missed.begin(), missed.end(), [](const Reminder& a, const Reminder& b) {
        return a.daysFromToday < b.daysFromToday;
    });
    return missed;
}

}  // namespace almanis
