#pragma once

#include "store/Statement.h"

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <optional>

namespace almanis {

class Connection;

// A read-only result set over a Statement, walked forward from its first row.
// Columns are read by name. Every failure throws AppError with SQLite's message.
class ResultSet {
  public:
    // Runs the fixed query `sql` (one of store/Sql's, parsed once per
    // connection) on the connection and stands on the first row.
    void open(const char* sql, const Connection& db);
    // Runs a statement whose values are bound already and stands on its
    // first row.
    void open(Statement statement);

    bool eof() const { return eof_; }

    // The value of the named column in the current row (case-insensitive name):
    // an integer, a real, a text, or null.
    QVariant field(const char* name) const;
    // The named column as UTF-8 text, as field() would give it as a string,
    // without a string per row: valid until the next move.
    QByteArrayView text(const char* name) const;
    // The named column as wholeNumber(field(name)) and field(name).toLongLong()
    // read it, without a QVariant for the stored integers every row holds.
    int wholeNumber(const char* name) const;
    // The named column when it is stored as an integer that fits an int.
    std::optional<int> storedInt(const char* name) const;
    qint64 integer(const char* name) const;

    void moveNext();

    int state() const { return statement_.isPrepared() ? 1 : 0; }
    void close();

  private:
    void step();
    // The column of the current row by name; throws when there is none.
    int currentColumn(const char* name) const;

    Statement statement_;
    bool eof_ = true;
};

// Reads a stored value as a whole number: integers, reals without a fraction
// and texts of digits. Anything else (null included) throws AppError.
int wholeNumber(const QVariant& value);

}  // namespace almanis
