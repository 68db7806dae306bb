#include "ProgramFixture.h"

#include "desktop/TrayIcon.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QWindow>

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
    // Puts the window "tray" (minimised into the tray), "minimised" (with no
    // tray to go to) or leaves it shown; whether it went there.
    bool putAway(const QString& state) {
        if (state == QLatin1String("tray")) {
            minimise();
            return form.isHidden();
        }
        if (state == QLatin1String("minimised")) {
            env.tray.trayAvailable = false;
            minimise();
            return form.isMinimized();
        }
        return true;
    }
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
        QCOMPARE(p.env.tray.calls.mid(0, 3), (QStringList{"icon", "tip Almanis", "show"}));
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

    // With the option on, closing the window hides it (into the tray where
    // there is one) and the reminders go on; another start shows it, and the
    // tray's Quit ends the program. Off, closing ends it as ever.
    void closingKeepsRemindingWhenAsked_data() {
        QTest::addColumn<bool>("keepRunning");
        QTest::addColumn<bool>("tray");
        QTest::newRow("off") << false << true;
        QTest::newRow("on, with a tray") << true << true;
        QTest::newRow("on, without a tray") << true << false;
    }
    void closingKeepsRemindingWhenAsked() {
        QFETCH(bool, keepRunning);
        QFETCH(bool, tray);
        test::TestEnvironment env;
        env.tray.trayAvailable = tray;
        env.settings.values.insert(QStringLiteral("Keep Running"),
                                   keepRunning ? QStringLiteral("On") : QStringLiteral("Off"));
        MainWindow form(env.services);
        form.load();
        form.show();
        form.handleActivation();
        QCOMPARE(test::checkBox(form, "Check9")->isChecked(), keepRunning);
        form.reminderEngine().setRecheckSeconds(3600);
        QVERIFY(!form.close() || !keepRunning);
        QVERIFY(form.isHidden());
        QCOMPARE(form.storeConnection().state() != 0, keepRunning);
        QCOMPARE(form.timer().running(), keepRunning);
        QCOMPARE(form.trayIcon().inTray(), keepRunning);
        QCOMPARE(form.isHiddenInTray(), keepRunning && tray);
        if (!keepRunning) {
            return;
        }
        form.showOnRequest(QStringLiteral("token"));
        QVERIFY(form.isVisible());
        QCOMPARE(env.ui.broughtForward.last(), QStringLiteral("Form1 token"));
        QVERIFY(env.tray.choose(QStringLiteral("Quit")));
        QVERIFY(form.isHidden());
        QCOMPARE(form.storeConnection().state(), 0);
        QVERIFY(!form.timer().running());
    }

    void theTrayTellsTheNextEventAndTheSnooze_data() {
        QTest::addColumn<QList<int>>("days");  // of the events, in June
        QTest::addColumn<QString>("next");
        QTest::newRow("nothing stored") << QList<int>{} << "";
        QTest::newRow("today") << QList<int>{20, 15} << "\nNext: Event 15 today";
        QTest::newRow("tomorrow") << QList<int>{16, 20} << "\nNext: Event 16 tomorrow";
        QTest::newRow("in 3 days") << QList<int>{18} << "\nNext: Event 18 in 3 days";
        QTest::newRow("several that day")
            << QList<int>{30, 18, 18, 18} << "\nNext: Event 18 and 2 more in 3 days";
        QTest::newRow("passed this year") << QList<int>{14} << "\nNext: Event 14 in 364 days";
    }
    void theTrayTellsTheNextEventAndTheSnooze() {
        QFETCH(QList<int>, days);
        QFETCH(QString, next);
        test::ProgramFixture p;
        p.useBlankStore();
        for (int day : days) {
            p.addEvent(QStringLiteral("Event %1").arg(day), 6, day);
        }
        p.start();
        QCOMPARE(p.env.tray.toolTip, QStringLiteral("Almanis") + next);
        // Snoozed at noon for two hours.
        p.window->reminderEngine().setRecheckSeconds(7200);
        QCOMPARE(p.env.tray.toolTip,
                 QStringLiteral("Almanis") + next + QStringLiteral("\nReminding again at 2:00 PM"));
        p.window->reminderEngine().setRecheckSeconds(0);
        QCOMPARE(p.env.tray.toolTip, QStringLiteral("Almanis") + next);
    }

    void theTrayAsksForAttentionWhileAnAlarmWaits() {
        test::ProgramFixture p;
        p.useBlankStore();
        p.addEvent(QStringLiteral("Ada's birthday"), 6, 15);
        QStringList tipWhileShown;
        qint64 iconWhileShown = 0;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            tipWhileShown = p.env.tray.toolTip.split(QLatin1Char('\n'));
            iconWhileShown = p.env.tray.icon.cacheKey();
            alarm.close();
        });
        p.start();
        QCOMPARE(tipWhileShown,
                 (QStringList{"Almanis", "Next: Ada's birthday today", "An alarm is waiting"}));
        QVERIFY(iconWhileShown != p.env.tray.icon.cacheKey());
        QCOMPARE(p.env.tray.icon.cacheKey(), p.window->windowIcon().cacheKey());
        QCOMPARE(p.env.tray.toolTip, QStringLiteral("Almanis\nNext: Ada's birthday today"));
    }

    // The alarm stands over the window as its transient while the window is on
    // the screen, so that the compositor places it there and raises it with
    // it; hidden in the tray or minimised, it stands alone and still comes up.
    // Either way it blocks only the window, never the tray's icon: over the
    // window by its modality, alone by the window taking no edits, also when
    // the tray brings the window back while the alarm waits.
    void theAlarmIsTransientForTheWindowOnTheScreen_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("test");
        QTest::addColumn<bool>("transient");
        for (const bool test : {false, true}) {
            const char* kind = test ? "test alarm" : "due alarm";
            QTest::addRow("%s, shown", kind) << "shown" << test << true;
            QTest::addRow("%s, in the tray", kind) << "tray" << test << false;
            QTest::addRow("%s, minimised without a tray", kind) << "minimised" << test << false;
        }
    }
    void theAlarmIsTransientForTheWindowOnTheScreen() {
        QFETCH(QString, state);
        QFETCH(bool, test);
        QFETCH(bool, transient);
        Running p;
        QVERIFY(p.putAway(state));
        QWidget* parent = &p.form;
        QWindow* transientParent = nullptr;
        Qt::WindowModality modality = Qt::ApplicationModal;
        bool editable = !transient;
        bool backAndBlocked = transient;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            parent = alarm.parentWidget();
            alarm.winId();
            transientParent = alarm.windowHandle()->transientParent();
            QVERIFY(alarm.isWindow());
            modality = alarm.windowModality();
            editable = p.form.isEnabled();
            if (!transient) {
                alarm.show();
                QVERIFY(p.env.tray.choose(QStringLiteral("Show Almanis")));
                backAndBlocked = p.form.isVisible() && !p.form.isMinimized() &&
                                 !p.form.isEnabled() &&
                                 p.env.ui.broughtForward.contains(QStringLiteral("Form3 "));
                // The window, activated over the alarm, brings it over itself.
                p.env.ui.broughtForward.clear();
                QEvent activation(QEvent::WindowActivate);
                QApplication::sendEvent(&p.form, &activation);
                backAndBlocked = backAndBlocked &&
                                 p.env.ui.broughtForward == QStringList{QStringLiteral("Form3 ")};
            }
            alarm.close();
        });
        if (test) {
            QVERIFY(p.env.tray.choose(QStringLiteral("Test Alarm")));
        } else {
            Alarm due;
            due.reminders = {Reminder::about(EventRecord{0, QStringLiteral("Anniversary"), 6, 15},
                                             0, QDate(2026, 6, 15))};
            p.form.reminderEngine().openAlarm(due);
        }
        QCOMPARE(p.env.ui.modals.size(), 1);
        QCOMPARE(parent, transient ? &p.form : nullptr);
        QCOMPARE(transientParent, transient ? p.form.windowHandle() : nullptr);
        QCOMPARE(modality, Qt::WindowModal);
        QCOMPARE(editable, transient);
        QVERIFY(backAndBlocked);
        QVERIFY(p.form.isEnabled());
    }

    // The tray's Quit ends the program while an alarm waits: the alarm's wait
    // ends with it, also that of the start-up alarm of a program started in
    // the tray, which waits before the program's own loop runs.
    void quittingWhileAnAlarmWaitsEndsItsWait_data() {
        QTest::addColumn<bool>("startInTray");
        QTest::newRow("shown") << false;
        QTest::newRow("started in the tray") << true;
    }
    void quittingWhileAnAlarmWaitsEndsItsWait() {
        QFETCH(bool, startInTray);
        test::ProgramFixture p;
        p.useBlankStore();
        p.addEvent(QStringLiteral("Ada's birthday"), 6, 15);
        if (startInTray) {
            p.env.settings.values = {{"Minimized", "On"}};
        }
        bool alarmClosed = false;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            alarm.show();
            QVERIFY(p.env.tray.choose(QStringLiteral("Quit")));
            alarmClosed = alarm.isHidden();
        });
        MainWindow& form = startInTray ? p.load() : p.start();
        QCOMPARE(p.env.ui.modals.size(), 1);
        QVERIFY(alarmClosed);
        QVERIFY(form.hasClosed());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.timer().running());
        QCOMPARE(p.env.tray.calls.last(), QStringLiteral("hide"));
    }

    // The tray's menu answers while an alarm waits: Test Alarm brings the
    // waiting alarm forward rather than opening a second one over it, which
    // would end the first one's wait (the tray's attention, the timer held).
    void theTrayTestAlarmBringsTheWaitingAlarmForward() {
        test::ProgramFixture p;
        p.useBlankStore();
        p.addEvent(QStringLiteral("Ada's birthday"), 6, 15);
        QStringList tipAfterTest;
        bool timerRunning = true;
        p.env.ui.modalScripts.push_back([&](QDialog& alarm) {
            alarm.show();
            QVERIFY(p.env.tray.choose(QStringLiteral("Test Alarm")));
            tipAfterTest = p.env.tray.toolTip.split(QLatin1Char('\n'));
            timerRunning = p.window->timer().running();
            alarm.close();
        });
        p.start();
        QCOMPARE(p.env.ui.modals.size(), 1);
        QVERIFY(p.env.ui.broughtForward.contains(QStringLiteral("Form3 ")));
        QCOMPARE(tipAfterTest.value(2), QStringLiteral("An alarm is waiting"));
        QVERIFY(!timerRunning);
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
        QVERIFY(p.putAway(state));
        p.form.showOnRequest();
        QVERIFY(p.form.isVisible());
        QVERIFY(!p.form.isMinimized());
        QVERIFY(!p.form.isHiddenInTray());
    }
};

ALMANIS_TEST_MAIN(MinimiseToTrayTest)
#include "tst_minimise_to_tray.moc"
