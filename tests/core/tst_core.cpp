#include "TestEnvironment.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "reminders/EventListModel.h"
#include "core/Paths.h"
#include "widgets/Design.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QTreeView>

using namespace almanis;

class AppCoreTest : public QObject {
    Q_OBJECT
  private slots:
    void errorReportTextIsExact() {
        QCOMPARE(
            errorReportText(QStringLiteral("file is not a database"), QStringLiteral("Form1"),
                            QStringLiteral("Form_Load"), 112),
            QStringLiteral(
                "file is not a database\r\nin Almanis2021/08/31.Form1.Form_Load at line 112\r\r"
                "Please email screenshot of this message to support@marrowind.example"));
    }

    void guardReportsAndGoesOn() {
        test::ScriptedUi ui;
        Guard g(ui, QStringLiteral("Form3"), QStringLiteral("PushButton1_Click"));
        QStringList ran;
        QVERIFY(!g.step(100, [&] { throw AppError(QStringLiteral("first")); }));
        QVERIFY(g.step(102, [&] { ran << QStringLiteral("102"); }));
        QVERIFY(!g.step(104, [&] { throw std::runtime_error("second"); }));
        // A failing test counts as passed, so what it guards still runs.
        QVERIFY(g.test(106, [&]() -> bool { throw AppError(QStringLiteral("third")); }));
        QVERIFY(!g.test(108, [] { return false; }));
        const auto value = g.value(110, [] { return 42; });
        QCOMPARE(value.value_or(0), 42);
        QVERIFY(
            !g.value(112, []() -> int { throw AppError(QStringLiteral("fourth")); }).has_value());
        QCOMPARE(ran, QStringList{QStringLiteral("102")});
        QCOMPARE(g.failures(), 4);
        const QStringList errors = ui.errors();
        QCOMPARE(errors.size(), 4);
        QVERIFY(errors[0].startsWith(QStringLiteral(
            "first\r\nin Almanis2021/08/31.Form3.PushButton1_Click at line 100\r\r")));
        QVERIFY(errors[1].startsWith(QStringLiteral("second\r\n")));
        QVERIFY(errors[2].contains(QStringLiteral("at line 106")));
        QCOMPARE(ui.boxes.first().title, QStringLiteral("Application Error"));
    }

    void appTitle_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("title");
        QTest::newRow("one word stays whole") << "Almanis"
                                              << "Almanis";
        QTest::newRow("last word dropped") << "Almanis Event Reminder"
                                           << "Almanis Event";
        QTest::newRow("cut until 40 or shorter")
            << "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa"
            << "Alpha Beta Gamma Delta Epsilon Zeta Eta";
        QTest::newRow("exactly 40 after one cut")
            << "aaaaaaaaaa bbbbbbbbbb cccccccccc ddddddd extra"
            << "aaaaaaaaaa bbbbbbbbbb cccccccccc ddddddd";
    }
    void appTitle() {
        QFETCH(QString, product);
        QFETCH(QString, title);
        QCOMPARE(titleFromProductName(product), title);
        QVERIFY(titleFromProductName(product).size() <= kTitleLimit);
    }

    void specialFolders() {
        test::TestEnvironment env;
        QCOMPARE(GetSpecialFolder(kCommonAppData) + QStringLiteral("/Marrowind/Almanis"),
                 env.dataFolder());
        QCOMPARE(dataFolder(), env.dataFolder());
        QVERIFY(GetSpecialFolder(26).isEmpty());
        QVERIFY(GetSpecialFolder(0).isEmpty());
    }

    void fileExists_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("exists");
        QTest::newRow("seed") << "/dbBlank.mdb" << true;
        QTest::newRow("missing file") << "/nothing.mdb" << false;
        QTest::newRow("in a missing folder") << "/no/such/folder/dbBlank.mdb" << false;
    }
    void fileExists() {
        QFETCH(QString, relative);
        QFETCH(bool, exists);
        test::TestEnvironment env;
        QCOMPARE(FileExists(env.programFolder() + relative), exists);
        QVERIFY(!FileExists(QString()));
    }

    void checkValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("clear") << 0 << true;
        QTest::newRow("ticked") << 1 << true;
        QTest::newRow("Qt's checked is not a stored state") << 2 << false;
        QTest::newRow("minus one") << -1 << false;
        QTest::newRow("seven") << 7 << false;
    }
    void checkValues() {
        QFETCH(int, value);
        QFETCH(bool, valid);
        QCheckBox box;
        box.setChecked(true);
        if (valid) {
            setCheckValue(box, value);
            QCOMPARE(checkValue(box), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(AppError, setCheckValue(box, value));
            QCOMPARE(checkValue(box), 1);  // unchanged
        }
    }

    void listViewColumnsAndItems() {
        ListViewModel model;
        QTreeView* view = makeListView(nullptr, model);
        for (const char* header : {"id", "Description", "MonthNo"}) {
            model.addColumn(QLatin1String(header));
        }
        model.setColumnWidth(0, 1);
        model.setColumnWidth(1, 2700);
        model.setColumnWidth(2, 0);
        QVERIFY(view->isColumnHidden(0));
        QVERIFY(!view->isColumnHidden(1));
        QVERIFY(view->isColumnHidden(2));
        QCOMPARE(view->header()->sectionSize(1), 180);

        {
            ListBatch batch(model);
            model.clear();
            for (int i = 0; i < 3; ++i) {
                const int row = model.addItem(QString::number(i));
                model.setSubItem(row, 1, QStringLiteral("event %1").arg(i));
            }
        }
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole).toString(),
                 QStringLiteral("event 2"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Description"));
        QVERIFY(model.subItem(0, 2).isEmpty());
        QVERIFY_THROWS_EXCEPTION(AppError, model.subItem(3, 1));
        QVERIFY_THROWS_EXCEPTION(AppError, model.setSubItem(0, 3, QString()));
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        delete view;
    }
};

ALMANIS_TEST_MAIN(AppCoreTest)
#include "tst_core.moc"
