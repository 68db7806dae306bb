#pragma once

#include <QByteArray>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <utility>

namespace almanis::test {

// A real CalDAV and CardDAV server, Debian's Radicale, on a port of the
// loopback address that the system picks, with its collections in a
// temporary folder and users checked against a file of plain passwords.
// Stopping and starting again keeps the collections and the port is picked
// anew. QSKIP where Radicale is not installed is not done: tools/install-deps
// installs it, and a test that cannot reach it fails.
class RadicaleServer {
  public:
    RadicaleServer();
    ~RadicaleServer();
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    // A user the server lets in; call before start().
    void addUser(const QString& name, const QString& password);

    // Starts the server and returns once it listens; false with the reason in
    // errorText() when it does not.
    bool start();
    void stop();
    bool running() const { return process_.state() == QProcess::Running; }
    QString errorText() const { return error_; }

    // http://127.0.0.1:<port>/
    QUrl url() const { return url_; }
    // The URL of a collection of the user's: http://127.0.0.1:<port>/<user>/<name>/
    QUrl collectionUrl(const QString& user, const QString& name) const;

    // Makes a calendar or an address book collection as a client's set-up
    // would; the HTTP status of the answer.
    int makeCalendar(const QString& user, const QString& password, const QString& name);
    int makeAddressBook(const QString& user, const QString& password, const QString& name);
    // Makes a collection with the properties given as the XML inside
    // <D:prop> (prefixes D: DAV:, C: CalDAV, A: CardDAV).
    int makeCollection(const QString& user, const QString& password, const QString& name,
                       const QByteArray& properties);

    // One plain HTTP request with basic authentication, waited for; the status
    // (0 when no answer came) and the body.
    std::pair<int, QByteArray> request(const QByteArray& method, const QUrl& url,
                                       const QString& user, const QString& password,
                                       const QByteArray& body = QByteArray(),
                                       const QHash<QByteArray, QByteArray>& headers = {});

    // Where the collections are kept on disk.
    QString storageFolder() const;

  private:
    QTemporaryDir folder_;
    QProcess process_;
    QByteArray users_;
    QUrl url_;
    QString error_;
};

}  // namespace almanis::test
