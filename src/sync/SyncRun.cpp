#include "sync/SyncRun.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "sync/AccountBook.h"
#include "sync/CalendarSync.h"
#include "sync/ContactSync.h"
#include "sync/DavClient.h"
#include "sync/SecretStore.h"

#include <QTimer>

namespace almanis {

SyncRun::SyncRun(Connection& db, AccountBook& book, SecretStore& secrets, HttpTransport& network,
                 const Clock& clock, QObject* parent)
    : QObject(parent), db_(db), book_(book), secrets_(secrets), network_(network), clock_(clock) {}

SyncRun::~SyncRun() = default;

void SyncRun::start() {
    try {
        accounts_ = book_.read();
    } catch (const AppError& e) {
        errors_ << e.description();
    }
    hadAccounts_ = !accounts_.empty();
    if (errors_.isEmpty()) {
        // The events of an address book whose account was removed go with it.
        QStringList books;
        for (const Account& account : accounts_) {
            if (account.kind == CollectionKind::AddressBook) {
                books << ContactSync::keyOf(account.url);
            }
        }
        try {
            report_.removed += forgetOtherBooks(db_, books);
        } catch (const AppError& e) {
            errors_ << e.description();
        }
    }
    // Finished from the event loop, as when there is work to do.
    QTimer::singleShot(0, this, &SyncRun::syncNext);
}

void SyncRun::syncNext() {
    if (next_ >= accounts_.size()) {
        finished_ = true;
        emit finished();
        return;
    }
    current_ = accounts_[next_++];
    SecretRequest* request = requestPassword(current_, secrets_);
    request->setParent(this);
    if (request->isFinished()) {
        passwordRead(request);
        return;
    }
    connect(request, &SecretRequest::finished, this, [this, request] { passwordRead(request); });
}

void SyncRun::passwordRead(SecretRequest* request) {
    request->deleteLater();
    if (!request->error().isEmpty()) {
        record(tr("the password could not be read: %1").arg(request->error()));
        syncNext();
        return;
    }
    client_ = new DavClient(network_, this);
    client_->setCredentials(current_.user, request->password());
    if (current_.kind == CollectionKind::Calendar) {
        auto* sync = new CalendarSync(db_, *client_, current_.url, clock_.today(),
                                      clock_.now().toUTC(), client_);
        connect(sync, &CalendarSync::finished, this,
                [this, sync] { accountSynced(sync->report(), sync->error()); });
        sync->start();
    } else {
        auto* sync = new ContactSync(db_, *client_, current_.url, clock_.today(), client_);
        connect(sync, &ContactSync::finished, this,
                [this, sync] { accountSynced(sync->report(), sync->error()); });
        sync->start();
    }
}

void SyncRun::accountSynced(const SyncReport& report, const QString& error) {
    report_ += report;
    requests_ += client_->requestsSent();
    record(error);
    // The sync is the client's child and goes with it.
    client_->deleteLater();
    client_ = nullptr;
    syncNext();
}

void SyncRun::record(const QString& error) {
    if (!error.isEmpty()) {
        errors_ << tr("%1 at %2: %3")
                       .arg(kindText(current_.kind), current_.url.toDisplayString(), error);
    }
    try {
        if (error.isEmpty()) {
            book_.recordSuccess(current_.url, clock_.now());
        } else {
            book_.recordFailure(current_.url, clock_.now(), error);
        }
    } catch (const AppError& e) {
        errors_ << e.description();
    }
}

}  // namespace almanis
