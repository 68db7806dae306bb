#pragma once

#include <sqlite3.h>
#include <QString>
#include <functional>
#include <optional>

namespace almanis::bench {

struct EventRow {
    QString description;
    int month;
    int day;
};

// Writes a fresh event store at `path` holding `rows` rows, in one transaction.
// `rowFor(i)` gives the i-th candidate row, or nothing to skip it.
inline void writeEventStore(const QString& path, int rows,
                            const std::function<std::optional<EventRow>(int)>& rowFor) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE tblEvent (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                 " Description TEXT NOT NULL DEFAULT '', EventMonth INTEGER NOT NULL,"
                 " EventDay INTEGER NOT NULL); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO tblEvent (Description, EventMonth, EventDay) VALUES (?, ?, ?)",
                       -1, &insert, nullptr);
    for (int i = 0, written = 0; written < rows; ++i) {
        const std::optional<EventRow> row = rowFor(i);
        if (!row) {
            continue;
        }
        const QByteArray text = row->description.toUtf8();
        sqlite3_bind_text(insert, 1, text.constData(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, row->month);
        sqlite3_bind_int(insert, 3, row->day);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        ++written;
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

}  // namespace almanis::bench
