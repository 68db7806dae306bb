// The main list's order, search and keys, in the real main window.
#include "StartedProgram.h"

#include "core/Guard.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

using namespace almanis;

namespace {

// The main window on five events, from 15 June 2026.
struct Window : test::StartedProgram {
    Window() { fill(); }
    // A window on the events and settings of `first`, as at the next start.
    explicit Window(const Window* first) : first_(first) {
        env.settings.values = first->env.settings.values;
        start();
        fill();
    }

    QTreeView* list() const { return test::find<QTreeView>(*window, "ListView1"); }
    QLineEdit* search() const { return test::find<QLineEdit>(*window, "Text1"); }

    // The descriptions as the list shows them, top to bottom.
    QStringList shown() const {
        QStringList descriptions;
        const QAbstractItemModel* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            descriptions << model->index(row, 0).data().toString();
        }
        return descriptions;
    }

    void clickHeader(const QString& caption) const {
        QHeaderView* header = list()->header();
        for (int section = 0; section < header->count(); ++section) {
            if (list()->model()->headerData(section, Qt::Horizontal).toString() == caption) {
                const QPoint middle(
                    header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no header %1").arg(caption)));
    }

    // Selects the row the list shows at `row`, as a click would.
    void selectShown(int row) const {
        list()->selectionModel()->select(
            list()->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

  private:
    void fill() {
        if (!first_) {
            addEvent(QStringLiteral("Grace Hopper's birthday"), 12, 9);
            addEvent(QStringLiteral("New Year"), 1, 1);
            EventRecord midsummer(0, QStringLiteral("Midsummer"), 6, 24);
            midsummer.note = QStringLiteral("Bonfire by the lake");
            addEvent(midsummer);
            addEvent(QStringLiteral("Ada Lovelace's birthday"), 12, 10);
            addEvent(QStringLiteral("Émile's day"), 3, 20);
        } else {
            for (const test::StoredEvent& event : first_->stored()) {
                addEvent(event.description, event.month, event.day);
            }
        }
        window->reminderEngine().refreshList();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        env.ui.clear();
    }

    const Window* first_ = nullptr;
};

const QStringList kCalendar{"New Year", "Émile's day", "Midsummer", "Grace Hopper's birthday",
                            "Ada Lovelace's birthday"};

}  // namespace

class ListOrderTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // A click on a header sorts by its column, a second one reverses; the
    // next start shows the same order.
    void headerClicksSortAndTheNextStartRemembers_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("stored");
        QStringList reversed = kCalendar;
        std::reverse(reversed.begin(), reversed.end());
        // 9, 177, 178, 200 and 278 days left.
        const QStringList soonest{"Midsummer", "Grace Hopper's birthday", "Ada Lovelace's birthday",
                                  "New Year", "Émile's day"};
        QStringList latest = soonest;
        std::reverse(latest.begin(), latest.end());
        QTest::newRow("calendar order at first") << QStringList() << kCalendar << QString();
        QTest::newRow("days left: the soonest first")
            << QStringList{"Day(s) Left"} << soonest << "Days Left,Ascending";
        QTest::newRow("days left twice: the latest first")
            << QStringList{"Day(s) Left", "Day(s) Left"} << latest << "Days Left,Descending";
        QTest::newRow("description")
            << QStringList{"Description"}
            << QStringList{"Ada Lovelace's birthday", "Émile's day", "Grace Hopper's birthday",
                           "Midsummer", "New Year"}
            << "Description,Ascending";
        QTest::newRow("back to the calendar by the day")
            << QStringList{"Day(s) Left", "Day"} << kCalendar << "Day,Ascending";
        QTest::newRow("month, shown already: reversed")
            << QStringList{"Month"} << reversed << "Month,Descending";
    }
    void headerClicksSortAndTheNextStartRemembers() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, order);
        QFETCH(QString, stored);
        Window w;
        QCOMPARE(w.shown(), kCalendar);
        for (const QString& caption : clicks) {
            w.clickHeader(caption);
        }
        QCOMPARE(w.shown(), order);
        QCOMPARE(w.env.settings.values.value(QStringLiteral("List Order")), stored);
        QVERIFY(w.env.ui.boxes.isEmpty());

        Window next(&w);
        QCOMPARE(next.shown(), order);
        QCOMPARE(next.list()->header()->sortIndicatorOrder(),
                 w.list()->header()->sortIndicatorOrder());
    }

