#include "TestEnvironment.h"

#include "core/AppError.h"
#include "desktop/TrayIcon.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTimer>

using namespace almanis;
using namespace std::chrono_literals;

namespace {

QIcon someIcon(Qt::GlobalColor colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Sends a message from the desktop as soon as the event loop runs, that is,
// while the balloon wait is going on.
void sendDuringTheWait(test::FakeTrayShell& shell, TrayEvent event) {
    QTimer::singleShot(0, [&shell, event] { shell.send(event); });
}

}  // namespace

class TrayIconTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void newControlIsOutOfTheTrayWithItsStoredTip() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        QVERIFY(!tray.inTray());
        QVERIFY(!tray.iconAdded());
        QCOMPARE(tray.iconId(), 0u);
        QCOMPARE(tray.tip(), QStringLiteral("Telnet Server"));
        QVERIFY(shell.calls.isEmpty());
    }

    void addingSendsIconTipAndCallback() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setIcon(someIcon(Qt::blue));
        tray.setTip(QStringLiteral("Almanis"));
        QVERIFY(shell.calls.isEmpty());  // nothing to update before the icon is added
        tray.setInTray(true);
        QCOMPARE(shell.calls.size(), 1);
        const auto& add = shell.calls[0];
        QCOMPARE(add.operation, QStringLiteral("add"));
        QCOMPARE(add.request.fields,
                 TrayFields(TrayField::Events | TrayField::Icon | TrayField::Tip));
        QCOMPARE(add.request.iconId, 0u);
        QCOMPARE(add.request.tip, QStringLiteral("Almanis"));
        QVERIFY(add.request.balloonText.isEmpty());
        QVERIFY(tray.inTray());
        QVERIFY(tray.iconAdded());
    }

    void settingInTrayToItsValueCallsNothing() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(false);
        QVERIFY(shell.calls.isEmpty());
        tray.setInTray(true);
        tray.setInTray(true);
        QCOMPARE(shell.calls.size(), 1);
        tray.setInTray(false);
        tray.setInTray(false);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("delete"));
        QCOMPARE(shell.calls[1].request.fields, TrayFields());
        QVERIFY(!tray.iconAdded());
    }

    void emptyTipAddsNoTooltipUntilOneIsSet() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setTip(QString());
        tray.setInTray(true);
        QCOMPARE(shell.calls[0].request.fields.testFlag(TrayField::Tip), false);
        QCOMPARE(shell.calls[0].request.fields.testFlag(TrayField::Icon),
                 false);  // no picture set either
        tray.setTip(QStringLiteral("Almanis"));
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("modify"));
        QCOMPARE(shell.calls[1].request.fields, TrayFields(TrayField::Tip));
        QCOMPARE(shell.calls[1].request.tip, QStringLiteral("Almanis"));
    }

    void textsAreCutToTheirFields_data() {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("shown");
        const QString a127(127, QLatin1Char('a'));
        QTest::newRow("127 kept") << a127 << a127;
        QTest::newRow("128 cut") << a127 + QLatin1Char('b') << a127;
        QTest::newRow("1000 cut") << QString(1000, QLatin1Char('c'))
                                  << QString(127, QLatin1Char('c'));
        // A character outside the basic plane is not split in half.
        QTest::newRow("surrogate pair at the cut")
            << QString(126, QLatin1Char('a')) + QStringLiteral("\U0001F382x")
            << QString(126, QLatin1Char('a'));
    }
    void textsAreCutToTheirFields() {
        QFETCH(QString, tip);
        QFETCH(QString, shown);
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setTip(tip);
        tray.setInTray(true);
        tray.setTip(tip);
        QCOMPARE(shell.calls[0].request.tip, shown);
        QCOMPARE(shell.calls[1].request.tip, shown);
        QCOMPARE(tray.tip(), tip);  // the property keeps the whole text
    }

    void balloonTextsAreCut() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        tray.showBalloon(QString(300, QLatin1Char('t')), QString(100, QLatin1Char('h')), 0, false);
        const auto& balloon = shell.calls.last().request;
        QCOMPARE(balloon.balloonText.size(), 255);
        QCOMPARE(balloon.balloonTitle.size(), 63);
    }

    void onlyAnIconReplacesTheTrayIcon() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        const QIcon first = someIcon(Qt::blue);
        tray.setIcon(first);
        tray.setInTray(true);
        const qint64 key = tray.icon().cacheKey();
        QPixmap bitmap(16, 16);
        bitmap.fill(Qt::red);
        tray.setIcon(bitmap);
        tray.setIcon(bitmap.toImage());
        tray.setIcon(QIcon());
        QCOMPARE(tray.icon().cacheKey(), key);
        QCOMPARE(shell.calls.size(), 1);
        const QIcon second = someIcon(Qt::green);
        tray.setIcon(second);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].request.fields, TrayFields(TrayField::Icon));
        QCOMPARE(shell.calls[1].request.icon.cacheKey(), second.cacheKey());
        QCOMPARE(tray.icon().cacheKey(), second.cacheKey());
    }

    void trayEventsBecomeSignals_data() {
        QTest::addColumn<TrayEvent>("trayEvent");
        QTest::addColumn<QString>("event");
        QTest::newRow("move") << TrayEvent::MouseMove << "move";
        QTest::newRow("left down") << TrayEvent::LeftButtonDown << "down 1";
        QTest::newRow("left up") << TrayEvent::LeftButtonUp << "up 1";
        QTest::newRow("left double") << TrayEvent::LeftDoubleClick << "double 1";
        QTest::newRow("right down") << TrayEvent::RightButtonDown << "down 2";
        QTest::newRow("right up") << TrayEvent::RightButtonUp << "up 2";
        QTest::newRow("right double") << TrayEvent::RightDoubleClick << "double 2";
        QTest::newRow("balloon shown") << TrayEvent::BalloonShown << "";
    }
    void trayEventsBecomeSignals() {
        QFETCH(TrayEvent, trayEvent);
        QFETCH(QString, event);
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        QStringList events;
        const auto button = [](Qt::MouseButton b) { return b == Qt::LeftButton ? 1 : 2; };
        connect(&tray, &TrayIcon::mouseMoved, this,
                [&](quint32 id) { events << QStringLiteral("move%1").arg(id ? "?" : ""); });
        connect(&tray, &TrayIcon::mousePressed, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("down %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        connect(&tray, &TrayIcon::mouseReleased, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("up %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        connect(&tray, &TrayIcon::mouseDoubleClicked, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("double %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        shell.send(trayEvent);
        QCOMPARE(events, event.isEmpty() ? QStringList() : QStringList{event});
    }

    void balloonWithoutTimeOutDoesNotWait() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 0, false);
        QCOMPARE(shell.calls.size(), 2);
        const auto& balloon = shell.calls[1];
        QCOMPARE(balloon.operation, QStringLiteral("modify"));
        QCOMPARE(balloon.request.fields, TrayFields(TrayField::Balloon));
        QCOMPARE(balloon.request.balloonTimeoutMs, 0u);
        QCOMPARE(balloon.request.balloonText, QStringLiteral("text"));
        QCOMPARE(balloon.request.balloonTitle, QStringLiteral("title"));
        QVERIFY(tray.balloonVisible());
        tray.showBalloon(QStringLiteral("again"), QString(), -5, false);
        QCOMPARE(shell.calls.size(), 3);
        QCOMPARE(shell.calls[2].request.balloonTimeoutMs, 0u);
    }

    void balloonEndsTheWaitEarly_data() {
        QTest::addColumn<TrayEvent>("message");
        QTest::newRow("hidden") << TrayEvent::BalloonHidden;
        QTest::newRow("timed out") << TrayEvent::BalloonTimedOut;
        QTest::newRow("clicked") << TrayEvent::BalloonClicked;
    }
    void balloonEndsTheWaitEarly() {
        QFETCH(TrayEvent, message);
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        // A wait that were not ended by the message would last a minute.
        tray.setBalloonSecond(12s);
        sendDuringTheWait(shell, message);
        QElapsedTimer clock;
        clock.start();
        tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY(!tray.balloonVisible());
        QCOMPARE(shell.calls.size(), 2);  // no taking down
        QCOMPARE(shell.calls[1].request.balloonTimeoutMs, 5000u);
    }

    void eventsRunDuringTheWait() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(12s);
        QSignalSpy ups(&tray, &TrayIcon::mouseReleased);
        QTimer::singleShot(0, [&] {
            shell.send(TrayEvent::LeftButtonDown);
            shell.send(TrayEvent::LeftButtonUp);
            QTimer::singleShot(0, [&] { shell.send(TrayEvent::BalloonClicked); });
        });
        tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, false);
        QCOMPARE(ups.size(), 1);
        QVERIFY(!tray.balloonVisible());
    }

    void afterTheSecondsTheBalloonIsTakenDown() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(1ms);
        tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QCOMPARE(shell.calls.size(), 3);
        const auto& takeDown = shell.calls[2];
        QCOMPARE(takeDown.operation, QStringLiteral("modify"));
        QCOMPARE(takeDown.request.fields, TrayFields(TrayField::Balloon));
        QVERIFY(takeDown.request.balloonText.isEmpty());
        QVERIFY(takeDown.request.balloonTitle.isEmpty());
        QCOMPARE(takeDown.request.balloonTimeoutMs, 5000u);
        QVERIFY(tray.balloonVisible());  // only the shell says it is gone
        QCOMPARE(tray.onceShownCount(), 1);
    }

    void showOnceShowsOnePerRun() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(1ms);
        tray.showBalloon(QStringLiteral("first"), QString(), 5, true);
        const int calls = shell.calls.size();
        QElapsedTimer clock;
        clock.start();
        tray.setBalloonSecond(12s);
        tray.showBalloon(QStringLiteral("second"), QString(), 5, true);
        QCOMPARE(shell.calls.size(), calls);
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(tray.onceShownCount(), 1);
        // A balloon not shown once is shown every time.
        tray.showBalloon(QStringLiteral("third"), QString(), 0, false);
        QCOMPARE(shell.calls.size(), calls + 1);
        QCOMPARE(tray.onceShownCount(), 1);
    }

    void timeOutTooLongForItsFieldIsAnError_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("fails");
        QTest::newRow("2,147,483 fits") << 2147483 << false;
        QTest::newRow("2,147,484 overflows") << 2147484 << true;
        QTest::newRow("largest") << std::numeric_limits<int>::max() << true;
    }
    void timeOutTooLongForItsFieldIsAnError() {
        QFETCH(int, seconds);
        QFETCH(bool, fails);
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setInTray(true);
        if (fails) {
            QVERIFY_THROWS_EXCEPTION(
                AppError, tray.showBalloon(QStringLiteral("t"), QString(), seconds, true));
            QCOMPARE(shell.calls.size(), 1);
            QVERIFY(!tray.balloonVisible());
            QCOMPARE(tray.onceShownCount(), 0);
        } else {
            sendDuringTheWait(shell, TrayEvent::BalloonTimedOut);
            tray.showBalloon(QStringLiteral("t"), QString(), seconds, true);
            QCOMPARE(shell.calls[1].request.balloonTimeoutMs, 2147483000u);
        }
    }

    void balloonWithoutIconStillAsksTheShellAndWaits() {
        test::FakeTrayShell shell;
        TrayIcon tray(shell);
        tray.setBalloonSecond(1ms);
        tray.showBalloon(QStringLiteral("text"), QString(), 2, false);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[0].operation, QStringLiteral("modify"));
    }

    void endingTheIconTakesItOutOfTheTray() {
        test::FakeTrayShell shell;
        {
            TrayIcon tray(shell);
            tray.setInTray(true);
        }
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("delete"));
        QVERIFY(!shell.onEvent);
        { TrayIcon tray(shell); }
        QCOMPARE(shell.calls.size(), 2);
    }
};

ALMANIS_TEST_MAIN(TrayIconTest)
#include "tst_tray_icon.moc"
