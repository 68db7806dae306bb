#pragma once

#include "sync/Collection.h"
#include "sync/DavRequest.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <utility>

namespace almanis {

class DavClient;

// A member of a collection fetched: its address, ETag and data.
struct FetchedResource {
    QString href;
    QByteArray etag;
    QByteArray data;
};

// Asks a calendar or address book what changed since the last look: the
// changes since the sync token (RFC 6578) where the server keeps tokens, else
// every member with its ETag (PROPFIND); then fetches the members new or
// changed by multiget, or one GET each where the server takes no multiget.
// A token the server forgot starts over with every member. Nothing waits:
// finished() follows from the event loop.
class CollectionPull final : public QObject {
    Q_OBJECT
  public:
    // `known` holds the ETag of each member as last seen, by href
    // (hrefOf()); `token` is the token of the last look, empty for none.
    CollectionPull(DavClient& client, const QUrl& collection, CollectionKind kind,
                   QHash<QString, QByteArray> known, const QString& token,
                   QObject* parent = nullptr);

    void start();

    bool isFinished() const { return finished_; }
    bool ok() const { return result_.ok(); }
    // The failure that stopped it; a success otherwise.
    const DavResult& failure() const { return result_; }

    // Every member is listed, so a known one that is not is gone.
    bool listedAll() const { return fullListing_; }
    // The members listed, with their ETags: all of them when listedAll(),
    // else those changed since the token.
    const QHash<QString, QByteArray>& listed() const { return listed_; }
    // The members the server says are gone since the token.
    const QStringList& gone() const { return gone_; }
    // The members new or changed, with their data.
    const QList<FetchedResource>& fetched() const { return fetched_; }
    // The token to give next time; empty when the server keeps none.
    const QString& newToken() const { return newToken_; }

    // The key a member's address is kept under.
    static QString hrefOf(const QUrl& url) { return url.toString(QUrl::FullyEncoded); }

  signals:
    void finished();

  private:
    void askChanges(const QString& token);
    void changesAnswered(DavRequest* request, const QString& token);
    void askListing();
    void listingAnswered(DavRequest* request);
    void noteListed(const DavResponse& response);
    void fetchNext();
    void fetched(DavRequest* request, const QList<QUrl>& asked);
    void finish(const DavResult& result = {});

    DavClient& client_;
    QUrl collection_;
    CollectionKind kind_;
    QHash<QString, QByteArray> known_;
    QString token_;
    bool fullListing_ = false;
    bool byGet_ = false;
    QString newToken_;
    QHash<QString, QByteArray> listed_;
    QStringList gone_;
    std::deque<QUrl> toFetch_;
    QList<FetchedResource> fetched_;
    bool finished_ = false;
    DavResult result_;
};

}  // namespace almanis
