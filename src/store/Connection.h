#pragma once

#include "store/Statement.h"

#include <QString>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace almanis {

// The program's one database connection: a thin owner of an SQLite handle.
// Opening never creates a database, except where a new file is asked for by
// name (openNew); every failure throws AppError carrying SQLite's own message.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file for reading and writing. A store that
    // cannot be written (a read-only file or folder) is opened for reading
    // only, so its events still show; readOnly() then tells why every change
    // is refused; so is a store whose disk is full (diskFull()). A store that
    // cannot be read at all, or is locked by another
    // program, throws and stays closed; reopen() tries again later.
    void open(const QString& path);
    // Opens an existing database file for reading only.
    void openReadOnly(const QString& path);
    // Creates a new, empty database file (replacing nothing: it fails when the
    // file exists) and opens it for reading and writing.
    void openNew(const QString& path);
    // Opens the file last given to open() again; throws when there is none.
    void reopen();

    // 0 when closed, 1 when open.
    int state() const { return db_ ? 1 : 0; }
    bool readOnly() const { return db_ && !readOnlyReason_.isEmpty(); }
    // Why the open store cannot be changed, as SQLite or the system put it.
    const QString& readOnlyReason() const { return readOnlyReason_; }
    // Whether the store was opened for reading only because its disk is full.
    bool diskFull() const { return diskFull_; }

    void close();

    // Carries out one SQL statement at once; no result is read back. Returns
    // the number of rows the statement changed. A change to a store opened
    // for reading only throws, naming the file and the reason.
    int execute(const QString& sql);

    // The statement of the fixed text `sql` (one of store/Sql's), parsed once
    // while the connection stays open: when the caller is done with it, it
    // comes back here, its values cleared, for the next call. Taken twice at
    // once, the second is a statement of its own.
    Statement prepared(const char* sql) const;

    // Folds the write-ahead log back into the database file and cuts the log
    // to nothing, where no other connection still reads from it. Never throws:
    // a log that cannot be emptied now is emptied by a later checkpoint.
    void truncateLog() noexcept;

    // How long a statement waits for another program's transaction to end;
    // kept for every later open.
    void setBusyTimeout(int milliseconds);

    // The id of the row the last INSERT on this connection stored, and how many
    // rows the last statement changed.
    qint64 lastInsertId() const;
    int changes() const;

    sqlite3* handle() const;
    const QString& path() const { return path_; }

  private:
    friend class Statement;
    enum class Access { ReadWrite, ReadOnly, Immutable, Create };
    // Opens `path` as asked and reads its schema; false with SQLite's code
    // and message when that fails, the connection then closed.
    // A full disk gives the code SQLITE_FULL, whatever SQLite called it.
    bool tryOpen(const QString& path, Access access, int& code, QString& message);
    // Switches a store that holds the events table to write-ahead logging;
    // false when that fails.
    bool useWriteAheadLog();
    [[noreturn]] void refuseChange() const;
    // Takes back a statement of prepared(), reset for its next use.
    void keep(sqlite3_stmt* stmt) const noexcept;

    sqlite3* db_ = nullptr;
    // The statements that prepared() handed out and got back, and how many
    // times the connection was closed: a statement of an earlier opening is
    // not taken back.
    mutable std::vector<sqlite3_stmt*> kept_;
    quint64 opening_ = 0;
    QString path_;
    QString readOnlyReason_;
    bool diskFull_ = false;
    int busyTimeoutMs_ = 5000;
};

}  // namespace almanis
