#include "TestEnvironment.h"

#include "mainwindow/MainWindow.h"
#include "desktop/TrayIcon.h"
#include "store/Connection.h"
#include "store/Sql.h"

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
        form.cSysTray1->setBalloonSecond(1ms);
        form.Form_Load();
        if (!form.HiddenInTray) {
            form.show();
            form.Form_Activate();
        }
    }
    void minimise() { form.setWindowState(form.windowState() | Qt::WindowMinimized); }
    QList<test::FakeTrayShell::Call> balloons() const {
        QList<test::FakeTrayShell::Call> found;
        for (const auto& call : env.tray.calls) {
            if ((call.data.uFlags & NIF_INFO) && !call.data.szInfo.isEmpty()) {
                found.append(call);
            }
        }
        return found;
    }

    test::TestEnvironment env;
    Form1 form{env.services};
};

}  // namespace

class MinimiseToTrayTest : public QObject {
    Q_OBJECT
  private slots:
    void loadPutsTheIconUpWithTheProgramsTip() {
        Running p;
        QCOMPARE(p.env.tray.calls.size(), 1);
        const auto& add = p.env.tray.calls[0];
        QCOMPARE(add.operation, QStringLiteral("add"));
        QCOMPARE(add.data.szTip, QStringLiteral("Almanis"));
        QCOMPARE(add.data.uFlags, quint32(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        QVERIFY(!add.data.hIcon.isNull());
        QVERIFY(p.form.cSysTray1->InTray());
    }

    void firstMinimiseHidesAndShowsTheBalloonOnce() {
        Running p;
        p.minimise();
        QVERIFY(p.form.isHidden());
        QVERIFY(p.form.HiddenInTray);
        QVERIFY(!(p.form.windowState() & Qt::WindowMinimized));  // comes back at its normal size
        QCOMPARE(p.balloons().size(), 1);
        const auto balloon = p.balloons()[0].data;
        QCOMPARE(balloon.szInfo, kBalloonText);
        QCOMPARE(balloon.szInfoTitle, QStringLiteral("Almanis"));
        QCOMPARE(balloon.uTimeout, 5000u);
        // Nobody closed the balloon, so the program took it down after the wait.
        const auto& last = p.env.tray.calls.last();
        QVERIFY((last.data.uFlags & NIF_INFO) && last.data.szInfo.isEmpty());

        p.env.tray.send(WM_LBUTTONDOWN);
        p.env.tray.send(WM_LBUTTONUP);
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.HiddenInTray);

        // Later minimises hide at once, without a balloon and without waiting.
        const int calls = p.env.tray.calls.size();
        p.form.cSysTray1->setBalloonSecond(12s);
        QElapsedTimer clock;
        clock.start();
        p.minimise();
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY(p.form.isHidden());
        QCOMPARE(p.env.tray.calls.size(), calls);
    }

    void eitherButtonUpRestores_data() {
        QTest::addColumn<QList<quint32>>("messages");
        QTest::addColumn<bool>("restored");
        QTest::newRow("left click") << QList<quint32>{WM_LBUTTONDOWN, WM_LBUTTONUP} << true;
        QTest::newRow("right click") << QList<quint32>{WM_RBUTTONDOWN, WM_RBUTTONUP} << true;
        QTest::newRow("double click through its button-up")
            << QList<quint32>{WM_LBUTTONDBLCLK, WM_LBUTTONUP} << true;
        QTest::newRow("button down alone") << QList<quint32>{WM_LBUTTONDOWN} << false;
        QTest::newRow("double click alone")
            << QList<quint32>{WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK} << false;
        QTest::newRow("moving over it") << QList<quint32>{WM_MOUSEMOVE} << false;
        QTest::newRow("middle button") << QList<quint32>{519, 520} << false;
        QTest::newRow("balloon clicked") << QList<quint32>{NIN_BALLOONUSERCLICK} << false;
    }
    void eitherButtonUpRestores() {
        QFETCH(QList<quint32>, messages);
        QFETCH(bool, restored);
        Running p;
        p.minimise();
        // The desktop's report of the minimise comes after the window hid; it must
        // not bring the window back minimised.
        QCoreApplication::processEvents();
        for (quint32 m : messages) {
            p.env.tray.send(m);
        }
        QCOMPARE(p.form.isVisible(), restored);
        QCOMPARE(p.form.HiddenInTray, !restored);
        if (restored) {
            QVERIFY(!p.form.isMinimized());
        }
    }

    void clickWhileShownKeepsItShown() {
        Running p;
        p.env.tray.send(WM_RBUTTONUP);
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.HiddenInTray);
    }

