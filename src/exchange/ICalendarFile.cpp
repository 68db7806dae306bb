#include "exchange/ICalendarFile.h"

#include "AlmanisVersion.h"
#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/EventDate.h"
#include "exchange/ContentLine.h"
#include "exchange/ContentLineReader.h"
#include "exchange/EventText.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportedText.h"

#include <libical/ical.h>

#include <QCoreApplication>
#include <QFile>
#include <QUuid>
#include <memory>
#include <optional>

namespace almanis {

namespace {
// Every exported event starts in 2000, its first yearly occurrence. A fixed
// year in the past shows the event in every year a calendar displays, earlier
// ones included, and keeps the export of an unchanged event the same from day
// to day, so a calendar that imports it again sees nothing changed. 2000 is a
// leap year, so 29 February has a real first occurrence too, and is recent
// enough that expanding the series from its start costs calendars nothing.
constexpr int kFirstYear = 2000;

const QString kUnnamedEvent = QStringLiteral("Unnamed event");

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct PropertyFree {
    void operator()(icalproperty* property) const { icalproperty_free(property); }
};
using Property = std::unique_ptr<icalproperty, PropertyFree>;

struct ParserFree {
    void operator()(icalparser* parser) const { icalparser_free(parser); }
};
using Parser = std::unique_ptr<icalparser, ParserFree>;

struct BufferFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};
using Buffer = std::unique_ptr<char, BufferFree>;

QByteArray serialised(const Property& property) {
    const Buffer text(icalproperty_as_ical_string_r(property.get()));
    return QByteArray(text.get());
}

QByteArray serialised(const Component& component) {
    const Buffer text(icalcomponent_as_ical_string_r(component.get()));
    return QByteArray(text.get());
}

icaltimetype dateInFirstYear(int month, int day) {
    icaltimetype date = icaltime_null_date();
    date.year = kFirstYear;
    date.month = month;
    date.day = day;
    return date;
}

// The UID names the stored event, so every export gives the same event the same
// UID and a calendar that imports a newer export updates the entries it has
// instead of adding them a second time. The store never gives an id twice
// (AUTOINCREMENT), so a deleted event's UID does not come back for another.
// An event that is not stored has no identity to keep: it gets a new UID.
QByteArray uidOf(const EventRecord& event) {
    const QByteArray local = event.id > 0 ? QByteArray::number(event.id)
                                          : QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    return local + "@almanis.events";
}

// The rule of every exported series, and of every entry the program uploads.
// 29 February falls on 1 March in common years, as the list shows it. RFC 7529
// says so with RSCALE and SKIP=FORWARD, but common readers refuse that rule
// (CalDAV servers answer 400, python-dateutil raises); the 60th day of the
// year is the same day in plain RFC 5545: 29 February in leap years, 1 March
// in the others. Files with the RSCALE form still import as 29 February.
icalrecurrencetype yearlyRule(int month, int day) {
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_YEARLY_RECURRENCE;
    if (month == 2 && day == 29) {
        constexpr short kLeapDayOfYear = 60;
        rule.by_year_day[0] = kLeapDayOfYear;
        rule.by_year_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return rule;
}

Component yearlyEntry(const EventRecord& event, const icaltimetype& stamp) {
    Component entry(icalcomponent_new_vevent());
    icalcomponent_add_property(entry.get(), icalproperty_new_uid(uidOf(event).constData()));
    icalcomponent_add_property(entry.get(), icalproperty_new_dtstamp(stamp));
    const icaltimetype start = dateInFirstYear(event.month, event.day);
    icaltimetype end = start;
    icaltime_adjust(&end, 1, 0, 0, 0);
    icalcomponent_add_property(entry.get(), icalproperty_new_dtstart(start));
    icalcomponent_add_property(entry.get(), icalproperty_new_dtend(end));

    icalcomponent_add_property(entry.get(),
                               icalproperty_new_rrule(yearlyRule(event.month, event.day)));
    icalcomponent_add_property(entry.get(),
                               icalproperty_new_summary(event.description.toUtf8().constData()));
    // A birthday keeps nobody busy: free/busy look-ups pass over it.
    icalcomponent_add_property(entry.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return entry;
}

// The properties the import reads; libical is given no others (see readICalendar).
bool isReadProperty(const ContentLine& line) {
    return line.isNamed("DTSTART") || line.isNamed("RRULE") || line.isNamed("SUMMARY") ||
           line.isNamed("RECURRENCE-ID");
}

// The event that a VEVENT gives, or nothing when it is skipped.
std::optional<EventRecord> yearlyEvent(icalcomponent* entry) {
    if (icalcomponent_get_first_property(entry, ICAL_RECURRENCEID_PROPERTY) != nullptr) {
        return std::nullopt;
    }
    icalproperty* startProperty = icalcomponent_get_first_property(entry, ICAL_DTSTART_PROPERTY);
    if (startProperty == nullptr) {
        return std::nullopt;
    }
    // The date as the file writes it: a DTSTART with a TZID gives the wall-clock
    // time in that zone, so its date is the date in that zone; converting it to
    // UTC or to this computer's zone could move it to another day. A UTC time
    // gives the date in UTC, a floating time its own date.
    const icaltimetype start = icalproperty_get_dtstart(startProperty);
    if (icaltime_is_null_time(start) || !isValidEventDate(start.month, start.day)) {
        return std::nullopt;
    }
    bool yearly = false;
    for (icalproperty* rule = icalcomponent_get_first_property(entry, ICAL_RRULE_PROPERTY);
         rule != nullptr; rule = icalcomponent_get_next_property(entry, ICAL_RRULE_PROPERTY)) {
        yearly = yearly || icalproperty_get_rrule(rule).freq == ICAL_YEARLY_RECURRENCE;
    }
    if (!yearly && !start.is_date) {
        return std::nullopt;
    }
    EventRecord event;
    event.description =
        oneLineDescription(QString::fromUtf8(icalcomponent_get_summary(entry)), kUnnamedEvent);
    event.month = start.month;
    event.day = start.day;
    return event;
}

// What the reader saw of the VEVENT being read, for its reports.
struct EntryLines {
    qint64 start = 0;  // where it begins
    qint64 dateLine = 0;
    QByteArray date;  // DTSTART's value as the file writes it
    qint64 summaryLine = 0;
    qint64 cutLine = 0;  // the first line read for it that was too long to read whole
};

// Why the date that a DTSTART value begins with does not exist; empty when it
// does, or when the value begins with no date (libical then finds no start).
QString missingStart(QByteArrayView value) {
    value = value.trimmed();
    if (value.size() < 8) {
        return {};
    }
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        if (value[i] < '0' || value[i] > '9') {
            return {};
        }
        digits[i] = value[i] - '0';
    }
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    return missingDayProblem(year, digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
}

// Why the entry, whatever it is, cannot be read as the file means it: a line
// too long to read whole, or a start on a date that does not exist (which
// libical may make another day of, or no day at all). Empty when it can.
QString entryProblem(const EntryLines& lines, icalcomponent* entry) {
    if (lines.cutLine > 0) {
        return QCoreApplication::translate("almanis::ICalendarFile",
                                           "Line %1 is longer than %2 bytes, so the entry that "
                                           "begins on line %3 cannot be read")
            .arg(lines.cutLine)
            .arg(ContentLineReader::kLongestContentLine)
            .arg(lines.start);
    }
    const QString missing = missingStart(lines.date);
    if (missing.isEmpty()) {
        return {};
    }
    const QString summary =
        oneLineDescription(QString::fromUtf8(icalcomponent_get_summary(entry)), kUnnamedEvent);
    //: %2 is the entry's summary, %3 its start as the file writes it, %4 why that is no day.
    return QCoreApplication::translate("almanis::ICalendarFile",
                                       "Line %1: the entry %2 starts on %3: %4")
        .arg(lines.dateLine)
        .arg(quotedLine(summary), quotedLine(QString::fromLatin1(lines.date.trimmed())), missing);
}

// Hands one line to libical, as UTF-8 as the format wants it.
icalcomponent* addLine(icalparser* parser, QByteArray line) {
    if (!QByteArrayView(line).isValidUtf8()) {
        line = textFromBytes(line).toUtf8();
    }
    return icalparser_add_line(parser, line.data());
}
}  // namespace

void writeICalendar(const QString& path, const QList<EventRecord>& events, const QDateTime& stamp) {
    ExportFile file(path);
    const icaltimetype dtstamp = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
    const QByteArray productId =
        QByteArrayLiteral("-//") + kProductName + "//" + kProductName + " " ALMANIS_VERSION "//EN";

    // libical builds and writes each entry, so it escapes and folds the text; the
    // calendar around them is written here, one entry at a time, so memory holds
    // one entry rather than a tree of every event.
    file.append("BEGIN:VCALENDAR\r\n");
    file.append(serialised(Property(icalproperty_new_version("2.0"))));
    file.append(serialised(Property(icalproperty_new_prodid(productId.constData()))));
    file.append(serialised(Property(icalproperty_new_calscale("GREGORIAN"))));
    for (const EventRecord& event : events) {
        if (!isValidEventDate(event.month, event.day)) {
            throw AppError(QCoreApplication::translate(
                               "almanis::ICalendarFile",
                               "The event \"%1\" cannot be exported: month %2 has no day %3")
                               .arg(event.description)
                               .arg(event.month)
                               .arg(event.day));
        }
        file.append(serialised(yearlyEntry(event, dtstamp)));
    }
    file.append("END:VCALENDAR\r\n");
    file.commit();
}

ICalendarImport readICalendar(const QString& path) {
    QFile file(path);
    openFileToImport(file);
    const QString source = fileSource(path);
    ContentLineReader reader(file, source);

    // The file is read a line at a time and libical parses one VEVENT at a time,
    // given only the lines the import reads: parsed whole, a calendar takes about
    // twenty times its file's size in memory, and attachments and long notes
    // cost parsing time for nothing. So memory holds one line and one entry,
    // whatever the size of the file.
    ICalendarImport result;
    qint64 depth = 0;  // 1 inside a VCALENDAR, 2 inside one of its components, and so on
    bool sawLine = false;
    bool sawCalendar = false;
    qint64 calendarLine = 0;   // where the open VCALENDAR begins
    QByteArray componentName;  // the open component at depth 2, and where it begins
    qint64 componentLine = 0;
    Parser entry;  // the VEVENT being read
    EntryLines entryLines;
    QByteArray line;
    while (reader.readLine(line)) {
        sawLine = true;
        const std::optional<ContentLine> parts = parseContentLine(line);
        if (!parts) {
            continue;
        }
        if (entry && depth == 2) {
            if (reader.cut() && isReadProperty(*parts) && entryLines.cutLine == 0) {
                entryLines.cutLine = reader.lineNumber();
            }
            if (parts->isNamed("DTSTART") && entryLines.dateLine == 0) {
                entryLines.dateLine = reader.lineNumber();
                entryLines.date = parts->value.toByteArray();
            } else if (parts->isNamed("SUMMARY") && entryLines.summaryLine == 0) {
                entryLines.summaryLine = reader.lineNumber();
            }
        }
        const bool begins = parts->isNamed("BEGIN");
        const bool ends = parts->isNamed("END");
        if (depth == 0) {
            if (parts->isBegin("VCALENDAR")) {
                depth = 1;
                sawCalendar = true;
                calendarLine = reader.lineNumber();
            }
            continue;
        }
        if (begins && ++depth == 2) {
            componentName = parts->value.trimmed().toByteArray();
            componentLine = reader.lineNumber();
            if (parts->isBegin("VEVENT")) {
                entry.reset(icalparser_new());
                entryLines = EntryLines();
                entryLines.start = reader.lineNumber();
            }
        }
        if (entry && depth == 2 && (begins || ends || isReadProperty(*parts))) {
            const Component done(addLine(entry.get(), line));
            if (done) {
                std::optional<EventRecord> event;
                if (QString problem = entryProblem(entryLines, done.get()); !problem.isEmpty()) {
                    result.skippedEntries.append(problem);
                } else if (!(event = yearlyEvent(done.get()))) {
                    ++result.skippedEvents;
                } else if (problem = descriptionProblem(event->description); !problem.isEmpty()) {
                    //: %2 is the entry's summary, %3 why it cannot be imported.
                    result.skippedEntries.append(
                        QCoreApplication::translate("almanis::ICalendarFile",
                                                    "Line %1: the entry %2 cannot be imported: %3")
                            .arg(entryLines.summaryLine ? entryLines.summaryLine : entryLines.start)
                            .arg(quotedLine(event->description), problem));
                } else {
                    result.events.append(*event);
                }
                entry.reset();
            }
        }
        if (ends) {
            if (depth == 2 && entry) {
                // libical did not take the END as the entry's; nothing to read.
                ++result.skippedEvents;
                entry.reset();
            }
            --depth;
        }
    }
    if (!sawLine) {
        //: %1 is "The file <path>".
        throw AppError(
            QCoreApplication::translate("almanis::ICalendarFile", "%1 is empty").arg(source));
    }
    if (!sawCalendar) {
        //: %1 is "The file <path>".
        throw AppError(QCoreApplication::translate("almanis::ICalendarFile",
                                                   "%1 is not an iCalendar file: it has no "
                                                   "BEGIN:VCALENDAR")
                           .arg(source));
    }
    if (depth > 0) {
        const bool inComponent = depth > 1;
        //: %1 is "The file <path>", %2 the name of a part of the calendar, such as VEVENT.
        throw AppError(
            QCoreApplication::translate("almanis::ICalendarFile",
                                        "%1 ends inside the %2 that begins on line %3: it may "
                                        "have been cut short")
                .arg(source, inComponent ? QString::fromUtf8(componentName.left(40))
                                         : QStringLiteral("VCALENDAR"))
                .arg(inComponent ? componentLine : calendarLine));
    }
    return result;
}

}  // namespace almanis
