#pragma once

#include "reminders/EventRows.h"
#include "store/StoredEvents.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <optional>

namespace almanis {

class Connection;

// The rows of a store whose every event is stored as it should be (month and
// day stored as whole numbers that make a date counted from `today`), in
// calendar order: month, day, then the order stored, as sql::selectEvents()
// gives them, each with its year and own remind windows. Read in the order
// stored and sorted here, so that SQLite need not sort whole rows. Nothing
// when any row is not so, or the store cannot be read: the caller then reads
// row by row and reports what it finds. `shown` is the last read of the same
// events, to make room for as many.
struct SoundRead {
    EventRows rows;
    QSet<qint64> addressBookEvents;  // the events address books give
};
std::optional<SoundRead> readSoundRows(const Connection& store, QDate today,
                                       const EventRows& shown = {});

// The details of the event with the id in `details`, sorted by id as
// readListedDetails() gives them; null when the event has none.
const ListedDetails* detailsOf(const QList<ListedDetails>& details, qint64 id);
// Gives every row the year and own remind windows `details` hold for its id.
void addDetails(EventRows& rows, const QList<ListedDetails>& details);

}  // namespace almanis
