#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>

class QNetworkReply;
class QNetworkRequest;

namespace almanis {

// Where the HTTP requests of the calendar and address-book work go: the
// network in the program, a scripted server in tests.
class HttpTransport {
  public:
    virtual ~HttpTransport() = default;

    // Sends one request as it is (no redirect is followed here) and returns
    // its reply, which belongs to the caller. The reply finishes later, from
    // the event loop, never before this returns.
    virtual QNetworkReply* send(const QNetworkRequest& request, const QByteArray& method,
                                const QByteArray& body) = 0;
};

// The network, through Qt's access manager.
class NetworkTransport final : public HttpTransport {
  public:
    QNetworkReply* send(const QNetworkRequest& request, const QByteArray& method,
                        const QByteArray& body) override {
        return manager_.sendCustomRequest(request, method, body);
    }

  private:
    QNetworkAccessManager manager_;
};

}  // namespace almanis
