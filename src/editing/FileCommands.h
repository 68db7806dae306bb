#pragma once

#include "core/EventRecord.h"

#include <QList>
#include <QObject>

namespace almanis {

class CommandHost;
class Guard;
struct Services;

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
