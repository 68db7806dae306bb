#pragma once

#include "StoreFixture.h"

#include "core/AppError.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <functional>

namespace almanis::test {

// The remind windows named by their days before the event, e.g. "0 3 7".
inline RemindWindows remindWindowsFrom(const QString& on) {
    const QStringList days = on.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    RemindWindows w;
    w.onTheDay = days.contains(QStringLiteral("0"));
    w.threeDaysBefore = days.contains(QStringLiteral("3"));
    w.sevenDaysBefore = days.contains(QStringLiteral("7"));
    w.fourteenDaysBefore = days.contains(QStringLiteral("14"));
    w.thirtyDaysBefore = days.contains(QStringLiteral("30"));
    return w;
}

// The main window's side of the due check, played by the test: it records
// the lines of every alarm and gives the answer set for it.
class FakeHost final : public ReminderHost {
  public:
    RemindWindows remindWindows() const override { return windows; }
    bool startingUp() const override { return starting; }
    AlarmAnswer showAlarm(const Alarm& alarm) override {
        ++shown;
        alarms.append(alarm.lines());
        timerRunningWhileShown = timerRunning ? timerRunning() : false;
        if (onShow) {
            onShow();
        }
        if (failure) {
            throw AppError(*failure);
        }
        return answer;
    }

    RemindWindows windows{true, false, false, false, false};
    bool starting = false;
    int shown = 0;
    QList<QStringList> alarms;
    AlarmAnswer answer;
    // When set, showing fails for this reason.
    std::optional<QString> failure;
    bool timerRunningWhileShown = false;
    std::function<bool()> timerRunning;
    // Runs while the alarm is shown.
    std::function<void()> onShow;
};

// An engine over a fresh store.
struct EngineFixture : StoreFixture {
    explicit EngineFixture(QDate today = QDate(2026, 6, 15)) : StoreFixture(today) {
        host.timerRunning = [this] { return timer.running(); };
        // As the main window's load sets it.
        timer.setInterval(1000);
        QObject::connect(&timer, &PollTimer::ticked, &timer,
                         [this](int ticks) { engine.pollTick(ticks); });
    }

    // `count` seconds pass on the polling timer, which wakes the engine when due.
    void ticks(int count) { timer.pass(count); }

    EventListModel list;
    FakePollTimer& timer = env.pollTimer;
    FakeHost host;
    ReminderEngine engine{env.ui, env.clock, db, list, timer, env.wakeTimer, env.settings, host};
};

}  // namespace almanis::test
