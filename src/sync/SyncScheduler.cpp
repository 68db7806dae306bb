#include "sync/SyncScheduler.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "store/Connection.h"
#include "store/StoreSchema.h"
#include "store/StoreWatcher.h"
#include "sync/Account.h"
#include "sync/AccountBook.h"
#include "sync/CalendarSync.h"
#include "sync/SyncRun.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace almanis {

SyncScheduler::SyncScheduler(QString storePath, AccountBook& book, SecretStore& secrets,
                             HttpTransport& network, const Clock& clock, QObject* parent)
    : QObject(parent),
      storePath_(std::move(storePath)),
      book_(book),
      secrets_(secrets),
      network_(network),
      clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &SyncScheduler::syncNow);
}

SyncScheduler::~SyncScheduler() = default;

bool SyncScheduler::hasAccounts() const {
    try {
        return !book_.read().empty();
    } catch (const AppError&) {
        return false;
    }
}

QStringList SyncScheduler::accountLines() const {
    QStringList lines;
    try {
        for (const Account& account : book_.read()) {
            lines << kindText(account.kind) + QLatin1Char(' ') + account.url.toString();
        }
    } catch (const AppError&) {
        // A file that cannot be read holds no account to sync with.
    }
    return lines;
}

void SyncScheduler::start() {
    accounts_ = accountLines();
    try {
        watched_.openReadOnly(storePath_);
        storeWatcher_ = new StoreWatcher(watched_, this);
        connect(storeWatcher_, &StoreWatcher::changedElsewhere, this, &SyncScheduler::storeChanged);
        storeWatcher_->watch();
    } catch (const AppError&) {
        // Without it only the timer and the start bring a sync.
    }
    // The book's file is replaced whole, so its folder is watched.
    const QString folder = QFileInfo(book_.filePath()).absolutePath();
    QDir().mkpath(folder);
    accountsWatcher_.addPath(folder);
    connect(&accountsWatcher_, &QFileSystemWatcher::directoryChanged, this,
            &SyncScheduler::accountsFileChanged);
    if (!accounts_.isEmpty()) {
        schedule(kAtStart);
    }
}

void SyncScheduler::accountsFileChanged() {
    // Every sync notes how it went in the file: only other accounts count.
    const QStringList accounts = accountLines();
    if (accounts != accounts_) {
        accounts_ = accounts;
        accountsChanged();
    }
}

void SyncScheduler::accountsChanged() {
    if (hasAccounts()) {
        failures_ = 0;
        reschedule(kAtStart);
    } else {
        timer_.stop();
    }
    emit statusChanged();
}

void SyncScheduler::storeChanged() {
    if (!hasAccounts()) {
        return;
    }
    try {
        Connection own;
        if (watched_.state() == 0) {
            own.openReadOnly(storePath_);
        }
        if (!CalendarSync::hasChangesToSend(watched_.state() == 1 ? watched_ : own)) {
            return;
        }
    } catch (const AppError&) {
        return;
    }
    if (isSyncing()) {
        // Made while the sync ran: another one follows.
        again_ = true;
    } else if (failures_ == 0) {
        // A failing server is not asked again before its pause is over.
        schedule(kAfterChange);
    }
}

void SyncScheduler::schedule(std::chrono::milliseconds delay) {
    if (!timer_.isActive() || timer_.remainingTimeAsDuration() > delay) {
        timer_.start(delay);
    }
}

void SyncScheduler::reschedule(std::chrono::milliseconds delay) {
    timer_.start(delay);
}

std::optional<std::chrono::milliseconds> SyncScheduler::nextSync() const {
    if (!timer_.isActive()) {
        return std::nullopt;
    }
    return timer_.remainingTimeAsDuration();
}

void SyncScheduler::syncNow() {
    timer_.stop();
    if (run_) {
        again_ = true;
        return;
    }
    auto db = std::make_shared<Connection>();
    try {
        openWorkingStore(*db, storePath_);
    } catch (const AppError& e) {
        lastError_ = e.description();
        ++failures_;
        finished();
        return;
    }
    run_ = new SyncRun(*db, book_, secrets_, network_, clock_, this);
    // The connection lives as long as the sync that uses it.
    connect(run_, &SyncRun::finished, this, [this, db] {
        const SyncRun* run = run_;
        run_->deleteLater();
        run_ = nullptr;
        if (!run->hadAccounts()) {
            timer_.stop();
            emit statusChanged();
            return;
        }
        if (run->errors().isEmpty()) {
            failures_ = 0;
            lastError_.clear();
            lastSynced_ = clock_.now();
        } else {
            ++failures_;
            lastError_ = run->errors().join(QLatin1Char('\n'));
        }
        emit synced(run->report(), !run->errors().isEmpty());
        finished();
    });
    emit statusChanged();
    run_->start();
}

void SyncScheduler::finished() {
    if (failures_ == 0) {
        reschedule(again_ ? std::chrono::milliseconds(0) : std::chrono::milliseconds(kEvery));
    } else {
        std::chrono::milliseconds pause = kFirstRetry;
        for (int i = 1; i < failures_ && pause < kLongestRetry; ++i) {
            pause *= 2;
        }
        reschedule(std::min<std::chrono::milliseconds>(pause, kLongestRetry));
    }
    again_ = false;
    emit statusChanged();
}

QString SyncScheduler::statusText() const {
    if (isSyncing()) {
        return tr("Syncing…");
    }
    if (!lastError_.isEmpty()) {
        const qint64 minutes =
            nextSync() ? std::max<qint64>(1, (nextSync()->count() + 59999) / 60000) : 0;
        return lastError_ + QLatin1Char(' ') +
               tr("Next try in %n minute(s).", nullptr, int(minutes));
    }
    AccountStatus status;
    status.lastSynced = lastSynced_;
    return almanis::statusText(status, clock_.now());
}

}  // namespace almanis
