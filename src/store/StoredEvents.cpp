#include "store/StoredEvents.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

namespace almanis {

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

}  // namespace almanis
