#include "Checks.h"
#include "Files.h"
#include "FullDisk.h"
#include "ReadOnlyFiles.h"
#include "StoreFixture.h"
#include "StoreLock.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/DataFolder.h"
#include "store/ResultSet.h"
#include "store/Sql.h"
#include "store/StoredEvents.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <optional>

using namespace almanis;

namespace {
QString readBack(Connection& db) {
    ResultSet rs;
    rs.open("select Description from tblEvent order by id desc limit 1", db);
    return rs.field("Description").toString();
}

int countRows(Connection& db) {
    ResultSet rs;
    rs.open("select count(*) as n from tblEvent", db);
    return wholeNumber(rs.field("n"));
}

}  // namespace

class StoreTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void descriptionsComeBackExactly_data() {
        QTest::addColumn<QString>("description");
        QTest::newRow("apostrophe") << QStringLiteral("Mum's birthday");
        QTest::newRow("only apostrophes") << QStringLiteral("'''");
        QTest::newRow("break-out attempt") << QStringLiteral("x'); drop table tblEvent; --");
        QTest::newRow("semicolon and comment") << QStringLiteral("a; b -- c /* d */");
        QTest::newRow("newlines") << QStringLiteral("line one\r\nline two\n");
        QTest::newRow("non-ASCII") << QStringLiteral("Zoë's Geburtstag 🎂 день рождения");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks kept") << QStringLiteral("  padded  ");
        QTest::newRow("one megabyte") << QString(1 << 20, QLatin1Char('\''));
    }
    void descriptionsComeBackExactly() {
        QFETCH(QString, description);
        test::StoreFixture f;
        insertEvent(f.db, description, 3, 5);
        QCOMPARE(readBack(f.db), description);
        QCOMPARE(countRows(f.db), 1);
        updateEvent(f.db, 1, description + QLatin1Char('\''), 4, 6);
        QCOMPARE(readBack(f.db), description + QLatin1Char('\''));
    }

    void nulCharacterIsRefusedNotTruncated() {
        test::StoreFixture f;
        f.add(QStringLiteral("Kept"), 2, 3);
        const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        const QString refusal =
            QStringLiteral("The description contains a NUL character, which cannot be stored");
        QCOMPARE(test::errorOf([&] { insertEvent(f.db, withNul, 1, 1); }), refusal);
        QCOMPARE(test::errorOf([&] { updateEvent(f.db, 1, withNul, 1, 1); }), refusal);
        QCOMPARE(test::errorOf([&] {
                     updateUnchangedEvent(f.db, {1, QStringLiteral("Kept"), 2, 3, std::nullopt},
                                          withNul, 1, 1);
                 }),
                 refusal);
        QCOMPARE(test::storedEvents(f.db),
                 (QList<test::StoredEvent>{{QStringLiteral("Kept"), 2, 3}}));
    }

    // A statement that repeats is parsed once: the connection keeps it, and
    // runs it again with the new values.
    void aRepeatedStatementIsParsedOnce() {
        test::StoreFixture f;
        for (int day = 1; day <= 3; ++day) {
            insertEvent(f.db, QStringLiteral("Day %1").arg(day), 1, day);
        }
        QList<sqlite3_stmt*> inserts;
        for (sqlite3_stmt* kept = sqlite3_next_stmt(f.db.handle(), nullptr); kept;
             kept = sqlite3_next_stmt(f.db.handle(), kept)) {
            if (QByteArray(sqlite3_sql(kept)).startsWith("insert into tblEvent ")) {
                inserts.append(kept);
            }
        }
        QCOMPARE(inserts.size(), 1);
        // Each run also runs the store's trigger that gives the event its UID.
        QCOMPARE(sqlite3_stmt_status(inserts[0], SQLITE_STMTSTATUS_RUN, 0), 3 * 2);
        QCOMPARE(test::storedEvents(f.db),
                 (QList<test::StoredEvent>{{QStringLiteral("Day 1"), 1, 1},
                                           {QStringLiteral("Day 2"), 1, 2},
                                           {QStringLiteral("Day 3"), 1, 3}}));
    }

    // Two reads of the same query at once (a timer's check while a box of a
    // fill is open) each walk their own rows.
    void theSameQueryTwiceAtOnceReadsTwice() {
        test::StoreFixture f;
        f.add(QStringLiteral("a"), 1, 1);
        f.add(QStringLiteral("b"), 2, 2);
        QCOMPARE(readStoredEvents(f.db).events.size(), 2);  // the query is kept from here on
        ResultSet outer;
        outer.open(sql::selectEvents(), f.db);
        QString order = outer.field("Description").toString();
        {
            ResultSet inner;
            for (inner.open(sql::selectEvents(), f.db); !inner.eof(); inner.moveNext()) {
                order += inner.field("Description").toString();
            }
        }
        for (outer.moveNext(); !outer.eof(); outer.moveNext()) {
            order += outer.field("Description").toString();
        }
        QCOMPARE(order, QStringLiteral("aabb"));
    }

    // A statement kept from a connection's earlier opening is not used again:
    // a store opened again for reading only refuses a change as it did before.
    void aReopenedStoreKeepsNoStatementOfBefore() {
        test::StoreFixture f;
        f.add(QStringLiteral("Before"), 1, 1);
        f.db.openReadOnly(f.env.storePath());
        ALMANIS_VERIFY_STARTS(
            test::errorOf([&] { insertEvent(f.db, QStringLiteral("After"), 1, 2); }),
            QStringLiteral("The event store "));
        f.db.open(f.env.storePath());
        f.add(QStringLiteral("Again"), 1, 3);
        QCOMPARE(countRows(f.db), 2);
    }

    void onlyOneStatementRuns() {
        test::StoreFixture f;
        QVERIFY_THROWS_EXCEPTION(
            AppError,
            f.db.execute(QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                                        "values ('a',1,1); delete from tblEvent")));
        QCOMPARE(countRows(f.db), 0);
    }

    void deleteRemovesOnlyThatId() {
        test::StoreFixture f;
        for (int i = 0; i < 3; ++i) {
            insertSampleEvent(f.db);
        }
        deleteEvent(f.db, 2);
        ResultSet rs;
        rs.open(sql::selectEvents(), f.db);
        QStringList ids;
        for (; !rs.eof(); rs.moveNext()) {
            ids << rs.field("id").toString();
        }
        QCOMPARE(ids, (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    }

    void idsAreNeverReused() {
        test::StoreFixture f;
        insertSampleEvent(f.db);
        insertSampleEvent(f.db);
        deleteEvent(f.db, 2);
        insertSampleEvent(f.db);
        ResultSet rs;
        rs.open("select max(id) as id from tblEvent", f.db);
        QCOMPARE(wholeNumber(rs.field("id")), 3);
    }

    void readersGetMonthThenDayOrder() {
        test::StoreFixture f;
        f.add(QStringLiteral("c"), 12, 1);
        f.add(QStringLiteral("b"), 2, 10);
        f.add(QStringLiteral("a"), 2, 9);
        ResultSet rs;
        rs.open(sql::selectEvents(), f.db);
        QString order;
        for (; !rs.eof(); rs.moveNext()) {
            order += rs.field("description").toString();  // names are case-insensitive
        }
        QCOMPARE(order, QStringLiteral("abc"));
        QCOMPARE(rs.state(), 1);
        rs.close();
        QCOMPARE(rs.state(), 0);
        QVERIFY_THROWS_EXCEPTION(AppError, rs.moveNext());
    }

    void unknownColumnIsAnError() {
        test::StoreFixture f;
        insertSampleEvent(f.db);
        ResultSet rs;
        rs.open(sql::selectEvents(), f.db);
        QVERIFY_THROWS_EXCEPTION(AppError, rs.field("Year"));
    }

    void wholeNumbers_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("integer") << QVariant(qlonglong(12)) << true << 12;
        QTest::newRow("text digits") << QVariant(QStringLiteral(" 7 ")) << true << 7;
        QTest::newRow("real whole") << QVariant(3.0) << true << 3;
        QTest::newRow("real fraction") << QVariant(1.5) << false << 0;
        QTest::newRow("word") << QVariant(QStringLiteral("abc")) << false << 0;
        QTest::newRow("null") << QVariant() << false << 0;
        QTest::newRow("too big") << QVariant(qlonglong(1) << 40) << false << 0;
    }
    void wholeNumbers() {
        QFETCH(QVariant, value);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        if (ok) {
            QCOMPARE(wholeNumber(value), expected);
        } else {
            QVERIFY_THROWS_EXCEPTION(AppError, wholeNumber(value));
        }
    }

    void openRefusesWhatIsNotADatabase_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("New Year,January 1\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("damaged header")
            << QByteArray("SQLite format 3\0garbage", 23) + QByteArray(4096, 'x');
    }
    void openRefusesWhatIsNotADatabase() {
        QFETCH(QByteArray, content);
        test::TestEnvironment env;
        const QString path = env.createStore();
        test::writeFile(path, content);
        Connection db;
        QVERIFY_THROWS_EXCEPTION(AppError, db.open(path));
        QCOMPARE(db.state(), 0);
        QCOMPARE(test::readFile(path), content);  // start-up changes nothing
    }

    void openNeverCreatesAFile() {
        test::TestEnvironment env;
        Connection db;
        QVERIFY_THROWS_EXCEPTION(AppError, db.open(env.storePath()));
        QVERIFY(!QFile::exists(env.storePath()));
    }

    void lockedDatabaseIsReportedAfterTheTimeout() {
        test::TestEnvironment env;
        const QString path = env.createStore();
        Connection db;
        db.open(path);
        // Another process holds a write lock longer than our timeout.
        test::StoreLock other(path, "BEGIN IMMEDIATE");
        QVERIFY(other.held());
        sqlite3_busy_timeout(db.handle(), 50);  // keep the test quick
        ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { insertSampleEvent(db); }),
                                QStringLiteral("locked"));
        other.release();
        insertSampleEvent(db);
        QCOMPARE(countRows(db), 1);
    }

    // Another program holds the store locked when it is opened: the connection
    // stays closed, and opens once the lock is gone.
    void aStoreLockedAtOpenOpensLater() {
        test::TestEnvironment env;
        const QString path = env.createStore();
        test::StoreLock other(path);
        QVERIFY(other.held());
        Connection db;
        db.setBusyTimeout(0);
        ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { db.open(path); }), QStringLiteral("locked"));
        QCOMPARE(db.state(), 0);
        QVERIFY(!db.readOnly());  // locked is not read-only
        QVERIFY_THROWS_EXCEPTION(AppError, db.reopen());
        other.release();
        db.reopen();
        QCOMPARE(db.state(), 1);
        insertSampleEvent(db);
        QCOMPARE(countRows(db), 1);
    }

    void aStoreOpenedForReadingRefusesChangesNamingTheFile() {
        test::StoreFixture f;
        f.add(QStringLiteral("Kept"), 1, 2);
        Connection db;
        db.openReadOnly(f.env.storePath());
        QVERIFY(db.readOnly());
        QCOMPARE(countRows(db), 1);
        QCOMPARE(test::errorOf([&] { insertSampleEvent(db); }),
                 QStringLiteral("The event store %1 cannot be changed: it was opened for "
                                "reading only. The events can be read, but no change can be "
                                "saved.")
                     .arg(f.env.storePath()));
        QCOMPARE(countRows(f.db), 1);
    }

    // A store in a file or folder the user may not write, or on a full disk,
    // opens for reading; a full disk is named as such.
    void aStoreThatCannotBeWrittenOpensForReading_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("writeAheadLog");  // as the program leaves its store
        QTest::newRow("read-only file") << "read-only file" << true;
        QTest::newRow("read-only folder") << "read-only folder" << true;
        QTest::newRow("full disk") << "full disk" << true;
        QTest::newRow("full disk, a store of an earlier version") << "full disk" << false;
    }
    void aStoreThatCannotBeWrittenOpensForReading() {
        QFETCH(QString, cause);
        QFETCH(bool, writeAheadLog);
        test::TestEnvironment env;
        const QString path = env.createStore();
        {
            Connection db;
            db.open(path);
            insertEvent(db, QStringLiteral("Kept"), 1, 2);
            if (!writeAheadLog) {
                db.execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
            }
        }
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
        const QByteArray before = test::readFile(path);
        const QString folder = env.dataFolder();
        std::optional<test::ReadOnlyFiles> readOnly;
        std::optional<test::FullDisk> fullDisk;
        if (cause == QLatin1String("full disk")) {
            fullDisk.emplace();
        } else {
            const bool folderReadOnly = cause == QLatin1String("read-only folder");
            readOnly.emplace(folderReadOnly ? QStringList{folder} : QStringList{path},
                             folderReadOnly ? QStringList{path} : QStringList{folder});
            if (!readOnly->active()) {
                QSKIP("The superuser could not act as another user here");
            }
        }
        Connection db;
        QCOMPARE(test::errorOf([&] { db.open(path); }), QString());
        QVERIFY(db.readOnly());
        QCOMPARE(db.diskFull(), bool(fullDisk));
        QVERIFY(!db.readOnlyReason().isEmpty());
        QCOMPARE(countRows(db), 1);
        const QString refused = test::errorOf([&] { insertSampleEvent(db); });
        ALMANIS_VERIFY_STARTS(refused,
                              QStringLiteral("The event store %1 cannot be changed: ").arg(path));
        if (fullDisk) {
            QCOMPARE(refused, QStringLiteral("The event store %1 cannot be changed: the disk that "
                                             "holds it is full. The events can be read, but no "
                                             "change can be saved.")
                                  .arg(path));
        }
        QCOMPARE(countRows(db), 1);
        db.close();
        QCOMPARE(test::readFile(path), before);
    }

    // A database of another program keeps its own journal mode: opening it
    // for reading and writing changes nothing in it.
    void aFileWithoutEventsIsLeftAsItIs() {
        test::TestEnvironment env;
        const QString path = env.dataFolder() + QStringLiteral("/other.db");
        QDir().mkpath(env.dataFolder());
        {
            Connection other;
            other.openNew(path);
            other.execute(QStringLiteral("create table notes(text)"));
        }
        const QByteArray before = test::readFile(path);
        {
            Connection db;
            db.open(path);
            QVERIFY(!db.readOnly());
        }
        QCOMPARE(test::readFile(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    }

    void statementsSayHowManyRowsTheyChanged() {
        test::StoreFixture f;
        insertSampleEvent(f.db);
        insertSampleEvent(f.db);
        QCOMPARE(f.db.execute(QStringLiteral("update tblEvent set EventDay=2")), 2);
        QCOMPARE(updateEvent(f.db, 2, QStringLiteral("B"), 1, 1), 1);
        QCOMPARE(updateEvent(f.db, 99, QStringLiteral("B"), 1, 1), 0);
        QCOMPARE(deleteEvent(f.db, 99), 0);
        QCOMPARE(deleteEvent(f.db, 2), 1);
    }

    // The editor's save changes a row only while it holds what the editor saw.
    void anUnchangedUpdateComparesWhatWasRead_data() {
        QTest::addColumn<QString>("stored");  // the row's values, as SQL
        QTest::addColumn<int>("changed");
        QTest::newRow("as seen") << "'Seen',3,4" << 1;
        QTest::newRow("description changed") << "'Other',3,4" << 0;
        QTest::newRow("month changed") << "'Seen',5,4" << 0;
        QTest::newRow("day changed") << "'Seen',3,5" << 0;
        QTest::newRow("numbers stored loosely") << "'Seen',' 3 ',4.0" << 1;
    }
    void anUnchangedUpdateComparesWhatWasRead() {
        QFETCH(QString, stored);
        QFETCH(int, changed);
        test::StoreFixture f;
        f.db.execute(
            QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) values (") +
            stored + QLatin1Char(')'));
        QCOMPARE(updateUnchangedEvent(f.db, {1, QStringLiteral("Seen"), 3, 4, std::nullopt},
                                      QStringLiteral("New"), 6, 7),
                 changed);
        // A month or day that could not be read is not compared.
        if (changed == 0 && stored.contains(QStringLiteral("5,4"))) {
            QCOMPARE(updateUnchangedEvent(
                         f.db, {1, QStringLiteral("Seen"), std::nullopt, 4, std::nullopt},
                         QStringLiteral("New"), 6, 7),
                     1);
        }
        if (changed == 0 && stored.contains(QStringLiteral("3,5"))) {
            QCOMPARE(updateUnchangedEvent(
                         f.db, {1, QStringLiteral("Seen"), 3, std::nullopt, std::nullopt},
                         QStringLiteral("New"), 6, 7),
                     1);
        }
    }

    // The editor's save of an event with its details: the details read when
    // it opened must be unchanged too, and everything changes in one go or
    // not at all.
    void anUnchangedUpdateComparesTheDetailsToo_data() {
        QTest::addColumn<QString>("meanwhile");  // a statement run after the read
        QTest::addColumn<bool>("withDetails");   // the details were read and shown
        QTest::addColumn<QString>("after");      // description|year|days|note, as stored
        const QString mine = QStringLiteral("Mine|1816|7|Gift: a book");
        QTest::newRow("as read") << "" << true << mine;
        QTest::newRow("note changed elsewhere")
            << "update tblEventDetail set Note='Theirs'" << true << "Ada|1815|0,30|Theirs";
        QTest::newRow("year changed elsewhere")
            << "update tblEventDetail set EventYear=1900" << true << "Ada|1900|0,30|Old note";
        QTest::newRow("remind days changed elsewhere")
            << "update tblEventDetail set RemindDays=null" << true << "Ada|1815||Old note";
        QTest::newRow("description changed elsewhere")
            << "update tblEvent set Description='Theirs'" << true << "Theirs|1815|0,30|Old note";
        QTest::newRow("details not read: left as they are")
            << "update tblEventDetail set Note='Theirs'" << false << "Mine|1815|0,30|Theirs";
        QTest::newRow("a row of details deleted by hand is made again")
            << "delete from tblEventDetail" << true << "Mine|1816|7|Gift: a book";
    }
    void anUnchangedUpdateComparesTheDetailsToo() {
        QFETCH(QString, meanwhile);
        QFETCH(bool, withDetails);
        QFETCH(QString, after);
        test::StoreFixture f;
        EventRecord stored{0, QStringLiteral("Ada"), 12, 10};
        stored.year = 1815;
        stored.remindDays = RemindWindows::fromText(u"0,30");
        stored.note = QStringLiteral("Old note");
        const qint64 id = insertEvent(f.db, stored);
        const std::optional<EventRecord> read = readEventDetails(f.db, id);
        QVERIFY(read);
        QCOMPARE(read->note, stored.note);
        if (!meanwhile.isEmpty()) {
            f.db.execute(meanwhile);
        }
        const ListedEvent listed{id, QStringLiteral("Ada"), 12, 10,
                                 withDetails ? std::optional<EventRecord>(*read) : std::nullopt};
        EventRecord mine{id, QStringLiteral("Mine"), 12, 10};
        mine.year = 1816;
        mine.remindDays = RemindWindows::fromText(u"7");
        mine.note = QStringLiteral("Gift: a book");
        const bool missingRow = meanwhile.startsWith(QStringLiteral("delete"));
        if (missingRow) {
            // A row deleted by hand reads as no details at all.
            ListedEvent none = listed;
            none.details = readEventDetails(f.db, id);
            QCOMPARE(none.details->note, QString());
            QCOMPARE(updateUnchangedEvent(f.db, none, mine), 1);
        } else {
            QCOMPARE(updateUnchangedEvent(f.db, listed, mine),
                     after.startsWith(QStringLiteral("Mine")) ? 1 : 0);
        }
        const std::optional<EventRecord> now = readEvent(f.db, id);
        QCOMPARE(QStringList({now->description, now->year ? QString::number(*now->year) : QString(),
                              now->remindDays ? now->remindDays->toText() : QString(), now->note})
                     .join(QLatin1Char('|')),
                 after);
        QCOMPARE(now->uid.isEmpty(), false);
    }

    void seedCopy_data() {
        QTest::addColumn<bool>("events");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<int>("rows");  // -1: the copy fails
        QTest::newRow("both seeds: the events seed") << true << true << 11;
        QTest::newRow("blank seed only") << false << true << 0;
        QTest::newRow("no seed") << false << false << -1;
    }
    void seedCopy() {
        QFETCH(bool, events);
        QFETCH(bool, blank);
        QFETCH(int, rows);
        test::TestEnvironment env;
        if (!events) {
            QFile::remove(env.programFolder() + QLatin1String(kEventsSeed));
        }
        if (!blank) {
            QFile::remove(env.programFolder() + QLatin1String(kBlankSeed));
        }
        createFolder(env.dataFolder());
        if (rows < 0) {
            QVERIFY_THROWS_EXCEPTION(AppError,
                                     copySeedIfMissing(env.programFolder(), env.dataFolder()));
            QVERIFY(!QFile::exists(env.storePath()));
            return;
        }
        copySeedIfMissing(env.programFolder(), env.dataFolder());
        Connection db;
        db.open(env.storePath());
        QCOMPARE(countRows(db), rows);
    }

    void existingStoreIsNeverReplaced() {
        test::TestEnvironment env;
        const QString path = env.createStore();
        {
            Connection db;
            db.open(path);
            insertSampleEvent(db);
        }
        copySeedIfMissing(env.programFolder(), env.dataFolder());
        Connection db;
        db.open(path);
        QCOMPARE(countRows(db), 1);
    }

    void folderThatCannotBeCreated() {
        test::TestEnvironment env;
        const QString blocker = env.dataFolder() + QStringLiteral("-file");
        test::writeFile(blocker, {});
        QVERIFY_THROWS_EXCEPTION(AppError, createFolder(blocker + QStringLiteral("/below")));
    }
};

ALMANIS_TEST_MAIN(StoreTest)
#include "tst_store.moc"
