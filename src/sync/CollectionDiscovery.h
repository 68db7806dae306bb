#pragma once

#include "sync/Collection.h"
#include "sync/DavRequest.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>
#include <deque>
#include <vector>

namespace almanis {

class DavClient;

// Finds the calendars and address books of the client's user from an address:
// a collection's address is taken as it is; from a server's address the
// well-known addresses (/.well-known/caldav and /.well-known/carddav, RFC
// 6764), the user's principal and its calendar and address-book homes lead to
// the collections in those homes. Calendars are only those that take events.
class CollectionDiscovery final : public QObject {
    Q_OBJECT
  public:
    explicit CollectionDiscovery(DavClient& client, QObject* parent = nullptr);

    // Starts looking; finished() follows from the event loop.
    void start(const QUrl& url);

    bool isFinished() const { return finished_; }
    // What was found, calendars and address books in the order the server
    // lists them; none when the discovery failed.
    const std::vector<Collection>& collections() const { return collections_; }
    // The address given was a collection, taken as it is.
    bool gaveCollection() const { return gaveCollection_; }
    // Why nothing was found, in words; empty when something was.
    QString error() const { return error_; }
    DavResult::Failure failure() const { return failure_; }

  signals:
    void finished();

  private:
    void askNextCandidate();
    void candidateAnswered(DavRequest* request, bool given);
    void principalAnswered(DavRequest* request);
    void askNextHome();
    void homeAnswered(DavRequest* request, const QUrl& home);
    void takeHomes(const DavResponse& response);
    // Ends the discovery on a failure that every further request would meet
    // too; true when it did.
    bool failedEverywhere(const DavResult& result);
    // Ends it with the failure remembered, or else with `otherwise`.
    void failFoundNothing(const QString& otherwise);
    void fail(DavResult::Failure failure, const QString& error);
    void succeed();
    // Keeps the first failure that is worth telling if nothing is found.
    void remember(const DavResult& result);

    DavClient& client_;
    QUrl given_;
    std::deque<QUrl> candidates_;
    QSet<QUrl> principalsAsked_;
    QList<QUrl> calendarHomes_;
    QList<QUrl> addressBookHomes_;
    std::deque<QUrl> homesToAsk_;
    std::vector<Collection> collections_;
    bool gaveCollection_ = false;
    bool finished_ = false;
    QString error_;
    DavResult::Failure failure_ = DavResult::Failure::None;
    DavResult::Failure rememberedFailure_ = DavResult::Failure::None;
    QString rememberedError_;
};

}  // namespace almanis
