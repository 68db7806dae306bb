#pragma once

#include <QString>

namespace almanis {

class Connection;

// What SQLite's quick check finds damaged in the open store: empty when
// nothing, otherwise the first finding as SQLite words it (with the number of
// further findings). A store so damaged that the check cannot run is damaged
// too; a check kept from running by another program's lock throws AppError.
QString damageOf(const Connection& db);

}  // namespace almanis
