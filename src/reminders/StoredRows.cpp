#include "reminders/StoredRows.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "store/Connection.h"
#include "store/Sql.h"
#include "store/Statement.h"
#include "store/StoredEvents.h"
#include "store/SyncState.h"

#include <algorithm>

namespace almanis {

namespace {
// Room made at most for a first read: the rows stand in memory that is only
// touched as they are read, so a high guess costs no more than the rows read.
constexpr qint64 kMostRowsReserved = 1 << 22;

// No more rows than the highest id, the ids being unique whole numbers; SQLite
// finds it without reading the table.
int rowsAtMost(const Connection& store) {
    Statement last = store.prepared(sql::lastEventId());
    if (!last.step()) {
        return 0;
    }
    return static_cast<int>(std::clamp<qint64>(last.integer(0), 0, kMostRowsReserved));
}
}  // namespace

std::optional<SoundRead> readSoundRows(const Connection& store, QDate today,
                                       const EventRows& shown) {
    const DayCount count(today);
    EventRows rows;
    QSet<qint64> addressBookEvents;
    try {
        if (shown.isEmpty()) {
            rows.reserve(rowsAtMost(store));
        } else {
            rows.reserveLike(shown);
        }
        Statement read = store.prepared(sql::selectEventsAsStored());
        const int id = read.columnIndex("id");
        const int description = read.columnIndex("Description");
        const int eventMonth = read.columnIndex("EventMonth");
        const int eventDay = read.columnIndex("EventDay");
        if (id < 0 || description < 0 || eventMonth < 0 || eventDay < 0) {
            return std::nullopt;
        }
        while (read.step()) {
            const std::optional<int> month = read.storedInt(eventMonth);
            const std::optional<int> day = read.storedInt(eventDay);
            if (!month || !day || !count.hasMonth(*month) || !count.daysLeft(*month, *day)) {
                return std::nullopt;
            }
            rows.append(read.integer(id));
            rows.setLastDescription(read.text(description));
            rows.setLastMonth(*month);
            rows.setLastDay(*day);
        }
        addDetails(rows, readListedDetails(store));
        addressBookEvents = readContactEventIds(store);
    } catch (const AppError&) {
        return std::nullopt;
    }
    rows.sortByDate();
    return SoundRead{std::move(rows), std::move(addressBookEvents)};
}

const ListedDetails* detailsOf(const QList<ListedDetails>& details, qint64 id) {
    const auto at = std::lower_bound(
        details.cbegin(), details.cend(), id,
        [](const ListedDetails& listed, qint64 wanted) { return listed.id < wanted; });
    return at != details.cend() && at->id == id ? &*at : nullptr;
}

void addDetails(EventRows& rows, const QList<ListedDetails>& details) {
    // Most events have no details: the rows are not even looked at then.
    if (details.isEmpty()) {
        return;
    }
    for (int row = 0; row < rows.count(); ++row) {
        if (const ListedDetails* listed = detailsOf(details, rows.id(row))) {
            rows.setYear(row, listed->year);
            rows.setRemindDays(row, listed->remindDays);
        }
    }
}

}  // namespace almanis
