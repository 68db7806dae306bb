#pragma once

#include <optional>

class QWidget;

namespace almanis {

class Connection;
class EventListModel;
class PointerRule;
class PollTimer;
class ReminderEngine;

// What the commands on events and files need from the window they serve.
class CommandHost {
  public:
    virtual ~CommandHost() = default;

    // The store that the commands change. A store that could not be opened
    // before (locked by another program, or missing) is opened again first, and
    // the list refilled; when that fails too, throws AppError saying why.
    virtual Connection& store() = 0;
    // Copies the store into today's backup before an import changes it. Throws
    // AppError the first time a backup fails in a run; later failures are not
    // told again.
    virtual void backUpStore() = 0;
    // The listed events and the row the user selected, if any.
    virtual const EventListModel& eventList() const = 0;
    virtual std::optional<int> selectedRow() const = 0;
    // Refills the list after a change.
    virtual void refreshList() = 0;

    // The polling timer and the reminder state, for the test alarm.
    virtual PollTimer& pollTimer() = 0;
    virtual ReminderEngine& reminders() = 0;
    // Shows the alarm as it stands modally, owned by the host's window, and
    // takes the user's answer.
    virtual void showOwnedAlarm() = 0;

    // The host window's pointer, for the hourglass while a file is read or written.
    virtual PointerRule& pointer() = 0;
};

}  // namespace almanis
