#include "TestEnvironment.h"

#include "mainwindow/MainWindow.h"
#include "widgets/Design.h"
#include "desktop/TrayShell.h"
#include "store/DataFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeView>

using namespace almanis;

namespace {
QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

bool anyContains(const QStringList& texts, const QString& part) {
    for (const QString& text : texts) {
        if (text.contains(part)) {
            return true;
        }
    }
    return false;
}
}  // namespace

class Form1Test : public QObject {
    Q_OBJECT
  private slots:
    void firstStartOnACleanMachine() {
        test::TestEnvironment env(QDate(2026, 12, 8));
        Form1 form(env.services);
        form.Form_Load();
        QVERIFY(form.StartingUp);
        QVERIFY(QFile::exists(env.storePath()));
        QCOMPARE(bytes(env.storePath()).left(16), QByteArray("SQLite format 3\0", 16));
        QCOMPARE(form.windowTitle(), QStringLiteral("Almanis"));
        QCOMPARE(form.ListView1.columnCount(), 6);
        const QStringList headers{"id", "Description", "Month", "Day", "Day(s) Left", "MonthNo"};
        const int widths[] = {1, 2700, 1800, 1300, 1500, 0};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(form.ListView1.columnHeader(c), headers[c]);
            QCOMPARE(form.ListView1.columnWidth(c), widths[c]);
        }
        QVERIFY(form.ListView1View->isColumnHidden(0));
        QVERIFY(form.ListView1View->isColumnHidden(5));
        QVERIFY(form.Check1->isChecked());
        for (QCheckBox* box :
             {form.Check2, form.Check3, form.Check4, form.Check5, form.Check6, form.Check8}) {
            QVERIFY(!box->isChecked());
        }
        QCOMPARE(form.Timer1.interval(), 1000);
        QVERIFY(form.Timer1.running());
        // The tray icon goes up with its tip.
        QVERIFY(!env.tray.calls.isEmpty());
        QCOMPARE(env.tray.calls.last().operation, QStringLiteral("add"));
        QCOMPARE(env.tray.calls.last().data.szTip, QStringLiteral("Almanis"));

