#pragma once

#include <QList>

// Every SQL text the program issues, each fixed: the values a statement needs
// are bound to its parameters (?1, ?2, ...), never written into the text.
// Connection::prepared() parses each text once per connection.
namespace almanis::sql {

// The query of every reader: the events in calendar order, those of one day in
// the order they were stored.
const char* selectEvents();
// The events in the order they were stored, for a reader that sorts them
// itself.
const char* selectEventsAsStored();
// The highest id stored (null when there is no event).
const char* lastEventId();

// The number that changes whenever another connection commits a change.
const char* dataVersion();

// Deletes the row with the id ?1.
const char* deleteEvent();

// The sample row of the "Load Sample/Example Data" command.
const char* insertSampleEvent();

// A new row, as the editor and the imports write it: the description ?1, the
// month ?2 and the day ?3.
const char* insertEvent();

// Changes the row with the id ?4 to the description ?1, the month ?2 and the
// day ?3.
const char* updateEvent();

// Changes the row as updateEvent() does, but only while it still holds the
// description ?5 and, read as the list reads them, the month ?6 and the day ?7:
// a change made meanwhile by another program is not overwritten, and the
// statement then changes no row. A month or day bound as null is not compared.
const char* updateUnchangedEvent();

// What SQLite's quick check finds wrong with the store: one row "ok", or a row per
// damage found, in a column named "quick_check".
const char* quickCheck();

// Transactions (see Transaction): a change kept whole, and a part of one.
const char* beginImmediate();
const char* commit();
const char* rollback();
const char* savepoint();
const char* releaseSavepoint();
const char* rollbackToSavepoint();

// The store's layout version (see StoreSchema), one row.
const char* storeVersion();
// A row when the store has the events table.
const char* hasEventTable();
// The statements that bring a store of version 0 to version 1, in order.
QList<const char*> storeVersion1();
// The statements that bring a store of version 1 to version 2, in order.
QList<const char*> storeVersion2();
// The statements that bring a store of version 2 to version 3, in order: the
// state of the sync with a calendar and the events of address books.
QList<const char*> storeVersion3();

// The details of the event with the id ?1: the year ?2, the remind days ?3
// (null: the options apply), the note ?4 and, unless ?5 is null, the UID ?5.
const char* updateEventDetails();
// Every event with its details, in the list's order; the columns of
// selectEvents() and EventYear, RemindDays, Note and Uid, null for an event
// without a row of details.
const char* selectEventsWithDetails();
// The event with the id ?1, in the columns of selectEvents().
const char* selectEventById();
// The event with the id ?1 and its details, in the columns of
// selectEventsWithDetails().
const char* selectEventWithDetails();
// EventId, EventYear and RemindDays of the events with a year or remind days
// of their own, by id: what the list keeps beside each event. Its condition is
// the index's of version 2, so SQLite reads the index alone.
const char* selectListedDetails();
// EventId and Note of the events with a note, in no order: what the search
// looks through beside the descriptions.
const char* selectNotes();
// The id of the event with the UID ?1.
const char* eventIdByUid();
// Description, EventMonth and EventDay of every event, in no order: what an
// import compares its entries with.
const char* selectEventKeys();
// The UID of every event that has one, in no order.
const char* selectEventUids();
// EventYear, RemindDays, Note and Uid of the event with the id ?1.
const char* selectEventDetails();
// A row of details with a new UID for the event with the id ?1, unless it has
// one: the trigger gives every event its row, but a row deleted by hand would
// otherwise keep a later change of its details from being stored.
const char* insertMissingEventDetails();

// The sync with a calendar (see SyncState).
// Href, ETag, EventId and SyncedHash of every resource last seen.
const char* selectSyncResources();
// Keeps the resource ?1 as seen with the ETag ?2, the event ?3 (null for an
// entry that is not one) and the hash ?4, replacing what was kept of that
// resource or that event.
const char* putSyncResource();
const char* deleteSyncResource();
// Href and ETag of every synced event deleted here.
const char* selectSyncTombstones();
const char* deleteSyncTombstone();
// The sync token of the collection ?1; no row before its first sync.
const char* selectSyncToken();
const char* putSyncToken();
// Forgets every resource, tombstone and token of the calendar: another one
// is synced.
QList<const char*> forgetSyncState();
// The ids of the events that address books give.
const char* selectContactEventIds();

// Href, ETag, EventId and Kind of the events the contacts of the address
// book ?1 give.
const char* selectBookContacts();
// The event ?1 comes from the book ?2, the contact ?3 with the ETag ?4, as
// its date ?5.
const char* putContactEvent();
// The address books that events come from.
const char* selectContactBooks();
// The address book the event ?1 comes from; no row for an event of its own.
const char* selectEventBook();

}  // namespace almanis::sql
