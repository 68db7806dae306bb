#pragma once

#include "core/EventRecord.h"

#include <QString>

namespace almanis {

// One line of the alarm: an event, and the days from today to the day of it
// that the reminder is about (negative once that day has passed).
struct Reminder {
    EventRecord event;
    int daysFromToday = 0;

    // "<description> is today.", "... is tomorrow.", "... is in N days.",
    // "... was yesterday." or "... was N days ago."
    QString line() const;

    friend bool operator==(const Reminder&, const Reminder&) = default;
};

}  // namespace almanis
