#include "exchange/EventFiles.h"

#include "core/AppError.h"
#include "exchange/EventImport.h"
#include "exchange/EventText.h"
#include "exchange/ICalendarFile.h"
#include "exchange/VCardFile.h"
#include "store/StoredEvents.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace almanis {

namespace {
// Enough for a byte-order mark, blank lines and the first content line.
constexpr qint64 kHeadBytes = 4096;

// Whether `line` is `keyword` in any letter case, trailing blanks aside.
bool isLine(QByteArrayView line, QByteArrayView keyword) {
    return line.trimmed().compare(keyword, Qt::CaseInsensitive) == 0;
}

std::optional<EventFileFormat> formatOfContent(QByteArrayView head) {
    if (head.startsWith("\xEF\xBB\xBF")) {
        head = head.sliced(3);
    }
    qsizetype start = 0;
    while (start < head.size() && QChar::isSpace(uchar(head[start]))) {
        ++start;
    }
    head = head.sliced(start);
    const qsizetype end = head.indexOf('\n');
    const QByteArrayView firstLine = end < 0 ? head : head.first(end);
    if (isLine(firstLine, "BEGIN:VCALENDAR")) {
        return EventFileFormat::ICalendar;
    }
    if (isLine(firstLine, "BEGIN:VCARD")) {
        return EventFileFormat::VCard;
    }
    return std::nullopt;
}
}  // namespace

EventFileFormat eventFileFormatByName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("ics") || suffix == QLatin1String("ical") ||
        suffix == QLatin1String("ifb")) {
        return EventFileFormat::ICalendar;
    }
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard")) {
        return EventFileFormat::VCard;
    }
    return EventFileFormat::Text;
}

EventFileFormat eventFileFormat(QByteArrayView head, const QString& fileName) {
    return formatOfContent(head).value_or(eventFileFormatByName(fileName));
}

EventFileFormat eventFileFormat(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return eventFileFormatByName(path);
    }
    return eventFileFormat(file.read(kHeadBytes), path);
}

EventFileRead readFileToImport(const QString& path, QDate today,
                               std::optional<EventFileFormat> format) {
    EventFileRead read;
    read.format = format.value_or(eventFileFormat(path));
    switch (read.format) {
        case EventFileFormat::Text:
            read.events = readEventFile(path);
            break;
        case EventFileFormat::ICalendar: {
            ICalendarImport calendar = readICalendar(path, today);
            read.events = std::move(calendar.events);
            read.notes << calendar.skippedReport();
            for (const QString& skipped : std::as_const(calendar.skippedEntries)) {
                read.notes << QCoreApplication::translate("almanis::EventFiles", "Skipped: %1")
                                  .arg(skipped);
            }
            break;
        }
        case EventFileFormat::VCard: {
            VCardImport contacts = readVCards(path, today);
            read.events = std::move(contacts.events);
            if (contacts.cardsWithoutDates == 1) {
                read.notes << QCoreApplication::translate(
                    "almanis::EventFiles", "1 contact has no birthday or anniversary.");
            } else if (contacts.cardsWithoutDates > 1) {
                read.notes << QCoreApplication::translate(
                                  "almanis::EventFiles",
                                  "%1 contacts have no birthday or anniversary.")
                                  .arg(contacts.cardsWithoutDates);
            }
            for (const QString& skipped : std::as_const(contacts.skippedDates)) {
                read.notes << QCoreApplication::translate("almanis::EventFiles", "Skipped: %1")
                                  .arg(skipped);
            }
            break;
        }
    }
    return read;
}

QStringList importReport(const EventFileRead& read, const ImportCount& count) {
    return QStringList{importCountText(count)} + read.notes;
}

QList<EventRecord> storedEventsToExport(const Connection& db) {
    StoredEvents stored = readStoredEvents(db);
    if (stored.unreadable > 0) {
        throw AppError(QCoreApplication::translate("almanis::EventFiles",
                                                   "%1 of the store's events could not be read, "
                                                   "so the file would miss them: %2")
                           .arg(QString::number(stored.unreadable), stored.firstProblem));
    }
    return std::move(stored.events);
}

int exportEventFile(const QString& path, const QList<EventRecord>& events, EventFileFormat format) {
    switch (format) {
        case EventFileFormat::Text:
            return exportEvents(path, events);
        case EventFileFormat::ICalendar:
            writeICalendar(path, events);
            return static_cast<int>(events.size());
        case EventFileFormat::VCard:
            break;
    }
    throw AppError(QCoreApplication::translate("almanis::EventFiles",
                                               "Contact files can be imported, not exported."));
}

}  // namespace almanis
