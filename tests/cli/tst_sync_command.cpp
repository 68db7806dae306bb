// almanis-cli sync against a real CalDAV server on the loopback address: one
// sync over every account, what changed told in one line, a failure told
// with status 1 and nothing lost.
#include "Files.h"
#include "RadicaleServer.h"
#include "TestEnvironment.h"

#include "cli/CommandLineTool.h"
#include "store/Connection.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"
#include "sync/AccountBook.h"

#include <QTextStream>

using namespace almanis;

namespace {
const QString kUser = QStringLiteral("alice");
const QString kPassword = QStringLiteral("test-password-alice");
}  // namespace

class SyncCommandTest : public test::TestCase {
    Q_OBJECT
  private:
    test::RadicaleServer server_;

  private slots:
    void initTestCase() {
        server_.addUser(kUser, kPassword);
        QVERIFY2(server_.start(), qPrintable(server_.errorText()));
        QCOMPARE(server_.makeCalendar(kUser, kPassword, QStringLiteral("cal")), 201);
        const QByteArray entry =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//T//EN\r\nBEGIN:VEVENT\r\nUID:ny\r\n"
            "DTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20000101\r\nRRULE:FREQ=YEARLY\r\n"
            "SUMMARY:New Year\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        QCOMPARE(server_
                     .request("PUT",
                              server_.collectionUrl(kUser, QStringLiteral("cal"))
                                  .resolved(QUrl(QStringLiteral("ny.ics"))),
                              kUser, kPassword, entry, {{"Content-Type", "text/calendar"}})
                     .first,
                 201);
    }

    void syncTellsWhatChanged_data() {
        QTest::addColumn<QString>("calendar");  // "server", "down" or none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("synced") << "server" << 0
                                << "1 added, 0 changed, 0 removed here; 1 uploaded\n"
                                << "";
        QTest::newRow("server down")
            << "down" << 1 << "0 added, 0 changed, 0 removed here; 0 uploaded\n"
            << "almanis-cli: Calendar at http://127.0.0.1:1/alice/cal/: the server 127.0.0.1 "
               "refused the connection\n";
        QTest::newRow("no account")
            << "" << 1 << ""
            << "almanis-cli: there is no account to sync with; add one with 'almanis-cli "
               "account add URL --user NAME'\n";
    }
    void syncTellsWhatChanged() {
        QFETCH(QString, calendar);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        test::TestEnvironment env;
        {
            Connection db;
            openWorkingStore(db, env.createStore());
            EventRecord ada(0, QStringLiteral("Ada's birthday"), 12, 10);
            ada.year = 1815;
            insertEvent(db, ada);
        }
        if (!calendar.isEmpty()) {
            QUrl url = server_.collectionUrl(kUser, QStringLiteral("cal"));
            if (calendar == QLatin1String("down")) {
                // A port of this computer where nothing listens.
                url.setPort(1);
            }
            Account account{url, CollectionKind::Calendar, QString(), kUser, QString(), {}};
            env.secrets.passwords.insert(account.passwordKey(), kPassword);
            AccountBook().add({account});
        }
        QString printed;
        QString errors;
        QTextStream outStream(&printed);
        QTextStream errStream(&errors);
        CommandLineTool tool(env.clock, env.programFolder(), outStream, errStream,
                             env.accountServices());
        QCOMPARE(tool.run({QStringLiteral("almanis-cli"), QStringLiteral("sync")}), status);
        outStream.flush();
        errStream.flush();
        QCOMPARE(printed, out);
        QCOMPARE(errors, err);

        Connection db;
        db.open(env.storePath());
        QList<QString> events;
        for (const EventRecord& event : readStoredEvents(db).events) {
            events << event.description;
        }
        QVERIFY(events.contains(QStringLiteral("Ada's birthday")));
        QCOMPARE(events.contains(QStringLiteral("New Year")), status == 0);
        QCOMPARE(test::filesContaining(env.homeFolder(), kPassword.toUtf8()), QStringList());
    }
};

ALMANIS_TEST_MAIN(SyncCommandTest)
#include "tst_sync_command.moc"
