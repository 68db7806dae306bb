// The main list's order and search over the events model.
#include "TestEnvironment.h"

#include "reminders/EventListProxy.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QItemSelectionModel>

using namespace almanis;

namespace {
// Events written "id|description|month|day", perhaps with "|year"; a month
// of 0 cannot be read.
EventRows rowsFrom(const QStringList& texts) {
    EventRows rows;
    for (const QString& text : texts) {
        const QStringList parts = text.split(QLatin1Char('|'));
        const int month = parts[2].toInt();
        EventRecord event{parts[0].toLongLong(), parts[1], month, parts[3].toInt()};
        if (parts.size() > 4) {
            event.year = parts[4].toInt();
        }
        rows.append(event, month != 0);
    }
    return rows;
}

// The events model with a proxy over it, checked by Qt's model tester.
struct Listed {
    explicit Listed(const QStringList& texts) {
        events.setToday(QDate(2026, 6, 15));
        events.setRows(rowsFrom(texts));
    }
    QStringList descriptions() const {
        QStringList shown;
        for (int row = 0; row < proxy.rowCount(); ++row) {
            shown << proxy.index(row, EventListModel::DescriptionColumn).data().toString();
        }
        return shown;
    }
    EventListModel events;
    EventListProxy proxy{events};
    QAbstractItemModelTester tester{&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

const QStringList kEvents{"1|New Year|1|1|2020",    "2|Grace Hopper's birthday|12|9|1906",
                          "3|Midsummer|6|24|2000",  "4|Today's party|6|15",
                          "5|Broken|0|3",           "6|Day 10 of the fair|7|10",
                          "7|Day 2 of the fair|7|2"};
}  // namespace

class EventListProxyTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void searchIgnoresCaseAndAccents_data() {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<QStringList>("kept");
        const QStringList graces{"Grace Hopper's birthday", "Ada", "GRACE day", "Grâce à Dieu"};
        const QStringList allGraces{"Grace Hopper's birthday", "GRACE day", "Grâce à Dieu"};
        QTest::newRow("lower case") << "grace" << graces << allGraces;
        QTest::newRow("capitals and an accent") << "GRÂCE" << graces << allGraces;
        QTest::newRow("blanks around")
            << "  hopper " << graces << QStringList{"Grace Hopper's birthday"};
        QTest::newRow("nothing typed") << "" << graces << graces;
        QTest::newRow("nothing found") << "Turing" << graces << QStringList();
        QTest::newRow("umlaut typed, none written")
            << "Jörg" << QStringList{"Jorg", "Jörg", "Jürg"} << QStringList{"Jorg", "Jörg"};
        QTest::newRow("decomposed accent")
            << QString::fromUtf8("e\xCC\x81mile") << QStringList{"Émile's day", "Emily"}
            << QStringList{"Émile's day"};
        QTest::newRow("ligature") << "fish" << QStringList{"Ｆｉｓｈ day", "ﬁsh fry"}
                                  << QStringList{"Ｆｉｓｈ day", "ﬁsh fry"};
        QTest::newRow("beyond the first plane")
            << "zoë 🎂" << QStringList{"ZOE 🎂 party", "Zoe"} << QStringList{"ZOE 🎂 party"};
    }
    void searchIgnoresCaseAndAccents() {
        QFETCH(QString, search);
        QFETCH(QStringList, descriptions);
        QFETCH(QStringList, kept);
        QStringList texts;
        for (const QString& description : descriptions) {
            texts << QStringLiteral("%1|%2|5|1").arg(texts.size() + 1).arg(description);
        }
        Listed list(texts);
        list.proxy.setSearchText(search);
        QCOMPARE(list.descriptions(), kept);
        list.proxy.setSearchText(QString());
        QCOMPARE(list.descriptions(), descriptions);
    }

    void sortsByTheColumnClicked_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("order");
        const QStringList calendar{
            "New Year",           "Today's party",           "Midsummer", "Day 2 of the fair",
            "Day 10 of the fair", "Grace Hopper's birthday", "Broken"};
        QStringList reversed = calendar;
        std::reverse(reversed.begin(), reversed.end());
        // From 15 June 2026: 0, 9, 17, 25, 177 and 200 days; Broken cannot be counted.
        const QStringList soonest{"Today's party",
                                  "Midsummer",
                                  "Day 2 of the fair",
                                  "Day 10 of the fair",
                                  "Grace Hopper's birthday",
                                  "New Year",
                                  "Broken"};
        QStringList latest = soonest;
        std::reverse(latest.begin(), latest.end());
        QTest::newRow("month") << int(EventListModel::MonthColumn) << false << calendar;
        QTest::newRow("month, reversed") << int(EventListModel::MonthColumn) << true << reversed;
        QTest::newRow("day") << int(EventListModel::DayColumn) << false << calendar;
        QTest::newRow("days left") << int(EventListModel::DaysLeftColumn) << false << soonest;
        QTest::newRow("days left, reversed")
            << int(EventListModel::DaysLeftColumn) << true << latest;
        // 7, 26 and 120 years; the events without a year after them.
        QTest::newRow("years")
            << int(EventListModel::YearsColumn) << false
            << QStringList{"New Year",      "Midsummer",         "Grace Hopper's birthday",
                           "Today's party", "Day 2 of the fair", "Day 10 of the fair",
                           "Broken"};
        QTest::newRow("description, digits by value")
            << int(EventListModel::DescriptionColumn) << false
            << QStringList{"Broken",
                           "Day 2 of the fair",
                           "Day 10 of the fair",
                           "Grace Hopper's birthday",
                           "Midsummer",
                           "New Year",
                           "Today's party"};
    }
    void sortsByTheColumnClicked() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QStringList, order);
        // The events model holds them in calendar order, as the store gives them.
        Listed list(kEvents);
        list.events.setRows(rowsFrom(
            {kEvents[0], kEvents[3], kEvents[2], kEvents[6], kEvents[5], kEvents[1], kEvents[4]}));
        list.proxy.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(list.descriptions(), order);
    }

    // A refill under a sorted and narrowed list moves a changed event to its
    // new place and keeps the selection on the event the user selected.
    void aRefillKeepsTheSelectedEvent() {
        Listed list({"1|Fair one|7|1", "2|Fair two|7|2", "3|Party|7|3", "4|Fair four|7|4"});
        list.proxy.sort(EventListModel::DaysLeftColumn, Qt::DescendingOrder);
        list.proxy.setSearchText(QStringLiteral("fair"));
        QCOMPARE(list.descriptions(), (QStringList{"Fair four", "Fair two", "Fair one"}));
        QItemSelectionModel selection(&list.proxy);
        selection.select(list.proxy.index(1, 0),
                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        // "Fair two" moves to the end of the year, a new fair comes, Party goes.
        list.events.setRows(
            rowsFrom({"1|Fair one|7|1", "4|Fair four|7|4", "5|Fair five|7|5", "2|Fair two|12|2"}));
        QCOMPARE(list.descriptions(),
                 (QStringList{"Fair two", "Fair five", "Fair four", "Fair one"}));
        const QModelIndexList selected = selection.selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(list.proxy.mapToSource(selected.first()).row(), 3);
        QCOMPARE(selected.first().data().toString(), QStringLiteral("2"));
    }
};

ALMANIS_TEST_MAIN(EventListProxyTest)
#include "tst_event_list_proxy.moc"
