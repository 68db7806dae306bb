#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace almanis {

// The lines of a file as bytes, read a block at a time: what every import
// reads its file with. A line ends at LF, at CR LF, or at a CR alone, as
// files from old Macs end them; all three are one line end, also where a
// block ends between the CR and the LF. A line longer than `longest` bytes is
// kept only up to there: the rest of it is read past and dropped, and cut()
// says so. So memory holds one block and at most `longest` bytes of a line,
// whatever the file holds.
class FileLineReader {
  public:
    // `device` must be open for reading; `source` names it in error reports
    // ("The file /home/me/events.txt").
    FileLineReader(QIODevice& device, QString source, qsizetype longest);

    // The next line without its line end; false at the end of the file.
    // Throws AppError when the device fails.
    bool readLine(QByteArray& line);

    // Whether the line last read was longer than `longest` and cut there.
    bool cut() const { return cut_; }
    // How many lines were read so far: the number of the line last read.
    qint64 lineNumber() const { return lines_; }
    const QString& source() const { return source_; }

  private:
    // Makes sure the block holds bytes not taken yet; false at the end.
    bool fill();

    QIODevice& device_;
    QString source_;
    qsizetype longest_;
    QByteArray block_;  // bytes read from the device and not yet taken
    qsizetype taken_ = 0;
    bool afterCr_ = false;  // the line before ended at a CR: an LF next belongs to it
    bool cut_ = false;
    qint64 lines_ = 0;
};

}  // namespace almanis
