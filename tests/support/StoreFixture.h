#pragma once

#include "TestEnvironment.h"

#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"

#include <QFile>
#include <QList>

namespace almanis::test {

// One stored event as the tests compare them.
struct StoredEvent {
    QString description;
    int month = 0;
    int day = 0;
    bool operator==(const StoredEvent&) const = default;
};

inline char* toString(const StoredEvent& event) {
    return QTest::toString(
        QStringLiteral("%1,%2,%3").arg(event.description).arg(event.month).arg(event.day));
}

// Every stored event, in the order they were stored.
inline QList<StoredEvent> storedEvents(const Connection& db) {
    ResultSet rs;
    rs.open("select Description, EventMonth, EventDay from tblEvent order by id", db);
    QList<StoredEvent> events;
    for (; !rs.eof(); rs.moveNext()) {
        events.append({rs.field("Description").toString(), wholeNumber(rs.field("EventMonth")),
                       wholeNumber(rs.field("EventDay"))});
    }
    return events;
}

// Overwrites the third page of a closed store with noise: the header and the
// schema still read, the events beyond them do not. The store must hold at
// least four pages.
inline void damageStore(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(100);
    const int pageSize = (static_cast<uchar>(header[16]) << 8) | static_cast<uchar>(header[17]);
    QVERIFY(file.size() >= 4 * pageSize);
    QVERIFY(file.seek(2 * pageSize));
    file.write(QByteArray(pageSize, '\x5A'));
}

// A test environment with a working store made from the blank seed, open and
// brought up to this version's layout as the program opens it.
struct StoreFixture {
    explicit StoreFixture(QDate today = QDate(2026, 6, 15)) : env(today) {
        openWorkingStore(db, env.createStore());
    }

    void add(const QString& description, int month, int day) {
        insertEvent(db, description, month, day);
    }
    // A file of the given name in the data folder.
    QString dataFile(const QString& name) const {
        return env.dataFolder() + QLatin1Char('/') + name;
    }

    TestEnvironment env;
    Connection db;
};

}  // namespace almanis::test
