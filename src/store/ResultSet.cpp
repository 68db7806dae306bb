#include "store/ResultSet.h"

#include "store/Connection.h"
#include "store/SqliteError.h"

#include <sqlite3.h>
#include <cmath>
#include <limits>

namespace almanis {

ResultSet::~ResultSet() {
    close();
}

void ResultSet::open(const QString& sql, const Connection& db) {
    close();
    sqlite3* handle = db.handle();
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &stmt,
                           nullptr) != SQLITE_OK) {
        throwSqliteError(QString::fromUtf8(sqlite3_errmsg(handle)), db.path());
    }
    if (!stmt) {
        throw AppError(QStringLiteral("The query is empty"));
    }
    stmt_ = stmt;
    path_ = db.path();
    lookupCount_ = 0;
    const int count = sqlite3_column_count(stmt_);
    columns_.clear();
    columns_.reserve(count);
    for (int i = 0; i < count; ++i) {
        columns_.append(QByteArray(sqlite3_column_name(stmt_, i)));
    }
    step();
}

int ResultSet::currentColumn(const char* name) const {
    if (!stmt_ || eof_) {
        throw AppError(
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    }
    const int column = columnIndex(name);
    if (column < 0) {
        throw AppError(
            QStringLiteral("Item cannot be found in the collection: %1").arg(QLatin1String(name)));
    }
    return column;
}

QVariant ResultSet::field(const char* name) const {
    const int column = currentColumn(name);
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

QByteArrayView ResultSet::text(const char* name) const {
    const int column = currentColumn(name);
    if (sqlite3_column_type(stmt_, column) == SQLITE_TEXT) {
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                              sqlite3_column_bytes(stmt_, column));
    }
    converted_ = field(name).toString().toUtf8();
    return converted_;
}

std::optional<int> ResultSet::storedInt(const char* name) const {
    const int column = currentColumn(name);
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER) {
        const sqlite3_int64 n = sqlite3_column_int64(stmt_, column);
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) {
            return static_cast<int>(n);
        }
    }
    return std::nullopt;
}

int ResultSet::wholeNumber(const char* name) const {
    if (const std::optional<int> n = storedInt(name)) {
        return *n;
    }
    return almanis::wholeNumber(field(name));
}

qint64 ResultSet::integer(const char* name) const {
    const int column = currentColumn(name);
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER) {
        return sqlite3_column_int64(stmt_, column);
    }
    return field(name).toLongLong();
}

int ResultSet::columnIndex(const char* name) const {
    for (int i = 0; i < lookupCount_; ++i) {
        if (lookups_[i].first == name) {
            return lookups_[i].second;
        }
    }
    int column = -1;
    for (int i = 0; i < columns_.size(); ++i) {
        if (qstricmp(columns_[i].constData(), name) == 0) {
            column = i;
            break;
        }
    }
    if (column >= 0 && lookupCount_ < static_cast<int>(lookups_.size())) {
        lookups_[lookupCount_++] = {name, column};
    }
    return column;
}

void ResultSet::moveNext() {
    if (!stmt_ || eof_) {
        throw AppError(
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    }
    step();
}

void ResultSet::close() {
    if (stmt_) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
    eof_ = true;
}

void ResultSet::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        eof_ = false;
        return;
    }
    eof_ = true;
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
        close();
        throwSqliteError(message, path_);
    }
}

int wholeNumber(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::LongLong: {
            const qlonglong n = value.toLongLong();
            if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) {
                return static_cast<int>(n);
            }
            throw AppError(QStringLiteral("Overflow: %1").arg(n));
        }
        case QMetaType::Double: {
            const double d = value.toDouble();
            if (std::isfinite(d) && d == std::floor(d) &&
                std::abs(d) <= std::numeric_limits<int>::max()) {
                return static_cast<int>(d);
            }
            break;
        }
        case QMetaType::QString:
            return wholeNumber(value.toString());
        case QMetaType::UnknownType:
            throw AppError(QStringLiteral("Invalid use of Null"));
        default:
            break;
    }
    throw AppError(
        QStringLiteral("Type mismatch: '%1' is not a whole number").arg(value.toString().left(80)));
}

}  // namespace almanis
