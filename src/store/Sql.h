#pragma once

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

// The transactions of an import that stores all of its events or none.
const char* beginImmediate();
const char* commit();
const char* rollback();

}  // namespace almanis::sql
