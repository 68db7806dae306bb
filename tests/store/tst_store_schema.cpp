// The store's layout: a store of an earlier version brought up once, after a
// copy, in one transaction; each event's details beside the four columns of
// tblEvent, kept with the event whatever program stores or deletes it.
#include "Checks.h"
#include "Files.h"
#include "StoreFixture.h"

#include "core/AppError.h"
#include "store/DailyBackups.h"
#include "store/Sql.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>

using namespace almanis;

namespace {

// Every row of a table, its columns joined, in the order of its first column.
QStringList rowsOf(const Connection& db, const char* table) {
    Statement read(db, QByteArray("select * from ") + table + " order by 1");
    QStringList rows;
    while (read.step()) {
        QStringList values;
        for (int column = 0; column < read.columnCount(); ++column) {
            values << read.value(column).toString();
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList columnsOf(const Connection& db, const char* table) {
    Statement read(db, QByteArray("select name from pragma_table_info('") + table + "')");
    QStringList names;
    while (read.step()) {
        names << read.value(0).toString();
    }
    return names;
}

// A store as every earlier version made it: the seed's table, the events in
// it, and some stored by hand the way other programs may have.
QString earlierStore(const test::TestEnvironment& env, const char* seed, int extraEvents) {
    QDir().mkpath(env.dataFolder());
    QFile::copy(env.programFolder() + QLatin1String(seed), env.storePath());
    QFile::setPermissions(env.storePath(), QFile::ReadOwner | QFile::WriteOwner);
    Connection db;
    db.open(env.storePath());
    for (int i = 0; i < extraEvents; ++i) {
        db.execute(QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                                  "values ('Event %1', ' %2 ', %3)")
                       .arg(i)
                       .arg(i % 12 + 1)
                       .arg(i % 28 + 1));
    }
    return env.storePath();
}

const QRegularExpression kUuid(
    QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));

EventRecord withDetails(std::optional<int> year, std::optional<QString> remindDays,
                        const QString& note, const QString& uid = {}) {
    EventRecord event(0, QStringLiteral("Ada's birthday"), 12, 10);
    event.year = year;
    if (remindDays) {
        event.remindDays = RemindWindows::fromText(*remindDays);
    }
    event.note = note;
    event.uid = uid;
    return event;
}

}  // namespace

class StoreSchemaTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void anEarlierStoreIsBroughtUpOnceAfterACopy_data() {
        QTest::addColumn<QByteArray>("seed");
        QTest::addColumn<int>("extraEvents");
        QTest::newRow("blank seed") << QByteArray("/dbBlank.mdb") << 0;
        QTest::newRow("holidays") << QByteArray("/dbEvents.mdb") << 0;
        QTest::newRow("many events, some stored as text") << QByteArray("/dbEvents.mdb") << 500;
    }
    void anEarlierStoreIsBroughtUpOnceAfterACopy() {
        QFETCH(QByteArray, seed);
        QFETCH(int, extraEvents);
        test::TestEnvironment env;
        const QString path = earlierStore(env, seed.constData(), extraEvents);
        QStringList events;
        {
            Connection before;
            before.open(path);
            QCOMPARE(storeVersion(before), 0);
            events = rowsOf(before, "tblEvent");
        }
        Connection db;
        openWorkingStore(db, path);
        QCOMPARE(storeVersion(db), kStoreVersion);
        QCOMPARE(columnsOf(db, "tblEvent"),
                 (QStringList{"id", "Description", "EventMonth", "EventDay"}));
        QCOMPARE(rowsOf(db, "tblEvent"), events);
        QStringList uids;
        for (const EventRecord& event : readStoredEvents(db).events) {
            QVERIFY2(kUuid.match(event.uid).hasMatch(), qPrintable(event.uid));
            uids << event.uid;
        }
        QCOMPARE(uids.size(), events.size());
        QCOMPARE(QSet<QString>(uids.cbegin(), uids.cend()).size(), uids.size());

        // The copy made first holds the store as it was.
        const QString copyPath = DailyBackups(path).folder() + "/dbData-before-version-3.mdb";
        {
            Connection copy;
            copy.openReadOnly(copyPath);
            QCOMPARE(storeVersion(copy), 0);
            QCOMPARE(rowsOf(copy, "tblEvent"), events);
        }
        QCOMPARE(DailyBackups(path).files(QDateTime::currentDateTime()), QStringList());

        // Once: the next open changes nothing and copies nothing.
        const QStringList details = rowsOf(db, "tblEventDetail");
        QFile::remove(copyPath);
        db.close();
        openWorkingStore(db, path);
        QCOMPARE(rowsOf(db, "tblEventDetail"), details);
        QVERIFY(!QFile::exists(copyPath));
    }

