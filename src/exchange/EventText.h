#pragma once

#include "core/EventRecord.h"

#include <QList>
#include <QString>
#include <QStringDecoder>
#include <functional>

class QIODevice;

namespace almanis {

class Connection;
class EventListModel;

// English month names of the event text file. The name is compared whole, in
// any letter case, without trimming; 0 when it is none of the twelve.
int monthNumberFromName(const QString& name);
// The name with an initial capital for 1 to 12, empty text otherwise.
QString monthNameFromNumber(int number);

// One event as a line of the file gives it.
struct EventLine {
    QString description;
    int month = 0;
    int day = 0;
};

// Reads one line of the file ("New Year,January 1"): the description before the
// first comma, then the month name and the day, separated by one blank, up to a
// second comma; anything after the day is ignored. A line that gives no date an
// event may have throws AppError saying why, without the line itself.
EventLine parseEventLine(const QString& line);

// The line that export writes for one list row, without its line end.
QString formatEventLine(const QString& description, const QString& monthName, const QString& day);

// The lines of an event text file. Files written by this program are UTF-8; older
// ones are in the Windows Western code page, so a file that is not valid UTF-8 is
// read as Windows-1252. A leading byte-order mark is dropped, and a line ends at
// CR LF or at LF alone.
class EventLineReader {
  public:
    // `device` must be open for reading and seekable: it is looked through once to
    // choose the encoding, then read from the start.
    explicit EventLineReader(QIODevice& device);

    // The next line without its line end; false at the end of the file.
    bool readLine(QString& line);

    // The number of the line last read, counting from 1.
    int lineNumber() const { return lineNumber_; }
    bool isUtf8() const { return utf8_; }

  private:
    QIODevice& device_;
    QStringDecoder windows1252_{"windows-1252", QStringDecoder::Flag::Stateless};
    bool utf8_ = true;
    int lineNumber_ = 0;
};

// How an import error names its line: the number and the line itself, quoted
// and cut to 80 characters, with control characters made visible.
QString quotedLine(const QString& line);

// Stores one event for each line of the file, in file order, each committed on
// its own. Stops at the first line that cannot be read or stored, throwing
// AppError that names the line; the lines before it stay stored.
void importEvents(const QString& path, Connection& db);

// Writes one line per list row (description, month name, day), each ended by
// CR LF. `beforeEachRow` runs before every row; the main window lets pending
// events run there. An empty list writes nothing. The file replaces the target
// only once it is complete: on any failure the target is left as it was.
void exportEvents(const QString& path, const EventListModel& list,
                  const std::function<void()>& beforeEachRow);

// The same for events as the store holds them.
void exportEvents(const QString& path, const QList<EventRecord>& events);

}  // namespace almanis
