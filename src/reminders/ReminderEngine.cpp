#include "reminders/ReminderEngine.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "core/EventDate.h"
#include "core/Guard.h"
#include "core/WakeTimer.h"
#include "reminders/DueCheck.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/StoredRows.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"
#include "store/StoredEvents.h"
#include "store/SyncState.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

namespace almanis {

ReminderEngine::ReminderEngine(Ui& ui, const Clock& clock, const Connection& store,
                               EventListModel& list, PollTimer& timer, WakeTimer& wakeTimer,
                               SettingsStore& settings, ReminderHost& host)
    : ui_(ui),
      clock_(clock),
      store_(store),
      list_(list),
      timer_(timer),
      wakeTimer_(wakeTimer),
      host_(host),
      remembered_(settings) {
    scheduleRecheck();
}

namespace {
// The row's month and day as an event record, with the year and own remind
// windows `details` hold for it, for the due checks. A row whose date can't be
// built throws AppError, so the check reports it.
EventRecord datedEvent(const ResultSet& rs, QDate today, const QList<ListedDetails>& details) {
    EventRecord event;
    event.month = rs.wholeNumber("EventMonth");
    event.day = rs.wholeNumber("EventDay");
    daysLeft(event.month, event.day, today);
    // Without details the id is not even read.
    if (!details.isEmpty()) {
        event.id = rs.field("id").toLongLong();
        if (const ListedDetails* listed = detailsOf(details, event.id)) {
            event.year = listed->year;
            event.remindDays = listed->remindDays;
        }
    }
    return event;
}

// One fill of the main list: the rows read so far and the row being read.
// Each field is read in its own guarded step, and a field that cannot be
// read fails every step that needs it, so each of them is reported.
class ListFill {
  public:
    // A refill reads about the events the list shows: room for them is made
    // once rather than grown into.
    ListFill(const ResultSet& rs, QDate today, const EventRows& shown) : rs_(rs), count_(today) {
        rows_.reserveLike(shown);
    }

    void nextRow() {
        reading_ = false;
        month_.reset();
        day_.reset();
    }
    void addRow() {
        rows_.append(rs_.integer("id"));
        reading_ = true;
    }
    void description() { current().setLastDescription(rs_.text("Description")); }
    void monthName() {
        if (!count_.hasMonth(month())) {
            throw AppError(QCoreApplication::translate("almanis::ReminderEngine",
                                                       "Invalid procedure call: no month %1")
                               .arg(month()));
        }
    }
    void day() { current().setLastDay(storedDay()); }
    void monthNumber() { current().setLastMonth(month()); }
    void daysLeft() { count_.requireDaysLeft(month(), storedDay()); }
    void details(const QList<ListedDetails>& details) { addDetails(rows_, details); }

    EventRows takeRows() { return std::move(rows_); }

  private:
    // The row being read; a row whose id could not be read was never added.
    EventRows& current() {
        if (!reading_) {
            throw AppError(QCoreApplication::translate("almanis::ReminderEngine",
                                                       "Index out of bounds: list row %1")
                               .arg(-1));
        }
        return rows_;
    }
    // A stored month or day is read at the first step that needs it; a read
    // that failed fails again in the next step that needs it.
    int month() {
        if (!month_) {
            month_ = rs_.wholeNumber("EventMonth");
        }
        return *month_;
    }
    int storedDay() {
        if (!day_) {
            day_ = rs_.wholeNumber("EventDay");
        }
        return *day_;
    }

