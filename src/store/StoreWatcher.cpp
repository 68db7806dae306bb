#include "store/StoreWatcher.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QFileInfo>

namespace almanis {

StoreWatcher::StoreWatcher(const Connection& db, QObject* parent) : QObject(parent), db_(db) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &StoreWatcher::settled);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreWatcher::fileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::fileChanged);
}

void StoreWatcher::watch() {
    if (!watcher_.files().isEmpty() || !watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.files() + watcher_.directories());
    }
    if (db_.state() == 0) {
        return;
    }
    // In write-ahead-log mode a commit changes the log, and the store itself
    // only when the log is folded back; the folder tells when the log comes
    // and goes.
    const QString store = db_.path();
    QStringList paths{store, QFileInfo(store).path()};
    if (QFileInfo::exists(store + QStringLiteral("-wal"))) {
        paths << store + QStringLiteral("-wal");
    }
    watcher_.addPaths(paths);
    version_ = dataVersion();
}

void StoreWatcher::fileChanged() {
    if (!settle_.isActive()) {
        settle_.start();
    }
}

void StoreWatcher::settled() {
    // A log that was created or removed meanwhile is watched from now on.
    const QString log = db_.path() + QStringLiteral("-wal");
    if (QFileInfo::exists(log) && !watcher_.files().contains(log)) {
        watcher_.addPath(log);
    }
    const qint64 version = dataVersion();
    if (version != version_) {
        version_ = version;
        emit changedElsewhere();
    }
}

qint64 StoreWatcher::dataVersion() const {
    try {
        ResultSet rs;
        rs.open(sql::dataVersion(), db_);
        return rs.eof() ? -1 : rs.field("data_version").toLongLong();
    } catch (const AppError&) {
        // A store that cannot be read now tells no change; the next command
        // that needs it reports what is wrong.
        return version_;
    }
}

}  // namespace almanis
