#pragma once

#include "reminders/RemindWindows.h"

namespace almanis {

class Clock;
class Connection;
class EventListModel;
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
    ReminderEngine(Ui& ui, const Clock& clock, const Connection& store, EventListModel& list,
                   PollTimer& timer, ReminderHost& host);

    // Refills the list from the store, then runs the refresh-time due check.
    void refreshList();

    // True when at least one stored event is due today.
    bool hasDueEvent();

    // One tick of the polling timer.
    void pollTick();

    // Stops the timer, shows the alarm window and restarts the timer.
    void openAlarm();

    // The re-check interval in seconds that the alarm window's answer sets;
    // 0 means no timed re-check, and the polling timer stands still.
    int recheckSeconds() const { return recheckSeconds_; }
    void setRecheckSeconds(int seconds);
    // Ticks counted towards the re-check.
    int ticksCounted() const { return ticksCounted_; }
    void setTicksCounted(int ticks) { ticksCounted_ = ticks; }

    // Set while the test command shows the alarm. Listing a real due event
    // clears it, so such a test behaves like a real alarm.
    bool testingAlarm() const { return testingAlarm_; }
    void setTestingAlarm(bool testing) { testingAlarm_ = testing; }

  private:
    Ui& ui_;
    const Clock& clock_;
    const Connection& store_;
    EventListModel& list_;
    PollTimer& timer_;
    ReminderHost& host_;
    int recheckSeconds_ = 0;
    int ticksCounted_ = 0;
    bool testingAlarm_ = false;
};

}  // namespace almanis
