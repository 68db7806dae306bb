#include "exchange/EventImport.h"

#include "core/AppError.h"
#include "exchange/EventText.h"
#include "store/Connection.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"

#include <QCoreApplication>

namespace almanis {

namespace {
QString nothingImported() {
    return QCoreApplication::translate("almanis::EventImport", "Nothing was imported.");
}
}  // namespace

int storeEvents(const QList<EventRecord>& events, Connection& db) {
    // However the import ends, the log it grew is emptied.
    struct LogTruncation {
        Connection& db;
        ~LogTruncation() { db.truncateLog(); }
    } truncation{db};
    if (events.isEmpty()) {
        return 0;
    }
    Transaction all(db);
    qsizetype stored = 0;
    for (const EventRecord& event : events) {
        try {
            insertEvent(db, event);
        } catch (const AppError& e) {
            //: %4 is why; the transaction of the whole import is rolled back.
            throw AppError(
                QCoreApplication::translate("almanis::EventImport",
                                            "The event %1 (%2 of %3) cannot be stored: %4. %5")
                    .arg(quotedLine(event.description))
                    .arg(stored + 1)
                    .arg(events.size())
                    .arg(e.description(), nothingImported()));
        }
        ++stored;
    }
    try {
        all.commit();
    } catch (const AppError& e) {
        throw AppError(QCoreApplication::translate("almanis::EventImport",
                                                   "The events cannot be stored: %1. %2")
                           .arg(e.description(), nothingImported()));
    }
    return static_cast<int>(stored);
}

}  // namespace almanis
