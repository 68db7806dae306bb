#pragma once

#include <sqlite3.h>
#include <QString>

namespace almanis::test {

// Another program holding the store locked through a connection of its own
// until it lets go: by default to itself alone, so that no one can even read.
class StoreLock {
  public:
    explicit StoreLock(const QString& path,
                       const char* begin = "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE") {
        held_ = sqlite3_open(path.toUtf8().constData(), &db_) == SQLITE_OK &&
                sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~StoreLock() { release(); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    // False when the lock could not be taken.
    bool held() const { return held_; }

    void release() {
        if (db_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }

  private:
    sqlite3* db_ = nullptr;
    bool held_ = false;
};

}  // namespace almanis::test
