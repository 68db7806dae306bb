#pragma once

// The least any program must do to list the events: step every row of the
// program's query with the SQLite C API, read every column, and count each
// row's days until its next occurrence from one reading of today's date. Plain
// C++ and SQLite, so that a process doing only this carries no Qt.
#include <sqlite3.h>
#include <ctime>

namespace almanis::bench {

struct CivilDate {
    int year;
    int month;
    int day;
};

// Read once, as the program reads its clock once per fill.
inline CivilDate localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Days since 1 January 1970 of the proleptic Gregorian date. Linear in the
// day, so a day past the month's end (29 February in a common year) carries
// into the next month, as the program's date rule does.
inline long long daysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}

inline int daysUntilNext(int month, int day, const CivilDate& today) {
    const long long from = daysFromCivil(today.year, today.month, today.day);
    const long long thisYear = daysFromCivil(today.year, month, day);
    return static_cast<int>(thisYear >= from ? thisYear - from
                                             : daysFromCivil(today.year + 1, month, day) - from);
}

struct BareReadResult {
    long long rows = 0;
    // Everything read, summed, so that no read can be left out.
    long long checksum = 0;
};

inline BareReadResult bareRead(sqlite3* db, const CivilDate& today) {
    BareReadResult result;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db, "select * from tblEvent order by EventMonth,EventDay", -1, &query,
                           nullptr) != SQLITE_OK) {
        result.rows = -1;
        return result;
    }
    while (sqlite3_step(query) == SQLITE_ROW) {
        const long long id = sqlite3_column_int64(query, 0);
        const unsigned char* description = sqlite3_column_text(query, 1);
        const int length = sqlite3_column_bytes(query, 1);
        const int month = sqlite3_column_int(query, 2);
        const int day = sqlite3_column_int(query, 3);
        result.checksum +=
            id + length + (description ? description[0] : 0) + daysUntilNext(month, day, today);
        ++result.rows;
    }
    sqlite3_finalize(query);
    return result;
}

}  // namespace almanis::bench
