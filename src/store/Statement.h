#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <utility>

struct sqlite3_stmt;

namespace almanis {

class Connection;

// One prepared SQL statement: a thin owner of an sqlite3_stmt. Values are bound
// to its parameters (?1, ?2, ...), step() runs it a row at a time, and the
// columns of the current row are read by index or by name. A statement taken
// from Connection::prepared() goes back to that connection when it is
// destroyed, to run again without being parsed again. Every failure throws
// AppError with SQLite's message. A statement must not outlive its connection.
class Statement {
  public:
    Statement() = default;
    // Prepares one statement of `sql` on the open connection. A statement that
    // would change a store opened for reading only throws, naming the file and
    // the reason.
    Statement(const Connection& db, QByteArrayView sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The values of the parameters, counted from 1; kept until clearBindings().
    // An empty optional binds null.
    Statement& bind(int parameter, qint64 value);
    Statement& bind(int parameter, int value) { return bind(parameter, qint64(value)); }
    Statement& bind(int parameter, std::optional<int> value);
    Statement& bind(int parameter, std::optional<qint64> value);
    // The text as UTF-8, whole: a NUL character in it is stored, not cut there.
    Statement& bind(int parameter, const QString& text);
    // The text, or null for an empty optional.
    Statement& bind(int parameter, const std::optional<QString>& text);

    // Runs the statement to its next row: true when a row stands, false when
    // the statement has run to its end.
    bool step();
    // Runs the statement to its end and returns the number of rows it changed.
    int run();
    // Makes the statement ready to run again from the start, the values kept.
    void reset();
    void clearBindings();
    void finalize();
    bool isPrepared() const { return stmt_ != nullptr; }

    // The columns of the current row, counted from 0.
    int columnCount() const;
    // The column with that name (case-insensitive), or -1.
    int columnIndex(const char* name) const;
    // The value: an integer, a real, a text, a blob as bytes, or null.
    QVariant value(int column) const;
    // The value as UTF-8 text, as value() would give it as a string, without a
    // string per row: valid until the next step.
    QByteArrayView text(int column) const;
    // The value when it is stored as an integer that fits an int.
    std::optional<int> storedInt(int column) const;
    // The value as value().toLongLong() reads it.
    qint64 integer(int column) const;

    const QString& path() const { return path_; }

  private:
    friend class Connection;
    // Takes a statement that `home` prepared before; it goes back there.
    Statement(const Connection& home, sqlite3_stmt* stmt);
    [[noreturn]] void fail();

    sqlite3_stmt* stmt_ = nullptr;
    // Where a cached statement goes back to, while that connection stays open
    // as it was when the statement was taken.
    const Connection* home_ = nullptr;
    quint64 opening_ = 0;
    QString path_;
    // Readers ask for the same few literal names on every row: remember where
    // each name pointer was found.
    mutable std::array<std::pair<const char*, int>, 8> lookups_{};
    mutable int lookupCount_ = 0;
    // A value that is not stored as text, converted for text().
    mutable QByteArray converted_;
};

}  // namespace almanis
