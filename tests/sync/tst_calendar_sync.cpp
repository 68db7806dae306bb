// The two-way sync of the events with a calendar: two homes on one calendar
// of a real Radicale on the loopback address, and a scripted server for what
// Radicale will not do on demand.
#include "RadicaleServer.h"
#include "StoreFixture.h"
#include "SyncFakes.h"

#include "store/SyncState.h"
#include "sync/AccountBook.h"
#include "sync/CalendarSync.h"
#include "sync/DavClient.h"
#include "sync/SyncRun.h"
#include "sync/Waiting.h"

using namespace almanis;

Q_DECLARE_METATYPE(almanis::test::FakeAnswer)

namespace {
const QString kUser = QStringLiteral("alice");
const QString kPassword = QStringLiteral("test-password-alice");
const QDateTime kStamp(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);

// One machine: its own store and its own client.
struct Home {
    Home() { client.setCredentials(kUser, kPassword); }

    // One sync; its report, or a failure of the test with the sync's error.
    SyncReport sync(const QUrl& calendar) {
        CalendarSync sync(store.db, client, calendar, QDate(2026, 6, 15), kStamp);
        sync.start();
        waitUntilFinished(sync);
        error = sync.error();
        return sync.report();
    }

    // One sync over every account of the home's book, as almanis-cli runs it.
    SyncReport syncAll() {
        SyncRun run(store.db, book, secrets, network, store.env.clock);
        run.start();
        waitUntilFinished(run);
        error = run.errors().join(QLatin1Char('\n'));
        return run.report();
    }
    void addAccount(const QUrl& url, CollectionKind kind) {
        Account account{url, kind, QString(), kUser, QString(), {}};
        secrets.passwords.insert(account.passwordKey(), kPassword);
        book.add({account});
    }

    qint64 add(const QString& description, int month, int day, std::optional<int> year = {},
               const QString& note = {}) {
        EventRecord event(0, description, month, day);
        event.year = year;
        event.note = note;
        return insertEvent(store.db, event);
    }
    qint64 idOf(const QString& description) const {
        for (const EventRecord& event : readStoredEvents(store.db).events) {
            if (event.description == description) {
                return event.id;
            }
        }
        return 0;
    }
    void changeNote(const QString& description, const QString& note) {
        EventRecord event = *readEvent(store.db, idOf(description));
        event.note = note;
        updateEvent(store.db, event);
    }
    // Every event as "description month/day year note uid", sorted.
    QStringList events(bool withUid = true) const {
        QStringList lines;
        for (const EventRecord& event : readStoredEvents(store.db).events) {
            lines << QStringLiteral("%1 %2/%3 %4 %5%6")
                         .arg(event.description)
                         .arg(event.month)
                         .arg(event.day)
                         .arg(event.year ? QString::number(*event.year) : QStringLiteral("-"))
                         .arg(event.note)
                         .arg(withUid ? QLatin1Char(' ') + event.uid : QString());
        }
        lines.sort();
        return lines;
    }

    test::StoreFixture store;
    AccountBook book{store.env.configFolder() + QStringLiteral("/accounts.json")};
    test::FakeSecretStore secrets;
    test::FakeTransport network;
    DavClient client{network};
    QString error;
};

QString reportText(const SyncReport& report) {
    return report.lines().join(QLatin1Char(' '));
}

QByteArray oneOffEntry() {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\n"
           "UID:dentist\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260310T090000Z\r\n"
           "DTEND:20260310T100000Z\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

QByteArray multiStatusOf(const QByteArray& responses, const QByteArray& token = {}) {
    return "<d:multistatus xmlns:d='DAV:' xmlns:c='urn:ietf:params:xml:ns:caldav'>" + responses +
           (token.isEmpty() ? QByteArray() : "<d:sync-token>" + token + "</d:sync-token>") +
           "</d:multistatus>";
}

QByteArray responseOf(const QByteArray& href, const QByteArray& properties) {
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + properties +
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}
}  // namespace

class CalendarSyncTest : public test::TestCase {
    Q_OBJECT
  private:
    test::RadicaleServer server_;
    int calendars_ = 0;

    QUrl newBook() {
        const QString name = QStringLiteral("book%1").arg(++calendars_);
        if (server_.makeAddressBook(kUser, kPassword, name) != 201) {
            return {};
        }
        return server_.collectionUrl(kUser, name);
    }
    int putCard(const QUrl& url, const QByteArray& dates) {
        return server_
            .request(
                "PUT", url, kUser, kPassword,
                "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:ada\r\nFN:Ada\r\n" + dates + "END:VCARD\r\n",
                {{"Content-Type", kVCardContentType}})
            .first;
    }

