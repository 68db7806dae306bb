#pragma once

#include "core/EventRecord.h"
#include "exchange/EventImport.h"
#include "exchange/FileLineReader.h"

#include <QList>
#include <QString>

class QIODevice;

namespace almanis {

class Connection;

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
// last comma, then the month name and the day, separated by one blank; anything
// after the day is ignored. The description may hold commas; a line whose text
// after the last comma is no date but whose text between its first and second
// comma is one reads as earlier versions read it, the description then ending
// at the first comma ("Wedding,June 3,since 1999"). A line that gives no date an
// event may have, or a description the editor would not take (a control
// character, more than kDescriptionLimit characters), throws AppError saying
// why, without the line itself.
EventLine parseEventLine(const QString& line);

// The line that export writes for one event, without its line end and with
// any control characters as they are.
QString formatEventLine(const EventRecord& event);

// The lines of an event text file. Files written by this program are UTF-8; older
// ones are in the Windows Western code page, and files put together by hand may
// mix the two, so each line that is not valid UTF-8 is read as Windows-1252. A
// byte-order mark at the start of a line is dropped, and a line ends at CR LF,
// at LF alone or at CR alone (FileLineReader). Empty lines are given too, so
// that the numbers count every line of the file.
class EventLineReader {
  public:
    // The longest line an event can be written in: a description of
    // kDescriptionLimit characters, three bytes each in UTF-8, and its date.
    static constexpr qsizetype kLongestLine = 128 * 1024;

    // `device` must be open for reading; `source` names it in error reports
    // ("The file /home/me/events.txt").
    explicit EventLineReader(QIODevice& device, const QString& source = QString());

    // The next line without its line end; false at the end of the file. A
    // line longer than kLongestLine bytes gives only its start (see cut()).
    bool readLine(QString& line);

    // The number of the line last read, counting from 1.
    qint64 lineNumber() const { return lines_.lineNumber(); }
    // Whether the line last read was longer than kLongestLine bytes.
    bool cut() const { return lines_.cut(); }

  private:
    FileLineReader lines_;
    QByteArray bytes_;
};

// How an import error names its line: the number and the line itself, quoted
// and cut to 80 characters, with control characters made visible.
QString quotedLine(const QString& line);

// Reads and checks the whole file: one event per line, in file order, empty
// lines (or lines of blanks only) skipped. When any line cannot be imported,
// throws AppError naming the first such line (its number, the reason and the
// line itself) and how many more there are; a file is taken whole or not at
// all.
QList<EventRecord> readEventFile(const QString& path);

// Reads the whole file, then stores its events (storeEvents): all of them, or
// nothing when a line cannot be read or a row cannot be stored. Returns how
// many events this import stored, and how many the store held already.
ImportCount importEvents(const QString& path, Connection& db);

// Writes one line per event (description, English month name, day), each ended
// by CR LF; a line break or other control character in a description is
// written as a blank, and a month without a name leaves the name out. No events
// write an empty file, so that the file says what the export found. The file
// replaces the target (a new or a regular file: see ExportFile) only once it
// is complete: on any failure the target is left as it was. Returns how many
// events were written.
int exportEvents(const QString& path, const QList<EventRecord>& events);

}  // namespace almanis
