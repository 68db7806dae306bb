#include "reminders/DueCheck.h"

#include "core/EventDate.h"

#include <algorithm>
#include <array>
#include <vector>

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

QDate DueCheck::firstDayToCatchUp(std::optional<QDate> lastChecked) const {
    if (!lastChecked || !lastChecked->isValid() || *lastChecked >= today_) {
        return today_;
    }
    return std::max(lastChecked->addDays(1), today_.addDays(-kCatchUpDays));
}

std::optional<QDate> DueCheck::uncheckedBefore(std::optional<QDate> lastChecked) const {
    const QDate first = firstDayToCatchUp(lastChecked);
    if (first < today_ && first > lastChecked->addDays(1)) {
        return first;
    }
    return std::nullopt;
}

std::optional<int> DueCheck::lastMissed(int month, int day, const RemindWindows& windows,
                                        QDate first) const {
    // The switched-on windows, widest last, without a list for each event.
    std::array<int, RemindWindows::kDays.size()> before{};
    std::size_t count = 0;
    for (const int window : RemindWindows::kDays) {
        if (windows.isDue(window)) {
            before[count++] = window;
        }
    }
    if (count == 0) {
        return std::nullopt;
    }
    const int widest = before[count - 1];
    // The event's days from the first on; a window of one of them fell on a
    // day from `first` to yesterday when it lies that many days before it.
    // Its days are a year apart, more than the widest window, so each day of
    // a window points at the event's next day. The latest day wins.
    std::optional<int> found;
    for (QDate from = first;;) {
        const std::optional<int> left = tryDaysLeft(month, day, from);
        if (!left) {
            return found;
        }
        const QDate occurs = from.addDays(*left);
        if (occurs.addDays(-widest) >= today_) {
            return found;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const QDate on = occurs.addDays(-before[i]);
            if (on >= first && on < today_) {
                found = int(today_.daysTo(occurs));
                break;
            }
        }
        from = occurs.addDays(1);
    }
}

QList<Reminder> DueCheck::missedSince(const EventRows& rows,
                                      std::optional<QDate> lastChecked) const {
    const QDate first = firstDayToCatchUp(lastChecked);
    // Checked yesterday, as on every ordinary start: no day to look at.
    if (first >= today_) {
        return {};
    }
    // The rows and their days first, sorted while they are small; the
    // reminders, with their texts, are made once in their final order.
    struct Missed {
        int daysFromToday;
        int row;
    };
    std::vector<Missed> found;
    for (int row = 0; row < rows.count(); ++row) {
        if (!dated(rows, row)) {
            continue;
        }
        // Today's line already tells about it.
        const RemindWindows windows = windowsOf(rows, row);
        if (daysLeftIfDue(rows.month(row), rows.day(row), windows)) {
            continue;
        }
        if (const std::optional<int> days =
                lastMissed(rows.month(row), rows.day(row), windows, first)) {
            found.push_back({*days, row});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Missed& a, const Missed& b) {
        return a.daysFromToday < b.daysFromToday;
    });
    QList<Reminder> missed;
    missed.reserve(qsizetype(found.size()));
    for (const Missed& one : found) {
        missed.append(Reminder::about(rows.record(one.row), one.daysFromToday, today_));
    }
    return missed;
}

}  // namespace almanis
