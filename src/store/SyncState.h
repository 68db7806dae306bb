#pragma once

#include "core/EventRecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace almanis {

class Connection;

// What the store keeps of the sync with a calendar (see StoreSchema): each
// resource as last seen, the synced events deleted here, the collection's
// sync token. Each call is one statement; the sync runs them in its
// transactions. Each throws AppError when the store refuses it.

// A resource of the calendar as last seen.
struct SyncResource {
    QString href;  // its whole address
    QByteArray etag;
    // The event it holds; none for an entry that is not a yearly event.
    std::optional<qint64> eventId;
    // syncHash() of the event as it was last synced.
    QString syncedHash;
};

// The fingerprint of what a calendar resource says of an event: a change of
// any of it here changes the hash.
QString syncHash(const EventRecord& event);

// By href.
QHash<QString, SyncResource> readSyncResources(const Connection& db);
// Keeps the resource, replacing what was kept of its href or its event.
void putSyncResource(Connection& db, const SyncResource& resource);
void deleteSyncResource(Connection& db, const QString& href);

// The ETag of each synced event deleted here, by href.
QHash<QString, QByteArray> readSyncTombstones(const Connection& db);
void deleteSyncTombstone(Connection& db, const QString& href);

// The collection's sync token; nothing before its first sync, empty when
// the server gives none.
std::optional<QString> readSyncToken(const Connection& db, const QString& collection);
void putSyncToken(Connection& db, const QString& collection, const QString& token);
// Forgets the whole state: another calendar is synced from now on.
void forgetSyncState(Connection& db);

// Whether the store keeps the sync's state: one of an earlier layout, or
// opened for reading only before it was brought up, does not.
bool keepsSyncState(const Connection& db);

// The events that contacts of address books give: never uploaded, and not
// changed here. None in a store that keeps no sync state.
QSet<qint64> readContactEventIds(const Connection& db);

// An event a contact gives: the contact's address in the book, its ETag as
// last read, and which of the contact's dates it is (0 for the first).
struct ContactEvent {
    QString href;
    QByteArray etag;
    qint64 eventId = 0;
    int kind = 0;
};
QList<ContactEvent> readBookContacts(const Connection& db, const QString& book);
void putContactEvent(Connection& db, const QString& book, const ContactEvent& contact);
// The address books events come from.
QStringList readContactBooks(const Connection& db);
// The address book the event comes from; nothing for an event of its own,
// which the user changes here, and in a store that keeps no sync state.
std::optional<QString> contactBookOf(const Connection& db, qint64 eventId);

}  // namespace almanis
