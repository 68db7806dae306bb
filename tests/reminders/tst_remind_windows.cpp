#include "EngineFixture.h"

#include "core/EventDate.h"
#include "reminders/RemindWindows.h"

#include <QApplication>

using namespace almanis;

using almanis::test::remindWindowsFrom;

class RemindWindowsTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void remindWindowsMatchTheExactDayOnly_data() {
        QTest::addColumn<QString>("on");
        QTest::addColumn<int>("daysLeft");
        QTest::addColumn<bool>("due");
        QTest::newRow("day of event, today") << "0" << 0 << true;
        QTest::newRow("day of event, tomorrow") << "0" << 1 << false;
        QTest::newRow("day of event off") << "3 7 14 30" << 0 << false;
        QTest::newRow("3 days") << "3" << 3 << true;
        QTest::newRow("3 days window, 2 left") << "3" << 2 << false;
        QTest::newRow("3 days off, 7 days on, 3 left") << "7" << 3 << false;
        QTest::newRow("7 days") << "7" << 7 << true;
        QTest::newRow("7 days window, 6 left") << "7" << 6 << false;
        QTest::newRow("7 days window, 5 left") << "7" << 5 << false;
        QTest::newRow("14 days") << "14" << 14 << true;
        QTest::newRow("14 days off") << "0 3 7 30" << 14 << false;
        QTest::newRow("30 days") << "30" << 30 << true;
        QTest::newRow("30 days window, 31 left") << "30" << 31 << false;
        QTest::newRow("all on, 29 left") << "0 3 7 14 30" << 29 << false;
        QTest::newRow("none on") << "" << 0 << false;
    }
    void remindWindowsMatchTheExactDayOnly() {
        QFETCH(QString, on);
        QFETCH(int, daysLeft);
        QFETCH(bool, due);
        QCOMPARE(remindWindowsFrom(on).isDue(daysLeft), due);
    }

    void allWindowsOnMakeAnEventDueOnFiveDaysAYear() {
        const RemindWindows all{true, true, true, true, true};
        int dueDays = 0;
        for (QDate today(2026, 1, 1); today.year() == 2026; today = today.addDays(1)) {
            dueDays += all.isDue(daysLeft(8, 20, today)) ? 1 : 0;
        }
        QCOMPARE(dueDays, 5);
    }
};

ALMANIS_TEST_MAIN(RemindWindowsTest)
#include "tst_remind_windows.moc"
