#include "exchange/VCardFile.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "exchange/ContentLine.h"
#include "exchange/ContentLineReader.h"
#include "exchange/EventText.h"
#include "exchange/ImportedText.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace almanis {

namespace {
const QString kUnnamed = QStringLiteral("Unnamed");

struct DateProperty {
    bool birthday = true;  // otherwise an anniversary
    QString value;
    // Apple's X-APPLE-OMIT-YEAR: the year that stands in for an unknown one.
    QByteArray omitYear;
};

// The year Apple's address books write for a date whose year is unknown, with
// X-APPLE-OMIT-YEAR=1604 or (some iOS versions) without it.
constexpr int kAppleUnknownYear = 1604;

// What a card has told so far; its events are made at its end, once its name is known.
struct Card {
    qint64 line = 0;        // where it begins
    QString formattedName;  // FN
    qint64 formattedNameLine = 0;
    QString structuredName;  // the given and family names of N
    qint64 structuredNameLine = 0;
    QList<DateProperty> dates;
    qint64 cutLine = 0;  // the first line read for the card that was too long to read whole
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// "=XX" is the byte XX; an "=" that starts no such pair stays as it is.
QByteArray quotedPrintableDecoded(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            bytes.append(text[i]);
        }
    }
    return bytes;
}

// The value's text: quoted-printable and CHARSET are vCard 2.1's; vCard 3.0 and
// 4.0 are UTF-8.
QString decodedValue(const ContentLine& line) {
    const QByteArray bytes =
        line.isQuotedPrintable() ? quotedPrintableDecoded(line.value) : line.value.toByteArray();
    const QByteArrayView charset = line.parameter("CHARSET");
    if (!charset.isEmpty() && charset.compare("UTF-8", Qt::CaseInsensitive) != 0) {
        QStringDecoder decoder(charset.toByteArray().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    return textFromBytes(bytes);
}

// N is "family;given;additional;prefixes;suffixes"; a name reads given name first.
QString givenThenFamilyName(const QString& value) {
    const QStringList pieces = textPieces(value, true);
    QStringList name;
    for (qsizetype piece : {1, 0}) {
        if (piece < pieces.size() && !pieces[piece].trimmed().isEmpty()) {
            name.append(pieces[piece].trimmed());
        }
    }
    return name.join(QLatin1Char(' '));
}

struct MonthAndDay {
    std::optional<int> year;  // none for --MMDD and --MM-DD
    int month = 0;
    int day = 0;
};

// The number written by `count` ASCII digits from `from`; -1 when they are not all digits.
int digitsAt(QStringView text, qsizetype from, qsizetype count) {
    int number = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) {
            return -1;
        }
        number = number * 10 + (text[i].unicode() - '0');
    }
    return number;
}

// The year, month and day of YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD, alone or as
// the date of a date-time ("1985-04-15T08:30:00Z"); nothing for any other text.
// The day is not checked against the month here.
std::optional<MonthAndDay> monthAndDay(QStringView value) {
    value = value.trimmed();
    const qsizetype time = value.indexOf(QLatin1Char('T'), 0, Qt::CaseInsensitive);
    const QStringView date = time < 0 ? value : value.first(time);
    const bool noYear = date.startsWith(QStringLiteral("--"));
    qsizetype month = -1;  // where the month's two digits begin
    qsizetype day = -1;
    if (date.size() == 10 && date[4] == QLatin1Char('-') && date[7] == QLatin1Char('-') &&
        digitsAt(date, 0, 4) >= 0) {
        month = 5, day = 8;
    } else if (date.size() == 8 && digitsAt(date, 0, 4) >= 0) {
        month = 4, day = 6;
    } else if (date.size() == 6 && noYear) {
        month = 2, day = 4;
    } else if (date.size() == 7 && noYear && date[4] == QLatin1Char('-')) {
        month = 2, day = 5;
    }
    if (month < 0 || digitsAt(date, month, 2) < 0 || digitsAt(date, day, 2) < 0) {
        return std::nullopt;
    }
    return MonthAndDay{noYear ? std::nullopt : std::optional<int>(digitsAt(date, 0, 4)),
                       digitsAt(date, month, 2), digitsAt(date, day, 2)};
}

// The year of a date that exists, unless it stands for an unknown one or is
// still to come: the event is kept then, without a year.
std::optional<int> knownYear(const MonthAndDay& date, const DateProperty& property, QDate today) {
    if (!date.year || *date.year == kAppleUnknownYear ||
        (!property.omitYear.isEmpty() && property.omitYear.toInt() == *date.year) ||
        !isValidEventYear(*date.year, date.month, date.day, today)) {
        return std::nullopt;
    }
    return date.year;
}

