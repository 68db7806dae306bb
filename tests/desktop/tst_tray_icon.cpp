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

// A tray icon over a fake desktop, put in the tray unless told otherwise.
struct Tray {
    explicit Tray(bool inTray = true) {
        if (inTray) {
            tray.setInTray(true);
        }
    }
    test::FakeTrayShell shell;
    TrayIcon tray{shell};
};

}  // namespace

class TrayIconTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void newControlIsOutOfTheTrayWithItsStoredTip() {
        Tray t(false);
        QVERIFY(!t.tray.inTray());
        QVERIFY(!t.tray.iconAdded());
        QCOMPARE(t.tray.iconId(), 0u);
        QCOMPARE(t.tray.tip(), QStringLiteral("Telnet Server"));
        QVERIFY(t.shell.calls.isEmpty());
    }

    void addingSendsIconTipAndCallback() {
        Tray t(false);
        t.tray.setIcon(someIcon(Qt::blue));
        t.tray.setTip(QStringLiteral("Almanis"));
        QVERIFY(t.shell.calls.isEmpty());  // nothing to update before the icon is added
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls.size(), 1);
        const auto& add = t.shell.calls[0];
        QCOMPARE(add.operation, QStringLiteral("add"));
        QCOMPARE(add.request.fields,
                 TrayFields(TrayField::Events | TrayField::Icon | TrayField::Tip));
        QCOMPARE(add.request.iconId, 0u);
        QCOMPARE(add.request.tip, QStringLiteral("Almanis"));
        QVERIFY(add.request.balloonText.isEmpty());
        QVERIFY(t.tray.inTray());
        QVERIFY(t.tray.iconAdded());
    }

    void settingInTrayToItsValueCallsNothing() {
        Tray t(false);
        t.tray.setInTray(false);
        QVERIFY(t.shell.calls.isEmpty());
        t.tray.setInTray(true);
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls.size(), 1);
        t.tray.setInTray(false);
        t.tray.setInTray(false);
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[1].operation, QStringLiteral("delete"));
        QCOMPARE(t.shell.calls[1].request.fields, TrayFields());
        QVERIFY(!t.tray.iconAdded());
    }

    void emptyTipAddsNoTooltipUntilOneIsSet() {
        Tray t(false);
        t.tray.setTip(QString());
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls[0].request.fields.testFlag(TrayField::Tip), false);
        QCOMPARE(t.shell.calls[0].request.fields.testFlag(TrayField::Icon),
                 false);  // no picture set either
        t.tray.setTip(QStringLiteral("Almanis"));
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[1].operation, QStringLiteral("modify"));
        QCOMPARE(t.shell.calls[1].request.fields, TrayFields(TrayField::Tip));
        QCOMPARE(t.shell.calls[1].request.tip, QStringLiteral("Almanis"));
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
        Tray t(false);
        t.tray.setTip(tip);
        t.tray.setInTray(true);
        t.tray.setTip(tip);
        QCOMPARE(t.shell.calls[0].request.tip, shown);
        QCOMPARE(t.shell.calls[1].request.tip, shown);
        QCOMPARE(t.tray.tip(), tip);  // the property keeps the whole text
    }

    void balloonTextsAreCut() {
        Tray t;
        t.tray.showBalloon(QString(300, QLatin1Char('t')), QString(100, QLatin1Char('h')), 0,
                           false);
        const auto& balloon = t.shell.calls.last().request;
        QCOMPARE(balloon.balloonText.size(), 255);
        QCOMPARE(balloon.balloonTitle.size(), 63);
    }

    void onlyAnIconReplacesTheTrayIcon() {
        Tray t(false);
        const QIcon first = someIcon(Qt::blue);
        t.tray.setIcon(first);
        t.tray.setInTray(true);
        const qint64 key = t.tray.icon().cacheKey();
        QPixmap bitmap(16, 16);
        bitmap.fill(Qt::red);
        t.tray.setIcon(bitmap);
        t.tray.setIcon(bitmap.toImage());
        t.tray.setIcon(QIcon());
        QCOMPARE(t.tray.icon().cacheKey(), key);
        QCOMPARE(t.shell.calls.size(), 1);
        const QIcon second = someIcon(Qt::green);
        t.tray.setIcon(second);
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[1].request.fields, TrayFields(TrayField::Icon));
        QCOMPARE(t.shell.calls[1].request.icon.cacheKey(), second.cacheKey());
        QCOMPARE(t.tray.icon().cacheKey(), second.cacheKey());
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
        Tray t;
        QStringList events;
        const auto button = [](Qt::MouseButton b) { return b == Qt::LeftButton ? 1 : 2; };
        connect(&t.tray, &TrayIcon::mouseMoved, this,
                [&](quint32 id) { events << QStringLiteral("move%1").arg(id ? "?" : ""); });
        connect(&t.tray, &TrayIcon::mousePressed, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("down %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        connect(&t.tray, &TrayIcon::mouseReleased, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("up %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        connect(&t.tray, &TrayIcon::mouseDoubleClicked, this, [&](Qt::MouseButton b, quint32 id) {
            events << QStringLiteral("double %1%2").arg(button(b)).arg(id ? "?" : "");
        });
        t.shell.send(trayEvent);
        QCOMPARE(events, event.isEmpty() ? QStringList() : QStringList{event});
    }

    void balloonWithoutTimeOutDoesNotWait() {
        Tray t;
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 0, false);
        QCOMPARE(t.shell.calls.size(), 2);
        const auto& balloon = t.shell.calls[1];
        QCOMPARE(balloon.operation, QStringLiteral("modify"));
        QCOMPARE(balloon.request.fields, TrayFields(TrayField::Balloon));
        QCOMPARE(balloon.request.balloonTimeoutMs, 0u);
        QCOMPARE(balloon.request.balloonText, QStringLiteral("text"));
        QCOMPARE(balloon.request.balloonTitle, QStringLiteral("title"));
        QVERIFY(t.tray.balloonVisible());
        t.tray.showBalloon(QStringLiteral("again"), QString(), -5, false);
        QCOMPARE(t.shell.calls.size(), 3);
        QCOMPARE(t.shell.calls[2].request.balloonTimeoutMs, 0u);
    }

    void balloonEndsTheWaitEarly_data() {
        QTest::addColumn<TrayEvent>("message");
        QTest::newRow("hidden") << TrayEvent::BalloonHidden;
        QTest::newRow("timed out") << TrayEvent::BalloonTimedOut;
        QTest::newRow("clicked") << TrayEvent::BalloonClicked;
    }
    void balloonEndsTheWaitEarly() {
        QFETCH(TrayEvent, message);
        Tray t;
        // A wait that were not ended by the message would last a minute.
        t.tray.setBalloonSecond(12s);
        sendDuringTheWait(t.shell, message);
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QVERIFY(!t.tray.balloonVisible());
        QCOMPARE(t.shell.calls.size(), 2);  // no taking down
        QCOMPARE(t.shell.calls[1].request.balloonTimeoutMs, 5000u);
    }

    void eventsRunDuringTheWait() {
        Tray t;
        t.tray.setBalloonSecond(12s);
        QSignalSpy ups(&t.tray, &TrayIcon::mouseReleased);
        QTimer::singleShot(0, [&] {
            t.shell.send(TrayEvent::LeftButtonDown);
            t.shell.send(TrayEvent::LeftButtonUp);
            QTimer::singleShot(0, [&] { t.shell.send(TrayEvent::BalloonClicked); });
        });
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, false);
        QCOMPARE(ups.size(), 1);
        QVERIFY(!t.tray.balloonVisible());
    }

    void afterTheSecondsTheBalloonIsTakenDown() {
        Tray t;
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QCOMPARE(t.shell.calls.size(), 3);
        const auto& takeDown = t.shell.calls[2];
        QCOMPARE(takeDown.operation, QStringLiteral("modify"));
        QCOMPARE(takeDown.request.fields, TrayFields(TrayField::Balloon));
        QVERIFY(takeDown.request.balloonText.isEmpty());
        QVERIFY(takeDown.request.balloonTitle.isEmpty());
        QCOMPARE(takeDown.request.balloonTimeoutMs, 5000u);
        QVERIFY(t.tray.balloonVisible());  // only the t.shell says it is gone
        QCOMPARE(t.tray.onceShownCount(), 1);
    }

    void showOnceShowsOnePerRun() {
        Tray t;
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("first"), QString(), 5, true);
        const int calls = t.shell.calls.size();
        t.tray.setBalloonSecond(12s);
        t.tray.showBalloon(QStringLiteral("second"), QString(), 5, true);
        QCOMPARE(t.shell.calls.size(), calls);
        QCOMPARE(t.tray.onceShownCount(), 1);
        // A balloon not shown once is shown every time.
        t.tray.showBalloon(QStringLiteral("third"), QString(), 0, false);
        QCOMPARE(t.shell.calls.size(), calls + 1);
        QCOMPARE(t.tray.onceShownCount(), 1);
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
        Tray t;
        if (fails) {
            QVERIFY_THROWS_EXCEPTION(
                AppError, t.tray.showBalloon(QStringLiteral("t"), QString(), seconds, true));
            QCOMPARE(t.shell.calls.size(), 1);
            QVERIFY(!t.tray.balloonVisible());
            QCOMPARE(t.tray.onceShownCount(), 0);
        } else {
            sendDuringTheWait(t.shell, TrayEvent::BalloonTimedOut);
            t.tray.showBalloon(QStringLiteral("t"), QString(), seconds, true);
            QCOMPARE(t.shell.calls[1].request.balloonTimeoutMs, 2147483000u);
        }
    }

    void balloonWithoutIconStillAsksTheShellAndWaits() {
        Tray t(false);
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("text"), QString(), 2, false);
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[0].operation, QStringLiteral("modify"));
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
