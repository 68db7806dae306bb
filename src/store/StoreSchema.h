#pragma once

#include <QString>

namespace almanis {

class Connection;

// The store's layout, kept in its PRAGMA user_version:
//   0  the table tblEvent alone (id, Description, EventMonth, EventDay), as
//      every earlier version made it and still reads it;
//   1  each event's details beside it, in tblEventDetail keyed by the event's
//      id: its UID, year, own remind days and note. Triggers on tblEvent give
//      every new event a UID and delete an event's details with it, whichever
//      program inserts or deletes it;
//   2  an index of the events with a year or remind days of their own, which
//      the list reads beside every event;
//   3  the state of the sync with a calendar beside the events: each
//      resource's href, ETag and the hash of the event as last synced, the
//      synced events deleted here (a trigger keeps them), the collection's
//      sync token, and which events come from a contact of an address book.
inline constexpr int kStoreVersion = 3;

int storeVersion(const Connection& db);
// Whether the store keeps the events' details.
bool keepsEventDetails(const Connection& db);

// Opens the working store at `path` and brings a store of an earlier layout up
// to this one: a copy of it goes into the backup folder first
// (dbData-before-version-3.mdb, named for the version it is brought to,
// apart from the daily copies), then the change
// runs in one transaction. A store opened for reading only, and a file without the
// events table, are left as they are and read as they are. Throws AppError
// when the store cannot be opened (it is then closed) or when the copy or the
// change fails (it is then open and as it was: the events read without their
// details until a later open brings it up).
void openWorkingStore(Connection& db, const QString& path);
// The same for the file last opened.
void reopenWorkingStore(Connection& db);

// Brings the open store up to this layout as openWorkingStore() does. A store
// just made from a seed has nothing to lose and is not copied first.
enum class UpgradeCopy { BackUpFirst, NewStore };
void upgradeStore(Connection& db, UpgradeCopy copy = UpgradeCopy::BackUpFirst);

}  // namespace almanis
