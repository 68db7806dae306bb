#include "store/StoredEvents.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"
#include "store/StoreSchema.h"
#include "store/Transaction.h"

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

// A stored year or remind days that cannot be read count as none: the event
// then shows no age, and the options remind of it.
std::optional<int> storedYear(const QVariant& value) {
    bool whole = false;
    const qint64 year = value.toLongLong(&whole);
    if (!whole || value.typeId() != QMetaType::LongLong || year < 1 || year > 9999) {
        return std::nullopt;
    }
    return int(year);
}

std::optional<RemindWindows> storedRemindDays(const QVariant& value) {
    if (value.isNull()) {
        return std::nullopt;
    }
    return RemindWindows::fromText(value.toString());
}

std::optional<QString> nullIfEmpty(const QString& text) {
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// The event of the current row of a query with the columns of
// selectEventsWithDetails(), or of selectEvents() when `withDetails` is false.
EventRecord recordAt(const ResultSet& rs, bool withDetails) {
    EventRecord event{rs.field("id").toLongLong(), rs.field("Description").toString(),
                      rs.wholeNumber("EventMonth"), rs.wholeNumber("EventDay")};
    if (withDetails) {
        event.year = storedYear(rs.field("EventYear"));
        event.remindDays = storedRemindDays(rs.field("RemindDays"));
        event.note = rs.field("Note").toString();
        event.uid = rs.field("Uid").toString();
    }
    return event;
}

bool hasDetails(const EventRecord& event) {
    return event.year || event.remindDays || !event.note.isEmpty() || !event.uid.isEmpty();
}

void storeDetails(Connection& db, qint64 id, const EventRecord& event) {
    db.prepared(sql::insertMissingEventDetails()).bind(1, id).run();
    db.prepared(sql::updateEventDetails())
        .bind(1, id)
        .bind(2, event.year)
        .bind(3,
              event.remindDays ? std::optional<QString>(event.remindDays->toText()) : std::nullopt)
        .bind(4, storable(event.note))
        .bind(5, nullIfEmpty(event.uid))
        .run();
}

[[noreturn]] void refuseDetails(const Connection& db) {
    throw AppError(QCoreApplication::translate(
                       "almanis::StoredEvents",
                       "The store %1 cannot keep years, reminder days or notes until it is "
                       "brought up to this version of the program")
                       .arg(db.path()));
}
}  // namespace

StoredEvents readStoredEvents(const Connection& db) {
    const bool withDetails = keepsEventDetails(db);
    StoredEvents stored;
    ResultSet rs;
    for (rs.open(withDetails ? sql::selectEventsWithDetails() : sql::selectEvents(), db); !rs.eof();
         rs.moveNext()) {
        try {
            stored.events.append(recordAt(rs, withDetails));
        } catch (const AppError& e) {
            if (stored.unreadable++ == 0) {
                stored.firstProblem = e.description();
            }
        }
    }
    return stored;
}

qint64 insertEvent(Connection& db, const EventRecord& event) {
    const auto insert = [&] {
        db.prepared(sql::insertEvent())
            .bind(1, storable(event.description))
            .bind(2, event.month)
            .bind(3, event.day)
            .run();
        return db.lastInsertId();
    };
    // One statement is whole by itself; the store's trigger gives the UID.
    if (!hasDetails(event)) {
        return insert();
    }
    if (!keepsEventDetails(db)) {
        refuseDetails(db);
    }
    Transaction change(db);
    const qint64 id = insert();
    storeDetails(db, id, event);
    change.commit();
    return id;
}

qint64 insertEvent(Connection& db, const QString& description, int month, int day) {
    return insertEvent(db, EventRecord{0, description, month, day});
}

int updateEvent(Connection& db, const EventRecord& event) {
    const bool withDetails = keepsEventDetails(db);
    if (!withDetails && hasDetails(event)) {
        refuseDetails(db);
    }
    Transaction change(db);
    const int changed = updateEvent(db, event.id, event.description, event.month, event.day);
    if (changed > 0 && withDetails) {
        storeDetails(db, event.id, event);
    }
    change.commit();
    return changed;
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

int updateUnchangedEvent(Connection& db, const ListedEvent& listed, const EventRecord& event) {
    const bool withDetails = listed.details && keepsEventDetails(db);
    // The transaction holds the store from the comparison to the change.
    Transaction change(db);
    if (withDetails) {
        const std::optional<EventRecord> now = readEventDetails(db, listed.id);
        if (!now || now->year != listed.details->year ||
            now->remindDays != listed.details->remindDays || now->note != listed.details->note) {
            return 0;
        }
    }
    const int changed = updateUnchangedEvent(db, listed, event.description, event.month, event.day);
    if (changed > 0 && withDetails) {
        storeDetails(db, listed.id, event);
    }
    change.commit();
    return changed;
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

QHash<qint64, QString> readNotes(const Connection& db) {
    QHash<qint64, QString> notes;
    if (!keepsEventDetails(db)) {
        return notes;
    }
    Statement read = db.prepared(sql::selectNotes());
    while (read.step()) {
        notes.insert(read.integer(0), read.value(1).toString());
    }
    return notes;
}

}  // namespace almanis

namespace almanis {

std::optional<EventRecord> readEvent(const Connection& db, qint64 id) {
    const bool withDetails = keepsEventDetails(db);
    Statement query =
        db.prepared(withDetails ? sql::selectEventWithDetails() : sql::selectEventById());
    query.bind(1, id);
    ResultSet rs;
    rs.open(std::move(query));
    if (rs.eof()) {
        return std::nullopt;
    }
    return recordAt(rs, withDetails);
}

std::optional<qint64> eventIdByUid(const Connection& db, const QString& uid) {
    if (!keepsEventDetails(db)) {
        return std::nullopt;
    }
    Statement find = db.prepared(sql::eventIdByUid());
    find.bind(1, uid);
    if (!find.step()) {
        return std::nullopt;
    }
    return find.integer(0);
}

std::optional<EventRecord> readEventDetails(const Connection& db, qint64 id) {
    if (!keepsEventDetails(db)) {
        return std::nullopt;
    }
    Statement read = db.prepared(sql::selectEventDetails());
    read.bind(1, id);
    EventRecord details;
    details.id = id;
    if (read.step()) {
        details.year = storedYear(read.value(0));
        details.remindDays = storedRemindDays(read.value(1));
        details.note = read.value(2).toString();
        details.uid = read.value(3).toString();
    }
    return details;
}

QList<ListedDetails> readListedDetails(const Connection& db) {
    QList<ListedDetails> details;
    if (!keepsEventDetails(db)) {
        return details;
    }
    Statement read = db.prepared(sql::selectListedDetails());
    while (read.step()) {
        details.append(ListedDetails{read.integer(0), storedYear(read.value(1)),
                                     storedRemindDays(read.value(2))});
    }
    return details;
}

}  // namespace almanis
