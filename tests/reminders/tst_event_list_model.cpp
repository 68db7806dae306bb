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

// Rows written "id description month day", one event a word group.
QList<Row> rowsFrom(const QStringList& texts) {
    QList<Row> rows;
    for (const QString& text : texts) {
        const QStringList parts = text.split(QLatin1Char(' '));
        rows.append(
            {EventRecord{parts[0].toLongLong(), parts[1], parts[2].toInt(), parts[3].toInt()}});
    }
    return rows;
}

QStringList idsOf(const EventListModel& model) {
    QStringList ids;
    for (int row = 0; row < model.rowCount(); ++row) {
        ids << model.text(row, EventListModel::IdColumn);
    }
    return ids;
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
        QTest::addColumn<int>("year");  // 0: none
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, QDate today, int month, int day, int year,
                            const QStringList& shown) {
            QTest::newRow(name) << today << month << day << year << shown;
        };
        row("today", {2026, 6, 15}, 6, 15, 0, {"7", "E", "June", "15", "Today", "6", ""});
        row("tomorrow", {2026, 6, 14}, 6, 15, 0, {"7", "E", "June", "15", "1", "6", ""});
        row("yesterday: next year's", {2026, 6, 16}, 6, 15, 0,
            {"7", "E", "June", "15", "364", "6", ""});
        row("29 February in a common year: 1 March", {2027, 2, 28}, 2, 29, 0,
            {"7", "E", "February", "29", "1", "2", ""});
        row("31 April carries into May, the month column stays April", {2026, 4, 30}, 4, 31, 0,
            {"7", "E", "April", "31", "1", "4", ""});
        row("month 13 reads as January", {2026, 12, 31}, 13, 1, 0,
            {"7", "E", "January", "1", "1", "13", ""});
        row("month 0 reads as December", {2026, 6, 15}, 0, 10, 0,
            {"7", "E", "December", "10", "178", "0", ""});
        row("a month out of the calendar shows no name and no days", {2026, 6, 15}, 200000, 1, 0,
            {"7", "E", "", "1", "", "200000", ""});
        // The years the next occurrence completes.
        row("years: the day itself", {2026, 12, 10}, 12, 10, 1815,
            {"7", "E", "December", "10", "Today", "12", "211"});
        row("years: still ahead this year", {2026, 12, 9}, 12, 10, 1815,
            {"7", "E", "December", "10", "1", "12", "211"});
        row("years: passed, so next year's", {2026, 12, 11}, 12, 10, 1815,
            {"7", "E", "December", "10", "364", "12", "212"});
        row("years: next year's across the year end", {2026, 12, 31}, 1, 1, 2000,
            {"7", "E", "January", "1", "1", "1", "27"});
        row("years: 29 February on 1 March of a common year", {2027, 2, 28}, 2, 29, 2004,
            {"7", "E", "February", "29", "1", "2", "23"});
        row("years: 29 February in a leap year", {2028, 2, 28}, 2, 29, 2004,
            {"7", "E", "February", "29", "1", "2", "24"});
        row("years: the first occurrence is 0", {2026, 6, 1}, 8, 1, 2026,
            {"7", "E", "August", "1", "61", "8", "0"});
        row("years: first born this year, next year's is 1", {2026, 6, 1}, 3, 1, 2026,
            {"7", "E", "March", "1", "273", "3", "1"});
        row("years: a year after the occurrence shows none", {2026, 6, 1}, 8, 1, 2030,
            {"7", "E", "August", "1", "61", "8", ""});
        row("years: no date to count shows none", {2026, 6, 15}, 200000, 1, 1990,
            {"7", "E", "", "1", "", "200000", ""});
    }
    void textsAreComputedFromTheRecord() {
        QFETCH(QDate, today);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, year);
        QFETCH(QStringList, shown);
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(today);
        EventRecord event{7, QStringLiteral("E"), month, day};
        if (year != 0) {
            event.year = year;
        }
        model.setRows({Row{event}});
        QCOMPARE(texts(model, 0), shown);
        QCOMPARE(model.row(0).event, event);
    }

    void unreadableFieldsShowEmpty() {
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(QDate(2026, 6, 15));
        model.setRows({unreadable(1, false, true), unreadable(2, true, false)});
        QCOMPARE(texts(model, 0), (QStringList{"1", "Broken", "", "15", "", "", ""}));
        QCOMPARE(texts(model, 1), (QStringList{"2", "Broken", "June", "", "", "6", ""}));
    }

    // The rows as the store's calendar order has them: month, day, then id,
    // whether they come in the order stored or not, on the calendar's days or
    // carried.
    void sortingByDateGivesTheCalendarOrder_data() {
        QTest::addColumn<QStringList>("rows");  // "id description month day", as appended
        QTest::addColumn<QStringList>("ids");   // in the order sorted
        QTest::newRow("in the order stored")
            << QStringList{"1 a 6 1", "2 b 1 1", "3 c 6 1", "4 d 2 29", "5 e 12 31", "6 f 1 1"}
            << QStringList{"2", "6", "4", "1", "3", "5"};
        QTest::newRow("not in the order stored")
            << QStringList{"5 a 6 1", "1 b 6 1", "3 c 1 1", "2 d 6 1"}
            << QStringList{"3", "1", "2", "5"};
        QTest::newRow("days and months carried")
            << QStringList{"1 a 3 40", "2 b 3 5", "3 c 13 1", "4 d 3 0", "5 e 2 28"}
            << QStringList{"5", "4", "2", "1", "3"};
    }
    void sortingByDateGivesTheCalendarOrder() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, ids);
        EventRows events;
        for (const Row& row : rowsFrom(rows)) {
            events.append(row.event);
        }
        events.sortByDate();
        QStringList sorted;
        for (int row = 0; row < events.count(); ++row) {
            sorted << QString::number(events.id(row));
        }
        QCOMPARE(sorted, ids);
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

    // A new read changes only what differs, so the view keeps its selection
    // and scroll position; whatever way it gets there, the model ends up the
    // same as one filled afresh.
    void aNewReadChangesOnlyWhatDiffers_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QList<int>>("signalCounts");  // inserted, removed, moved, changed, reset
        const QStringList list{"1 A 1 1", "2 B 2 2", "3 C 3 3", "4 D 4 4", "5 E 5 5"};
        QTest::newRow("the same read") << list << list << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("an event added")
            << list << QStringList{"1 A 1 1", "2 B 2 2", "6 F 2 9", "3 C 3 3", "4 D 4 4", "5 E 5 5"}
            << QList<int>{1, 0, 0, 0, 0};
        QTest::newRow("two added apart, at both ends")
            << list << QStringList{"6 F 1 1", "1 A 1 1", "2 B 2 2", "3 C 3 3",
                                   "4 D 4 4", "5 E 5 5", "7 G 9 9"}
            << QList<int>{2, 0, 0, 0, 0};
        QTest::newRow("an event deleted")
            << list << QStringList{"1 A 1 1", "2 B 2 2", "4 D 4 4", "5 E 5 5"}
            << QList<int>{0, 1, 0, 0, 0};
        QTest::newRow("a description edited")
            << list << QStringList{"1 A 1 1", "2 B 2 2", "3 Cc 3 3", "4 D 4 4", "5 E 5 5"}
            << QList<int>{0, 0, 0, 1, 0};
        QTest::newRow("a date edited: the row moves down")
            << list << QStringList{"1 A 1 1", "3 C 3 3", "4 D 4 4", "5 E 5 5", "2 B 12 2"}
            << QList<int>{0, 0, 1, 1, 0};
        QTest::newRow("a date edited: the row moves up")
            << list << QStringList{"4 D 1 1", "1 A 1 1", "2 B 2 2", "3 C 3 3", "5 E 5 5"}
            << QList<int>{0, 0, 1, 1, 0};
        QTest::newRow("added, deleted, moved and changed at once")
            << list << QStringList{"2 B 2 2", "5 E 2 3", "3 C 3 3", "7 G 3 4", "4 D 4 9"}
            << QList<int>{1, 1, 1, 2, 0};
        QTest::newRow("an id twice, once among the rows that stay")
            << list << QStringList{"1 A 1 1", "2 B 2 2", "2 B 2 3", "4 D 4 4", "5 E 5 5"}
            << QList<int>{1, 1, 0, 0, 0};
        QTest::newRow("an id twice among the rows that changed is a reset")
            << list << QStringList{"1 A 1 1", "9 Z 1 2", "9 Z 1 3", "4 D 4 4", "5 E 5 5"}
            << QList<int>{0, 0, 0, 0, 1};
        QTest::newRow("an id twice in the list, among the rows that changed, is a reset")
            << QStringList{"1 A 1 1", "2 B 1 2", "2 B 1 3", "4 D 4 4"}
            << QStringList{"1 A 1 1", "2 B 1 5", "4 D 4 4"} << QList<int>{0, 0, 0, 0, 1};
        QTest::newRow("everything deleted is a reset")
            << list << QStringList{} << QList<int>{0, 0, 0, 0, 1};
    }
    void aNewReadChangesOnlyWhatDiffers() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, signalCounts);
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setToday(QDate(2026, 6, 15));
        model.setRows(rowsFrom(before));
        // Every row that stays is followed, wherever it goes.
        QList<QPersistentModelIndex> followed;
        for (int row = 0; row < model.rowCount(); ++row) {
            followed << QPersistentModelIndex(model.index(row, EventListModel::DescriptionColumn));
        }
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        model.setRows(rowsFrom(after));

        EventListModel fresh;
        fresh.setToday(QDate(2026, 6, 15));
        fresh.setRows(rowsFrom(after));
        QCOMPARE(model.rowCount(), fresh.rowCount());
        for (int row = 0; row < fresh.rowCount(); ++row) {
            QCOMPARE(texts(model, row), texts(fresh, row));
        }
        QCOMPARE((QList<int>{static_cast<int>(inserted.size()), static_cast<int>(removed.size()),
                             static_cast<int>(moved.size()), static_cast<int>(changed.size()),
                             static_cast<int>(reset.size())}),
                 signalCounts);
        if (reset.isEmpty()) {
            const QStringList ids = idsOf(model);
            for (int row = 0; row < before.size(); ++row) {
                const QString id = before[row].section(QLatin1Char(' '), 0, 0);
                QCOMPARE(followed[row].isValid(), ids.contains(id));
                if (followed[row].isValid()) {
                    QCOMPARE(model.text(followed[row].row(), EventListModel::IdColumn), id);
                }
            }
        }
    }

    void manyMovesAreOneReset() {
        // A read that turns the list around would take a move a row; the
        // views are better served by one reset.
        QStringList before;
        QStringList after;
        for (int i = 1; i <= 600; ++i) {
            before << QStringLiteral("%1 E%1 1 1").arg(i);
            after.prepend(before.last());
        }
        EventListModel model;
        model.setRows(rowsFrom(before));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        model.setRows(rowsFrom(after));
        QCOMPARE(reset.size(), 1);
        QCOMPARE(moved.size(), 0);
        QCOMPARE(idsOf(model).first(), QStringLiteral("600"));
    }

    void headersFlagsAndBounds() {
        EventListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 7);
        QStringList headers;
        for (int column = 0; column < model.columnCount(); ++column) {
            headers << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        QCOMPARE(headers, (QStringList{"id", "Description", "Month", "Day", "Day(s) Left",
                                       "MonthNo", "Years"}));
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
