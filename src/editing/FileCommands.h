#pragma once

#include "core/EventRecord.h"

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
    // What every import does with the events it has read and checked: backs the
    // store up, stores them, refills the list and tells how many came in (or
    // only what failed). Steps 108 to 116 of `g`.
    void storeImported(Guard& g, const QList<EventRecord>& events);

    Services& services_;
    CommandHost& host_;
};

}  // namespace almanis
