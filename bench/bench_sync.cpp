// The sync with a calendar against a real Radicale on the loopback address:
// the first sync of a store of 1,000 events (each uploaded), and a sync with
// nothing new (one question), with the requests each sends.
#include "BenchUtil.h"
#include "RadicaleServer.h"

#include "store/Connection.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"
#include "sync/CalendarSync.h"
#include "sync/DavClient.h"
#include "sync/HttpTransport.h"
#include "sync/Waiting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace almanis;

namespace {
constexpr int kEvents = 1000;
const QString kUser = QStringLiteral("bench");
const QString kPassword = QStringLiteral("bench-password");

struct Timed {
    double ms = 0;
    int requests = 0;
    QString error;
};

Timed syncOnce(Connection& db, const QUrl& calendar) {
    NetworkTransport network;
    DavClient client(network);
    client.setCredentials(kUser, kPassword);
    CalendarSync sync(db, client, calendar, QDate(2026, 6, 15),
                      QDateTime(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC));
    QElapsedTimer timer;
    timer.start();
    sync.start();
    waitUntilFinished(sync);
    return {double(timer.nsecsElapsed()) / 1e6, client.requestsSent(), sync.error()};
}
}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    bench::useHome(home.path());
    QCoreApplication app(argc, argv);
    test::RadicaleServer server;
    server.addUser(kUser, kPassword);
    if (!server.start()) {
        std::fprintf(stderr, "Radicale did not start: %s\n", qPrintable(server.errorText()));
        return 1;
    }
    if (server.makeCalendar(kUser, kPassword, QStringLiteral("events")) != 201) {
        std::fprintf(stderr, "the calendar could not be made\n");
        return 1;
    }
    const QUrl calendar = server.collectionUrl(kUser, QStringLiteral("events"));

    Connection db;
    db.openNew(home.path() + QStringLiteral("/store.mdb"));
    db.execute(QStringLiteral(
        "create table tblEvent (id integer primary key autoincrement, Description text,"
        " EventMonth integer, EventDay integer)"));
    upgradeStore(db, UpgradeCopy::NewStore);
    {
        Transaction fill(db);
        for (int n = 0; n < kEvents; ++n) {
            EventRecord event(0, QStringLiteral("Event %1").arg(n), n % 12 + 1, n % 28 + 1);
            event.year = 1900 + n % 120;
            event.note = QStringLiteral("Note %1").arg(n);
            insertEvent(db, event);
        }
        fill.commit();
    }

    const Timed first = syncOnce(db, calendar);
    const Timed again = syncOnce(db, calendar);
    std::vector<double> quiet;
    int quietRequests = 0;
    for (int i = 0; i < 5; ++i) {
        const Timed run = syncOnce(db, calendar);
        quiet.push_back(run.ms);
        quietRequests = run.requests;
    }
    if (!first.error.isEmpty() || !again.error.isEmpty()) {
        std::fprintf(stderr, "the sync failed: %s%s\n", qPrintable(first.error),
                     qPrintable(again.error));
        return 1;
    }
    std::printf("first sync of %d events: %10.1f ms, %d requests\n", kEvents, first.ms,
                first.requests);
    std::printf("sync with nothing new (median of 5): %10.1f ms, %d requests\n",
                bench::median(quiet), quietRequests);
    return 0;
}
