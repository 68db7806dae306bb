#include "exchange/EventImport.h"

#include "core/AppError.h"
#include "exchange/EventText.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"

#include <QCoreApplication>

namespace almanis {

namespace {
QString nothingImported() {
    return QCoreApplication::translate("almanis::EventImport", "Nothing was imported.");
}

// A month or day as the list reads it; nothing when it is no whole number,
// since no entry of a file can equal it then.
std::optional<int> storedNumber(const Statement& row, int column) {
    if (const std::optional<int> number = row.storedInt(column)) {
        return number;
    }
    try {
        return wholeNumber(row.value(column));
    } catch (const AppError&) {
        return std::nullopt;
    }
}
}  // namespace

QString importCountText(const ImportCount& count) {
    const QString imported = QString::number(count.imported);
    const QString present = QString::number(count.alreadyPresent);
    if (count.alreadyPresent == 0) {
        return count.imported == 1
                   ? QCoreApplication::translate("almanis::EventImport", "1 event imported.")
                   : QCoreApplication::translate("almanis::EventImport", "%1 events imported.")
                         .arg(imported);
    }
    if (count.imported == 1) {
        return count.alreadyPresent == 1
                   ? QCoreApplication::translate("almanis::EventImport",
                                                 "1 event imported, 1 already present.")
                   : QCoreApplication::translate("almanis::EventImport",
                                                 "1 event imported, %1 already present.")
                         .arg(present);
    }
    return count.alreadyPresent == 1
               ? QCoreApplication::translate("almanis::EventImport",
                                             "%1 events imported, 1 already present.")
                     .arg(imported)
               : QCoreApplication::translate("almanis::EventImport",
                                             "%1 events imported, %2 already present.")
                     .arg(imported, present);
}

KnownEvents::KnownEvents(const Connection& db) {
    Statement keys = db.prepared(sql::selectEventKeys());
    while (keys.step()) {
        const std::optional<int> month = storedNumber(keys, 1);
        const std::optional<int> day = storedNumber(keys, 2);
        if (month && day) {
            keys_.insert(Key{QString::fromUtf8(keys.text(0)), *month, *day});
        }
    }
    if (keepsEventDetails(db)) {
        Statement uids = db.prepared(sql::selectEventUids());
        while (uids.step()) {
            uids_.insert(QString::fromUtf8(uids.text(0)));
        }
    }
}

bool KnownEvents::contains(const EventRecord& entry) const {
    return (!entry.uid.isEmpty() && uids_.contains(entry.uid)) ||
           keys_.contains(Key{entry.description, entry.month, entry.day});
}

void KnownEvents::add(const EventRecord& entry) {
    if (!entry.uid.isEmpty()) {
        uids_.insert(entry.uid);
    }
    keys_.insert(Key{entry.description, entry.month, entry.day});
}

ImportCount storeEvents(const QList<EventRecord>& events, Connection& db) {
    // However the import ends, the log it grew is emptied.
    struct LogTruncation {
        Connection& db;
        ~LogTruncation() { db.truncateLog(); }
    } truncation{db};
    if (events.isEmpty()) {
        return {};
    }
    Transaction all(db);
    // Read once the store is taken, so nothing comes in between.
    KnownEvents known(db);
    ImportCount count;
    for (const EventRecord& event : events) {
        if (known.contains(event)) {
            ++count.alreadyPresent;
            continue;
        }
        try {
            insertEvent(db, event);
        } catch (const AppError& e) {
            //: %4 is why; the transaction of the whole import is rolled back.
            throw AppError(
                QCoreApplication::translate("almanis::EventImport",
                                            "The event %1 (%2 of %3) cannot be stored: %4. %5")
                    .arg(quotedLine(event.description))
                    .arg(count.imported + count.alreadyPresent + 1)
                    .arg(events.size())
                    .arg(e.description(), nothingImported()));
        }
        known.add(event);
        ++count.imported;
    }
    try {
        all.commit();
    } catch (const AppError& e) {
        throw AppError(QCoreApplication::translate("almanis::EventImport",
                                                   "The events cannot be stored: %1. %2")
                           .arg(e.description(), nothingImported()));
    }
    return count;
}

}  // namespace almanis
