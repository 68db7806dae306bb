#include "Files.h"
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
#include <QPushButton>
#include <QTreeView>

using namespace almanis;

using test::anyContains;
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
        auto* list = test::find<QTreeView>(form, "ListView1");
        QCOMPARE(list->model()->columnCount(), 6);
        const QStringList headers{"id", "Description", "Month", "Day", "Day(s) Left", "MonthNo"};
        const int widths[] = {1, 2700, 1800, 1300, 1500, 0};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(list->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            if (px(widths[c]) > 1) {
                QCOMPARE(list->header()->sectionSize(c), px(widths[c]));
            }
        }
        QVERIFY(test::find<QTreeView>(form, "ListView1")->isColumnHidden(0));
        QVERIFY(test::find<QTreeView>(form, "ListView1")->isColumnHidden(5));
        QVERIFY(test::checkBox(form, "Check1")->isChecked());
        for (const char* box : {"Check2", "Check3", "Check4", "Check5", "Check6", "Check8"}) {
            QVERIFY(!test::checkBox(form, box)->isChecked());
        }
        QCOMPARE(form.timer().interval(), 1000);
        QVERIFY(form.timer().running());
        // The tray icon goes up with its tip.
        QVERIFY(!env.tray.calls.isEmpty());
        QCOMPARE(env.tray.calls.last().operation, QStringLiteral("add"));
        QCOMPARE(env.tray.calls.last().request.tip, QStringLiteral("Almanis"));

        form.handleActivation();
        QVERIFY(!form.isStartingUp());
        QCOMPARE(form.events().count(), 11);  // the holidays of the events seed
        QCOMPARE(form.events().text(0, EventListModel::DescriptionColumn),
                 QStringLiteral("New Year's Day"));
        QVERIFY(env.ui.errors().isEmpty());
        QVERIFY(env.ui.urls.isEmpty());
    }

    void controlsStandWhereTheyBelong() {
        test::TestEnvironment env;
        MainWindow form(env.services);
        QCOMPARE(form.size(), QSize(536, 546));
        QCOMPARE(test::button(form, "PushButton5")->geometry(), QRect(8, 8, 520, 27));
        QCOMPARE(test::button(form, "PushButton10")->geometry(), QRect(496, 270, 32, 27));
        QCOMPARE(test::button(form, "PushButton9")->text(),
                 QStringLiteral("Export Events To File"));
        QCOMPARE(test::find<QGroupBox>(form, "Frame2")->title(), QStringLiteral("Remind Options"));
        QCOMPARE(test::checkBox(form, "Check3")->text(),
                 QStringLiteral("Load this software on Windows startup"));
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

    void homePageOnlyOnSeven_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<bool>("opened");
        QTest::newRow("7") << 7 << true;
        QTest::newRow("1") << 1 << false;
        QTest::newRow("100") << 100 << false;
    }
    void homePageOnlyOnSeven() {
        QFETCH(int, draw);
        QFETCH(bool, opened);
        test::TestEnvironment env;
        env.chance.value = draw;
        MainWindow form(env.services);
        form.load();
        QCOMPARE(env.ui.urls, opened ? QStringList{QStringLiteral("https://www.marrowind.example/")}
                                     : QStringList());
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
        env.tray.calls.clear();
        form.releaseResources();
        QCOMPARE(form.storeConnection().state(), 0);
        QVERIFY(!form.timer().running());
        QCOMPARE(env.tray.calls.size(), 1);
        QCOMPARE(env.tray.calls.first().operation, QStringLiteral("delete"));
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
};

ALMANIS_TEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
