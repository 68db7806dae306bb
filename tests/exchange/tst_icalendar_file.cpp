// The iCalendar file: what export writes, what import makes of the files that
// calendar programs write, and the way from events to a file and back.
#include "CalendarTestFiles.h"
#include "Checks.h"
#include "TestEnvironment.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "exchange/ICalendarFile.h"

#include <libical/ical.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

using namespace almanis;
using almanis::test::yearly;

namespace {

const QDateTime kStamp(QDate(2026, 6, 15), QTime(9, 30), Qt::UTC);

QByteArray calendar(const QByteArray& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tests//Written by hand//EN\r\n" + body +
           "END:VCALENDAR\r\n";
}

QByteArray entry(const QByteArray& properties) {
    return "BEGIN:VEVENT\r\nUID:1@tests\r\nDTSTAMP:20240101T000000Z\r\n" + properties +
           "END:VEVENT\r\n";
}

// The lines of one VEVENT, so a test can look for a property in the right entry.
QList<QByteArray> entryLines(const QByteArray& file, int index) {
    QList<QByteArray> lines;
    int seen = -1;
    for (const QByteArray& line : file.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (text == "BEGIN:VEVENT") {
            ++seen;
        }
        if (seen == index) {
            lines.append(text);
        }
        if (text == "END:VEVENT" && seen == index) {
            break;
        }
    }
    return lines;
}

// The dates 2000 to 2030 on which libical puts the series of every VEVENT.
QList<QList<QDate>> seriesDates(const QByteArray& file) {
    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> root(
        icalparser_parse_string(file.constData()), icalcomponent_free);
    QList<QList<QDate>> all;
    for (icalcomponent* entry =
             icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
         entry != nullptr;
         entry = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT)) {
        icalproperty* rule = icalcomponent_get_first_property(entry, ICAL_RRULE_PROPERTY);
        if (rule == nullptr) {
            all.append(QList<QDate>());
            continue;
        }
        std::unique_ptr<icalrecur_iterator, void (*)(icalrecur_iterator*)> dates(
            icalrecur_iterator_new(icalproperty_get_rrule(rule), icalcomponent_get_dtstart(entry)),
            icalrecur_iterator_free);
        QList<QDate> series;
        for (icaltimetype date = icalrecur_iterator_next(dates.get());
             !icaltime_is_null_time(date) && date.year <= 2030;
             date = icalrecur_iterator_next(dates.get())) {
            series.append(QDate(date.year, date.month, date.day));
        }
        all.append(series);
    }
    return all;
}

}  // namespace

class ICalendarFileTest : public test::TestCase {
    Q_OBJECT
  private:
    // One folder for the whole class; every test writes its own file over the last.
    QTemporaryDir folder_;

    QString path(const QString& name = QStringLiteral("events.ics")) const {
        return folder_.filePath(name);
    }
    ICalendarImport importBytes(const QByteArray& bytes) {
        test::writeFile(path(), bytes);
        return readICalendar(path(), QDate(2026, 6, 15));
    }

