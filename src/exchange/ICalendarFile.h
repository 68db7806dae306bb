#pragma once

#include "core/EventRecord.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace almanis {

// iCalendar files (RFC 5545), as calendar programs import and export them.

// The events that an iCalendar file gives, and the VEVENTs that gave none.
// Other components (time zones, to-dos, journal entries) are not events and
// are not counted.
struct ICalendarImport {
    QList<EventRecord> events;  // in file order, each with id 0
    // Entries that do not repeat every year: those that happen once (all-day
    // or not), weekly or monthly ones, those of every other year.
    int notYearly = 0;
    // Yearly entries whose date moves from year to year (the fourth Thursday
    // of November).
    int movingDate = 0;
    // Entries without a start date the program can use.
    int withoutDate = 0;
    // Changes to single occurrences of a series (RECURRENCE-ID): the series
    // gives the event, so these are not told of.
    int changedOccurrences = 0;

    // One report for each VEVENT that gave no event for a reason of its own,
    // with its line: a start on a date that does not exist ("Line 4: the entry
    // \"Ann\" starts on 19810229: February 1981 has no day 29"), a summary
    // that cannot be imported (descriptionProblem), a line too long to read.
    QStringList skippedEntries;

    // One sentence for each reason some entries were skipped, with their
    // number: "3 calendar entries skipped: they do not repeat every year.".
    QStringList skippedReport() const;
};

// Writes one yearly all-day VEVENT per event (calendarEntry); `stamp` is the
// DTSTAMP of every VEVENT. The file replaces the target only once it is
// complete, so on any failure the target is left as it was; throws AppError
// saying why. No events write a calendar without entries.
void writeICalendar(const QString& path, const QList<EventRecord>& events,
                    const QDateTime& stamp = QDateTime::currentDateTimeUtc());

// The VEVENT that the export writes for the event: its description the
// SUMMARY, its note the DESCRIPTION, its UID (a new one for an event without),
// DTSTART in its year when that is known (marked X-ALMANIS-YEAR, so that the
// import gives the year back) and in 2000 otherwise, a yearly RRULE, and its
// own remind days as VALARMs going off that many days before (one that never
// goes off, RFC 9074's ACTION:NONE, when it has own days and none of them is
// switched on). Throws AppError when the month has no such day.
QByteArray calendarEntry(const EventRecord& event, const QDateTime& stamp);
// A VCALENDAR holding that one VEVENT, as a CalDAV server keeps it as one
// resource.
QByteArray calendarResource(const EventRecord& event, const QDateTime& stamp);

// Reads every VCALENDAR of the file. A VEVENT whose RRULE repeats it every year
// on the date of its DTSTART gives one event on that month and day, described
// by its SUMMARY made one line ("Unnamed event" when that is empty), with its
// DESCRIPTION as the note, its UID, the remind days its alarms stand for, and
// the year when the entry says it is a birthday or an anniversary of that year
// (`today` bounds the years); one whose DTSTART is a date that does not exist,
// or whose summary cannot be imported, is skipped and reported. Throws AppError naming the file,
// and gives no events, when it is empty, has no VCALENDAR or ends inside a component (a file cut
// short).
ICalendarImport readICalendar(const QString& path, QDate today = QDate::currentDate());

// The same for a calendar held in memory.
ICalendarImport parseICalendar(const QByteArray& bytes, QDate today = QDate::currentDate());

// The event of one calendar object resource (a CalDAV server's VCALENDAR with
// one VEVENT, and perhaps changes to its single occurrences); nothing when it
// holds no entry that gives an event. Throws AppError as parseICalendar does.
std::optional<EventRecord> readCalendarResource(const QByteArray& bytes,
                                                QDate today = QDate::currentDate());

}  // namespace almanis
