// The event text file on its own: month names, the line grammar, decoding,
// importEvents against a real store and exportEvents from event records.
#include "Checks.h"
#include "Files.h"
#include "SpecialFiles.h"
#include "StoreFixture.h"

#include "core/AppError.h"
#include "exchange/EventText.h"
#include "exchange/ICalendarFile.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/StoredEvents.h"

#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace almanis;
using test::makeSpecialFile;
using test::readFile;
using test::specialFileKind;
using test::writeFile;

namespace {

using Row = test::StoredEvent;
using test::storedEvents;

QStringList readerLines(const QByteArray& bytes) {
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
    return lines;
}

// The report of an import that fails; null when it does not.
QString importError(const QString& path, Connection& db) {
    return test::errorOf([&] { importEvents(path, db); });
}

// Events to export and a file to export them to, in a data folder of its own.
struct Export {
    explicit Export(const QList<Row>& rows) {
        for (const Row& r : rows) {
            events.append(EventRecord{events.size() + 1, r.description, r.month, r.day});
        }
        QDir().mkpath(env.dataFolder());
    }
    test::TestEnvironment env;
    QList<EventRecord> events;
    const QString path = env.dataFolder() + QStringLiteral("/out.txt");
};

// The lines that the parser rejects, each with a word its reason must contain.
void addBadLines() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reason");
    const auto bad = [](const char* name, const QString& line, const QString& reason) {
        QTest::newRow(name) << line << reason;
    };
    bad("no comma", "New Year January 1", "no comma");
    bad("no blank after the month", "New Year,January", "no blank");
    bad("month glued to day", "New Year,January1", "no blank");
    bad("day not a number", "New Year,January first", "\"first\" is not a whole number");
    bad("day with a fraction", "New Year,January 1.5", "not a whole number");
    bad("day beyond int", "New Year,January 99999999999", "not a whole number");
    bad("blank after the comma", "New Year, January 1", "without a blank");
    bad("two blanks before the day", "New Year,January  1", "no day");
    bad("blank and nothing after month", "New Year,January ", "no day");
    bad("month misspelt", "New Year,Janury 1", "\"Janury\" is not an English month name");
    bad("month abbreviated", "New Year,Jan 1", "not an English month name");
    bad("month in another language", "Nouvel An,janvier 1", "not an English month name");
    bad("day 0", "New Year,January 0", "January has no day 0");
    bad("negative day", "New Year,January -1", "January has no day -1");
    bad("30 February", "Odd,February 30", "February has no day 30");
    bad("31 April", "Odd,April 31", "April has no day 31");
    bad("32 December", "Odd,December 32", "December has no day 32");
    bad("nothing after the comma", "New Year,", "no date after the comma");
    bad("blanks after the comma", "New Year,  ", "no date after the comma");
    bad("comma right after the month name", "New Year,January,1", "no blank");
    bad("comma and blank after the month name", "New Year,January, 1", "without a blank");
    bad("commas only", ",,,", "no date after the comma");
    bad("NUL in the description", QStringLiteral("a") + QChar(0) + QStringLiteral("b,May 1"),
        "control character U+0000");
    bad("escape sequence in the description", QStringLiteral("Evil\x1B]0;x\x07\x1B[2J,May 3"),
        "the description holds the control character U+001B, which the editor does not take "
        "either");
    bad("tab in the description", QStringLiteral("a\tb,May 1"), "control character U+0009");
    bad("C1 control in the description", QStringLiteral("a\u0085b,May 1"),
        "control character U+0085");
    bad("line separator in the description", QStringLiteral("a\u2028b,May 1"),
        "control character U+2028");
    bad("description longer than the editor takes", QString(32768, QLatin1Char('x')) + ",May 1",
        "the description is 32768 characters long, and it can have at most 32767");
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
        const auto good = [](const char* name, const QString& line, const QString& description,
                             int month, int day) {
            QTest::newRow(name) << line << description << month << day;
        };
        good("plain", "New Year,January 1", "New Year", 1, 1);
        good("apostrophe, capitals", "Mum's day,MARCH 5", "Mum's day", 3, 5);
        good("third piece ignored", "Wedding,June 3 1999", "Wedding", 6, 3);
        good("second comma ignored", "Wedding,June 3,since 1999", "Wedding", 6, 3);
        good("empty description", ",July 4", "", 7, 4);
        good("description trimmed", "  padded  ,July 4", "padded", 7, 4);
        good("29 February", "Leap,February 29", "Leap", 2, 29);
        good("31 December", "Eve,december 31", "Eve", 12, 31);
        good("leading zero", "x,May 05", "x", 5, 5);
        good("tab after the day", "x,May 7\t", "x", 5, 7);
        good("lone CR at the end", "x,May 7\r", "x", 5, 7);
        // The date follows the last comma; the description may hold commas.
        good("comma in description", "Smith, John,February 2", "Smith, John", 2, 2);
        good("commas in description", "Tea,coffee, cake,June 3", "Tea,coffee, cake", 6, 3);
        good("a date in the description", "Tea,May 2,June 3", "Tea,May 2", 6, 3);
        good("comma at the end of the description", "Tea,,June 3", "Tea,", 6, 3);
        // A line that gives no date after its last comma reads as it always did.
        good("comma at the end of the line", "New Year,January 1,", "New Year", 1, 1);
        good("note after the date", "Wedding,June 3,since 1999, in Rome", "Wedding", 6, 3);
        good("blanks only before the comma", "   ,July 4", "", 7, 4);
        good("non-ASCII", "Zoë 🎂,August 8", "Zoë 🎂", 8, 8);
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
        ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { parseEventLine(line); }), reason);
    }

    void reading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList two{QStringLiteral("a,May 1"), QStringLiteral("b,May 2")};
        QTest::newRow("CR LF") << QByteArray("a,May 1\r\nb,May 2\r\n") << two;
        QTest::newRow("LF") << QByteArray("a,May 1\nb,May 2\n") << two;
        QTest::newRow("mixed endings") << QByteArray("a,May 1\nb,May 2\r\n") << two;
        QTest::newRow("no end on the last line") << QByteArray("a,May 1\r\nb,May 2") << two;
        QTest::newRow("one extra empty line")
            << QByteArray("a,May 1\r\nb,May 2\r\n\r\n") << (two + QStringList{QString()});
        QTest::newRow("old Mac: CR alone") << QByteArray("a,May 1\rb,May 2\r") << two;
        QTest::newRow("CR, CR LF and LF")
            << QByteArray("a,May 1\rb,May 2\r\nc,May 3\nd,May 4")
            << (two + QStringList{QStringLiteral("c,May 3"), QStringLiteral("d,May 4")});
        QTest::newRow("CR CR LF is two line ends")
            << QByteArray("a,May 1\r\r\nb,May 2") << QStringList{"a,May 1", "", "b,May 2"};
        // The reader takes the file in blocks of 64 KiB.
        QTest::newRow("a line longer than the reader keeps")
            << QByteArray(300000, 'x') + "\nb,May 2"
            << QStringList{QString(131072, QLatin1Char('x')), QStringLiteral("b,May 2")};
        QTest::newRow("CR LF split between two blocks")
            << QByteArray(65535, 'a') + "\r\nb,May 2"
            << QStringList{QString(65535, QLatin1Char('a')), QStringLiteral("b,May 2")};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("byte-order mark") << QByteArray(
                                                "\xEF\xBB\xBF"
                                                "a,May 1\r\nb,May 2\r\n")
                                         << two;
        // Files joined together may carry a mark inside; it is no part of the line.
        QTest::newRow("byte-order marks of joined files") << QByteArray(
                                                                 "\xEF\xBB\xBF"
                                                                 "a,May 1\r\n\xEF\xBB\xBF"
                                                                 "b,May 2\r\n")
                                                          << two;
        QTest::newRow("UTF-8") << QByteArray("Zo\xC3\xAB,May 1\r\n\xE2\x82\xAC,May 2\r\n")
                               << QStringList{QStringLiteral("Zoë,May 1"),
                                              QStringLiteral("€,May 2")};
        QTest::newRow("Windows-1252")
            << QByteArray("Zo\xEB,May 1\r\n\x80 and \x93quotes\x94,May 2\r\n")
            << QStringList{QStringLiteral("Zoë,May 1"), QStringLiteral("€ and “quotes”,May 2")};
        // Each line is decoded on its own: one Windows-1252 line leaves the UTF-8
        // lines around it alone.
        QTest::newRow("invalid UTF-8 only on the last line")
            << QByteArray("Zo\xC3\xAB,May 1\r\nCaf\xE9,May 2")
            << QStringList{QStringLiteral("Zoë,May 1"), QStringLiteral("Café,May 2")};
        QTest::newRow("one Windows-1252 line among UTF-8 lines")
            << QByteArray("Caf\xC3\xA9,May 1\r\nNo\xEBl,May 2\r\n\xE2\x82\xAC,May 3\r\n")
            << QStringList{QStringLiteral("Café,May 1"), QStringLiteral("Noël,May 2"),
                           QStringLiteral("€,May 3")};
        QTest::newRow("byte-order mark, then Windows-1252")
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "Caf\xE9,May 2\r\n")
            << QStringList{QStringLiteral("Café,May 2")};
        QTest::newRow("overlong UTF-8 is not UTF-8")
            << QByteArray("\xC0\xAF,May 1") << QStringList{QStringLiteral("À¯,May 1")};
    }
    void reading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(readerLines(bytes), lines);
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

    // A bad line anywhere stores nothing at all; the report names it, with
    // its reason and its text.
    void importOfAFileWithABadLineStoresNothing_data() { addBadLines(); }
    void importOfAFileWithABadLineStoresNothing() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        test::StoreFixture f;
        const QString path = f.dataFile(QStringLiteral("events.txt"));
        writeFile(path, "First,January 1\r\nSecond,February 2\r\n" + line.toUtf8() +
                            "\r\nAfter,March 3\r\n");
        const QString error = importError(path, f.db);
        ALMANIS_VERIFY_STARTS(error, QStringLiteral("Line 3 cannot be imported: "));
        ALMANIS_VERIFY_CONTAINS(error, reason);
        QVERIFY2(
            error.endsWith(
                QStringLiteral("The line reads %1. Nothing was imported.").arg(quotedLine(line))),
            qPrintable(error));
        QCOMPARE(storedEvents(f.db), QList<Row>());
    }

    // A file stores all its events or, when a line is bad, none; the report
    // names the first bad line, with its reason and text, and counts the others
    // so that the user knows how much of the file there is to mend. A second
    // import of the same file stores nothing again.
    void importOfAFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QString>("report");  // null: the import succeeds
        const QList<Row> ab{{QStringLiteral("a"), 5, 1}, {QStringLiteral("b"), 5, 2}};
        QTest::newRow("every form of good line")
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "Mum's day,MARCH 5\nWedding,june 3 1999\r\n,July 4,x\r\nZo\xC3\xAB,May 1")
            << QList<Row>{{QStringLiteral("Mum's day"), 3, 5},
                          {QStringLiteral("Wedding"), 6, 3},
                          {QString(), 7, 4},
                          {QStringLiteral("Zoë"), 5, 1}}
            << QString();
        QTest::newRow("Windows-1252 beside UTF-8")
            << QByteArray(
                   "Ren\xE9"
                   "e,April 2\r\nNo\xEBl,December 25\r\nCaf\xC3\xA9,May 3\r\n")
            << QList<Row>{{QStringLiteral("Renée"), 4, 2},
                          {QStringLiteral("Noël"), 12, 25},
                          {QStringLiteral("Café"), 5, 3}}
            << QString();
        QTest::newRow("last line ends with CR LF")
            << QByteArray("a,May 1\r\nb,May 2\r\n") << ab << QString();
        QTest::newRow("last line without end")
            << QByteArray("a,May 1\r\nb,May 2") << ab << QString();
        QTest::newRow("empty file") << QByteArray() << QList<Row>() << QString();
        QTest::newRow("byte-order mark only")
            << QByteArray("\xEF\xBB\xBF") << QList<Row>() << QString();
        // Empty lines are skipped, and still counted in the lines' numbers.
        QTest::newRow("one extra empty line")
            << QByteArray("a,May 1\r\nb,May 2\r\n\r\n") << ab << QString();
        QTest::newRow("empty lines and blanks between")
            << QByteArray("\r\na,May 1\n\n  \t\nb,May 2\n\n") << ab << QString();
        QTest::newRow("byte-order mark and an empty line")
            << QByteArray("\xEF\xBB\xBF\r\n") << QList<Row>() << QString();
        QTest::newRow("empty lines counted in the report")
            << QByteArray("a,May 1\n\n\nb,Mai 2\n") << QList<Row>()
            << "Line 4 cannot be imported: \"Mai\" is not an English month name. The line reads "
               "\"b,Mai 2\". Nothing was imported.";
        QTest::newRow("old Mac line ends")
            << QByteArray("Anna,May 1\rBen,June 2\r")
            << QList<Row>{{QStringLiteral("Anna"), 5, 1}, {QStringLiteral("Ben"), 6, 2}}
            << QString();
        QTest::newRow("the longest description, in three bytes a character")
            << QString(32767, QChar(0x20AC)).toUtf8() + ",May 1\r\n"
            << QList<Row>{{QString(32767, QChar(0x20AC)), 5, 1}} << QString();
        // Only the line's start is read: the rest is passed over, not kept.
        QTest::newRow("a line longer than any event's")
            << "a,May 1\r\n" + QByteArray(10 << 20, 'x') + ",May 2\r\nb,May 3\r\n"
            << QList<Row>()
            << "Line 2 cannot be imported: the line is longer than 131072 bytes, and a "
               "description can have at most 32767 characters. The line reads \"" +
                   QString(80, QLatin1Char('x')) + "...\". Nothing was imported.";
        QTest::newRow("terminal control sequences")
            << QByteArray("Evil\x1B]0;pwned\x07\x1B[2J,May 3\r\n") << QList<Row>()
            << "Line 1 cannot be imported: the description holds the control character U+001B, "
               "which the editor does not take either. The line reads "
               "\"Evil\uFFFD]0;pwned\uFFFD\uFFFD[2J,May 3\". Nothing was imported.";
        QTest::newRow("one bad line") << QByteArray("a,May 1\nb,Mai 2\nc,May 3\n") << QList<Row>()
                                      << "Line 2 cannot be imported: \"Mai\" is not an English "
                                         "month name. The line reads \"b,Mai 2\". Nothing was "
                                         "imported.";
        QTest::newRow("two bad lines") << QByteArray("a,May 1\nb,Mai 2\nc,May 32\n") << QList<Row>()
                                       << "Line 2 cannot be imported: \"Mai\" is not an English "
                                          "month name. The line reads \"b,Mai 2\". 1 more line "
                                          "cannot be imported either. Nothing was imported.";
        QTest::newRow("every line bad") << QByteArray("a\nb\nc\nd\n") << QList<Row>()
                                        << "Line 1 cannot be imported: there is no comma after "
                                           "the description. The line reads \"a\". 3 more lines "
                                           "cannot be imported either. Nothing was imported.";
        QTest::newRow("a description with NUL")
            << "a,May 1\r\nb" + QByteArray(1, '\0') + "c,May 2\r\nd,May 3\r\n"
            << QList<Row>()
            << "Line 2 cannot be imported: the description holds the control character U+0000, "
               "which the editor does not take either. The line reads \"b\uFFFDc,May 2\". "
               "Nothing was imported.";
    }
    void importOfAFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<Row>, rows);
        QFETCH(QString, report);
        test::StoreFixture f;
        const QString path = f.dataFile(QStringLiteral("events.txt"));
        writeFile(path, bytes);
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(importError(path, f.db), report);
            QCOMPARE(storedEvents(f.db), rows);
        }
    }

    // 100,000 good lines and one bad one at the end: nothing is stored.
    void aBadLastLineAfterManyGoodOnesStoresNothing() {
        test::StoreFixture f;
        const QString path = f.dataFile(QStringLiteral("long.txt"));
        QByteArray text;
        for (int i = 0; i < 100000; ++i) {
            text += "Event " + QByteArray::number(i) + ",March 3\r\n";
        }
        writeFile(path, text + "The end,Smarch 3\r\n");
        QVERIFY(
            importError(path, f.db).startsWith(QStringLiteral("Line 100001 cannot be imported")));
        QCOMPARE(storedEvents(f.db).size(), 0);
    }

    // The import takes no lock of its own: a reader that holds a snapshot
    // throughout (the sqlite3 shell in a transaction) neither stops it nor is
    // stopped, and another connection writes at once afterwards. The log is
    // empty once the reader lets go.
    void importBesideAnOpenReader() {
        test::StoreFixture f;
        f.add(QStringLiteral("Before"), 1, 1);
        const QString path = f.dataFile(QStringLiteral("events.txt"));
        writeFile(path, "a,May 1\r\nb,May 2\r\n");
        Connection reader;
        reader.open(f.env.storePath());
        reader.setBusyTimeout(0);  // any lock the import kept would fail at once
        reader.execute(QStringLiteral("begin"));
        QCOMPARE(storedEvents(reader).size(), 1);
        QCOMPARE(importEvents(path, f.db), (ImportCount{2, 0}));
        // The reader still sees its snapshot, and may go on reading.
        QCOMPARE(storedEvents(reader).size(), 1);
        reader.execute(QStringLiteral("commit"));
        QCOMPARE(storedEvents(reader).size(), 3);
        Connection writer;
        writer.open(f.env.storePath());
        writer.setBusyTimeout(0);
        insertEvent(writer, QStringLiteral("right after"), 6, 6);
        QCOMPARE(storedEvents(f.db).size(), 4);
        // Another import, now that no one holds an old snapshot, leaves the
        // log empty.
        writeFile(path, "c,May 3\r\nd,May 4\r\n");
        QCOMPARE(importEvents(path, f.db), (ImportCount{2, 0}));
        QCOMPARE(QFileInfo(f.env.storePath() + QStringLiteral("-wal")).size(), 0);
    }

    // A store that cannot take a row (its disk full) stores none of the file:
    // the report names the event it stopped at and says nothing was imported,
    // and the log is emptied all the same.
    void aFullStoreStoresNothingAndSaysWhere() {
        test::StoreFixture f;
        insertEvent(f.db, QStringLiteral("Kept"), 4, 4);
        const QString path = f.dataFile(QStringLiteral("events.txt"));
        QByteArray text;
        for (int i = 0; i < 2000; ++i) {
            text += QByteArray(200, 'x') + ' ' + QByteArray::number(i) + ",May 1\r\n";
        }
        writeFile(path, text);
        ResultSet pages;
        pages.open("PRAGMA page_count", f.db);
        const int full = wholeNumber(pages.field("page_count")) + 4;
        pages.close();
        f.db.execute(QStringLiteral("PRAGMA max_page_count=%1").arg(full));
        const QString error = importError(path, f.db);
        QCOMPARE(storedEvents(f.db).size(), 1);
        ALMANIS_VERIFY_STARTS(error, QStringLiteral("The event \"xxx"));
        ALMANIS_VERIFY_CONTAINS(error,
                                QStringLiteral(" of 2000) cannot be stored: database or disk "
                                               "is full"));
        QVERIFY2(error.endsWith(QStringLiteral("Nothing was imported.")), qPrintable(error));
        QCOMPARE(QFileInfo(f.env.storePath() + QStringLiteral("-wal")).size(), 0);
        // With room again, the same file comes in whole, once.
        f.db.execute(QStringLiteral("PRAGMA max_page_count=1073741823"));
        QCOMPARE(importEvents(path, f.db), (ImportCount{2000, 0}));
        QCOMPARE(storedEvents(f.db).size(), 2001);
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

    void importOfABinaryFileStoresAllOrNothing() {
        test::StoreFixture f;
        const QString path = f.env.dataFolder() + QStringLiteral("/binary.txt");
        for (int round = 0; round < 20; ++round) {
            const QByteArray bytes = "a,May 1\r\n" + test::randomBytes(4096, 20260615 + round);
            writeFile(path, bytes);
            f.db.execute(QStringLiteral("delete from tblEvent"));
            // The first line the parser refuses is the one reported.
            // Empty lines are passed over.
            int firstBad = 0;
            int events = 0;
            const QStringList lines = readerLines(bytes);
            for (int i = 0; i < lines.size() && firstBad == 0; ++i) {
                if (lines[i].trimmed().isEmpty()) {
                    continue;
                }
                ++events;
                firstBad = test::errorOf([&] { parseEventLine(lines[i]); }).isNull() ? 0 : i + 1;
            }
            const QString error = importError(path, f.db);
            if (firstBad > 0) {
                ALMANIS_VERIFY_STARTS(error, QStringLiteral("Line %1 ").arg(firstBad));
                QCOMPARE(storedEvents(f.db).size(), 0);
            } else {
                QCOMPARE(error, QString());
                QCOMPARE(storedEvents(f.db).size(), events);
            }
        }
    }

    // One line a row, with the program's English month name; a month without a
    // name leaves the name out, and control characters become blanks so that
    // every row stays one line of the file.
    void exportWritesOneLinePerRow_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("importable");
        QTest::newRow("plain, a comma, UTF-8")
            << QList<Row>{{QStringLiteral("New Year"), 1, 1},
                          {QStringLiteral("Smith, John"), 7, 31},
                          {QStringLiteral("Zoë's"), 12, 9}}
            << QByteArray(
                   "New Year,January 1\r\nSmith, John,July 31\r\nZo\xC3\xAB's,December 9\r\n")
            << true;
        QTest::newRow("months without a name")
            << QList<Row>{{QStringLiteral("zero"), 0, 5}, {QStringLiteral("carried"), 13, 1}}
            << QByteArray("zero, 5\r\ncarried, 1\r\n") << false;
        QTest::newRow("control characters")
            << QList<Row>{{QStringLiteral("two\r\nlines"), 1, 1},
                          {QStringLiteral("tab\there"), 2, 2},
                          {QStringLiteral("lone\rCR, LF\n and \u2028separator"), 3, 3}}
            << QByteArray(
                   "two lines,January 1\r\ntab here,February 2\r\n"
                   "lone CR, LF  and  separator,March 3\r\n")
            << true;
    }
    void exportWritesOneLinePerRow() {
        QFETCH(QList<Row>, rows);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, importable);
        Export e(rows);
        QCOMPARE(exportEvents(e.path, e.events), rows.size());
        QCOMPARE(readFile(e.path), bytes);
        if (importable) {
            Connection db;
            db.open(e.env.createStore());
            QCOMPARE(importEvents(e.path, db).imported, rows.size());
        }
    }

    // No events give a file that says so: empty, in the old file's place.
    void exportOfNoEventsWritesAnEmptyFile() {
        Export e({});
        QCOMPARE(exportEvents(e.path, e.events), 0);
        QCOMPARE(specialFileKind(e.path), QStringLiteral("regular file"));
        QCOMPARE(readFile(e.path), QByteArray());
        writeFile(e.path, "an older export");
        exportEvents(e.path, e.events);
        QCOMPARE(readFile(e.path), QByteArray());
    }

    // Only a new or a regular file is written: anything else in the target's
    // place is named and left as it is, in every format.
    void exportsWriteOnlyToRegularFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("calendar");
        for (const char* kind :
             {"named pipe", "folder", "socket", "device", "link to a named pipe"}) {
            for (const bool calendar : {false, true}) {
                QTest::addRow("%s, %s", kind, calendar ? "iCalendar" : "text")
                    << QString::fromLatin1(kind) << calendar;
            }
        }
    }
    void exportsWriteOnlyToRegularFiles() {
        QFETCH(QString, kind);
        QFETCH(bool, calendar);
        Export e({{QStringLiteral("a"), 1, 1}});
        const QString target = e.env.dataFolder() + QStringLiteral("/target");
        if (!makeSpecialFile(target, kind)) {
            QSKIP("This system does not let the test make it");
        }
        const QString was = specialFileKind(target);
        const QString error = test::errorOf([&] {
            calendar ? writeICalendar(target, e.events) : void(exportEvents(target, e.events));
        });
        const QString shown =
            kind == QLatin1String("link to a named pipe") ? QStringLiteral("named pipe") : kind;
        QCOMPARE(error,
                 QStringLiteral("Nothing was written to %1: it is a %2, and an export writes "
                                "only to a regular file")
                     .arg(target, shown));
        QCOMPARE(specialFileKind(target), was);
        // Nothing half-written is left beside it.
        QStringList left =
            QDir(e.env.dataFolder())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        left.removeAll(QStringLiteral("target"));
        left.removeAll(QStringLiteral("target.pipe"));
        QCOMPARE(left, QStringList());
    }

    void exportToAPlaceThatCannotBeWritten() {
        Export e({{QStringLiteral("a"), 1, 1}});
        const QString aFile = e.env.dataFolder() + QStringLiteral("/file.txt");
        writeFile(aFile, "x");
        QStringList targets{e.env.dataFolder() + QStringLiteral("/no such folder/out.txt"),
                            aFile + QStringLiteral("/out.txt"), e.env.dataFolder()};
        if (geteuid() != 0) {
            const QString locked = e.env.dataFolder() + QStringLiteral("/locked");
            QDir().mkpath(locked);
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            targets << locked + QStringLiteral("/out.txt");
        }
        for (const QString& target : targets) {
            QVERIFY_THROWS_EXCEPTION(AppError, exportEvents(target, e.events));
        }
        QCOMPARE(readFile(aFile), QByteArray("x"));
    }

    // Every description the editor takes comes back unchanged from a file.
    void exportThenImportGivesTheSameEvents_data() {
        QTest::addColumn<QString>("description");
        QTest::newRow("plain") << QStringLiteral("New Year");
        QTest::newRow("blanks inside") << QStringLiteral("Tom  and   Ann's   day");
        QTest::newRow("comma") << QStringLiteral("Smith, John");
        QTest::newRow("commas and a date") << QStringLiteral("Tea, cake,May 2, 1999,");
        QTest::newRow("ends in a comma") << QStringLiteral("Hmm,");
        QTest::newRow("only commas") << QStringLiteral(",,,");
        QTest::newRow("quotes") << QStringLiteral("\"Quoted\" 'single' “curly” ‘too’");
        QTest::newRow("apostrophes") << QStringLiteral("Mum's 'big' day''");
        QTest::newRow("SQL look-alike") << QStringLiteral("x'); drop table tblEvent; --");
        QTest::newRow("non-Latin scripts") << QStringLiteral("День рождения 誕生日 생일 Γενέθλια");
        QTest::newRow("emoji with joiners")
            << QStringLiteral("🎂 Family 👨‍👩‍👧‍👦 party 🇬🇧");
        QTest::newRow("right-to-left") << QStringLiteral(
            "\u05D9\u05D5\u05DD "
            "\u05D4\u05D5\u05DC\u05D3\u05EA, "
            "\u0639\u064A\u062F \u200F(1)");
        QTest::newRow("month name inside") << QStringLiteral("Dinner,January 1 at eight");
        QTest::newRow("backslashes and percent") << QStringLiteral("C:\\dir %1 %% \\n");
        QTest::newRow("longest the editor keeps") << QString(32767, QChar(0x00E9));
    }
    void exportThenImportGivesTheSameEvents() {
        QFETCH(QString, description);
        const QList<Row> events{{description, 2, 29},
                                {(QStringLiteral("Next, ") + description).left(32767), 12, 31}};
        Export e(events);
        QCOMPARE(exportEvents(e.path, e.events), 2);
        Connection db;
        db.open(e.env.createStore());
        QCOMPARE(importEvents(e.path, db).imported, 2);
        QCOMPARE(storedEvents(db), events);
    }
};

ALMANIS_TEST_MAIN(EventTextTest)
#include "tst_event_text.moc"
