#pragma once

#include <QString>

struct sqlite3;

namespace almanis {

// The program's one database connection: a thin owner of an SQLite handle.
// Opening never creates a database; every failure throws AppError carrying
// SQLite's own message.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file for reading and writing.
    void open(const QString& path);

    // 0 when closed, 1 when open.
    int state() const { return db_ ? 1 : 0; }

    void close();

    // Carries out one SQL statement at once; no result is read back.
    void execute(const QString& sql);

    // The id of the row the last INSERT on this connection stored, and how many
    // rows the last statement changed.
    qint64 lastInsertId() const;
    int changes() const;

    sqlite3* handle() const;
    const QString& path() const { return path_; }

    // For a long run of statements that are still each committed on their own
    // (the text import): the connection keeps its file locks from one statement
    // to the next and folds the write-ahead log back into the database less
    // often, which spares most of the system calls and syncs of every commit.
    // Other programs cannot read the store meanwhile. Leaving the scope goes
    // back to the usual way and empties the log.
    class BulkWrites {
      public:
        explicit BulkWrites(Connection& db);
        ~BulkWrites();
        BulkWrites(const BulkWrites&) = delete;
        BulkWrites& operator=(const BulkWrites&) = delete;

      private:
        Connection& db_;
    };

  private:
    sqlite3* db_ = nullptr;
    QString path_;
};

}  // namespace almanis
