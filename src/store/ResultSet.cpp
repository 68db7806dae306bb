#include "store/ResultSet.h"

#include "core/AppError.h"
#include "store/Connection.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace almanis {

namespace {
QString noCurrentRecord() {
    return QCoreApplication::translate("almanis::ResultSet",
                                       "Either BOF or EOF is True, or the current record has "
                                       "been deleted");
}
}  // namespace

void ResultSet::open(const char* sql, const Connection& db) {
    open(db.prepared(sql));
}

void ResultSet::open(Statement statement) {
    close();
    statement_ = std::move(statement);
    if (!statement_.isPrepared()) {
        throw AppError(QCoreApplication::translate("almanis::ResultSet", "The query is empty"));
    }
    step();
}

int ResultSet::currentColumn(const char* name) const {
    if (!statement_.isPrepared() || eof_) {
        throw AppError(noCurrentRecord());
    }
    const int column = statement_.columnIndex(name);
    if (column < 0) {
        throw AppError(QCoreApplication::translate("almanis::ResultSet",
                                                   "Item cannot be found in the collection: %1")
                           .arg(QLatin1String(name)));
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
        throw AppError(noCurrentRecord());
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
            throw AppError(
                QCoreApplication::translate("almanis::ResultSet", "Overflow: %1").arg(n));
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
            throw AppError(
                QCoreApplication::translate("almanis::ResultSet", "Invalid use of Null"));
        default:
            break;
    }
    throw typeMismatch(value.toString());
}

}  // namespace almanis
