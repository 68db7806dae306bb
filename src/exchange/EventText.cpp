#include "exchange/EventText.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "reminders/EventListModel.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
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
// Export hands the file its text in pieces of about this size.
constexpr qsizetype kWriteChunk = 64 * 1024;

// Every reason below completes "Line N cannot be imported: ".
[[noreturn]] void unreadable(const QString& reason) {
    throw AppError(reason);
}

void writeAll(QSaveFile& file, const QByteArray& bytes) {
    if (file.write(bytes) != bytes.size()) {
        throw AppError(QStringLiteral("The file %1 cannot be written: %2")
                           .arg(file.fileName(), file.errorString()));
    }
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

EventLine parseEventLine(const QString& line) {
    if (line.isEmpty()) {
        unreadable(QStringLiteral("the line is empty"));
    }
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0) {
        unreadable(QStringLiteral("there is no comma after the description"));
    }
    const qsizetype secondComma = line.indexOf(QLatin1Char(','), comma + 1);
    const QStringView date =
        QStringView(line).mid(comma + 1, secondComma < 0 ? -1 : secondComma - comma - 1);

    const qsizetype blank = date.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        unreadable(QStringLiteral("there is no blank between the month name and the day"));
    }
    if (blank == 0) {
        unreadable(QStringLiteral("the month name must follow the comma without a blank"));
    }
    const qsizetype dayEnd = date.indexOf(QLatin1Char(' '), blank + 1);
    const QString monthText = date.left(blank).trimmed().toString();
    const QString dayText =
        date.mid(blank + 1, dayEnd < 0 ? -1 : dayEnd - blank - 1).trimmed().toString();
    if (dayText.isEmpty()) {
        unreadable(QStringLiteral(
            "there is no day after the month name, or more than one blank before it"));
    }

    EventLine event;
    bool ok = false;
    event.day = dayText.toInt(&ok, 10);
    if (!ok) {
        unreadable(QStringLiteral("the day %1 is not a whole number").arg(quotedLine(dayText)));
    }
    event.month = monthNumberFromName(monthText);
    if (event.month == 0) {
        unreadable(QStringLiteral("%1 is not an English month name").arg(quotedLine(monthText)));
    }
    // A day the month does not have would be stored as a date that never comes;
    // the editor allows the same dates, 29 February included.
    if (!isValidEventDate(event.month, event.day)) {
        unreadable(QStringLiteral("%1 has no day %2")
                       .arg(monthNameFromNumber(event.month))
                       .arg(event.day));
    }
    event.description = line.left(comma).trimmed();
    return event;
}

QString formatEventLine(const QString& description, const QString& monthName, const QString& day) {
    return description + QLatin1Char(',') + monthName + QLatin1Char(' ') + day;
}

EventLineReader::EventLineReader(QIODevice& device) : device_(device) {
    // A line feed is never part of a longer UTF-8 sequence, so checking the file
    // line by line judges it exactly as a whole.
    while (!device_.atEnd()) {
        const QByteArray bytes = device_.readLine();
        if (bytes.isEmpty()) {
            throw AppError(
                QStringLiteral("The file cannot be read: %1").arg(device_.errorString()));
        }
        if (!bytes.isValidUtf8()) {
            utf8_ = false;
            break;
        }
    }
    if (!device_.seek(0)) {
        throw AppError(QStringLiteral("The file cannot be read: %1").arg(device_.errorString()));
    }
}

bool EventLineReader::readLine(QString& line) {
    if (device_.atEnd()) {
        return false;
    }
    QByteArray bytes = device_.readLine();
    if (bytes.isEmpty()) {
        throw AppError(QStringLiteral("The file cannot be read after line %1: %2")
                           .arg(lineNumber_)
                           .arg(device_.errorString()));
    }
    // An editor saving an empty document may still write the byte-order mark.
    if (lineNumber_ == 0 && bytes == "\xEF\xBB\xBF") {
        return false;
    }
    ++lineNumber_;
    if (bytes.endsWith('\n')) {
        bytes.chop(1);
        if (bytes.endsWith('\r')) {
            bytes.chop(1);
        }
    }
    if (lineNumber_ == 1 && bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    if (utf8_) {
        line = QString::fromUtf8(bytes);
    } else {
        line = windows1252_.isValid() ? windows1252_.decode(bytes) : QString::fromLatin1(bytes);
    }
    return true;
}

void importEvents(const QString& path, Connection& db) {
    const QFileInfo info(path);
    if (!info.exists()) {
        throw AppError(QStringLiteral("File not found: %1").arg(path));
    }
    if (!info.isFile()) {
        throw AppError(
            QStringLiteral("The file %1 cannot be opened: it is not a regular file").arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(
            QStringLiteral("The file %1 cannot be opened: %2").arg(path, file.errorString()));
    }
    EventLineReader reader(file);
    // Every line is still its own commit, so a failure or a killed process
    // leaves exactly the lines before it stored.
    Connection::BulkWrites bulk(db);
    QString line;
    while (reader.readLine(line)) {
        EventLine event;
        try {
            event = parseEventLine(line);
        } catch (const AppError& e) {
            throw AppError(QStringLiteral("Line %1 cannot be imported: %2. The line reads %3")
                               .arg(reader.lineNumber())
                               .arg(e.description(), quotedLine(line)));
        }
        try {
            db.execute(sql::insertEvent(event.description, event.month, event.day));
        } catch (const AppError& e) {
            throw AppError(QStringLiteral("Line %1 cannot be stored: %2. The line reads %3")
                               .arg(reader.lineNumber())
                               .arg(e.description(), quotedLine(line)));
        }
    }
}

namespace {
// Writes the file from its lines, `lineAt(0)` to `lineAt(count - 1)`, each
// ended by CR LF. It replaces the target only once it is complete: on any
// failure, the line's included, the target is left as it was. No lines write
// nothing.
void writeEventFile(const QString& path, int count, const std::function<QString(int)>& lineAt) {
    if (count == 0) {
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw AppError(
            QStringLiteral("The file %1 cannot be created: %2").arg(path, file.errorString()));
    }
    QByteArray text;
    for (int index = 0; index < count; ++index) {
        text += lineAt(index).toUtf8();
        text += "\r\n";
        if (text.size() >= kWriteChunk) {
            writeAll(file, text);
            text.clear();
        }
    }
    writeAll(file, text);
    if (!file.commit()) {
        throw AppError(
            QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()));
    }
}
}  // namespace

void exportEvents(const QString& path, const EventListModel& list,
                  const std::function<void()>& beforeEachRow) {
    writeEventFile(path, list.count(), [&](int row) {
        if (beforeEachRow) {
            beforeEachRow();
        }
        const EventListModel::Row& entry = list.row(row);
        const int month = entry.event.month;
        if (!entry.monthRead || month < 0 || month > 255) {
            throw AppError(
                QStringLiteral(
                    "Overflow: the month %1 of list row %2 is not a number from 0 to 255")
                    .arg(quotedLine(list.text(row, EventListModel::MonthNumberColumn)),
                         QString::number(row + 1)));
        }
        return formatEventLine(entry.event.description, monthNameFromNumber(month),
                               list.text(row, EventListModel::DayColumn));
    });
}

void exportEvents(const QString& path, const QList<EventRecord>& events) {
    writeEventFile(path, static_cast<int>(events.size()), [&](int index) {
        const EventRecord& event = events[index];
        return formatEventLine(event.description, monthNameFromNumber(event.month),
                               QString::number(event.day));
    });
}

}  // namespace almanis
