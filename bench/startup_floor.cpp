// The floor under the program's start-up: a process with no Qt that opens the
// store, reads every event and counts the days left of each, then ends.
//
//   startup_floor STORE
#include "BareRead.h"
#include "StartMoments.h"

#include <sqlite3.h>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_floor STORE\n");
        return 2;
    }
    const almanis::bench::CivilDate today = almanis::bench::localToday();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "startup_floor: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    const almanis::bench::BareReadResult read = almanis::bench::bareRead(db, today);
    almanis::bench::tellMoment("filled");
    sqlite3_close(db);
    almanis::bench::tellFigure("rows", read.rows);
    almanis::bench::tellFigure("checksum", read.checksum);
    return read.rows < 0 ? 1 : 0;
}
