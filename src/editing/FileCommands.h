#pragma once

#include <QObject>

namespace almanis {

class CommandHost;
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
    Services& services_;
    CommandHost& host_;
};

}  // namespace almanis
