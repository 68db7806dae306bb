#include "EngineFixture.h"

#include "core/AppError.h"
#include "store/ResultSet.h"

#include <QApplication>

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

void ticks(ReminderEngine& engine, int count) {
    for (int i = 0; i < count; ++i) {
        engine.pollTick();
    }
}
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
            {"4", "New Year", "January", "1", "256", "1"},
            {"3", "Leap day", "February", "29", "315", "2"},  // to 1 Mar 2027
            {"1", "Mum's birthday", "April", "20", "Today", "4"},
            {"2", "Odd date", "April", "31", "11", "4"},  // 1 May
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

    void anEmptyTableGivesAnEmptyListAndNoAlarm() {
        EngineFixture f;
        f.host.starting = true;
        f.list.setRows({EventListModel::Row{EventRecord{99, QStringLiteral("stale"), 1, 1}}});
        f.engine.refreshList();
        QCOMPARE(f.list.count(), 0);
        QCOMPARE(f.host.shown, 0);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void unreadableRowIsReportedAndNotCounted() {
        EngineFixture f;
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Broken','abc',15)"));
        f.add(QStringLiteral("Fine"), 6, 20);
        f.engine.refreshList();
        // Each step that needs the month fails on its own; the rest of the row
        // and the other rows are filled. (Texts sort after numbers.)
        const QStringList errors = f.env.ui.errors();
        QCOMPARE(errors.size(), 3);
        QVERIFY(errors[0].startsWith(QStringLiteral("Type mismatch")));
        QVERIFY(errors[0].contains(location("ListEvents", 108)));
        QVERIFY(errors[1].contains(location("ListEvents", 112)));
        QVERIFY(errors[2].contains(location("ListEvents", 114)));
        QCOMPARE(f.list.count(), 2);
        QCOMPARE(row(f.list, 0), (QStringList{"2", "Fine", "June", "20", "5", "6"}));
        QCOMPARE(row(f.list, 1), (QStringList{"1", "Broken", "", "15", "", ""}));

        f.env.ui.clear();
        f.host.windows = RemindWindows{true, true, true, true, true};
        QVERIFY(!f.engine.hasDueEvent());
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("HasEventToday", 106)));

        // A due row read after an unreadable one still counts.
        f.env.ui.clear();
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Bad day',3,'x')"));
        f.add(QStringLiteral("Today"), 6, 15);
        QVERIFY(f.engine.hasDueEvent());
        QCOMPARE(f.env.ui.errors().size(), 1);
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
        QCOMPARE(row(f.list, 0), (QStringList{"3", "Broken", "", "15", "", ""}));
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
        QVERIFY(!f.engine.hasDueEvent());
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(location("HasEventToday", 104)));
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
        QCOMPARE(f.engine.hasDueEvent(), due);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void refreshOpensTheAlarmOnlyWhenStartingOrSnoozed_data() {
        QTest::addColumn<bool>("starting");
        QTest::addColumn<int>("duration");
        QTest::addColumn<bool>("somethingDue");
        QTest::addColumn<int>("shown");
        QTest::newRow("starting, due") << true << 0 << true << 1;
        QTest::newRow("starting, nothing due") << true << 0 << false << 0;
        QTest::newRow("off, due") << false << 0 << true << 0;
        QTest::newRow("snoozed, due") << false << 7200 << true << 1;
        QTest::newRow("snoozed, nothing due") << false << 7200 << false << 0;
    }
    void refreshOpensTheAlarmOnlyWhenStartingOrSnoozed() {
        QFETCH(bool, starting);
        QFETCH(int, duration);
        QFETCH(bool, somethingDue);
        QFETCH(int, shown);
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, somethingDue ? 15 : 16);
        f.host.starting = starting;
        f.engine.setRecheckSeconds(duration);
        f.engine.setTicksCounted(123);
        f.engine.refreshList();
        QCOMPARE(f.host.shown, shown);
        QCOMPARE(f.engine.ticksCounted(), 123);
        QCOMPARE(f.list.count(), 1);
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
            f.host.onShow = [] { throw AppError(QStringLiteral("no window")); };
            QVERIFY_THROWS_EXCEPTION(AppError, f.engine.openAlarm());
        } else {
            f.engine.openAlarm();
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
        ticks(f.engine, 100000);
        QCOMPARE(f.engine.ticksCounted(), 0);
        QCOMPARE(f.host.shown, 0);
        QVERIFY(f.env.ui.errors().isEmpty());
        f.engine.setRecheckSeconds(3600);
        ticks(f.engine, 3600);
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
        ticks(f.engine, duration - 1);
        QCOMPARE(f.host.shown, 0);
        ticks(f.engine, 1);
        QCOMPARE(f.host.shown, 1);
        QCOMPARE(f.engine.ticksCounted(), 0);
        ticks(f.engine, duration);
        QCOMPARE(f.host.shown, 2);
    }

    void snoozeKeepsCheckingIntoTheNextDays() {
        EngineFixture f(QDate(2026, 6, 14));
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(3600);
        ticks(f.engine, 3600);
        QCOMPARE(f.host.shown, 0);
        QCOMPARE(f.engine.ticksCounted(), 0);
        f.env.clock.set(QDate(2026, 6, 15));
        ticks(f.engine, 3600);
        QCOMPARE(f.host.shown, 1);
        f.env.clock.set(QDate(2026, 6, 16));
        ticks(f.engine, 3600 * 5);
        QCOMPARE(f.host.shown, 1);
    }

    void aShorterSnoozeThanTheCountChecksAtOnce() {
        EngineFixture f;
        f.add(QStringLiteral("Event"), 6, 15);
        f.engine.setRecheckSeconds(43200);
        ticks(f.engine, 5000);
        // The alarm opened meanwhile from a list rebuild, and the user chose an hour.
        f.host.onShow = [&] { f.engine.setRecheckSeconds(3600); };
        f.engine.refreshList();
        QCOMPARE(f.host.shown, 1);
        QCOMPARE(f.engine.ticksCounted(), 5000);
        f.host.onShow = nullptr;
        ticks(f.engine, 1);
        QCOMPARE(f.host.shown, 2);
        QCOMPARE(f.engine.ticksCounted(), 0);
        ticks(f.engine, 3599);
        QCOMPARE(f.host.shown, 2);
        ticks(f.engine, 1);
        QCOMPARE(f.host.shown, 3);
    }
};

ALMANIS_TEST_MAIN(ReminderEngineTest)
#include "tst_reminder_engine.moc"
