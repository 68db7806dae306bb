#include "store/StoreSchema.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/DailyBackups.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QCoreApplication>

namespace almanis {

int storeVersion(const Connection& db) {
    Statement version = db.prepared(sql::storeVersion());
    return version.step() ? int(version.integer(0)) : 0;
}

bool keepsEventDetails(const Connection& db) {
    return storeVersion(db) >= 1;
}

namespace {
bool hasEventTable(const Connection& db) {
    return db.prepared(sql::hasEventTable()).step();
}
}  // namespace

void upgradeStore(Connection& db, UpgradeCopy copy) {
    if (db.readOnly() || storeVersion(db) >= kStoreVersion || !hasEventTable(db)) {
        return;
    }
    try {
        if (copy == UpgradeCopy::BackUpFirst) {
            DailyBackups(db.path()).writeBeforeUpgrade(db, kStoreVersion);
        }
    } catch (const AppError& e) {
        throw AppError(QCoreApplication::translate(
                           "almanis::StoreSchema",
                           "The store %1 was not changed to keep years, reminder days and notes, "
                           "because no copy of it could be made first: %2")
                           .arg(db.path(), e.description()));
    }
    try {
        Transaction change(db);
        // Another program may have brought it up since the check above.
        const int version = storeVersion(db);
        const QList<QList<const char*>> steps = {sql::storeVersion1(), sql::storeVersion2(),
                                                 sql::storeVersion3()};
        for (int next = version; next < kStoreVersion; ++next) {
            for (const char* statement : steps[next]) {
                db.execute(QString::fromUtf8(statement));
            }
        }
        change.commit();
    } catch (const AppError& e) {
        throw AppError(QCoreApplication::translate(
                           "almanis::StoreSchema",
                           "The store %1 could not be changed to keep years, reminder days and "
                           "notes, and is used as it was: %2")
                           .arg(db.path(), e.description()));
    }
}

void openWorkingStore(Connection& db, const QString& path) {
    db.open(path);
    upgradeStore(db);
}

void reopenWorkingStore(Connection& db) {
    db.reopen();
    upgradeStore(db);
}

}  // namespace almanis
