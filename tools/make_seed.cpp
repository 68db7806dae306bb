// Writes the two seed databases that ship beside the program: dbBlank.mdb with
// an empty event table, and dbEvents.mdb with a few fixed-date holidays so a
// first start shows a useful list.
//
//   make_seed OUTPUT_FOLDER
#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char* kSchema =
    "CREATE TABLE tblEvent ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Description TEXT NOT NULL DEFAULT '',"
    " EventMonth INTEGER NOT NULL,"
    " EventDay INTEGER NOT NULL)";

struct Holiday {
    const char* description;
    int month;
    int day;
};

constexpr Holiday kHolidays[] = {
    {"New Year's Day", 1, 1},    {"Valentine's Day", 2, 14}, {"International Women's Day", 3, 8},
    {"St Patrick's Day", 3, 17}, {"April Fools' Day", 4, 1}, {"Earth Day", 4, 22},
    {"Halloween", 10, 31},       {"Christmas Eve", 12, 24},  {"Christmas Day", 12, 25},
    {"Boxing Day", 12, 26},      {"New Year's Eve", 12, 31},
};

bool run(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "make_seed: %s\n", error ? error : "unknown error");
        sqlite3_free(error);
        return false;
    }
    return true;
}

bool write(const std::string& path, bool withHolidays) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "make_seed: cannot create %s\n", path.c_str());
        sqlite3_close(db);
        return false;
    }
    bool ok = run(db, kSchema);
    if (withHolidays) {
        sqlite3_stmt* insert = nullptr;
        ok = ok && sqlite3_prepare_v2(db,
                                      "INSERT INTO tblEvent (Description, EventMonth, EventDay) "
                                      "VALUES (?, ?, ?)",
                                      -1, &insert, nullptr) == SQLITE_OK;
        for (const Holiday& h : kHolidays) {
            if (!ok) {
                break;
            }
            sqlite3_bind_text(insert, 1, h.description, -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 2, h.month);
            sqlite3_bind_int(insert, 3, h.day);
            ok = sqlite3_step(insert) == SQLITE_DONE;
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
    }
    ok = ok && run(db, "VACUUM");
    sqlite3_close(db);
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    return write(folder + "/dbBlank.mdb", false) && write(folder + "/dbEvents.mdb", true) ? 0 : 1;
}
