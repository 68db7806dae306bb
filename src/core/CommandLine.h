#pragma once

#include <QString>
#include <QStringList>

namespace almanis {

// What the command line asks for, read before the program opens any window:
// either start, or print a text and end with an exit code. Reading it needs no
// display and touches no file.
class CommandLine {
  public:
    // Reads `arguments` (the program's name first). Qt's own options for the
    // windowing system (-platform, -style, -session, ...) are let through.
    static CommandLine parse(const QStringList& arguments);

    // True when the program is to start; otherwise print and end.
    bool startsProgram() const { return starts_; }
    int exitCode() const { return exitCode_; }
    // The texts for standard output and standard error.
    const QString& output() const { return output_; }
    const QString& error() const { return error_; }

  private:
    bool starts_ = true;
    int exitCode_ = 0;
    QString output_;
    QString error_;
};

}  // namespace almanis
