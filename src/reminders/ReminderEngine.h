#pragma once

#include "core/RemindWindows.h"
#include "reminders/Alarm.h"
#include "reminders/DayWatch.h"
#include "reminders/RememberedDay.h"
#include "reminders/Reminder.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace almanis {

class Clock;
class Connection;
class DueCheck;
class EventListModel;
class Guard;
class PollTimer;
class SettingsStore;
class Ui;
class WakeTimer;

// What the due check needs from the main window.
class ReminderHost {
  public:
    virtual ~ReminderHost() = default;
    // The remind check boxes as they are ticked now.
    virtual RemindWindows remindWindows() const = 0;
    virtual bool startingUp() const = 0;
    // Shows the alarm of a due check modally with no owner, and tells it to
    // the desktop; returns the user's answer once the window has closed.
    virtual AlarmAnswer showAlarm(const Alarm& alarm) = 0;
    // The timed re-check was set, moved or switched off.
    virtual void snoozeChanged() {}
};

// The main window's event list, due check and timers: the polling timer,
// which sleeps until a re-check is due, and the wake timer for the next day.
class ReminderEngine {
  public:
    ReminderEngine(Ui& ui, const Clock& clock, const Connection& store, EventListModel& list,
                   PollTimer& timer, WakeTimer& wakeTimer, SettingsStore& settings,
                   ReminderHost& host);

    // Why the list is refilled: the program's own change (its commands, the
    // editor's save) or another program's, seen by the store watcher.
    enum class Refill { OwnChange, OutsideChange };

    // Refills the list from the store, then runs the refresh-time due check:
    // starting up, starting a day or snoozed, anything due opens the alarm;
    // a refill for another program's change leaves a snooze to its timer.
    // False when the store could not be read, so that no check ran.
    bool refreshList(Refill refill = Refill::OwnChange);

    // Reads the notes of the events for the search, and from now on again at
    // every refill; until then the list does without them.
    void readNotes();

    // The check at the start of a day, at start-up and whenever the clock
    // shows another day: refills the list, catches up the reminders missed
    // since the remembered day, opens the alarm as at start-up when anything is
    // due, remembers the day and sets the wake timer for the next one.
    void startDay();

    // A wake-up of the wake timer: a new day starts the day; any wake-up sets
    // the timer again, so a change of time zone moves it to the new midnight.
    void wake();
    // Sets the wake timer for the start of the day after the one checked; when
    // that has passed already, it wakes at once. Nothing before the first check.
    void armWakeTimer();
    // No more wake-ups, until the next start of a day.
    void stopWatching();

    // The due check: reads the store once and gives every reminder due today,
    // in the store's calendar order. An unreadable row is reported once and is
    // never due; an unreadable store is reported once and nothing is due.
    QList<Reminder> dueToday();

    // The polling timer's wake-up, `ticks` ticks after the last: the
    // re-check once they reach the interval.
    void pollTick(int ticks = 1);

    // Stops the timer, shows the alarm, restarts the timer and takes the
    // user's answer.
    void openAlarm(const Alarm& alarm);
    // The alarm as it stands, which the test command opens: reads the store
    // once for the reminders due today (reporting as the alarm window's list
    // does), then adds those caught up this day.
    Alarm currentAlarm();
    // The re-check interval that the answer sets, if it sets one.
    void takeAnswer(const AlarmAnswer& answer);

    // The reminders caught up at this day's start; they are listed with every
    // alarm of the day.
    const QList<Reminder>& caughtUp() const { return caughtUp_; }

    // The re-check interval in seconds that the alarm window's answer sets;
    // 0 means no timed re-check, and the polling timer stands still.
    int recheckSeconds() const { return recheckSeconds_; }
    void setRecheckSeconds(int seconds);
    // Ticks counted towards the re-check, those the timer slept through too.
    int ticksCounted() const;
    void setTicksCounted(int ticks);

    // Set while the test command shows the alarm. Listing a real due event
    // clears it, so such a test behaves like a real alarm.
    bool testingAlarm() const { return testingAlarm_; }
    void setTestingAlarm(bool testing) { testingAlarm_ = testing; }

  private:
    // The step numbers of one guarded read of what is due today: the due
    // check and the alarm's list read alike, each with its own numbers.
    struct DueRead {
        int open;
        int details;
        int row;
        int due;
        int next;
        int close;
    };
    QList<Reminder> readDue(Guard& g, const DueCheck& check, QDate today, DueRead steps);
    // The alarm of the reminders found due today and of those caught up;
    // listing any of them makes a test alarm a real one.
    Alarm alarmOf(QList<Reminder> dueToday);
    // Sets the polling timer to wake when the count reaches the interval.
    void scheduleRecheck();

    Ui& ui_;
    const Clock& clock_;
    const Connection& store_;
    EventListModel& list_;
    PollTimer& timer_;
    WakeTimer& wakeTimer_;
    ReminderHost& host_;
    RememberedDay remembered_;
    DayWatch days_;
    std::optional<QDate> lastChecked_;
    QList<Reminder> caughtUp_;
    std::optional<QDate> uncheckedBefore_;
    bool startingDay_ = false;
    int recheckSeconds_ = 0;
    int ticksCounted_ = 0;
    bool testingAlarm_ = false;
    bool notesWanted_ = false;
};

}  // namespace almanis
