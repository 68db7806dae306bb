#include "store/Transaction.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <sqlite3.h>

namespace almanis {

Transaction::Transaction(Connection& db)
    : db_(db), nested_(sqlite3_get_autocommit(db.handle()) == 0) {
    db_.prepared(nested_ ? sql::savepoint() : sql::beginImmediate()).run();
}

Transaction::~Transaction() {
    if (!open_) {
        return;
    }
    try {
        if (nested_) {
            db_.prepared(sql::rollbackToSavepoint()).run();
            db_.prepared(sql::releaseSavepoint()).run();
        } else if (sqlite3_get_autocommit(db_.handle()) == 0) {
            // SQLite may have rolled back by itself (a full disk, say).
            db_.prepared(sql::rollback()).run();
        }
    } catch (const AppError&) {
        // The failure that ends the transaction early is the one to tell.
    }
}

void Transaction::commit() {
    db_.prepared(nested_ ? sql::releaseSavepoint() : sql::commit()).run();
    open_ = false;
}

}  // namespace almanis
