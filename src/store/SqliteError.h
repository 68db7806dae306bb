#pragma once

#include "core/AppError.h"

namespace almanis {

// Throws AppError with SQLite's own message, followed by the database file's
// name where it helps the user find the file.
[[noreturn]] void throwSqliteError(const QString& message, const QString& path = {});

}  // namespace almanis
