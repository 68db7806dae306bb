#pragma once

#include "core/EventRecord.h"
#include "exchange/EventImport.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace almanis {

class Connection;

// The one road of every import and export, the window's and almanis-cli's:
// find the file's format, read and check the file whole, store its events and
// tell the counts; write the events in the format asked for.

// The formats an event file can be in.
enum class EventFileFormat { Text, ICalendar, VCard };

// The format that a file's first bytes show: iCalendar when its first line is
// BEGIN:VCALENDAR, vCard when it is BEGIN:VCARD (in any letter case, after a
// byte-order mark and blank lines). Other content is judged by the name's
// suffix: .ics, .ical or .ifb is iCalendar, .vcf or .vcard vCard, anything
// else the text format. So a contacts file named .txt is read as contacts,
// and an empty or damaged .ics file gets the calendar reader's report.
EventFileFormat eventFileFormat(QByteArrayView head, const QString& fileName);
// The format that a file's name alone names, as above.
EventFileFormat eventFileFormatByName(const QString& fileName);
// The format of the file at `path`, from its first bytes. A file that cannot
// be read is judged by its name; its reader then says why it cannot be read.
EventFileFormat eventFileFormat(const QString& path);

// An event file read and checked whole, not stored yet.
struct EventFileRead {
    EventFileFormat format = EventFileFormat::Text;
    QList<EventRecord> events;  // in file order, each with id 0
    // What the file held that gave no event, one sentence each: the calendar
    // entries skipped by reason, the contacts without a date, each date or
    // entry that could not be imported and why.
    QStringList notes;
};

// Reads the whole file in `format`, or in the format its content shows when
// none is given; `today` bounds the years that calendar and contact entries
// give their events. Throws AppError saying why when the file cannot be read or
// any of its lines or entries cannot be imported as a whole. The events are
// then stored by storeEvents (EventImport.h), all of them or none.
EventFileRead readFileToImport(const QString& path, QDate today,
                               std::optional<EventFileFormat> format = std::nullopt);

// What an import tells once it has stored the events, one sentence a line:
// the count ("3 events imported."), then the file's notes.
QStringList importReport(const EventFileRead& read, const ImportCount& count);

// Every stored event with all it carries, in calendar order, as an export
// writes them. Throws AppError when any of them cannot be read, since the file
// would miss it.
QList<EventRecord> storedEventsToExport(const Connection& db);

// Writes the events to `path` in the text format or as iCalendar (see
// exportEvents and writeICalendar) and returns how many were written. Contact
// files are only read: asking for one throws AppError.
int exportEventFile(const QString& path, const QList<EventRecord>& events, EventFileFormat format);

}  // namespace almanis
