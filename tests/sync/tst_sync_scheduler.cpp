// When the program syncs: one timer, set at the start, after a change made
// here and every 15 minutes, never without an account, and with growing
// pauses while the server fails. The timer's handler is called by hand.
#include "StoreFixture.h"
#include "SyncFakes.h"

#include "sync/AccountBook.h"
#include "sync/SyncScheduler.h"

#include <QEventLoop>
#include <cmath>

using namespace almanis;
using namespace std::chrono_literals;

namespace {
struct Program {
    Program() {
        // The store is closed while the scheduler opens its own.
        store.db.close();
    }
    void addAccount() {
        Account account{QUrl(QStringLiteral("https://dav.example.com/cal/")),
                        CollectionKind::Calendar,
                        QString(),
                        QStringLiteral("alice"),
                        QString(),
                        {}};
        secrets.passwords.insert(account.passwordKey(), QStringLiteral("secret"));
        book.add({account});
    }
    // Runs the timer's work until the sync has ended; whether it failed.
    bool sync() {
        bool failed = false;
        QEventLoop loop;
        QObject::connect(&scheduler, &SyncScheduler::synced, &loop,
                         [&](const SyncReport&, bool failure) {
                             failed = failure;
                             loop.quit();
                         });
        scheduler.syncNow();
        loop.exec();
        return failed;
    }
    // The minutes until the timer goes off; -1 when it is not set.
    double minutesToNext() const {
        const auto next = scheduler.nextSync();
        return next
                   ? std::round(std::chrono::duration<double, std::ratio<60>>(*next).count() * 10) /
                         10
                   : -1;
    }

    test::StoreFixture store;
    AccountBook book{store.env.configFolder() + QStringLiteral("/accounts.json")};
    test::FakeSecretStore secrets;
    test::FakeTransport network;
    SyncScheduler scheduler{store.env.storePath(), book, secrets, network, store.env.clock};
};

const test::FakeAnswer kNothingNew = test::multiStatus(
    "<d:multistatus xmlns:d='DAV:'><d:sync-token>http://example.com/s/1</d:sync-token>"
    "</d:multistatus>");
const test::FakeAnswer kDown{503, {}, {}, {}, {}};
}  // namespace

class SyncSchedulerTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // Each failure doubles the pause before the next try, up to an hour; a
    // sync that works brings back the 15 minutes.
    void failuresPauseLongerEachTime_data() {
        QTest::addColumn<int>("failures");
        QTest::addColumn<double>("minutes");
        QTest::newRow("none") << 0 << 15.0;
        QTest::newRow("one") << 1 << 1.0;
        QTest::newRow("three") << 3 << 4.0;
        QTest::newRow("nine: at most an hour") << 9 << 60.0;
    }
    void failuresPauseLongerEachTime() {
        QFETCH(int, failures);
        QFETCH(double, minutes);
        Program program;
        program.addAccount();
        for (int i = 0; i < failures; ++i) {
            program.network.answers = {kDown};
            QVERIFY(program.sync());
        }
        program.network.answers = {kNothingNew};
        if (failures == 0) {
            QVERIFY(!program.sync());
        }
        QCOMPARE(program.minutesToNext(), minutes);
        QCOMPARE(program.scheduler.failuresInARow(), failures);
        if (failures > 0) {
            QVERIFY2(program.scheduler.statusText().contains(QLatin1String("503")),
                     qPrintable(program.scheduler.statusText()));
            QVERIFY(!program.sync());
            QCOMPARE(program.minutesToNext(), 15.0);
            QCOMPARE(program.scheduler.statusText(), QStringLiteral("Synced just now"));
        }
    }

    // The timer is set soon after the start and after a change made here,
    // not for a change the sync has nothing to send for, and never without
    // an account.
    void theTimerIsSetWhenThereIsSomethingToSync_data() {
        QTest::addColumn<bool>("account");
        QTest::addColumn<QString>("change");
        QTest::addColumn<double>("seconds");  // -1: not set
        QTest::newRow("no account") << false << "add" << -1.0;
        QTest::newRow("start") << true << "" << 5.0;
        QTest::newRow("an event added") << true << "add" << 5.0;
        QTest::newRow("nothing to send") << true << "none" << 900.0;
    }
    void theTimerIsSetWhenThereIsSomethingToSync() {
        QFETCH(bool, account);
        QFETCH(QString, change);
        QFETCH(double, seconds);
        Program program;
        if (account) {
            program.addAccount();
        }
        program.scheduler.start();
        if (!change.isEmpty()) {
            if (account) {
                program.network.answers = {kNothingNew};
                QVERIFY(!program.sync());
            }
            if (change == QLatin1String("add")) {
                Connection db;
                db.open(program.store.env.storePath());
                insertEvent(db, QStringLiteral("Ada's birthday"), 12, 10);
            }
            program.scheduler.storeChanged();
        }
        const auto next = program.scheduler.nextSync();
        QCOMPARE(next ? std::round(std::chrono::duration<double>(*next).count()) : -1.0, seconds);
    }
};

ALMANIS_TEST_MAIN(SyncSchedulerTest)
#include "tst_sync_scheduler.moc"
