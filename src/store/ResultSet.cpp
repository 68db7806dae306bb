#include "store/ResultSet.h"

#include "core/AppError.h"
#include "store/Connection.h"

#include <cmath>
#include <limits>

namespace almanis {

void ResultSet::open(const char* sql, const Connection& db) {
    close();
    statement_ = db.prepared(sql);
    if (!statement_.isPrepared()) {
        throw AppError(QStringLiteral("The query is empty"));
    }
    step();
}

int ResultSet::currentColumn(const char* name) const {
    if (!statement_.isPrepared() || eof_) {
        throw AppError(
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    }
    const int column = statement_.columnIndex(name);
    if (column < 0) {
        throw AppError(
            QStringLiteral("Item cannot be found in the collection: %1").arg(QLatin1String(name)));
    }
    return column;
}

QVariant ResultSet::field(const char* name) const {
    return statement_.value(currentColumn(name));
}

QByteArrayView ResultSet::text(const char* name) const {
    return statement_.text(currentColumn(name));
}

std::optional<int> ResultSet::storedInt(const char* name) const {
    return statement_.storedInt(currentColumn(name));
}

int ResultSet::wholeNumber(const char* name) const {
    const int column = currentColumn(name);
    if (const std::optional<int> n = statement_.storedInt(column)) {
        return *n;
    }
    return almanis::wholeNumber(statement_.value(column));
}

qint64 ResultSet::integer(const char* name) const {
    return statement_.integer(currentColumn(name));
}

void ResultSet::moveNext() {
    if (!statement_.isPrepared() || eof_) {
        throw AppError(
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    }
    step();
}

void ResultSet::close() {
    statement_.finalize();
    eof_ = true;
}

void ResultSet::step() {
    eof_ = true;
    try {
        eof_ = !statement_.step();
    } catch (const AppError&) {
        close();
        throw;
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
