#pragma once

#include "cli/Terminal.h"
#include "sync/HttpTransport.h"
#include "sync/SecretStore.h"
#include "sync/ServerAddress.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <utility>

namespace almanis::test {

// A server's answer as a test scripts it.
struct FakeAnswer {
    int status = 200;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> headers;
    // A failure below HTTP (no answer came); status is then ignored.
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
};

// A 207 answer with this multistatus body.
inline FakeAnswer multiStatus(const QByteArray& body) {
    return {207, body, {{"Content-Type", "application/xml; charset=utf-8"}}, {}, {}};
}

// A reply that gives its scripted answer from the event loop, as the network does.
class FakeReply final : public QNetworkReply {
  public:
    FakeReply(const QNetworkRequest& request, const QByteArray& method, const FakeAnswer& answer)
        : body_(answer.body) {
        setRequest(request);
        setUrl(request.url());
        setOperation(QNetworkAccessManager::CustomOperation);
        setAttribute(QNetworkRequest::CustomVerbAttribute, method);
        if (answer.error == QNetworkReply::NoError) {
            setAttribute(QNetworkRequest::HttpStatusCodeAttribute, answer.status);
            setAttribute(QNetworkRequest::HttpReasonPhraseAttribute, reasonOf(answer.status));
            for (const auto& [name, value] : answer.headers) {
                setRawHeader(name, value);
            }
        }
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        QTimer::singleShot(0, this, [this, answer] {
            if (finished_) {
                return;
            }
            if (answer.error != QNetworkReply::NoError) {
                setError(answer.error, answer.errorText);
                emit errorOccurred(answer.error);
            } else {
                emit metaDataChanged();
                emit downloadProgress(body_.size(), body_.size());
                emit readyRead();
            }
            finish();
        });
    }

    void abort() override {
        if (!finished_) {
            setError(OperationCanceledError, QStringLiteral("Operation canceled"));
            finish();
        }
    }
    qint64 bytesAvailable() const override {
        return body_.size() - offset_ + QIODevice::bytesAvailable();
    }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 most) override {
        const qint64 count = std::min<qint64>(most, body_.size() - offset_);
        if (count <= 0) {
            return finished_ ? -1 : 0;
        }
        std::copy_n(body_.constData() + offset_, count, data);
        offset_ += count;
        return count;
    }

  private:
    static QByteArray reasonOf(int status) {
        switch (status) {
            case 200:
                return "OK";
            case 201:
                return "Created";
            case 204:
                return "No Content";
            case 207:
                return "Multi-Status";
            case 301:
                return "Moved Permanently";
            case 302:
                return "Found";
            case 307:
                return "Temporary Redirect";
            case 308:
                return "Permanent Redirect";
            case 401:
                return "Unauthorized";
            case 403:
                return "Forbidden";
            case 404:
                return "Not Found";
            case 412:
                return "Precondition Failed";
            case 500:
                return "Internal Server Error";
            case 503:
                return "Service Unavailable";
            default:
                return "";
        }
    }
    void finish() {
        finished_ = true;
        setFinished(true);
        emit finished();
    }

    QByteArray body_;
    qint64 offset_ = 0;
    bool finished_ = false;
};

// A network for tests: requests get the answers queued, in order; with none
// queued, a request to this computer goes to the real network (a Radicale
// the test started), and any other is answered "host not found", so no test
// ever reaches beyond the machine.
class FakeTransport final : public HttpTransport {
  public:
    struct Sent {
        QByteArray method;
        QNetworkRequest request;
        QByteArray body;
        QUrl url() const { return request.url(); }
        QByteArray header(const QByteArray& name) const { return request.rawHeader(name); }
    };

    QNetworkReply* send(const QNetworkRequest& request, const QByteArray& method,
                        const QByteArray& body) override {
        sent.append({method, request, body});
        if (!answers.empty()) {
            const FakeAnswer answer = answers.front();
            answers.pop_front();
            return new FakeReply(request, method, answer);
        }
        if (isLoopback(request.url())) {
            return network_.send(request, method, body);
        }
        FakeAnswer none;
        none.error = QNetworkReply::HostNotFoundError;
        none.errorText = QStringLiteral("Host %1 not found").arg(request.url().host());
        return new FakeReply(request, method, none);
    }

    // The methods and paths sent, "PROPFIND /alice/".
    QStringList sentLines() const {
        QStringList lines;
        for (const Sent& request : sent) {
            lines << QString::fromLatin1(request.method) + QLatin1Char(' ') + request.url().path();
        }
        return lines;
    }

    std::deque<FakeAnswer> answers;
    QList<Sent> sent;

  private:
    NetworkTransport network_;
};

// A request of the fake secret store, finished from the event loop.
class FakeSecretRequest final : public SecretRequest {
  public:
    FakeSecretRequest(const QString& password, const QString& error) {
        QTimer::singleShot(0, this, [this, password, error] {
            if (error.isEmpty()) {
                succeed(password);
            } else {
                fail(error);
            }
        });
    }
};

// The desktop's secret store, in memory.
class FakeSecretStore final : public SecretStore {
  public:
    SecretRequest* read(const QString& key) override {
        calls << QStringLiteral("read ") + key;
        if (!failure.isEmpty()) {
            return new FakeSecretRequest(QString(), failure);
        }
        return passwords.contains(key)
                   ? new FakeSecretRequest(passwords.value(key), QString())
                   : new FakeSecretRequest(QString(), QStringLiteral("no password for ") + key);
    }
    SecretRequest* write(const QString& key, const QString& password) override {
        calls << QStringLiteral("write ") + key;
        if (failure.isEmpty()) {
            passwords.insert(key, password);
        }
        return new FakeSecretRequest(QString(), failure);
    }
    SecretRequest* remove(const QString& key) override {
        calls << QStringLiteral("remove ") + key;
        if (failure.isEmpty()) {
            passwords.remove(key);
        }
        return new FakeSecretRequest(QString(), failure);
    }

    QMap<QString, QString> passwords;
    QStringList calls;
    // When set, every request fails for this reason.
    QString failure;
};

// A terminal whose person answers as the test queued; without answers the
// input has ended.
class FakeTerminal final : public Terminal {
  public:
    bool interactive() const override { return isInteractive; }
    std::optional<QString> ask(const QString& prompt) override {
        prompts << prompt;
        return next();
    }
    std::optional<QString> askHidden(const QString& prompt) override {
        prompts << QStringLiteral("hidden: ") + prompt;
        return next();
    }
    std::optional<QString> readLine() override { return next(); }

    bool isInteractive = false;
    std::deque<QString> answers;
    QStringList prompts;

  private:
    std::optional<QString> next() {
        if (answers.empty()) {
            return std::nullopt;
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace almanis::test
