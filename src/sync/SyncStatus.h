#pragma once

#include "sync/Account.h"

#include <QObject>

namespace almanis {

// How the syncs with the accounts' servers are going, for the window's status
// line: the sync engine tells it as it syncs; changed() whenever the status
// does.
class SyncStatus : public QObject {
    Q_OBJECT
  public:
    // The latest sync that worked and the latest that failed, with its reason.
    virtual AccountStatus status() const = 0;

  signals:
    void changed();

  protected:
    explicit SyncStatus(QObject* parent = nullptr) : QObject(parent) {}
};

// The status the accounts file keeps, for a window that runs no sync of its
// own: what almanis-cli's syncs recorded there. Read afresh each time.
class RecordedSyncStatus final : public SyncStatus {
    Q_OBJECT
  public:
    explicit RecordedSyncStatus(QObject* parent = nullptr) : SyncStatus(parent) {}
    AccountStatus status() const override;
};

}  // namespace almanis
