#include "ProgramFixture.h"

#include "desktop/TrayIcon.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

using namespace almanis;
using namespace std::chrono_literals;

namespace {

const QString kBalloonText = QStringLiteral(
    "has been minimized to the system tray.\r\n"
    "Click on the blue 'M' icon (M for Marrowind) to bring the software back.");

// The main window of a program that has started and been activated, with a
// balloon wait of a few milliseconds.
struct Running {
    explicit Running(bool startInTray = false) {
        if (startInTray) {
            env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        }
        form.trayIcon().setBalloonSecond(1ms);
        form.load();
        if (!form.isHiddenInTray()) {
            form.show();
            form.handleActivation();
        }
    }
    void minimise() { form.setWindowState(form.windowState() | Qt::WindowMinimized); }
    const QList<test::FakeTrayShell::Message>& balloons() const { return env.tray.messages; }
    void click() { env.tray.activate(TrayShell::Activation::Trigger); }

    test::TestEnvironment env;
    MainWindow form{env.services};
};

}  // namespace

class MinimiseToTrayTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void loadPutsTheIconUpWithTheProgramsTip() {
        Running p;
        QCOMPARE(p.env.tray.calls, (QStringList{"icon", "tip Almanis", "show"}));
        QVERIFY(!p.env.tray.icon.isNull());
        QVERIFY(p.form.trayIcon().inTray());
    }

    void firstMinimiseHidesAndShowsTheBalloonOnce() {
        Running p;
        p.minimise();
        QVERIFY(p.form.isHidden());
        QVERIFY(p.form.isHiddenInTray());
        QVERIFY(!(p.form.windowState() & Qt::WindowMinimized));  // comes back at its normal size
        QCOMPARE(p.balloons().size(), 1);
        const auto& balloon = p.balloons()[0];
        QCOMPARE(balloon.text, kBalloonText);
        QCOMPARE(balloon.title, QStringLiteral("Almanis"));
        QCOMPARE(balloon.milliseconds, 5000);

        p.click();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isHiddenInTray());

        // Later minimises hide at once, without a balloon and without waiting.
        const int calls = p.env.tray.calls.size();
        p.form.trayIcon().setBalloonSecond(12s);
        p.minimise();
        QVERIFY(p.form.isHidden());
        QCOMPARE(p.env.tray.calls.size(), calls);
    }

    void aClickOnTheIconRestores_data() {
        using Activation = TrayShell::Activation;
        QTest::addColumn<Activation>("reason");  // Unknown with `balloon`: the balloon clicked
        QTest::addColumn<bool>("balloon");
        QTest::addColumn<bool>("restored");
        QTest::newRow("click") << Activation::Trigger << false << true;
        QTest::newRow("double click") << Activation::DoubleClick << false << true;
        QTest::newRow("the other button opens the menu") << Activation::Context << false << false;
        QTest::newRow("middle button") << Activation::MiddleClick << false << false;
        QTest::newRow("unknown") << Activation::Unknown << false << false;
        QTest::newRow("balloon clicked") << Activation::Unknown << true << false;
    }
    void aClickOnTheIconRestores() {
        QFETCH(TrayShell::Activation, reason);
        QFETCH(bool, balloon);
        QFETCH(bool, restored);
        Running p;
        p.minimise();
        // The desktop's report of the minimise comes after the window hid; it must
        // not bring the window back minimised.
        QCoreApplication::processEvents();
        if (balloon) {
            p.env.tray.clickMessage();
        } else {
            p.env.tray.activate(reason);
        }
        QCOMPARE(p.form.isVisible(), restored);
        QCOMPARE(p.form.isHiddenInTray(), !restored);
        if (restored) {
            QVERIFY(!p.form.isMinimized());
        }
    }

    void clickWhileShownKeepsItShown() {
        Running p;
        p.click();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isHiddenInTray());
    }

    void clickDuringTheBalloonWaitRestoresTheWindow() {
        Running p;
        p.form.trayIcon().setBalloonSecond(12s);
        QTimer::singleShot(0, [&] {
            // The desktop reports the minimise before anyone can click.
            QCoreApplication::processEvents();
            p.click();
            QTimer::singleShot(0, [&] { p.env.tray.clickMessage(); });
        });
        p.minimise();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isHiddenInTray());
    }

    void closingWhileHiddenRemovesTheIcon() {
        Running p;
        p.minimise();
        QVERIFY(p.form.isHidden());
        p.form.close();
        QCOMPARE(p.env.tray.calls.last(), QStringLiteral("hide"));
        QVERIFY(!p.form.trayIcon().inTray());
    }

    void startInTrayIsAMinimiseWithBalloonAndStillChecksForDueEvents() {
        test::ProgramFixture p;
        p.addEvent(QStringLiteral("Anniversary"), 6, 15);
        p.env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        MainWindow& form = p.load();
        test::TestEnvironment& env = p.env;
        QVERIFY(form.isHiddenInTray());
        QVERIFY(form.isHidden());
        QVERIFY(!form.isMinimized());
        QCOMPARE(env.tray.messages.size(), 1);
        QCOMPARE(env.tray.messages[0].text, kBalloonText);
        // The start-up due check came right after the load, not when the user
        // first brings the window back.
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(env.ui.modals[0].title, QStringLiteral("Event Alert!"));
        QCOMPARE(form.events().rowCount(), 1);
        QVERIFY(!form.isStartingUp());
        // Bringing it back shows it at its normal size, and is no second start.
        env.tray.activate(TrayShell::Activation::Trigger);
        QVERIFY(form.isVisible());
        QVERIFY(!form.isMinimized());
        form.handleActivation();
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(form.events().rowCount(), 1);
    }

    void startShownLeavesTheFirstFillToTheActivation() {
        test::ProgramFixture p;
        QVERIFY(p.load().isStartingUp());
        QCOMPARE(p.window->events().rowCount(), 0);
    }

    void withoutATrayMinimisingNeverHides() {
        Running p;
        p.env.tray.trayAvailable = false;
        p.minimise();
        QVERIFY(!p.form.isHidden());
        QVERIFY(p.form.windowState() & Qt::WindowMinimized);
        QVERIFY(!p.form.isHiddenInTray());
        QVERIFY(p.balloons().isEmpty());
        // A tray that appears later brings the usual behaviour back; a click on it
        // restores the minimised window.
        p.env.tray.trayAvailable = true;
        p.click();
        QVERIFY(!(p.form.windowState() & Qt::WindowMinimized));
        QVERIFY(p.form.isVisible());
        p.minimise();
        QVERIFY(p.form.isHidden());
        QVERIFY(p.form.isHiddenInTray());
        QCOMPARE(p.balloons().size(), 1);
    }

    void withoutATrayStartInTrayStartsMinimisedAndChecksAtOnce() {
        test::ProgramFixture p(QDate(2026, 12, 25));
        p.env.tray.trayAvailable = false;
        p.env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        MainWindow& form = p.load();
        QVERIFY(!form.isHiddenInTray());  // so the program shows it, minimised
        QVERIFY(form.windowState() & Qt::WindowMinimized);
        QCOMPARE(p.env.ui.modals.size(), 1);  // Christmas Day of the seed is due
        QVERIFY(!form.isStartingUp());
        form.show();
        QVERIFY(form.isVisible());
        QVERIFY(form.isMinimized());
    }

    void theTrayMenuShowsTestsAndQuits() {
        Running p;
        QCOMPARE(p.env.tray.menuTexts(), (QStringList{"Show Almanis", "Test Alarm", "Quit"}));

        p.minimise();
        QVERIFY(p.form.isHiddenInTray());
        QVERIFY(p.env.tray.choose(QStringLiteral("Show Almanis")));
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isHiddenInTray());

        QVERIFY(p.env.tray.choose(QStringLiteral("Test Alarm")));
        QCOMPARE(p.env.ui.modals.size(), 1);
        QCOMPARE(p.env.ui.modals[0].title, QStringLiteral("Event Alert!"));
        QCOMPARE(p.env.ui.modals[0].owner, &p.form);
        QVERIFY(p.env.notifier.shown.isEmpty());

        // Quit is the close box's way out: store, timer and icon let go.
        QVERIFY(p.env.tray.choose(QStringLiteral("Quit")));
        QVERIFY(!p.form.isVisible());
        QCOMPARE(p.form.storeConnection().state(), 0);
        QVERIFY(!p.form.timer().running());
        QCOMPARE(p.env.tray.calls.last(), QStringLiteral("hide"));
    }

    void anotherStartBringsTheWindowBack_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("in the tray") << "tray";
        QTest::newRow("minimised without a tray") << "minimised";
        QTest::newRow("shown") << "shown";
    }
    void anotherStartBringsTheWindowBack() {
        QFETCH(QString, state);
        Running p;
        if (state == QLatin1String("tray")) {
            p.minimise();
            QVERIFY(p.form.isHidden());
        } else if (state == QLatin1String("minimised")) {
            p.env.tray.trayAvailable = false;
            p.minimise();
            QVERIFY(p.form.isMinimized());
        }
        p.form.showOnRequest();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isMinimized());
        QVERIFY(!p.form.isHiddenInTray());
    }
};

ALMANIS_TEST_MAIN(MinimiseToTrayTest)
#include "tst_minimise_to_tray.moc"