    QUrl newCalendar() {
        const QString name = QStringLiteral("cal%1").arg(++calendars_);
        if (server_.makeCalendar(kUser, kPassword, name) != 201) {
            return {};
        }
        return server_.collectionUrl(kUser, name);
    }

  private slots:
    void initTestCase() {
        server_.addUser(kUser, kPassword);
        QVERIFY2(server_.start(), qPrintable(server_.errorText()));
    }

    // Two machines on one calendar, each with its own store: what one does
    // reaches the other with its year and note, nothing is lost when both
    // change an event, and a sync with nothing new is cheap.
    void twoHomesKeepTheSameEvents_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("events");   // both homes' in the end, without UIDs
        QTest::addColumn<QString>("reportThere");  // of the home that took the change last

        const QString ada = QStringLiteral("Ada's birthday 12/10 1815 gift: a slide rule");
        const QString year = QStringLiteral("New Year 1/1 - ");
        QTest::newRow("added here")
            << "add" << QStringList{ada, "Grace's birthday 12/9 1906 compilers", year}
            << "1 added, 0 changed, 0 removed here; 0 uploaded";
        QTest::newRow("changed here")
            << "change" << QStringList{"Ada's birthday 12/10 1815 gift: a loom card", year}
            << "0 added, 1 changed, 0 removed here; 0 uploaded";
        QTest::newRow("deleted here")
            << "delete" << QStringList{year} << "0 added, 0 changed, 1 removed here; 0 uploaded";
        QTest::newRow("changed on both")
            << "conflict"
            << QStringList{"Ada's birthday 12/10 1815 from A", "Ada's birthday 12/10 1815 from B",
                           year}
            << "0 added, 1 changed, 0 removed here; 1 uploaded \"Ada's birthday\" was changed "
               "here and on the server: both versions are kept.";
        QTest::newRow("deleted here, changed there")
            << "delete here, change there" << QStringList{"Ada's birthday 12/10 1815 from B", year}
            << "1 added, 0 changed, 0 removed here; 0 uploaded";
        QTest::newRow("changed here, deleted there")
            << "change here, delete there" << QStringList{"Ada's birthday 12/10 1815 from A", year}
            << "1 added, 0 changed, 0 removed here; 0 uploaded";
    }
    void twoHomesKeepTheSameEvents() {
        QFETCH(QString, action);
        QFETCH(QStringList, events);
        QFETCH(QString, reportThere);
        const QUrl calendar = newCalendar();
        QVERIFY(calendar.isValid());
        const QUrl foreign = calendar.resolved(QUrl(QStringLiteral("dentist.ics")));
        QCOMPARE(server_
                     .request("PUT", foreign, kUser, kPassword, oneOffEntry(),
                              {{"Content-Type", kCalendarContentType}})
                     .first,
                 201);

        Home a;
        Home b;
        a.add(QStringLiteral("Ada's birthday"), 12, 10, 1815, QStringLiteral("gift: a slide rule"));
        a.add(QStringLiteral("New Year"), 1, 1);
        // The same holiday on both machines before their first sync is kept once.
        b.add(QStringLiteral("New Year"), 1, 1);
        QCOMPARE(reportText(a.sync(calendar)), "0 added, 0 changed, 0 removed here; 2 uploaded");
        QCOMPARE(a.error, QString());
        QCOMPARE(reportText(b.sync(calendar)), "1 added, 0 changed, 0 removed here; 0 uploaded");
        QCOMPARE(b.events(), a.events());

        SyncReport last;
        if (action == QLatin1String("add")) {
            a.add(QStringLiteral("Grace's birthday"), 12, 9, 1906, QStringLiteral("compilers"));
            a.sync(calendar);
            last = b.sync(calendar);
        } else if (action == QLatin1String("change")) {
            a.changeNote(QStringLiteral("Ada's birthday"), QStringLiteral("gift: a loom card"));
            a.sync(calendar);
            last = b.sync(calendar);
        } else if (action == QLatin1String("delete")) {
            deleteEvent(a.store.db, a.idOf(QStringLiteral("Ada's birthday")));
            a.sync(calendar);
            last = b.sync(calendar);
        } else if (action == QLatin1String("conflict")) {
            a.changeNote(QStringLiteral("Ada's birthday"), QStringLiteral("from A"));
            b.changeNote(QStringLiteral("Ada's birthday"), QStringLiteral("from B"));
            a.sync(calendar);
            last = b.sync(calendar);
            a.sync(calendar);
        } else if (action == QLatin1String("delete here, change there")) {
            deleteEvent(a.store.db, a.idOf(QStringLiteral("Ada's birthday")));
            b.changeNote(QStringLiteral("Ada's birthday"), QStringLiteral("from B"));
            b.sync(calendar);
            last = a.sync(calendar);
            b.sync(calendar);
        } else if (action == QLatin1String("change here, delete there")) {
            a.changeNote(QStringLiteral("Ada's birthday"), QStringLiteral("from A"));
            deleteEvent(b.store.db, b.idOf(QStringLiteral("Ada's birthday")));
            b.sync(calendar);
            a.sync(calendar);
            last = b.sync(calendar);
        }
        QCOMPARE(a.error, QString());
        QCOMPARE(b.error, QString());
        QCOMPARE(reportText(last), reportThere);
        QCOMPARE(a.events(false), events);
        QCOMPARE(b.events(), a.events());

        // Nothing new: one question each, nothing changed.
        for (Home* home : {&a, &b}) {
            const int before = home->client.requestsSent();
            QCOMPARE(reportText(home->sync(calendar)),
                     "0 added, 0 changed, 0 removed here; 0 uploaded");
            QVERIFY(home->client.requestsSent() - before <= 4);
        }
        // The entry that is no yearly event stays on the server, and no home took it.
        QCOMPARE(server_.request("GET", foreign, kUser, kPassword).first, 200);
        QVERIFY(!a.events().join(QLatin1Char('\n')).contains(QLatin1String("Dentist")));
    }

