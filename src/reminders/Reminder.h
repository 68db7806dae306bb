#pragma once

#include "core/EventRecord.h"

#include <QDate>
#include <QString>
#include <optional>

namespace almanis {

// One line of the alarm: an event, and the days from today to the day of it
// that the reminder is about (negative once that day has passed).
struct Reminder {
    EventRecord event;
    int daysFromToday = 0;
    // The years that day completes since the event's year, when that is known
    // (see yearsCompleted()).
    std::optional<int> years;

    // The reminder of `event` about the day `daysFromToday` from `today`, with
    // the years that day completes.
    static Reminder about(EventRecord event, int daysFromToday, QDate today);

    // "<description> is today.", "... is tomorrow.", "... is in N days.",
    // "... was yesterday." or "... was N days ago."; with the years known and
    // at least one, " (N years)" stands before the full stop.
    QString line() const;

    friend bool operator==(const Reminder&, const Reminder&) = default;
};

}  // namespace almanis
