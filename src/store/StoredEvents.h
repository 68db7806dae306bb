#pragma once

#include "core/EventRecord.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace almanis {

class Connection;

// Every event the store holds with its details, in the list's order (month,
// then day), read in one go. A row whose month or day is not a whole number is
// left out and counted, with the reason the first one could not be read.
struct StoredEvents {
    QList<EventRecord> events;
    int unreadable = 0;
    QString firstProblem;
};

// Throws AppError when the table cannot be read at all.
StoredEvents readStoredEvents(const Connection& db);

// The changes of the store's events, each one statement with its values bound.
// Each throws AppError when the store refuses it, and refuses a description
// holding a NUL character, which the store would keep but no reader gives back.

// Stores a new event with its details (its id is not read) and returns its
// id. Without a UID of its own the store gives it a new one. A store of an
// earlier layout (see StoreSchema) takes an event without details only.
qint64 insertEvent(Connection& db, const EventRecord& event);
qint64 insertEvent(Connection& db, const QString& description, int month, int day);
// The sample row of the "Load Sample/Example Data" command.
void insertSampleEvent(Connection& db);
// Changes the event with the id; returns the number of rows changed (0 when
// there is none).
int updateEvent(Connection& db, qint64 id, const QString& description, int month, int day);
// Changes the event with the record's id to the record, details included (a
// record without a UID keeps the stored one); returns the number of events
// changed (0 when there is none).
int updateEvent(Connection& db, const EventRecord& event);
// Deletes the event with the id; returns the number of rows deleted.
int deleteEvent(Connection& db, qint64 id);

// An event as the list showed it when the editor opened it: a month or day
// that could not be read as a whole number is not compared.
struct ListedEvent {
    qint64 id = 0;
    QString description;
    std::optional<int> month;
    std::optional<int> day;
    // The year, own remind days and note read when the editor opened (see
    // readEventDetails()); none when they were not read.
    std::optional<EventRecord> details;
};
// Changes the event only while it still holds what the list showed, so that
// a change made meanwhile by another program is not overwritten: nothing is
// changed then, and 0 returned.
int updateUnchangedEvent(Connection& db, const ListedEvent& listed, const QString& description,
                         int month, int day);
// The same for the event as a record: when `listed` has the details read
// with it, they must be unchanged too, and the record's year, remind days
// and note are stored with it (its UID stays); without them, only the
// description, month and day change. One transaction.
int updateUnchangedEvent(Connection& db, const ListedEvent& listed, const EventRecord& event);

// The event with the id and its details; nothing when there is none. Throws
// AppError when its month or day is not a whole number.
std::optional<EventRecord> readEvent(const Connection& db, qint64 id);
// The id of the event with the UID; nothing when there is none.
std::optional<qint64> eventIdByUid(const Connection& db, const QString& uid);
// A record of only the year, own remind days, note and UID of the event with
// the id, whatever its month and day hold (all of them empty when the event
// has none); nothing when the store keeps no details (see StoreSchema).
std::optional<EventRecord> readEventDetails(const Connection& db, qint64 id);

// What the list keeps beside an event: its year and own remind windows.
struct ListedDetails {
    qint64 id = 0;
    std::optional<int> year;
    std::optional<RemindWindows> remindDays;
};
// The events that have a year or remind windows of their own, by id; none for
// a store of an earlier layout.
QList<ListedDetails> readListedDetails(const Connection& db);
// The notes of the events that have one, by id; none for a store of an
// earlier layout.
QHash<qint64, QString> readNotes(const Connection& db);

}  // namespace almanis
