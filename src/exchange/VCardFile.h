#pragma once

#include "core/EventRecord.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace almanis {

// vCard files, as address books export their contacts: versions 4.0 (RFC 6350),
// 3.0 (RFC 2426) and the older 2.1.

// The events that the contacts of a vCard file give.
struct VCardImport {
    QList<EventRecord> events;  // in file order, each with id 0
    int cards = 0;              // the contacts read
    int cardsWithoutDates = 0;  // contacts with no BDAY, ANNIVERSARY or X-ANNIVERSARY
    // One report for each date that gave no event, saying whose and why
    // ("Anna Smith's birthday \"2023-04-31\": April has no day 31"), naming
    // the line where the name cannot be imported (a control character, a name
    // too long), and one for a card with a line too long to read.
    QStringList skippedDates;
};

// Reads every card of the file. Each BDAY gives the event "<name>'s birthday",
// each ANNIVERSARY (4.0) or X-ANNIVERSARY (3.0) "<name>'s anniversary", on the
// month and day of its date (YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD, alone or
// before the time of a date-time); a date without a year is as good as one
// with. The event keeps the date's year, except where it stands for an unknown
// one (Apple's X-APPLE-OMIT-YEAR, and its 1604) or is after `today`. The name
// is the card's FN, else the given and family names of its N, else "Unnamed",
// made one line. A date that cannot be read or that does not exist (31 April,
// or 29 February 1985) is skipped and reported, and so is a description that
// cannot be imported (descriptionProblem). Throws AppError naming the file, and
// gives no events, when it is empty, has no card or ends inside a card (a file
// cut short).
VCardImport readVCards(const QString& path, QDate today = QDate::currentDate());

// The same for the bytes of a vCard file.
VCardImport parseVCards(const QByteArray& bytes, QDate today = QDate::currentDate());

}  // namespace almanis
