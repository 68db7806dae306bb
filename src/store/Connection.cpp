#include "store/Connection.h"

#include "store/Sql.h"
#include "store/SqliteError.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>

namespace almanis {

namespace {
// How long the log's final checkpoint waits for other connections.
constexpr int kCheckpointWaitMs = 200;

// The failures of a read-write open that a read-only open may not have: the
// file or its folder cannot be written, or its disk is full (it may have room
// for nothing that SQLite keeps beside the store). A locked or damaged store is
// none of them.
bool refusesWriting(int code) {
    switch (code & 0xFF) {
        case SQLITE_READONLY:
        case SQLITE_FULL:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return true;
        default:
            return false;
    }
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
}  // namespace

Connection::~Connection() {
    close();
}

bool Connection::tryOpen(const QString& path, Access access, int& code, QString& message) {
    close();
    int flags = SQLITE_OPEN_NOMUTEX;
    QByteArray name = path.toUtf8();
    switch (access) {
        case Access::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Access::Create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE;
            break;
        case Access::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Access::Immutable:
            // Without locks or shared memory: the way to read a store whose folder
            // cannot hold the files that SQLite keeps beside it.
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            name = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())
                       .toString(QUrl::FullyEncoded)
                       .toUtf8() +
                   "?immutable=1";
            break;
    }
    sqlite3* db = nullptr;
    code = sqlite3_open_v2(name.constData(), &db, flags, nullptr);
    if (code != SQLITE_OK) {
        message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
    sqlite3_extended_result_codes(db_, 1);
    // Reading the schema finds a file that is no database, or a store locked
    // by another program, at once.
    const bool ok = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                                 nullptr) == SQLITE_OK &&
                    (access != Access::ReadWrite || useWriteAheadLog());
    if (!ok) {
        code = sqlite3_extended_errcode(db_);
        // The system's own word tells a full disk from other failures to write.
        const int systemError = sqlite3_system_errno(db_);
        if (systemError == ENOSPC || systemError == EDQUOT) {
            code = SQLITE_FULL;
        }
        message = QString::fromUtf8(sqlite3_errmsg(db_));
        close();
        return false;
    }
    return true;
}

bool Connection::useWriteAheadLog() {
    // Write-ahead logging: each statement commits without a full sync of the
    // file, a killed process loses no committed statement, and readers and
    // the writer do not wait for each other. A file that holds no events
    // (another program's database given by --store) is left in its own mode:
    // switching would change it.
    const bool holdsEvents = Statement(*this, QByteArrayView(sql::hasEventTable())).step();
    return !holdsEvents || sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL",
                                        nullptr, nullptr, nullptr) == SQLITE_OK;
}

void Connection::open(const QString& path) {
    close();
    // Remembered even when the open fails, so that a later command can try again.
    path_ = path;
    readOnlyReason_.clear();
    diskFull_ = false;
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw AppError(QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN)), path));
    }
    // SQLite takes an empty file for an empty database and would write a new one
    // over it; an empty working store is damaged, not new.
    if (info.size() == 0) {
        throw AppError(QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(sqlite3_errstr(SQLITE_NOTADB)), info.fileName()));
    }
    int code = SQLITE_OK;
    QString failure;
    bool opened = tryOpen(path, Access::ReadWrite, code, failure);
    // A store that another program switches to write-ahead logging while this
    // one reads its header would wait for a lock the other keeps while it is
    // open; opened again, it finds the new header and needs no such lock.
    if (!opened && (code & 0xFF) == SQLITE_BUSY) {
        opened = tryOpen(path, Access::ReadWrite, code, failure);
    }
    if (opened) {
        // SQLite opens a file it may not write for reading only, without a word.
        if (sqlite3_db_readonly(db_, "main") != 1) {
            return;
        }
        readOnlyReason_ =
            QCoreApplication::translate("almanis::Connection", "the file is read-only");
        return;
    }
    if (code == SQLITE_FULL) {
        failure =
            QCoreApplication::translate("almanis::Connection", "the disk that holds it is full");
    }
    if (!refusesWriting(code)) {
        throw AppError(QStringLiteral("%1 (%2)").arg(failure, path));
    }
    int readCode = SQLITE_OK;
    QString readFailure;
    if (tryOpen(path, Access::ReadOnly, readCode, readFailure) ||
        tryOpen(path, Access::Immutable, readCode, readFailure)) {
        readOnlyReason_ = failure;
        diskFull_ = code == SQLITE_FULL;
        return;
    }
    throw AppError(QStringLiteral("%1 (%2)").arg(failure, path));
}

