#pragma once

#include "TestEnvironment.h"

#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <functional>

namespace almanis::test {

// The main window's side of the due check, played by the test.
class FakeHost final : public ReminderHost {
  public:
    RemindWindows remindWindows() const override { return windows; }
    bool startingUp() const override { return starting; }
    void showAlarm() override {
        ++shown;
        timerRunningWhileShown = timerRunning ? timerRunning() : false;
        if (onShow) {
            onShow();
        }
    }

    RemindWindows windows{true, false, false, false, false};
    bool starting = false;
    int shown = 0;
    bool timerRunningWhileShown = false;
    std::function<bool()> timerRunning;
    std::function<void()> onShow;
};

// An engine over a fresh store, with the main list's six columns.
struct EngineFixture {
    explicit EngineFixture(QDate today = QDate(2026, 6, 15)) : env(today) {
        db.open(env.createStore());
        host.timerRunning = [this] { return timer.running(); };
    }

    void add(const QString& description, int month, int day) {
        db.execute(sql::insertEvent(description, month, day));
    }

    TestEnvironment env;
    Connection db;
    EventListModel list;
    PollTimer timer;
    FakeHost host;
    ReminderEngine engine{env.ui, env.clock, db, list, timer, host};
};

}  // namespace almanis::test
