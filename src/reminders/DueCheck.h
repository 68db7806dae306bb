#pragma once

#include "core/EventDate.h"
#include "core/EventRecord.h"
#include "core/RemindWindows.h"
#include "reminders/EventRows.h"
#include "reminders/Reminder.h"

#include <QDate>
#include <QList>
#include <optional>

namespace almanis {

// The rule of the reminders over event records, on one day: which events are
// due today, and which reminders fell due on days that nobody checked. An
// event with remind windows of its own is due by those; the others by the
// windows the check is given (the options'). It reads nothing itself, so any
// read of the events can feed it. Each reminder carries the years its day
// completes, where the event's year is known.
class DueCheck {
  public:
    // How far back the catch-up looks, in days: a year.
    static constexpr int kCatchUpDays = 365;

    DueCheck(RemindWindows windows, QDate today)
        : windows_(windows), today_(today), count_(today) {}

    // The event's reminder today, when a switched-on window falls on today.
    std::optional<Reminder> dueToday(const EventRecord& event) const;
    // The reminders due today, in the order of the rows. Rows whose month or
    // day could not be read are never due.
    QList<Reminder> dueToday(const EventRows& rows) const;

    // The reminders whose window fell on a day after `lastChecked` and before
    // today, at most kCatchUpDays back: each event once, about the latest of
    // its days that a missed window pointed at, and none that is due today
    // anyway; the one about the earliest day first. Nothing without a day
    // checked before today. Worked out per event, not per day missed.
    QList<Reminder> missedSince(const EventRows& rows, std::optional<QDate> lastChecked) const;
    // The first day the catch-up looks at, when days before it went
    // unchecked too (the last check lies more than kCatchUpDays back).
    std::optional<QDate> uncheckedBefore(std::optional<QDate> lastChecked) const;

  private:
    // The day after the last check, or kCatchUpDays back; today when there
    // is nothing to catch up.
    QDate firstDayToCatchUp(std::optional<QDate> lastChecked) const;
    // The latest day of the event that one of its windows on a day from
    // `first` to yesterday pointed at, in days from today.
    std::optional<int> lastMissed(int month, int day, const RemindWindows& windows,
                                  QDate first) const;
    std::optional<int> daysLeftIfDue(int month, int day, const RemindWindows& windows) const;
    // The row's own windows, else the options'.
    RemindWindows windowsOf(const EventRows& rows, int row) const;

    RemindWindows windows_;
    QDate today_;
    DayCount count_;
};

}  // namespace almanis