    void clickDuringTheBalloonWaitRestoresTheWindow() {
        Running p;
        p.form.cSysTray1->setBalloonSecond(12s);
        QTimer::singleShot(0, [&] {
            // The desktop reports the minimise before anyone can click.
            QCoreApplication::processEvents();
            p.env.tray.send(WM_LBUTTONDOWN);
            p.env.tray.send(WM_LBUTTONUP);
            QTimer::singleShot(0, [&] { p.env.tray.send(NIN_BALLOONHIDE); });
        });
        p.minimise();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.HiddenInTray);
    }

    void closingWhileHiddenRemovesTheIcon() {
        Running p;
        p.minimise();
        QVERIFY(p.form.isHidden());
        p.form.close();
        QCOMPARE(p.env.tray.calls.last().operation, QStringLiteral("delete"));
        QVERIFY(!p.form.cSysTray1->InTray());
    }

    void startInTrayIsAMinimiseWithBalloonAndStillChecksForDueEvents() {
        test::TestEnvironment env(QDate(2026, 6, 15));
        env.createStore();
        {
            Connection db;
            db.open(env.storePath());
            db.execute(sql::insertEvent(QStringLiteral("Anniversary"), 6, 15));
        }
        env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        Form1 form(env.services);
        form.cSysTray1->setBalloonSecond(1ms);
        form.Form_Load();
        QVERIFY(form.HiddenInTray);
        QVERIFY(form.isHidden());
        QVERIFY(!form.isMinimized());
        int balloons = 0;
        for (const auto& call : env.tray.calls) {
            balloons += call.data.szInfo == kBalloonText ? 1 : 0;
        }
        QCOMPARE(balloons, 1);
        // The start-up due check came right after the load, not when the user
        // first brings the window back.
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(env.ui.modals[0].title, QStringLiteral("Event Alert!"));
        QCOMPARE(form.ListView1.rowCount(), 1);
        QVERIFY(!form.StartingUp);
        // Bringing it back shows it at its normal size, and is no second start.
        env.tray.send(WM_LBUTTONUP);
        QVERIFY(form.isVisible());
        QVERIFY(!form.isMinimized());
        form.Form_Activate();
        QCOMPARE(env.ui.modals.size(), 1);
        QCOMPARE(form.ListView1.rowCount(), 1);
    }

    void startShownLeavesTheFirstFillToTheActivation() {
        test::TestEnvironment env;
        Form1 form(env.services);
        form.Form_Load();
        QVERIFY(form.StartingUp);
        QCOMPARE(form.ListView1.rowCount(), 0);
    }

    void withoutATrayMinimisingNeverHides() {
        Running p;
        p.env.tray.trayAvailable = false;
        p.minimise();
        QVERIFY(!p.form.isHidden());
        QVERIFY(p.form.windowState() & Qt::WindowMinimized);
        QVERIFY(!p.form.HiddenInTray);
        QVERIFY(p.balloons().isEmpty());
        // A tray that appears later brings the usual behaviour back; a click on it
        // restores the minimised window.
        p.env.tray.trayAvailable = true;
        p.env.tray.send(WM_LBUTTONUP);
        QVERIFY(!(p.form.windowState() & Qt::WindowMinimized));
        QVERIFY(p.form.isVisible());
        p.minimise();
        QVERIFY(p.form.isHidden());
        QVERIFY(p.form.HiddenInTray);
        QCOMPARE(p.balloons().size(), 1);
    }

    void withoutATrayStartInTrayStartsMinimisedAndChecksAtOnce() {
        test::TestEnvironment env(QDate(2026, 12, 25));
        env.tray.trayAvailable = false;
        env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        Form1 form(env.services);
        form.Form_Load();
        QVERIFY(!form.HiddenInTray);  // so the program shows it, minimised
        QVERIFY(form.windowState() & Qt::WindowMinimized);
        QCOMPARE(env.ui.modals.size(), 1);  // Christmas Day of the seed is due
        QVERIFY(!form.StartingUp);
        form.show();
        QVERIFY(form.isVisible());
        QVERIFY(form.isMinimized());
    }
};

ALMANIS_TEST_MAIN(MinimiseToTrayTest)
#include "tst_minimise_to_tray.moc"
