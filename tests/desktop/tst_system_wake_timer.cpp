#include "Files.h"
#include "TestCase.h"
#include "TestEnvironment.h"

#include "desktop/SystemWakeTimer.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace almanis;

namespace {
// Lets the event loop look at the timer a few times, without waiting.
void turnTheEventLoop() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}
}  // namespace

// The real timer, with times that have passed or lie an hour ahead: nothing
// here waits for a time to come.
class SystemWakeTimerTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void aTimeThatHasPassedWakesAtOnce() {
        QTemporaryDir zone;
        SystemWakeTimer timer(zone.filePath(QStringLiteral("localtime")));
        QSignalSpy woke(&timer, &WakeTimer::woke);
        timer.wakeAt(QDateTime::currentDateTime().addSecs(-3600));
        QTRY_COMPARE(woke.count(), 1);
        turnTheEventLoop();
        QCOMPARE(woke.count(), 1);
    }

    void aLaterTimeOrACancelLeavesItAsleep_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("a later time set instead") << false;
        QTest::newRow("cancelled") << true;
    }
    void aLaterTimeOrACancelLeavesItAsleep() {
        QFETCH(bool, cancel);
        QTemporaryDir zone;
        SystemWakeTimer timer(zone.filePath(QStringLiteral("localtime")));
        QSignalSpy woke(&timer, &WakeTimer::woke);
        timer.wakeAt(QDateTime::currentDateTime().addSecs(-3600));
        if (cancel) {
            timer.cancel();
        } else {
            timer.wakeAt(QDateTime::currentDateTime().addSecs(3600));
        }
        turnTheEventLoop();
        QCOMPARE(woke.count(), 0);
    }

    void aNewTimeZoneWakesIt() {
        // The zone file is replaced, as setting a time zone does.
        QTemporaryDir zone;
        const QString zoneFile = zone.filePath(QStringLiteral("localtime"));
        test::writeFile(zoneFile, "Europe/Berlin");
        SystemWakeTimer timer(zoneFile);
        QSignalSpy woke(&timer, &WakeTimer::woke);
        timer.wakeAt(QDateTime::currentDateTime().addSecs(3600));
        test::writeFile(zoneFile + QStringLiteral(".new"), "Asia/Tokyo");
        QVERIFY(QFile::remove(zoneFile));
        QVERIFY(QFile::rename(zoneFile + QStringLiteral(".new"), zoneFile));
        QTRY_VERIFY(woke.count() >= 1);
    }
};

ALMANIS_TEST_MAIN(SystemWakeTimerTest)
#include "tst_system_wake_timer.moc"
