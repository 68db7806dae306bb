#pragma once

#include "core/EventRecord.h"

#include <QList>

namespace almanis {

class Connection;

// Stores the events that an import has read and checked whole, in their order,
// in one transaction: all of them or, whatever stops it (a row the store
// refuses, a full disk, a process killed part-way), none. The transaction takes
// the store for writing at its start, so other programs that change the store
// meanwhile wait on their busy timeout, and those that read it see it as it was
// until the end. The write-ahead log is folded back into the store and cut to
// nothing at the end, however the import ends.
// Returns how many events this import stored: the events given, never a count
// of the store's rows. When a row cannot be stored, throws AppError naming the
// event and saying that nothing was imported.
int storeEvents(const QList<EventRecord>& events, Connection& db);

}  // namespace almanis