    void anOrderThatCannotBeStoredIsReported() {
        Window w;
        w.env.settings.failure = QStringLiteral("The settings file is read-only");
        w.clickHeader(QStringLiteral("Day(s) Left"));
        QCOMPARE(w.shown().first(), QStringLiteral("Midsummer"));
        QCOMPARE(w.env.ui.errors(),
                 QStringList{errorReportText(QStringLiteral("The settings file is read-only"),
                                             where::sortList, 100)});
    }

    void aStoredOrderThatMeansNothingGivesTheCalendar() {
        Window w;
        w.env.settings.values.insert(QStringLiteral("List Order"), QStringLiteral("Colour,Up"));
        Window next(&w);
        QCOMPARE(next.shown(), kCalendar);
    }

    // Typing narrows the list, ignoring case and accents; Escape brings every
    // event back.
    void searchNarrowsTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("grace") << "grace" << QStringList{"Grace Hopper's birthday"};
        QTest::newRow("birthday") << "BIRTHDAY"
                                  << QStringList{"Grace Hopper's birthday",
                                                 "Ada Lovelace's birthday"};
        QTest::newRow("without the accent") << "emile" << QStringList{"Émile's day"};
        QTest::newRow("a note") << "bonfire" << QStringList{"Midsummer"};
        QTest::newRow("nothing") << "Turing" << QStringList();
    }
    void searchNarrowsTheList() {
        QFETCH(QString, typed);
        QFETCH(QStringList, kept);
        Window w;
        QTest::keyClicks(w.search(), typed);
        QCOMPARE(w.shown(), kept);
        QTest::keyClick(w.search(), Qt::Key_Escape);
        QCOMPARE(w.search()->text(), QString());
        QCOMPARE(w.shown(), kCalendar);
    }

    // The commands take the event the user selected, whatever the list's
    // order and search; the list's own row numbers differ from the view's.
    void commandsActOnTheSelectedEvent_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("F2 edits") << int(Qt::Key_F2);
        QTest::newRow("Enter edits") << int(Qt::Key_Return);
        QTest::newRow("Delete asks") << int(Qt::Key_Delete);
    }
    void commandsActOnTheSelectedEvent() {
        QFETCH(int, key);
        Window w;
        w.clickHeader(QStringLiteral("Day(s) Left"));
        w.clickHeader(QStringLiteral("Day(s) Left"));
        QTest::keyClicks(w.search(), QStringLiteral("birthday"));
        QCOMPARE(w.shown(), (QStringList{"Ada Lovelace's birthday", "Grace Hopper's birthday"}));
        w.selectShown(1);
        QString edited;
        w.env.ui.modalScripts.push_back([&](QDialog& editor) {
            edited = test::find<QLineEdit>(editor, "Text1")->text();
            editor.close();
        });
        w.list()->setFocus();
        QTest::keyClick(w.list(), Qt::Key(key));
        if (key == Qt::Key_Delete) {
            QCOMPARE(test::boxTexts(w.env.ui, QStringLiteral("question")),
                     QStringList{"Are you sure you want to delete Grace Hopper's birthday?"});
        } else {
            QCOMPARE(edited, QStringLiteral("Grace Hopper's birthday"));
        }
    }

    // The focus starts in the list; Ctrl+F goes to the search field.
    void focusStartsInTheListAndCtrlFFinds() {
        Window w;
        QCOMPARE(QApplication::focusWidget(), w.list());
        QTest::keyClick(w.list(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), w.search());
        QCOMPARE(w.search()->accessibleName(), QStringLiteral("Search"));
    }
};

ALMANIS_TEST_MAIN(ListOrderTest)
#include "tst_list_order.moc"
