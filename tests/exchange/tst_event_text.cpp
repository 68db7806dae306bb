// The event text file on its own: month names, the line grammar, decoding,
// ImportEvents against a real store and ExportEvents from a list.
#include "Files.h"
#include "StoreFixture.h"

#include "core/AppError.h"
#include "exchange/EventText.h"
#include "reminders/EventListModel.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

using namespace almanis;
using test::readFile;
using test::writeFile;

namespace {

using Row = test::StoredEvent;
using test::storedEvents;

QStringList readerLines(const QByteArray& bytes, bool* utf8 = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    EventLineReader reader(buffer);
    QStringList lines;
    QString line;
    while (reader.readLine(line)) {
        lines.append(line);
        if (reader.lineNumber() != lines.size()) {
            return {QStringLiteral("line numbers out of step")};
        }
    }
    if (utf8) {
        *utf8 = reader.isUtf8();
    }
    return lines;
}

// The main window's list holding the rows; a month given as text that is
// not a number stands for a month that could not be read from the store.
void fillList(EventListModel& list, const QList<Row>& rows, const QString& lastMonth = {}) {
    QList<EventListModel::Row> entries;
    for (const Row& r : rows) {
        entries.append({EventRecord{entries.size() + 1, r.description, r.month, r.day}});
    }
    if (!lastMonth.isNull()) {
        bool ok = false;
        entries.last().event.month = lastMonth.toInt(&ok);
        entries.last().monthRead = ok;
    }
    list.setToday(QDate(2026, 6, 15));
    list.setRows(entries);
}

// The lines that the parser rejects, each with a word its reason must contain.
void addBadLines() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty line") << QString() << "empty";
    QTest::newRow("no comma") << "New Year January 1"
                              << "no comma";
    QTest::newRow("no blank after the month") << "New Year,January"
                                              << "no blank";
    QTest::newRow("month glued to day") << "New Year,January1"
                                        << "no blank";
    QTest::newRow("day not a number") << "New Year,January first"
                                      << "\"first\" is not a whole number";
    QTest::newRow("day with a fraction") << "New Year,January 1.5"
                                         << "not a whole number";
    QTest::newRow("day beyond int") << "New Year,January 99999999999"
                                    << "not a whole number";
    QTest::newRow("blank after the comma") << "New Year, January 1"
                                           << "without a blank";
    QTest::newRow("two blanks before the day") << "New Year,January  1"
                                               << "no day";
    QTest::newRow("blank and nothing after month") << "New Year,January "
                                                   << "no day";
    QTest::newRow("month misspelt") << "New Year,Janury 1"
                                    << "\"Janury\" is not an English month name";
    QTest::newRow("month abbreviated") << "New Year,Jan 1"
                                       << "not an English month name";
    QTest::newRow("month in another language") << "Nouvel An,janvier 1"
                                               << "not an English month name";
    QTest::newRow("day 0") << "New Year,January 0"
                           << "January has no day 0";
    QTest::newRow("negative day") << "New Year,January -1"
                                  << "January has no day -1";
    QTest::newRow("30 February") << "Odd,February 30"
                                 << "February has no day 30";
    QTest::newRow("31 April") << "Odd,April 31"
                              << "April has no day 31";
    QTest::newRow("32 December") << "Odd,December 32"
                                 << "December has no day 32";
    QTest::newRow("comma in description") << "Smith, John,June 3"
                                          << "without a blank";
    QTest::newRow("comma in description, no date after") << "Tea,coffee,June 3"
                                                         << "no blank";
}

}  // namespace

class EventTextTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void monthNumbers_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("january") << "january" << 1;
        QTest::newRow("capitals") << "MARCH" << 3;
        QTest::newRow("mixed") << "sEpTeMbEr" << 9;
        QTest::newRow("december") << "December" << 12;
        QTest::newRow("abbreviation") << "Dec" << 0;
        QTest::newRow("not trimmed") << " May" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("longer") << "Mayday" << 0;
    }
    void monthNumbers() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(monthNumberFromName(name), number);
    }

    void monthNames() {
        QCOMPARE(monthNameFromNumber(1), QStringLiteral("January"));
        QCOMPARE(monthNameFromNumber(7), QStringLiteral("July"));
        QCOMPARE(monthNameFromNumber(12), QStringLiteral("December"));
        for (int n : {0, 13, 255, -1}) {
            QVERIFY(monthNameFromNumber(n).isEmpty());
        }
        for (int n = 1; n <= 12; ++n) {
            QCOMPARE(monthNumberFromName(monthNameFromNumber(n)), n);
        }
    }

    void goodLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::newRow("plain") << "New Year,January 1"
                               << "New Year" << 1 << 1;
        QTest::newRow("apostrophe, capitals") << "Mum's day,MARCH 5"
                                              << "Mum's day" << 3 << 5;
        QTest::newRow("third piece ignored") << "Wedding,June 3 1999"
                                             << "Wedding" << 6 << 3;
        QTest::newRow("second comma ignored") << "Wedding,June 3,since 1999"
                                              << "Wedding" << 6 << 3;
        QTest::newRow("empty description") << ",July 4"
                                           << "" << 7 << 4;
        QTest::newRow("description trimmed") << "  padded  ,July 4"
                                             << "padded" << 7 << 4;
        QTest::newRow("29 February") << "Leap,February 29"
                                     << "Leap" << 2 << 29;
        QTest::newRow("31 December") << "Eve,december 31"
                                     << "Eve" << 12 << 31;
        QTest::newRow("leading zero") << "x,May 05"
                                      << "x" << 5 << 5;
        QTest::newRow("tab after the day") << "x,May 7\t"
                                           << "x" << 5 << 7;
        QTest::newRow("lone CR at the end") << "x,May 7\r"
                                            << "x" << 5 << 7;
        QTest::newRow("comma in description, date after it") << "Tea,May 2,June 3"
                                                             << "Tea" << 5 << 2;
        QTest::newRow("non-ASCII") << "Zoë 🎂,August 8"
                                   << "Zoë 🎂" << 8 << 8;
    }
    void goodLines() {
        QFETCH(QString, line);
        QFETCH(QString, description);
        QFETCH(int, month);
        QFETCH(int, day);
        const EventLine event = parseEventLine(line);
        QCOMPARE(event.description, description);
        QCOMPARE(event.month, month);
        QCOMPARE(event.day, day);
    }

    void badLines_data() { addBadLines(); }
    void badLines() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        try {
            parseEventLine(line);
            QFAIL("the line was accepted");
        } catch (const AppError& e) {
            QVERIFY2(e.description().contains(reason), qPrintable(e.description()));
        }
    }

    void reading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("utf8");
        const QStringList two{QStringLiteral("a,May 1"), QStringLiteral("b,May 2")};
        QTest::newRow("CR LF") << QByteArray("a,May 1\r\nb,May 2\r\n") << two << true;
        QTest::newRow("LF") << QByteArray("a,May 1\nb,May 2\n") << two << true;
        QTest::newRow("mixed endings") << QByteArray("a,May 1\nb,May 2\r\n") << two << true;
        QTest::newRow("no end on the last line") << QByteArray("a,May 1\r\nb,May 2") << two << true;
        QTest::newRow("one extra empty line")
            << QByteArray("a,May 1\r\nb,May 2\r\n\r\n") << (two + QStringList{QString()}) << true;
        QTest::newRow("lone CR is no line end")
            << QByteArray("a,May 1\rb,May 2") << QStringList{QStringLiteral("a,May 1\rb,May 2")}
            << true;
        QTest::newRow("empty file") << QByteArray() << QStringList() << true;
        QTest::newRow("byte-order mark") << QByteArray(
                                                "\xEF\xBB\xBF"
                                                "a,May 1\r\nb,May 2\r\n")
                                         << two << true;
        // Files joined together may carry a mark inside; it is no part of the line.
        QTest::newRow("byte-order marks of joined files") << QByteArray(
                                                                 "\xEF\xBB\xBF"
                                                                 "a,May 1\r\n\xEF\xBB\xBF"
                                                                 "b,May 2\r\n")
                                                          << two << true;
        QTest::newRow("UTF-8") << QByteArray("Zo\xC3\xAB,May 1\r\n\xE2\x82\xAC,May 2\r\n")
                               << QStringList{QStringLiteral("Zoë,May 1"),
                                              QStringLiteral("€,May 2")}
                               << true;
        QTest::newRow("Windows-1252")
            << QByteArray("Zo\xEB,May 1\r\n\x80 and \x93quotes\x94,May 2\r\n")
            << QStringList{QStringLiteral("Zoë,May 1"), QStringLiteral("€ and “quotes”,May 2")}
            << false;
        QTest::newRow("invalid UTF-8 only on the last line")
            << QByteArray("Zo\xC3\xAB,May 1\r\nCaf\xE9,May 2")
            << QStringList{QStringLiteral("ZoÃ«,May 1"), QStringLiteral("Café,May 2")} << false;
        QTest::newRow("byte-order mark, then Windows-1252")
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "Caf\xE9,May 2\r\n")
            << QStringList{QStringLiteral("Café,May 2")} << false;
        QTest::newRow("overlong UTF-8 is not UTF-8")
            << QByteArray("\xC0\xAF,May 1") << QStringList{QStringLiteral("À¯,May 1")} << false;
    }
    void reading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(bool, utf8);
        bool wasUtf8 = !utf8;
        QCOMPARE(readerLines(bytes, &wasUtf8), lines);
        QCOMPARE(wasUtf8, utf8);
    }

    void quotingKeepsReportsShort() {
        QCOMPARE(quotedLine(QStringLiteral("New Year,January x")),
                 QStringLiteral("\"New Year,January x\""));
        const QString longLine = QString(79, QLatin1Char('a')) + QStringLiteral("🎂tail");
        QCOMPARE(quotedLine(longLine),
                 QLatin1Char('"') + QString(79, QLatin1Char('a')) + QStringLiteral("...\""));
        QCOMPARE(quotedLine(QString(200, QLatin1Char('b'))).size(), 80 + 5);
        QCOMPARE(quotedLine(QStringLiteral("a\tb") + QChar(0) + QChar(0x1B) + QChar(0x85)),
                 QStringLiteral("\"a b\uFFFD\uFFFD\uFFFD\""));
    }

    // Every bad line stops the import at its own number, after the good lines
    // before it are stored, and nothing after it is stored.
    void importStopsAtTheBadLine_data() { addBadLines(); }
    void importStopsAtTheBadLine() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/events.txt");
        writeFile(path, "First,January 1\r\nSecond,February 2\r\n" + line.toUtf8() +
                            "\r\nAfter,March 3\r\n");
        try {
            importEvents(path, f.db);
            QFAIL("the import did not stop");
        } catch (const AppError& e) {
            QVERIFY2(e.description().startsWith(QStringLiteral("Line 3 cannot be imported: ")),
                     qPrintable(e.description()));
            QVERIFY2(e.description().contains(reason), qPrintable(e.description()));
            QVERIFY2(e.description().endsWith(quotedLine(line)), qPrintable(e.description()));
        }
        const QList<Row> expected{{QStringLiteral("First"), 1, 1},
                                  {QStringLiteral("Second"), 2, 2}};
        QCOMPARE(storedEvents(f.db), expected);
    }

    void importStoresEveryGoodLine() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/events.txt");
        writeFile(path,
                  "\xEF\xBB\xBF"
                  "Mum's day,MARCH 5\nWedding,june 3 1999\r\n,July 4,x\r\nZo\xC3\xAB,May 1");
        importEvents(path, f.db);
        const QList<Row> once{{QStringLiteral("Mum's day"), 3, 5},
                              {QStringLiteral("Wedding"), 6, 3},
                              {QString(), 7, 4},
                              {QStringLiteral("Zoë"), 5, 1}};
        QCOMPARE(storedEvents(f.db), once);
        // No duplicate check: a second import stores everything again.
        importEvents(path, f.db);
        QCOMPARE(storedEvents(f.db), once + once);
    }

    // The import keeps the store to itself only while it runs, whether it ends
    // well or at a bad line.
    void importLeavesTheStoreOpenToOthers() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/events.txt");
        for (const QByteArray& text :
             {QByteArray("a,May 1\r\n"), QByteArray("b,May 2\r\nbad\r\n")}) {
            writeFile(path, text);
            try {
                importEvents(path, f.db);
            } catch (const AppError&) {
            }
            // Everything is in the database file itself.
            QCOMPARE(QFileInfo(f.env.storePath() + QStringLiteral("-wal")).size(), 0);
            Connection other;
            other.open(f.env.storePath());
            other.execute(sql::insertEvent(QStringLiteral("other"), 1, 1));
            QCOMPARE(storedEvents(other).size(), storedEvents(f.db).size());
        }
        QCOMPARE(storedEvents(f.db).size(), 4);
    }

    void importReadsWindows1252() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/old.txt");
        writeFile(path,
                  "Ren\xE9"
                  "e,April 2\r\nNo\xEBl,December 25\r\n");
        importEvents(path, f.db);
        const QList<Row> expected{{QStringLiteral("Renée"), 4, 2},
                                  {QStringLiteral("Noël"), 12, 25}};
        QCOMPARE(storedEvents(f.db), expected);
    }

    void importFileEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("badLine");  // 0: no error
        QTest::newRow("last line ends with CR LF")
            << QByteArray("a,May 1\r\nb,May 2\r\n") << 2 << 0;
        QTest::newRow("last line without end") << QByteArray("a,May 1\r\nb,May 2") << 2 << 0;
        QTest::newRow("one extra empty line") << QByteArray("a,May 1\r\nb,May 2\r\n\r\n") << 2 << 3;
        QTest::newRow("empty line in the middle") << QByteArray("a,May 1\n\nb,May 2\n") << 1 << 2;
        QTest::newRow("empty file") << QByteArray() << 0 << 0;
        QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF") << 0 << 0;
        QTest::newRow("byte-order mark and an empty line")
            << QByteArray("\xEF\xBB\xBF\r\n") << 0 << 1;
    }
    void importFileEnds() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, stored);
        QFETCH(int, badLine);
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/events.txt");
        writeFile(path, bytes);
        QString error;
        try {
            importEvents(path, f.db);
        } catch (const AppError& e) {
            error = e.description();
        }
        if (badLine == 0) {
            QCOMPARE(error, QString());
        } else {
            QVERIFY2(
                error.startsWith(
                    QStringLiteral("Line %1 cannot be imported: the line is empty").arg(badLine)),
                qPrintable(error));
        }
        QCOMPARE(storedEvents(f.db).size(), stored);
    }

    void importRefusesWhatItCannotOpen() {
        test::StoreFixture f;
        const QString missing = f.env.dataFolder() + QStringLiteral("/missing.txt");
        QVERIFY_THROWS_EXCEPTION(AppError, importEvents(missing, f.db));
        QVERIFY_THROWS_EXCEPTION(AppError, importEvents(f.env.dataFolder(), f.db));  // a folder
        QVERIFY_THROWS_EXCEPTION(AppError, importEvents(QStringLiteral("/dev/zero"), f.db));
        if (geteuid() != 0) {  // the superuser reads whatever the permissions say
            const QString locked = f.env.dataFolder() + QStringLiteral("/locked.txt");
            writeFile(locked, "a,May 1\r\n");
            QFile::setPermissions(locked, QFileDevice::WriteOwner);
            QVERIFY_THROWS_EXCEPTION(AppError, importEvents(locked, f.db));
        }
        QCOMPARE(storedEvents(f.db).size(), 0);
    }

    void importOfHugeLines() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/huge.txt");
        const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
        writeFile(path, "a,May 1\r\n" + tenMegabytes + "\r\nb,May 2\r\n");
        try {
            importEvents(path, f.db);
            QFAIL("a line without a comma was accepted");
        } catch (const AppError& e) {
            QVERIFY(e.description().startsWith(
                QStringLiteral("Line 2 cannot be imported: there is no comma")));
            QVERIFY(e.description().size() < 200);
        }
        QCOMPARE(storedEvents(f.db).size(), 1);
        // A huge description is still a description.
        writeFile(path, tenMegabytes + ",May 3");
        importEvents(path, f.db);
        const QList<Row> rows = storedEvents(f.db);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.last().description.size(), tenMegabytes.size());
    }

    void importOfABinaryFileStoresOnlyWhatReads() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/binary.txt");
        QRandomGenerator random(20260615);
        for (int round = 0; round < 20; ++round) {
            QByteArray bytes = "a,May 1\r\n";
            for (int i = 0; i < 4096; ++i) {
                bytes.append(char(random.bounded(256)));
            }
            writeFile(path, bytes);
            f.db.execute(QStringLiteral("delete from tblEvent"));
            // Whatever it stores is the good lines before the first bad one.
            int good = 0;
            const QStringList lines = readerLines(bytes);
            for (const QString& line : lines) {
                try {
                    const EventLine event = parseEventLine(line);
                    if (event.description.contains(QChar(0))) {
                        break;
                    }
                    ++good;
                } catch (const AppError&) {
                    break;
                }
            }
            bool failed = false;
            try {
                importEvents(path, f.db);
            } catch (const AppError& e) {
                failed = true;
                QVERIFY2(e.description().startsWith(QStringLiteral("Line %1 ").arg(good + 1)),
                         qPrintable(e.description()));
            }
            QCOMPARE(failed, good < lines.size());
            QCOMPARE(storedEvents(f.db).size(), good);
        }
    }

    void importStopsWhenTheStoreRefusesTheLine() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/nul.txt");
        const char bytes[] = "a,May 1\r\nb\0c,May 2\r\nd,May 3\r\n";
        writeFile(path, QByteArray(bytes, sizeof bytes - 1));
        try {
            importEvents(path, f.db);
            QFAIL("a description with NUL was accepted");
        } catch (const AppError& e) {
            QVERIFY2(e.description().startsWith(QStringLiteral("Line 2 cannot be stored: ")),
                     qPrintable(e.description()));
            QVERIFY2(e.description().endsWith(QStringLiteral("\"b\uFFFDc,May 2\"")),
                     qPrintable(e.description()));
        }
        QCOMPARE(storedEvents(f.db).size(), 1);
    }

    void exportWritesTheListRows() {
        test::TestEnvironment env;
        EventListModel list;
        fillList(list, {{QStringLiteral("New Year"), 1, 1},
                        {QStringLiteral("Smith, John"), 7, 31},
                        {QStringLiteral("Zoë's"), 12, 9}});
        const QString path = env.dataFolder() + QStringLiteral("/out.txt");
        QDir().mkpath(env.dataFolder());
        int calls = 0;
        exportEvents(path, list, [&] { ++calls; });
        QCOMPARE(calls, 3);
        QCOMPARE(
            readFile(path),
            QByteArray("New Year,January 1\r\nSmith, John,July 31\r\nZo\xC3\xAB's,December 9\r\n"));
    }

    void exportOfMonthsWithoutAName() {
        test::TestEnvironment env;
        EventListModel list;
        fillList(list, {{QStringLiteral("zero"), 0, 5}, {QStringLiteral("carried"), 13, 1}});
        const QString path = env.dataFolder() + QStringLiteral("/out.txt");
        QDir().mkpath(env.dataFolder());
        exportEvents(path, list, {});
        QCOMPARE(readFile(path), QByteArray("zero, 5\r\ncarried, 1\r\n"));
    }

    void exportOfAnEmptyListWritesNothing() {
        test::TestEnvironment env;
        EventListModel list;
        fillList(list, {});
        QDir().mkpath(env.dataFolder());
        const QString path = env.dataFolder() + QStringLiteral("/out.txt");
        exportEvents(path, list, {});
        QVERIFY(!QFile::exists(path));
        writeFile(path, "kept");
        exportEvents(path, list, {});
        QCOMPARE(readFile(path), QByteArray("kept"));
    }

    // A failure part-way leaves the user's previous file exactly as it was.
    void failedExportLeavesTheOldFile_data() {
        QTest::addColumn<QString>("month");
        QTest::addColumn<bool>("clearListOnTheWay");
        QTest::newRow("month 256") << "256" << false;
        QTest::newRow("month not a number") << "abc" << false;
        QTest::newRow("list refilled meanwhile") << "1" << true;
    }
    void failedExportLeavesTheOldFile() {
        QFETCH(QString, month);
        QFETCH(bool, clearListOnTheWay);
        test::TestEnvironment env;
        EventListModel list;
        fillList(
            list,
            {{QStringLiteral("a"), 1, 1}, {QStringLiteral("b"), 2, 2}, {QStringLiteral("c"), 3, 3}},
            month);
        QDir().mkpath(env.dataFolder());
        const QString path = env.dataFolder() + QStringLiteral("/out.txt");
        writeFile(path, "previous\r\n");
        int calls = 0;
        QVERIFY_THROWS_EXCEPTION(AppError, exportEvents(path, list, [&] {
                                     if (++calls == 2 && clearListOnTheWay) {
                                         list.clear();
                                     }
                                 }));
        QCOMPARE(readFile(path), QByteArray("previous\r\n"));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("out.txt")});
    }

    void exportToAPlaceThatCannotBeWritten() {
        test::TestEnvironment env;
        EventListModel list;
        fillList(list, {{QStringLiteral("a"), 1, 1}});
        QDir().mkpath(env.dataFolder());
        const QString aFile = env.dataFolder() + QStringLiteral("/file.txt");
        writeFile(aFile, "x");
        QStringList targets{env.dataFolder() + QStringLiteral("/no such folder/out.txt"),
                            aFile + QStringLiteral("/out.txt"), env.dataFolder()};
        if (geteuid() != 0) {
            const QString locked = env.dataFolder() + QStringLiteral("/locked");
            QDir().mkpath(locked);
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            targets << locked + QStringLiteral("/out.txt");
        }
        for (const QString& target : targets) {
            QVERIFY_THROWS_EXCEPTION(AppError, exportEvents(target, list, {}));
        }
        QCOMPARE(readFile(aFile), QByteArray("x"));
    }

    void exportThenImportGivesTheSameEvents() {
        test::TestEnvironment env;
        const QList<Row> events{{QStringLiteral("New Year"), 1, 1},
                                {QStringLiteral("Leap"), 2, 29},
                                {QStringLiteral("Tom's"), 3, 5},
                                {QStringLiteral("Zoë 🎂"), 8, 8},
                                {QString(), 11, 30},
                                {QStringLiteral("Eve"), 12, 31}};
        EventListModel list;
        fillList(list, events);
        QDir().mkpath(env.dataFolder());
        const QString path = env.dataFolder() + QStringLiteral("/round.txt");
        exportEvents(path, list, {});
        Connection db;
        db.open(env.createStore());
        importEvents(path, db);
        QCOMPARE(storedEvents(db), events);
    }
};

ALMANIS_TEST_MAIN(EventTextTest)
#include "tst_event_text.moc"
