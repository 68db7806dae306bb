#include "TestEnvironment.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "core/Paths.h"

#include <QApplication>

using namespace almanis;

class CoreTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void errorReportTextIsExact() {
        QCOMPARE(
            errorReportText(QStringLiteral("file is not a database"), where::mainWindowLoad, 112,
                            QStringLiteral("help@almanis.test")),
            QStringLiteral(
                "file is not a database\r\nin Almanis2021/08/31.Form1.Form_Load at line 112\r\r"
                "Please email screenshot of this message to help@almanis.test"));
    }

    void errorReportWithoutASupportAddress() {
        // The default build names no address; the report still tells where
        // the failure was, and ends there.
        for (const QString& text :
             {errorReportText(QStringLiteral("Overflow"), where::pollTick, 104, QString()),
              errorReportText(QStringLiteral("Overflow"), where::pollTick, 104)}) {
            QCOMPARE(text, QStringLiteral(
                               "Overflow\r\nin Almanis2021/08/31.Form1.Timer1_Timer at line 104"));
        }
    }

    void guardReportsAndGoesOn() {
        test::ScriptedUi ui;
        Guard g(ui, where::remindLater);
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
        QCOMPARE(errors[0], errorReportText(QStringLiteral("first"), where::remindLater, 100));
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

    void dataFolders() {
        test::TestEnvironment env;
        QCOMPARE(applicationDataFolder() + QStringLiteral("/Marrowind/Almanis"), env.dataFolder());
        QCOMPARE(dataFolder(), env.dataFolder());
        QCOMPARE(makerFolder() + QStringLiteral("/Almanis"), env.dataFolder());
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
        QCOMPARE(almanis::fileExists(env.programFolder() + relative), exists);
        QVERIFY(!almanis::fileExists(QString()));
    }
};

ALMANIS_TEST_MAIN(CoreTest)
#include "tst_core.moc"
