#include "EngineFixture.h"
#include "Widgets.h"

#include "alarm/AlarmWindow.h"
#include "widgets/Design.h"
#include "widgets/PointerRule.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

using namespace almanis;
using almanis::test::EngineFixture;

namespace {
// The alarm window with the alarm as the engine has it now, loaded.
struct ShownAlarm {
    explicit ShownAlarm(EngineFixture& f) : window(f.env.services, f.engine.currentAlarm()) {
        window.load();
    }
    QStringList lines() const { return window.lines(); }
    PointerRule& pointer() const { return *window.findChild<PointerRule*>(); }
    AlarmWindow window;
};

}  // namespace

class AlarmWindowTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // A line longer than the list is wide wraps onto more lines of its row
    // rather than being cut off.
    void longLinesWrapAcrossTheListsWidth() {
        test::TestEnvironment env;
        const QString longOne = QStringLiteral(
            "A very long description for a friend: Maximilian Alexander "
            "Johannes-Friedrich von Habsburg-Lothringen, born in the spring");
        Alarm alarm;
        alarm.reminders = {{EventRecord{1, QStringLiteral("Short"), 6, 15}, 0, std::nullopt},
                           {EventRecord{2, longOne, 6, 15}, 0, std::nullopt}};
        AlarmWindow window(env.services, alarm);
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = test::find<QTreeView>(window, "ListView1");
        QCOMPARE(list->header()->sectionSize(0), list->viewport()->width());
        const QRect shortRow = list->visualRect(list->model()->index(0, 0));
        const QRect longRow = list->visualRect(list->model()->index(1, 0));
        QVERIFY2(
            longRow.height() >= 2 * shortRow.height(),
            qPrintable(QStringLiteral("%1 vs %2").arg(longRow.height()).arg(shortRow.height())));
        QCOMPARE(longRow.width(), list->viewport()->width());
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        window.close();
    }

    void windowLayout() {
        EngineFixture f;
        ShownAlarm a(f);
        AlarmWindow& w = a.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Alert!"));
        QCOMPARE(w.size(), QSize(px(8040), px(4320)));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!w.windowIcon().isNull());
        auto* list = test::find<QTreeView>(w, "ListView1");
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Description"));
        QCOMPARE(list->header()->sectionResizeMode(0), QHeaderView::Stretch);
        QCOMPARE(test::find<QTreeView>(w, "ListView1")->geometry(),
                 twipsRect(120, 120, 7800, 2760));
        QCOMPARE(test::find<QGroupBox>(w, "Frame1")->geometry(), twipsRect(120, 2970, 7800, 735));
        QVERIFY(test::find<QGroupBox>(w, "Frame1")->title().isEmpty());
        QCOMPARE(test::button(w, "PushButton1")->parentWidget(),
                 test::find<QGroupBox>(w, "Frame1"));
        QCOMPARE(test::caption(test::button(w, "PushButton1")), QStringLiteral("Remind Me Later"));
        QCOMPARE(test::button(w, "PushButton1")->geometry(), twipsRect(240, 210, 3840, 405));
        QCOMPARE(test::find<QComboBox>(w, "Combo1")->parentWidget(),
                 test::find<QGroupBox>(w, "Frame1"));
        QCOMPARE(test::find<QComboBox>(w, "Combo1")->geometry().topLeft(),
                 QPoint(px(4320), px(240)));
        QCOMPARE(test::find<QComboBox>(w, "Combo1")->width(), px(3255));
        QCOMPARE(test::caption(test::button(w, "PushButton2")),
                 QStringLiteral("Do Not Remind Me Again"));
        QCOMPARE(test::button(w, "PushButton2")->geometry(), twipsRect(120, 3810, 7800, 405));
        QCOMPARE(test::button(w, "PushButton1")->font(), buttonFont());
        QCOMPARE(w.font(), windowFont());
    }

    // The window shows the button face around its controls and inside its
    // frame, whatever colour the desktop gives it.
    void theButtonFaceShowsAroundTheControls() {
        EngineFixture f;
        ShownAlarm a(f);
        const QRect frame = test::find<QGroupBox>(a.window, "Frame1")->geometry();
        // Beside the list, and between the frame's two controls.
        QCOMPARE(test::pointsWithoutTheFace(
                     a.window,
                     {QPoint(px(60), px(60)), QPoint(frame.left() + px(4200), frame.center().y())}),
                 QString());
    }

    // The style keeps what it drew, by palette, in the application's picture
    // cache: an alarm window whose widgets had palettes of their own would
    // add to it each time. Alarms in turn draw with the same palettes, and
    // leave no widget behind.
    void alarmsInTurnDrawWithTheSamePalettesAndLeaveNothing() {
        EngineFixture f;
        const auto paletteKeys = [&f] {
            ShownAlarm a(f);
            return test::paletteKeys(a.window);
        };
        const QList<qint64> first = paletteKeys();
        const qsizetype widgets = QApplication::allWidgets().size();
        QCOMPARE(paletteKeys(), first);
        QCOMPARE(QApplication::allWidgets().size(), widgets);
    }

    void linesOfTheDueEvents_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<bool>>("windows");
        QTest::addColumn<QStringList>("expected");
        // Stored: Anniversary 18 Jun, Party 29 Jun, Today A and Today B 15 Jun.
        QTest::newRow("two events today, in the store's order")
            << QDate(2026, 6, 15) << QList<bool>{true, false, false, false, false}
            << QStringList{"Today A is today.", "Today B is today."};
        QTest::newRow("3 days ahead")
            << QDate(2026, 6, 15) << QList<bool>{false, true, false, false, false}
            << QStringList{"Anniversary is in 3 days."};
        QTest::newRow("14 days ahead")
            << QDate(2026, 6, 15) << QList<bool>{false, false, false, true, false}
            << QStringList{"Party is in 14 days."};
        QTest::newRow("14-day window off, even when something else is due")
            << QDate(2026, 6, 15) << QList<bool>{true, true, false, false, false}
            << QStringList{"Today A is today.", "Today B is today.", "Anniversary is in 3 days."};
        QTest::newRow("all windows")
            << QDate(2026, 6, 15) << QList<bool>{true, true, true, true, true}
            << QStringList{"Today A is today.", "Today B is today.", "Anniversary is in 3 days.",
                           "Party is in 14 days."};
        QTest::newRow("nothing due")
            << QDate(2026, 6, 16) << QList<bool>{true, true, true, true, true} << QStringList{};
    }
    void linesOfTheDueEvents() {
        QFETCH(QDate, today);
        QFETCH(QList<bool>, windows);
        QFETCH(QStringList, expected);
        EngineFixture f(today);
        f.add(QStringLiteral("Party"), 6, 29);
        f.add(QStringLiteral("Today A"), 6, 15);
        f.add(QStringLiteral("Anniversary"), 6, 18);
        f.add(QStringLiteral("Today B"), 6, 15);
        f.host.windows = RemindWindows{windows[0], windows[1], windows[2], windows[3], windows[4]};
        ShownAlarm a(f);
        QCOMPARE(a.lines(), expected);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void linesFollowTheStoredDateNotTheDaysLeft() {
        EngineFixture f(QDate(2026, 12, 30));
        f.add(QStringLiteral("Today"), 12, 30);
        f.add(QStringLiteral("Soon"), 1, 2);
        f.host.windows = RemindWindows{true, true, false, false, false};
        ShownAlarm a(f);
        QCOMPARE(a.lines(), (QStringList{"Soon is in 3 days.", "Today is today."}));
    }

    void caughtUpLinesFollowTodaysAndMakeATestReal() {
        EngineFixture f(QDate(2026, 6, 15));
        f.env.settings.values.insert(QStringLiteral("Last Check"), QStringLiteral("2026-06-12"));
        f.add(QStringLiteral("Sunday"), 6, 14);
        f.add(QStringLiteral("Today"), 6, 15);
        f.add(QStringLiteral("Saturday"), 6, 13);
        f.engine.startDay();
        f.engine.setTestingAlarm(true);
        ShownAlarm a(f);
        QCOMPARE(a.lines(), (QStringList{"Today is today.", "Saturday was 2 days ago.",
                                         "Sunday was yesterday."}));
        QVERIFY(!f.engine.testingAlarm());
    }

    void delayTextsAndPreselection_data() {
        QTest::addColumn<int>("duration");
        QTest::addColumn<int>("selected");
        QTest::newRow("off") << 0 << 0;
        QTest::newRow("1 hour") << 3600 << 0;
        QTest::newRow("2 hours") << 7200 << 1;
        QTest::newRow("6 hours") << 21600 << 2;
        QTest::newRow("12 hours") << 43200 << 3;
        QTest::newRow("anything else") << 5 << 0;
    }
    void delayTextsAndPreselection() {
        QFETCH(int, duration);
        QFETCH(int, selected);
        EngineFixture f;
        f.engine.setRecheckSeconds(duration);
        ShownAlarm a(f);
        QStringList texts;
        for (int i = 0; i < test::find<QComboBox>(a.window, "Combo1")->count(); ++i) {
            texts << test::find<QComboBox>(a.window, "Combo1")->itemText(i);
        }
        QCOMPARE(texts, (QStringList{"Remind after 1 hour", "Remind after 2 hours",
                                     "Remind after 6 hours", "Remind after 12 hours"}));
        QCOMPARE(test::find<QComboBox>(a.window, "Combo1")->currentIndex(), selected);
    }

    void answers_data() {
        QTest::addColumn<bool>("testing");
        QTest::addColumn<bool>("somethingDue");
        QTest::addColumn<QString>("answer");  // "later 0..3", "never" or "close box"
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<QStringList>("expected");
        const QStringList due{"Event is today."};
        const QStringList sample{"New Day Has Come is today's Event."};
        QTest::newRow("later, 1 hour") << false << true << "later 0" << 0 << 3600 << due;
        QTest::newRow("later, 2 hours") << false << true << "later 1" << 0 << 7200 << due;
        QTest::newRow("later, 6 hours") << false << true << "later 2" << 7200 << 21600 << due;
        QTest::newRow("later, 12 hours") << false << true << "later 3" << 0 << 43200 << due;
        QTest::newRow("later, nothing selected")
            << false << true << "later -1" << 7200 << 7200 << due;
        QTest::newRow("never") << false << true << "never" << 21600 << 0 << due;
        QTest::newRow("close box keeps the interval")
            << false << true << "close box" << 21600 << 21600 << due;
        QTest::newRow("close box keeps off") << false << true << "close box" << 0 << 0 << due;
        QTest::newRow("test, nothing due: never keeps the interval")
            << true << false << "never" << 3600 << 3600 << sample;
        QTest::newRow("test, nothing due: later sets it")
            << true << false << "later 1" << 0 << 7200 << sample;
        QTest::newRow("test, something due: a real alarm")
            << true << true << "never" << 3600 << 0 << due;
    }
    void answers() {
        QFETCH(bool, testing);
        QFETCH(bool, somethingDue);
        QFETCH(QString, answer);
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(QStringList, expected);
        EngineFixture f;
        f.engine.setTestingAlarm(testing);
        f.add(QStringLiteral("Event"), 6, somethingDue ? 15 : 16);
        f.engine.setRecheckSeconds(before);
        ShownAlarm a(f);
        QCOMPARE(a.lines(), expected);
        QCOMPARE(f.engine.testingAlarm(), testing && !somethingDue);
        a.window.show();
        if (answer.startsWith(QLatin1String("later"))) {
            test::find<QComboBox>(a.window, "Combo1")->setCurrentIndex(answer.mid(6).toInt());
            test::button(a.window, "PushButton1")->click();
        } else if (answer == QLatin1String("never")) {
            test::button(a.window, "PushButton2")->click();
        } else {
            a.window.close();
        }
        QVERIFY(!a.window.isVisible());
        f.engine.takeAnswer(a.window.answer());
        QCOMPARE(f.engine.recheckSeconds(), after);
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void soundPlaysOnceFromTheProgramFolder() {
        EngineFixture f;
        ShownAlarm a(f);
        QCOMPARE(f.env.sound.played,
                 QStringList{f.env.programFolder() + QStringLiteral("/Event.wav")});
        QVERIFY(a.pointer().hasHand());
    }

    void withoutSoundOrCursorFileTheWindowIsSilentAndPlain() {
        EngineFixture f;
        QVERIFY(QFile::remove(f.env.programFolder() + QStringLiteral("/Event.wav")));
        QVERIFY(QFile::remove(f.env.programFolder() + QStringLiteral("/HAND-M.CUR")));
        f.add(QStringLiteral("Event"), 6, 15);
        ShownAlarm a(f);
        QVERIFY(f.env.sound.played.isEmpty());
        QVERIFY(!a.pointer().hasHand());
        QVERIFY(f.env.ui.errors().isEmpty());
        QCOMPARE(a.lines(), QStringList{"Event is today."});
    }

    void handOverTheButtonsOnly() {
        EngineFixture f;
        ShownAlarm a(f);
        PointerRule& pointer = a.pointer();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(test::button(a.window, "PushButton2"), &enter);
        QCOMPARE(pointer.shape(), PointerRule::Hand);
        QApplication::sendEvent(test::find<QGroupBox>(a.window, "Frame1"), &enter);
        QCOMPARE(pointer.shape(), PointerRule::Arrow);
        QApplication::sendEvent(test::button(a.window, "PushButton1"), &enter);
        QCOMPARE(pointer.shape(), PointerRule::Hand);
        QApplication::sendEvent(test::find<QTreeView>(a.window, "ListView1")->viewport(), &enter);
        QCOMPARE(pointer.shape(), PointerRule::Arrow);
        pointer.setShape(PointerRule::Hourglass);
        QApplication::sendEvent(test::button(a.window, "PushButton1"), &enter);
        QCOMPARE(pointer.shape(), PointerRule::Hourglass);
    }

    void unreadableRowIsReportedAndNotListed() {
        EngineFixture f;
        f.db.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Broken',6,'x')"));
        f.add(QStringLiteral("Event"), 6, 15);
        ShownAlarm a(f);
        QCOMPARE(a.lines(), QStringList{"Event is today."});
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(
            QStringLiteral("in Almanis2021/08/31.Form3.ListTodayEvent at line 104")));
    }

    void unreadableStoreLeavesTheListEmpty_data() {
        QTest::addColumn<bool>("testing");
        QTest::newRow("alarm") << false;
        QTest::newRow("test mode: the sample line follows") << true;
    }
    void unreadableStoreLeavesTheListEmpty() {
        QFETCH(bool, testing);
        EngineFixture f;
        f.engine.setTestingAlarm(testing);
        f.add(QStringLiteral("Event"), 6, 15);
        f.db.execute(QStringLiteral("drop table tblEvent"));
        ShownAlarm a(f);
        QCOMPARE(a.lines(),
                 testing ? QStringList{"New Day Has Come is today's Event."} : QStringList{});
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors()[0].contains(QStringLiteral("no such table")));
        QVERIFY(f.env.ui.errors()[0].contains(
            QStringLiteral("in Almanis2021/08/31.Form3.ListTodayEvent at line 102")));
        // The rest of the window still loads.
        QCOMPARE(test::find<QComboBox>(a.window, "Combo1")->count(), 4);
        QCOMPARE(f.env.sound.played.size(), 1);
    }
};

ALMANIS_TEST_MAIN(AlarmWindowTest)
#include "tst_alarm_window.moc"
