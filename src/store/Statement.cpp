#include "store/Statement.h"

#include "store/Connection.h"
#include "store/SqliteError.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <limits>

namespace almanis {

namespace {
bool onlyBlanks(const char* text, const char* end) {
    for (; text < end; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') {
            return false;
        }
    }
    return true;
}
}  // namespace

Statement::Statement(const Connection& db, QByteArrayView sql) : path_(db.path()) {
    sqlite3* handle = db.handle();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(handle, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) !=
        SQLITE_OK) {
        throwSqliteError(QString::fromUtf8(sqlite3_errmsg(handle)), path_);
    }
    // One statement only: whatever follows it would run unseen.
    if (tail && !onlyBlanks(tail, sql.data() + sql.size())) {
        finalize();
        throw AppError(QCoreApplication::translate(
            "almanis::Statement", "Only one SQL statement can be executed at a time"));
    }
    if (stmt_ && db.readOnly() && !sqlite3_stmt_readonly(stmt_)) {
        finalize();
        db.refuseChange();
    }
}

Statement::Statement(const Connection& home, sqlite3_stmt* stmt)
    : stmt_(stmt), home_(&home), opening_(home.opening_), path_(home.path()) {}

Statement::~Statement() {
    finalize();
}

Statement::Statement(Statement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)),
      home_(std::exchange(other.home_, nullptr)),
      opening_(other.opening_),
      path_(std::move(other.path_)),
      lookups_(other.lookups_),
      lookupCount_(std::exchange(other.lookupCount_, 0)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        finalize();
        stmt_ = std::exchange(other.stmt_, nullptr);
        home_ = std::exchange(other.home_, nullptr);
        opening_ = other.opening_;
        path_ = std::move(other.path_);
        lookups_ = other.lookups_;
        lookupCount_ = std::exchange(other.lookupCount_, 0);
    }
    return *this;
}

void Statement::finalize() {
    if (!stmt_) {
        return;
    }
    sqlite3_stmt* stmt = std::exchange(stmt_, nullptr);
    const Connection* home = std::exchange(home_, nullptr);
    lookupCount_ = 0;
    if (home && home->opening_ == opening_ && home->db_) {
        home->keep(stmt);
    } else {
        sqlite3_finalize(stmt);
    }
}

void Statement::fail() {
    const QString message = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    sqlite3_reset(stmt_);
    throwSqliteError(message, path_);
}

Statement& Statement::bind(int parameter, qint64 value) {
    if (sqlite3_bind_int64(stmt_, parameter, value) != SQLITE_OK) {
        fail();
    }
    return *this;
}

Statement& Statement::bind(int parameter, std::optional<int> value) {
    if (value) {
        return bind(parameter, qint64(*value));
    }
    if (sqlite3_bind_null(stmt_, parameter) != SQLITE_OK) {
        fail();
    }
    return *this;
}

Statement& Statement::bind(int parameter, std::optional<qint64> value) {
    if (value) {
        return bind(parameter, *value);
    }
    if (sqlite3_bind_null(stmt_, parameter) != SQLITE_OK) {
        fail();
    }
    return *this;
}

Statement& Statement::bind(int parameter, const std::optional<QString>& text) {
    if (text) {
        return bind(parameter, *text);
    }
    return bind(parameter, std::optional<int>());
}

Statement& Statement::bind(int parameter, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text64(stmt_, parameter, utf8.constData(),
                            static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK) {
        fail();
    }
    return *this;
}

bool Statement::step() {
    if (!stmt_) {
        return false;
    }
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail();
    }
    return false;
}

int Statement::run() {
    if (!stmt_) {
        return 0;
    }
    while (step()) {
    }
    const int changed = sqlite3_changes(sqlite3_db_handle(stmt_));
    sqlite3_reset(stmt_);
    return changed;
}

void Statement::reset() {
    if (stmt_) {
        sqlite3_reset(stmt_);
    }
}

void Statement::clearBindings() {
    if (stmt_) {
        sqlite3_clear_bindings(stmt_);
    }
}

int Statement::columnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

int Statement::columnIndex(const char* name) const {
    for (int i = 0; i < lookupCount_; ++i) {
        if (lookups_[i].first == name) {
            return lookups_[i].second;
        }
    }
    int column = -1;
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        if (qstricmp(sqlite3_column_name(stmt_, i), name) == 0) {
            column = i;
            break;
        }
    }
    if (column >= 0 && lookupCount_ < static_cast<int>(lookups_.size())) {
        lookups_[lookupCount_++] = {name, column};
    }
    return column;
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt_, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, column));
        case SQLITE_TEXT: {
            const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
            return QVariant(QString::fromUtf8(data, sqlite3_column_bytes(stmt_, column)));
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
            return QVariant(QByteArray(data, sqlite3_column_bytes(stmt_, column)));
        }
        default:
            return {};
    }
}

QByteArrayView Statement::text(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_TEXT) {
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                              sqlite3_column_bytes(stmt_, column));
    }
    converted_ = value(column).toString().toUtf8();
    return converted_;
}

std::optional<int> Statement::storedInt(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER) {
        const sqlite3_int64 n = sqlite3_column_int64(stmt_, column);
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) {
            return static_cast<int>(n);
        }
    }
    return std::nullopt;
}

qint64 Statement::integer(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER) {
        return sqlite3_column_int64(stmt_, column);
    }
    return value(column).toLongLong();
}

}  // namespace almanis
