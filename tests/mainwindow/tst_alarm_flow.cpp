#include "Checks.h"
#include "ProgramFixture.h"

#include "alarm/AlarmWindow.h"
#include "mainwindow/MainWindow.h"
#include "store/Sql.h"

#include <sqlite3.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using namespace almanis;

namespace {
// The user's answers in the alarm window.
enum class Answer { Later1h, Later2h, Never, CloseBox };

// The whole program over a store holding the given events, loaded and
// activated as at start-up.
struct Program : test::ProgramFixture {
    explicit Program(QDate today) : ProgramFixture(today) { useBlankStore(); }

    // Queues the answer to the next alarm window and records what it listed.
    void answer(Answer a) {
        env.ui.modalScripts.push_back([this, a](QDialog& dialog) {
            auto& alarm = dynamic_cast<AlarmWindow&>(dialog);
            listed.append(alarm.lines());
            timerRunningWhileShown = timerRunningWhileShown || window->timer().running();
            switch (a) {
                case Answer::Later1h:
                    test::find<QComboBox>(alarm, "Combo1")->setCurrentIndex(0);
                    test::button(alarm, "PushButton1")->click();
                    break;
                case Answer::Later2h:
                    test::find<QComboBox>(alarm, "Combo1")->setCurrentIndex(1);
                    test::button(alarm, "PushButton1")->click();
                    break;
                case Answer::Never:
                    test::button(alarm, "PushButton2")->click();
                    break;
                case Answer::CloseBox:
                    alarm.close();
                    break;
            }
        });
    }

    int alarms() const { return static_cast<int>(env.ui.modals.size()); }

    QList<QStringList> listed;
    bool timerRunningWhileShown = false;
};

// Counts the statements that read the events on a connection, row by row.
class EventReads {
  public:
    explicit EventReads(const Connection& db) : db_(db) {
        sqlite3_trace_v2(db_.handle(), SQLITE_TRACE_STMT, &EventReads::seen, this);
    }
    ~EventReads() { sqlite3_trace_v2(db_.handle(), 0, nullptr, nullptr); }
    EventReads(const EventReads&) = delete;
    EventReads& operator=(const EventReads&) = delete;
    int count() const { return count_; }

  private:
    static int seen(unsigned, void* self, void*, void* sql) {
        if (QByteArray(static_cast<const char*>(sql)).startsWith("select * from tblEvent")) {
            ++static_cast<EventReads*>(self)->count_;
        }
        return 0;
    }
    const Connection& db_;
    int count_ = 0;
};
}  // namespace

class AlarmFlowTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void startUpOpensTheAlarmOnceAlthoughOff() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.answer(Answer::CloseBox);
        p.start();
        QCOMPARE(p.alarms(), 1);
        QCOMPARE(p.env.ui.modals[0].title, QStringLiteral("Event Alert!"));
        QCOMPARE(p.env.ui.modals[0].owner, nullptr);
        QCOMPARE(p.listed[0], QStringList{"Anniversary is today."});
        QVERIFY(!p.timerRunningWhileShown);
        // Back after the alarm, but with no re-check to tick for.
        QVERIFY(p.window->timer().enabled());
        QVERIFY(!p.window->timer().running());
        QCOMPARE(p.window->events().text(0, EventListModel::DaysLeftColumn),
                 QStringLiteral("Today"));
        QCOMPARE(p.env.sound.played.size(), 1);

        // Becoming active again (the alarm having closed) is no second start.
        p.window->handleActivation();
        QCOMPARE(p.alarms(), 1);
        // The close box left the reminder off: no timed checks, no reopening.
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 0);
        p.ticks(50000);
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 1);
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    // Each check reads the store once and decides once: the alarm window and
    // the notification show what it found, and a row it could not read is
    // told once, with the location of the check that read it.
    void eachCheckReadsTheStoreOnceAndTellsABadRowOnce_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<bool>("badRow");
        QTest::addColumn<QString>("location");
        const QList<std::pair<const char*, const char*>> checks{
            {"start-up", "Form1.ListEvents at line 108"},
            {"refill while snoozed", "Form1.ListEvents at line 108"},
            {"timed check", "Form1.HasEventToday at line 106"},
            {"test alarm", "Form3.ListTodayEvent at line 104"}};
        for (const auto& [check, location] : checks) {
            QTest::addRow("%s", check) << check << false << QString();
            QTest::addRow("%s, a bad row", check) << check << true << location;
        }
    }
    void eachCheckReadsTheStoreOnceAndTellsABadRowOnce() {
        QFETCH(QString, check);
        QFETCH(bool, badRow);
        QFETCH(QString, location);
        Program p(QDate(2026, 6, 15));
        if (badRow) {
            p.execute(
                QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                               "values ('Broken','abc',15)"));
        }
        p.addEvent(QStringLiteral("Today"), 6, 15);
        p.answer(Answer::Later1h);
        p.load();
        std::optional<EventReads> reads;
        if (check == QLatin1String("start-up")) {
            reads.emplace(p.window->storeConnection());
            p.window->handleActivation();
        } else {
            p.window->handleActivation();
            p.env.ui.clear();
            p.listed.clear();
            p.env.notifier.shown.clear();
            p.answer(Answer::Later1h);
            reads.emplace(p.window->storeConnection());
            if (check == QLatin1String("refill while snoozed")) {
                p.window->reminderEngine().refreshList();
            } else if (check == QLatin1String("timed check")) {
                p.ticks(3600);
            } else {
                p.click("PushButton3");
            }
        }
        const QStringList today{"Today is today."};
        QCOMPARE(p.listed, QList<QStringList>{today});
        const bool notified = check != QLatin1String("test alarm");
        QCOMPARE(p.env.notifier.shown,
                 notified ? QList<QStringList>{QStringList{"Today is today"} + today}
                          : QList<QStringList>{});
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 3600);
        const QStringList errors = p.env.ui.errors();
        QCOMPARE(errors.size(), badRow ? 1 : 0);
        if (badRow) {
            ALMANIS_VERIFY_CONTAINS(errors[0], QStringLiteral("in Almanis2021/08/31.") + location);
        } else {
            QCOMPARE(reads->count(), 1);
        }
    }

    void startUpWithNothingDueOpensNothing() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 16);
        p.start();
        QCOMPARE(p.alarms(), 0);
        QCOMPARE(p.window->events().count(), 1);
        p.env.clock.set(QDate(2026, 6, 16));
        p.ticks(90000);
        QCOMPARE(p.alarms(), 0);
    }

    void theRoadOfOneReminder() {
        // 7 days before the 12th, with the 7-day window ticked.
        Program p(QDate(2026, 7, 5));
        p.addEvent(QStringLiteral("Anniversary"), 7, 12);
        p.env.settings.values.insert(QStringLiteral("Check4"), QStringLiteral("1"));
        p.answer(Answer::Later2h);
        p.start();
        QCOMPARE(p.alarms(), 1);
        QCOMPARE(p.listed[0], QStringList{"Anniversary is in 7 days."});
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 7200);

        p.answer(Answer::Later2h);
        p.ticks(7199);
        QCOMPARE(p.alarms(), 1);
        p.ticks(1);
        QCOMPARE(p.alarms(), 2);
        QVERIFY(!p.timerRunningWhileShown);
        QVERIFY(p.window->timer().running());
        QCOMPARE(p.window->timer().interval(), 1000);

        // Editing while snoozed, with something due, reopens it at once.
        p.answer(Answer::Later1h);
        p.addEvent(QStringLiteral("Other"), 9, 1);
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 3);
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 3600);

        // The next day the event is 6 days away: checks go on, silently.
        p.env.clock.set(QDate(2026, 7, 6));
        p.ticks(3600 * 3);
        QCOMPARE(p.alarms(), 3);
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 3);

        // On the day itself the day-of-event window (ticked by default) finds it.
        p.env.clock.set(QDate(2026, 7, 12));
        p.answer(Answer::Never);
        p.ticks(3600);
        QCOMPARE(p.alarms(), 4);
        QCOMPARE(p.listed[3], QStringList{"Anniversary is today."});
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 0);

        // "Do Not Remind Me Again" silences both triggers for the rest of the run.
        p.ticks(100000);
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 4);
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    // Another program's change shows in the list without cutting a snooze
    // short; the window's own commands re-check as before.
    void anotherProgramsChangeLeavesTheSnoozeToItsTime() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.answer(Answer::Later1h);
        p.start();
        QCOMPARE(p.alarms(), 1);
        p.ticks(600);
        p.addEvent(QStringLiteral("Added by a script"), 6, 15);
        emit p.window->storeWatcher().changedElsewhere();
        QCOMPARE(p.window->events().count(), 2);
        QCOMPARE(p.alarms(), 1);
        p.answer(Answer::Later1h);
        p.ticks(3000);
        QCOMPARE(p.alarms(), 2);
        QCOMPARE(p.listed[1],
                 (QStringList{"Anniversary is today.", "Added by a script is today."}));
        p.answer(Answer::CloseBox);
        p.click("PushButton4");  // the sample event, the window's own change
        QCOMPARE(p.alarms(), 3);
    }

    void theRemindBoxesAreReadAtEachCheck() {
        Program p(QDate(2026, 6, 12));
        p.addEvent(QStringLiteral("Event"), 6, 15);
        p.answer(Answer::Later1h);
        p.start();
        QCOMPARE(p.alarms(), 0);
        test::checkBox(*p.window, "Check2")->setChecked(true);
        p.window->reminderEngine().setRecheckSeconds(3600);
        p.ticks(3600);
        QCOMPARE(p.alarms(), 1);
        QCOMPARE(p.listed[0], QStringList{"Event is in 3 days."});
    }

    void testAlarm_data() {
        QTest::addColumn<bool>("somethingDue");
        QTest::addColumn<int>("durationAfter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing due: the sample line, interval kept")
            << false << 3600 << QStringList{"New Day Has Come is today's Event."};
        QTest::newRow("something due: a real alarm") << true << 0 << QStringList{"Event is today."};
    }
    void testAlarm() {
        QFETCH(bool, somethingDue);
        QFETCH(int, durationAfter);
        QFETCH(QStringList, expected);
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Event"), 6, somethingDue ? 15 : 16);
        p.answer(Answer::Later1h);  // the start-up alarm, when something is due
        p.start();
        const int before = p.alarms();
        p.window->reminderEngine().setRecheckSeconds(3600);
        p.answer(Answer::Never);
        test::button(*p.window, "PushButton3")->click();
        QCOMPARE(p.alarms(), before + 1);
        QCOMPARE(p.env.ui.modals.last().owner, p.window.get());
        QCOMPARE(p.listed.last(), expected);
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), durationAfter);
        QVERIFY(!p.window->reminderEngine().testingAlarm());
        QCOMPARE(p.window->timer().running(), durationAfter > 0);
    }

    void aSnoozeChosenInTheTestWindowArmsTheTimedCheck() {
        Program p(QDate(2026, 6, 14));
        p.addEvent(QStringLiteral("Event"), 6, 15);
        p.start();
        QCOMPARE(p.alarms(), 0);
        p.answer(Answer::Later1h);
        test::button(*p.window, "PushButton3")->click();
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), 3600);
        p.env.clock.set(QDate(2026, 6, 15));
        p.answer(Answer::CloseBox);
        p.ticks(3600);
        QCOMPARE(p.alarms(), 2);
        QCOMPARE(p.listed.last(), QStringList{"Event is today."});
    }

    void theDueAlarmIsAlsoADesktopNotification() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.addEvent(QStringLiteral("Ann & Bob <3"), 6, 15);
        p.answer(Answer::Later1h);
        p.start();
        const QStringList alert{"2 events are due", "Anniversary is today.",
                                "Ann & Bob <3 is today."};
        QCOMPARE(p.env.notifier.shown, QList<QStringList>{alert});
        // The snooze's re-check tells it again (the desktop replaces the first).
        p.answer(Answer::Never);
        p.ticks(3600);
        QCOMPARE(p.env.notifier.shown, (QList<QStringList>{alert, alert}));
        // The test alarm is the user's own doing: no notification.
        p.click("PushButton3");
        QCOMPARE(p.alarms(), 3);
        QCOMPARE(p.env.notifier.shown.size(), 2);
    }

    // The notification's buttons answer as the window's: the delay chosen in
    // the window, the window closed, the notification withdrawn; a button of
    // a notification whose alarm is gone does nothing.
    void theNotificationsButtonsAnswerTheAlarm_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("recheck");
        QTest::addColumn<bool>("closedByTheButton");
        QTest::newRow("Remind Me Later") << "remind-later" << 7200 << true;
        QTest::newRow("Do Not Remind Me Again") << "do-not-remind" << 0 << true;
        QTest::newRow("another program's key") << "other" << 3600 << false;
    }
    void theNotificationsButtonsAnswerTheAlarm() {
        QFETCH(QString, key);
        QFETCH(int, recheck);
        QFETCH(bool, closedByTheButton);
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.start();  // the start-up alarm, closed by its close box
        p.window->reminderEngine().setRecheckSeconds(3600);
        bool closedByKey = false;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            QVERIFY(p.env.notifier.showing);
            test::find<QComboBox>(alarm, "Combo1")->setCurrentIndex(1);
            alarm.show();
            p.env.notifier.invoke(key);
            closedByKey = !alarm.isVisible();
            alarm.close();
        });
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 2);
        QCOMPARE(closedByKey, closedByTheButton);
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), recheck);
        QCOMPARE(p.env.notifier.actions.last().size(), 2);
        QVERIFY(!p.env.notifier.showing);
        p.env.notifier.invoke(QStringLiteral("do-not-remind"));
        QCOMPARE(p.window->reminderEngine().recheckSeconds(), recheck);
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    void clickingTheNotificationBringsTheAlarmForward() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        bool alarmInFront = false;
        bool windowShownMeanwhile = true;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            alarm.show();
            p.env.notifier.click(QStringLiteral("token-1"));
            alarmInFront = alarm.isVisible() && QApplication::activeModalWidget() == &alarm;
            windowShownMeanwhile = p.window->isVisible();
            alarm.close();
        });
        p.load();  // starts in the tray, where the due check opens the alarm
        QVERIFY(alarmInFront);
        QVERIFY(!windowShownMeanwhile);
        // Once the alarm is answered, the notification shows the main window;
        // each comes forward with the desktop's token for the click.
        QVERIFY(p.window->isHiddenInTray());
        p.env.notifier.click(QStringLiteral("token-2"));
        QVERIFY(p.window->isVisible());
        QVERIFY(!p.window->isHiddenInTray());
        QCOMPARE(p.env.ui.broughtForward, (QStringList{"Form3 token-1", "Form1 token-2"}));
    }

    void doNotRemindMeAgainSilencesTheRestOfTheDayOnly() {
        Program p(QDate(2026, 6, 15));
        p.addEvent(QStringLiteral("First"), 6, 15);
        p.addEvent(QStringLiteral("Second"), 6, 16);
        p.answer(Answer::Never);
        p.start();
        QCOMPARE(p.alarms(), 1);
        p.ticks(100000);
        p.window->reminderEngine().refreshList();
        QCOMPARE(p.alarms(), 1);
        QVERIFY(!p.window->timer().running());

        p.answer(Answer::CloseBox);
        p.env.wakeTimer.fireOn(p.env.clock);
        QCOMPARE(p.alarms(), 2);
        QCOMPARE(p.listed[1], QStringList{"Second is today."});
        QCOMPARE(p.window->events().text(1, EventListModel::DaysLeftColumn),
                 QStringLiteral("Today"));
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    void anAlarmOpenAtMidnightKeepsItsDay() {
        Program p(QDate(2026, 6, 15));
        p.env.clock.set(QDateTime(QDate(2026, 6, 15), QTime(23, 59)));
        p.addEvent(QStringLiteral("First"), 6, 15);
        p.addEvent(QStringLiteral("Second"), 6, 16);
        int alarmsAtMidnight = 0;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            p.env.clock.set(QDateTime(QDate(2026, 6, 16), QTime(0, 0, 30)));
            p.env.wakeTimer.fire();
            alarmsAtMidnight = p.alarms();
            alarm.close();
        });
        p.start();
        QCOMPARE(alarmsAtMidnight, 1);
        QCOMPARE(p.alarms(), 1);
        // Closed, the alarm leaves the timer set for the midnight that passed,
        // so it goes off at once.
        QVERIFY(*p.env.wakeTimer.next <= p.env.clock.now());
        p.answer(Answer::CloseBox);
        p.env.wakeTimer.fire();
        QCOMPARE(p.alarms(), 2);
        QCOMPARE(p.listed[0], QStringList{"Second is today."});
    }

    void missedRemindersAreCaughtUpOnceADay() {
        Program p(QDate(2026, 6, 15));
        p.env.settings.values.insert(QStringLiteral("Last Check"), QStringLiteral("2026-06-11"));
        p.addEvent(QStringLiteral("Missed"), 6, 13);
        p.addEvent(QStringLiteral("Today"), 6, 15);
        p.answer(Answer::CloseBox);
        p.start();
        QCOMPARE(p.listed, (QList<QStringList>{{"Today is today.", "Missed was 2 days ago."}}));
        QCOMPARE(p.env.settings.values.value(QStringLiteral("Last Check")),
                 QStringLiteral("2026-06-15"));
        // Started again the same day, the program tells of today only.
        p.answer(Answer::CloseBox);
        p.start();
        QCOMPARE(p.listed.size(), 2);
        QCOMPARE(p.listed[1], QStringList{"Today is today."});
    }
};

ALMANIS_TEST_MAIN(AlarmFlowTest)
#include "tst_alarm_flow.moc"
