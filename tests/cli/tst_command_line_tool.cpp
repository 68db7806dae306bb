#include "Checks.h"
#include "Files.h"
#include "FullDisk.h"
#include "SpecialFiles.h"
#include "StoreFixture.h"

#include "cli/CommandLineTool.h"
#include "exchange/ICalendarFile.h"
#include "store/Connection.h"
#include "store/DailyBackups.h"
#include "store/StoredEvents.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace almanis;

namespace {
// One run of almanis-cli on the fixture's store, with what it printed.
struct Run {
    int status = -1;
    QString out;
    QString err;
};

struct Cli : test::StoreFixture {
    explicit Cli(QDate today = QDate(2026, 12, 9)) : StoreFixture(today) {}

    // Runs the arguments on the fixture's store, today being the fixture's day.
    Run run(const QStringList& arguments) {
        return runAnywhere(QStringList{QStringLiteral("--store"), env.storePath()} + arguments);
    }
    // Runs the arguments as given (the user's own store unless --store is among them).
    Run runAnywhere(const QStringList& arguments) {
        Run result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        CommandLineTool tool(env.clock, env.programFolder(), out, err, env.accountServices());
        result.status = tool.run(QStringList{QStringLiteral("almanis-cli")} + arguments);
        return result;
    }
    QJsonArray json(const QStringList& arguments) {
        const Run result = run(arguments + QStringList{QStringLiteral("--json")});
        return QJsonDocument::fromJson(result.out.toUtf8()).array();
    }
    QString uidOf(qint64 id) { return readEvent(db, id)->uid; }
    QStringList descriptions() {
        QStringList texts;
        for (const test::StoredEvent& event : test::storedEvents(db)) {
            texts << event.description;
        }
        return texts;
    }
};

// Descriptions that must come back from every file format as they went in.
const QStringList kTricky{
    QStringLiteral("Smith, John's birthday"),
    QStringLiteral("\"Quoted\"; semi;colons, commas"),
    QStringLiteral("Back\\slash and 'apostrophes'"),
    QStringLiteral("Zoë, Ærøskøbing, Ñandú"),
    QStringLiteral("Дедушкин юбилей"),
    QStringLiteral("🎂 Party 🎉"),
    QStringLiteral("عيد ميلاد سارة"),
    QStringLiteral("blanks  inside   twice"),
};
}  // namespace

class CommandLineToolTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void listShowsTheWindowsOrderAndDaysLeft() {
        Cli cli;
        cli.add(QStringLiteral("Ada's birthday"), 12, 10);
        cli.add(QStringLiteral("Today's"), 12, 9);
        cli.add(QStringLiteral("New Year"), 1, 1);
        cli.add(QStringLiteral("Twin"), 12, 10);
        const Run list = cli.run({QStringLiteral("list")});
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out, QStringLiteral("3  January 1        23  New Year\n"
                                          "2  December 9    Today  Today's\n"
                                          "1  December 10       1  Ada's birthday\n"
                                          "4  December 10       1  Twin\n"));
        const QJsonArray json = cli.json({QStringLiteral("list")});
        QCOMPARE(json.size(), 4);
        QJsonObject today = json[1].toObject();
        QVERIFY(!today.take(QStringLiteral("uid")).toString().isEmpty());
        QCOMPARE(today, (QJsonObject{{"id", 2},
                                     {"description", "Today's"},
                                     {"month", 12},
                                     {"day", 9},
                                     {"days_left", 0},
                                     {"next", "2026-12-09"},
                                     {"year", QJsonValue()},
                                     {"years", QJsonValue()},
                                     {"remind_days", QJsonValue()},
                                     {"note", ""}}));
    }

    void dueListsTheSoonestFirst_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("30 days by default")
            << QStringList{} << QStringList{"Today's", "Ada's", "Twin", "New Year"};
        QTest::newRow("today only") << QStringList{"--days", "0"} << QStringList{"Today's"};
        QTest::newRow("a year") << QStringList{"--days", "365"}
                                << QStringList{"Today's", "Ada's", "Twin", "New Year", "Summer"};
        QTest::newRow("another day")
            << QStringList{"--today", "2026-12-31", "--days", "1"} << QStringList{"New Year"};
    }
    void dueListsTheSoonestFirst() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        Cli cli;
        cli.add(QStringLiteral("New Year"), 1, 1);
        cli.add(QStringLiteral("Summer"), 6, 21);
        cli.add(QStringLiteral("Ada's"), 12, 10);
        cli.add(QStringLiteral("Today's"), 12, 9);
        cli.add(QStringLiteral("Twin"), 12, 10);
        QStringList shown;
        for (const QJsonValue& event : cli.json(QStringList{QStringLiteral("due")} + options)) {
            shown << event[QStringLiteral("description")].toString();
        }
        QCOMPARE(shown, expected);
    }

    // A store of rows stored as they should be is read the window's quick way;
    // a row stored otherwise sends the whole read the careful way, where a
    // date beyond any calendar is left out and a month or day that is no
    // number is left out and told of. Either way the same lines come out.
    void rowsStoredOtherwiseListAsTheWindowListsThem_data() {
        QTest::addColumn<QString>("values");  // of the last row: Description,EventMonth,EventDay
        QTest::addColumn<QString>("line");    // its line, or none
        QTest::addColumn<QString>("told");
        QTest::newRow("stored as it should be") << "'Last',12,10"
                                                << "3  December 10       1  Last"
                                                << "";
        QTest::newRow("a day beyond its month") << "'Last',11,31"
                                                << "3  November 31     357  Last"
                                                << "";
        QTest::newRow("a day beyond any calendar") << "'Last',1,900000000" << QString() << "";
        QTest::newRow("a month that is no number")
            << "'Last','Dec',10" << QString()
            << "almanis-cli: 1 of the store's events could not be read and are left out: Type "
               "mismatch: 'Dec' is not a whole number\n";
    }
    void rowsStoredOtherwiseListAsTheWindowListsThem() {
        QFETCH(QString, values);
        QFETCH(QString, line);
        QFETCH(QString, told);
        Cli cli;
        cli.add(QStringLiteral("New Year"), 1, 1);
        cli.add(QStringLiteral("Today's"), 12, 9);
        cli.db.execute(
            QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) values (%1)")
                .arg(values));
        QStringList lines{QStringLiteral("1  January 1        23  New Year"),
                          QStringLiteral("2  December 9    Today  Today's")};
        if (!line.isNull()) {
            lines.insert(line.contains(QLatin1String("November")) ? 1 : 2, line);
        }
        const Run list = cli.run({QStringLiteral("list")});
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QCOMPARE(list.err, told);
        const Run due =
            cli.run({QStringLiteral("due"), QStringLiteral("--days"), QStringLiteral("1")});
        QCOMPARE(due.err, told);
        QCOMPARE(due.out.count(QLatin1Char('\n')),
                 line.contains(QLatin1String("December")) ? 2 : 1);
    }

    void the29thOfFebruaryIsDueOnThe1stOfMarchInCommonYears_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("daysLeft");
        QTest::newRow("common year, day before") << "2027-02-28" << 1;
        QTest::newRow("common year, 1 March") << "2027-03-01" << 0;
        QTest::newRow("leap year, 28 February") << "2028-02-28" << 1;
        QTest::newRow("leap year, the day") << "2028-02-29" << 0;
    }
    void the29thOfFebruaryIsDueOnThe1stOfMarchInCommonYears() {
        QFETCH(QString, today);
        QFETCH(int, daysLeft);
        Cli cli;
        QCOMPARE(cli.run({"add", "Leap day", "February 29"}).status, 0);
        const QJsonArray due = cli.json({"--today", today, "due", "--days", "1"});
        QCOMPARE(due.size(), 1);
        QCOMPARE(due[0][QStringLiteral("day")].toInt(), 29);
        QCOMPARE(due[0][QStringLiteral("days_left")].toInt(), daysLeft);
    }

    void addPrintsTheNewIdAndRemoveDeletes() {
        Cli cli;
        for (const QString& description : kTricky) {
            // The date as one argument or two.
            const QStringList date =
                description.size() % 2 ? QStringList{"june 3"} : QStringList{"june", "3"};
            const Run added = cli.run(QStringList{QStringLiteral("add"), description} + date);
            QCOMPARE(added.status, 0);
            QCOMPARE(added.out.trimmed().toLongLong(), qint64(cli.descriptions().size()));
        }
        QCOMPARE(cli.descriptions(), kTricky);
        QCOMPARE(cli.run({"remove", "2"}).status, 0);
        QCOMPARE(cli.descriptions().size(), kTricky.size() - 1);
        const Run again = cli.run({"remove", "2"});
        QCOMPARE(again.status, 1);
        QCOMPARE(again.err, QStringLiteral("almanis-cli: there is no event with the id 2\n"));
    }

    // The keys scripts read of each event: its next date (29 February's is 1
    // March in a common year), the year and the years that date completes, the
    // event's own remind days, its note and UID.
    void jsonTellsAnEventsDetails_data() {
        QTest::addColumn<QStringList>("add");
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("expected");  // the keys' values, compact JSON
        QTest::newRow("all of them")
            << QStringList{"Ada",           "December 10", "--year", "1815",
                           "--remind-days", "7,0",         "--note", "Gift:\na book"}
            << "2026-12-09"
            << R"({"next":"2026-12-10","note":"Gift:\na book","remind_days":[0,7],"year":1815,"years":211})";
        QTest::newRow("none of them")
            << QStringList{"Ada", "December 10"} << "2026-12-11"
            << R"({"next":"2027-12-10","note":"","remind_days":null,"year":null,"years":null})";
        QTest::newRow("own days: never")
            << QStringList{"Ada", "December 10", "--remind-days", ""} << "2026-12-10"
            << R"({"next":"2026-12-10","note":"","remind_days":[],"year":null,"years":null})";
        QTest::newRow("29 February in a common year")
            << QStringList{"Leap", "February 29", "--year", "2000"} << "2027-02-01"
            << R"({"next":"2027-03-01","note":"","remind_days":null,"year":2000,"years":27})";
    }
    void jsonTellsAnEventsDetails() {
        QFETCH(QStringList, add);
        QFETCH(QString, today);
        QFETCH(QString, expected);
        Cli cli;
        QCOMPARE(cli.run(QStringList{"add"} + add).status, 0);
        for (const QStringList& command :
             {QStringList{"list"}, QStringList{"due", "--days", "365"}}) {
            const QJsonArray events = cli.json(QStringList{"--today", today} + command);
            QCOMPARE(events.size(), 1);
            QJsonObject event = events[0].toObject();
            QCOMPARE(event.take(QStringLiteral("uid")).toString(), cli.uidOf(1));
            for (const char* known : {"id", "description", "month", "day", "days_left"}) {
                QVERIFY(event.take(QLatin1String(known)) != QJsonValue::Undefined);
            }
            QCOMPARE(QString::fromUtf8(QJsonDocument(event).toJson(QJsonDocument::Compact)),
                     expected);
        }
    }

    // edit changes only what it is given and keeps the event's UID.
    void editChangesOnlyWhatItIsGiven_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("after");  // description|month|day|year|days|note
        QTest::newRow("nothing") << QStringList{} << "Ada|12|10|1815|0,7|Gift";
        QTest::newRow("description")
            << QStringList{"--description", " Ada L. "} << "Ada L.|12|10|1815|0,7|Gift";
        QTest::newRow("date") << QStringList{"--date", "march 3"} << "Ada|3|3|1815|0,7|Gift";
        QTest::newRow("year") << QStringList{"--year", "1816"} << "Ada|12|10|1816|0,7|Gift";
        QTest::newRow("no year") << QStringList{"--no-year"} << "Ada|12|10||0,7|Gift";
        QTest::newRow("remind days")
            << QStringList{"--remind-days", "30"} << "Ada|12|10|1815|30|Gift";
        QTest::newRow("the options' days")
            << QStringList{"--default-remind"} << "Ada|12|10|1815||Gift";
        QTest::newRow("note") << QStringList{"--note", "Two\nlines"}
                              << "Ada|12|10|1815|0,7|Two\nlines";
        QTest::newRow("no note") << QStringList{"--note", ""} << "Ada|12|10|1815|0,7|";
    }
    void editChangesOnlyWhatItIsGiven() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, after);
        Cli cli;
        QCOMPARE(cli.run({"add", "Ada", "December 10", "--year", "1815", "--remind-days", "0,7",
                          "--note", "Gift"})
                     .status,
                 0);
        const QString uid = cli.uidOf(1);
        const Run edited = cli.run(QStringList{"edit", "1"} + arguments);
        QCOMPARE(edited.status, 0);
        QCOMPARE(edited.err, QString());
        const std::optional<EventRecord> event = readEvent(cli.db, 1);
        QCOMPARE(
            QStringList({event->description, QString::number(event->month),
                         QString::number(event->day),
                         event->year ? QString::number(*event->year) : QString(),
                         event->remindDays ? event->remindDays->toText() : QString(), event->note})
                .join(QLatin1Char('|')),
            after);
        QCOMPARE(event->uid, uid);
        const Run missing = cli.run({"edit", "2", "--year", "1900"});
        QCOMPARE(missing.status, 1);
        QCOMPARE(missing.err, QStringLiteral("almanis-cli: there is no event with the id 2\n"));
    }

    void usageErrorsChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no command") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("unknown option") << QStringList{"list", "--colour"};
        QTest::newRow("a date that is no date") << QStringList{"--today", "2026-02-30", "list"};
        QTest::newRow("a date before the year 100") << QStringList{"--today", "0099-12-31", "list"};
        QTest::newRow("a date after the year 9998") << QStringList{"due", "--today", "9999-01-01"};
        QTest::newRow("add with more than a date")
            << QStringList{"add", "Ada", "December", "10", "x"};
        QTest::newRow("list with an argument") << QStringList{"list", "extra"};
        QTest::newRow("days not a number") << QStringList{"due", "--days", "soon"};
        QTest::newRow("days below 0") << QStringList{"due", "--days", "-1"};
        QTest::newRow("add without a date") << QStringList{"add", "Ada"};
        QTest::newRow("30 February") << QStringList{"add", "Ada", "February 30"};
        QTest::newRow("31 April") << QStringList{"add", "Ada", "April 31"};
        QTest::newRow("not a month") << QStringList{"add", "Ada", "Smarch 3"};
        QTest::newRow("numbers only") << QStringList{"add", "Ada", "12 10"};
        QTest::newRow("no day") << QStringList{"add", "Ada", "December"};
        QTest::newRow("empty description") << QStringList{"add", "   ", "December 10"};
        QTest::newRow("line break in the description")
            << QStringList{"add", "Two\nlines", "December 10"};
        QTest::newRow("a description longer than the editor keeps")
            << QStringList{"add", QString(32768, QLatin1Char('x')), "December 10"};
        QTest::newRow("id not a number") << QStringList{"remove", "x"};
        QTest::newRow("id 0") << QStringList{"remove", "0"};
        QTest::newRow("unknown format") << QStringList{"import", "--format", "csv", "a.txt"};
        QTest::newRow("contacts cannot be exported") << QStringList{"export", "a.vcf"};
        QTest::newRow("export without a file") << QStringList{"export"};
        QTest::newRow("year 0") << QStringList{"add", "Ada", "December 10", "--year", "0"};
        QTest::newRow("a year to come")
            << QStringList{"add", "Ada", "December 10", "--year", "2027"};
        QTest::newRow("year not a number")
            << QStringList{"add", "Ada", "December 10", "--year", "x"};
        QTest::newRow("29 February of a common year")
            << QStringList{"add", "Ada", "February 29", "--year", "1900"};
        QTest::newRow("a remind day not offered")
            << QStringList{"add", "Ada", "December 10", "--remind-days", "0,5"};
        QTest::newRow("a note with an escape")
            << QStringList{"add", "Ada", "December 10", "--note", "a\x1b[2J"};
        QTest::newRow("edit: a year to come") << QStringList{"edit", "1", "--year", "2027"};
        QTest::newRow("edit: a date whose 29 February the year lacks")
            << QStringList{"edit", "1", "--year", "1900", "--date", "February 29"};
        QTest::newRow("edit: a year and none")
            << QStringList{"edit", "1", "--year", "1900", "--no-year"};
        QTest::newRow("edit: own days and the options'")
            << QStringList{"edit", "1", "--remind-days", "0", "--default-remind"};
        QTest::newRow("edit: an empty description")
            << QStringList{"edit", "1", "--description", ""};
        QTest::newRow("edit without an id") << QStringList{"edit", "--year", "1900"};
    }
    void usageErrorsChangeNothing() {
        QFETCH(QStringList, arguments);
        Cli cli;
        cli.add(QStringLiteral("Kept"), 1, 1);
        const Run result = cli.run(arguments);
        QCOMPARE(result.status, 2);
        QVERIFY(result.out.isEmpty());
        ALMANIS_VERIFY_STARTS(result.err, QStringLiteral("almanis-cli: "));
        QVERIFY(result.err.contains(QStringLiteral("--help")));
        QCOMPARE(cli.descriptions(), QStringList{"Kept"});
    }

    void everyCommandExplainsItself_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("usage");
        QTest::newRow("program") << QStringList{"--help"} << "Usage: almanis-cli [--store FILE]";
        QTest::newRow("list") << QStringList{"list", "--help"} << "Usage: almanis-cli list";
        QTest::newRow("due") << QStringList{"due", "-h"} << "Usage: almanis-cli due [--days N]";
        QTest::newRow("add") << QStringList{"add", "--help"} << "Usage: almanis-cli add";
        QTest::newRow("edit") << QStringList{"edit", "--help"} << "Usage: almanis-cli edit ID";
        QTest::newRow("remove") << QStringList{"remove", "--help"}
                                << "Usage: almanis-cli remove ID";
        QTest::newRow("import") << QStringList{"import", "--help"} << "Usage: almanis-cli import";
        QTest::newRow("export") << QStringList{"export", "--help"} << "Usage: almanis-cli export";
    }
    void everyCommandExplainsItself() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, usage);
        Cli cli;
        QFile::remove(cli.env.storePath());
        const Run result = cli.runAnywhere(arguments);
        QCOMPARE(result.status, 0);
        ALMANIS_VERIFY_STARTS(result.out, usage);
        QVERIFY(result.err.isEmpty());
        // Help neither makes nor opens a store.
        QVERIFY(!QFile::exists(cli.env.dataFolder() + QStringLiteral("/dbData.mdb")));
        QCOMPARE(cli.runAnywhere({"--version"}).out, QStringLiteral("almanis-cli 1.0.0\n"));
    }

    void withoutAStoreOptionTheUsersStoreIsMadeFromTheSeed() {
        Cli cli;
        QFile::remove(cli.env.storePath());
        const Run list = cli.runAnywhere({"list"});
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out.count(QLatin1Char('\n')), 11);  // the holidays of the events seed
        QVERIFY(list.out.contains(QStringLiteral("Christmas Day")));
    }

    void failuresTellWhyAndWriteNothing() {
        Cli cli;
        cli.add(QStringLiteral("Event"), 1, 1);
        const Run noStore = cli.runAnywhere({"--store", cli.dataFile("missing.mdb"), "list"});
        QCOMPARE(noStore.status, 1);
        ALMANIS_VERIFY_CONTAINS(noStore.err, QStringLiteral("unable to open database file"));
        QVERIFY(!QFile::exists(cli.dataFile("missing.mdb")));

        const Run noFile = cli.run({"import", cli.dataFile("gone.txt")});
        QCOMPARE(noFile.status, 1);
        QVERIFY(noFile.err.contains(QStringLiteral("File not found")));

        // A text file with a line it cannot read stores none of its lines.
        test::writeFile(cli.dataFile("events.txt"), "Good,May 1\r\nBad,Mai 2\r\n");
        const Run badLine = cli.run({"import", cli.dataFile("events.txt")});
        QCOMPARE(badLine.status, 1);
        ALMANIS_VERIFY_CONTAINS(badLine.err, QStringLiteral("Line 2 cannot be imported"));

        // A folder where the file should be written: the old one stays whole.
        test::writeFile(cli.dataFile("folder/kept.ics"), "kept");
        const Run intoAFolder = cli.run({"export", cli.dataFile("folder")});
        QCOMPARE(intoAFolder.status, 1);
        QCOMPARE(test::readFile(cli.dataFile("folder/kept.ics")), QByteArray("kept"));

        // Another program's database is refused and left as it was.
        {
            Connection other;
            other.openNew(cli.dataFile("other.db"));
            other.execute(QStringLiteral("create table notes(text)"));
        }
        const QByteArray other = test::readFile(cli.dataFile("other.db"));
        const Run foreign =
            cli.runAnywhere({"--store", cli.dataFile("other.db"), "add", "A", "May 1"});
        QCOMPARE(foreign.status, 1);
        ALMANIS_VERIFY_CONTAINS(foreign.err, QStringLiteral("no such table: tblEvent"));
        QCOMPARE(test::readFile(cli.dataFile("other.db")), other);

        // A full disk, the store closed everywhere else: the events are read,
        // and a change is refused in words.
        cli.db.close();
        {
            const test::FullDisk full;
            const Run listed = cli.run({"list"});
            QCOMPARE(listed.status, 0);
            ALMANIS_VERIFY_CONTAINS(listed.out, QStringLiteral("Event"));
            const Run added = cli.run({"add", "New", "May 1"});
            QCOMPARE(added.status, 1);
            ALMANIS_VERIFY_CONTAINS(added.err, QStringLiteral("the disk that holds it is full"));
        }
        cli.db.open(cli.env.storePath());
        QCOMPARE(cli.descriptions(), QStringList{"Event"});
    }

    // A calendar or contact file is stored whole or not at all: an event the
    // store refuses part-way leaves the store as it was.
    void aFileThatFailsPartWayStoresNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        const auto yearly = [](const QByteArray& summary, const QByteArray& date) {
            return "BEGIN:VEVENT\r\nUID:" + summary + "\r\nDTSTART;VALUE=DATE:" + date +
                   "\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
        };
        const auto card = [](const QByteArray& name, const QByteArray& birthday) {
            return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\nBDAY:" + birthday +
                   "\r\nEND:VCARD\r\n";
        };
        QTest::newRow("calendar") << "events.ics"
                                  << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" +
                                         yearly("First", "20000101") +
                                         yearly("Refused", "20000202") +
                                         yearly("Third", "20000303") + "END:VCALENDAR\r\n";
        QTest::newRow("contacts") << "contacts.vcf"
                                  << card("First", "1990-01-01") + card("Refused", "1990-02-02") +
                                         card("Third", "1990-03-03");
    }
    void aFileThatFailsPartWayStoresNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        Cli cli;
        cli.add(QStringLiteral("Kept"), 1, 1);
        // The store takes the first event and refuses the second.
        cli.db.execute(QStringLiteral(
            "create trigger refuse before insert on tblEvent when new.Description like 'Refused%' "
            "begin select raise(abort, 'the store refuses it'); end"));
        test::writeFile(cli.dataFile(name), content);
        const Run imported = cli.run({QStringLiteral("import"), cli.dataFile(name)});
        QCOMPARE(imported.status, 1);
        QCOMPARE(imported.out, QString());
        ALMANIS_VERIFY_CONTAINS(imported.err, QStringLiteral("the store refuses it"));
        QCOMPARE(cli.descriptions(), QStringList{QStringLiteral("Kept")});
    }

    // Before an import changes the store, today's backup takes it as it was,
    // as the window's import does; a backup that cannot be made is told and
    // stops nothing.
    void anImportBacksTheStoreUpFirst() {
        Cli cli;
        cli.add(QStringLiteral("Before"), 1, 1);
        const DailyBackups backups(cli.env.storePath());
        test::writeFile(cli.dataFile("events.txt"), "Imported,May 1\r\n");
        const Run imported = cli.run({"import", cli.dataFile("events.txt")});
        QCOMPARE(imported.status, 0);
        QCOMPARE(imported.err, QString());
        QCOMPARE(backups.files(cli.env.clock.now()),
                 QStringList{backups.fileFor(cli.env.clock.today())});
        Connection copy;
        copy.openReadOnly(backups.fileFor(cli.env.clock.today()));
        QCOMPARE(test::storedEvents(copy).size(), 1);

        QVERIFY(QFile::remove(backups.fileFor(cli.env.clock.today())));
        QVERIFY(QDir(backups.folder()).removeRecursively());
        test::writeFile(backups.folder(), "a file in the folder's place");
        test::writeFile(cli.dataFile("events.txt"), "Imported again,May 1\r\n");
        const Run withoutBackup = cli.run({"import", cli.dataFile("events.txt")});
        QCOMPARE(withoutBackup.status, 0);
        QCOMPARE(withoutBackup.out, QStringLiteral("1 event imported.\n"));
        ALMANIS_VERIFY_STARTS(withoutBackup.err,
                              QStringLiteral("almanis-cli: The events could not be backed up to "));
        ALMANIS_VERIFY_CONTAINS(withoutBackup.err,
                                QStringLiteral("The import goes on without this backup."));
        QCOMPARE(cli.descriptions(), (QStringList{"Before", "Imported", "Imported again"}));
    }

    // An export writes a new or a regular file, nothing else; an export of no
    // events writes the file empty and says so.
    void exportWritesOnlyRegularFiles() {
        Cli cli;
        const QString pipe = cli.dataFile("pipe.ics");
        QVERIFY(test::makeSpecialFile(pipe, QStringLiteral("named pipe")));
        const Run refused = cli.run({"export", pipe});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.out, QString());
        QCOMPARE(refused.err,
                 QStringLiteral("almanis-cli: Nothing was written to %1: it is a named "
                                "pipe, and an export writes only to a regular file\n")
                     .arg(pipe));
        QCOMPARE(test::specialFileKind(pipe), QStringLiteral("named pipe"));

        test::writeFile(cli.dataFile("old.txt"), "Old,May 1\r\n");
        const Run empty = cli.run({"export", cli.dataFile("old.txt")});
        QCOMPARE(empty.status, 0);
        QCOMPARE(empty.out,
                 QStringLiteral("There are no events to export; %1 was written with none in it.\n")
                     .arg(cli.dataFile("old.txt")));
        QCOMPARE(test::readFile(cli.dataFile("old.txt")), QByteArray());
    }

    void descriptionsSurviveEveryFormat_data() {
        QTest::addColumn<QString>("exportAs");
        QTest::newRow("text") << "events.txt";
        QTest::newRow("iCalendar") << "events.ics";
        QTest::newRow("iCalendar by option") << "events.calendar";
    }
    void descriptionsSurviveEveryFormat() {
        QFETCH(QString, exportAs);
        Cli from;
        const QStringList& tricky = kTricky;
        for (const QString& description : tricky) {
            from.add(description, 2, 29);
        }
        const QString file = from.dataFile(exportAs);
        const QStringList format = exportAs.endsWith(QLatin1String(".calendar"))
                                       ? QStringList{"--format", "ics"}
                                       : QStringList();
        const Run exported = from.run(QStringList{"export", file} + format);
        QCOMPARE(exported.status, 0);
        QCOMPARE(exported.out,
                 QStringLiteral("%1 events exported to %2.\n").arg(tricky.size()).arg(file));

        Cli to;
        const Run imported = to.run(QStringList{"import", file} + format);
        QVERIFY2(imported.status == 0, qPrintable(imported.err));
        QCOMPARE(imported.out, QStringLiteral("%1 events imported.\n").arg(tricky.size()));
        QCOMPARE(to.descriptions(), tricky);
        QCOMPARE(test::storedEvents(to.db).value(0).day, 29);
    }

    // Importing a file again stores nothing and says how much was there;
    // what a calendar holds that does not repeat every year is skipped.
    void aSecondImportStoresNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("text") << "events.txt" << QByteArray("A,May 1\r\nB,May 2\r\nA,May 1\r\n")
                              << "2 events imported, 1 already present.\n"
                              << "0 events imported, 3 already present.\n"
                              << QStringList{"A", "B"};
        const auto entry = [](const QByteArray& uid, const QByteArray& rest) {
            return "BEGIN:VEVENT\r\nUID:" + uid + "\r\n" + rest + "END:VEVENT\r\n";
        };
        QTest::newRow("iCalendar")
            << "events.ics"
            << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" +
                   entry("a", "DTSTART;VALUE=DATE:19900101\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:A\r\n") +
                   entry("b", "DTSTART;VALUE=DATE:20110625\r\nSUMMARY:Rock Swap\r\n") +
                   entry("c", "DTSTART:20110625T100000Z\r\nSUMMARY:Report Card Day\r\n") +
                   entry("d", "DTSTART;VALUE=DATE:19900202\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:B\r\n") +
                   "END:VCALENDAR\r\n"
            << "2 events imported.\n2 calendar entries skipped: they do not repeat every year.\n"
            << "0 events imported, 2 already present.\n2 calendar entries skipped: they do not "
               "repeat every year.\n"
            << QStringList{"A", "B"};
        QTest::newRow("contacts")
            << "contacts.vcf"
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nBDAY:1990-01-01\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bo\r\nBDAY:--0202\r\nEND:VCARD\r\n")
            << "2 events imported.\n"
            << "0 events imported, 2 already present.\n"
            << QStringList{"Ann's birthday", "Bo's birthday"};
    }
    void aSecondImportStoresNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, stored);
        Cli cli;
        test::writeFile(cli.dataFile(name), content);
        const Run once = cli.run({QStringLiteral("import"), cli.dataFile(name)});
        QVERIFY2(once.status == 0, qPrintable(once.err));
        QCOMPARE(once.out, first);
        const Run again = cli.run({QStringLiteral("import"), cli.dataFile(name)});
        QVERIFY2(again.status == 0, qPrintable(again.err));
        QCOMPARE(again.out, second);
        QCOMPARE(cli.descriptions(), stored);
    }

    // An exported calendar keeps every event's year, note, own remind days and
    // UID: imported into an empty store it gives the same events, and
    // imported where they are, nothing new.
    void theCalendarKeepsEverythingOfAnEvent() {
        Cli from;
        const auto add = [&](const char* description, int month, int day, std::optional<int> year,
                             const char* days, const char* note) {
            EventRecord event{0, QString::fromUtf8(description), month, day};
            event.year = year;
            event.remindDays =
                days != nullptr ? RemindWindows::fromText(QString::fromLatin1(days)) : std::nullopt;
            event.note = QString::fromUtf8(note);
            insertEvent(from.db, event);
        };
        add("Ada's birthday", 12, 10, 1815, "0,7", "Gift: a book, \"Notes\";\n by post");
        add("Leap wedding", 2, 29, 1896, "", "");
        add("New Year", 1, 1, std::nullopt, nullptr, "");
        add("Grace's birthday", 12, 9, 1906, nullptr, "  indented");
        const QString file = from.dataFile(QStringLiteral("events.ics"));
        QCOMPARE(from.run({QStringLiteral("export"), file}).status, 0);

        Cli to;
        QCOMPARE(to.run({QStringLiteral("import"), file}).out,
                 QStringLiteral("4 events imported.\n"));
        const auto withoutIds = [](QList<EventRecord> events) {
            for (EventRecord& event : events) {
                event.id = 0;
            }
            return events;
        };
        QCOMPARE(withoutIds(readStoredEvents(to.db).events),
                 withoutIds(readStoredEvents(from.db).events));
        // Known by UID even after a change of description.
        to.db.execute(
            QStringLiteral("update tblEvent set Description='Ada Lovelace' "
                           "where Description='Ada''s birthday'"));
        QCOMPARE(to.run({QStringLiteral("import"), file}).out,
                 QStringLiteral("0 events imported, 4 already present.\n"));
        QCOMPARE(from.run({QStringLiteral("import"), file}).out,
                 QStringLiteral("0 events imported, 4 already present.\n"));
    }

    void contactsGiveBirthdaysAndAnniversaries() {
        Cli cli;
        test::writeFile(cli.dataFile("contacts.vcf"),
                        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Smith\\, John\r\nBDAY:--0229\r\n"
                        "ANNIVERSARY:20100612\r\nEND:VCARD\r\n"
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë 🎂\r\nBDAY:1990-04-31\r\nEND:VCARD\r\n"
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nobody\r\nEND:VCARD\r\n");
        const Run imported = cli.run({"import", cli.dataFile("contacts.vcf")});
        QCOMPARE(imported.status, 0);
        ALMANIS_VERIFY_STARTS(imported.out, QStringLiteral("2 events imported.\n"
                                                           "1 contact has no birthday or "
                                                           "anniversary.\nSkipped: "));
        QCOMPARE(cli.descriptions(),
                 (QStringList{"Smith, John's birthday", "Smith, John's anniversary"}));
        const QList<test::StoredEvent> stored = test::storedEvents(cli.db);
        QCOMPARE(stored[0].month, 2);
        QCOMPARE(stored[0].day, 29);
    }
};

ALMANIS_TEST_MAIN(CommandLineToolTest)
#include "tst_command_line_tool.moc"
