#include "EngineFixture.h"

#include "core/AppError.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTimeZone>

using namespace almanis;
using almanis::test::EngineFixture;

namespace {
QString location(const char* procedure, int step) {
    return QStringLiteral("in Almanis2021/08/31.Form1.%1 at line %2")
        .arg(QLatin1String(procedure))
        .arg(step);
}

QStringList row(const EventListModel& list, int r) {
    QStringList cells;
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        cells << list.text(r, EventListModel::Column(column));
    }
    return cells;
}

// An engine whose host records the lines of every alarm it opens.
struct DayFixture : EngineFixture {
    explicit DayFixture(QDateTime now) : EngineFixture(now.date()) { env.clock.set(now); }
    // The wake timer goes off at the time it was set for.
    void sleepUntilTheWakeUp() {
        env.wakeTimer.fireOn(env.clock);
        engine.wake();
    }
    // The program wakes at `now`: after a suspend, a clock or time zone change.
    void wakeAt(const QDateTime& now) {
        env.clock.set(now);
        engine.wake();
    }
    QString remembered() const { return env.settings.values.value(QStringLiteral("Last Check")); }

    const QList<QStringList>& alarms = host.alarms;
};
}  // namespace

class ReminderEngineTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void listShowsEveryEventInCalendarOrder() {
        EngineFixture f(QDate(2026, 4, 20));
        f.add(QStringLiteral("Mum's birthday"), 4, 20);
        f.add(QStringLiteral("Odd date"), 4, 31);
        f.add(QStringLiteral("Leap day"), 2, 29);
        f.add(QStringLiteral("New Year"), 1, 1);
        f.add(QStringLiteral("Twin A"), 7, 12);
        f.add(QStringLiteral("Twin B"), 7, 12);
        f.engine.refreshList();
        QCOMPARE(f.env.ui.errors(), QStringList());
        QCOMPARE(f.list.count(), 6);
        const QList<QStringList> expected{
            {"4", "New Year", "January", "1", "256", "1", ""},
            {"3", "Leap day", "February", "29", "315", "2", ""},  // to 1 Mar 2027
            {"1", "Mum's birthday", "April", "20", "Today", "4", ""},
            {"2", "Odd date", "April", "31", "11", "4", ""},  // 1 May
        };
        for (int r = 0; r < expected.size(); ++r) {
            QCOMPARE(row(f.list, r), expected[r]);
        }
        // Events on the same day stand next to each other.
        QCOMPARE((QSet<QString>{f.list.text(4, EventListModel::DescriptionColumn),
                                f.list.text(5, EventListModel::DescriptionColumn)}),
                 (QSet<QString>{QStringLiteral("Twin A"), QStringLiteral("Twin B")}));
        QCOMPARE(f.list.text(4, EventListModel::DaysLeftColumn), QStringLiteral("83"));
        QCOMPARE(f.list.text(5, EventListModel::DaysLeftColumn), QStringLiteral("83"));
        // Nothing due opens anything unless the program is starting or snoozed.
        QCOMPARE(f.host.shown, 0);
    }

    // A store of sound rows is sorted by the program, any other is read in
    // SQLite's order with each bad field reported: either way the list stands
    // in the order every other reader of the store gets.
    void theListHasTheStoresCalendarOrder_data() {
        QTest::addColumn<QStringList>("rows");  // values of (id,Description,EventMonth,EventDay)
        QTest::addColumn<int>("reports");
        const QStringList sound{"50,'Later stored',6,1", "10,'Earlier stored',6,1",
                                "30,'New Year',1,1",     "20,'Leap day',2,29",
                                "40,'Eve',12,31",        "60,'Odd date',4,31"};
        QTest::newRow("sound rows, sorted here") << sound << 0;
        QTest::newRow("a month stored as text: the guarded fill")
            << (sound + QStringList{"70,'Broken','abc',15"}) << 1;
        QTest::newRow("a day beyond any calendar: the guarded fill")
            << (sound + QStringList{"80,'Far',1,900000000"}) << 1;
        QTest::newRow("day 0 and day 32 carry, still sound")
            << (sound + QStringList{"90,'Carried back',3,0", "95,'Carried on',3,32"}) << 0;
    }
    void theListHasTheStoresCalendarOrder() {
        QFETCH(QStringList, rows);
        QFETCH(int, reports);
        EngineFixture f;
        for (const QString& row : rows) {
            f.db.execute(QStringLiteral(
                             "insert into tblEvent (id,Description,EventMonth,EventDay) values (") +
                         row + QLatin1Char(')'));
        }
        f.engine.refreshList();
        QStringList stored;
        ResultSet rs;
        for (rs.open(sql::selectEvents(), f.db); !rs.eof(); rs.moveNext()) {
            stored << rs.field("id").toString();
        }
        QStringList listed;
        for (int row = 0; row < f.list.count(); ++row) {
            listed << f.list.text(row, EventListModel::IdColumn);
        }
        QCOMPARE(listed, stored);
        // Events of one day stand in the order they were stored.
        QVERIFY(listed.indexOf(QStringLiteral("10")) < listed.indexOf(QStringLiteral("50")));
        QCOMPARE(f.env.ui.errors().size(), reports);
    }

    void anEmptyTableGivesAnEmptyListAndNoAlarm() {
        EngineFixture f;
        f.host.starting = true;
        f.list.setRows({EventListModel::Row{EventRecord{99, QStringLiteral("stale"), 1, 1}}});
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 0);
        QCOMPARE(f.host.shown, 0);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    // A run over the rows (the fill, the due check, the alarm's list) reports
    // its first unreadable row with its location and step, and says in the
    // same box how many more could not be read; the rows that can be read are
    // all there.
    void unreadableRowsAreOneReportPerRun_data() {
        QTest::addColumn<int>("broken");
        QTest::addColumn<QString>("more");
        QTest::newRow("one") << 1 << "";
        QTest::newRow("three") << 3 << ". 2 more rows could not be read either.";
    }
    void unreadableRowsAreOneReportPerRun() {
        QFETCH(int, broken);
        QFETCH(QString, more);
        EngineFixture f;
        for (int i = 0; i < broken; ++i) {
            f.db.execute(
                QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                               "values ('Broken','abc',15)"));
        }
        f.add(QStringLiteral("Fine"), 6, 20);
        const QString mismatch =
            QStringLiteral("Type mismatch: 'abc' is not a whole number") + more;
        f.engine.refreshList();
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].startsWith(mismatch + QStringLiteral("\r\n")));
        QVERIFY(f.env.ui.errors()[0].contains(location("ListEvents", 108)));
        // Texts sort after numbers.
        QCOMPARE(f.list.count(), broken + 1);
        QCOMPARE(row(f.list, 0),
                 (QStringList{QString::number(broken + 1), "Fine", "June", "20", "5", "6", ""}));
        QCOMPARE(row(f.list, 1), (QStringList{"1", "Broken", "", "15", "", "", ""}));

        f.env.ui.clear();
        f.host.windows = RemindWindows{true, true, true, true, true};
        QVERIFY(f.engine.dueToday().isEmpty());
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].startsWith(mismatch));
        QVERIFY(f.env.ui.errors()[0].contains(location("HasEventToday", 106)));

        // A due row read after unreadable ones still counts, and is listed.
        f.env.ui.clear();
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Bad day',3,'x')"));
        f.add(QStringLiteral("Today"), 6, 15);
        QCOMPARE(f.engine.dueToday().size(), 1);
        QCOMPARE(f.env.ui.errors().size(), 1);
        f.env.ui.clear();
        QCOMPARE(f.engine.currentAlarm().lines(), QStringList{QStringLiteral("Today is today.")});
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(
            QStringLiteral("in Almanis2021/08/31.Form3.ListTodayEvent at line 104")));
        QVERIFY(f.env.ui.errors()[0].contains(
            broken == 1 ? QStringLiteral(" 1 more row could not be read either.")
                        : QStringLiteral(" %1 more rows could not be read either.").arg(broken)));
    }

    void aStartReportsAnUnreadableRowOnce() {
        // The start-up check decides from the rows the fill read, so a row the
        // fill could not read is not reported by the check too; what is due
        // after it still opens the alarm.
        EngineFixture f;
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Broken','abc',15)"));
        f.add(QStringLiteral("Today"), 6, 15);
        f.host.starting = true;
        f.host.windows = RemindWindows{true, true, true, true, true};
        f.engine.refreshList();
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("ListEvents", 108)));
        QCOMPARE(f.host.shown, 1);
    }

    void aRefillKeepsNothingOfTheOldRows() {
        EngineFixture f;
        f.add(QStringLiteral("First"), 6, 20);
        f.add(QStringLiteral("Second"), 7, 1);
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 2);
        f.db.execute(QStringLiteral("delete from tblEvent"));
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Broken','abc',15)"));
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 1);
        QCOMPARE(row(f.list, 0), (QStringList{"3", "Broken", "", "15", "", "", ""}));
    }

    void unreadableStoreGivesOneReportAndAnEmptyList_data() {
        QTest::addColumn<bool>("closed");
        QTest::newRow("table missing") << false;
        QTest::newRow("connection closed") << true;
    }
    void unreadableStoreGivesOneReportAndAnEmptyList() {
        QFETCH(bool, closed);
        EngineFixture f;
        f.add(QStringLiteral("Today"), 6, 15);
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 1);
        if (closed) {
            f.db.close();
        } else {
            f.db.execute(QStringLiteral("drop table tblEvent"));
        }
        f.host.starting = true;
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 0);
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("ListEvents", 102)));
        QCOMPARE(f.host.shown, 0);

        f.env.ui.clear();
        QVERIFY(f.engine.dueToday().isEmpty());
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("HasEventToday", 104)));
    }

    // Every road to an alarm honours an event's own remind days and tells its
    // years: the quick read, the fill row by row (which a broken row forces)
    // and the re-check of a snooze, which reads the store itself.
    void ownDaysAndYearsOnEveryRoad_data() {
        QTest::addColumn<QString>("road");
        QTest::newRow("quick read") << "quick";
        QTest::newRow("fill row by row") << "fill";
        QTest::newRow("re-check") << "recheck";
    }
    void ownDaysAndYearsOnEveryRoad() {
        QFETCH(QString, road);
        EngineFixture f;
        EventRecord own{0, QStringLiteral("Own"), 6, 22};
        own.remindDays = test::remindWindowsFrom(QStringLiteral("7"));
        own.year = 1990;
        insertEvent(f.db, own);
        f.add(QStringLiteral("Options"), 6, 22);
        EventRecord never{0, QStringLiteral("Never"), 6, 15};
        never.remindDays = RemindWindows{};
        insertEvent(f.db, never);
        f.add(QStringLiteral("Today"), 6, 15);
        if (road == QLatin1String("fill")) {
            f.db.execute(
                QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                               "values ('Broken','abc',15)"));
        }
        f.host.windows = test::remindWindowsFrom(QStringLiteral("0"));
        if (road == QLatin1String("recheck")) {
            f.engine.refreshList();
            f.engine.setRecheckSeconds(1);
            f.ticks(1);
        } else {
            f.host.starting = true;
            f.engine.refreshList();
        }
        QCOMPARE(f.env.ui.errors().size(), road == QLatin1String("fill") ? 1 : 0);
        QCOMPARE(f.host.alarms,
                 (QList<QStringList>{{"Today is today.", "Own is in 7 days (36 years)."}}));
        // The list keeps them beside each row.
        QStringList kept;
        for (int r = 0; r < f.list.count(); ++r) {
            const EventRecord event = f.list.row(r).event;
            kept << QStringLiteral("%1:%2:%3")
                        .arg(event.description,
                             event.remindDays ? event.remindDays->toText() : QStringLiteral("-"),
                             f.list.text(r, EventListModel::YearsColumn));
        }
        kept.sort();
        QCOMPARE(kept.mid(kept.size() - 4),
                 (QStringList{"Never::", "Options:-:", "Own:7:36", "Today:-:"}));
    }

    void dueCheck_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QList<bool>>("windows");
        QTest::addColumn<bool>("due");
        const QList<bool> onlyDay{true, false, false, false, false};
        const QList<bool> all{true, true, true, true, true};
        QTest::newRow("default: on the day") << QDate(2026, 6, 15) << 6 << 15 << onlyDay << true;
        QTest::newRow("default: the day before")
            << QDate(2026, 6, 14) << 6 << 15 << onlyDay << false;
        QTest::newRow("3 days, 3-day window off, 7-day on")
            << QDate(2026, 6, 12) << 6 << 15 << QList<bool>{false, false, true, false, false}
            << false;
        QTest::newRow("1 Jan on 25 Dec, 7-day window")
            << QDate(2026, 12, 25) << 1 << 1 << QList<bool>{false, false, true, false, false}
            << true;
        QTest::newRow("14 days") << QDate(2026, 6, 1) << 6 << 15
                                 << QList<bool>{false, false, false, true, false} << true;
        QTest::newRow("30 days") << QDate(2026, 5, 16) << 6 << 15
                                 << QList<bool>{false, false, false, false, true} << true;
        QTest::newRow("yesterday, all windows") << QDate(2026, 6, 16) << 6 << 15 << all << false;
        QTest::newRow("29 Feb due on 1 Mar in a common year")
            << QDate(2027, 3, 1) << 2 << 29 << onlyDay << true;
    }
    void dueCheck() {
        QFETCH(QDate, today);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QList<bool>, windows);
        QFETCH(bool, due);
        EngineFixture f(today);
        f.add(QStringLiteral("Far away"), today.addDays(100).month(), today.addDays(100).day());
        f.add(QStringLiteral("Event"), month, day);
        f.host.windows = RemindWindows{windows[0], windows[1], windows[2], windows[3], windows[4]};
        // The timed check, the alarm as it stands and the check after a fill at
        // start-up decide alike.
        QCOMPARE(f.engine.dueToday().size(), due ? 1 : 0);
        QCOMPARE(f.engine.currentAlarm().reminders.size(), due ? 1 : 0);
        f.host.starting = true;
        f.engine.refreshList();
        QCOMPARE(f.host.alarms,
                 due ? QList<QStringList>{f.engine.currentAlarm().lines()} : QList<QStringList>{});
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void refreshOpensTheAlarmOnlyWhenStartingOrSnoozed_data() {
        QTest::addColumn<bool>("starting");
        QTest::addColumn<int>("duration");
        QTest::addColumn<bool>("somethingDue");
        QTest::addColumn<bool>("outsideChange");
        QTest::addColumn<int>("shown");
        QTest::newRow("starting, due") << true << 0 << true << false << 1;
        QTest::newRow("starting, nothing due") << true << 0 << false << false << 0;
        QTest::newRow("off, due") << false << 0 << true << false << 0;
        QTest::newRow("snoozed, due") << false << 7200 << true << false << 1;
        QTest::newRow("snoozed, nothing due") << false << 7200 << false << false << 0;
        // Another program's change only shows in the list.
        QTest::newRow("snoozed, due, another program's change")
            << false << 7200 << true << true << 0;
        QTest::newRow("starting, due, another program's change") << true << 0 << true << true << 0;
    }
    void refreshOpensTheAlarmOnlyWhenStartingOrSnoozed() {
        QFETCH(bool, starting);
        QFETCH(int, duration);
        QFETCH(bool, somethingDue);
        QFETCH(bool, outsideChange);
        QFETCH(int, shown);
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, somethingDue ? 15 : 16);
        f.host.starting = starting;
        f.engine.setRecheckSeconds(duration);
        f.engine.setTicksCounted(123);
        f.engine.refreshList(outsideChange ? ReminderEngine::Refill::OutsideChange
                                           : ReminderEngine::Refill::OwnChange);
        QCOMPARE(f.host.shown, shown);
        QCOMPARE(f.engine.ticksCounted(), 123);
        QCOMPARE(f.list.count(), 1);
        // The snooze goes on from where it was.
        if (duration > 0 && shown == 0) {
            f.ticks(duration - 124);
            QCOMPARE(f.engine.ticksCounted(), duration - 1);
            f.ticks(1);
            QCOMPARE(f.host.shown, somethingDue ? 1 : 0);
        }
    }

    // The polling timer sleeps until the re-check is due: one wake-up a
    // snooze, however long; while the alarm is open it stands still, and the
    // ticks it counted before are kept.
    void theSnoozeSleepsUntilTheReCheck_data() {
        QTest::addColumn<int>("duration");
        QTest::addColumn<int>("openAfter");  // seconds into the snooze; 0: none opens
        QTest::newRow("1 hour") << 3600 << 0;
        QTest::newRow("12 hours") << 43200 << 0;
        QTest::newRow("1 hour, the alarm open for a while after 1000 s") << 3600 << 1000;
    }
    void theSnoozeSleepsUntilTheReCheck() {
        QFETCH(int, duration);
        QFETCH(int, openAfter);
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(duration);
        QSignalSpy wakeUps(&f.timer, &PollTimer::ticked);
        if (openAfter > 0) {
            f.ticks(openAfter);
            // Open (from a refill) for 500 seconds, closed by its close box.
            f.host.onShow = [&f] { f.ticks(500); };
            f.engine.refreshList();
            QCOMPARE(f.host.shown, 1);
            QCOMPARE(f.engine.ticksCounted(), openAfter);
        }
        f.ticks(duration - openAfter - 1);
        QCOMPARE(f.host.shown, openAfter > 0 ? 1 : 0);
        f.ticks(1);
        QCOMPARE(f.host.shown, openAfter > 0 ? 2 : 1);
        QCOMPARE(wakeUps.size(), 1);
        QCOMPARE(wakeUps[0], QVariantList{duration});
        QVERIFY(f.timer.running());
        f.ticks(duration);
        QCOMPARE(wakeUps.size(), 2);
    }

    void openingTheAlarmStopsTheTimerAndRestartsIt_data() {
        QTest::addColumn<bool>("showingFails");
        QTest::addColumn<int>("recheck");
        QTest::newRow("closed normally, snoozed") << false << 3600;
        QTest::newRow("showing fails, snoozed") << true << 3600;
        QTest::newRow("closed normally, idle") << false << 0;
    }
    void openingTheAlarmStopsTheTimerAndRestartsIt() {
        QFETCH(bool, showingFails);
        QFETCH(int, recheck);
        EngineFixture f;
        f.timer.setInterval(1000);
        f.engine.setRecheckSeconds(recheck);
        if (showingFails) {
            f.host.failure = QStringLiteral("no window");
            QVERIFY_THROWS_EXCEPTION(AppError, f.engine.openAlarm({}));
        } else {
            f.engine.openAlarm({});
        }
        QCOMPARE(f.host.shown, 1);
        QVERIFY(!f.host.timerRunningWhileShown);
        QCOMPARE(f.timer.interval(), 1000);
        QVERIFY(f.timer.enabled());
        // It ticks again only while a re-check waits.
        QCOMPARE(f.timer.running(), recheck > 0);
    }

    void ticksWhileOffDoNothing() {
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, 15);
        // A closed connection would make any read fail and be reported.
        f.db.close();
        f.ticks(100000);
        QCOMPARE(f.engine.ticksCounted(), 0);
        QCOMPARE(f.host.shown, 0);
        QVERIFY(f.env.ui.errors().isEmpty());
        f.engine.setRecheckSeconds(3600);
        f.ticks(3600);
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("HasEventToday", 104)));
    }

    void snoozeRechecksAfterExactlyTheInterval_data() {
        QTest::addColumn<int>("duration");
        QTest::newRow("1 hour") << 3600;
        QTest::newRow("2 hours") << 7200;
        QTest::newRow("12 hours") << 43200;
    }
    void snoozeRechecksAfterExactlyTheInterval() {
        QFETCH(int, duration);
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(duration);
        f.ticks(duration - 1);
        QCOMPARE(f.host.shown, 0);
        f.ticks(1);
        QCOMPARE(f.host.shown, 1);
        QCOMPARE(f.engine.ticksCounted(), 0);
        f.ticks(duration);
        QCOMPARE(f.host.shown, 2);
    }

    void snoozeKeepsCheckingIntoTheNextDays() {
        EngineFixture f(QDate(2026, 6, 14));
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(3600);
        f.ticks(3600);
        QCOMPARE(f.host.shown, 0);
        QCOMPARE(f.engine.ticksCounted(), 0);
        f.env.clock.set(QDate(2026, 6, 15));
        f.ticks(3600);
        QCOMPARE(f.host.shown, 1);
        f.env.clock.set(QDate(2026, 6, 16));
        f.ticks(3600 * 5);
        QCOMPARE(f.host.shown, 1);
    }

    void aShorterSnoozeThanTheCountChecksAtOnce() {
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(43200);
        f.ticks(5000);
        // The alarm opened meanwhile from a list rebuild, and the user chose an hour.
        f.host.answer = AlarmAnswer{3600};
        f.engine.refreshList();
        QCOMPARE(f.host.shown, 1);
        QCOMPARE(f.engine.recheckSeconds(), 3600);
        QCOMPARE(f.engine.ticksCounted(), 5000);
        f.host.answer = {};
        f.ticks(1);
        QCOMPARE(f.host.shown, 2);
        QCOMPARE(f.engine.ticksCounted(), 0);
        f.ticks(3599);
        QCOMPARE(f.host.shown, 2);
        f.ticks(1);
        QCOMPARE(f.host.shown, 3);
    }

    void theStartOfADayRemembersItAndSleepsUntilMidnight() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.add(QStringLiteral("Later"), 6, 20);
        f.engine.startDay();
        QCOMPARE(f.list.count(), 1);
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-15"));
        QCOMPARE(f.env.wakeTimer.next, QDate(2026, 6, 16).startOfDay());
        // Idle: no one-second tick; a snooze brings it, "do not remind" stops it.
        QVERIFY(!f.timer.running());
        f.timer.setInterval(1000);
        f.engine.setRecheckSeconds(3600);
        QVERIFY(f.timer.running());
        f.engine.setRecheckSeconds(0);
        QVERIFY(!f.timer.running());
        QVERIFY(f.alarms.isEmpty());
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void midnightStartsTheNewDay_data() {
        QTest::addColumn<QByteArray>("zone");  // empty: local time
        QTest::addColumn<QDate>("before");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hours");  // of the new day
        QTest::newRow("an ordinary night") << QByteArray() << QDate(2026, 6, 14) << 6 << 15 << 24;
        QTest::newRow("31 December") << QByteArray() << QDate(2026, 12, 31) << 1 << 1 << 24;
        QTest::newRow("into 29 February") << QByteArray() << QDate(2028, 2, 28) << 2 << 29 << 24;
        QTest::newRow("29 February falls on 1 March in a common year")
            << QByteArray() << QDate(2027, 2, 28) << 2 << 29 << 24;
        QTest::newRow("into a day of 23 hours")
            << QByteArray("Europe/Berlin") << QDate(2026, 3, 28) << 3 << 29 << 23;
        QTest::newRow("into a day of 25 hours")
            << QByteArray("Europe/Berlin") << QDate(2026, 10, 24) << 10 << 25 << 25;
    }
    void midnightStartsTheNewDay() {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, before);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hours);
        const QTime late(23, 59, 40);
        DayFixture f(zone.isEmpty() ? QDateTime(before, late)
                                    : QDateTime(before, late, QTimeZone(zone)));
        f.add(QStringLiteral("Event"), month, day);
        f.engine.startDay();
        QVERIFY(f.alarms.isEmpty());
        QCOMPARE(f.list.text(0, EventListModel::DaysLeftColumn), QStringLiteral("1"));

        f.sleepUntilTheWakeUp();
        QCOMPARE(f.env.clock.now().time(), QTime(0, 0));
        QCOMPARE(f.alarms, QList<QStringList>{{"Event is today."}});
        QCOMPARE(f.list.text(0, EventListModel::DaysLeftColumn), QStringLiteral("Today"));
        QCOMPARE(f.remembered(), before.addDays(1).toString(Qt::ISODate));
        // The next wake-up: the start of the day after, the new day's length later.
        QCOMPARE(f.env.clock.now().secsTo(*f.env.wakeTimer.next), hours * 3600);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void aWakeUpOnTheSameDayOnlySetsTheTimerAgain() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.startDay();
        QCOMPARE(f.alarms.size(), 1);
        f.db.execute(QStringLiteral("delete from tblEvent"));
        f.wakeAt(QDateTime(QDate(2026, 6, 15), QTime(18, 0)));
        QCOMPARE(f.alarms.size(), 1);
        QCOMPARE(f.list.count(), 1);  // not refilled
        QCOMPARE(f.env.wakeTimer.times.size(), 2);
        QCOMPARE(f.env.wakeTimer.next, QDate(2026, 6, 16).startOfDay());
    }

    void aResumeAfterThreeDaysAsleepCatchesUp() {
        DayFixture f(QDateTime(QDate(2026, 6, 12), QTime(22, 0)));  // a Friday
        f.add(QStringLiteral("Sunday"), 6, 14);
        f.add(QStringLiteral("Monday"), 6, 15);
        f.add(QStringLiteral("Saturday"), 6, 13);
        f.engine.startDay();
        QVERIFY(f.alarms.isEmpty());
        f.wakeAt(QDateTime(QDate(2026, 6, 15), QTime(8, 30)));
        QCOMPARE(f.alarms, (QList<QStringList>{{"Monday is today.", "Saturday was 2 days ago.",
                                                "Sunday was yesterday."}}));
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-15"));
        QCOMPARE(f.env.wakeTimer.next, QDate(2026, 6, 16).startOfDay());
        // The caught-up lines belong to the day: a snoozed re-check shows them again.
        f.engine.setRecheckSeconds(3600);
        f.ticks(3600);
        QCOMPARE(f.alarms.size(), 2);
        QCOMPARE(f.alarms[1], f.alarms[0]);
        // The next midnight starts afresh.
        f.engine.setRecheckSeconds(0);
        f.sleepUntilTheWakeUp();
        QCOMPARE(f.alarms.size(), 2);
        QVERIFY(f.engine.caughtUp().isEmpty());
    }

    // After more than a year off the catch-up reaches back a year and says so.
    void theCatchUpSaysWhereItStops_data() {
        QTest::addColumn<QString>("lastCheck");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("a year and more off")
            << "2024-03-01"
            << QStringList{"Summer was 300 days ago.", "Sunday was yesterday.",
                           "Reminders of the days before Sunday, June 15, 2025 are not shown: "
                           "Almanis looks back one year at most."};
        QTest::newRow("a year off")
            << "2025-06-14" << QStringList{"Summer was 300 days ago.", "Sunday was yesterday."};
    }
    void theCatchUpSaysWhereItStops() {
        QFETCH(QString, lastCheck);
        QFETCH(QStringList, lines);
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.env.settings.values.insert(QStringLiteral("Last Check"), lastCheck);
        f.add(QStringLiteral("Sunday"), 6, 14);
        f.add(QStringLiteral("Summer"), 8, 19);
        f.engine.startDay();
        QCOMPARE(f.alarms, QList<QStringList>{lines});
    }

    void aClockSetBackCatchesUpNothingAndForgetsNothing() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.add(QStringLiteral("Tenth"), 6, 10);
        f.add(QStringLiteral("Twelfth"), 6, 12);
        f.engine.startDay();
        f.wakeAt(QDateTime(QDate(2026, 6, 10), QTime(10, 0)));
        QCOMPARE(f.alarms, QList<QStringList>{{"Tenth is today."}});
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-10"));
        QCOMPARE(f.env.wakeTimer.next, QDate(2026, 6, 11).startOfDay());
        // Set right again, the days between are caught up.
        f.wakeAt(QDateTime(QDate(2026, 6, 15), QTime(10, 5)));
        QCOMPARE(f.alarms.size(), 2);
        QCOMPARE(f.alarms[1], QStringList{"Twelfth was 3 days ago."});
    }

    void aBadRememberedDayIsRewritten_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("garbled") << "not a day";
        QTest::newRow("in the future") << "2026-07-01";
        QTest::newRow("missing") << QString();
    }
    void aBadRememberedDayIsRewritten() {
        QFETCH(QString, stored);
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        if (!stored.isNull()) {
            f.env.settings.values.insert(QStringLiteral("Last Check"), stored);
        }
        f.add(QStringLiteral("Missed"), 6, 14);
        f.engine.startDay();
        QVERIFY(f.alarms.isEmpty());
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-15"));
    }

    void anUnreadableStoreIsNoCheck() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.env.settings.values.insert(QStringLiteral("Last Check"), QStringLiteral("2026-06-01"));
        f.db.close();
        f.engine.startDay();
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("ListEvents", 102)));
        // The next start still catches up from the day before; the watch goes on.
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-01"));
        QCOMPARE(f.env.wakeTimer.next, QDate(2026, 6, 16).startOfDay());
    }

    void settingsThatCannotBeWrittenLoseNothing() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.env.settings.values.insert(QStringLiteral("Last Check"), QStringLiteral("2026-06-12"));
        f.env.settings.failure = QStringLiteral("the file is read-only");
        f.add(QStringLiteral("Missed"), 6, 13);
        f.engine.startDay();
        QCOMPARE(f.alarms, QList<QStringList>{{"Missed was 2 days ago."}});
        QVERIFY(f.env.ui.errors().isEmpty());
        QCOMPARE(f.remembered(), QStringLiteral("2026-06-12"));
        // Not remembered, the catch-up comes again at the next start.
        f.engine.startDay();
        QCOMPARE(f.alarms.size(), 2);
        QCOMPARE(f.alarms[1], f.alarms[0]);
    }

    void aSnoozeCarriesOnAcrossMidnight() {
        DayFixture f(QDateTime(QDate(2026, 6, 14), QTime(23, 30)));
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.startDay();
        f.engine.setRecheckSeconds(3600);
        f.ticks(1800);
        f.sleepUntilTheWakeUp();
        QCOMPARE(f.alarms, QList<QStringList>{{"Event is today."}});
        QCOMPARE(f.engine.recheckSeconds(), 3600);
        QCOMPARE(f.engine.ticksCounted(), 1800);
        f.ticks(1800);
        QCOMPARE(f.alarms.size(), 2);
    }

    void aNewTimeZoneMovesTheWakeUp() {
        const QTimeZone berlin("Europe/Berlin");
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(20, 0), berlin));
        f.add(QStringLiteral("Event"), 6, 16);
        f.engine.startDay();
        QCOMPARE(f.env.wakeTimer.next, QDateTime(QDate(2026, 6, 16), QTime(0, 0), berlin));
        // West, the day goes on: the wake-up moves to the new midnight.
        const QTimeZone newYork("America/New_York");
        f.wakeAt(f.env.clock.now().toTimeZone(newYork));
        QVERIFY(f.alarms.isEmpty());
        QCOMPARE(f.env.wakeTimer.next, QDateTime(QDate(2026, 6, 16), QTime(0, 0), newYork));
        // East, the new day has begun already.
        const QTimeZone tokyo("Asia/Tokyo");
        f.wakeAt(f.env.clock.now().toTimeZone(tokyo));
        QCOMPARE(f.alarms, QList<QStringList>{{"Event is today."}});
        QCOMPARE(f.env.wakeTimer.next, QDateTime(QDate(2026, 6, 17), QTime(0, 0), tokyo));
    }

    void noWakeUpCountsBeforeTheFirstCheckOrAfterTheLast() {
        DayFixture f(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        f.add(QStringLiteral("Event"), 6, 16);
        f.wakeAt(QDateTime(QDate(2026, 6, 16), QTime(10, 0)));
        QCOMPARE(f.list.count(), 0);
        QVERIFY(!f.env.wakeTimer.next);
        f.engine.startDay();
        QCOMPARE(f.alarms.size(), 1);
        f.engine.stopWatching();
        QVERIFY(!f.env.wakeTimer.next);
        f.wakeAt(QDateTime(QDate(2026, 6, 17), QTime(10, 0)));
        QCOMPARE(f.list.text(0, EventListModel::DaysLeftColumn), QStringLiteral("Today"));
        QCOMPARE(f.alarms.size(), 1);
    }
};

ALMANIS_TEST_MAIN(ReminderEngineTest)
#include "tst_reminder_engine.moc"