void Connection::openReadOnly(const QString& path) {
    close();
    path_ = path;
    readOnlyReason_ =
        QCoreApplication::translate("almanis::Connection", "it was opened for reading only");
    if (!QFileInfo(path).isFile()) {
        throw AppError(QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN)), path));
    }
    int code = SQLITE_OK;
    QString failure;
    if (!tryOpen(path, Access::ReadOnly, code, failure)) {
        throw AppError(QStringLiteral("%1 (%2)").arg(failure, path));
    }
}

void Connection::openNew(const QString& path) {
    close();
    path_ = path;
    readOnlyReason_.clear();
    int code = SQLITE_OK;
    QString failure;
    if (!tryOpen(path, Access::Create, code, failure)) {
        throw AppError(QStringLiteral("%1 (%2)").arg(failure, path));
    }
}

void Connection::reopen() {
    if (path_.isEmpty()) {
        throw AppError(QCoreApplication::translate("almanis::Connection",
                                                   "The database connection is not open"));
    }
    open(path_);
}

void Connection::close() {
    for (sqlite3_stmt* stmt : kept_) {
        sqlite3_finalize(stmt);
    }
    kept_.clear();
    ++opening_;
    diskFull_ = false;
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Statement Connection::prepared(const char* sql) const {
    // The few fixed texts are told apart by their words: a handful of short
    // comparisons beside a statement's run.
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (std::strcmp(sqlite3_sql(*it), sql) == 0) {
            sqlite3_stmt* stmt = *it;
            kept_.erase(it);
            return Statement(*this, stmt);
        }
    }
    Statement statement(*this, QByteArrayView(sql));
    statement.home_ = this;
    statement.opening_ = opening_;
    return statement;
}

void Connection::keep(sqlite3_stmt* stmt) const noexcept {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    for (sqlite3_stmt* kept : kept_) {
        if (std::strcmp(sqlite3_sql(kept), sqlite3_sql(stmt)) == 0) {
            sqlite3_finalize(stmt);
            return;
        }
    }
    kept_.push_back(stmt);
}

qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(handle());
}

int Connection::changes() const {
    return sqlite3_changes(handle());
}

void Connection::setBusyTimeout(int milliseconds) {
    busyTimeoutMs_ = milliseconds;
    if (db_) {
        sqlite3_busy_timeout(db_, busyTimeoutMs_);
    }
}

sqlite3* Connection::handle() const {
    if (!db_) {
        throw AppError(QCoreApplication::translate("almanis::Connection",
                                                   "The database connection is not open"));
    }
    return db_;
}

void Connection::refuseChange() const {
    throw AppError(
        QCoreApplication::translate("almanis::Connection",
                                    "The event store %1 cannot be changed: %2. The events can be "
                                    "read, but no change can be saved.")
            .arg(nativePath(path_), readOnlyReason_));
}

int Connection::execute(const QString& sql) {
    return Statement(*this, sql.toUtf8()).run();
}

void Connection::truncateLog() noexcept {
    if (!db_ || readOnly()) {
        return;
    }
    // A reader that still holds an older snapshot (another program, the sqlite3
    // shell) keeps the log; the window must not wait long for it to finish.
    sqlite3_busy_timeout(db_, kCheckpointWaitMs);
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
}

}  // namespace almanis
