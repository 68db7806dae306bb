#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace almanis {

// The file an export writes: written aside and put in the target's place only
// once it is complete, so on any failure the target is left as it was. The
// target is a new file or a regular file it replaces: a device, a named pipe,
// a folder or a socket in its place is refused, when the export begins and
// again before it takes the target's place, since putting a file there would
// do away with the device or whatever it is. The text is handed to the file
// in pieces of about 64 KiB. Every failure throws AppError naming the file.
class ExportFile {
  public:
    explicit ExportFile(const QString& path);

    void append(const QByteArray& bytes);
    // Writes what is left and replaces the target.
    void commit();

  private:
    void writePending();
    // Throws AppError unless the target is missing or a regular file.
    void refuseAllButRegularFiles() const;

    QSaveFile file_;
    QByteArray pending_;
};

// What an export says when it is done: "12 events exported to <file>.", or,
// for no events, that the file was written with none in it.
QString exportedText(int count, const QString& file);

}  // namespace almanis
