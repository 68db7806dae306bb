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
void sendDuringTheWait(test::FakeTrayShell& shell, quint32 message) {
    QTimer::singleShot(0, [&shell, message] { shell.send(message); });
}

}  // namespace

class SysTrayTest : public QObject {
    Q_OBJECT
  private slots:
    void newControlIsOutOfTheTrayWithItsStoredTip() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        QVERIFY(!tray.InTray());
        QVERIFY(!tray.IconAdded());
        QCOMPARE(tray.IconID(), 0u);
        QCOMPARE(tray.TrayTip(), QStringLiteral("Telnet Server"));
        QVERIFY(shell.calls.isEmpty());
    }

    void addingSendsIconTipAndCallback() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setTrayIcon(someIcon(Qt::blue));
        tray.setTrayTip(QStringLiteral("Almanis"));
        QVERIFY(shell.calls.isEmpty());  // nothing to update before the icon is added
        tray.setInTray(true);
        QCOMPARE(shell.calls.size(), 1);
        const auto& add = shell.calls[0];
        QCOMPARE(add.operation, QStringLiteral("add"));
        QCOMPARE(add.data.uFlags, quint32(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        QCOMPARE(add.data.uCallbackMessage, 1125u);
        QCOMPARE(add.data.uID, 0u);
        QCOMPARE(add.data.szTip, QStringLiteral("Almanis"));
        QVERIFY(add.data.szInfo.isEmpty());
        QVERIFY(tray.InTray());
        QVERIFY(tray.IconAdded());
    }

    void settingInTrayToItsValueCallsNothing() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(false);
        QVERIFY(shell.calls.isEmpty());
        tray.setInTray(true);
        tray.setInTray(true);
        QCOMPARE(shell.calls.size(), 1);
        tray.setInTray(false);
        tray.setInTray(false);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("delete"));
        QCOMPARE(shell.calls[1].data.uFlags, 0u);
        QVERIFY(!tray.IconAdded());
    }

    void emptyTipAddsNoTooltipUntilOneIsSet() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setTrayTip(QString());
        tray.setInTray(true);
        QCOMPARE(shell.calls[0].data.uFlags & NIF_TIP, 0u);
        QCOMPARE(shell.calls[0].data.uFlags & NIF_ICON, 0u);  // no picture set either
        tray.setTrayTip(QStringLiteral("Almanis"));
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("modify"));
        QCOMPARE(shell.calls[1].data.uFlags, quint32(NIF_TIP));
        QCOMPARE(shell.calls[1].data.szTip, QStringLiteral("Almanis"));
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
        cSysTray tray(shell);
        tray.setTrayTip(tip);
        tray.setInTray(true);
        tray.setTrayTip(tip);
        QCOMPARE(shell.calls[0].data.szTip, shown);
        QCOMPARE(shell.calls[1].data.szTip, shown);
        QCOMPARE(tray.TrayTip(), tip);  // the property keeps the whole text
    }

    void balloonTextsAreCut() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        tray.ShowBalloon(QString(300, QLatin1Char('t')), QString(100, QLatin1Char('h')), 0, false);
        const auto& balloon = shell.calls.last().data;
        QCOMPARE(balloon.szInfo.size(), 255);
        QCOMPARE(balloon.szInfoTitle.size(), 63);
    }

    void onlyAnIconReplacesTheTrayIcon() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        const QIcon first = someIcon(Qt::blue);
        tray.setTrayIcon(first);
        tray.setInTray(true);
        const qint64 key = tray.TrayIcon().cacheKey();
        QPixmap bitmap(16, 16);
        bitmap.fill(Qt::red);
        tray.setTrayIcon(bitmap);
        tray.setTrayIcon(bitmap.toImage());
        tray.setTrayIcon(QIcon());
        QCOMPARE(tray.TrayIcon().cacheKey(), key);
        QCOMPARE(shell.calls.size(), 1);
        const QIcon second = someIcon(Qt::green);
        tray.setTrayIcon(second);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].data.uFlags, quint32(NIF_ICON));
        QCOMPARE(shell.calls[1].data.hIcon.cacheKey(), second.cacheKey());
        QCOMPARE(tray.TrayIcon().cacheKey(), second.cacheKey());
    }

    void mouseMessagesBecomeEvents_data() {
        QTest::addColumn<quint32>("message");
        QTest::addColumn<QString>("event");
        QTest::newRow("move") << quint32(512) << "move";
        QTest::newRow("left down") << quint32(513) << "down 1";
        QTest::newRow("left up") << quint32(514) << "up 1";
        QTest::newRow("left double") << quint32(515) << "double 1";
        QTest::newRow("right down") << quint32(516) << "down 2";
        QTest::newRow("right up") << quint32(517) << "up 2";
        QTest::newRow("right double") << quint32(518) << "double 2";
        QTest::newRow("middle down") << quint32(519) << "";
        QTest::newRow("middle up") << quint32(520) << "";
        QTest::newRow("balloon shown") << quint32(1026) << "";
        QTest::newRow("callback number itself") << quint32(1125) << "";
    }
    void mouseMessagesBecomeEvents() {
        QFETCH(quint32, message);
        QFETCH(QString, event);
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        QStringList events;
        connect(&tray, &cSysTray::MouseMove, this,
                [&](int id) { events << QStringLiteral("move%1").arg(id ? "?" : ""); });
        connect(&tray, &cSysTray::MouseDown, this, [&](int b, int id) {
            events << QStringLiteral("down %1%2").arg(b).arg(id ? "?" : "");
        });
        connect(&tray, &cSysTray::MouseUp, this, [&](int b, int id) {
            events << QStringLiteral("up %1%2").arg(b).arg(id ? "?" : "");
        });
        connect(&tray, &cSysTray::MouseDblClick, this, [&](int b, int id) {
            events << QStringLiteral("double %1%2").arg(b).arg(id ? "?" : "");
        });
        shell.send(message);
        QCOMPARE(events, event.isEmpty() ? QStringList() : QStringList{event});
    }

    void balloonWithoutTimeOutDoesNotWait() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        tray.ShowBalloon(QStringLiteral("text"), QStringLiteral("title"), 0, false);
        QCOMPARE(shell.calls.size(), 2);
        const auto& balloon = shell.calls[1];
        QCOMPARE(balloon.operation, QStringLiteral("modify"));
        QCOMPARE(balloon.data.uFlags, quint32(NIF_INFO));
        QCOMPARE(balloon.data.uTimeout, 0u);
        QCOMPARE(balloon.data.szInfo, QStringLiteral("text"));
        QCOMPARE(balloon.data.szInfoTitle, QStringLiteral("title"));
        QVERIFY(tray.BalloonVisible());
        tray.ShowBalloon(QStringLiteral("again"), QString(), -5, false);
        QCOMPARE(shell.calls.size(), 3);
        QCOMPARE(shell.calls[2].data.uTimeout, 0u);
    }

    void balloonEndsTheWaitEarly_data() {
        QTest::addColumn<quint32>("message");
        QTest::newRow("hidden") << quint32(NIN_BALLOONHIDE);
        QTest::newRow("timed out") << quint32(NIN_BALLOONTIMEOUT);
        QTest::newRow("clicked") << quint32(NIN_BALLOONUSERCLICK);
    }
    void balloonEndsTheWaitEarly() {
        QFETCH(quint32, message);
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        // A wait that were not ended by the message would last a minute.
        tray.setBalloonSecond(12s);
        sendDuringTheWait(shell, message);
        QElapsedTimer clock;
        clock.start();
        tray.ShowBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY(!tray.BalloonVisible());
        QCOMPARE(shell.calls.size(), 2);  // no taking down
        QCOMPARE(shell.calls[1].data.uTimeout, 5000u);
    }

    void eventsRunDuringTheWait() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(12s);
        QSignalSpy ups(&tray, &cSysTray::MouseUp);
        QTimer::singleShot(0, [&] {
            shell.send(WM_LBUTTONDOWN);
            shell.send(WM_LBUTTONUP);
            QTimer::singleShot(0, [&] { shell.send(NIN_BALLOONUSERCLICK); });
        });
        tray.ShowBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, false);
        QCOMPARE(ups.size(), 1);
        QVERIFY(!tray.BalloonVisible());
    }

    void afterTheSecondsTheBalloonIsTakenDown() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(1ms);
        tray.ShowBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QCOMPARE(shell.calls.size(), 3);
        const auto& takeDown = shell.calls[2];
        QCOMPARE(takeDown.operation, QStringLiteral("modify"));
        QCOMPARE(takeDown.data.uFlags, quint32(NIF_INFO));
        QVERIFY(takeDown.data.szInfo.isEmpty());
        QVERIFY(takeDown.data.szInfoTitle.isEmpty());
        QCOMPARE(takeDown.data.uTimeout, 5000u);
        QVERIFY(tray.BalloonVisible());  // only the shell says it is gone
        QCOMPARE(tray.OnceShownCount(), 1);
    }

    void showOnceShowsOnePerRun() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setInTray(true);
        tray.setBalloonSecond(1ms);
        tray.ShowBalloon(QStringLiteral("first"), QString(), 5, true);
        const int calls = shell.calls.size();
        QElapsedTimer clock;
        clock.start();
        tray.setBalloonSecond(12s);
        tray.ShowBalloon(QStringLiteral("second"), QString(), 5, true);
        QCOMPARE(shell.calls.size(), calls);
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(tray.OnceShownCount(), 1);
        // A balloon not shown once is shown every time.
        tray.ShowBalloon(QStringLiteral("third"), QString(), 0, false);
        QCOMPARE(shell.calls.size(), calls + 1);
        QCOMPARE(tray.OnceShownCount(), 1);
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
        cSysTray tray(shell);
        tray.setInTray(true);
        if (fails) {
            QVERIFY_THROWS_EXCEPTION(
                AppError, tray.ShowBalloon(QStringLiteral("t"), QString(), seconds, true));
            QCOMPARE(shell.calls.size(), 1);
            QVERIFY(!tray.BalloonVisible());
            QCOMPARE(tray.OnceShownCount(), 0);
        } else {
            sendDuringTheWait(shell, NIN_BALLOONTIMEOUT);
            tray.ShowBalloon(QStringLiteral("t"), QString(), seconds, true);
            QCOMPARE(shell.calls[1].data.uTimeout, 2147483000u);
        }
    }

    void balloonWithoutIconStillAsksTheShellAndWaits() {
        test::FakeTrayShell shell;
        cSysTray tray(shell);
        tray.setBalloonSecond(1ms);
        tray.ShowBalloon(QStringLiteral("text"), QString(), 2, false);
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[0].operation, QStringLiteral("modify"));
    }

    void endingTheControlTakesTheIconOut() {
        test::FakeTrayShell shell;
        {
            cSysTray tray(shell);
            tray.setInTray(true);
        }
        QCOMPARE(shell.calls.size(), 2);
        QCOMPARE(shell.calls[1].operation, QStringLiteral("delete"));
        QVERIFY(!shell.onMessage);
        { cSysTray tray(shell); }
        QCOMPARE(shell.calls.size(), 2);
    }
};

ALMANIS_TEST_MAIN(SysTrayTest)
#include "tst_tray_icon.moc"
