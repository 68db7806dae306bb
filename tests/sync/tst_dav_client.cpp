// The client against a scripted server, for what a real one will not do on
// demand: failures, redirects, a silent server.
#include "SyncFakes.h"
#include "TestEnvironment.h"

#include "sync/DavClient.h"
#include "sync/DavNames.h"
#include "sync/Waiting.h"

using namespace almanis;
using Failure = DavResult::Failure;

Q_DECLARE_METATYPE(almanis::test::FakeAnswer)
Q_DECLARE_METATYPE(almanis::DavResult::Failure)

namespace {
const QUrl kCalendar(QStringLiteral("https://dav.example.com/cal/alice/"));
const QByteArray kAuthorization = "Basic " + QByteArray("alice:test-password-1").toBase64();

const QByteArray kCalendarAnswer =
    "<multistatus xmlns='DAV:'><response><href>/cal/alice/</href><propstat><prop>"
    "<displayname>Birthdays</displayname></prop><status>HTTP/1.1 200 OK</status></propstat>"
    "</response></multistatus>";

struct Client {
    Client() { client.setCredentials(QStringLiteral("alice"), QStringLiteral("test-password-1")); }
    DavResult run(DavRequest* request) {
        waitUntilFinished(*request);
        return request->result();
    }
    DavResult propfind(const QUrl& url = kCalendar) {
        return run(client.propfind(url, 0, {QString(dav::kDisplayName)}));
    }
    test::FakeTransport network;
    DavClient client{network};
};

test::FakeAnswer redirect(int status, const QByteArray& location) {
    return {status, {}, {{"Location", location}}, {}, {}};
}

test::FakeAnswer noAnswer(QNetworkReply::NetworkError error, const QString& text) {
    test::FakeAnswer answer;
    answer.error = error;
    answer.errorText = text;
    return answer;
}
}  // namespace

class DavClientTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void failuresAreToldInWords_data() {
        QTest::addColumn<QList<test::FakeAnswer>>("answers");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("status");
        const auto one = [](const test::FakeAnswer& answer) {
            return QList<test::FakeAnswer>{answer};
        };
        QTest::newRow("server fault")
            << one({503, "busy", {}, {}, {}}) << Failure::ServerFault
            << "the server failed to answer (503 Service Unavailable)" << 503;
        QTest::newRow("wrong password")
            << one({401, {}, {{"WWW-Authenticate", "Basic realm=\"x\""}}, {}, {}})
            << Failure::Authentication << "the server refused the user name or password" << 401;
        QTest::newRow("silent server")
            << one(noAnswer(QNetworkReply::OperationCanceledError, "Operation canceled"))
            << Failure::NoAnswer << "the server dav.example.com did not answer within 30 seconds"
            << 0;
        QTest::newRow("unknown host")
            << one(noAnswer(QNetworkReply::HostNotFoundError, "Host not found"))
            << Failure::NoAnswer << "the server dav.example.com could not be found" << 0;
        QTest::newRow("connection refused")
            << one(noAnswer(QNetworkReply::ConnectionRefusedError, "Connection refused"))
            << Failure::NoAnswer << "the server dav.example.com refused the connection" << 0;
        QTest::newRow("certificate")
            << one(noAnswer(QNetworkReply::SslHandshakeFailedError, "The certificate has expired"))
            << Failure::NoAnswer
            << "no secure connection could be made with dav.example.com: The certificate has "
               "expired"
            << 0;
        QTest::newRow("malformed XML")
            << one(test::multiStatus("<multistatus xmlns='DAV:'><response><href>/a</multistatus>"))
            << Failure::Unreadable << "the server's answer could not be read: " << 207;
        QTest::newRow("a web page, not a server of calendars")
            << one({200, "<html/>", {{"Content-Type", "text/html"}}, {}, {}}) << Failure::Unreadable
            << "https://dav.example.com/cal/alice/ is no calendar or address-book server: it "
               "answered 200 OK"
            << 200;
        QTest::newRow("not found")
            << one({404, {}, {}, {}, {}}) << Failure::NotFound
            << "there is nothing at https://dav.example.com/cal/alice/" << 404;
        QTest::newRow("redirect without address")
            << one({302, {}, {}, {}, {}}) << Failure::Unreadable << "a redirect (302 Found)" << 302;
        QTest::newRow("redirect to plain http elsewhere")
            << one(redirect(301, "http://dav.example.com/cal/")) << Failure::Insecure
            << "http://dav.example.com/cal/ is not a secure address" << 301;
        QList<test::FakeAnswer> loop;
        for (int i = 0; i < 6; ++i) {
            loop << redirect(307, "/cal/alice/");
        }
        QTest::newRow("endless redirects")
            << loop << Failure::Unreadable << "more than 5 times" << 307;
    }
    void failuresAreToldInWords() {
        QFETCH(QList<test::FakeAnswer>, answers);
        QFETCH(Failure, failure);
        QFETCH(QString, error);
        QFETCH(int, status);
        Client c;
        c.network.answers.assign(answers.cbegin(), answers.cend());
        const DavResult result = c.propfind();
        QCOMPARE(result.failure, failure);
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
        QCOMPARE(result.status, status);
        QCOMPARE(c.client.requestsSent(), answers.size());
        QVERIFY(c.network.answers.empty());
    }

    // Each hop is asked again with the same method, body and credentials;
    // 303 asks for the new place with GET.
    void redirectsAreFollowed_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<QString>("finalUrl");
        QTest::addColumn<QByteArray>("finalMethod");
        QTest::newRow("301 to a path") << 301 << QByteArray("/dav/")
                                       << "https://dav.example.com/dav/" << QByteArray("PROPFIND");
        QTest::newRow("302 relative")
            << 302 << QByteArray("../bob/") << "https://dav.example.com/cal/bob/"
            << QByteArray("PROPFIND");
        QTest::newRow("307 to another secure host")
            << 307 << QByteArray("https://dav2.example.com/x/") << "https://dav2.example.com/x/"
            << QByteArray("PROPFIND");
        QTest::newRow("308") << 308 << QByteArray("/y/") << "https://dav.example.com/y/"
                             << QByteArray("PROPFIND");
        QTest::newRow("303 see other")
            << 303 << QByteArray("/z/") << "https://dav.example.com/z/" << QByteArray("GET");
    }
    void redirectsAreFollowed() {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(QString, finalUrl);
        QFETCH(QByteArray, finalMethod);
        Client c;
        c.network.answers = {redirect(status, location),
                             finalMethod == "GET" ? test::FakeAnswer{200, "x", {}, {}, {}}
                                                  : test::multiStatus(kCalendarAnswer)};
        const DavResult result = c.propfind();
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.url, QUrl(finalUrl));
        QCOMPARE(c.network.sent.size(), 2);
        const auto& [first, second] = std::pair(c.network.sent[0], c.network.sent[1]);
        QCOMPARE(second.url(), QUrl(finalUrl));
        QCOMPARE(second.method, finalMethod);
        QCOMPARE(second.body.isEmpty(), finalMethod == "GET");
        for (const test::FakeTransport::Sent& sent : c.network.sent) {
            QCOMPARE(sent.header("Authorization"), kAuthorization);
            // Redirects are ours to follow, and a silent server is given up.
            QCOMPARE(sent.request.attribute(QNetworkRequest::RedirectPolicyAttribute).toInt(),
                     int(QNetworkRequest::ManualRedirectPolicy));
            QCOMPARE(sent.request.transferTimeout(), 30000);
        }
        if (finalMethod != "GET") {
            QCOMPARE(result.multiStatus.responses.size(), size_t(1));
        }
    }

    // Nothing leaves for an address where the password would travel in clear.
    void insecureAddressesAreRefusedBeforeAnythingIsSent_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("https") << "https://dav.example.com/" << true;
        QTest::newRow("http elsewhere") << "http://dav.example.com/" << false;
        QTest::newRow("http to a private network") << "http://192.168.1.2/" << false;
        QTest::newRow("http to 127.0.0.1") << "http://127.0.0.1:5232/" << true;
        QTest::newRow("http to 127.1.2.3") << "http://127.1.2.3/" << true;
        QTest::newRow("http to localhost") << "http://LocalHost:8080/" << true;
        QTest::newRow("http to ::1") << "http://[::1]:5232/" << true;
        QTest::newRow("http to a name starting with localhost")
            << "http://localhost.example.com/" << false;
        QTest::newRow("ftp") << "ftp://dav.example.com/" << false;
        QTest::newRow("no host") << "https:///cal/" << false;
    }
    void insecureAddressesAreRefusedBeforeAnythingIsSent() {
        QFETCH(QString, url);
        QFETCH(bool, allowed);
        Client c;
        c.network.answers = {test::multiStatus(kCalendarAnswer)};
        const DavResult result = c.propfind(QUrl(url));
        QCOMPARE(result.ok(), allowed);
        QCOMPARE(c.network.sent.size(), allowed ? 1 : 0);
        if (!allowed) {
            QCOMPARE(result.failure, Failure::Insecure);
            QVERIFY2(result.error.contains(QLatin1String("https://")), qPrintable(result.error));
        }
    }

    // The sync takes a lost token, a changed resource and a missing one
    // apart by what the answer says.
    void failuresKeepWhatTheServerSaid() {
        Client c;
        c.network.answers = {
            {403,
             "<?xml version='1.0'?><error xmlns='DAV:'><valid-sync-token/></error>",
             {{"Content-Type", "text/xml"}},
             {},
             {}},
            {412, {}, {{"ETag", "\"new\""}}, {}, {}}};
        const DavResult sync = c.run(c.client.syncCollection(kCalendar, QStringLiteral("old"), {}));
        QCOMPARE(sync.failure, Failure::Forbidden);
        QCOMPARE(sync.conditions, QStringList{QString(dav::kValidSyncToken)});
        const DavResult put = c.run(c.client.replace(kCalendar.resolved(QUrl("a.ics")), "BEGIN",
                                                     kCalendarContentType, "\"old\""));
        QCOMPARE(put.failure, Failure::Changed);
        QCOMPARE(put.status, 412);
        QCOMPARE(c.network.sent[1].header("If-Match"), QByteArray("\"old\""));
    }
};

ALMANIS_TEST_MAIN(DavClientTest)
#include "tst_dav_client.moc"
