#pragma once

#include "exchange/FileLineReader.h"

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

namespace almanis {

// Reads the content lines of an iCalendar or vCard file. A file line ends at
// CR LF, at LF alone or at CR alone (FileLineReader); a file line that starts
// with a blank or a tab continues the line before it (its writer folded a long
// line there), so the two are joined without that blank. Joining happens on
// bytes, before any decoding, since a writer may fold in the middle of a UTF-8
// sequence. A leading byte-order mark is dropped.
//
// The device is read once, a block at a time, so memory holds one block, one
// content line and the file line after it, whatever the size of the file; the
// buffers are reused from line to line (see readLine). A content line longer
// than kLongestContentLine bytes (a photo, say) is kept only up to there, and
// cut() says so: no property the imports read is nearly as long.
class ContentLineReader {
  public:
    static constexpr qsizetype kLongestContentLine = 1024 * 1024;

    // `device` must be open for reading; `source` names it in error reports
    // ("The file /home/me/contacts.vcf").
    ContentLineReader(QIODevice& device, const QString& source);

    // The next content line without its line end; false at the end of the file.
    // Throws AppError when the device fails.
    bool readLine(QByteArray& line);

    // The file line on which the content line last read begins, counting from 1.
    qint64 lineNumber() const { return lineNumber_; }
    // Whether the content line last read was longer than kLongestContentLine.
    bool cut() const { return cut_; }

  private:
    FileLineReader lines_;
    QByteArray next_;  // the file line after the content line, read to see whether it continues it
    bool hasNext_ = false;
    bool nextCut_ = false;
    bool cut_ = false;
    qint64 lineNumber_ = 0;
};

// How error reports name the file at `path`: "The file /home/me/contacts.vcf".
QString fileSource(const QString& path);

// Opens a file to import for reading. Throws AppError naming the file when it
// does not exist, is not a regular file or cannot be opened.
void openFileToImport(QFile& file);

}  // namespace almanis
