#pragma once

#include "store/Connection.h"
#include "sync/SyncReport.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <optional>

namespace almanis {

class AccountBook;
class Clock;
class HttpTransport;
class SecretStore;
class StoreWatcher;
class SyncRun;

// When the program syncs, from one timer: soon after the start, a few
// seconds after a change made here (changes close together go in one sync),
// and every 15 minutes while it runs; never while there is no account. A
// sync that fails is tried again after pauses that grow (1, 2, 4 ... minutes,
// at most an hour), quietly: its status says how it went, no box is shown.
class SyncScheduler final : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::seconds kAtStart{5};
    static constexpr std::chrono::seconds kAfterChange{5};
    static constexpr std::chrono::minutes kEvery{15};
    static constexpr std::chrono::minutes kFirstRetry{1};
    static constexpr std::chrono::minutes kLongestRetry{60};

    // Syncs the store at `storePath` (opened afresh for each sync) with the
    // accounts of `book`.
    SyncScheduler(QString storePath, AccountBook& book, SecretStore& secrets,
                  HttpTransport& network, const Clock& clock, QObject* parent = nullptr);
    ~SyncScheduler() override;

    // The program has started: a sync soon, when there is an account. From
    // now on a change of the store by any program, and a change of the
    // accounts, are noticed.
    void start();
    // The store was changed (by this program or another): a sync a few
    // seconds later when something here waits to go up.
    void storeChanged();
    // The accounts were changed: a sync soon, or none while there is none.
    void accountsChanged();
    // The timer's work: one sync now, or right after the one running.
    void syncNow();

    bool isSyncing() const { return run_ != nullptr; }
    // How long until the timer goes off; nothing while it is not set.
    std::optional<std::chrono::milliseconds> nextSync() const;
    // One line for the Accounts dialog: "Syncing…", "Synced 2 minutes ago",
    // or the last failure and when the next try is.
    QString statusText() const;
    // The syncs failed one after the other since the last that worked.
    int failuresInARow() const { return failures_; }

  signals:
    // The status line changed.
    void statusChanged();
    // A sync ended; what it changed and whether it failed.
    void synced(const SyncReport& report, bool failed);

  private:
    // Sets the timer to go off after `delay`, unless it goes off sooner.
    void schedule(std::chrono::milliseconds delay);
    void reschedule(std::chrono::milliseconds delay);
    bool hasAccounts() const;
    void finished();
    void accountsFileChanged();
    // The collections of the accounts, one line each.
    QStringList accountLines() const;

    QString storePath_;
    AccountBook& book_;
    SecretStore& secrets_;
    HttpTransport& network_;
    const Clock& clock_;
    QTimer timer_;
    // A connection of its own, so that the window's changes and another
    // program's, and the sync's as well, show as changes made elsewhere.
    Connection watched_;
    StoreWatcher* storeWatcher_ = nullptr;
    QFileSystemWatcher accountsWatcher_;
    QStringList accounts_;
    SyncRun* run_ = nullptr;
    bool again_ = false;  // another sync right after the one running
    int failures_ = 0;
    QDateTime lastSynced_;
    QString lastError_;
};

}  // namespace almanis