  private slots:
    void exportWritesOneYearlyAllDayEntryPerEvent_data() {
        QTest::addColumn<EventRecord>("event");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArrayList>("absent");  // beginnings of lines the entry must not have
        const QByteArrayList common{"DTSTAMP:20260615T093000Z", "TRANSP:TRANSPARENT"};
        const QByteArrayList noDetails{"X-ALMANIS-YEAR", "DESCRIPTION", "BEGIN:VALARM"};
        const auto event = [](const char* description, int month, int day,
                              const test::Details& details = {}) {
            return yearly(QString::fromUtf8(description), month, day, details);
        };
        QTest::newRow("1 January")
            << event("New Year", 1, 1, {.uid = QStringLiteral("3f1c-uid")})
            << common + QByteArrayList{"UID:3f1c-uid", "DTSTART;VALUE=DATE:20000101",
                                       "DTEND;VALUE=DATE:20000102", "RRULE:FREQ=YEARLY",
                                       "SUMMARY:New Year"}
            << noDetails;
        QTest::newRow("31 December ends in the next year")
            << event("Eve", 12, 31)
            << QByteArrayList{"DTSTART;VALUE=DATE:20001231", "DTEND;VALUE=DATE:20010101"}
            << noDetails;
        QTest::newRow("29 February moves forward in common years")
            << event("Leap", 2, 29)
            << QByteArrayList{"DTSTART;VALUE=DATE:20000229", "DTEND;VALUE=DATE:20000301",
                              "RRULE:FREQ=YEARLY;BYYEARDAY=60"}
            << noDetails;
        QTest::newRow("28 February keeps the plain rule")
            << event("Before", 2, 28)
            << QByteArrayList{"DTSTART;VALUE=DATE:20000228", "RRULE:FREQ=YEARLY"} << noDetails;
        QTest::newRow("text escaped")
            << event("Tea, cakes; \"more\" \\ less", 5, 5)
            << QByteArrayList{"SUMMARY:Tea\\, cakes\\; \"more\" \\\\ less"} << noDetails;
        QTest::newRow("a known year starts the series")
            << event("Ada", 12, 10, {.year = 1815})
            << QByteArrayList{"DTSTART;VALUE=DATE:18151210", "DTEND;VALUE=DATE:18151211",
                              "RRULE:FREQ=YEARLY", "X-ALMANIS-YEAR:1815"}
            << QByteArrayList{"DESCRIPTION", "BEGIN:VALARM"};
        QTest::newRow("29 February of a leap year")
            << event("Leap", 2, 29, {.year = 1996})
            << QByteArrayList{"DTSTART;VALUE=DATE:19960229", "DTEND;VALUE=DATE:19960301",
                              "RRULE:FREQ=YEARLY;BYYEARDAY=60", "X-ALMANIS-YEAR:1996"}
            << QByteArrayList{};
        QTest::newRow("a year the date did not have is not written")
            << event("Leap", 2, 29, {.year = 1999}) << QByteArrayList{"DTSTART;VALUE=DATE:20000229"}
            << QByteArrayList{"X-ALMANIS-YEAR"};
        QTest::newRow("the note is the DESCRIPTION")
            << event("Ada", 12, 10, {.note = QStringLiteral("Gift: a book, \"Notes\";\nby post")})
            << QByteArrayList{"DESCRIPTION:Gift: a book\\, \"Notes\"\\;\\nby post"}
            << QByteArrayList{"X-ALMANIS-YEAR", "BEGIN:VALARM"};
        QTest::newRow("own days are alarms that many days before")
            << event("Ada", 12, 10, {.remindDays = test::windows("0,7,30")})
            << QByteArrayList{"BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Ada",
                              "TRIGGER:PT0S", "TRIGGER:-P7D",   "TRIGGER:-P30D"}
            << QByteArrayList{"TRIGGER:-P3D", "TRIGGER:-P14D", "ACTION:NONE"};
        QTest::newRow("own days, none of them: an alarm that never goes off")
            << event("Quiet", 3, 3, {.remindDays = test::windows("")})
            << QByteArrayList{"BEGIN:VALARM", "ACTION:NONE",
                              "TRIGGER;VALUE=DATE-TIME:19760401T005545Z"}
            << QByteArrayList{"ACTION:DISPLAY"};
    }
    void exportWritesOneYearlyAllDayEntryPerEvent() {
        QFETCH(EventRecord, event);
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArrayList, absent);
        writeICalendar(path(), {yearly(QStringLiteral("first"), 1, 2), event}, kStamp);
        const QByteArray file = test::readFile(path());
        const QList<QByteArray> written = entryLines(file, 1);
        for (const QByteArray& line : lines) {
            QVERIFY2(written.contains(line), line + " is not in\n" + file);
        }
        for (const QByteArray& line : written) {
            for (const QByteArray& start : absent) {
                QVERIFY2(!line.startsWith(start), line + " is in\n" + file);
            }
        }
        QVERIFY(entryLines(file, 2).isEmpty());
    }

    void exportWritesACalendarOtherProgramsRead() {
        writeICalendar(path(),
                       {yearly(QStringLiteral("A description long enough to be folded by the "
                                              "writer: 🎂 Zoë, שָׁלוֹם, and so on and on"),
                               4, 15)},
                       kStamp);
        const QByteArray file = test::readFile(path());
        QVERIFY(file.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Almanis//Almanis "));
        QVERIFY(file.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
        QVERIFY(file.contains("\r\nCALSCALE:GREGORIAN\r\n"));
        // Content lines end with CR LF and are folded to at most 75 octets.
        QVERIFY(!file.contains("\n\n"));
        for (const QByteArray& line : file.split('\n')) {
            QVERIFY2(line.isEmpty() || line.endsWith('\r'), line);
            QVERIFY2(line.size() <= 75 + 1, line);
        }
    }

    void exportedSeriesFallWhereTheListShowsThem_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("year");  // 0: unknown
        QTest::newRow("1 January") << 1 << 1 << 0;
        QTest::newRow("28 February") << 2 << 28 << 0;
        QTest::newRow("29 February") << 2 << 29 << 0;
        QTest::newRow("1 March") << 3 << 1 << 0;
        QTest::newRow("31 December") << 12 << 31 << 0;
        QTest::newRow("10 December 1815") << 12 << 10 << 1815;
        QTest::newRow("29 February 1896, then no leap year until 1904") << 2 << 29 << 1896;
        QTest::newRow("1 January of year 1") << 1 << 1 << 1;
    }
    void exportedSeriesFallWhereTheListShowsThem() {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, year);
        writeICalendar(path(),
                       {yearly(QStringLiteral("e"), month, day,
                               {.year = year > 0 ? std::optional<int>(year) : std::nullopt})},
                       kStamp);
        QList<QDate> expected;
        for (int each = year > 0 ? year : 2000; each <= 2030; ++each) {
            expected.append(year >= 100 || each >= 100 ? *carriedDate(each, month, day)
                                                       : QDate(each, month, day));
        }
        QCOMPARE(seriesDates(test::readFile(path())), QList<QList<QDate>>{expected});
    }

    void eventsSurviveTheRoundTrip_data() {
        QTest::addColumn<QList<EventRecord>>("events");
        QTest::newRow("plain") << QList<EventRecord>{yearly(QStringLiteral("New Year"), 1, 1)};
        QTest::newRow("commas, semicolons, quotes, backslashes") << QList<EventRecord>{
            yearly(QStringLiteral("Smith, John; \"Jack\" 'J' \\o/ : colon"), 6, 3)};
        QTest::newRow("emoji and accents") << QList<EventRecord>{
            yearly(QStringLiteral("Zoë's 🎂 party 👨‍👩‍👧"), 8, 8)};
        QTest::newRow("right-to-left text")
            << QList<EventRecord>{yearly(QStringLiteral("יום הולדת של דנה"), 3, 21),
                                  yearly(QStringLiteral("عيد ميلاد سعيد"), 9, 9)};
        QTest::newRow("long text folded across lines") << QList<EventRecord>{
            yearly(QString(60, QChar(0x00E9)) + QStringLiteral("🎂") + QString(60, QLatin1Char('x')),
                   7, 7)};
        QTest::newRow("29 February") << QList<EventRecord>{yearly(QStringLiteral("Leap"), 2, 29)};
        QList<EventRecord> lastDays;
        for (int month = 1; month <= 12; ++month) {
            lastDays.append(yearly(QStringLiteral("Last of %1").arg(month), month,
                                   QDate(2000, month, 1).daysInMonth()));
        }
        QTest::newRow("the last day of every month") << lastDays;
        QTest::newRow("same text twice") << QList<EventRecord>{
            yearly(QStringLiteral("Twin"), 5, 5), yearly(QStringLiteral("Twin"), 5, 5)};
        QTest::newRow("no events: an empty calendar") << QList<EventRecord>{};
        const auto with = [](const test::Details& details) {
            return QList<EventRecord>{yearly(QStringLiteral("Ada's birthday"), 12, 10, details)};
        };
        QTest::newRow("a year") << with({.year = 1815});
        QTest::newRow("a year this year") << with({.year = 2026});
        QTest::newRow("year 1") << with({.year = 1});
        QTest::newRow("29 February of a leap year")
            << QList<EventRecord>{yearly(QStringLiteral("Leap"), 2, 29, {.year = 2024})};
        QTest::newRow("a note of several lines")
            << with({.note = QStringLiteral("Gift ideas:\n- a book, \"Notes\"; \\ more\n\nZoë 🎂")});
        QTest::newRow("a note of blanks")
            << with({.note = QStringLiteral("  indented\n\tand  blank  ")});
        QTest::newRow("own days, each alone") << QList<EventRecord>{
            yearly(QStringLiteral("a"), 1, 1, {.remindDays = test::windows("0")}),
            yearly(QStringLiteral("b"), 1, 2, {.remindDays = test::windows("3")}),
            yearly(QStringLiteral("c"), 1, 3, {.remindDays = test::windows("7")}),
            yearly(QStringLiteral("d"), 1, 4, {.remindDays = test::windows("14")}),
            yearly(QStringLiteral("e"), 1, 5, {.remindDays = test::windows("30")})};
        QTest::newRow("own days, all of them")
            << with({.remindDays = test::windows("0,3,7,14,30")});
        QTest::newRow("own days, none of them") << with({.remindDays = test::windows("")});
        QTest::newRow("everything at once") << QList<EventRecord>{
            yearly(QStringLiteral("Ada's birthday"), 12, 10,
                   {1815, test::windows("0,7"), QStringLiteral("Notes on the engine"),
                    QStringLiteral("urn:uuid:0b3e")}),
            yearly(QStringLiteral("Leap"), 2, 29,
                   {1904, test::windows(""), QStringLiteral("x"), QStringLiteral("l")}),
            yearly(QStringLiteral("Plain"), 7, 4)};
    }
    void eventsSurviveTheRoundTrip() {
        QFETCH(QList<EventRecord>, events);
        QList<EventRecord> stored = events;
        for (qsizetype i = 0; i < stored.size(); ++i) {
            stored[i].id = 100 + i;
            if (stored[i].uid.isEmpty()) {
                stored[i].uid = QStringLiteral("uid-%1").arg(i);
            }
        }
        writeICalendar(path(), stored, kStamp);
        QCOMPARE(test::readFile(path()).count("BEGIN:VEVENT"), events.size());
        const ICalendarImport back = readICalendar(path(), QDate(2026, 6, 15));
        QList<EventRecord> expected = stored;
        for (EventRecord& event : expected) {
            event.id = 0;
        }
        QCOMPARE(back.events, expected);
        QVERIFY(back.skippedReport().isEmpty());
        QCOMPARE(back.changedOccurrences, 0);
    }

    // What the export writes for one event is what a CalDAV server is given
    // for it, and reads back as the same event.
    void oneEventIsOneCalendarResource() {
        const EventRecord event =
            yearly(QStringLiteral("Ada's birthday"), 12, 10,
                   {1815, test::windows("7"), QStringLiteral("a note"), QStringLiteral("ada-uid")});
        writeICalendar(path(), {event}, kStamp);
        const QByteArray resource = calendarResource(event, kStamp);
        QCOMPARE(resource, test::readFile(path()));
        QVERIFY(resource.contains(calendarEntry(event, kStamp)));
        QCOMPARE(readCalendarResource(resource, QDate(2026, 6, 15)), std::optional(event));

        // A resource may hold changes to single occurrences beside the series.
        QByteArray entry = calendarEntry(event, kStamp);
        const QByteArray changed =
            calendar(entry +
                     entry.left(entry.indexOf("END:VEVENT"))
                         .replace("DTSTART;", "RECURRENCE-ID;VALUE=DATE:20301210\r\nDTSTART;") +
                     "END:VEVENT\r\n");
        QCOMPARE(readCalendarResource(changed, QDate(2026, 6, 15)), std::optional(event));
        // One that happens once is no event of the program's.
        QCOMPARE(readCalendarResource(calendar(entry.replace("RRULE:FREQ=YEARLY\r\n", "")),
                                      QDate(2026, 6, 15)),
                 std::optional<EventRecord>());
        ALMANIS_VERIFY_CONTAINS(test::errorOf([] { readCalendarResource("<html>"); }),
                                QStringLiteral("The calendar data is not an iCalendar file"));
    }

    // A stored event is exported with its own UID, so a calendar that imports
    // a newer export updates its entries; one that is not stored gets a new
    // UID each time.
    void uidsStayTheSameAcrossExports() {
        const QList<EventRecord> events{yearly(QStringLiteral("a"), 1, 1, {.uid = "uid-a"}),
                                        yearly(QStringLiteral("b"), 2, 2, {.uid = "uid-b"}),
                                        yearly(QStringLiteral("not stored"), 3, 3),
                                        yearly(QStringLiteral("not stored either"), 3, 3)};
        const auto uids = [&](const QDateTime& stamp) {
            writeICalendar(path(), events, stamp);
            const QByteArray file = test::readFile(path());
            QByteArrayList found;
            for (int i = 0; i < events.size(); ++i) {
                for (const QByteArray& line : entryLines(file, i)) {
                    if (line.startsWith("UID:")) {
                        found.append(line);
                    }
                }
            }
            return found;
        };
        const QByteArrayList first = uids(kStamp);
        const QByteArrayList second = uids(kStamp.addDays(40));
        QCOMPARE(first.size(), 4);
        QCOMPARE(first.mid(0, 2), (QByteArrayList{"UID:uid-a", "UID:uid-b"}));
        QCOMPARE(second.mid(0, 2), first.mid(0, 2));
        QCOMPARE(QSet<QByteArray>(first.begin(), first.end())
                     .unite(QSet<QByteArray>(second.begin(), second.end()))
                     .size(),
                 6);
    }

    void aFailedExportLeavesTheOldFile_data() {
        QTest::addColumn<EventRecord>("bad");
        QTest::addColumn<QString>("reason");
        QTest::newRow("31 April") << EventRecord{1, QStringLiteral("Odd"), 4, 31}
                                  << "\"Odd\" cannot be exported: month 4 has no day 31";
        QTest::newRow("month 13") << EventRecord{1, QStringLiteral("Odd"), 13, 1}
                                  << "month 13 has no day 1";
        QTest::newRow("day 0") << EventRecord{1, QStringLiteral("Odd"), 1, 0}
                               << "month 1 has no day 0";
    }
    void aFailedExportLeavesTheOldFile() {
        QFETCH(EventRecord, bad);
        QFETCH(QString, reason);
        test::writeFile(path(), "the old file");
        QList<EventRecord> events;
        for (int i = 0; i < 3000; ++i) {  // enough that part of the file was written already
            events.append(yearly(QStringLiteral("Event %1").arg(i), 1 + i % 12, 1 + i % 28));
        }
        events.append(bad);
        ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { writeICalendar(path(), events, kStamp); }),
                                reason);
        QCOMPARE(test::readFile(path()), QByteArray("the old file"));
        QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), QStringList{"events.ics"});
    }

    void exportToAMissingFolderFails() {
        const QString target = path(QStringLiteral("no such folder/events.ics"));
        const QString error = test::errorOf(
            [&] { writeICalendar(target, {yearly(QStringLiteral("a"), 1, 1)}, kStamp); });
        ALMANIS_VERIFY_CONTAINS(error, QStringLiteral("cannot be created"));
        ALMANIS_VERIFY_CONTAINS(error, target);
    }

    void import_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<EventRecord>>("events");
        // Entries skipped: not yearly, moving date, without date, changed occurrence.
        QTest::addColumn<QList<int>>("skipped");
        const QList<int> none{0, 0, 0, 0};
        const QList<int> once{1, 0, 0, 0};
        const QList<int> moving{0, 1, 0, 0};
        const QList<int> undated{0, 0, 1, 0};
        const auto row = [](const char* name, const QByteArray& file,
                            const QList<EventRecord>& events, const QList<int>& skipped) {
            QTest::newRow(name) << file << events << skipped;
        };
        // The entry's event, with the UID entry() gives it.
        const auto one = [](const char* description, int month, int day,
                            test::Details details = {}) {
            if (details.uid.isNull()) {
                details.uid = QStringLiteral("1@tests");
            }
            return QList<EventRecord>{yearly(QString::fromUtf8(description), month, day, details)};
        };
        const QByteArray yearlyOn = "RRULE:FREQ=YEARLY\r\nDTSTART;VALUE=DATE:";
        const auto on = [&](const QByteArray& date, const QByteArray& more) {
            return calendar(entry(yearlyOn + date + "\r\n" + more));
        };

        // What repeats every year on one date, and what does not.
        row("yearly all-day", on("19900415", "SUMMARY:Ann\r\n"), one("Ann", 4, 15), none);
        row("yearly at a time",
            calendar(entry("DTSTART:20200315T090000\r\nRRULE:FREQ=YEARLY;COUNT=10\r\n"
                           "SUMMARY:Review\r\n")),
            one("Review", 3, 15), none);
        row("yearly, month and day named",
            calendar(entry("DTSTART;VALUE=DATE:20200315\r\n"
                           "RRULE:FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=15\r\nSUMMARY:Named\r\n")),
            one("Named", 3, 15), none);
        row("all-day once", calendar(entry("DTSTART;VALUE=DATE:20230704\r\nSUMMARY:Picnic\r\n")),
            {}, once);
        row("29 February once", calendar(entry("DTSTART;VALUE=DATE:20240229\r\nSUMMARY:L\r\n")), {},
            once);
        row("meeting at a time, once",
            calendar(entry("DTSTART:20240315T090000Z\r\nDTEND:20240315T100000Z\r\n"
                           "SUMMARY:Meeting\r\n")),
            {}, once);
        row("on dates of their own",
            calendar(entry("DTSTART;VALUE=DATE:20240331\r\nRDATE;VALUE=DATE:20250420\r\n"
                           "SUMMARY:Easter\r\n")),
            {}, once);
        row("weekly at a time",
            calendar(entry("DTSTART:20240315T090000\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Gym\r\n")), {},
            once);
        row("monthly all-day",
            calendar(entry("DTSTART;VALUE=DATE:20240315\r\nRRULE:FREQ=MONTHLY\r\nSUMMARY:R\r\n")),
            {}, once);
        row("every other year",
            calendar(entry("DTSTART;VALUE=DATE:20240315\r\nRRULE:FREQ=YEARLY;INTERVAL=2\r\n"
                           "SUMMARY:Biennial\r\n")),
            {}, once);
        row("yearly, but only once",
            calendar(entry("DTSTART;VALUE=DATE:20240315\r\nRRULE:FREQ=YEARLY;COUNT=1\r\n"
                           "SUMMARY:x\r\n")),
            {}, once);
        row("the fourth Thursday of November",
            calendar(entry("DTSTART;VALUE=DATE:20241128\r\n"
                           "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH\r\nSUMMARY:Thanksgiving\r\n")),
            {}, moving);
        row("yearly in another month",
            calendar(entry("DTSTART;VALUE=DATE:20240115\r\nRRULE:FREQ=YEARLY;BYMONTH=1,7\r\n"
                           "SUMMARY:Twice\r\n")),
            {}, moving);
        row("no DTSTART", calendar(entry("RRULE:FREQ=YEARLY\r\nSUMMARY:Lost\r\n")), {}, undated);
        row("DTSTART unreadable", on("someday", "SUMMARY:x\r\n"), {}, undated);

        // The date as the entry writes it.
        // 23:30 in Los Angeles is already the next day in UTC.
        row("time with TZID, late in the day",
            calendar(entry("DTSTART;TZID=America/Los_Angeles:20240315T233000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Late\r\n")),
            one("Late", 3, 15), none);
        row("time with TZID and its VTIMEZONE, early in the day",
            calendar("BEGIN:VTIMEZONE\r\nTZID:Pacific/Auckland\r\nBEGIN:STANDARD\r\n"
                     "DTSTART:19700405T030000\r\nTZOFFSETFROM:+1300\r\nTZOFFSETTO:+1200\r\n"
                     "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n"
                     "END:VTIMEZONE\r\n" +
                     entry("DTSTART;TZID=Pacific/Auckland:20240316T003000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Early\r\n")),
            one("Early", 3, 16), none);
        row("time with a TZID nobody knows",
            calendar(entry("DTSTART;TZID=Nowhere/Special:20240101T120000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Odd zone\r\n")),
            one("Odd zone", 1, 1), none);
        row("UTC time",
            calendar(entry("DTSTART:20240315T233000Z\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:U\r\n")),
            one("U", 3, 15), none);
        row("29 February, the 60th day of each year",
            calendar(entry("DTSTART;VALUE=DATE:20000229\r\n"
                           "RRULE:FREQ=YEARLY;BYYEARDAY=60\r\nSUMMARY:Leap\r\n")),
            one("Leap", 2, 29), none);
        row("29 February, RFC 7529 rule of earlier exports",
            calendar(entry("DTSTART;VALUE=DATE:20000229\r\n"
                           "RRULE:RSCALE=GREGORIAN;FREQ=YEARLY;SKIP=FORWARD\r\nSUMMARY:Leap\r\n")),
            one("Leap", 2, 29), none);
        row("the 60th day of another date moves",
            calendar(entry("DTSTART;VALUE=DATE:20000301\r\n"
                           "RRULE:FREQ=YEARLY;BYYEARDAY=60\r\nSUMMARY:x\r\n")),
            {}, moving);

        // The description.
        row("no SUMMARY", on("20240101", ""), one("Unnamed event", 1, 1), none);
        row("empty SUMMARY", on("20240101", "SUMMARY:\r\n"), one("Unnamed event", 1, 1), none);
        row("SUMMARY of blanks and line breaks", on("20240101", "SUMMARY: \\n \\n\r\n"),
            one("Unnamed event", 1, 1), none);
        row("SUMMARY escaped", on("20240101", "SUMMARY:Tea\\, cakes\\; \"more\" \\\\ less\r\n"),
            one("Tea, cakes; \"more\" \\ less", 1, 1), none);
        row("SUMMARY over lines", on("20240101", "SUMMARY:\\nFirst\\nSecond\\N\r\n"),
            one("First Second", 1, 1), none);
        row("SUMMARY trimmed", on("20240101", "SUMMARY:  padded  \r\n"), one("padded", 1, 1), none);
        row("non-ASCII SUMMARY", on("20240101", "SUMMARY:Zoë 🎂 יום הולדת\r\n"),
            one("Zoë 🎂 יום הולדת", 1, 1), none);
        row("Windows-1252 SUMMARY", on("20240101", "SUMMARY:Caf\xE9 \x80\r\n"), one("Café €", 1, 1),
            none);
        row("folded with CR LF and a blank",
            calendar(entry("RRULE:FREQ=YEARLY\r\nDTSTART;VALUE=DATE:2024\r\n 0101\r\n"
                           "SUMMARY:Fol\r\n ded\r\n")),
            one("Folded", 1, 1), none);
        row("folded with LF and a tab",
            QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nRRULE:FREQ=YEARLY\n"
                       "DTSTART;VALUE=DATE:20\n\t240101\nSUMMARY:Fol\n\tded\nEND:VEVENT\n"
                       "END:VCALENDAR\n"),
            QList<EventRecord>{yearly(QStringLiteral("Folded"), 1, 1)}, none);
        row("folded inside a UTF-8 character", on("20240101", "SUMMARY:Zo\xC3\r\n \xAB\r\n"),
            one("Zoë", 1, 1), none);
        row("names in small letters",
            QByteArray("begin:vcalendar\r\nbegin:vevent\r\nrrule:freq=yearly\r\n"
                       "dtstart;value=date:20240505\r\nsummary:Small\r\nuid:s\r\nend:vevent\r\n"
                       "end:vcalendar\r\n"),
            one("Small", 5, 5, {.uid = "s"}), none);

        // The note and the UID.
        row("DESCRIPTION is the note",
            on("20240606", "SUMMARY:Ada\r\nDESCRIPTION:Gift: a book\\, \"Notes\"\\;\\nby post\r\n"),
            one("Ada", 6, 6, {.note = "Gift: a book, \"Notes\";\nby post"}), none);
        row("an alarm's text is not the note",
            calendar(entry("DTSTART;VALUE=DATE:20240606\r\nRRULE:FREQ=YEARLY\r\n"
                           "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY:Alarm text\r\n"
                           "DESCRIPTION:Remember\r\nTRIGGER:-P1D\r\nEND:VALARM\r\n"
                           "SUMMARY:Entry text\r\n")),
            one("Entry text", 6, 6), none);
        row("a UID of another calendar",
            calendar("BEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E008@example.com\r\n"
                     "RRULE:FREQ=YEARLY\r\nDTSTART;VALUE=DATE:20240707\r\nSUMMARY:U\r\n"
                     "END:VEVENT\r\n"),
            one("U", 7, 7, {.uid = "040000008200E00074C5B7101A82E008@example.com"}), none);

        // The year, where the entry says it is a birthday's or an anniversary's.
        row("a holiday starting in 1970", on("19700101", "SUMMARY:New Year\r\n"),
            one("New Year", 1, 1), none);
        row("this program's year", on("18151210", "SUMMARY:Ada\r\nX-ALMANIS-YEAR:1815\r\n"),
            one("Ada", 12, 10, {.year = 1815}), none);
        row("this program's year, the series split later",
            on("20250101", "SUMMARY:Ada\r\nX-ALMANIS-YEAR:1815\r\n"),
            one("Ada", 1, 1, {.year = 1815}), none);
        row("this program's year after today",
            on("20300101", "SUMMARY:x\r\nX-ALMANIS-YEAR:2030\r\n"), one("x", 1, 1), none);
        row("this program's year, 29 February of a common year",
            calendar(entry("DTSTART;VALUE=DATE:20000229\r\nRRULE:FREQ=YEARLY;BYYEARDAY=60\r\n"
                           "SUMMARY:Leap\r\nX-ALMANIS-YEAR:1900\r\n")),
            one("Leap", 2, 29), none);
        row("this program's year, not a number",
            on("18151210", "SUMMARY:x\r\nX-ALMANIS-YEAR:eighteen\r\n"), one("x", 12, 10), none);
        row("Nextcloud's birthday with its year",
            on("19700415",
               "SUMMARY:🎂 Ann (1955)\r\nX-NEXTCLOUD-BC-FIELD-TYPE:BDAY\r\n"
               "X-NEXTCLOUD-BC-NAME:Ann\r\nX-NEXTCLOUD-BC-UNKNOWN-YEAR:0\r\n"
               "X-NEXTCLOUD-BC-YEAR:1955\r\n"),
            one("🎂 Ann (1955)", 4, 15, {.year = 1955}), none);
        row("Nextcloud's anniversary with its year",
            on("19920601",
               "SUMMARY:💍 Ann\r\nX-NEXTCLOUD-BC-FIELD-TYPE:ANNIVERSARY\r\n"
               "X-NEXTCLOUD-BC-YEAR:1992\r\n"),
            one("💍 Ann", 6, 1, {.year = 1992}), none);
        row("Nextcloud's birthday, year unknown",
            on("19700415",
               "SUMMARY:Ann\r\nX-NEXTCLOUD-BC-FIELD-TYPE:BDAY\r\n"
               "X-NEXTCLOUD-BC-UNKNOWN-YEAR:1\r\n"),
            one("Ann", 4, 15), none);
        row("Nextcloud's date of death",
            on("19900415",
               "SUMMARY:Ann\r\nX-NEXTCLOUD-BC-FIELD-TYPE:DEATHDATE\r\n"
               "X-NEXTCLOUD-BC-YEAR:1990\r\n"),
            one("Ann", 4, 15), none);
        row("KDE's birthday", on("19850303", "SUMMARY:Bo\r\nX-KDE-KABC-BIRTHDAY:YES\r\n"),
            one("Bo", 3, 3, {.year = 1985}), none);
        row("KDE's anniversary", on("20010909", "SUMMARY:Bo\r\nX-KDE-KABC-ANNIVERSARY:YES\r\n"),
            one("Bo", 9, 9, {.year = 2001}), none);
        row("a birthday by its category",
            on("19770707", "SUMMARY:Cy\r\nCATEGORIES:Family,Birthday\r\n"),
            one("Cy", 7, 7, {.year = 1977}), none);
        row("another category", on("19770707", "SUMMARY:Cy\r\nCATEGORIES:Holiday\r\n"),
            one("Cy", 7, 7), none);
        row("Apple's year that stands for none",
            calendar(entry("RRULE:FREQ=YEARLY\r\nDTSTART;VALUE=DATE;X-APPLE-OMIT-YEAR=1604:"
                           "16041210\r\nSUMMARY:Di\r\n")),
            one("Di", 12, 10), none);
        row("Apple's birthday with its year",
            calendar(entry("RRULE:FREQ=YEARLY\r\nDTSTART;VALUE=DATE;X-APPLE-OMIT-YEAR=1604:"
                           "19601210\r\nSUMMARY:Di\r\n")),
            one("Di", 12, 10, {.year = 1960}), none);
        row("a birthday in a year to come",
            on("20300303", "SUMMARY:Bo\r\nX-KDE-KABC-BIRTHDAY:YES\r\n"), one("Bo", 3, 3), none);

        // The remind days the alarms stand for.
        const auto alarms = [&](const QByteArray& valarms) {
            return on("20240606", "SUMMARY:A\r\n" + valarms);
        };
        const auto alarm = [](const QByteArray& lines) {
            return "BEGIN:VALARM\r\n" + lines + "END:VALARM\r\n";
        };
        const QByteArray display = "ACTION:DISPLAY\r\nDESCRIPTION:x\r\n";
        row("alarms of this program's days",
            alarms(alarm(display + "TRIGGER:-P7D\r\n") + alarm(display + "TRIGGER:PT0S\r\n")),
            one("A", 6, 6, {.remindDays = test::windows("0,7")}), none);
        row("alarms at a time of those days",
            alarms(alarm("ACTION:AUDIO\r\nTRIGGER:-P2DT15H\r\n") +
                   alarm(display + "TRIGGER:PT9H\r\n") +
                   alarm("ACTION:EMAIL\r\nTRIGGER;RELATED=START:-P2W\r\n")),
            one("A", 6, 6, {.remindDays = test::windows("0,3,14")}), none);
        row("the alarm that never goes off",
            alarms(alarm("ACTION:NONE\r\nTRIGGER;VALUE=DATE-TIME:"
                         "19760401T005545Z\r\n")),
            one("A", 6, 6, {.remindDays = test::windows("")}), none);
        row("the alarm that never goes off beside others",
            alarms(alarm("ACTION:NONE\r\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\n") +
                   alarm(display + "TRIGGER:-P30D\r\n")),
            one("A", 6, 6, {.remindDays = test::windows("30")}), none);
        row("an alarm the day before: the options apply",
            alarms(alarm(display + "TRIGGER:-PT15H\r\n")), one("A", 6, 6), none);
        row("an alarm no day stands for beside one that does",
            alarms(alarm(display + "TRIGGER:-P7D\r\n") + alarm(display + "TRIGGER:-P5D\r\n")),
            one("A", 6, 6), none);
        row("an alarm at the end", alarms(alarm(display + "TRIGGER;RELATED=END:-P1D\r\n")),
            one("A", 6, 6), none);
        row("an alarm at a time of its own",
            alarms(alarm(display + "TRIGGER;VALUE=DATE-TIME:20240601T090000Z\r\n")), one("A", 6, 6),
            none);
        row("an alarm without trigger", alarms(alarm(display)), one("A", 6, 6), none);
        row("a quarter of an hour before a meeting at nine",
            calendar(entry("RRULE:FREQ=YEARLY\r\nDTSTART:20240606T090000\r\nSUMMARY:A\r\n" +
                           alarm(display + "TRIGGER:-PT15M\r\n"))),
            one("A", 6, 6, {.remindDays = test::windows("0")}), none);

        // The file around the entries.
        row("a changed occurrence of a series",
            calendar(entry("DTSTART;VALUE=DATE:20240707\r\nRRULE:FREQ=YEARLY\r\n"
                           "SUMMARY:Series\r\n") +
                     entry("RECURRENCE-ID;VALUE=DATE:20250707\r\n"
                           "DTSTART;VALUE=DATE:20250708\r\nSUMMARY:Series\r\n")),
            one("Series", 7, 7), (QList<int>{0, 0, 0, 1}));
        row("to-dos and journal entries are no events",
            calendar("BEGIN:VTODO\r\nDTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=YEARLY\r\n"
                     "SUMMARY:Do\r\nEND:VTODO\r\n"
                     "BEGIN:VJOURNAL\r\nDTSTART;VALUE=DATE:20240101\r\nEND:VJOURNAL\r\n"),
            {}, none);
        row("two calendars", on("20240101", "SUMMARY:One\r\n") + on("20240202", "SUMMARY:Two\r\n"),
            (one("One", 1, 1) + one("Two", 2, 2)), none);
        row("byte-order mark and text around the calendar",
            "\xEF\xBB\xBFnot iCalendar\r\n" + on("20240101", "SUMMARY:In\r\n") + "SUMMARY:Out\r\n",
            one("In", 1, 1), none);
        row("calendar without entries", calendar({}), {}, none);
        row("file order kept, skipped ones counted",
            calendar(entry(yearlyOn + "20241201\r\nSUMMARY:A\r\n") +
                     entry("DTSTART:20240101T100000Z\r\nSUMMARY:Timed\r\n") +
                     entry(yearlyOn + "20240301\r\nSUMMARY:B\r\n") + entry({}) +
                     entry("DTSTART;VALUE=DATE:20240301\r\nSUMMARY:Once\r\n")),
            (one("A", 12, 1) + one("B", 3, 1)), (QList<int>{2, 0, 1, 0}));
    }
    void import() {
        QFETCH(QByteArray, file);
        QFETCH(QList<EventRecord>, events);
        QFETCH(QList<int>, skipped);
        test::writeFile(path(), file);
        const ICalendarImport result = readICalendar(path(), QDate(2026, 6, 15));
        QCOMPARE(result.events, events);
        QCOMPARE((QList<int>{result.notYearly, result.movingDate, result.withoutDate,
                             result.changedOccurrences}),
                 skipped);
        QCOMPARE(parseICalendar(file, QDate(2026, 6, 15)).events, events);
    }

    void skippedEntriesAreToldByReason_data() {
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("none") << QList<int>{0, 0, 0, 5} << QStringList{};
        QTest::newRow("one of each")
            << QList<int>{1, 1, 1, 1}
            << QStringList{"1 calendar entry skipped: it does not repeat every year.",
                           "1 calendar entry skipped: it does not fall on the same date every "
                           "year.",
                           "1 calendar entry skipped: it has no date that can be read."};
        QTest::newRow("several")
            << QList<int>{12, 2, 3, 0}
            << QStringList{"12 calendar entries skipped: they do not repeat every year.",
                           "2 calendar entries skipped: they do not fall on the same date every "
                           "year.",
                           "3 calendar entries skipped: they have no date that can be read."};
    }
    void skippedEntriesAreToldByReason() {
        QFETCH(QList<int>, skipped);
        QFETCH(QStringList, report);
        ICalendarImport read;
        read.notYearly = skipped[0];
        read.movingDate = skipped[1];
        read.withoutDate = skipped[2];
        read.changedOccurrences = skipped[3];
        QCOMPARE(read.skippedReport(), report);
    }

    // An entry on a day that does not exist, or whose summary the editor
    // would not take, gives no event: the report says why, with its line.
    void entriesThatCannotBeImportedAreToldWithTheirLine_data() {
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QString>("report");
        const auto starts = [](const char* name, const QByteArray& start, const char* why) {
            QTest::newRow(name) << "SUMMARY:Ann\r\nDTSTART" + start + "\r\nRRULE:FREQ=YEARLY\r\n"
                                << QStringLiteral("Line 8: the entry \"Ann\" starts on %1: %2")
                                       .arg(QString::fromLatin1(start.mid(start.indexOf(':') + 1))
                                                .prepend(QLatin1Char('"'))
                                                .append(QLatin1Char('"')),
                                            QLatin1String(why));
        };
        starts("29 February of a common year", ";VALUE=DATE:19810229",
               "February 1981 has no day 29");
        starts("29 February of a common year, at a time", ":19810229T120000Z",
               "February 1981 has no day 29");
        starts("30 February", ";VALUE=DATE:20000230", "February has no day 30");
        starts("31 April", ";VALUE=DATE:20230431", "April has no day 31");
        starts("month 13", ";VALUE=DATE:19811301", "there is no month 13");
        starts("month 0", ";VALUE=DATE:19810001", "there is no month 0");
        QTest::newRow("escape sequence in SUMMARY")
            << QByteArray(
                   "DTSTART;VALUE=DATE:20240101\r\nSUMMARY:Evil\x1B[2J\r\nRRULE:FREQ=YEARLY\r\n")
            << "Line 8: the entry \"Evil\uFFFD[2J\" cannot be imported: the description holds "
               "the control character U+001B, which the editor does not take either";
        QTest::newRow("SUMMARY too long")
            << "DTSTART;VALUE=DATE:20240101\r\nSUMMARY:" + QByteArray(32768, 'x') +
                   "\r\nRRULE:FREQ=YEARLY\r\n"
            << "Line 8: the entry \"" + QString(80, QLatin1Char('x')) +
                   "...\" cannot be imported: the description is 32768 characters long, and it "
                   "can have at most 32767";
        QTest::newRow("SUMMARY too long to read")
            << "DTSTART;VALUE=DATE:20240101\r\nSUMMARY:" + QByteArray(2 << 20, 'x') +
                   "\r\nRRULE:FREQ=YEARLY\r\n"
            << "Line 8 is longer than 1048576 bytes, so the entry that begins on line 4 cannot be "
               "read";
    }
    void entriesThatCannotBeImportedAreToldWithTheirLine() {
        QFETCH(QByteArray, properties);
        QFETCH(QString, report);
        const ICalendarImport result = importBytes(calendar(
            entry(properties) +
            entry("DTSTART;VALUE=DATE:20240202\r\nSUMMARY:Next\r\nRRULE:FREQ=YEARLY\r\n")));
        QCOMPARE(result.events, QList<EventRecord>{yearly(QStringLiteral("Next"), 2, 2,
                                                          {.uid = QStringLiteral("1@tests")})});
        QCOMPARE(result.skippedEntries, QStringList{report});
        QCOMPARE(result.skippedReport(), QStringList{});
    }

    void unreadableFilesGiveNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "is empty";
        const QByteArray garbage = test::randomBytes(4096);
        QTest::newRow("binary garbage") << garbage << "has no BEGIN:VCALENDAR";
        QTest::newRow("a vCard") << QByteArray("BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\n")
                                 << "is not an iCalendar file";
        const QByteArray whole = calendar(
            entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:One\r\n") +
            entry("DTSTART;VALUE=DATE:20240202\r\nSUMMARY:A summary folded\r\n  here\r\n"));
        QTest::newRow("cut inside an entry") << whole.left(whole.indexOf("A summary"))
                                             << "ends inside the VEVENT that begins on line 10";
        QTest::newRow("cut inside a folded line")
            << whole.left(whole.indexOf(" here"))
            << "ends inside the VEVENT that begins on line 10";
        QTest::newRow("cut after an entry") << whole.left(whole.indexOf("END:VCALENDAR"))
                                            << "ends inside the VCALENDAR that begins on line 1";
        QTest::newRow("garbage inside the calendar")
            << "BEGIN:VCALENDAR\r\n" + garbage << "ends inside the VCALENDAR";
    }
    void unreadableFilesGiveNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        const QString error = test::errorOf([&] { importBytes(file); });
        ALMANIS_VERIFY_CONTAINS(error, path());
        ALMANIS_VERIFY_CONTAINS(error, reason);
    }

    void missingFilesAreNamed() {
        for (const QString& missing : {path(QStringLiteral("none.ics")), folder_.path()}) {
            ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { readICalendar(missing); }), missing);
        }
    }

    // A calendar export of many years: timed meetings with long notes and an
    // attachment each, one birthday in ten. The reader holds one entry at a time.
    void aLargeFileIsReadInPieces() {
        const QByteArray note = "DESCRIPTION:" + QByteArray(2000, 'n') + "\r\n";
        const QByteArray attachment =
            "ATTACH;ENCODING=BASE64;VALUE=BINARY:" + QByteArray(3000, 'Q') + "\r\n";
        const int pieces = test::writeLargeFile(
            path(), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n",
            [&](int n) {
                if (n % 10 == 0) {
                    return entry(QByteArrayLiteral("DTSTART;VALUE=DATE:1980") +
                                 QByteArray::number(1001 + n % 28) +
                                 "\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Birthday " +
                                 QByteArray::number(n) + "\r\n");
                }
                return entry("DTSTART:20240101T100000Z\r\nSUMMARY:Meeting\r\n" + note + attachment);
            },
            50 * 1024 * 1024, "END:VCALENDAR\r\n");
        QVERIFY(pieces > 0);
        const long before = test::peakMemoryKiB();
        const ICalendarImport result = readICalendar(path());
        QCOMPARE(result.events.size(), (pieces + 9) / 10);
        QCOMPARE(result.notYearly, pieces - result.events.size());
        QCOMPARE(result.events.last().description,
                 QStringLiteral("Birthday %1").arg((pieces - 1) / 10 * 10));
        if (test::kPeakMemoryIsMeaningful) {
            const long grown = test::peakMemoryKiB() - before;
            QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(grown)));
        }
    }
};

ALMANIS_TEST_MAIN(ICalendarFileTest)
#include "tst_icalendar_file.moc"