    // A store that cannot be changed, or copied first, is used as it is: its
    // events read without details, nothing half done.
    void aStoreThatIsNotBroughtUpIsReadAsItIs_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("error");
        QTest::newRow("a table of the new name") << "table"
                                                 << "could not be changed to keep years";
        QTest::newRow("no copy can be made") << "backups"
                                             << "because no copy of it could be made first";
        QTest::newRow("another program's file") << "no events table"
                                                << "";
    }
    void aStoreThatIsNotBroughtUpIsReadAsItIs() {
        QFETCH(QString, obstacle);
        QFETCH(QString, error);
        test::TestEnvironment env;
        const QString path = earlierStore(env, "/dbEvents.mdb", 0);
        {
            Connection db;
            db.open(path);
            if (obstacle == QLatin1String("table")) {
                db.execute(QStringLiteral("create table tblEventDetail (Something)"));
            } else if (obstacle == QLatin1String("no events table")) {
                db.execute(QStringLiteral("drop table tblEvent"));
            }
        }
        if (obstacle == QLatin1String("backups")) {
            test::writeFile(DailyBackups(path).folder(), "a file in the folder's place");
        }
        Connection db;
        const QString told = test::errorOf([&] { openWorkingStore(db, path); });
        QVERIFY2(error.isEmpty() ? told.isEmpty() : told.contains(error), qPrintable(told));
        QCOMPARE(db.state(), 1);
        QCOMPARE(storeVersion(db), 0);
        QVERIFY(columnsOf(db, "tblEventDetail").size() <= 1);
        if (obstacle != QLatin1String("no events table")) {
            const StoredEvents stored = readStoredEvents(db);
            QCOMPARE(stored.events.size(), 11);
            QVERIFY(stored.events[0].uid.isEmpty());
            // Events without details are still stored; details are refused
            // with a reason.
            insertEvent(db, QStringLiteral("Plain"), 1, 2);
            QVERIFY(test::errorOf([&] {
                        insertEvent(db, withDetails(1815, {}, {}));
                    }).contains(QStringLiteral("cannot keep years, reminder days or notes")));
            QCOMPARE(readStoredEvents(db).events.size(), 12);
        }
    }

    // A store of version 1 comes up to 2 with its details, and the list's
    // read of them then finds them through the index, not by reading the
    // details of every event.
    void aStoreOfVersion1GetsTheListsIndex() {
        test::TestEnvironment env;
        const QString path = earlierStore(env, "/dbEvents.mdb", 0);
        {
            Connection db;
            db.open(path);
            for (const char* statement : sql::storeVersion1()) {
                db.execute(QString::fromUtf8(statement));
            }
            db.execute(QStringLiteral(
                "update tblEventDetail set EventYear=1815,RemindDays='0,7' where EventId=3"));
        }
        Connection db;
        openWorkingStore(db, path);
        QCOMPARE(storeVersion(db), kStoreVersion);
        QVERIFY(QFile::exists(DailyBackups(path).folder() + "/dbData-before-version-3.mdb"));
        const QList<ListedDetails> listed = readListedDetails(db);
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].id, 3);
        QCOMPARE(listed[0].year, 1815);
        QCOMPARE(listed[0].remindDays, RemindWindows::fromText(u"0,7"));
        Statement plan(db, QByteArray("explain query plan ") + sql::selectListedDetails());
        QStringList steps;
        while (plan.step()) {
            steps << plan.value(3).toString();
        }
        QCOMPARE(steps, QStringList{"SCAN tblEventDetail USING INDEX tblEventDetailListed"});
    }

    // Whatever program stores or deletes an event (an earlier version of this
    // one, the sqlite3 shell), its details come and go with it.
    void everyEventHasItsDetailsWhoeverStoresIt() {
        test::StoreFixture f;
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('By hand',1,2)"));
        const qint64 byHand = f.db.lastInsertId();
        const qint64 ours = insertEvent(f.db, withDetails(1815, QStringLiteral("7"), "Tea"));
        QVERIFY(kUuid.match(readEvent(f.db, byHand)->uid).hasMatch());
        QCOMPARE(rowsOf(f.db, "tblEventDetail").size(), 2);
        f.db.execute(QStringLiteral("delete from tblEvent where id=%1").arg(byHand));
        deleteEvent(f.db, ours);
        QCOMPARE(rowsOf(f.db, "tblEventDetail"), QStringList());
    }

    void detailsAreKeptAsGiven_data() {
        QTest::addColumn<EventRecord>("event");
        QTest::addColumn<bool>("listed");
        QTest::newRow("none") << withDetails({}, {}, {}) << false;
        QTest::newRow("a year") << withDetails(1815, {}, {}) << true;
        QTest::newRow("own days") << withDetails({}, QStringLiteral("0,3,30"), {}) << true;
        QTest::newRow("own days, none of them") << withDetails({}, QString(""), {}) << true;
        QTest::newRow("a note of several lines")
            << withDetails({}, {}, QStringLiteral("Books; tea'); drop table tblEvent; --\nhat"))
            << false;
        QTest::newRow("a UID from a file")
            << withDetails(1906, QStringLiteral("14"), "x", QStringLiteral("abc@elsewhere"))
            << true;
    }
    void detailsAreKeptAsGiven() {
        QFETCH(EventRecord, event);
        QFETCH(bool, listed);
        test::StoreFixture f;
        event.id = insertEvent(f.db, event);
        const std::optional<EventRecord> read = readEvent(f.db, event.id);
        QVERIFY(read);
        QVERIFY(event.uid.isEmpty() ? kUuid.match(read->uid).hasMatch() : read->uid == event.uid);
        event.uid = read->uid;
        QCOMPARE(*read, event);
        QCOMPARE(readStoredEvents(f.db).events, QList<EventRecord>{event});
        QCOMPARE(eventIdByUid(f.db, event.uid), std::optional<qint64>(event.id));
        QCOMPARE(readListedDetails(f.db).size(), listed ? 1 : 0);

        // A change without a UID keeps the stored one; details can be taken away.
        EventRecord changed(event.id, QStringLiteral("Renamed"), 3, 1);
        QCOMPARE(updateEvent(f.db, changed), 1);
        changed.uid = event.uid;
        QCOMPARE(readEvent(f.db, event.id), std::optional<EventRecord>(changed));
    }

    void aTransactionKeepsAllOrNothing_data() {
        QTest::addColumn<bool>("nested");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<int>("kept");
        QTest::newRow("committed") << false << false << 2;
        QTest::newRow("failed part-way") << false << true << 0;
        QTest::newRow("inside another, failed") << true << true << 1;
        QTest::newRow("inside another, committed") << true << false << 3;
    }
    void aTransactionKeepsAllOrNothing() {
        QFETCH(bool, nested);
        QFETCH(bool, fails);
        QFETCH(int, kept);
        test::StoreFixture f;
        std::optional<Transaction> outer;
        if (nested) {
            outer.emplace(f.db);
            f.add(QStringLiteral("Outer"), 1, 1);
        }
        try {
            Transaction change(f.db);
            f.add(QStringLiteral("First"), 1, 2);
            f.add(QStringLiteral("Second"), 1, 3);
            if (fails) {
                throw AppError(QStringLiteral("the disk is full"));
            }
            change.commit();
        } catch (const AppError&) {
        }
        if (outer) {
            outer->commit();
        }
        QCOMPARE(readStoredEvents(f.db).events.size(), kept);
    }
};

ALMANIS_TEST_MAIN(StoreSchemaTest)
#include "tst_store_schema.moc"
