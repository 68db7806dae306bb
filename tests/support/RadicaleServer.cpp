#include "RadicaleServer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

namespace almanis::test {

namespace {
// Debian's interpreter, where Debian's Radicale is: another python3 earlier on
// the PATH (a version manager's) does not have it.
constexpr char kPython[] = "/usr/bin/python3";
// Long enough for a loaded machine; the test fails rather than hang.
constexpr int kAnswerMs = 30000;
}  // namespace

RadicaleServer::RadicaleServer() {
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

RadicaleServer::~RadicaleServer() {
    stop();
}

void RadicaleServer::addUser(const QString& name, const QString& password) {
    users_ += name.toUtf8() + ':' + password.toUtf8() + '\n';
}

QString RadicaleServer::storageFolder() const {
    return folder_.filePath(QStringLiteral("collections"));
}

bool RadicaleServer::start() {
    const QString usersFile = folder_.filePath(QStringLiteral("users"));
    const QString configFile = folder_.filePath(QStringLiteral("config"));
    QFile users(usersFile);
    QFile config(configFile);
    if (!users.open(QIODevice::WriteOnly) || users.write(users_) != users_.size() ||
        !config.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write the server's files in ") + folder_.path();
        return false;
    }
    users.close();
    config.close();
    // The configuration file of its own keeps the system's and the user's
    // configuration out; port 0 lets the system pick a free port, which the
    // server's log then names.
    process_.start(QString::fromLatin1(kPython), {QStringLiteral("-m"),
                                                  QStringLiteral("radicale"),
                                                  QStringLiteral("-C"),
                                                  configFile,
                                                  QStringLiteral("--server-hosts"),
                                                  QStringLiteral("127.0.0.1:0"),
                                                  QStringLiteral("--auth-type"),
                                                  QStringLiteral("htpasswd"),
                                                  QStringLiteral("--auth-htpasswd-filename"),
                                                  usersFile,
                                                  QStringLiteral("--auth-htpasswd-encryption"),
                                                  QStringLiteral("plain"),
                                                  QStringLiteral("--auth-delay"),
                                                  QStringLiteral("0"),
                                                  QStringLiteral("--rights-type"),
                                                  QStringLiteral("owner_only"),
                                                  QStringLiteral("--storage-filesystem-folder"),
                                                  storageFolder(),
                                                  QStringLiteral("--logging-level"),
                                                  QStringLiteral("info")});
    const QRegularExpression listening(
        QStringLiteral("Listening on '\\[?127\\.0\\.0\\.1\\]?:(\\d+)'"));
    QByteArray log;
    int port = 0;
    while (process_.waitForReadyRead(kAnswerMs)) {
        log += process_.readAll();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(log));
        if (match.hasMatch()) {
            port = match.captured(1).toInt();
        }
        if (port > 0 && log.contains("Radicale server ready")) {
            url_ = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
            return true;
        }
    }
    error_ = QStringLiteral("Radicale did not start: ") + process_.errorString() +
             QStringLiteral("\n") + QString::fromUtf8(log);
    stop();
    return false;
}

void RadicaleServer::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(kAnswerMs)) {
            process_.kill();
            process_.waitForFinished(kAnswerMs);
        }
    }
}

QUrl RadicaleServer::collectionUrl(const QString& user, const QString& name) const {
    return url_.resolved(QUrl(user + QLatin1Char('/') + name + QLatin1Char('/')));
}

std::pair<int, QByteArray> RadicaleServer::request(const QByteArray& method, const QUrl& url,
                                                   const QString& user, const QString& password,
                                                   const QByteArray& body,
                                                   const QHash<QByteArray, QByteArray>& headers) {
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setRawHeader("Authorization",
                         "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64());
    for (auto header = headers.cbegin(); header != headers.cend(); ++header) {
        request.setRawHeader(header.key(), header.value());
    }
    QNetworkReply* reply = network.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(kAnswerMs);
    loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray answer = reply->readAll();
    reply->abort();
    delete reply;
    return {status, answer};
}

int RadicaleServer::makeCollection(const QString& user, const QString& password,
                                   const QString& name, const QByteArray& properties) {
    const QByteArray body = R"(<?xml version="1.0" encoding="utf-8"?>)"
                            R"(<D:mkcol xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" )"
                            R"(xmlns:A="urn:ietf:params:xml:ns:carddav"><D:set><D:prop>)" +
                            properties + R"(</D:prop></D:set></D:mkcol>)";
    return request("MKCOL", collectionUrl(user, name), user, password, body,
                   {{"Content-Type", "application/xml; charset=utf-8"}})
        .first;
}

int RadicaleServer::makeCalendar(const QString& user, const QString& password,
                                 const QString& name) {
    return makeCollection(user, password, name,
                          "<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>");
}

int RadicaleServer::makeAddressBook(const QString& user, const QString& password,
                                    const QString& name) {
    return makeCollection(user, password, name,
                          "<D:resourcetype><D:collection/><A:addressbook/></D:resourcetype>");
}

}  // namespace almanis::test
