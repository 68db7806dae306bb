#pragma once

#include "core/EventRecord.h"
#include "exchange/EventFiles.h"

#include <QList>
#include <QObject>

namespace almanis {

class CommandHost;
class EventListModel;
class Guard;
struct Services;

// The events the list shows, in its order, as the export writes them: what the
// list shows, not what the store holds by now. Throws AppError for a row whose
// month is no number from 0 to 255 or whose day could not be read, since no
// import would take the line it gives.
QList<EventRecord> listedEventsToExport(const EventListModel& list);

// Where and how an export writes, from the name the save dialog gave and the
// filter chosen there: a suffix that names a format (.txt, .ics) chooses it,
// otherwise the filter does; a name without a suffix gets the format's.
struct ExportTarget {
    QString fileName;
    EventFileFormat format = EventFileFormat::Text;
};
ExportTarget exportTarget(const QString& fileName, int filter);

// The main window's commands on event files: import, export and the note on
// the file's format.
class FileCommands final : public QObject {
    Q_OBJECT
  public:
    FileCommands(Services& services, CommandHost& host, QObject* parent = nullptr);

    void importEvents();
    void exportEvents();
    void showFileFormatNote();

  private:
    // What every import does with the file it has read and checked: stores
    // its events, refills the list and tells how many came in and what the
    // file held besides (or only what failed). Steps 107 to 112 of `g`.
    void finishImport(Guard& g, const EventFileRead& read);

    Services& services_;
    CommandHost& host_;
};

}  // namespace almanis
