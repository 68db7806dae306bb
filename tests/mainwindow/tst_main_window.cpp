#include "Files.h"
#include "ProgramFixture.h"
#include "TestEnvironment.h"
#include "Widgets.h"

#include "desktop/TrayShell.h"
#include "mainwindow/MainWindow.h"
#include "store/DataFolder.h"
#include "widgets/Design.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeView>

using namespace almanis;

using test::anyContains;

namespace {
// A window manager that never activates the window, as at the start of a
// log-on session, or with focus-stealing prevention.
class NoActivation final : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::WindowActivate || QObject::eventFilter(watched, event);
    }
};
}  // namespace

using test::readFile;
using test::writeFile;

class MainWindowTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void firstStartOnACleanMachine() {
        test::TestEnvironment env(QDate(2026, 12, 8));
        MainWindow form(env.services);
        form.load();
        QVERIFY(form.isStartingUp());
        QVERIFY(QFile::exists(env.storePath()));
        QCOMPARE(readFile(env.storePath()).left(16), QByteArray("SQLite format 3\0", 16));
        QCOMPARE(form.windowTitle(), QStringLiteral("Almanis"));
        // The id and the month number stay in the model for the commands; the
        // view never has them.
        QCOMPARE(form.events().columnCount(), 7);
        auto* list = test::find<QTreeView>(form, "ListView1");
        QCOMPARE(list->model()->columnCount(), 5);
        const QStringList headers{"Description", "Month", "Day", "Day(s) Left", "Years"};
        const int widths[] = {2400, 1500, 900, 1400, 1000};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(list->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(list->header()->sectionSize(c), px(widths[c]));
            QVERIFY(!list->isColumnHidden(c));
        }
        QVERIFY(test::checkBox(form, "Check1")->isChecked());
        for (const char* box : {"Check2", "Check3", "Check4", "Check5", "Check6", "Check8"}) {
            QVERIFY(!test::checkBox(form, box)->isChecked());
        }
        QCOMPARE(form.timer().interval(), 1000);
        // Nothing snoozed: the one-second tick stands still.
        QVERIFY(form.timer().enabled());
        QVERIFY(!form.timer().running());
        // The tray icon goes up with its tip.
        QVERIFY(env.tray.visible);
        QCOMPARE(env.tray.toolTip, QStringLiteral("Almanis"));

