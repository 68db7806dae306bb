#pragma once

#include "core/EventRecord.h"

#include <libical/ical.h>

#include <QByteArray>
#include <QDate>
#include <memory>
#include <variant>

namespace almanis {

struct ContentLine;

// One VEVENT as the program writes and reads it (RFC 5545, through libical).
// ICalendarFile puts them into files; CalDAV resources hold one each.

struct CalendarEntryFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using CalendarEntry = std::unique_ptr<icalcomponent, CalendarEntryFree>;

// The yearly all-day VEVENT of an event. Its DTSTART falls in the event's
// year when that is known, in 2000 otherwise; its UID is the event's (a new
// one for an event without); its note is the DESCRIPTION; its own remind days
// are VALARMs; `stamp` is its DTSTAMP. Throws AppError when the event's month
// has no such day.
CalendarEntry yearlyEntry(const EventRecord& event, const icaltimetype& stamp);

// The entry as content lines, folded, each ended by CR LF.
QByteArray serialised(const CalendarEntry& entry);

// Why a VEVENT gives no event.
enum class SkippedEntry {
    NotYearly,          // it does not repeat every year: once, weekly, every other year
    MovingDate,         // it repeats every year on another date (the fourth Thursday of November)
    WithoutDate,        // it has no start date the program can use
    ChangedOccurrence,  // it changes one occurrence of a series (RECURRENCE-ID); the series gives
                        // the event
};

// The event a parsed VEVENT gives, or why it gives none; `today` bounds the
// years it may be given. Its note is left to the reader, which takes the
// DESCRIPTION as the file writes it: libical drops the blanks at its ends.
std::variant<EventRecord, SkippedEntry> entryEvent(icalcomponent* entry, QDate today);

// The description a VEVENT gives: its SUMMARY made one line, "Unnamed event"
// when that is empty.
QString entryDescription(icalcomponent* entry);

// Whether the line of a VEVENT (outside its alarms) is one that entryEvent()
// reads; the reader hands libical only those.
bool isReadEntryProperty(const ContentLine& line);
// The same for the lines inside a VALARM of the entry.
bool isReadAlarmProperty(const ContentLine& line);

}  // namespace almanis
