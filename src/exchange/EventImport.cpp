#include "exchange/EventImport.h"

#include "core/AppError.h"
#include "exchange/EventText.h"
#include "store/Connection.h"
#include "store/StoredEvents.h"

#include <QCoreApplication>

namespace almanis {

namespace {
QString storedBefore(int stored) {
    if (stored == 0) {
        return QCoreApplication::translate("almanis::EventImport", "No event was imported.");
    }
    if (stored == 1) {
        return QCoreApplication::translate("almanis::EventImport",
                                           "The first event was imported; the others were not.");
    }
    return QCoreApplication::translate("almanis::EventImport",
                                       "The first %1 events were imported; the others were not.")
        .arg(stored);
}
}  // namespace

int storeEvents(const QList<EventRecord>& events, Connection& db) {
    // However the import ends, the log it grew is emptied.
    struct LogTruncation {
        Connection& db;
        ~LogTruncation() { db.truncateLog(); }
    } truncation{db};
    int stored = 0;
    for (const EventRecord& event : events) {
        try {
            insertEvent(db, event.description, event.month, event.day);
        } catch (const AppError& e) {
            //: %4 is why, %5 says how many events before it were imported.
            throw AppError(
                QCoreApplication::translate("almanis::EventImport",
                                            "The event %1 (%2 of %3) cannot be stored: %4. %5")
                    .arg(quotedLine(event.description))
                    .arg(stored + 1)
                    .arg(events.size())
                    .arg(e.description(), storedBefore(stored)));
        }
        ++stored;
    }
    return stored;
}

}  // namespace almanis
