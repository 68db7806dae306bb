#pragma once

#include <QString>
#include <optional>

// Every SQL text the program issues is built here.
namespace almanis::sql {

// A description between apostrophes, every apostrophe in it doubled. A NUL
// character cannot be stored and throws AppError.
QString quoted(const QString& description);

// The query of every reader: the events in calendar order, those of one day in
// the order they were stored.
QString selectEvents();
// The events in the order they were stored, for a reader that sorts them
// itself.
QString selectEventsAsStored();

// The number that changes whenever another connection commits a change.
QString dataVersion();

// Deletes the row with the given id.
QString deleteEvent(qint64 id);

// The sample row of the "Load Sample/Example Data" command.
QString insertSampleEvent();

// A new row, as the editor and the text import write it.
QString insertEvent(const QString& description, int month, int day);

// Changes the row with the given id.
QString updateEvent(const QString& description, int month, int day, qint64 id);

// A row as the editor found it: a month or day that could not be read as a
// whole number is not compared.
struct StoredEvent {
    qint64 id = 0;
    QString description;
    std::optional<int> month;
    std::optional<int> day;
};

// Changes the row only while it still holds what the editor was opened with,
// so that a change made meanwhile by another program is not overwritten: the
// statement then changes no row.
QString updateUnchangedEvent(const QString& description, int month, int day,
                             const StoredEvent& stored);

// What SQLite's quick check finds wrong with the store: one row "ok", or a row per
// damage found, in a column named "quick_check".
QString quickCheck();

}  // namespace almanis::sql
