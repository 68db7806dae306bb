#include "sync/SyncStatus.h"

#include "core/AppError.h"
#include "sync/AccountBook.h"

namespace almanis {

AccountStatus RecordedSyncStatus::status() const {
    try {
        return overallStatus(AccountBook().read());
    } catch (const AppError&) {
        // Whoever shows the accounts tells why the file cannot be read.
        return {};
    }
}

}  // namespace almanis
