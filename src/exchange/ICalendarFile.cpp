#include "exchange/ICalendarFile.h"

#include "AlmanisVersion.h"
#include "core/AppError.h"
#include "core/AppTitle.h"
#include "exchange/CalendarEntry.h"
#include "exchange/ContentLine.h"
#include "exchange/ContentLineReader.h"
#include "exchange/EventText.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportedText.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <memory>

namespace almanis {

namespace {
struct PropertyFree {
    void operator()(icalproperty* property) const { icalproperty_free(property); }
};
using Property = std::unique_ptr<icalproperty, PropertyFree>;

struct ParserFree {
    void operator()(icalparser* parser) const { icalparser_free(parser); }
};
using Parser = std::unique_ptr<icalparser, ParserFree>;

QByteArray serialised(const Property& property) {
    char* text = icalproperty_as_ical_string_r(property.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

icaltimetype utcTime(const QDateTime& stamp) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(stamp.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

// BEGIN:VCALENDAR and the properties of every calendar the program writes.
QByteArray calendarHead() {
    const QByteArray productId =
        QByteArrayLiteral("-//") + kProductName + "//" + kProductName + " " ALMANIS_VERSION "//EN";
    return "BEGIN:VCALENDAR\r\n" + serialised(Property(icalproperty_new_version("2.0"))) +
           serialised(Property(icalproperty_new_prodid(productId.constData()))) +
           serialised(Property(icalproperty_new_calscale("GREGORIAN")));
}

const QByteArray kCalendarEnd = QByteArrayLiteral("END:VCALENDAR\r\n");

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
    const QString summary = entryDescription(entry);
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

void count(ICalendarImport& result, SkippedEntry why) {
    switch (why) {
        case SkippedEntry::NotYearly:
            ++result.notYearly;
            break;
        case SkippedEntry::MovingDate:
            ++result.movingDate;
            break;
        case SkippedEntry::WithoutDate:
            ++result.withoutDate;
            break;
        case SkippedEntry::ChangedOccurrence:
            ++result.changedOccurrences;
            break;
    }
}

// The file is read a line at a time and libical parses one VEVENT at a time,
// given only the lines the import reads: parsed whole, a calendar takes about
// twenty times its file's size in memory, and attachments and long notes
// cost parsing time for nothing. So memory holds one line and one entry,
// whatever the size of the file.
ICalendarImport readICalendar(QIODevice& device, const QString& source, QDate today) {
    ContentLineReader reader(device, source);
    ICalendarImport result;
    qint64 depth = 0;  // 1 inside a VCALENDAR, 2 inside one of its components, and so on
    bool sawLine = false;
    bool sawCalendar = false;
    qint64 calendarLine = 0;   // where the open VCALENDAR begins
    QByteArray componentName;  // the open component at depth 2, and where it begins
    qint64 componentLine = 0;
    Parser entry;                 // the VEVENT being read
    EntryLines entryLines;        // where its lines are
    bool inAlarm = false;         // inside a VALARM of that VEVENT
    std::optional<QString> note;  // its DESCRIPTION
    QByteArray line;
    while (reader.readLine(line)) {
        sawLine = true;
        const std::optional<ContentLine> parts = parseContentLine(line);
        if (!parts) {
            continue;
        }
        if (entry && depth == 2) {
            const bool read = isReadEntryProperty(*parts) || parts->isNamed("DESCRIPTION");
            if (reader.cut() && read && entryLines.cutLine == 0) {
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
                note.reset();
            }
        }
        if (entry && depth == 2 && !note && parts->isNamed("DESCRIPTION")) {
            note = textPieces(textFromBytes(parts->value), false).constFirst();
        }
        inAlarm = inAlarm || (entry && depth == 3 && parts->isBegin("VALARM"));
        const bool read =
            (depth == 2 && (begins || ends || isReadEntryProperty(*parts))) ||
            (depth == 3 && inAlarm && (begins || ends || isReadAlarmProperty(*parts)));
        if (entry && read) {
            const CalendarEntry done(addLine(entry.get(), line));
            if (done) {
                std::variant<EventRecord, SkippedEntry> event = SkippedEntry::WithoutDate;
                QString problem = entryProblem(entryLines, done.get());
                if (problem.isEmpty()) {
                    event = entryEvent(done.get(), today);
                }
                EventRecord* yearly = std::get_if<EventRecord>(&event);
                if (!problem.isEmpty()) {
                    result.skippedEntries.append(problem);
                } else if (!yearly) {
                    count(result, std::get<SkippedEntry>(event));
                } else if (problem = descriptionProblem(yearly->description); !problem.isEmpty()) {
                    //: %2 is the entry's summary, %3 why it cannot be imported.
                    result.skippedEntries.append(
                        QCoreApplication::translate("almanis::ICalendarFile",
                                                    "Line %1: the entry %2 cannot be imported: %3")
                            .arg(entryLines.summaryLine ? entryLines.summaryLine : entryLines.start)
                            .arg(quotedLine(yearly->description), problem));
                } else {
                    yearly->note = note.value_or(QString());
                    result.events.append(std::move(*yearly));
                }
                entry.reset();
            }
        }
        if (ends) {
            if (depth == 3) {
                inAlarm = false;
            }
            if (depth == 2 && entry) {
                // libical did not take the END as the entry's; nothing to read.
                ++result.withoutDate;
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

}  // namespace

QStringList ICalendarImport::skippedReport() const {
    QStringList report;
    if (notYearly > 0) {
        report << (notYearly == 1
                       ? QCoreApplication::translate(
                             "almanis::ICalendarFile",
                             "1 calendar entry skipped: it does not repeat every year.")
                       : QCoreApplication::translate(
                             "almanis::ICalendarFile",
                             "%1 calendar entries skipped: they do not repeat every year.")
                             .arg(notYearly));
    }
    if (movingDate > 0) {
        report << (movingDate == 1
                       ? QCoreApplication::translate("almanis::ICalendarFile",
                                                     "1 calendar entry skipped: it does not fall "
                                                     "on the same date every year.")
                       : QCoreApplication::translate("almanis::ICalendarFile",
                                                     "%1 calendar entries skipped: they do not "
                                                     "fall on the same date every year.")
                             .arg(movingDate));
    }
    if (withoutDate > 0) {
        report << (withoutDate == 1
                       ? QCoreApplication::translate(
                             "almanis::ICalendarFile",
                             "1 calendar entry skipped: it has no date that can be read.")
                       : QCoreApplication::translate(
                             "almanis::ICalendarFile",
                             "%1 calendar entries skipped: they have no date that can be read.")
                             .arg(withoutDate));
    }
    return report;
}

QByteArray calendarEntry(const EventRecord& event, const QDateTime& stamp) {
    return serialised(yearlyEntry(event, utcTime(stamp)));
}

QByteArray calendarResource(const EventRecord& event, const QDateTime& stamp) {
    return calendarHead() + calendarEntry(event, stamp) + kCalendarEnd;
}

void writeICalendar(const QString& path, const QList<EventRecord>& events, const QDateTime& stamp) {
    ExportFile file(path);
    const icaltimetype dtstamp = utcTime(stamp);
    // libical builds and writes each entry, so it escapes and folds the text; the
    // calendar around them is written here, one entry at a time, so memory holds
    // one entry rather than a tree of every event.
    file.append(calendarHead());
    for (const EventRecord& event : events) {
        file.append(serialised(yearlyEntry(event, dtstamp)));
    }
    file.append(kCalendarEnd);
    file.commit();
}

ICalendarImport readICalendar(const QString& path, QDate today) {
    QFile file(path);
    openFileToImport(file);
    return readICalendar(file, fileSource(path), today);
}

ICalendarImport parseICalendar(const QByteArray& bytes, QDate today) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readICalendar(
        buffer, QCoreApplication::translate("almanis::ICalendarFile", "The calendar data"), today);
}

std::optional<EventRecord> readCalendarResource(const QByteArray& bytes, QDate today) {
    ICalendarImport read = parseICalendar(bytes, today);
    if (read.events.isEmpty()) {
        return std::nullopt;
    }
    return std::move(read.events.first());
}

}  // namespace almanis
