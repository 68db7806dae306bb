#pragma once

#include "sync/Collection.h"
#include "sync/DavRequest.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>

namespace almanis {

class HttpTransport;

// Speaks WebDAV, CalDAV and CardDAV with one server as one user. Every call
// sends one request and returns it in flight (a child of the client; see
// DavRequest); nothing waits. Properties are named in Clark notation
// (sync/DavNames.h).
class DavClient final : public QObject {
    Q_OBJECT
  public:
    // How long a server may stay silent before a request is given up.
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};

    explicit DavClient(HttpTransport& transport, QObject* parent = nullptr);

    // The user and password sent (basic authentication) with every request;
    // none until set.
    void setCredentials(const QString& user, const QString& password);
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    // The HTTP requests sent so far, each redirect hop counted.
    int requestsSent() const { return requestsSent_; }

    // PROPFIND with Depth 0 or 1 for the named properties: a 207 answer, its
    // responses in result().multiStatus.
    DavRequest* propfind(const QUrl& url, int depth, const QStringList& properties);

    // REPORT sync-collection (RFC 6578) at sync level 1: the members changed
    // since `syncToken` (all members when it is empty) with the named
    // properties, the gone ones as responses with status 404, and the new
    // token in result().multiStatus.syncToken. A token the server no longer
    // knows fails with Forbidden (or Refused) and the condition
    // dav::kValidSyncToken in result().conditions.
    DavRequest* syncCollection(const QUrl& collection, const QString& syncToken,
                               const QStringList& properties);

    // REPORT calendar-multiget or addressbook-multiget: the ETag and the data
    // (dav::kCalendarData, dav::kAddressData) of each resource named.
    DavRequest* multiget(const QUrl& collection, CollectionKind kind, const QList<QUrl>& resources);

    // GET: the resource in result().body, its ETag in result().etag.
    DavRequest* get(const QUrl& url);

    // PUT of a new resource, with If-None-Match: * so that nothing there is
    // overwritten (Changed when something is); the new ETag in result().etag
    // where the server gives one.
    DavRequest* create(const QUrl& url, const QByteArray& body, const QByteArray& contentType);

    // PUT over the resource with this ETag (If-Match): Changed when it was
    // changed meanwhile.
    DavRequest* replace(const QUrl& url, const QByteArray& body, const QByteArray& contentType,
                        const QByteArray& etag);

    // DELETE of the resource with this ETag (If-Match; any version when the
    // ETag is empty): Changed when it was changed meanwhile.
    DavRequest* remove(const QUrl& url, const QByteArray& etag);

    // Any request, as it is described.
    DavRequest* send(DavOutgoing outgoing);

  private:
    HttpTransport& transport_;
    QByteArray authorization_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    int requestsSent_ = 0;
};

// The content types of the resources Almanis writes.
inline constexpr char kCalendarContentType[] = "text/calendar; charset=utf-8";
inline constexpr char kVCardContentType[] = "text/vcard; charset=utf-8";

}  // namespace almanis
