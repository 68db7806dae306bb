#include "Files.h"
#include "TestEnvironment.h"

#include "sync/DavNames.h"
#include "sync/MultiStatus.h"

using namespace almanis;

namespace {
const QUrl kBase(QStringLiteral("https://dav.example.com/cal/alice/"));

// Prefixes as servers choose them, a default namespace, an href of another
// host, a percent-encoded one, and a property refused beside those given.
// The answer is in multistatus-answer.xml.
QByteArray answer() {
    return test::readFile(QFINDTESTDATA("multistatus-answer.xml"));
}
}  // namespace

class MultiStatusTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void aServersAnswerIsReadWhole() {
        QString error;
        const std::optional<MultiStatus> read = parseMultiStatus(answer(), kBase, error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->syncToken, QStringLiteral("http://example.com/sync/7"));
        QCOMPARE(read->responses.size(), size_t(4));

        const DavResponse& calendar = read->responses[0];
        QCOMPARE(calendar.url, kBase);
        QVERIFY(calendar.isA(dav::kCalendar));
        QVERIFY(!calendar.isA(dav::kAddressBook));
        QCOMPARE(calendar.text(dav::kDisplayName), QStringLiteral("Ada & Co"));
        QCOMPARE(calendar.properties.value(QString(dav::kSupportedCalendarComponentSet)).names,
                 (QStringList{"VEVENT", "VTODO"}));
        QCOMPARE(calendar.missing, QStringList{QString(dav::kGetCtag)});
        QVERIFY(!calendar.has(dav::kGetCtag));

        const DavResponse& event = read->responses[1];
        QCOMPARE(event.url.toString(QUrl::FullyEncoded),
                 QStringLiteral("https://dav.example.com/cal/alice/e%40vent%201.ics"));
        QCOMPARE(event.status, 0);
        QCOMPARE(event.etag(), QByteArray("\"abc\""));
        QCOMPARE(event.text(dav::kCalendarData),
                 QStringLiteral("BEGIN:VCALENDAR\nEND:VCALENDAR\n"));

        const DavResponse& gone = read->responses[2];
        QCOMPARE(gone.url, QUrl(QStringLiteral("https://other.example.com/gone.ics")));
        QCOMPARE(gone.status, 404);
        QVERIFY(gone.properties.isEmpty());

        const DavResponse& principal = read->responses[3];
        QCOMPARE(principal.href(dav::kCurrentUserPrincipal),
                 QUrl(QStringLiteral("https://dav.example.com/principals/alice/")));
        QCOMPARE(principal.properties.value(QString(dav::kCalendarHomeSet)).hrefs,
                 (QList<QUrl>{kBase, QUrl(QStringLiteral("https://b.example.com/c/"))}));
    }

    void whatIsNoMultistatusIsRefusedWithItsReason_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "Premature end of document";
        QTest::newRow("cut off") << QByteArray("<multistatus xmlns='DAV:'><response><href>/a")
                                 << "(line 1)";
        QTest::newRow("not closed as opened")
            << QByteArray("<multistatus xmlns='DAV:'>\n<response></href></multistatus>")
            << "(line 2)";
        QTest::newRow("a web page") << QByteArray("<html><body>Log in</body></html>")
                                    << "it holds a <html> where a <multistatus> belongs";
        QTest::newRow("multistatus of another namespace")
            << QByteArray("<multistatus xmlns='urn:other'/>")
            << "it holds a <multistatus> where a <multistatus> belongs";
        QTest::newRow("garbage after the root")
            << QByteArray("<multistatus xmlns='DAV:'/><another/>") << "(line 1)";
        QTest::newRow("an entity bomb")
            << QByteArray(
                   "<!DOCTYPE m [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;"
                   "&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY "
                   "d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;"
                   "&d;&d;&d;\">]><multistatus xmlns='DAV:'><response><href>&e;</href>"
                   "</response></multistatus>")
            << "(line 1)";
    }
    void whatIsNoMultistatusIsRefusedWithItsReason() {
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!parseMultiStatus(body, kBase, error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void errorBodiesNameTheirConditions_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("conditions");
        QTest::newRow("sync token")
            << QByteArray("<?xml version='1.0'?><error xmlns=\"DAV:\"><valid-sync-token /></error>")
            << QStringList{QString(dav::kValidSyncToken)};
        QTest::newRow("two, prefixed")
            << QByteArray(
                   "<D:error xmlns:D='DAV:' xmlns:C='urn:ietf:params:xml:ns:caldav'>"
                   "<C:no-uid-conflict><D:href>/a.ics</D:href></C:no-uid-conflict>"
                   "<D:number-of-matches-within-limits/></D:error>")
            << QStringList{"{urn:ietf:params:xml:ns:caldav}no-uid-conflict",
                           "{DAV:}number-of-matches-within-limits"};
        QTest::newRow("a text") << QByteArray("Forbidden") << QStringList{};
        QTest::newRow("cut off") << QByteArray("<error xmlns='DAV:'><valid-sync-token/>")
                                 << QStringList{};
    }
    void errorBodiesNameTheirConditions() {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, conditions);
        QCOMPARE(parseErrorConditions(body), conditions);
    }
};

ALMANIS_TEST_MAIN(MultiStatusTest)
#include "tst_multistatus.moc"
