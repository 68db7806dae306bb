#pragma once

struct sqlite3_backup;

namespace almanis {

class Connection;

// One copy of a whole database into another with SQLite's online backup API:
// the source stays open for reading and writing meanwhile, and the copy is a
// consistent snapshot of it. Owns the backup handle; leaving the scope ends it.
class OnlineBackup {
  public:
    OnlineBackup(const Connection& source, Connection& target);
    ~OnlineBackup();
    OnlineBackup(const OnlineBackup&) = delete;
    OnlineBackup& operator=(const OnlineBackup&) = delete;

    // Copies every page; throws AppError with SQLite's message, naming the
    // target, when the copy cannot be completed.
    void run();

  private:
    Connection& target_;
    sqlite3_backup* backup_ = nullptr;
};

}  // namespace almanis
