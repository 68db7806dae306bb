#pragma once

#include "core/EventRecord.h"

#include <QList>

namespace almanis {

class Connection;

// Stores events that a file import has read and checked whole, in their order,
// each in a transaction of its own: a process killed part-way leaves the first
// of them stored and the store intact. The import takes no lock of its own:
// each row waits for other connections' transactions like any other write, and
// other connections read and write between its commits. The write-ahead log is
// folded back into the store as the rows go in and cut to nothing at the end,
// so the import needs little more free disk than the rows themselves.
// Returns how many events were stored. When a row cannot be stored (a full
// disk, a store that cannot be written), throws AppError naming the event and
// saying how many were stored before it; the rest are not tried.
int storeEvents(const QList<EventRecord>& events, Connection& db);

}  // namespace almanis