void addCardEvents(const Card& card, VCardImport& result, QDate today) {
    ++result.cards;
    if (card.dates.isEmpty()) {
        ++result.cardsWithoutDates;
        return;
    }
    if (card.cutLine > 0) {
        result.skippedDates.append(
            QCoreApplication::translate("almanis::VCardFile",
                                        "Line %1 is longer than %2 bytes, so the card that "
                                        "begins on line %3 gives no event")
                .arg(card.cutLine)
                .arg(ContentLineReader::kLongestContentLine)
                .arg(card.line));
        return;
    }
    const bool formatted = !oneLineDescription(card.formattedName, QString()).isEmpty();
    const QString name =
        oneLineDescription(card.formattedName, oneLineDescription(card.structuredName, kUnnamed));
    const qint64 nameLine = formatted ? card.formattedNameLine : card.structuredNameLine;
    for (const DateProperty& date : card.dates) {
        const QString description = name + (date.birthday ? QStringLiteral("'s birthday")
                                                          : QStringLiteral("'s anniversary"));
        if (const QString problem = descriptionProblem(description); !problem.isEmpty()) {
            //: %2 is the event's description, %3 why it cannot be imported.
            result.skippedDates.append(
                QCoreApplication::translate("almanis::VCardFile",
                                            "Line %1: %2 cannot be imported: %3")
                    .arg(nameLine)
                    .arg(quotedLine(description), problem));
            continue;
        }
        const std::optional<MonthAndDay> found = monthAndDay(date.value);
        // Reports are one line each, like the descriptions.
        const QString shown = quotedLine(oneLineDescription(date.value, QString()));
        if (!found) {
            //: %1 is the event's description, %2 the date as the card gives it.
            result.skippedDates.append(QCoreApplication::translate("almanis::VCardFile",
                                                                   "%1 %2 is not a date in the "
                                                                   "form YYYY-MM-DD, YYYYMMDD, "
                                                                   "--MMDD or --MM-DD")
                                           .arg(description, shown));
        } else if (const QString missing = missingDayProblem(found->year, found->month, found->day);
                   !missing.isEmpty()) {
            // The words are missingDayProblem()'s.
            result.skippedDates.append(
                QStringLiteral("%1 %2: %3").arg(description, shown, missing));
        } else {
            EventRecord event{0, description, found->month, found->day};
            event.year = knownYear(*found, date, today);
            result.events.append(std::move(event));
        }
    }
}

// The reader works on one content line at a time and keeps only the card being
// read, so its memory does not grow with the file, and every step is linear in
// the line: no look-back, no recursion.
VCardImport readVCards(QIODevice& device, const QString& source, QDate today) {
    ContentLineReader reader(device, source);
    VCardImport result;
    bool sawLine = false;
    bool sawCard = false;
    qint64 depth = 0;  // 1 inside a card, more inside a card kept in a card (2.1's AGENT)
    qint64 cardLine = 0;
    Card card;
    QByteArray line;
    QByteArray more;
    while (reader.readLine(line)) {
        sawLine = true;
        std::optional<ContentLine> parts = parseContentLine(line);
        if (!parts) {
            continue;
        }
        // A vCard 2.1 quoted-printable value ends a file line with "=" where it
        // goes on in the next one.
        const qint64 lineNumber = reader.lineNumber();
        bool cut = reader.cut();
        if (line.endsWith('=') && !parts->parameters.isEmpty() && parts->isQuotedPrintable()) {
            while (line.endsWith('=') && reader.readLine(more)) {
                line.chop(1);
                const qsizetype room =
                    std::max<qsizetype>(0, ContentLineReader::kLongestContentLine - line.size());
                line.append(more.constData(), std::min(room, more.size()));
                cut = cut || reader.cut() || more.size() > room;
            }
            parts = parseContentLine(line);
        }
        const bool read = parts->isNamed("FN") || parts->isNamed("N") || parts->isNamed("BDAY") ||
                          parts->isNamed("ANNIVERSARY") || parts->isNamed("X-ANNIVERSARY");
        if (depth == 1 && cut && read && card.cutLine == 0) {
            card.cutLine = lineNumber;
        }
        if (parts->isBegin("VCARD")) {
            if (depth++ == 0) {
                card = Card();
                card.line = lineNumber;
                cardLine = lineNumber;
                sawCard = true;
            }
        } else if (parts->isEnd("VCARD")) {
            if (depth > 0 && --depth == 0) {
                addCardEvents(card, result, today);
            }
        } else if (depth != 1) {
            continue;
        } else if (parts->isNamed("FN")) {
            if (card.formattedName.trimmed().isEmpty()) {
                card.formattedName = textPieces(decodedValue(*parts), false).constFirst();
                card.formattedNameLine = lineNumber;
            }
        } else if (parts->isNamed("N")) {
            if (card.structuredName.isEmpty()) {
                card.structuredName = givenThenFamilyName(decodedValue(*parts));
                card.structuredNameLine = lineNumber;
            }
        } else if (parts->isNamed("BDAY")) {
            card.dates.append(
                {true, decodedValue(*parts), parts->parameter("X-APPLE-OMIT-YEAR").toByteArray()});
        } else if (parts->isNamed("ANNIVERSARY") || parts->isNamed("X-ANNIVERSARY")) {
            card.dates.append(
                {false, decodedValue(*parts), parts->parameter("X-APPLE-OMIT-YEAR").toByteArray()});
        }
    }
    if (!sawLine) {
        //: %1 is "The file <path>" or "The vCard data".
        throw AppError(
            QCoreApplication::translate("almanis::VCardFile", "%1 is empty").arg(source));
    }
    if (!sawCard) {
        throw AppError(QCoreApplication::translate("almanis::VCardFile",
                                                   "%1 is not a vCard file: it has no BEGIN:VCARD")
                           .arg(source));
    }
    if (depth > 0) {
        throw AppError(
            QCoreApplication::translate("almanis::VCardFile",
                                        "%1 ends inside the card that begins on line %2: it may "
                                        "have been cut short")
                .arg(source)
                .arg(cardLine));
    }
    return result;
}
}  // namespace

VCardImport readVCards(const QString& path, QDate today) {
    QFile file(path);
    openFileToImport(file);
    return readVCards(file, fileSource(path), today);
}

VCardImport parseVCards(const QByteArray& bytes, QDate today) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readVCards(buffer, QCoreApplication::translate("almanis::VCardFile", "The vCard data"),
                      today);
}

}  // namespace almanis