        form.Form_Activate();
        QVERIFY(!form.StartingUp);
        QCOMPARE(form.ListView1.count(), 11);  // the holidays of the events seed
        QCOMPARE(form.ListView1.subItem(0, 1), QStringLiteral("New Year's Day"));
        QVERIFY(env.ui.errors().isEmpty());
        QVERIFY(env.ui.urls.isEmpty());
    }

    void controlsStandWhereTheyBelong() {
        test::TestEnvironment env;
        Form1 form(env.services);
        QCOMPARE(form.size(), QSize(536, 546));
        QCOMPARE(form.PushButton5->geometry(), QRect(8, 8, 520, 27));
        QCOMPARE(form.PushButton10->geometry(), QRect(496, 270, 32, 27));
        QCOMPARE(form.PushButton9->text(), QStringLiteral("Export Events To File"));
        QCOMPARE(form.Frame2->title(), QStringLiteral("Remind Options"));
        QCOMPARE(form.Check3->text(), QStringLiteral("Load this software on Windows startup"));
        QCOMPARE(form.Check1->parentWidget(), form.Frame2);
        QCOMPARE(form.Check8->parentWidget(), form.Frame1);
        QCOMPARE(form.PushButton3->font().pointSizeF(), 11.25);
        QVERIFY(form.PushButton3->font().bold());
        // Design colours without a skin: white frames and check boxes.
        QCOMPARE(form.Frame1->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(form.Check4->palette().color(form.Check4->backgroundRole()), QColor(Qt::white));
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
        Form1 form(env.services);
        form.Form_Load();
        form.Form_Activate();
        QCOMPARE(form.ListView1.count(), rows);
        const QStringList errors = env.ui.errors();
        if (blankSeed) {
            QVERIFY(errors.isEmpty());
        } else {
            QVERIFY(anyContains(errors, QStringLiteral("File not found")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.Form_Load at line 104")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.Form_Load at line 112")));
            QVERIFY(anyContains(errors, QStringLiteral("Form1.ListEvents at line 102")));
            QCOMPARE(form.Timer1.interval(), 1000);  // the load went on to its end
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
        write(damaged, content);
        Form1 form(env.services);
        form.Form_Load();
        form.Form_Activate();
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("file is not a database")));
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 112")));
        QCOMPARE(bytes(damaged), content);
        QCOMPARE(form.ListView1.count(), 0);
        form.close();
        QCOMPARE(bytes(damaged), content);
    }

    void anExistingStoreIsKept() {
        test::TestEnvironment env;
        env.createStore();
        const QByteArray before = bytes(env.storePath());
        Form1 form(env.services);
        form.Form_Load();
        form.Form_Activate();
        QCOMPARE(form.ListView1.count(), 0);  // the blank store, not the events seed
        QVERIFY(env.ui.errors().isEmpty());
    }

    void aDataFolderThatCannotBeCreated() {
        test::TestEnvironment env;
        // A file where the maker's folder should be.
        write(QFileInfo(env.dataFolder()).path(), "in the way");
        Form1 form(env.services);
        form.Form_Load();
        form.Form_Activate();
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 100")));
        QVERIFY(anyContains(env.ui.errors(), QStringLiteral("Form1.Form_Load at line 112")));
        QCOMPARE(bytes(QFileInfo(env.dataFolder()).path()), QByteArray("in the way"));
        QCOMPARE(form.Timer1.interval(), 1000);
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
        Form1 form(env.services);
        form.Form_Load();
        QCOMPARE(env.ui.urls, opened ? QStringList{QStringLiteral("https://www.marrowind.example/")}
                                     : QStringList());
    }

    void theSkinColoursTheMainWindow() {
        test::TestEnvironment env;
        write(env.programFolder() + QStringLiteral("/x/o.cjs"), "QPushButton { color: darkblue; }");
        Form1 form(env.services);
        form.Form_Load();
        const QColor face = form.palette().color(QPalette::Button);
        QCOMPARE(form.Frame1->palette().color(QPalette::Window), face);
        QCOMPARE(form.Check1->palette().color(form.Check1->backgroundRole()), face);
        QVERIFY(form.styleSheet().contains(QStringLiteral("darkblue")));
        QVERIFY(form.SkinFramework1.applied());
        QCOMPARE(form.SkinFramework1.Options() & 1, 1);
    }

    void closingReleasesEverything() {
        test::TestEnvironment env;
        Form1 form(env.services);
        form.Form_Load();
        form.Form_Activate();
        env.tray.calls.clear();
        form.Form_QueryUnload();
        QCOMPARE(form.EventDb.state(), 0);
        QVERIFY(!form.Timer1.running());
        QCOMPARE(env.tray.calls.size(), 1);
        QCOMPARE(env.tray.calls.first().operation, QStringLiteral("delete"));
        // The store can be opened by anyone once we let go of it.
        QFile store(env.storePath());
        QVERIFY(store.open(QIODevice::ReadWrite));
        QVERIFY(env.ui.errors().isEmpty());
    }

    void clickingARowSelectsIt() {
        test::TestEnvironment env;
        Form1 form(env.services);
        form.Form_Load();
        form.show();
        form.Form_Activate();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect third = form.ListView1View->visualRect(form.ListView1.index(2, 1));
        QTest::mouseClick(form.ListView1View->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(form.selectedRow(), 2);
    }

    void onlyTheFirstActivationFillsTheList() {
        test::TestEnvironment env(QDate(2026, 12, 25));  // Christmas Day is due
        Form1 form(env.services);
        form.Form_Load();
        int reentered = 0;
        env.ui.modalScripts.push_back([&](QDialog& dialog) {
            // The main window becomes active again while the alarm closes.
            form.Form_Activate();
            ++reentered;
            dialog.close();
        });
        form.Form_Activate();
        form.Form_Activate();
        QCOMPARE(reentered, 1);
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(env.ui.modals.first().title, QStringLiteral("Event Alert!"));
        QVERIFY(!form.StartingUp);
    }
};

ALMANIS_TEST_MAIN(Form1Test)
#include "tst_main_window.moc"
