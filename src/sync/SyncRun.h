#pragma once

#include "sync/Account.h"
#include "sync/SyncReport.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <vector>

namespace almanis {

class AccountBook;
class Clock;
class Connection;
class DavClient;
class HttpTransport;
class SecretRequest;
class SecretStore;

// One sync of the store with every account of the book, one after the other:
// the password asked for, the collection synced, and how it went noted in the
// book for `almanis-cli account list` and the Accounts dialog. A failing
// account does not keep the others from their sync. Nothing waits:
// finished() follows from the event loop.
class SyncRun final : public QObject {
    Q_OBJECT
  public:
    SyncRun(Connection& db, AccountBook& book, SecretStore& secrets, HttpTransport& network,
            const Clock& clock, QObject* parent = nullptr);
    ~SyncRun() override;

    void start();

    bool isFinished() const { return finished_; }
    // There was an account to sync with.
    bool hadAccounts() const { return hadAccounts_; }
    // What every account's sync changed, those that failed part-way included.
    const SyncReport& report() const { return report_; }
    // One line for each account that failed: its collection and the reason.
    const QStringList& errors() const { return errors_; }
    // The HTTP requests sent.
    int requestsSent() const { return requests_; }

  signals:
    void finished();

  private:
    void syncNext();
    void passwordRead(SecretRequest* request);
    void accountSynced(const SyncReport& report, const QString& error);
    void record(const QString& error);

    Connection& db_;
    AccountBook& book_;
    SecretStore& secrets_;
    HttpTransport& network_;
    const Clock& clock_;
    std::vector<Account> accounts_;
    size_t next_ = 0;
    Account current_;
    DavClient* client_ = nullptr;
    bool hadAccounts_ = false;
    bool finished_ = false;
    SyncReport report_;
    QStringList errors_;
    int requests_ = 0;
};

}  // namespace almanis
