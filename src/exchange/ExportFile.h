#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace almanis {

// The file an export writes: written aside and put in the target's place only
// once it is complete, so on any failure the target is left as it was. The
// text is handed to the file in pieces of about 64 KiB. Every failure throws
// AppError naming the file.
class ExportFile {
  public:
    explicit ExportFile(const QString& path);

    void append(const QByteArray& bytes);
    // Writes what is left and replaces the target.
    void commit();

  private:
    void writePending();

    QSaveFile file_;
    QByteArray pending_;
};

}  // namespace almanis
