#include "exchange/EventText.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "core/EventDescription.h"
#include "exchange/ContentLineReader.h"
#include "exchange/EventImport.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportedText.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QFile>
#include <array>

namespace almanis {

namespace {
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::array<const char*, 12> kLowerMonths = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

constexpr int kQuoteLimit = 80;

// Every reason below completes "Line N cannot be imported: ".
[[noreturn]] void unreadable(const QString& reason) {
    throw AppError(reason);
}

}  // namespace

int monthNumberFromName(const QString& name) {
    const QString lower = name.toLower();
    for (int i = 0; i < 12; ++i) {
        if (lower == QLatin1String(kLowerMonths[i])) {
            return i + 1;
        }
    }
    return 0;
}

QString monthNameFromNumber(int number) {
    return number >= 1 && number <= 12 ? QString::fromLatin1(kMonths[number - 1]) : QString();
}

QString quotedLine(const QString& line) {
    qsizetype length = std::min<qsizetype>(line.size(), kQuoteLimit);
    // Never cut a character given by two UTF-16 units in half.
    if (length < line.size() && length > 0 && line.at(length - 1).isHighSurrogate()) {
        --length;
    }
    QString shown = line.left(length);
    for (QChar& c : shown) {
        if (c == QLatin1Char('\t')) {
            c = QLatin1Char(' ');
        } else if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return QLatin1Char('"') + shown +
           (length < line.size() ? QStringLiteral("...\"") : QStringLiteral("\""));
}

namespace {
// The date after a comma ("January 1"), or why it is none. `date` runs from just
// after the comma to the end of the line, or to a later comma.
struct DateReading {
    int month = 0;
    int day = 0;
    QString problem;  // empty when the date was read
};

DateReading readDate(QStringView date) {
    DateReading reading;
    const qsizetype blank = date.indexOf(QLatin1Char(' '));
    if (date.trimmed().isEmpty()) {
        reading.problem =
            QCoreApplication::translate("almanis::EventText", "there is no date after the comma");
        return reading;
    }
    if (blank < 0) {
        reading.problem = QCoreApplication::translate(
            "almanis::EventText", "there is no blank between the month name and the day");
        return reading;
    }
    if (blank == 0) {
        reading.problem = QCoreApplication::translate(
            "almanis::EventText", "the month name must follow the comma without a blank");
        return reading;
    }
    const qsizetype dayEnd = date.indexOf(QLatin1Char(' '), blank + 1);
    const QString monthText = date.left(blank).trimmed().toString();
    const QString dayText =
        date.mid(blank + 1, dayEnd < 0 ? -1 : dayEnd - blank - 1).trimmed().toString();
    if (dayText.isEmpty()) {
        reading.problem = QCoreApplication::translate(
            "almanis::EventText",
            "there is no day after the month name, or more than one blank before it");
        return reading;
    }
    bool ok = false;
    reading.day = dayText.toInt(&ok, 10);
    if (!ok) {
        reading.problem =
            QCoreApplication::translate("almanis::EventText", "the day %1 is not a whole number")
                .arg(quotedLine(dayText));
        return reading;
    }
    reading.month = monthNumberFromName(monthText);
    if (reading.month == 0) {
        reading.problem =
            QCoreApplication::translate("almanis::EventText", "%1 is not an English month name")
                .arg(quotedLine(monthText));
        return reading;
    }
    // A day the month does not have would be stored as a date that never comes;
    // the editor allows the same dates, 29 February included.
    if (!isValidEventDate(reading.month, reading.day)) {
        reading.problem = QCoreApplication::translate("almanis::EventText", "%1 has no day %2")
                              .arg(monthNameFromNumber(reading.month))
                              .arg(reading.day);
    }
    return reading;
}
}  // namespace

EventLine parseEventLine(const QString& line) {
    if (line.isEmpty()) {
        unreadable(QCoreApplication::translate("almanis::EventText", "the line is empty"));
    }
    // The date never holds a comma, so the description is everything before
    // the last one and may hold commas of its own ("Smith, John,February 2").
    const qsizetype comma = line.lastIndexOf(QLatin1Char(','));
    if (comma < 0) {
        unreadable(QCoreApplication::translate("almanis::EventText",
                                               "there is no comma after the description"));
    }
    qsizetype descriptionEnd = comma;
    DateReading date = readDate(QStringView(line).mid(comma + 1));
    const qsizetype firstComma = line.indexOf(QLatin1Char(','));
    if (!date.problem.isEmpty() && firstComma != comma) {
        // Files written before descriptions could hold commas may carry a note
        // after the date ("Wedding,June 3,since 1999"); such a line still reads
        // as it always did, from its first comma up to the second.
        const qsizetype secondComma = line.indexOf(QLatin1Char(','), firstComma + 1);
        const DateReading earlier =
            readDate(QStringView(line).mid(firstComma + 1, secondComma - firstComma - 1));
        if (earlier.problem.isEmpty()) {
            date = earlier;
            descriptionEnd = firstComma;
        }
    }
    if (!date.problem.isEmpty()) {
        unreadable(date.problem);
    }
    EventLine event;
    event.description = line.left(descriptionEnd).trimmed();
    event.month = date.month;
    event.day = date.day;
    // Checked with the rest of the file, so that the import stores nothing
    // rather than stop at this line half-way.
    if (const QString problem = descriptionProblem(event.description); !problem.isEmpty()) {
        unreadable(problem);
    }
    return event;
}

QString formatEventLine(const EventRecord& event) {
    return event.description + QLatin1Char(',') + monthNameFromNumber(event.month) +
           QLatin1Char(' ') + QString::number(event.day);
}

EventLineReader::EventLineReader(QIODevice& device, const QString& source)
    : lines_(
          device,
          source.isEmpty() ? QCoreApplication::translate("almanis::EventText", "The file") : source,
          kLongestLine) {}

bool EventLineReader::readLine(QString& line) {
    if (!lines_.readLine(bytes_)) {
        return false;
    }
    // Files joined together carry a mark at the start of each; it is no part
    // of the line.
    const QByteArrayView bytes = bytes_.startsWith("\xEF\xBB\xBF")
                                     ? QByteArrayView(bytes_).sliced(3)
                                     : QByteArrayView(bytes_);
    // Each line on its own: one line of another program's code page pasted into
    // a UTF-8 file must not turn every other line into nonsense. A line end is
    // never part of a longer UTF-8 sequence, so no character is split; a line
    // cut short may end in half a character, which decodes as Windows-1252.
    line = textFromBytes(bytes);
    return true;
}

QList<EventRecord> readEventFile(const QString& path) {
    QFile file(path);
    openFileToImport(file);
    EventLineReader reader(file, fileSource(path));
    QList<EventRecord> events;
    QString firstProblem;
    int otherProblems = 0;
    QString line;
    while (reader.readLine(line)) {
        // A file that ends in an empty line, or holds one between events,
        // is as good as one that does not.
        if (line.trimmed().isEmpty() && !reader.cut()) {
            continue;
        }
        try {
            if (reader.cut()) {
                unreadable(QCoreApplication::translate(
                               "almanis::EventText",
                               "the line is longer than %1 bytes, and a description can have at "
                               "most %2 characters")
                               .arg(EventLineReader::kLongestLine)
                               .arg(kDescriptionLimit));
            }
            const EventLine event = parseEventLine(line);
            if (firstProblem.isEmpty()) {
                events.append(EventRecord{0, event.description, event.month, event.day});
            }
        } catch (const AppError& e) {
            if (firstProblem.isEmpty()) {
                firstProblem =
                    QCoreApplication::translate(
                        "almanis::EventText", "Line %1 cannot be imported: %2. The line reads %3.")
                        .arg(reader.lineNumber())
                        .arg(e.description(), quotedLine(line));
                events.clear();
            } else {
                ++otherProblems;
            }
        }
    }
    if (firstProblem.isEmpty()) {
        return events;
    }
    if (otherProblems == 1) {
        firstProblem +=
            QLatin1Char(' ') + QCoreApplication::translate(
                                   "almanis::EventText", "1 more line cannot be imported either.");
    } else if (otherProblems > 1) {
        firstProblem +=
            QLatin1Char(' ') + QCoreApplication::translate(
                                   "almanis::EventText", "%1 more lines cannot be imported either.")
                                   .arg(otherProblems);
    }
    throw AppError(firstProblem + QLatin1Char(' ') +
                   QCoreApplication::translate("almanis::EventText", "Nothing was imported."));
}

ImportCount importEvents(const QString& path, Connection& db) {
    return storeEvents(readEventFile(path), db);
}

int exportEvents(const QString& path, const QList<EventRecord>& events) {
    ExportFile file(path);
    for (const EventRecord& event : events) {
        // One event a line, whatever its description holds.
        file.append(withControlsAsBlanks(formatEventLine(event)).toUtf8() + "\r\n");
    }
    file.commit();
    return static_cast<int>(events.size());
}

}  // namespace almanis
