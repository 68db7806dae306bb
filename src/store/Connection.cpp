#include "store/Connection.h"

#include "store/SqliteError.h"

#include <sqlite3.h>
#include <QFileInfo>

namespace almanis {

namespace {
// How long a statement waits for another copy of the program to finish writing.
constexpr int kBusyTimeoutMs = 5000;
// Pages of write-ahead log between checkpoints: SQLite's usual, and during bulk
// writes (about 32 MB).
constexpr int kAutoCheckpointPages = 1000;
constexpr int kBulkAutoCheckpointPages = 8192;

bool onlyBlanks(const char* text, const char* end) {
    for (; text < end; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') {
            return false;
        }
    }
    return true;
}
}  // namespace

Connection::~Connection() {
    close();
}

void Connection::open(const QString& path) {
    close();
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw AppError(QStringLiteral("unable to open database file (%1)").arg(path));
    }
    // SQLite takes an empty file for an empty database and would write a new one
    // over it; an empty working store is damaged, not new.
    if (info.size() == 0) {
        throw AppError(QStringLiteral("file is not a database (%1)").arg(info.fileName()));
    }
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    const int rc = sqlite3_open_v2(name.constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw AppError(QStringLiteral("%1 (%2)").arg(message, path));
    }
    db_ = db;
    path_ = path;
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    try {
        // Write-ahead logging: each statement commits without a full sync of the
        // file, and a killed process loses no committed statement.
        execute(QStringLiteral("PRAGMA journal_mode=WAL"));
        execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } catch (...) {
        close();
        throw;
    }
}

void Connection::close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(handle());
}

int Connection::changes() const {
    return sqlite3_changes(handle());
}

sqlite3* Connection::handle() const {
    if (!db_) {
        throw AppError(QStringLiteral("The database connection is not open"));
    }
    return db_;
}

void Connection::execute(const QString& sql) {
    sqlite3* db = handle();
    const QByteArray text = sql.toUtf8();
    const char* end = text.constData() + text.size();
    const char* tail = nullptr;
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()) + 1, &stmt, &tail);
    if (rc != SQLITE_OK) {
        throwSqliteError(QString::fromUtf8(sqlite3_errmsg(db)), path_);
    }
    // One statement only: whatever follows it would run unseen.
    if (tail && !onlyBlanks(tail, end)) {
        sqlite3_finalize(stmt);
        throw AppError(QStringLiteral("Only one SQL statement can be executed at a time"));
    }
    if (!stmt) {
        return;
    }
    do {
        rc = sqlite3_step(stmt);
    } while (rc == SQLITE_ROW);
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(stmt);
        throwSqliteError(message, path_);
    }
    sqlite3_finalize(stmt);
}

Connection::BulkWrites::BulkWrites(Connection& db) : db_(db) {
    // The log's index must be in shared memory before the locks are kept: set
    // up while they are, it would stay private to this connection, and the
    // store locked to everyone else, until the connection closes.
    db_.execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    db_.execute(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
    db_.execute(QStringLiteral("PRAGMA wal_autocheckpoint=%1").arg(kBulkAutoCheckpointPages));
}

Connection::BulkWrites::~BulkWrites() {
    if (!db_.db_) {
        return;
    }
    // Nothing here may throw: a checkpoint that cannot run now is left to a
    // later commit. The locks go at the end of the next read.
    sqlite3_exec(db_.db_, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_exec(db_.db_,
                 QStringLiteral("PRAGMA wal_autocheckpoint=%1")
                     .arg(kAutoCheckpointPages)
                     .toUtf8()
                     .constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db_.db_, "PRAGMA locking_mode=NORMAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_.db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

}  // namespace almanis