        form.handleActivation();
        QVERIFY(!form.isStartingUp());
        QCOMPARE(form.events().count(), 11);  // the holidays of the events seed
        QCOMPARE(form.events().text(0, EventListModel::DescriptionColumn),
                 QStringLiteral("New Year's Day"));
        // The program sleeps until the next midnight.
        QCOMPARE(env.wakeTimer.next, QDate(2026, 12, 9).startOfDay());
        QVERIFY(!form.timer().running());
        QVERIFY(env.ui.errors().isEmpty());
        QVERIFY(env.ui.urls.isEmpty());
    }

    void controlsStandWhereTheyBelong() {
        test::TestEnvironment env;
        MainWindow form(env.services);
        QCOMPARE(form.size(), QSize(536, 569));
        QCOMPARE(test::button(form, "PushButton5")->geometry(), QRect(8, 8, 144, 27));
        QCOMPARE(test::find<QLineEdit>(form, "Text1")->geometry(), QRect(160, 8, 368, 27));
        QCOMPARE(test::button(form, "PushButton10")->geometry(), QRect(496, 270, 32, 27));
        QCOMPARE(test::caption(test::button(form, "PushButton9")),
                 QStringLiteral("Export Events To File"));
        QCOMPARE(test::find<QGroupBox>(form, "Frame2")->title(), QStringLiteral("Remind Options"));
        // Says what happens on this desktop; the settings key stays "Windows Startup".
        QCOMPARE(test::caption(test::checkBox(form, "Check3")),
                 QStringLiteral("Load this software when I log in"));
        QCOMPARE(test::checkBox(form, "Check1")->parentWidget(),
                 test::find<QGroupBox>(form, "Frame2"));
        QCOMPARE(test::checkBox(form, "Check8")->parentWidget(),
                 test::find<QGroupBox>(form, "Frame1"));
        QCOMPARE(test::button(form, "PushButton3")->font().pointSizeF(), 11.25);
        QVERIFY(test::button(form, "PushButton3")->font().bold());
        // Design colours without a skin: white frames and check boxes.
        QCOMPARE(test::find<QGroupBox>(form, "Frame1")->palette().color(QPalette::Window),
                 QColor(Qt::white));
        QCOMPARE(test::checkBox(form, "Check4")
                     ->palette()
                     .color(test::checkBox(form, "Check4")->backgroundRole()),
                 QColor(Qt::white));
    }

    void seeds_data() {
        QTest::addColumn<bool>("eventsSeed");
        QTest::addColumn<bool>("blankSeed");
        QTest::addColumn<int>("rows");
        QTest::newRow("only the blank seed: an empty list") << false << true << 0;
        QTest::newRow("no seed at all: reported, window still comes up") << false << false << 0;
    }
    void seeds() {
        QFETCH(bool, eventsSeed);
        QFETCH(bool, blankSeed);
        QFETCH(int, rows);
        test::TestEnvironment env;
        if (!eventsSeed) {
            QFile::remove(env.programFolder() + QLatin1String(kEventsSeed));
        }
        if (!blankSeed) {
            QFile::remove(env.programFolder() + QLatin1String(kBlankSeed));
        }
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        QCOMPARE(form.events().count(), rows);
        const QStringList errors = env.ui.errors();
        if (blankSeed) {
            QVERIFY(errors.isEmpty());
        } else {
            QVERIFY(anyContains(errors, QStringLiteral("File not found")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.Form_Load at line 104")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.Form_Load at line 112")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.ListEvents at line 102")));
            QCOMPARE(form.timer().interval(), 1000);  // the load went on to its end
            QVERIFY(!QFile::exists(env.storePath()));
        }
    }

    void aDamagedStoreIsReportedAndLeftAlone_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("Anniversary,March 5\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("a seed that is not a database") << QByteArray();
    }
    void aDamagedStoreIsReportedAndLeftAlone() {
        QFETCH(QByteArray, content);
        test::TestEnvironment env;
        QString damaged = env.storePath();
        if (QByteArray(QTest::currentDataTag()).startsWith("a seed")) {
            damaged = env.programFolder() + QLatin1String(kEventsSeed);
            content = QByteArray("this is no database");
        }
        writeFile(damaged, content);
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("file is not a database")));
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 112")));
        QCOMPARE(readFile(damaged), content);
        QCOMPARE(form.events().count(), 0);
        form.close();
        QCOMPARE(readFile(damaged), content);
    }

    void anExistingStoreIsKept() {
        test::TestEnvironment env;
        env.createStore();
        const QByteArray before = readFile(env.storePath());
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        QCOMPARE(form.events().count(), 0);  // the blank store, not the events seed
        QVERIFY(env.ui.errors().isEmpty());
    }

    void aDataFolderThatCannotBeCreated() {
        test::TestEnvironment env;
        // A file where the maker's folder should be.
        writeFile(QFileInfo(env.dataFolder()).path(), "in the way");
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 100")));
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 112")));
        QCOMPARE(readFile(QFileInfo(env.dataFolder()).path()), QByteArray("in the way"));
        QCOMPARE(form.timer().interval(), 1000);
    }

    void homePageOnlyWhenConfiguredAndOnSeven_data() {
        QTest::addColumn<QString>("homePage");
        QTest::addColumn<int>("draw");
        QTest::addColumn<bool>("opened");
        const QString page = QStringLiteral("https://almanis.example/welcome");
        QTest::newRow("7") << page << 7 << true;
        QTest::newRow("1") << page << 1 << false;
        QTest::newRow("100") << page << 100 << false;
        QTest::newRow("no home page, 7") << QString() << 7 << false;
    }
    void homePageOnlyWhenConfiguredAndOnSeven() {
        QFETCH(QString, homePage);
        QFETCH(int, draw);
        QFETCH(bool, opened);
        test::TestEnvironment env;
        env.chance.value = draw;
        env.services.homePage = homePage;
        MainWindow form(env.services);
        form.load();
        QCOMPARE(env.ui.urls, opened ? QStringList{homePage} : QStringList());
        QVERIFY(env.ui.errors().isEmpty());
    }

    void theBuildNamesNoHomePage() {
        // A build with the default options never opens a browser by itself.
        test::TestEnvironment env;
        QVERIFY(env.services.homePage.isEmpty());
        for (int draw = 1; draw <= 100; ++draw) {
            env.chance.value = draw;
            MainWindow form(env.services);
            form.load();
        }
        QVERIFY(env.ui.urls.isEmpty());
    }

    void theSkinColoursTheMainWindow() {
        test::TestEnvironment env;
        writeFile(env.programFolder() + QStringLiteral("/x/o.cjs"),
                  "QPushButton { color: darkblue; }");
        MainWindow form(env.services);
        form.load();
        const QColor face = form.palette().color(QPalette::Button);
        QCOMPARE(test::find<QGroupBox>(form, "Frame1")->palette().color(QPalette::Window), face);
        QCOMPARE(test::checkBox(form, "Check1")
                     ->palette()
                     .color(test::checkBox(form, "Check1")->backgroundRole()),
                 face);
        QVERIFY(form.styleSheet().contains(QStringLiteral("darkblue")));
        QVERIFY(form.skin().applied());
        QCOMPARE(form.skin().options() & 1, 1);
    }

    void closingReleasesEverything() {
        test::TestEnvironment env;
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        form.reminderEngine().setRecheckSeconds(3600);
        QVERIFY(form.timer().running());
        env.tray.calls.clear();
        form.releaseResources();
        QCOMPARE(form.storeConnection().state(), 0);
        QVERIFY(!form.timer().running());
        // No wake-up is set, and one that comes all the same reads nothing.
        QVERIFY(!env.wakeTimer.next);
        env.clock.set(QDate(2026, 6, 16));
        env.wakeTimer.fire();
        QCOMPARE(env.tray.calls.size(), 1);
        QCOMPARE(env.tray.calls.first(), QStringLiteral("hide"));
        // The store can be opened by anyone once we let go of it.
        QFile store(env.storePath());
        QVERIFY(store.open(QIODevice::ReadWrite));
        QVERIFY(env.ui.errors().isEmpty());
    }

    void clickingARowSelectsIt() {
        test::TestEnvironment env;
        MainWindow form(env.services);
        form.load();
        form.show();
        form.handleActivation();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* list = test::find<QTreeView>(form, "ListView1");
        const QRect third = list->visualRect(list->model()->index(2, 1));
        QTest::mouseClick(test::find<QTreeView>(form, "ListView1")->viewport(), Qt::LeftButton, {},
                          third.center());
        QCOMPARE(form.selectedRow(), std::optional<int>(2));
    }

    void keysOnARow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("asks");   // to delete the row
        QTest::addColumn<bool>("edits");  // the row
        QTest::newRow("Delete asks to delete the row") << int(Qt::Key_Delete) << true << false;
        QTest::newRow("Enter edits the row") << int(Qt::Key_Return) << false << true;
        QTest::newRow("keypad Enter edits the row") << int(Qt::Key_Enter) << false << true;
        QTest::newRow("other keys do neither") << int(Qt::Key_Insert) << false << false;
    }
    void keysOnARow() {
        QFETCH(int, key);
        QFETCH(bool, asks);
        QFETCH(bool, edits);
        test::ProgramFixture f;
        f.start();
        f.select(4);
        const QString description = f.window->events().text(4, EventListModel::DescriptionColumn);
        QString shown;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            shown = test::find<QLineEdit>(dialog, "Text1")->text();
            dialog.close();
        });
        auto* list = test::find<QTreeView>(*f.window, "ListView1");
        const int keypad = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(keypad));
        QCOMPARE(f.env.ui.modals.size(), edits ? 1 : 0);
        QCOMPARE(shown, edits ? description : QString());
        if (asks) {
            QCOMPARE(f.env.ui.boxes.size(), 1);
            QCOMPARE(f.env.ui.boxes.first().text,
                     QStringLiteral("Are you sure you want to delete %1?").arg(description));
        } else {
            QVERIFY(f.env.ui.boxes.isEmpty());
        }
        QCOMPARE(f.window->events().count(), 11);  // No was the answer
    }

    void doubleClickOnARowEditsIt() {
        test::ProgramFixture f;
        f.start();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QString shown;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            shown = test::find<QLineEdit>(dialog, "Text1")->text();
            dialog.close();
        });
        auto* list = test::find<QTreeView>(*f.window, "ListView1");
        const QPoint third = list->visualRect(list->model()->index(2, 0)).center();
        // As the desktop delivers a double-click: press, release, double-click, release.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(shown, f.window->events().text(2, EventListModel::DescriptionColumn));
        QCOMPARE(f.env.ui.modals.size(), 1);
    }

    void windowSizeOnScreens_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QSize>("window");
        // The page is 536 x 546; a scroll bar here 10 pixels wide.
        QTest::newRow("fits: the design's size") << QSize(1366, 700) << QSize(536, 546);
        QTest::newRow("exactly fits") << QSize(536, 546) << QSize(536, 546);
        QTest::newRow("too low: a scroll bar at the side") << QSize(900, 480) << QSize(546, 480);
        QTest::newRow("too narrow: a scroll bar below") << QSize(400, 900) << QSize(400, 556);
        QTest::newRow("too small both ways") << QSize(400, 300) << QSize(400, 300);
        QTest::newRow("too low, then too narrow for the bar") << QSize(540, 400) << QSize(540, 400);
    }
    void windowSizeOnScreens() {
        QFETCH(QSize, room);
        QFETCH(QSize, window);
        QCOMPARE(fittedWindowSize(QSize(536, 546), room, 10), window);
    }

    // A bigger window gives the list the room; below it the controls move
    // down with the list and share the extra width.
    void theListTakesTheRoomOfABiggerWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("list");
        QTest::addColumn<QRect>("add");       // left of a pair
        QTest::addColumn<QRect>("deletion");  // right of a pair
        QTest::addColumn<QRect>("note");      // the "?" at the end of a row
        QTest::addColumn<QRect>("logOn");     // left of a pair in a frame
        QTest::addColumn<int>("description");
        QTest::newRow("the design's size")
            << QSize(536, 569) << QRect(8, 42, 520, 153) << QRect(8, 202, 256, 27)
            << QRect(272, 202, 256, 27) << QRect(496, 533, 32, 27) << QRect(16, 20, 252, 20) << 160;
        QTest::newRow("wider and taller")
            << QSize(900, 800) << QRect(8, 42, 884, 384) << QRect(8, 433, 438, 27)
            << QRect(454, 433, 438, 27) << QRect(860, 764, 32, 27) << QRect(16, 20, 434, 20) << 524;
        QTest::newRow("taller only")
            << QSize(536, 700) << QRect(8, 42, 520, 284) << QRect(8, 333, 256, 27)
            << QRect(272, 333, 256, 27) << QRect(496, 664, 32, 27) << QRect(16, 20, 252, 20) << 160;
    }
    void theListTakesTheRoomOfABiggerWindow() {
        QFETCH(QSize, size);
        QFETCH(QRect, list);
        QFETCH(QRect, add);
        QFETCH(QRect, deletion);
        QFETCH(QRect, note);
        QFETCH(QRect, logOn);
        QFETCH(int, description);
        test::TestEnvironment env;
        MainWindow form(env.services);
        form.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(536, 569));
        QVERIFY(form.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(form.maximumSize().width() > 4000 && form.maximumSize().height() > 4000);
        form.resize(size);
        auto* events = test::find<QTreeView>(form, "ListView1");
        QTRY_COMPARE(events->geometry(), list);
        QCOMPARE(test::button(form, "PushButton6")->geometry(), add);
        QCOMPARE(test::button(form, "PushButton1")->geometry(), deletion);
        QCOMPARE(test::button(form, "PushButton7")->geometry(), note);
        QCOMPARE(test::checkBox(form, "Check3")->geometry(), logOn);
        QCOMPARE(test::button(form, "PushButton5")->geometry(), QRect(8, 8, 144, 27));
        // The columns reach the list's edge; the descriptions take the room.
        QTRY_COMPARE(events->header()->length(), events->viewport()->width());
        QVERIFY(events->header()->sectionSize(0) >= description);
        // Nothing scrolls in a window the page fits.
        QVERIFY(!form.findChild<QScrollArea*>()->verticalScrollBar()->isVisible());
    }

    void theWindowKeepsItsSizeFromRunToRun_data() {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QString>("keptAfter");
        QTest::newRow("never kept") << QString() << QSize(536, 569) << false << "536x569";
        QTest::newRow("a size") << "640x500" << QSize(640, 500) << false << "640x500";
        QTest::newRow("maximised") << "700x600 maximised" << QSize() << true << "700x600 maximised";
        QTest::newRow("garbled") << "big" << QSize(536, 569) << false << "536x569";
        QTest::newRow("too small") << "10x10" << QSize(536, 569) << false << "536x569";
    }
    void theWindowKeepsItsSizeFromRunToRun() {
        QFETCH(QString, kept);
        QFETCH(QSize, size);
        QFETCH(bool, maximised);
        QFETCH(QString, keptAfter);
        test::TestEnvironment env;
        if (!kept.isNull()) {
            env.settings.values.insert(QStringLiteral("Window Size"), kept);
        }
        {
            MainWindow form(env.services);
            form.load();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(form.isMaximized(), maximised);
            if (size.isValid()) {
                QCOMPARE(form.size(), size);
            }
            form.close();
        }
        QCOMPARE(env.ui.errors(), QStringList());
        QCOMPARE(env.settings.values.value(QStringLiteral("Window Size")), keptAfter);
    }

    void onASmallScreenEveryControlCanBeReached() {
        test::ProgramFixture f;
        MainWindow& form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.fitInto(QSize(520, 400));
        QVERIFY(form.width() <= 520 && form.height() <= 400);
        // Tabbing to the last controls scrolls them into sight.
        test::checkBox(form, "Check9")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), test::button(form, "accountsButton"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QPushButton* testAlarm = test::button(form, "PushButton3");
        QCOMPARE(QApplication::focusWidget(), testAlarm);
        const QRect seen(testAlarm->mapTo(&form, QPoint()), testAlarm->size());
        QVERIFY2(form.rect().contains(seen),
                 qPrintable(QStringLiteral("%1,%2").arg(seen.bottom()).arg(form.height())));
        // So does any other way the focus moves, back up here too.
        for (const char* control : {"PushButton5", "Check3"}) {
            QWidget* widget = test::find(form, control);
            widget->setFocus(Qt::OtherFocusReason);
            // Seen from top to bottom; the window is narrower than Help is wide.
            const int top = widget->mapTo(&form, QPoint()).y();
            QVERIFY2(top >= 0 && top + widget->height() <= form.height(), control);
        }
        // A screen too low but wide enough scrolls only up and down.
        auto* scrollArea = form.findChild<QScrollArea*>();
        form.fitInto(QSize(1366, 400));
        QTRY_VERIFY(scrollArea->verticalScrollBar()->isVisible());
        QVERIFY(!scrollArea->horizontalScrollBar()->isVisible());
        // Nor when the window trims only the page's empty right margin.
        form.resize(form.width() - 4, 400);
        QTRY_COMPARE(scrollArea->viewport()->width(), 532);
        QVERIFY(!scrollArea->horizontalScrollBar()->isVisible());
        // Back on a screen with room, nothing scrolls.
        form.fitInto(QSize(1366, 700));
        QCOMPARE(form.size(), QSize(536, 569));
    }

    void onlyTheFirstActivationFillsTheList() {
        test::TestEnvironment env(QDate(2026, 12, 25));  // Christmas Day is due
        MainWindow form(env.services);
        form.load();
        int reentered = 0;
        env.ui.modalScripts.push_back([&](QDialog& dialog) {
            // The main window becomes active again while the alarm closes.
            form.handleActivation();
            ++reentered;
            dialog.close();
        });
        form.handleActivation();
        form.handleActivation();
        QCOMPARE(reentered, 1);
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(env.ui.modals.first().title, QStringLiteral("Event Alert!"));
        QVERIFY(!form.isStartingUp());
    }

    void changesMadeByAlmanisCliShowWithoutARestart() {
        test::ProgramFixture p;
        p.start();
        QCOMPARE(p.window->events().count(), 11);
        QProcess cli;
        cli.start(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/almanis-cli"),
                  {QStringLiteral("add"), QStringLiteral("Ada's birthday"),
                   QStringLiteral("December 10")});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(p.window->events().count(), 12, 2000);
        cli.start(
            QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/almanis-cli"),
            {QStringLiteral("remove"), QString::fromUtf8(cli.readAllStandardOutput()).trimmed()});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(p.window->events().count(), 11, 2000);
    }

    void aRefillKeepsTheSelectionAndTheScrollPosition_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("selected");
        QTest::newRow("an event added") << "insert into tblEvent (Description,EventMonth,EventDay) "
                                           "values ('Added',12,30)"
                                        << "Event 30";
        QTest::newRow("another event deleted")
            << "delete from tblEvent where Description='Event 02'"
            << "Event 30";
        QTest::newRow("the selected event renamed")
            << "update tblEvent set Description='Renamed' where Description='Event 30'"
            << "Renamed";
        QTest::newRow("the selected event moved to another month")
            << "update tblEvent set EventMonth=11 where Description='Event 30'"
            << "Event 30";
    }
    void aRefillKeepsTheSelectionAndTheScrollPosition() {
        QFETCH(QString, change);
        QFETCH(QString, selected);
        test::ProgramFixture f;
        f.useBlankStore();
        for (int i = 1; i <= 40; ++i) {
            f.addEvent(QStringLiteral("Event %1").arg(i, 2, 10, QLatin1Char('0')), (i - 1) / 4 + 1,
                       (i - 1) % 4 * 7 + 1);
        }
        f.start();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto* list = test::find<QTreeView>(*f.window, "ListView1");
        f.select(29);
        list->scrollTo(list->model()->index(29, 0));
        const int scrolled = list->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);

        f.execute(change);
        f.window->reminderEngine().refreshList();

        const QModelIndexList rows = list->selectionModel()->selectedRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(f.window->events().text(rows.first().row(), EventListModel::DescriptionColumn),
                 selected);
        QCOMPARE(list->verticalScrollBar()->value(), scrolled);
    }

    void aWindowThatIsNeverActivatedStartsAllTheSame() {
        test::TestEnvironment env(QDate(2026, 12, 25));  // Christmas Day is due
        MainWindow form(env.services);
        NoActivation windowManager;
        form.installEventFilter(&windowManager);
        form.load();
        form.show();
        // Right after the show, not within it.
        QVERIFY(form.isStartingUp());
        QCoreApplication::processEvents();
        QVERIFY(!form.isStartingUp());
        QCOMPARE(form.events().count(), 11);
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(env.ui.modals.first().title, QStringLiteral("Event Alert!"));
        QVERIFY(env.wakeTimer.next);
        // An activation that comes after all repeats nothing.
        form.removeEventFilter(&windowManager);
        form.handleActivation();
        form.hide();
        form.show();
        QCoreApplication::processEvents();
        QCOMPARE(env.ui.modals.size(), 1);
    }
};

ALMANIS_TEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
