// The client and the discovery against a real CalDAV and CardDAV server,
// Debian's Radicale, on the loopback address.
#include "RadicaleServer.h"
#include "SyncFakes.h"
#include "TestEnvironment.h"

#include "sync/CollectionDiscovery.h"
#include "sync/DavClient.h"
#include "sync/DavNames.h"
#include "sync/ServerAddress.h"
#include "sync/Waiting.h"

using namespace almanis;
using Failure = DavResult::Failure;

Q_DECLARE_METATYPE(almanis::DavResult::Failure)

namespace {
const QString kAlice = QStringLiteral("alice");
const QString kAlicePassword = QStringLiteral("test-password-alice");
const QString kBob = QStringLiteral("bob");
const QString kBobPassword = QStringLiteral("test-password-bob");

QByteArray calendarEntry(const QByteArray& uid, const QByteArray& summary) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
           uid +
           "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260310\r\n"
           "RRULE:FREQ=YEARLY\r\nSUMMARY:" +
           summary + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

struct Session {
    explicit Session(const QString& user = kAlice, const QString& password = kAlicePassword) {
        client.setCredentials(user, password);
    }
    DavResult run(DavRequest* request) {
        waitUntilFinished(*request);
        return request->result();
    }
    // What the discovery found, as "Calendar Birthdays /alice/cal/", sorted;
    // or its failure.
    QStringList discover(const QUrl& url) {
        CollectionDiscovery discovery(client);
        discovery.start(url);
        waitUntilFinished(discovery);
        failure = discovery.failure();
        error = discovery.error();
        gaveCollection = discovery.gaveCollection();
        QStringList found;
        for (const Collection& collection : discovery.collections()) {
            found << (collection.kind == CollectionKind::Calendar ? QStringLiteral("Calendar ")
                                                                  : QStringLiteral("Book ")) +
                         collection.name + QLatin1Char(' ') + collection.url.path();
        }
        found.sort();
        return found;
    }
    test::FakeTransport network;
    DavClient client{network};
    Failure failure = Failure::None;
    QString error;
    bool gaveCollection = false;
};

void put(test::RadicaleServer& server, const QString& path, const QByteArray& body) {
    const auto [status, answer] =
        server.request("PUT", server.url().resolved(QUrl(path)), kAlice, kAlicePassword, body,
                       {{"Content-Type", "text/vcard; charset=utf-8"}});
    QCOMPARE(status, 201);
}
}  // namespace

class DavServerTest : public test::TestCase {
    Q_OBJECT
  private:
    test::RadicaleServer server_;

    QUrl at(const QString& path) const { return server_.url().resolved(QUrl(path)); }

  private slots:
    void initTestCase() {
        server_.addUser(kAlice, kAlicePassword);
        server_.addUser(kBob, kBobPassword);
        QVERIFY2(server_.start(), qPrintable(server_.errorText()));
        QCOMPARE(
            server_.makeCollection(kAlice, kAlicePassword, QStringLiteral("cal"),
                                   "<D:resourcetype><D:collection/><C:calendar/>"
                                   "</D:resourcetype><D:displayname>Birthdays</D:displayname>"),
            201);
        QCOMPARE(
            server_.makeCollection(kAlice, kAlicePassword, QStringLiteral("tasks"),
                                   "<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
                                   "<C:supported-calendar-component-set><C:comp name=\"VTODO\"/>"
                                   "</C:supported-calendar-component-set>"),
            201);
        QCOMPARE(server_.makeAddressBook(kAlice, kAlicePassword, QStringLiteral("book")), 201);
        QCOMPARE(server_.makeCalendar(kAlice, kAlicePassword, QStringLiteral("work")), 201);
        QCOMPARE(server_.makeCalendar(kBob, kBobPassword, QStringLiteral("bobs")), 201);
    }

