#pragma once

#include "core/EventRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace almanis {

// iCalendar files (RFC 5545), as calendar programs import and export them.

// The events that an iCalendar file gives.
struct ICalendarImport {
    QList<EventRecord> events;  // in file order, each with id 0
    // The VEVENTs that gave no event: timed entries that do not recur yearly,
    // entries without a start date the program can use, and changes to single
    // occurrences of a series (RECURRENCE-ID), whose series gives the event.
    // Other components (time zones, to-dos, journal entries) are not events
    // and are not counted.
    int skippedEvents = 0;
    // One report for each VEVENT that gave no event for a reason of its own,
    // with its line: a start on a date that does not exist ("Line 4: the entry
    // \"Ann\" starts on 19810229: February 1981 has no day 29"), a summary
    // that cannot be imported (descriptionProblem), a line too long to read.
    QStringList skippedEntries;
};

// Writes one yearly all-day VEVENT per event, its description the SUMMARY;
// `stamp` is the DTSTAMP of every VEVENT. The file replaces the target only once
// it is complete, so on any failure the target is left as it was; throws
// AppError saying why. No events write a calendar without entries.
void writeICalendar(const QString& path, const QList<EventRecord>& events,
                    const QDateTime& stamp = QDateTime::currentDateTimeUtc());

// Reads every VCALENDAR of the file. A VEVENT that recurs yearly (RRULE with
// FREQ=YEARLY) or lasts whole days (DTSTART;VALUE=DATE) gives one event on the
// month and day of its DTSTART, described by its SUMMARY made one line
// ("Unnamed event" when that is empty); one whose DTSTART is a date that does
// not exist, or whose summary cannot be imported, is skipped and reported. Throws AppError naming
// the file, and gives no events, when it is empty, has no VCALENDAR or ends inside a component (a
// file cut short).
ICalendarImport readICalendar(const QString& path);

}  // namespace almanis
