#include "TestEnvironment.h"

#include "core/AppError.h"
#include "core/EventDate.h"

#include <QApplication>

using namespace almanis;

class EventDateTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void daysLeft_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("expected");
        QTest::newRow("today") << QDate(2026, 6, 15) << 6 << 15 << 0;
        QTest::newRow("tomorrow") << QDate(2026, 6, 15) << 6 << 16 << 1;
        QTest::newRow("31 Dec to 1 Jan") << QDate(2026, 12, 31) << 1 << 1 << 1;
        QTest::newRow("1 Jan to 31 Dec, common year") << QDate(2026, 1, 1) << 12 << 31 << 364;
        QTest::newRow("1 Jan to 31 Dec, leap year") << QDate(2028, 1, 1) << 12 << 31 << 365;
        QTest::newRow("yesterday, no 29 Feb ahead") << QDate(2026, 6, 15) << 6 << 14 << 364;
        QTest::newRow("yesterday, 29 Feb ahead") << QDate(2027, 6, 15) << 6 << 14 << 365;
        QTest::newRow("yesterday, leap year's 29 Feb ahead") << QDate(2028, 1, 10) << 1 << 9 << 365;
        QTest::newRow("29 Feb, common year: to 1 Mar") << QDate(2026, 2, 10) << 2 << 29 << 19;
        QTest::newRow("29 Feb, common year: today on 1 Mar") << QDate(2026, 3, 1) << 2 << 29 << 0;
        QTest::newRow("29 Feb passed, next year leap") << QDate(2027, 3, 2) << 2 << 29 << 364;
        QTest::newRow("29 Feb passed, next year common") << QDate(2026, 3, 2) << 2 << 29 << 364;
        QTest::newRow("29 Feb, leap year: day before") << QDate(2028, 2, 28) << 2 << 29 << 1;
        QTest::newRow("29 Feb, leap year: today") << QDate(2028, 2, 29) << 2 << 29 << 0;
        QTest::newRow("31 Apr counts to 1 May") << QDate(2026, 4, 20) << 4 << 31 << 11;
        QTest::newRow("31 Apr today on 1 May") << QDate(2026, 5, 1) << 4 << 31 << 0;
        QTest::newRow("day 0: last day of the month before") << QDate(2026, 2, 20) << 3 << 0 << 8;
        QTest::newRow("day 0 passed") << QDate(2026, 3, 1) << 3 << 0 << 364;
        QTest::newRow("month 0: December of the year before")
            << QDate(2026, 6, 15) << 0 << 10 << 178;
        QTest::newRow("month 13: January of the year after")
            << QDate(2026, 6, 15) << 13 << 1 << 200;
        QTest::newRow("month 13 on 31 Dec") << QDate(2026, 12, 31) << 13 << 1 << 1;
        QTest::newRow("32 Dec carries into January") << QDate(2026, 12, 20) << 12 << 32 << 12;
        QTest::newRow("1 Jan seen from 25 Dec") << QDate(2026, 12, 25) << 1 << 1 << 7;
    }
    void daysLeft() {
        QFETCH(QDate, today);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, expected);
        QCOMPARE(almanis::daysLeft(month, day, today), expected);
        QCOMPARE(tryDaysLeft(month, day, today), std::optional<int>(expected));
    }

    // The dates are counted by arithmetic rather than through QDate; they must
    // agree with QDate's calendar on every day, around leap years and at the
    // calendar's ends.
    void theCountAgreesWithQDate_data() {
        QTest::addColumn<int>("year");
        for (const int year : {100, 101, 1600, 1899, 1900, 2000, 2024, 2026, 2027, 9998, 9999}) {
            QTest::addRow("%d", year) << year;
        }
    }
    void theCountAgreesWithQDate() {
        QFETCH(int, year);
        const QDate first(100, 1, 1);
        const QDate last(9999, 12, 31);
        for (int month = -1; month <= 14; ++month) {
            for (int day = -1; day <= 33; ++day) {
                const QDate expected = QDate(year, 1, 1).addMonths(month - 1).addDays(day - 1);
                // The month is carried first: its own year must be in the calendar.
                const QDate monthStart = QDate(year, 1, 1).addMonths(month - 1);
                const bool inside = monthStart >= first && monthStart <= last &&
                                    expected >= first && expected <= last;
                QCOMPARE(carriedDate(year, month, day),
                         inside ? std::optional<QDate>(expected) : std::nullopt);
            }
        }
        for (QDate today(year, 1, 1); today.year() == year; today = today.addDays(17)) {
            const QDate next = today.addDays(1);
            QCOMPARE(tryDaysLeft(next.month(), next.day(), today),
                     next.year() == year || year < 9999 ? std::optional<int>(1) : std::nullopt);
            // The count for many events gives what the one-off count gives.
            const DayCount count(today);
            for (int month = -1; month <= 14; ++month) {
                QCOMPARE(count.hasMonth(month), carriedDate(year, month, 1).has_value());
                for (int day = -1; day <= 33; day += 2) {
                    QCOMPARE(count.daysLeft(month, day), tryDaysLeft(month, day, today));
                }
            }
        }
    }

    void datesOutsideTheCalendarThrow() {
        QVERIFY(!carriedDate(9999, 13, 1));
        QVERIFY(!carriedDate(99, 12, 31));
        QCOMPARE(carriedDate(100, 1, 1), QDate(100, 1, 1));
        QVERIFY_THROWS_EXCEPTION(AppError, almanis::daysLeft(120000, 1, QDate(2026, 6, 15)));
        QVERIFY_THROWS_EXCEPTION(AppError, almanis::daysLeft(1, -4000000, QDate(2026, 6, 15)));
        QVERIFY(!tryDaysLeft(120000, 1, QDate(2026, 6, 15)));
    }

    // A year is when the event first happened: never ahead of today, and a
    // 29 February only in a year that had one.
    void yearsAnEventMayBeGiven_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("valid");
        QTest::newRow("long ago") << 1815 << 12 << 10 << true;
        QTest::newRow("the first year") << 1 << 1 << 1 << true;
        QTest::newRow("year 0") << 0 << 1 << 1 << false;
        QTest::newRow("negative") << -5 << 1 << 1 << false;
        QTest::newRow("this year") << 2026 << 6 << 15 << true;
        QTest::newRow("next year") << 2027 << 1 << 1 << false;
        QTest::newRow("29 February, leap year") << 1996 << 2 << 29 << true;
        QTest::newRow("29 February, common year") << 1985 << 2 << 29 << false;
        QTest::newRow("29 February, 1900") << 1900 << 2 << 29 << false;
        QTest::newRow("29 February, 2000") << 2000 << 2 << 29 << true;
    }
    void yearsAnEventMayBeGiven() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, valid);
        QCOMPARE(isValidEventYear(year, month, day, QDate(2026, 6, 15)), valid);
    }

    // The years an occurrence completes, counted on the day the list shows it.
    void yearsCompletedAtTheNextOccurrence_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("firstYear");
        QTest::addColumn<int>("years");
        QTest::newRow("later this year") << QDate(2026, 6, 15) << 12 << 10 << 1815 << 211;
        QTest::newRow("today") << QDate(2026, 12, 9) << 12 << 9 << 1906 << 120;
        QTest::newRow("passed: next year's") << QDate(2026, 12, 11) << 12 << 10 << 1815 << 212;
        QTest::newRow("31 December from 1 January") << QDate(2026, 1, 1) << 12 << 31 << 2000 << 26;
        QTest::newRow("1 January from 31 December") << QDate(2026, 12, 31) << 1 << 1 << 2000 << 27;
        QTest::newRow("29 February on 1 March of a common year")
            << QDate(2027, 2, 28) << 2 << 29 << 2000 << 27;
        QTest::newRow("29 February in a leap year") << QDate(2028, 2, 1) << 2 << 29 << 2000 << 28;
        QTest::newRow("born this year, still ahead") << QDate(2026, 1, 5) << 3 << 1 << 2026 << 0;
    }
    void yearsCompletedAtTheNextOccurrence() {
        QFETCH(QDate, today);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, firstYear);
        QFETCH(int, years);
        QCOMPARE(yearsCompleted(firstYear, today.addDays(almanis::daysLeft(month, day, today))),
                 years);
    }
};

ALMANIS_TEST_MAIN(EventDateTest)
#include "tst_event_date.moc"
