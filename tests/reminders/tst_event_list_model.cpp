#include "TestEnvironment.h"

#include "core/AppError.h"
#include "reminders/EventListModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>

using namespace almanis;

namespace {
using Row = EventListModel::Row;

Row unreadable(qint64 id, bool monthRead, bool dayRead) {
    Row row{EventRecord{id, QStringLiteral("Broken"), 0, 0}};
    row.monthRead = monthRead;
    row.dayRead = dayRead;
    if (dayRead) {
        row.event.day = 15;
    }
    if (monthRead) {
        row.event.month = 6;
    }
    return row;
}

QStringList texts(const EventListModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        cells << model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
    return cells;
}
}  // namespace

class EventListModelTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void textsAreComputedFromTheRecord_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("today") << QDate(2026, 6, 15) << 6 << 15
                               << QStringList{"7", "E", "June", "15", "Today", "6"};
        QTest::newRow("tomorrow") << QDate(2026, 6, 14) << 6 << 15
                                  << QStringList{"7", "E", "June", "15", "1", "6"};
        QTest::newRow("yesterday: next year's")
            << QDate(2026, 6, 16) << 6 << 15 << QStringList{"7", "E", "June", "15", "364", "6"};
        QTest::newRow("29 February in a common year: 1 March")
            << QDate(2027, 2, 28) << 2 << 29 << QStringList{"7", "E", "February", "29", "1", "2"};
        QTest::newRow("31 April carries into May, the month column stays April")
            << QDate(2026, 4, 30) << 4 << 31 << QStringList{"7", "E", "April", "31", "1", "4"};
        QTest::newRow("month 13 reads as January")
            << QDate(2026, 12, 31) << 13 << 1 << QStringList{"7", "E", "January", "1", "1", "13"};
        QTest::newRow("month 0 reads as December")
            << QDate(2026, 6, 15) << 0 << 10 << QStringList{"7", "E", "December", "10", "178", "0"};
        QTest::newRow("a month out of the calendar shows no name and no days")
            << QDate(2026, 6, 15) << 200000 << 1 << QStringList{"7", "E", "", "1", "", "200000"};
    }
    void textsAreComputedFromTheRecord() {
        QFETCH(QDate, today);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QStringList, shown);
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(today);
        model.setRows({Row{EventRecord{7, QStringLiteral("E"), month, day}}});
        QCOMPARE(texts(model, 0), shown);
    }

    void unreadableFieldsShowEmpty() {
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(QDate(2026, 6, 15));
        model.setRows({unreadable(1, false, true), unreadable(2, true, false)});
        QCOMPARE(texts(model, 0), (QStringList{"1", "Broken", "", "15", "", ""}));
        QCOMPARE(texts(model, 1), (QStringList{"2", "Broken", "June", "", "", "6"}));
    }

    void aNewDayChangesTheDaysLeftWithoutARefill() {
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(QDate(2026, 12, 31));
        model.setRows({Row{EventRecord{1, QStringLiteral("New Year"), 1, 1}},
                       Row{EventRecord{2, QStringLiteral("Old Year"), 12, 31}}});
        QCOMPARE(model.text(0, EventListModel::DaysLeftColumn), QStringLiteral("1"));
        QCOMPARE(model.text(1, EventListModel::DaysLeftColumn), QStringLiteral("Today"));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setToday(QDate(2027, 1, 1));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(model.text(0, EventListModel::DaysLeftColumn), QStringLiteral("Today"));
        QCOMPARE(model.text(1, EventListModel::DaysLeftColumn), QStringLiteral("364"));
        model.setToday(QDate(2027, 1, 1));
        QCOMPARE(changed.size(), 1);  // the same day again changes nothing
    }

    void headersFlagsAndBounds() {
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 6);
        QStringList headers;
        for (int column = 0; column < model.columnCount(); ++column) {
            headers << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        QCOMPARE(headers,
                 (QStringList{"id", "Description", "Month", "Day", "Day(s) Left", "MonthNo"}));
        model.setRows({Row{EventRecord{1, QStringLiteral("A"), 1, 1}}});
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsSelectable);
        QVERIFY_THROWS_EXCEPTION(AppError, model.row(1));
        QVERIFY_THROWS_EXCEPTION(AppError, model.row(-1));
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }
};

ALMANIS_TEST_MAIN(EventListModelTest)
#include "tst_event_list_model.moc"