    // A contact's birthday and anniversary are events of every home, with
    // their years, follow the contact, and never go into the calendar.
    void contactsDatesAreEventsOfEveryHome_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("events");  // the second home's in the end
        QTest::addColumn<QString>("report");      // its last sync's

        QTest::newRow("read") << ""
                              << QStringList{"Ada's anniversary 7/8 1835 ",
                                             "Ada's birthday 12/10 1815 "}
                              << "0 added, 0 changed, 0 removed here; 0 uploaded";
        QTest::newRow("contact changed") << "change" << QStringList{"Ada's birthday 12/11 1815 "}
                                         << "0 added, 1 changed, 1 removed here; 0 uploaded";
        QTest::newRow("contact deleted")
            << "delete" << QStringList{} << "0 added, 0 changed, 2 removed here; 0 uploaded";
        QTest::newRow("account removed") << "remove account" << QStringList{}
                                         << "0 added, 0 changed, 2 removed here; 0 uploaded";
    }
    void contactsDatesAreEventsOfEveryHome() {
        QFETCH(QString, action);
        QFETCH(QStringList, events);
        QFETCH(QString, report);
        const QUrl calendar = newCalendar();
        const QUrl book = newBook();
        const QUrl card = book.resolved(QUrl(QStringLiteral("ada.vcf")));
        QCOMPARE(putCard(card, "BDAY:18151210\r\nANNIVERSARY:18350708\r\n"), 201);
        Home a;
        Home b;
        for (Home* home : {&a, &b}) {
            home->addAccount(calendar, CollectionKind::Calendar);
            home->addAccount(book, CollectionKind::AddressBook);
            QCOMPARE(reportText(home->syncAll()), "2 added, 0 changed, 0 removed here; 0 uploaded");
            QCOMPARE(home->error, QString());
            QCOMPARE(home->book.read().front().status.lastSynced, home->store.env.clock.now());
        }
        if (action == QLatin1String("change")) {
            QCOMPARE(putCard(card, "BDAY:18151211\r\n") / 100, 2);
        } else if (action == QLatin1String("delete")) {
            QCOMPARE(server_.request("DELETE", card, kUser, kPassword).first, 200);
        } else if (action == QLatin1String("remove account")) {
            QVERIFY(b.book.remove(book));
        }
        QCOMPARE(reportText(b.syncAll()), report);
        QCOMPARE(b.error, QString());
        QCOMPARE(b.events(false), events);
        // Nothing of them went into the calendar.
        const auto [status, listing] =
            server_.request("PROPFIND", calendar, kUser, kPassword, {}, {{"Depth", "1"}});
        QCOMPARE(status, 207);
        QVERIFY(!listing.contains(".ics"));
    }

    // What a server answers that Radicale does not: each failure stops the
    // sync with its reason and loses nothing; a refused upload waits for the
    // next sync; a server without sync tokens is listed with its ETags.
    void serverFailuresLoseNothing_data() {
        QTest::addColumn<QList<test::FakeAnswer>>("answers");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("resourcesKept");

        const test::FakeAnswer noChanges =
            test::multiStatus(multiStatusOf({}, "http://example.com/sync/1"));
        const test::FakeAnswer created{201, {}, {{"ETag", "\"e1\""}}, {}, {}};
        test::FakeAnswer silent;
        silent.error = QNetworkReply::OperationCanceledError;
        silent.errorText = QStringLiteral("Operation canceled");

        QTest::newRow("upload refused: changed meanwhile")
            << QList<test::FakeAnswer>{noChanges, {412, {}, {}, {}, {}}, created}
            << QStringList{"REPORT /cal/", "PUT /cal/UID.ics", "PUT /cal/UID2.ics"} << QString()
            << "0 added, 0 changed, 0 removed here; 1 uploaded 1 change(s) made here wait for "
               "the next sync: the server's copy was changed meanwhile."
            << 1;
        QTest::newRow("server fault")
            << QList<test::FakeAnswer>{{503, {}, {}, {}, {}}} << QStringList{"REPORT /cal/"}
            << "the server failed to answer (503 Service Unavailable)" << QString() << 0;
        QTest::newRow("no answer in time")
            << QList<test::FakeAnswer>{silent} << QStringList{"REPORT /cal/"}
            << "did not answer within" << QString() << 0;
        QTest::newRow("malformed answer")
            << QList<test::FakeAnswer>{test::multiStatus("<d:multistatus xmlns:d='DAV:'><d:resp")}
            << QStringList{"REPORT /cal/"} << "the server's answer could not be read" << QString()
            << 0;
        QTest::newRow("a fault after the first upload keeps what went up")
            << QList<test::FakeAnswer>{noChanges, created, {500, {}, {}, {}, {}}}
            << QStringList{"REPORT /cal/", "PUT /cal/UID.ics", "PUT /cal/UID2.ics"}
            << "the server failed to answer (500 Internal Server Error)" << QString() << 1;
        QTest::newRow("no sync tokens: listed with ETags, fetched one by one")
            << QList<test::FakeAnswer>{{403, {}, {}, {}, {}},
                                       test::multiStatus(multiStatusOf(
                                           responseOf(
                                               "/cal/",
                                               "<d:resourcetype><d:collection/></d:resourcetype>") +
                                           responseOf("/cal/x.ics",
                                                      "<d:getetag>\"x1\"</d:getetag>"))),
                                       {405, {}, {}, {}, {}},
                                       {200,
                                        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//T//"
                                        "EN\r\nBEGIN:VEVENT\r\n"
                                        "UID:x\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:"
                                        "20000704\r\n"
                                        "RRULE:FREQ=YEARLY\r\nSUMMARY:Independence "
                                        "Day\r\nEND:VEVENT\r\n"
                                        "END:VCALENDAR\r\n",
                                        {{"ETag", "\"x1\""}},
                                        {},
                                        {}},
                                       created,
                                       created}
            << QStringList{"REPORT /cal/",   "PROPFIND /cal/",   "REPORT /cal/",
                           "GET /cal/x.ics", "PUT /cal/UID.ics", "PUT /cal/UID2.ics"}
            << QString() << "1 added, 0 changed, 0 removed here; 2 uploaded" << 3;
    }
    void serverFailuresLoseNothing() {
        QFETCH(QList<test::FakeAnswer>, answers);
        QFETCH(QStringList, sent);
        QFETCH(QString, error);
        QFETCH(QString, report);
        QFETCH(int, resourcesKept);
        Home home;
        home.add(QStringLiteral("Ada's birthday"), 12, 10, 1815, QStringLiteral("a note"));
        home.add(QStringLiteral("Grace's birthday"), 12, 9);
        const QStringList before = home.events();
        home.network.answers.assign(answers.cbegin(), answers.cend());
        const SyncReport done = home.sync(QUrl(QStringLiteral("https://dav.example.com/cal/")));

        QStringList expected = sent;
        // Uploaded in calendar order: Grace's first.
        expected.replaceInStrings(
            QStringLiteral("UID2"),
            readEvent(home.store.db, home.idOf(QStringLiteral("Ada's birthday")))->uid);
        expected.replaceInStrings(
            QStringLiteral("UID"),
            readEvent(home.store.db, home.idOf(QStringLiteral("Grace's birthday")))->uid);
        QCOMPARE(home.network.sentLines(), expected);
        QVERIFY2(error.isEmpty() ? home.error.isEmpty() : home.error.contains(error),
                 qPrintable(home.error));
        if (!report.isEmpty()) {
            QCOMPARE(reportText(done), report);
        }
        for (const QString& event : before) {
            QVERIFY(home.events().contains(event));
        }
        QCOMPARE(readSyncResources(home.store.db).size(), resourcesKept);
    }
};

ALMANIS_TEST_MAIN(CalendarSyncTest)
#include "tst_calendar_sync.moc"
