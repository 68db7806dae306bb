#include "store/OnlineBackup.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/SqliteError.h"

#include <sqlite3.h>

namespace almanis {

namespace {
// Pages copied between two looks at the source's locks, and how often a copy
// that found the source busy (another program committing) starts again.
constexpr int kPagesPerStep = 256;
constexpr int kBusyRetries = 50;
constexpr int kBusyWaitMs = 20;
}  // namespace

OnlineBackup::OnlineBackup(const Connection& source, Connection& target) : target_(target) {
    sqlite3* into = target.handle();
    backup_ = sqlite3_backup_init(into, "main", source.handle(), "main");
    if (!backup_) {
        throwSqliteError(QString::fromUtf8(sqlite3_errmsg(into)), target.path());
    }
}

OnlineBackup::~OnlineBackup() {
    if (backup_) {
        sqlite3_backup_finish(backup_);
    }
}

void OnlineBackup::run() {
    int busy = 0;
    for (;;) {
        const int rc = sqlite3_backup_step(backup_, kPagesPerStep);
        if (rc == SQLITE_DONE) {
            break;
        }
        if (rc == SQLITE_OK) {
            continue;
        }
        if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
            if (++busy <= kBusyRetries) {
                sqlite3_sleep(kBusyWaitMs);
                continue;
            }
        }
        throwSqliteError(QString::fromUtf8(sqlite3_errstr(rc)), target_.path());
    }
    const int rc = sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (rc != SQLITE_OK) {
        throwSqliteError(QString::fromUtf8(sqlite3_errmsg(target_.handle())), target_.path());
    }
}

}  // namespace almanis