    void discoveryFindsTheUsersCalendarsAndAddressBooks_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<bool>("gaveCollection");
        const QStringList all{"Book alice/book /alice/book/", "Calendar Birthdays /alice/cal/",
                              "Calendar alice/work /alice/work/"};
        QTest::newRow("the server's address, through the well-known ones") << "/" << all << false;
        QTest::newRow("the server's address without a path") << "" << all << false;
        QTest::newRow("the principal") << "/alice/" << all << false;
        QTest::newRow("a calendar, taken as it is")
            << "/alice/cal/" << QStringList{"Calendar Birthdays /alice/cal/"} << true;
        QTest::newRow("an address book without its final slash")
            << "/alice/book" << QStringList{"Book alice/book /alice/book/"} << true;
    }
    void discoveryFindsTheUsersCalendarsAndAddressBooks() {
        QFETCH(QString, path);
        QFETCH(QStringList, found);
        QFETCH(bool, gaveCollection);
        Session alice;
        QUrl url = server_.url();
        url.setPath(path);
        QCOMPARE(alice.discover(url), found);
        QCOMPARE(alice.error, QString());
        QCOMPARE(alice.gaveCollection, gaveCollection);
    }

    void discoveryFailuresSayWhy_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("address");  // a path on the server, or a whole address
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("error");
        QTest::newRow("wrong password")
            << kAlice << "test-password-wrong"
            << "/" << Failure::Authentication << "the server refused the user name or password";
        QTest::newRow("unknown user")
            << "carol" << kAlicePassword << "/alice/" << Failure::Authentication
            << "the server refused the user name or password";
        QTest::newRow("a calendar of tasks")
            << kAlice << kAlicePassword << "/alice/tasks/" << Failure::Refused
            << "is a calendar of tasks or notes, which takes no events";
        QTest::newRow("plain http to another machine")
            << kAlice << kAlicePassword << "http://dav.example.com/" << Failure::Insecure
            << "http://dav.example.com/ is not a secure address";
    }
    void discoveryFailuresSayWhy() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, address);
        QFETCH(Failure, failure);
        QFETCH(QString, error);
        Session session(user, password);
        const QUrl url = address.startsWith(QLatin1String("http")) ? QUrl(address) : at(address);
        QCOMPARE(session.discover(url), QStringList());
        QCOMPARE(session.failure, failure);
        QVERIFY2(session.error.contains(error), qPrintable(session.error));
        if (failure == Failure::Insecure) {
            QCOMPARE(session.network.sent.size(), 0);
        }
    }

    // Every change goes with a condition, so nothing is overwritten blindly,
    // and the sync token and the multiget give back what changed.
    void theCalendarChangesOnlyAsItWasLastSeen() {
        Session alice;
        const QUrl calendar = at(QStringLiteral("/alice/work/"));
        const QUrl first = calendar.resolved(QUrl(QStringLiteral("first.ics")));
        const QUrl second = calendar.resolved(QUrl(QStringLiteral("second.ics")));

        const DavResult start =
            alice.run(alice.client.syncCollection(calendar, {}, {QString(dav::kGetEtag)}));
        QVERIFY2(start.ok(), qPrintable(start.error));
        QVERIFY(!start.multiStatus.syncToken.isEmpty());
        QCOMPARE(start.multiStatus.responses.size(), size_t(0));

        const DavResult created = alice.run(
            alice.client.create(first, calendarEntry("first", "Ada"), kCalendarContentType));
        QVERIFY2(created.ok(), qPrintable(created.error));
        QCOMPARE(created.status, 201);
        QVERIFY(!created.etag.isEmpty());
        const DavResult again = alice.run(
            alice.client.create(first, calendarEntry("first", "Other"), kCalendarContentType));
        QCOMPARE(again.failure, Failure::Changed);

        const DavResult replaced = alice.run(alice.client.replace(
            first, calendarEntry("first", "Ada Lovelace"), kCalendarContentType, created.etag));
        QVERIFY2(replaced.ok(), qPrintable(replaced.error));
        QVERIFY(replaced.etag != created.etag);
        const DavResult stale = alice.run(alice.client.replace(
            first, calendarEntry("first", "Lost"), kCalendarContentType, created.etag));
        QCOMPARE(stale.failure, Failure::Changed);
        QCOMPARE(alice.run(alice.client.remove(first, created.etag)).failure, Failure::Changed);

        const DavResult got = alice.run(alice.client.get(first));
        QVERIFY(got.body.contains("SUMMARY:Ada Lovelace"));
        QCOMPARE(got.etag, replaced.etag);

        QVERIFY(alice
                    .run(alice.client.create(second, calendarEntry("second", "Bo"),
                                             kCalendarContentType))
                    .ok());
        QVERIFY(alice.run(alice.client.remove(first, replaced.etag)).ok());

        const int before = alice.client.requestsSent();
        const DavResult changes = alice.run(alice.client.syncCollection(
            calendar, start.multiStatus.syncToken, {QString(dav::kGetEtag)}));
        QVERIFY2(changes.ok(), qPrintable(changes.error));
        QCOMPARE(alice.client.requestsSent(), before + 1);
        QMap<QString, int> statuses;
        for (const DavResponse& response : changes.multiStatus.responses) {
            statuses.insert(response.url.path(), response.status);
            if (response.status == 0) {
                QVERIFY(!response.etag().isEmpty());
            }
        }
        QCOMPARE(statuses, (QMap<QString, int>{{"/alice/work/first.ics", 404},
                                               {"/alice/work/second.ics", 0}}));

        const DavResult nothingNew = alice.run(alice.client.syncCollection(
            calendar, changes.multiStatus.syncToken, {QString(dav::kGetEtag)}));
        QVERIFY(nothingNew.ok());
        QCOMPARE(nothingNew.multiStatus.responses.size(), size_t(0));
        QCOMPARE(nothingNew.multiStatus.syncToken, changes.multiStatus.syncToken);

        const DavResult lost = alice.run(alice.client.syncCollection(
            calendar, QStringLiteral("http://radicale.org/ns/sync/unknown"), {}));
        QVERIFY(!lost.ok());
        QVERIFY(lost.conditions.contains(QString(dav::kValidSyncToken)));

        const DavResult fetched =
            alice.run(alice.client.multiget(calendar, CollectionKind::Calendar, {second}));
        QVERIFY2(fetched.ok(), qPrintable(fetched.error));
        QCOMPARE(fetched.multiStatus.responses.size(), size_t(1));
        QCOMPARE(fetched.multiStatus.responses[0].url, second);
        QVERIFY(fetched.multiStatus.responses[0]
                    .text(dav::kCalendarData)
                    .contains(QLatin1String("UID:second")));
    }

    void theCollectionsAreListedWithTheirETags() {
        put(server_, QStringLiteral("/alice/book/ada.vcf"),
            "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:ada\r\nFN:Ada\r\nN:;Ada;;;\r\nBDAY:1815-12-10\r\n"
            "END:VCARD\r\n");
        Session alice;
        const QUrl book = at(QStringLiteral("/alice/book/"));
        const DavResult listed =
            alice.run(alice.client.propfind(book, 1, {QString(dav::kGetEtag)}));
        QVERIFY2(listed.ok(), qPrintable(listed.error));
        QList<QUrl> members;
        for (const DavResponse& response : listed.multiStatus.responses) {
            // The collection answers for itself too.
            if (!sameCollection(response.url, book)) {
                members << response.url;
            }
        }
        QCOMPARE(members, QList<QUrl>{book.resolved(QUrl(QStringLiteral("ada.vcf")))});
        const DavResult cards =
            alice.run(alice.client.multiget(book, CollectionKind::AddressBook, members));
        QVERIFY2(cards.ok(), qPrintable(cards.error));
        QCOMPARE(cards.multiStatus.responses.size(), size_t(1));
        QVERIFY(cards.multiStatus.responses[0]
                    .text(dav::kAddressData)
                    .contains(QLatin1String("BDAY:1815-12-10")));
    }

    // A user sees no other's collections.
    void anotherUsersCollectionIsRefused() {
        Session bob(kBob, kBobPassword);
        const DavResult result =
            bob.run(bob.client.propfind(at(QStringLiteral("/alice/cal/")), 0, {}));
        QCOMPARE(result.failure, Failure::Forbidden);
    }

    // A server whose well-known address leads to another path, whose calendars
    // and address books live in homes of their own.
    void theWellKnownAddressesLeadToTheHomes() {
        Session alice;
        const auto answer = [](const QByteArray& responses) {
            return test::multiStatus(
                "<d:multistatus xmlns:d='DAV:' xmlns:c='urn:ietf:params:xml:ns:caldav' "
                "xmlns:a='urn:ietf:params:xml:ns:carddav'>" +
                responses + "</d:multistatus>");
        };
        const auto response = [](const QByteArray& href, const QByteArray& properties) {
            return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + properties +
                   "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
        };
        alice.network.answers = {
            {301, {}, {{"Location", "/dav/"}}, {}, {}},
            answer(response("/dav/",
                            "<d:current-user-principal><d:href>/dav/principals/alice/"
                            "</d:href></d:current-user-principal>")),
            answer(response("/dav/principals/alice/",
                            "<c:calendar-home-set><d:href>/dav/calendars/alice/</d:href>"
                            "</c:calendar-home-set><a:addressbook-home-set><d:href>"
                            "https://contacts.example.com/books/alice/</d:href>"
                            "</a:addressbook-home-set>")),
            answer(response("/dav/calendars/alice/",
                            "<d:resourcetype><d:collection/>"
                            "</d:resourcetype>") +
                   response("/dav/calendars/alice/home/",
                            "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>"
                            "<d:displayname>Home</d:displayname>") +
                   response("/dav/calendars/alice/todo/",
                            "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>"
                            "<c:supported-calendar-component-set><c:comp name='VTODO'/>"
                            "</c:supported-calendar-component-set>") +
                   response("/dav/calendars/alice/inbox/",
                            "<d:resourcetype><d:collection/><c:schedule-inbox/></d:resourcetype>")),
            answer(response("/books/alice/friends/",
                            "<d:resourcetype><d:collection/><a:addressbook/></d:resourcetype>"
                            "<d:displayname>Friends</d:displayname>")),
        };
        QCOMPARE(alice.discover(QUrl(QStringLiteral("https://dav.example.com"))),
                 (QStringList{"Book Friends /books/alice/friends/",
                              "Calendar Home /dav/calendars/alice/home/"}));
        QCOMPARE(alice.network.sentLines(),
                 (QStringList{"PROPFIND /.well-known/caldav", "PROPFIND /dav/",
                              "PROPFIND /dav/principals/alice/", "PROPFIND /dav/calendars/alice/",
                              "PROPFIND /books/alice/"}));
        QCOMPARE(alice.network.sent[4].url().host(), QStringLiteral("contacts.example.com"));
        QCOMPARE(alice.network.sent[3].header("Depth"), QByteArray("1"));
    }
};

ALMANIS_TEST_MAIN(DavServerTest)
#include "tst_dav_server.moc"
