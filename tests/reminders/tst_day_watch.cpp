#include "TestEnvironment.h"

#include "reminders/DayWatch.h"
#include "reminders/RememberedDay.h"

#include <QApplication>
#include <QTimeZone>

using namespace almanis;

namespace {
QDateTime at(const char* zone, QDate date, QTime time) {
    return QDateTime(date, time, QTimeZone(zone));
}
}  // namespace

class DayWatchTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void theNextDayStartsByTheCalendar_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDateTime>("start");  // in UTC
        QTest::addColumn<int>("hours");        // from the start of `day`
        QTest::newRow("an ordinary day")
            << QByteArray("Europe/Berlin") << QDate(2026, 6, 15)
            << QDateTime(QDate(2026, 6, 15), QTime(22, 0), Qt::UTC) << 24;
        QTest::newRow("spring forward: a day of 23 hours")
            << QByteArray("Europe/Berlin") << QDate(2026, 3, 29)
            << QDateTime(QDate(2026, 3, 29), QTime(22, 0), Qt::UTC) << 23;
        QTest::newRow("fall back: a day of 25 hours")
            << QByteArray("Europe/Berlin") << QDate(2026, 10, 25)
            << QDateTime(QDate(2026, 10, 25), QTime(23, 0), Qt::UTC) << 25;
        QTest::newRow("clocks that skip midnight start the day at one")
            << QByteArray("America/Santiago") << QDate(2026, 9, 5)
            << QDateTime(QDate(2026, 9, 6), QTime(4, 0), Qt::UTC) << 24;
        QTest::newRow("31 December") << QByteArray("UTC") << QDate(2026, 12, 31)
                                     << QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC) << 24;
        QTest::newRow("28 February, leap year")
            << QByteArray("UTC") << QDate(2028, 2, 28)
            << QDateTime(QDate(2028, 2, 29), QTime(0, 0), Qt::UTC) << 24;
        QTest::newRow("28 February, common year")
            << QByteArray("UTC") << QDate(2027, 2, 28)
            << QDateTime(QDate(2027, 3, 1), QTime(0, 0), Qt::UTC) << 24;
    }
    void theNextDayStartsByTheCalendar() {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        QFETCH(QDateTime, start);
        QFETCH(int, hours);
        const QDateTime now = at(zone.constData(), day, QTime(23, 59, 40));
        const QDateTime next = DayWatch::startOfDayAfter(day, now);
        QCOMPARE(next.toUTC(), start);
        QCOMPARE(next.timeZone(), QTimeZone(zone));
        QCOMPARE(day.startOfDay(QTimeZone(zone)).secsTo(next), hours * 3600);
    }

    void theLocalDayStartsAtLocalMidnight() {
        const QDateTime now(QDate(2026, 6, 15), QTime(10, 0));
        QCOMPARE(DayWatch::startOfDayAfter(now.date(), now), QDate(2026, 6, 16).startOfDay());
    }

    void theWakeUpFollowsTheDayChecked() {
        DayWatch watch;
        const QDateTime now = at("Europe/Berlin", QDate(2026, 6, 15), QTime(20, 0));
        QVERIFY(!watch.watching());
        QVERIFY(!watch.isNewDay(QDate(2026, 6, 15)));
        QCOMPARE(watch.nextWake(now), at("Europe/Berlin", QDate(2026, 6, 16), QTime(0, 0)));

        watch.watch(QDate(2026, 6, 15));
        QVERIFY(!watch.isNewDay(QDate(2026, 6, 15)));
        QVERIFY(watch.isNewDay(QDate(2026, 6, 16)));
        QVERIFY(watch.isNewDay(QDate(2026, 6, 10)));  // the clock set back
        // Travelled east, where the day checked has ended: wake at once.
        const QDateTime tokyo = now.toTimeZone(QTimeZone("Asia/Tokyo"));
        QCOMPARE(watch.nextWake(tokyo), at("Asia/Tokyo", QDate(2026, 6, 16), QTime(0, 0)));
        QVERIFY(watch.nextWake(tokyo) < tokyo);
        // Travelled west: the day ends later.
        const QDateTime newYork = now.toTimeZone(QTimeZone("America/New_York"));
        QCOMPARE(watch.nextWake(newYork), at("America/New_York", QDate(2026, 6, 16), QTime(0, 0)));

        watch.stop();
        QVERIFY(!watch.isNewDay(QDate(2026, 6, 16)));
    }

    void theRememberedDay_data() {
        QTest::addColumn<QString>("stored");  // empty: no value
        QTest::addColumn<QDate>("read");      // invalid: nothing
        QTest::newRow("missing") << QString() << QDate();
        QTest::newRow("garbled") << "yesterday" << QDate();
        QTest::newRow("no such day") << "2026-02-30" << QDate();
        QTest::newRow("not the program's format") << "15.06.2026" << QDate();
        QTest::newRow("after today: the clock was set back") << "2026-06-16" << QDate();
        QTest::newRow("today") << "2026-06-15" << QDate(2026, 6, 15);
        QTest::newRow("a day before") << "2026-05-02" << QDate(2026, 5, 2);
    }
    void theRememberedDay() {
        QFETCH(QString, stored);
        QFETCH(QDate, read);
        test::MemorySettingsStore settings;
        if (!stored.isNull()) {
            settings.values.insert(QStringLiteral("Last Check"), stored);
        }
        RememberedDay remembered(settings);
        const std::optional<QDate> day = remembered.read(QDate(2026, 6, 15));
        QCOMPARE(day.value_or(QDate()), read);
        remembered.write(QDate(2026, 6, 15));
        QCOMPARE(settings.writes, QStringList{"Last Check=2026-06-15"});
    }
};

ALMANIS_TEST_MAIN(DayWatchTest)
#include "tst_day_watch.moc"
