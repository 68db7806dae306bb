#pragma once

#include "sync/MultiStatus.h"

#include <QByteArray>
#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <utility>

namespace almanis {

class HttpTransport;

// How one exchange with a calendar or address-book server ended.
struct DavResult {
    enum class Failure {
        None,
        Insecure,        // the address, or one a redirect led to, is not secure
        NoAnswer,        // no connection, no answer in time, or the connection broke
        Authentication,  // 401: the user name or password was refused
        Forbidden,       // 403 (a sync token the server no longer knows: see conditions)
        NotFound,        // 404 or 410
        Changed,         // 412: If-Match or If-None-Match did not hold
        Refused,         // any other 4xx
        ServerFault,     // 5xx
        Unreadable,      // an answer that could not be read, too large, or endless redirects
    };

    Failure failure = Failure::None;
    QString error;    // the failure in words (translated, starting in lower case); empty on success
    int status = 0;   // the HTTP status of the last answer; 0 when none came
    QUrl url;         // where the last answer came from, after redirects
    QByteArray etag;  // the answer's ETag header, quotes kept; empty when none
    QByteArray contentType;   // the answer's Content-Type
    QByteArray body;          // the answer's body, as it came
    MultiStatus multiStatus;  // read from a 207 answer to PROPFIND or REPORT
    // The pre- and postconditions a DAV:error body of a failure names, in Clark
    // notation ("{DAV:}valid-sync-token").
    QStringList conditions;

    bool ok() const { return failure == Failure::None; }
};

// What to send: the method, the address, the headers and the body.
struct DavOutgoing {
    QByteArray method;
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    bool wantsMultiStatus = false;  // PROPFIND and REPORT answer 207
};

// One request to a server in flight: redirects followed (each to a secure
// address), basic authentication sent with every hop, an answer that stays
// silent too long given up, and the answer read. It finishes once, from the
// event loop; read result() then. Made by DavClient, whose child it is; the
// caller may delete it once finished.
class DavRequest final : public QObject {
    Q_OBJECT
  public:
    ~DavRequest() override;

    bool isFinished() const { return finished_; }
    const DavResult& result() const { return result_; }

  signals:
    void finished();
    // An HTTP request went out (one per redirect hop too).
    void sent();

  private:
    friend class DavClient;
    DavRequest(HttpTransport& transport, DavOutgoing outgoing, QByteArray authorization,
               std::chrono::milliseconds timeout, QObject* parent);

    void start();
    void send(const QUrl& url);
    void replyFinished();
    void finishWith(DavResult::Failure failure, const QString& error);
    void finish();
    QString networkError(QNetworkReply::NetworkError error, const QString& detail) const;

    HttpTransport& transport_;
    DavOutgoing outgoing_;
    QByteArray authorization_;
    std::chrono::milliseconds timeout_;
    QPointer<QNetworkReply> reply_;
    QUrl current_;
    int redirects_ = 0;
    bool tooLarge_ = false;
    bool finished_ = false;
    DavResult result_;
};

}  // namespace almanis
