#include "reminders/DueCheck.h"

#include "core/EventDate.h"

#include <algorithm>

namespace almanis {

std::optional<Reminder> DueCheck::dueToday(const EventRecord& event) const {
    const std::optional<int> left = tryDaysLeft(event.month, event.day, today_);
    if (!left || !windows_.isDue(*left)) {
        return std::nullopt;
    }
    return Reminder{event, *left};
}

QList<Reminder> DueCheck::dueToday(const QList<EventRecord>& events) const {
    QList<Reminder> due;
    for (const EventRecord& event : events) {
        if (std::optional<Reminder> reminder = dueToday(event)) {
            due.append(std::move(*reminder));
        }
    }
    return due;
}

QList<Reminder> DueCheck::missedSince(const QList<EventRecord>& events,
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
    for (const EventRecord& event : events) {
        // Today's line already tells about it.
        if (dueToday(event)) {
            continue;
        }
        // Each missed day is checked as the day itself would have been; the
        // first hit names the event's day, and later windows point at the same.
        for (QDate day = first; day < today_; day = day.addDays(1)) {
            const std::optional<int> left = tryDaysLeft(event.month, event.day, day);
            if (left && windows_.isDue(*left)) {
                missed.append({event, static_cast<int>(today_.daysTo(day.addDays(*left)))});
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
