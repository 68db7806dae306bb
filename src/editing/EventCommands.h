#pragma once

#include <QObject>
#include <QString>

namespace almanis {

class CommandHost;
struct Services;

// The main window's commands on events: add, edit, delete, the sample event,
// the test alarm and the two help notes.
class EventCommands final : public QObject {
    Q_OBJECT
  public:
    EventCommands(Services& services, CommandHost& host, QObject* parent = nullptr);

    void addEvent();
    void editSelectedEvent();
    void deleteSelectedEvent();
    void addSampleEvent();
    void testAlarm();
    void showHelp();
    void showTestAlarmNote();

    // What Help says: how the window is used, then where to ask questions,
    // `contactPage`; a build that names no contact page leaves that out.
    static QString helpText(const QString& contactPage);

  private:
    Services& services_;
    CommandHost& host_;
};

}  // namespace almanis
