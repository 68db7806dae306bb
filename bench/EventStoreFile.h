#pragma once

#include <sqlite3.h>
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace almanis::bench {

struct EventRow {
    QString description;
    int month;
    int day;
};

// Adds `rows` rows to the event table of the store at `path`, in one
// transaction. `rowFor(i)` gives the i-th candidate row, or nothing to skip it.
inline void addEvents(const QString& path, int rows,
                      const std::function<std::optional<EventRow>(int)>& rowFor) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
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

// Writes a fresh event store at `path` holding `rows` rows, as addEvents().
inline void writeEventStore(const QString& path, int rows,
                            const std::function<std::optional<EventRow>(int)>& rowFor) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE tblEvent (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                 " Description TEXT NOT NULL DEFAULT '', EventMonth INTEGER NOT NULL,"
                 " EventDay INTEGER NOT NULL)",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    addEvents(path, rows, rowFor);
}

// The number of rows in the event table of the store at `path`; -1 when it
// cannot be read.
inline int eventCount(const QString& path) {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM tblEvent", -1, &query, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(query) == SQLITE_ROW) {
            count = sqlite3_column_int(query, 0);
        }
        sqlite3_finalize(query);
    }
    sqlite3_close(db);
    return count;
}

// True when an event on `month`/`day` is neither today nor tomorrow, so that
// with only the day-of-event reminder on (the default) it opens no alarm, even
// in a run that goes past midnight.
inline bool isQuiet(int month, int day, QDate today) {
    const QDate tomorrow = today.addDays(1);
    return !(month == today.month() && day == today.day()) &&
           !(month == tomorrow.month() && day == tomorrow.day());
}

// The i-th of a year's events as a person might keep them: spread over every
// month, on days that every month has (nothing is carried into the next
// month), inserted out of calendar order, none of them due on `today` or the
// day after.
inline std::optional<EventRow> quietEventRow(int i, QDate today) {
    const int month = i % 12 + 1;
    const int day = (i / 12) % 28 + 1;
    if (!isQuiet(month, day, today)) {
        return std::nullopt;
    }
    return EventRow{QStringLiteral("Birthday of friend number %1").arg(i), month, day};
}

}  // namespace almanis::bench
