#include "store/StoredEvents.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QCoreApplication>

namespace almanis {

namespace {
// Bound whole, a NUL character would be stored, and every reader that stops
// at one would cut the description there.
const QString& storable(const QString& description) {
    if (description.contains(QChar(0))) {
        throw AppError(QCoreApplication::translate("almanis::StoredEvents",
                                                   "The description contains a NUL character, "
                                                   "which cannot be stored"));
    }
    return description;
}
}  // namespace

StoredEvents readStoredEvents(const Connection& db) {
    StoredEvents stored;
    ResultSet rs;
    for (rs.open(sql::selectEvents(), db); !rs.eof(); rs.moveNext()) {
        try {
            stored.events.append(
                EventRecord{rs.field("id").toLongLong(), rs.field("Description").toString(),
                            rs.wholeNumber("EventMonth"), rs.wholeNumber("EventDay")});
        } catch (const AppError& e) {
            if (stored.unreadable++ == 0) {
                stored.firstProblem = e.description();
            }
        }
    }
    return stored;
}

qint64 insertEvent(Connection& db, const QString& description, int month, int day) {
    db.prepared(sql::insertEvent())
        .bind(1, storable(description))
        .bind(2, month)
        .bind(3, day)
        .run();
    return db.lastInsertId();
}

void insertSampleEvent(Connection& db) {
    db.prepared(sql::insertSampleEvent()).run();
}

int updateEvent(Connection& db, qint64 id, const QString& description, int month, int day) {
    return db.prepared(sql::updateEvent())
        .bind(1, storable(description))
        .bind(2, month)
        .bind(3, day)
        .bind(4, id)
        .run();
}

int deleteEvent(Connection& db, qint64 id) {
    return db.prepared(sql::deleteEvent()).bind(1, id).run();
}

int updateUnchangedEvent(Connection& db, const ListedEvent& listed, const QString& description,
                         int month, int day) {
    return db.prepared(sql::updateUnchangedEvent())
        .bind(1, storable(description))
        .bind(2, month)
        .bind(3, day)
        .bind(4, listed.id)
        .bind(5, listed.description)
        .bind(6, listed.month)
        .bind(7, listed.day)
        .run();
}

}  // namespace almanis
