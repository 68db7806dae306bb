#include "EngineFixture.h"

#include "reminders/DueCheck.h"

#include <QApplication>

using namespace almanis;
using almanis::test::remindWindowsFrom;

namespace {
// Events written "description,month,day", then optionally the event's own
// remind days ("0 7"; "-" for none of its own, "" for own but none) and its
// year.
EventRows eventsFrom(const QStringList& texts) {
    EventRows events;
    for (const QString& text : texts) {
        const QStringList parts = text.split(QLatin1Char(','));
        EventRecord event{events.count() + 1, parts[0], parts[1].toInt(), parts[2].toInt()};
        if (parts.size() > 3 && parts[3] != QLatin1String("-")) {
            event.remindDays = remindWindowsFrom(parts[3]);
        }
        if (parts.size() > 4) {
            event.year = parts[4].toInt();
        }
        events.append(event);
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
        QTest::addColumn<int>("years");  // -1: the year is not known
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, const QString& description, int days, int years,
                            const QString& line) {
            QTest::newRow(name) << description << days << years << line;
        };
        row("today", "Ada", 0, -1, "Ada is today.");
        row("tomorrow", "Ada", 1, -1, "Ada is tomorrow.");
        row("ahead", "Ada", 30, -1, "Ada is in 30 days.");
        row("yesterday", "Ada", -1, -1, "Ada was yesterday.");
        row("passed", "Ada", -12, -1, "Ada was 12 days ago.");
        row("a description with a place marker", "Sale 50%2 off", 3, -1,
            "Sale 50%2 off is in 3 days.");
        row("years today", "Grace's birthday", 0, 121, "Grace's birthday is today (121 years).");
        row("years ahead", "Ada's birthday", 3, 211, "Ada's birthday is in 3 days (211 years).");
        row("one year", "Wedding", 1, 1, "Wedding is tomorrow (1 year).");
        row("years yesterday", "Wedding", -1, 2, "Wedding was yesterday (2 years).");
        row("years passed", "Wedding", -12, 40, "Wedding was 12 days ago (40 years).");
        row("no year completed yet tells none", "Opening", 7, 0, "Opening is in 7 days.");
        row("years with place markers in the description", "50%2 %n off", 14, 3,
            "50%2 %n off is in 14 days (3 years).");
    }
    void lines() {
        QFETCH(QString, description);
        QFETCH(int, days);
        QFETCH(int, years);
        QFETCH(QString, line);
        const std::optional<int> known = years >= 0 ? std::optional<int>(years) : std::nullopt;
        QCOMPARE((Reminder{EventRecord{1, description, 6, 15}, days, known}.line()), line);
    }

    // The years a reminder's day completes: the day itself, not today.
    void yearsOfTheDayTheReminderIsAbout_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("years");
        QTest::newRow("today") << QDate(2026, 12, 10) << 0 << 1815 << 211;
        QTest::newRow("next year's, across the year end") << QDate(2026, 12, 31) << 1 << 2000 << 27;
        QTest::newRow("caught up across the year end") << QDate(2027, 1, 3) << -3 << 2000 << 26;
        QTest::newRow("29 February's day in a common year: 1 March")
            << QDate(2027, 2, 27) << 2 << 2004 << 23;
        QTest::newRow("29 February in a leap year") << QDate(2028, 2, 27) << 2 << 2004 << 24;
    }
    void yearsOfTheDayTheReminderIsAbout() {
        QFETCH(QDate, today);
        QFETCH(int, days);
        QFETCH(int, year);
        QFETCH(int, years);
        EventRecord event{1, QStringLiteral("Ada"), 1, 1};
        QCOMPARE(Reminder::about(event, days, today).years, std::nullopt);
        event.year = year;
        QCOMPARE(Reminder::about(event, days, today).years, std::optional<int>(years));
    }

    // An event with remind days of its own is due by them alone; the others
    // by the options' windows.
    void ownRemindDays_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("own days instead of the options")
            << "0" << QStringList{"Own,6,22,7", "Options,6,22", "Own today,6,15,7"}
            << QStringList{"Own is in 7 days."};
        QTest::newRow("the options for those without")
            << "0 7" << QStringList{"Own,6,22,0", "Options,6,22,-", "Today,6,15"}
            << QStringList{"Options is in 7 days.", "Today is today."};
        QTest::newRow("own but none: never due")
            << "0 3 7 14 30" << QStringList{"Never,6,15,", "Never either,7,15,"} << QStringList{};
        QTest::newRow("own days with the options all off")
            << "" << QStringList{"Grace,6,15,0 30,1905", "Ada,7,15,30 14,1815"}
            << QStringList{"Grace is today (121 years).", "Ada is in 30 days (211 years)."};
    }
    void ownRemindDays() {
        QFETCH(QString, options);
        QFETCH(QStringList, events);
        QFETCH(QStringList, expected);
        const DueCheck check(remindWindowsFrom(options), QDate(2026, 6, 15));
        const EventRows rows = eventsFrom(events);
        QCOMPARE(linesOf(check.dueToday(rows)), expected);
        // One record at a time, as the re-check reads them, decides alike.
        QStringList one;
        for (int row = 0; row < rows.count(); ++row) {
            if (const std::optional<Reminder> due = check.dueToday(rows.record(row))) {
                one << due->line();
            }
        }
        QCOMPARE(one, expected);
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
        QTest::newRow("a year back at most")
            << monday << QDate(2024, 1, 1) << "0"
            << QStringList{"Yesterday,6,14", "A year ago,6,15", "Year-old,6,16"}
            << QStringList{"Year-old was 364 days ago.", "Yesterday was yesterday."};
        QTest::newRow("an event whose day came twice: the latest")
            << monday << QDate(2025, 5, 1) << "0 30" << QStringList{"Twice,7,1"}
            << QStringList{"Twice is in 16 days."};
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
        QTest::newRow("own days: missed by them, not by the options")
            << monday << friday << "0"
            << QStringList{"Own,6,20,7", "Options,6,13,-", "Own only on the day,6,14,0",
                           "Never,6,13,"}
            << QStringList{"Options was 2 days ago.", "Own only on the day was yesterday.",
                           "Own is in 5 days."};
        QTest::newRow("own days that are due today are told by today's line")
            << monday << friday << "0" << QStringList{"Own,6,22,7 14"} << QStringList{};
        QTest::newRow("caught-up lines tell the years of their day")
            << QDate(2027, 1, 3) << QDate(2026, 12, 28) << "0"
            << QStringList{"Eve,12,31,-,2000", "New Year,1,1,0 30,2000"}
            << QStringList{"Eve was 3 days ago (26 years).", "New Year was 2 days ago (27 years)."};
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