    const ResultSet& rs_;
    const DayCount count_;
    EventRows rows_;
    bool reading_ = false;
    std::optional<int> month_;
    std::optional<int> day_;
};
}  // namespace

void ReminderEngine::readNotes() {
    notesWanted_ = true;
    Guard g(ui_, where::searchList);
    g.step(100, [&] { list_.setNotes(almanis::readNotes(store_)); });
}

bool ReminderEngine::refreshList(Refill refill) {
    Guard g(ui_, where::listFill);
    // One date for every row: a fill that runs across midnight still shows
    // one day's figures.
    const QDate today = clock_.today();
    bool opened = false;
    // The list keeps showing the last read until this one is over, and then
    // changes only where the events did.
    g.step(100, [] {});
    // The events address books give, which the list marks: read with the
    // rows' details.
    QSet<qint64> addressBookEvents;
    if (std::optional<SoundRead> sound = readSoundRows(store_, today, list_.rows())) {
        opened = true;
        addressBookEvents = std::move(sound->addressBookEvents);
        list_.setToday(today);
        list_.setRows(std::move(sound->rows));
    } else {
        ResultSet rs;
        opened = g.step(102, [&] { rs.open(sql::selectEvents(), store_); });
        ListFill fill(rs, today, list_.rows());
        // Reported once the list shows the rows that could be read.
        std::optional<Guard::Rows> rows;
        rows.emplace(g);
        while (opened && !rs.eof()) {
            rows->next();
            fill.nextRow();
            g.step(104, [&fill] { fill.addRow(); });
            g.step(106, [&fill] { fill.description(); });
            g.step(108, [&fill] { fill.monthName(); });
            g.step(110, [&fill] { fill.day(); });
            g.step(112, [&fill] { fill.monthNumber(); });
            g.step(114, [&fill] { fill.daysLeft(); });
            // A result set that can't be read further would fail the same
            // way on every row: report it once and stop the fill.
            if (!g.step(116, [&rs] { rs.moveNext(); })) {
                break;
            }
        }
        g.step(118, [&] {
            if (rs.state() != 0) {
                rs.close();
            }
        });
        // The years and own remind days, by id, once the rows are read.
        if (opened) {
            g.step(119, [&] {
                fill.details(readListedDetails(store_));
                addressBookEvents = readContactEventIds(store_);
            });
        }
        // The view is told once, when the fill is over and before any alarm opens.
        list_.setToday(today);
        list_.setRows(fill.takeRows());
        rows.reset();
    }
    // Without a readable store the check could only repeat the same report and
    // find nothing.
    if (!opened) {
        return false;
    }
    list_.setAddressBookEvents(std::move(addressBookEvents));
    if (notesWanted_) {
        readNotes();
    }
    // The due check and the catch-up decide from the rows just read: the
    // table is not read and sorted a second time, and a row the fill reported
    // is not reported again. When neither starting up, starting a day nor
    // snoozed, the answer would open nothing, so it is not asked; nor when
    // another program changed the store, which must not cut a snooze short.
    std::optional<Alarm> alarm;
    if (g.test(120,
               [&] {
                   if (refill == Refill::OutsideChange ||
                       (!host_.startingUp() && !startingDay_ && recheckSeconds_ <= 0)) {
                       return false;
                   }
                   const DueCheck check(host_.remindWindows(), today);
                   if (startingDay_) {
                       caughtUp_ = check.missedSince(list_.rows(), lastChecked_);
                       uncheckedBefore_ = check.uncheckedBefore(lastChecked_);
                   }
                   alarm = alarmOf(check.dueToday(list_.rows()));
                   return !alarm->reminders.isEmpty();
               }) &&
        alarm) {
        g.step(122, [&] { openAlarm(*alarm); });
    }
    return true;
}

void ReminderEngine::startDay() {
    Guard g(ui_, where::dayStart);
    const QDate today = clock_.today();
    bool checked = false;
    g.step(100, [&] { days_.watch(today); });
    g.step(102, [&] { lastChecked_ = remembered_.read(today); });
    g.step(104, [&] {
        caughtUp_.clear();
        uncheckedBefore_.reset();
    });
    g.step(106, [&] { startingDay_ = true; });
    g.step(108, [&] { checked = refreshList(); });
    g.step(110, [&] { startingDay_ = false; });
    // Only a check that read the store counts: with an unreadable store the
    // next start still catches up.
    if (g.test(112, [&] { return checked; })) {
        g.step(114, [&] {
            // Settings that cannot be written (the options say so when one
            // changes) only make the next start catch up again: nothing is
            // lost, so nothing is reported at every start.
            try {
                remembered_.write(today);
            } catch (const AppError&) {
            }
        });
    }
    g.step(116, [&] { armWakeTimer(); });
}

void ReminderEngine::wake() {
    // The first check of the run belongs to the first activation; after the
    // window let go of everything, nothing is checked any more.
    if (!days_.watching()) {
        return;
    }
    Guard g(ui_, where::wakeUp);
    if (g.test(100, [&] { return days_.isNewDay(clock_.today()); })) {
        g.step(102, [&] { startDay(); });
    }
    g.step(104, [&] { armWakeTimer(); });
}

void ReminderEngine::armWakeTimer() {
    if (days_.watching()) {
        wakeTimer_.wakeAt(days_.nextWake(clock_.now()));
    }
}

void ReminderEngine::stopWatching() {
    days_.stop();
    wakeTimer_.cancel();
}

QList<Reminder> ReminderEngine::readDue(Guard& g, const DueCheck& check, QDate today,
                                        DueRead steps) {
    QList<Reminder> due;
    ResultSet rs;
    bool reading = g.step(steps.open, [&] { rs.open(sql::selectEvents(), store_); });
    // The years and own remind days, by id; a store that cannot be read at all
    // is reported once, by the step before.
    QList<ListedDetails> details;
    if (reading) {
        g.step(steps.details, [&] { details = readListedDetails(store_); });
    }
    std::optional<Guard::Rows> rows;
    rows.emplace(g);
    while (reading && !rs.eof()) {
        rows->next();
        // A row whose date can't be built is reported and never due.
        const std::optional<EventRecord> event =
            g.value(steps.row, [&] { return datedEvent(rs, today, details); });
        if (std::optional<Reminder> reminder = event ? check.dueToday(*event) : std::nullopt) {
            // Only a due row's description is read.
            g.step(steps.due, [&] {
                reminder->event.description = rs.field("Description").toString();
                due.append(*reminder);
            });
        }
        reading = g.step(steps.next, [&rs] { rs.moveNext(); });
    }
    rows.reset();
    if (reading) {
        g.step(steps.close, [&] {
            if (rs.state() != 0) {
                rs.close();
            }
        });
    }
    return due;
}

QList<Reminder> ReminderEngine::dueToday() {
    Guard g(ui_, where::dueCheck);
    const QDate today = clock_.today();
    RemindWindows windows;
    // Step 100 is retired: it set the answer to nothing due, once a flag.
    g.step(102, [&] { windows = host_.remindWindows(); });
    return readDue(g, DueCheck(windows, today), today, {104, 105, 106, 110, 112, 114});
}

Alarm ReminderEngine::currentAlarm() {
    Guard g(ui_, where::alarmList);
    const QDate today = clock_.today();
    const DueCheck check(host_.remindWindows(), today);
    // The numbers of the window's list procedure, which read the store itself;
    // its steps 100 (emptying the window's list) and 110 (ending a test, now
    // done by alarmOf) are retired.
    return alarmOf(readDue(g, check, today, {102, 103, 104, 108, 112, 114}));
}

Alarm ReminderEngine::alarmOf(QList<Reminder> dueToday) {
    // What was caught up is as real as what is due today.
    dueToday += caughtUp_;
    if (!dueToday.isEmpty()) {
        testingAlarm_ = false;
    }
    return Alarm{std::move(dueToday), testingAlarm_, recheckSeconds_, uncheckedBefore_};
}

void ReminderEngine::takeAnswer(const AlarmAnswer& answer) {
    if (answer.recheckSeconds) {
        setRecheckSeconds(*answer.recheckSeconds);
    }
}

void ReminderEngine::pollTick(int ticks) {
    // Ticks while no re-check is set count for nothing (step 100).
    if (recheckSeconds_ <= 0) {
        return;
    }
    Guard g(ui_, where::pollTick);
    g.step(102, [&] { ticksCounted_ += ticks; });
    // At or past the interval: a snooze chosen shorter than the count already
    // reached (the alarm having opened from a list refill or the test command
    // meanwhile) checks at once instead of never again.
    if (g.test(104, [&] { return ticksCounted_ >= recheckSeconds_; })) {
        std::optional<Alarm> alarm;
        if (g.test(106,
                   [&] {
                       alarm = alarmOf(dueToday());
                       return !alarm->reminders.isEmpty();
                   }) &&
            alarm) {
            g.step(108, [&] { openAlarm(*alarm); });
        }
        g.step(110, [&] { ticksCounted_ = 0; });
    }
    g.step(112, [&] {
        scheduleRecheck();
        host_.snoozeChanged();
    });
}

void ReminderEngine::openAlarm(const Alarm& alarm) {
    timer_.setInterval(0);
    timer_.setEnabled(false);
    // However the window ends, the polling timer runs again afterwards, or a
    // snooze would go silently dead.
    struct Restart {
        PollTimer& timer;
        ~Restart() {
            timer.setInterval(1000);
            timer.setEnabled(true);
        }
    } restart{timer_};
    takeAnswer(host_.showAlarm(alarm));
}

void ReminderEngine::setRecheckSeconds(int seconds) {
    recheckSeconds_ = seconds;
    scheduleRecheck();
    host_.snoozeChanged();
}

int ReminderEngine::ticksCounted() const {
    return ticksCounted_ + (recheckSeconds_ > 0 ? timer_.passedTicks() : 0);
}

void ReminderEngine::setTicksCounted(int ticks) {
    timer_.takePassedTicks();
    ticksCounted_ = ticks;
    scheduleRecheck();
    host_.snoozeChanged();
}

void ReminderEngine::scheduleRecheck() {
    // The ticks the timer slept through count as the ones it would have
    // ticked; it wakes once, at the tick that reaches the interval.
    const int passed = timer_.takePassedTicks();
    if (recheckSeconds_ <= 0) {
        timer_.wakeAfter(0);
        return;
    }
    ticksCounted_ += passed;
    timer_.wakeAfter(std::max(1, recheckSeconds_ - ticksCounted_));
}

}  // namespace almanis
