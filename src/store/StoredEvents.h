#pragma once

#include "core/EventRecord.h"

#include <QList>
#include <QString>

namespace almanis {

class Connection;

// Every event the store holds, in the list's order (month, then day), read in
// one go. A row whose month or day is not a whole number is left out and
// counted, with the reason the first one could not be read.
struct StoredEvents {
    QList<EventRecord> events;
    int unreadable = 0;
    QString firstProblem;
};

// Throws AppError when the table cannot be read at all.
StoredEvents readStoredEvents(const Connection& db);

}  // namespace almanis
