#pragma once

#include "core/EventDate.h"

namespace almanis {

class Clock;
class Connection;
class ListViewModel;
class PollTimer;
class Ui;

// What the due check needs from the main window.
class ReminderHost {
  public:
    virtual ~ReminderHost() = default;
    // The remind check boxes as they are ticked now.
    virtual RemindWindows remindWindows() const = 0;
    virtual bool startingUp() const = 0;
    // Shows the alarm window modally with no owner; returns when it has closed.
    virtual void showAlarm() = 0;
};

// The main window's event list, due check and polling timer.
class ReminderEngine {
  public:
    ReminderEngine(Ui& ui, const Clock& clock, const Connection& eventDb, ListViewModel& list,
                   PollTimer& timer, ReminderHost& host);

    // Rebuilds the list from the store, then runs the refresh-time due check.
    void ListEvents();

    // True when at least one stored event is due today.
    bool HasEventToday();

    // One tick of the polling timer.
    void Timer1_Timer();

    // Stops the timer, shows the alarm window and restarts the timer.
    void openAlarm();

    // The re-check interval in seconds; 0 means no timed re-check.
    int duration = 0;
    // Ticks counted towards duration.
    int TickCounter = 0;

  private:
    Ui& ui_;
    const Clock& clock_;
    const Connection& eventDb_;
    ListViewModel& list_;
    PollTimer& timer_;
    ReminderHost& host_;
};

// The list's month column: the full month name, in the user's language, of the
// stored month (carried like a date, so 13 reads as January).
QString monthColumnText(int month, int year);

}  // namespace almanis
