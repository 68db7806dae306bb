#include "EngineFixture.h"

#include "core/EventDate.h"
#include "core/RemindWindows.h"

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

    // The form the store, the command line and files write the days in.
    void remindDaysAsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");  // toText() of what was read; "-" for refused
        QTest::newRow("all") << "0,3,7,14,30"
                             << "0,3,7,14,30";
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("blanks only") << "  "
                                     << "";
        QTest::newRow("out of order, with blanks") << " 30, 0 ,7"
                                                   << "0,7,30";
        QTest::newRow("a day that is not a window") << "0,5"
                                                    << "-";
        QTest::newRow("twice the same day") << "7,7"
                                            << "-";
        QTest::newRow("not a number") << "seven"
                                      << "-";
        QTest::newRow("an empty part") << "0,,7"
                                       << "-";
        QTest::newRow("negative") << "-3"
                                  << "-";
    }
    void remindDaysAsText() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<RemindWindows> windows = RemindWindows::fromText(text);
        QCOMPARE(windows ? windows->toText() : QStringLiteral("-"), read);
        if (windows) {
            QCOMPARE(RemindWindows::fromMask(windows->mask()), *windows);
            QCOMPARE(RemindWindows::fromDays(windows->days()), windows);
        }
    }
};

ALMANIS_TEST_MAIN(RemindWindowsTest)
#include "tst_remind_windows.moc"
