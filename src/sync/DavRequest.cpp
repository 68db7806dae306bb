#include "sync/DavRequest.h"

#include "sync/HttpTransport.h"
#include "sync/ServerAddress.h"

#include <QNetworkRequest>
#include <QTimer>

namespace almanis {

namespace {
// Redirects followed before the chain is taken for a loop.
constexpr int kMostRedirects = 5;
// No answer of a calendar or address book needs more; a larger one is cut off
// rather than filling the memory.
constexpr qint64 kLargestAnswer = 64 * 1024 * 1024;

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}
}  // namespace

DavRequest::DavRequest(HttpTransport& transport, DavOutgoing outgoing, QByteArray authorization,
                       std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent),
      transport_(transport),
      outgoing_(std::move(outgoing)),
      authorization_(std::move(authorization)),
      timeout_(timeout) {}

DavRequest::~DavRequest() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void DavRequest::start() {
    // Refused before anything goes out, so that no password travels in clear.
    if (const QString why = insecureReason(outgoing_.url); !why.isEmpty()) {
        result_.url = outgoing_.url;
        // Finished from the event loop, as every other request.
        QTimer::singleShot(0, this, [this, why] { finishWith(DavResult::Failure::Insecure, why); });
        return;
    }
    send(outgoing_.url);
}

void DavRequest::send(const QUrl& url) {
    current_ = url;
    QNetworkRequest request(url);
    // Redirects are followed here, so that each hop is checked for security
    // and keeps the method, the body and the credentials.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(static_cast<int>(timeout_.count()));
    if (!authorization_.isEmpty()) {
        request.setRawHeader("Authorization", authorization_);
    }
    for (const auto& [name, value] : outgoing_.headers) {
        request.setRawHeader(name, value);
    }
    reply_ = transport_.send(request, outgoing_.method, outgoing_.body);
    emit sent();
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > kLargestAnswer && reply_) {
            tooLarge_ = true;
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::finished, this, &DavRequest::replyFinished);
}

void DavRequest::replyFinished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    reply->disconnect(this);
    result_.url = current_;
    result_.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge_) {
        finishWith(DavResult::Failure::Unreadable,
                   tr("the server's answer could not be read: it is larger than %1 MB")
                       .arg(kLargestAnswer / (1024 * 1024)));
        return;
    }
    if (result_.status == 0) {
        finishWith(DavResult::Failure::NoAnswer,
                   networkError(reply->error(), reply->errorString()));
        return;
    }
    result_.etag = reply->rawHeader("ETag");
    result_.contentType = reply->rawHeader("Content-Type");
    result_.body = reply->readAll();
    const int status = result_.status;
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QString statusText = QString::number(status) + QLatin1Char(' ') + reason.trimmed();
    const QString where = current_.toDisplayString();
    if (isRedirect(status)) {
        const QByteArray location = reply->rawHeader("Location");
        if (location.isEmpty()) {
            finishWith(DavResult::Failure::Unreadable,
                       tr("the server's answer could not be read: a redirect (%1) without an "
                          "address")
                           .arg(statusText));
            return;
        }
        const QUrl target = current_.resolved(QUrl::fromEncoded(location.trimmed()));
        if (const QString why = insecureReason(target); !why.isEmpty()) {
            finishWith(DavResult::Failure::Insecure, why);
            return;
        }
        if (++redirects_ > kMostRedirects) {
            finishWith(DavResult::Failure::Unreadable,
                       tr("the server sent Almanis on from one address to the next more than "
                          "%1 times")
                           .arg(kMostRedirects));
            return;
        }
        if (status == 303) {
            outgoing_.method = "GET";
            outgoing_.body.clear();
            outgoing_.wantsMultiStatus = false;
        }
        result_ = DavResult();
        send(target);
        return;
    }
    if (status >= 200 && status < 300) {
        if (outgoing_.wantsMultiStatus) {
            if (status != 207) {
                finishWith(DavResult::Failure::Unreadable,
                           tr("%1 is no calendar or address-book server: it answered %2 where "
                              "such a server answers 207 Multi-Status")
                               .arg(where, statusText));
                return;
            }
            QString error;
            std::optional<MultiStatus> read = parseMultiStatus(result_.body, current_, error);
            if (!read) {
                finishWith(DavResult::Failure::Unreadable,
                           tr("the server's answer could not be read: %1").arg(error));
                return;
            }
            result_.multiStatus = std::move(*read);
        }
        finish();
        return;
    }
    result_.conditions = parseErrorConditions(result_.body);
    if (status == 401) {
        finishWith(DavResult::Failure::Authentication,
                   tr("the server refused the user name or password"));
    } else if (status == 403) {
        finishWith(DavResult::Failure::Forbidden,
                   tr("the server does not let this user reach %1 (%2)").arg(where, statusText));
    } else if (status == 404 || status == 410) {
        finishWith(DavResult::Failure::NotFound,
                   tr("there is nothing at %1 (%2)").arg(where, statusText));
    } else if (status == 412) {
        finishWith(DavResult::Failure::Changed,
                   tr("%1 was changed on the server meanwhile (%2)").arg(where, statusText));
    } else if (status >= 500) {
        finishWith(DavResult::Failure::ServerFault,
                   tr("the server failed to answer (%1)").arg(statusText));
    } else {
        finishWith(DavResult::Failure::Refused,
                   tr("the server refused the request for %1 (%2)").arg(where, statusText));
    }
}

QString DavRequest::networkError(QNetworkReply::NetworkError error, const QString& detail) const {
    const QString host = current_.host();
    switch (error) {
        case QNetworkReply::HostNotFoundError:
            return tr("the server %1 could not be found").arg(host);
        case QNetworkReply::ConnectionRefusedError:
            return tr("the server %1 refused the connection").arg(host);
        case QNetworkReply::RemoteHostClosedError:
            return tr("the server %1 closed the connection before it answered").arg(host);
        // A transfer timeout aborts the reply: Almanis aborts none of its own
        // that it still waits for.
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError:
            return tr("the server %1 did not answer within %2 seconds")
                .arg(host)
                .arg(std::chrono::duration_cast<std::chrono::seconds>(timeout_).count());
        case QNetworkReply::SslHandshakeFailedError:
            return tr("no secure connection could be made with %1: %2").arg(host, detail);
        default:
            return tr("the server %1 could not be reached: %2").arg(host, detail);
    }
}

void DavRequest::finishWith(DavResult::Failure failure, const QString& error) {
    result_.failure = failure;
    result_.error = error;
    finish();
}

void DavRequest::finish() {
    finished_ = true;
    emit finished();
}

}  // namespace almanis
