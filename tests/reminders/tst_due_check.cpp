#include "EngineFixture.h"

#include "reminders/DueCheck.h"

#include <QApplication>

using namespace almanis;
using almanis::test::remindWindowsFrom;

namespace {
// Events written "description,month,day".
EventRows eventsFrom(const QStringList& texts) {
    EventRows events;
    for (const QString& text : texts) {
        const QStringList parts = text.split(QLatin1Char(','));
        events.append({events.count() + 1, parts[0], parts[1].toInt(), parts[2].toInt()});
    }
    return events;
}

QStringList linesOf(const QList<Reminder>& reminders) {
    QStringList lines;
    for (const Reminder& reminder : reminders) {
        lines << reminder.line();
    }
    return lines;
}
}  // namespace

class DueCheckTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void lines_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("line");
        QTest::newRow("today") << "Ada" << 0 << "Ada is today.";
        QTest::newRow("tomorrow") << "Ada" << 1 << "Ada is tomorrow.";
        QTest::newRow("ahead") << "Ada" << 30 << "Ada is in 30 days.";
        QTest::newRow("yesterday") << "Ada" << -1 << "Ada was yesterday.";
        QTest::newRow("passed") << "Ada" << -12 << "Ada was 12 days ago.";
        QTest::newRow("a description with a place marker")
            << "Sale 50%2 off" << 3 << "Sale 50%2 off is in 3 days.";
    }
    void lines() {
        QFETCH(QString, description);
        QFETCH(int, days);
        QFETCH(QString, line);
        QCOMPARE((Reminder{EventRecord{1, description, 6, 15}, days}.line()), line);
    }

    void dueTodayKeepsTheEventsOrder() {
        const DueCheck check(remindWindowsFrom("0 3"), QDate(2026, 12, 30));
        QCOMPARE(linesOf(check.dueToday(eventsFrom({"Soon,1,2", "Later,1,3", "Now,12,30"}))),
                 (QStringList{"Soon is in 3 days.", "Now is today."}));
        // A stored date that can't be built is never due.
        QVERIFY(!check.dueToday(EventRecord{1, QStringLiteral("Broken"), 0, 3000000}));
    }

    void missed_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("lastChecked");  // invalid: nothing remembered
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("expected");
        const QDate monday(2026, 6, 15);
        const QDate friday(2026, 6, 12);
        const QStringList weekend{"Sat,6,13", "Sun,6,14", "Mon,6,15"};
        QTest::newRow("off over a weekend")
            << monday << friday << "0" << weekend
            << QStringList{"Sat was 2 days ago.", "Sun was yesterday."};
        QTest::newRow("first start: nothing remembered")
            << monday << QDate() << "0" << weekend << QStringList{};
        QTest::newRow("second start the same day")
            << monday << monday << "0" << weekend << QStringList{};
        QTest::newRow("checked yesterday: nothing missed")
            << monday << QDate(2026, 6, 14) << "0" << weekend << QStringList{};
        QTest::newRow("clock set back: the day remembered is after today")
            << friday << monday << "0" << weekend << QStringList{};
        QTest::newRow("windows before the day, still ahead")
            << monday << QDate(2026, 6, 10) << "3 7"
            << QStringList{"Party,6,20", "Meeting,6,16", "Past,6,12"}
            << QStringList{"Meeting is tomorrow.", "Party is in 5 days."};
        QTest::newRow("each event once, however many windows were missed")
            << monday << QDate(2026, 5, 1) << "0 3 7 14 30" << QStringList{"Ada,6,12"}
            << QStringList{"Ada was 3 days ago."};
        QTest::newRow("an event due today is told by today's line")
            << monday << QDate(2026, 6, 10) << "3 7" << QStringList{"Ada,6,18"} << QStringList{};
        QTest::newRow("the earliest day first, whatever the order read")
            << monday << QDate(2026, 6, 1) << "0 7"
            << QStringList{"Ahead,6,20", "Recent,6,14", "Older,6,9", "Oldest,6,3"}
            << QStringList{"Oldest was 12 days ago.", "Older was 6 days ago.",
                           "Recent was yesterday.", "Ahead is in 5 days."};
        QTest::newRow("31 days back at most")
            << monday << QDate(2026, 4, 1) << "0"
            << QStringList{"Too old,5,14", "Oldest kept,5,15", "Newer,6,1"}
            << QStringList{"Oldest kept was 31 days ago.", "Newer was 14 days ago."};
        QTest::newRow("windows switched off") << monday << friday << "" << weekend << QStringList{};
        QTest::newRow("across the year end")
            << QDate(2027, 1, 3) << QDate(2026, 12, 28) << "0"
            << QStringList{"New Year,1,1", "Eve,12,31", "Boxing Day,12,26"}
            << QStringList{"Eve was 3 days ago.", "New Year was 2 days ago."};
        QTest::newRow("29 February in a common year falls on 1 March")
            << QDate(2027, 3, 3) << QDate(2027, 2, 26) << "0" << QStringList{"Leap,2,29"}
            << QStringList{"Leap was 2 days ago."};
        QTest::newRow("29 February in a leap year")
            << QDate(2028, 3, 3) << QDate(2028, 2, 26) << "0" << QStringList{"Leap,2,29"}
            << QStringList{"Leap was 3 days ago."};
    }
    void missed() {
        QFETCH(QDate, today);
        QFETCH(QDate, lastChecked);
        QFETCH(QString, windows);
        QFETCH(QStringList, events);
        QFETCH(QStringList, expected);
        const DueCheck check(remindWindowsFrom(windows), today);
        const std::optional<QDate> last =
            lastChecked.isValid() ? std::optional<QDate>(lastChecked) : std::nullopt;
        QCOMPARE(linesOf(check.missedSince(eventsFrom(events), last)), expected);
    }
};

ALMANIS_TEST_MAIN(DueCheckTest)
#include "tst_due_check.moc"
