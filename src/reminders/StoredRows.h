#pragma once

#include "reminders/EventRows.h"

#include <QDate>
#include <optional>

namespace almanis {

class Connection;

// The rows of a store whose every event is stored as it should be (month and
// day stored as whole numbers that make a date counted from `today`), in
// calendar order: month, day, then the order stored, as sql::selectEvents()
// gives them. Read in the order stored and sorted here, so that SQLite need not
// sort whole rows. Nothing when any row is not so, or the store cannot be read:
// the caller then reads row by row and reports what it finds. `shown` is the
// last read of the same events, to make room for as many.
std::optional<EventRows> readSoundRows(const Connection& store, QDate today,
                                       const EventRows& shown = {});

}  // namespace almanis
