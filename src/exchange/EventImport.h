#pragma once

#include "core/EventRecord.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace almanis {

class Connection;

// How an import ended: the events it stored, and the entries it left out
// because the store held them already, or an earlier entry of the same file.
struct ImportCount {
    int imported = 0;
    int alreadyPresent = 0;

    friend bool operator==(const ImportCount&, const ImportCount&) = default;
};

// What an import says of its count: "2 events imported." or, when some were
// there already, "2 events imported, 3 already present.".
QString importCountText(const ImportCount& count);

// The events a store holds, as an import recognises them: by UID, or by the
// same description, month and day. The store is read once, in two queries,
// so that checking each of 100,000 entries costs a look-up in a hash.
class KnownEvents {
  public:
    // Throws AppError when the store cannot be read.
    explicit KnownEvents(const Connection& db);

    // True when the store holds an event with the entry's UID, or with its
    // description, month and day.
    bool contains(const EventRecord& entry) const;
    // Remembers an entry just stored, so that a later one repeating it is known.
    void add(const EventRecord& entry);

  private:
    struct Key {
        QString description;
        int month = 0;
        int day = 0;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& key, size_t seed = 0) {
            return qHashMulti(seed, key.description, key.month, key.day);
        }
    };

    QSet<QString> uids_;
    QSet<Key> keys_;
};

// Stores the events that an import has read and checked whole, in their order,
// in one transaction: all of them or, whatever stops it (a row the store
// refuses, a full disk, a process killed part-way), none. An entry the store
// already holds (KnownEvents, read inside the transaction), or that repeats an
// earlier one, is not stored again but counted. The transaction takes the
// store for writing at its start, so other programs that change the store
// meanwhile wait on their busy timeout, and those that read it see it as it was
// until the end. The write-ahead log is folded back into the store and cut to
// nothing at the end, however the import ends.
// Returns how many events this import stored and how many it found present:
// never a count of the store's rows. When a row cannot be stored, throws
// AppError naming the event and saying that nothing was imported.
ImportCount storeEvents(const QList<EventRecord>& events, Connection& db);

}  // namespace almanis
