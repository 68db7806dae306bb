#pragma once

#include <QString>

namespace almanis {

// The folder whose desktop entries a session starts at log-on (the
// "autostart" folder of the user's configuration folder). An entry named N is
// the file N.desktop that starts the command it holds.
class AutostartFolder {
  public:
    // What became of a write or a removal.
    struct Result {
        bool ok = true;
        QString reason;  // for the user, when not ok
    };

    explicit AutostartFolder(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Writes the entry `name` that starts `command` (a program's full path),
    // creating the folder when missing.
    Result writeEntry(const QString& name, const QString& command) const;

    // Removes the entry `name`; an entry or a folder that does not exist is
    // nothing to remove.
    Result removeEntry(const QString& name) const;

  private:
    QString entryPath(const QString& name) const;

    QString path_;
};

// The desktop entry that starts `command` (a program's full path) at log-on.
// Its TryExec names the program too, so that a session skips the entry once
// the program has been removed.
QByteArray logonEntry(const QString& command);

// A text as a desktop entry's string value: backslash, line breaks, tabs and
// a leading blank escaped.
QString stringValue(const QString& text);

// A path as one argument of a desktop entry's Exec line: quoted, with the
// quoting, field-code and string escapes of the Desktop Entry rules, so that
// the session parses the line back into exactly that path.
QString execArgument(const QString& path);

// The Exec line that starts the program at `path`.
QString execLine(const QString& path);

}  // namespace almanis
