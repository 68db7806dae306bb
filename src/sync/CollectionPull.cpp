#include "sync/CollectionPull.h"

#include "sync/DavClient.h"
#include "sync/DavNames.h"

namespace almanis {

namespace {
// Members asked for in one multiget.
constexpr int kFetchBatch = 100;

// A server that takes no sync-collection or multiget report says so with
// one of these.
bool refusesReport(const DavResult& result) {
    return result.failure == DavResult::Failure::Refused ||
           (result.failure == DavResult::Failure::Forbidden &&
            !result.conditions.contains(QString(dav::kValidSyncToken))) ||
           result.status == 501;
}
}  // namespace

CollectionPull::CollectionPull(DavClient& client, const QUrl& collection, CollectionKind kind,
                               QHash<QString, QByteArray> known, const QString& token,
                               QObject* parent)
    : QObject(parent),
      client_(client),
      collection_(collection),
      kind_(kind),
      known_(std::move(known)),
      token_(token) {}

void CollectionPull::start() {
    askChanges(token_);
}

void CollectionPull::askChanges(const QString& token) {
    DavRequest* request = client_.syncCollection(collection_, token, {QString(dav::kGetEtag)});
    connect(request, &DavRequest::finished, this,
            [this, request, token] { changesAnswered(request, token); });
}

void CollectionPull::changesAnswered(DavRequest* request, const QString& token) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (!result.ok()) {
        if (!token.isEmpty() && result.conditions.contains(QString(dav::kValidSyncToken))) {
            // The server forgot the token: start over with every member.
            askChanges(QString());
        } else if (refusesReport(result)) {
            askListing();
        } else {
            finish(result);
        }
        return;
    }
    fullListing_ = token.isEmpty();
    newToken_ = result.multiStatus.syncToken;
    for (const DavResponse& response : result.multiStatus.responses) {
        if (response.status == 404 || response.status == 410) {
            gone_ << hrefOf(response.url);
        } else {
            noteListed(response);
        }
    }
    fetchNext();
}

void CollectionPull::askListing() {
    DavRequest* request =
        client_.propfind(collection_, 1, {QString(dav::kGetEtag), QString(dav::kResourceType)});
    connect(request, &DavRequest::finished, this, [this, request] { listingAnswered(request); });
}

void CollectionPull::listingAnswered(DavRequest* request) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (!result.ok()) {
        finish(result);
        return;
    }
    fullListing_ = true;
    newToken_.clear();
    for (const DavResponse& response : result.multiStatus.responses) {
        // The collection answers for itself too.
        if (!response.isA(dav::kCollection)) {
            noteListed(response);
        }
    }
    fetchNext();
}

void CollectionPull::noteListed(const DavResponse& response) {
    const QString href = hrefOf(response.url);
    if (href == hrefOf(collection_)) {
        return;
    }
    const QByteArray etag = response.etag();
    listed_.insert(href, etag);
    if (etag.isEmpty() || etag != known_.value(href)) {
        toFetch_.push_back(response.url);
    }
}

void CollectionPull::fetchNext() {
    if (toFetch_.empty()) {
        finish();
        return;
    }
    QList<QUrl> asked;
    const int batch = byGet_ ? 1 : kFetchBatch;
    while (!toFetch_.empty() && asked.size() < batch) {
        asked << toFetch_.front();
        toFetch_.pop_front();
    }
    DavRequest* request =
        byGet_ ? client_.get(asked.first()) : client_.multiget(collection_, kind_, asked);
    connect(request, &DavRequest::finished, this,
            [this, request, asked] { fetched(request, asked); });
}

void CollectionPull::fetched(DavRequest* request, const QList<QUrl>& asked) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (!result.ok()) {
        if (!byGet_ && refusesReport(result)) {
            byGet_ = true;
            for (auto it = asked.crbegin(); it != asked.crend(); ++it) {
                toFetch_.push_front(*it);
            }
            fetchNext();
        } else if (byGet_ && result.failure == DavResult::Failure::NotFound) {
            // Gone since it was listed: the next look is told so.
            fetchNext();
        } else {
            finish(result);
        }
        return;
    }
    if (byGet_) {
        fetched_.append({hrefOf(asked.first()), result.etag, result.body});
    } else {
        const QLatin1StringView data =
            kind_ == CollectionKind::Calendar ? dav::kCalendarData : dav::kAddressData;
        for (const DavResponse& response : result.multiStatus.responses) {
            if (response.status == 0 && response.has(data)) {
                fetched_.append(
                    {hrefOf(response.url), response.etag(), response.text(data).toUtf8()});
            }
        }
    }
    fetchNext();
}

void CollectionPull::finish(const DavResult& result) {
    result_ = result;
    finished_ = true;
    emit finished();
}

}  // namespace almanis
