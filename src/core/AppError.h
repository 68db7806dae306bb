#pragma once

#include <QString>
#include <stdexcept>

namespace almanis {

// A run-time failure that a guarded procedure reports to the user. The
// description is the first line of the error report, so it must read well on
// its own ("file is not a database", "Type mismatch: 'abc' is not a whole number").
class AppError : public std::runtime_error {
  public:
    explicit AppError(const QString& description);
    const QString& description() const { return description_; }

  private:
    QString description_;
};

// Reads a text as a whole number the way the program's stored values are read:
// optional blanks around optional sign and digits, nothing else. Throws AppError
// ("Type mismatch") for anything else, including an empty text.
int wholeNumber(const QString& text);

// The "Type mismatch" failure for a value that is no whole number, shown by
// its first 80 characters.
AppError typeMismatch(const QString& value);

}  // namespace almanis
