// Imports that know what is there: an entry the store holds already, by its
// UID or by its description, month and day, or that an earlier entry of the
// same file gave, is counted and not stored again.
#include "Checks.h"
#include "StoreFixture.h"

#include "exchange/EventImport.h"
#include "store/StoredEvents.h"

#include <QApplication>

using namespace almanis;

namespace {

EventRecord withUid(const QString& description, int month, int day, const QString& uid) {
    EventRecord event{0, description, month, day};
    event.uid = uid;
    return event;
}

QStringList storedDescriptions(const Connection& db) {
    QStringList descriptions;
    for (const test::StoredEvent& event : test::storedEvents(db)) {
        descriptions << event.description;
    }
    return descriptions;
}

}  // namespace

class EventImportTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void entriesTheStoreHoldsAreCounted_data() {
        QTest::addColumn<QList<EventRecord>>("stored");
        QTest::addColumn<QList<EventRecord>>("entries");
        QTest::addColumn<int>("imported");
        QTest::addColumn<int>("present");
        QTest::addColumn<QStringList>("after");
        const EventRecord ada = withUid(QStringLiteral("Ada"), 12, 10, QStringLiteral("uid-ada"));
        QTest::newRow("same description, month and day")
            << QList<EventRecord>{{0, QStringLiteral("Ada"), 12, 10}}
            << QList<EventRecord>{{0, QStringLiteral("Ada"), 12, 10},
                                  {0, QStringLiteral("Bob"), 1, 2}}
            << 1 << 1 << QStringList{"Ada", "Bob"};
        QTest::newRow("another day or letter case is another event")
            << QList<EventRecord>{{0, QStringLiteral("Ada"), 12, 10}}
            << QList<EventRecord>{{0, QStringLiteral("Ada"), 12, 11},
                                  {0, QStringLiteral("Ada"), 11, 10},
                                  {0, QStringLiteral("ada"), 12, 10},
                                  {0, QStringLiteral("Ada "), 12, 10}}
            << 4 << 0 << QStringList{"Ada", "Ada", "Ada", "ada", "Ada "};
        QTest::newRow("same UID, changed meanwhile")
            << QList<EventRecord>{ada}
            << QList<EventRecord>{withUid(QStringLiteral("Ada Lovelace"), 12, 11,
                                          QStringLiteral("uid-ada"))}
            << 0 << 1 << QStringList{"Ada"};
        QTest::newRow("another UID, same description and date")
            << QList<EventRecord>{ada}
            << QList<EventRecord>{withUid(QStringLiteral("Ada"), 12, 10, QStringLiteral("other"))}
            << 0 << 1 << QStringList{"Ada"};
        QTest::newRow("repeated within the file")
            << QList<EventRecord>{}
            << QList<EventRecord>{{0, QStringLiteral("Twin"), 5, 5},
                                  {0, QStringLiteral("Twin"), 5, 5},
                                  withUid(QStringLiteral("One"), 1, 1, QStringLiteral("u1")),
                                  withUid(QStringLiteral("Two"), 2, 2, QStringLiteral("u1")),
                                  {0, QStringLiteral("Twin"), 5, 5}}
            << 2 << 3 << QStringList{"Twin", "One"};
        QTest::newRow("everything there already")
            << QList<EventRecord>{{0, QStringLiteral("A"), 1, 1}, {0, QStringLiteral("B"), 2, 2}}
            << QList<EventRecord>{{0, QStringLiteral("B"), 2, 2}, {0, QStringLiteral("A"), 1, 1}}
            << 0 << 2 << QStringList{"A", "B"};
        QTest::newRow("empty description")
            << QList<EventRecord>{{0, QString(), 7, 4}} << QList<EventRecord>{{0, QString(), 7, 4}}
            << 0 << 1 << QStringList{""};
    }
    void entriesTheStoreHoldsAreCounted() {
        QFETCH(QList<EventRecord>, stored);
        QFETCH(QList<EventRecord>, entries);
        QFETCH(int, imported);
        QFETCH(int, present);
        QFETCH(QStringList, after);
        test::StoreFixture f;
        for (const EventRecord& event : stored) {
            insertEvent(f.db, event);
        }
        QCOMPARE(storeEvents(entries, f.db), (ImportCount{imported, present}));
        QCOMPARE(storedDescriptions(f.db), after);
    }

    // Rows an earlier program stored otherwise: a month written as text is
    // read as the list reads it; a row that gives no date matches nothing.
    void oddStoredRowsAreComparedAsTheListReadsThem() {
        test::StoreFixture f;
        f.db.execute(
            QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) "
                           "values ('Text month','3',4.0),('No date','x','y')"));
        const KnownEvents known(f.db);
        QVERIFY(known.contains(EventRecord{0, QStringLiteral("Text month"), 3, 4}));
        QVERIFY(!known.contains(EventRecord{0, QStringLiteral("No date"), 0, 0}));
    }

    void theCountIsToldInWords_data() {
        QTest::addColumn<int>("imported");
        QTest::addColumn<int>("present");
        QTest::addColumn<QString>("text");
        QTest::newRow("none there") << 2 << 0 << "2 events imported.";
        QTest::newRow("one, none there") << 1 << 0 << "1 event imported.";
        QTest::newRow("nothing at all") << 0 << 0 << "0 events imported.";
        QTest::newRow("both") << 2 << 3 << "2 events imported, 3 already present.";
        QTest::newRow("one and one") << 1 << 1 << "1 event imported, 1 already present.";
        QTest::newRow("one imported") << 1 << 4 << "1 event imported, 4 already present.";
        QTest::newRow("one present") << 5 << 1 << "5 events imported, 1 already present.";
        QTest::newRow("all present") << 0 << 7 << "0 events imported, 7 already present.";
    }
    void theCountIsToldInWords() {
        QFETCH(int, imported);
        QFETCH(int, present);
        QFETCH(QString, text);
        QCOMPARE(importCountText(ImportCount{imported, present}), text);
    }
};

ALMANIS_TEST_MAIN(EventImportTest)
#include "tst_event_import.moc"
