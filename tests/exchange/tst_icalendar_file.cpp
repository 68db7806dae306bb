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
        return readICalendar(path());
    }

  private slots:
    void exportWritesOneYearlyAllDayEntryPerEvent_data() {
        QTest::addColumn<EventRecord>("event");
        QTest::addColumn<QByteArrayList>("lines");
        const QByteArrayList common{"DTSTAMP:20260615T093000Z", "TRANSP:TRANSPARENT"};
        QTest::newRow("1 January")
            << EventRecord{7, QStringLiteral("New Year"), 1, 1}
            << common + QByteArrayList{"UID:7@almanis.events", "DTSTART;VALUE=DATE:20000101",
                                       "DTEND;VALUE=DATE:20000102", "RRULE:FREQ=YEARLY",
                                       "SUMMARY:New Year"};
        QTest::newRow("31 December ends in the next year")
            << EventRecord{12, QStringLiteral("Eve"), 12, 31}
            << QByteArrayList{"DTSTART;VALUE=DATE:20001231", "DTEND;VALUE=DATE:20010101"};
        QTest::newRow("29 February moves forward in common years")
            << EventRecord{3, QStringLiteral("Leap"), 2, 29}
            << QByteArrayList{"DTSTART;VALUE=DATE:20000229", "DTEND;VALUE=DATE:20000301",
                              "RRULE:FREQ=YEARLY;BYYEARDAY=60"};
        QTest::newRow("28 February keeps the plain rule")
            << EventRecord{4, QStringLiteral("Before"), 2, 28}
            << QByteArrayList{"DTSTART;VALUE=DATE:20000228", "RRULE:FREQ=YEARLY"};
        QTest::newRow("text escaped")
            << EventRecord{5, QStringLiteral("Tea, cakes; \"more\" \\ less"), 5, 5}
            << QByteArrayList{"SUMMARY:Tea\\, cakes\\; \"more\" \\\\ less"};
        QTest::newRow("large id") << EventRecord{9007199254740993, QStringLiteral("x"), 5, 5}
                                  << QByteArrayList{"UID:9007199254740993@almanis.events"};
    }
    void exportWritesOneYearlyAllDayEntryPerEvent() {
        QFETCH(EventRecord, event);
        QFETCH(QByteArrayList, lines);
        writeICalendar(path(), {yearly(QStringLiteral("first"), 1, 2), event}, kStamp);
        const QByteArray file = test::readFile(path());
        const QList<QByteArray> written = entryLines(file, 1);
        for (const QByteArray& line : lines) {
            QVERIFY2(written.contains(line), line + " is not in\n" + file);
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
        QTest::newRow("1 January") << 1 << 1;
        QTest::newRow("28 February") << 2 << 28;
        QTest::newRow("29 February") << 2 << 29;
        QTest::newRow("1 March") << 3 << 1;
        QTest::newRow("31 December") << 12 << 31;
    }
    void exportedSeriesFallWhereTheListShowsThem() {
        QFETCH(int, month);
        QFETCH(int, day);
        writeICalendar(path(), {yearly(QStringLiteral("e"), month, day)}, kStamp);
        QList<QDate> expected;
        for (int year = 2000; year <= 2030; ++year) {
            expected.append(*carriedDate(year, month, day));
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
    }
    void eventsSurviveTheRoundTrip() {
        QFETCH(QList<EventRecord>, events);
        QList<EventRecord> stored = events;
        for (qsizetype i = 0; i < stored.size(); ++i) {
            stored[i].id = 100 + i;
        }
        writeICalendar(path(), stored, kStamp);
        QCOMPARE(test::readFile(path()).count("BEGIN:VEVENT"), events.size());
        const ICalendarImport back = readICalendar(path());
        QCOMPARE(back.events, events);
        QCOMPARE(back.skippedEvents, 0);
    }

    void uidsStayTheSameAcrossExports() {
        const QList<EventRecord> events{{1, QStringLiteral("a"), 1, 1},
                                        {2, QStringLiteral("b"), 2, 2},
                                        {0, QStringLiteral("not stored"), 3, 3},
                                        {0, QStringLiteral("not stored either"), 3, 3}};
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
        QCOMPARE(first.mid(0, 2), second.mid(0, 2));
        QCOMPARE(first[0], QByteArray("UID:1@almanis.events"));
        QCOMPARE(first[1], QByteArray("UID:2@almanis.events"));
        // Events with no id still get UIDs of their own.
        QVERIFY(first[2].endsWith("@almanis.events") && first[3].endsWith("@almanis.events"));
        QCOMPARE(QSet<QByteArray>(first.begin(), first.end()).size(), 4);
        QCOMPARE(QSet<QByteArray>(second.begin(), second.end()).size(), 4);
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
        QTest::addColumn<int>("skipped");
        const auto row = [](const char* name, const QByteArray& file,
                            const QList<EventRecord>& events,
                            int skipped) { QTest::newRow(name) << file << events << skipped; };
        const auto one = [](const char* description, int month, int day) {
            return QList<EventRecord>{yearly(QString::fromUtf8(description), month, day)};
        };
        row("yearly all-day",
            calendar(entry("DTSTART;VALUE=DATE:19900415\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Ann\r\n")),
            one("Ann", 4, 15), 0);
        row("all-day once", calendar(entry("DTSTART;VALUE=DATE:20230704\r\nSUMMARY:Picnic\r\n")),
            one("Picnic", 7, 4), 0);
        row("yearly at a time",
            calendar(entry("DTSTART:20200315T090000\r\nRRULE:FREQ=YEARLY;COUNT=10\r\n"
                           "SUMMARY:Review\r\n")),
            one("Review", 3, 15), 0);
        row("meeting at a time, once",
            calendar(entry("DTSTART:20240315T090000Z\r\nDTEND:20240315T100000Z\r\n"
                           "SUMMARY:Meeting\r\n")),
            QList<EventRecord>{}, 1);
        row("weekly at a time",
            calendar(entry("DTSTART:20240315T090000\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Gym\r\n")),
            QList<EventRecord>{}, 1);
        row("no DTSTART", calendar(entry("RRULE:FREQ=YEARLY\r\nSUMMARY:Lost\r\n")),
            QList<EventRecord>{}, 1);
        row("DTSTART unreadable",
            calendar(entry("DTSTART;VALUE=DATE:someday\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:x\r\n")),
            QList<EventRecord>{}, 1);
        // 23:30 in Los Angeles is already the next day in UTC.
        row("time with TZID, late in the day",
            calendar(entry("DTSTART;TZID=America/Los_Angeles:20240315T233000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Late\r\n")),
            one("Late", 3, 15), 0);
        row("time with TZID and its VTIMEZONE, early in the day",
            calendar("BEGIN:VTIMEZONE\r\nTZID:Pacific/Auckland\r\nBEGIN:STANDARD\r\n"
                     "DTSTART:19700405T030000\r\nTZOFFSETFROM:+1300\r\nTZOFFSETTO:+1200\r\n"
                     "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n"
                     "END:VTIMEZONE\r\n" +
                     entry("DTSTART;TZID=Pacific/Auckland:20240316T003000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Early\r\n")),
            one("Early", 3, 16), 0);
        row("time with a TZID nobody knows",
            calendar(entry("DTSTART;TZID=Nowhere/Special:20240101T120000\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Odd zone\r\n")),
            one("Odd zone", 1, 1), 0);
        row("UTC time",
            calendar(entry("DTSTART:20240315T233000Z\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:U\r\n")),
            one("U", 3, 15), 0);
        row("29 February all-day",
            calendar(entry("DTSTART;VALUE=DATE:20240229\r\nSUMMARY:Leap\r\n")), one("Leap", 2, 29),
            0);
        row("29 February, the 60th day of each year",
            calendar(entry("DTSTART;VALUE=DATE:20000229\r\n"
                           "RRULE:FREQ=YEARLY;BYYEARDAY=60\r\nSUMMARY:Leap\r\n")),
            one("Leap", 2, 29), 0);
        row("29 February, RFC 7529 rule of earlier exports",
            calendar(entry("DTSTART;VALUE=DATE:20000229\r\n"
                           "RRULE:RSCALE=GREGORIAN;FREQ=YEARLY;SKIP=FORWARD\r\nSUMMARY:Leap\r\n")),
            one("Leap", 2, 29), 0);
        row("no SUMMARY", calendar(entry("DTSTART;VALUE=DATE:20240101\r\n")),
            one("Unnamed event", 1, 1), 0);
        row("empty SUMMARY", calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:\r\n")),
            one("Unnamed event", 1, 1), 0);
        row("SUMMARY of blanks and line breaks",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY: \\n \\n\r\n")),
            one("Unnamed event", 1, 1), 0);
        row("SUMMARY escaped",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\n"
                           "SUMMARY:Tea\\, cakes\\; \"more\" \\\\ less\r\n")),
            one("Tea, cakes; \"more\" \\ less", 1, 1), 0);
        row("SUMMARY over lines",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:\\nFirst\\nSecond\\N\r\n")),
            one("First Second", 1, 1), 0);
        row("SUMMARY trimmed",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\n"
                           "SUMMARY:  padded  \r\n")),
            one("padded", 1, 1), 0);
        row("non-ASCII SUMMARY",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:Zoë 🎂 יום הולדת\r\n")),
            one("Zoë 🎂 יום הולדת", 1, 1), 0);
        row("Windows-1252 SUMMARY",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:Caf\xE9 \x80\r\n")),
            one("Café €", 1, 1), 0);
        row("folded with CR LF and a blank",
            calendar(entry("DTSTART;VALUE=DATE:2024\r\n 0101\r\nSUMMARY:Fol\r\n ded\r\n")),
            one("Folded", 1, 1), 0);
        row("folded with LF and a tab",
            QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20\n"
                       "\t240101\nSUMMARY:Fol\n\tded\nEND:VEVENT\nEND:VCALENDAR\n"),
            one("Folded", 1, 1), 0);
        row("folded inside a UTF-8 character",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:Zo\xC3\r\n \xAB\r\n")),
            one("Zoë", 1, 1), 0);
        row("names in small letters",
            QByteArray("begin:vcalendar\r\nbegin:vevent\r\ndtstart;value=date:20240505\r\n"
                       "summary:Small\r\nend:vevent\r\nend:vcalendar\r\n"),
            one("Small", 5, 5), 0);
        row("alarm inside the entry",
            calendar(entry("DTSTART;VALUE=DATE:20240606\r\nRRULE:FREQ=YEARLY\r\n"
                           "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY:Alarm text\r\n"
                           "DESCRIPTION:Remember\r\nTRIGGER:-P1D\r\nEND:VALARM\r\n"
                           "SUMMARY:Entry text\r\n")),
            one("Entry text", 6, 6), 0);
        row("a changed occurrence of a series",
            calendar(entry("DTSTART;VALUE=DATE:20240707\r\nRRULE:FREQ=YEARLY\r\n"
                           "SUMMARY:Series\r\n") +
                     entry("RECURRENCE-ID;VALUE=DATE:20250707\r\n"
                           "DTSTART;VALUE=DATE:20250708\r\nSUMMARY:Series\r\n")),
            one("Series", 7, 7), 1);
        row("to-dos and journal entries are no events",
            calendar("BEGIN:VTODO\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:Do\r\nEND:VTODO\r\n"
                     "BEGIN:VJOURNAL\r\nDTSTART;VALUE=DATE:20240101\r\nEND:VJOURNAL\r\n"),
            QList<EventRecord>{}, 0);
        row("two calendars",
            calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:One\r\n")) +
                calendar(entry("DTSTART;VALUE=DATE:20240202\r\nSUMMARY:Two\r\n")),
            (one("One", 1, 1) + one("Two", 2, 2)), 0);
        row("byte-order mark and text around the calendar",
            "\xEF\xBB\xBFnot iCalendar\r\n" +
                calendar(entry("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:In\r\n")) +
                "SUMMARY:Out\r\n",
            one("In", 1, 1), 0);
        row("calendar without entries", calendar({}), QList<EventRecord>{}, 0);
        row("file order kept, skipped ones counted",
            calendar(entry("DTSTART;VALUE=DATE:20241201\r\nSUMMARY:A\r\n") +
                     entry("DTSTART:20240101T100000Z\r\nSUMMARY:Timed\r\n") +
                     entry("DTSTART;VALUE=DATE:20240301\r\nSUMMARY:B\r\n") + entry({})),
            (one("A", 12, 1) + one("B", 3, 1)), 2);
    }
    void import() {
        QFETCH(QByteArray, file);
        QFETCH(QList<EventRecord>, events);
        QFETCH(int, skipped);
        const ICalendarImport result = importBytes(file);
        QCOMPARE(result.events, events);
        QCOMPARE(result.skippedEvents, skipped);
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
            << QByteArray("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:Evil\x1B[2J\r\n")
            << "Line 8: the entry \"Evil\uFFFD[2J\" cannot be imported: the description holds "
               "the control character U+001B, which the editor does not take either";
        QTest::newRow("SUMMARY too long")
            << "DTSTART;VALUE=DATE:20240101\r\nSUMMARY:" + QByteArray(32768, 'x') + "\r\n"
            << "Line 8: the entry \"" + QString(80, QLatin1Char('x')) +
                   "...\" cannot be imported: the description is 32768 characters long, and it "
                   "can have at most 32767";
        QTest::newRow("SUMMARY too long to read")
            << "DTSTART;VALUE=DATE:20240101\r\nSUMMARY:" + QByteArray(2 << 20, 'x') + "\r\n"
            << "Line 8 is longer than 1048576 bytes, so the entry that begins on line 4 cannot be "
               "read";
    }
    void entriesThatCannotBeImportedAreToldWithTheirLine() {
        QFETCH(QByteArray, properties);
        QFETCH(QString, report);
        const ICalendarImport result = importBytes(
            calendar(entry(properties) + entry("DTSTART;VALUE=DATE:20240202\r\nSUMMARY:Next\r\n")));
        QCOMPARE(result.events, QList<EventRecord>{yearly(QStringLiteral("Next"), 2, 2)});
        QCOMPARE(result.skippedEntries, QStringList{report});
        QCOMPARE(result.skippedEvents, 0);
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
        QCOMPARE(result.skippedEvents, pieces - result.events.size());
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
