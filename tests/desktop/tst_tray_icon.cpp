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

// The user clicks the balloon as soon as the event loop runs, that is, while
// the balloon wait is going on.
void clickDuringTheWait(test::FakeTrayShell& shell) {
    QTimer::singleShot(0, &shell, [&shell] { shell.clickMessage(); });
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
        QCOMPARE(t.tray.tip(), QStringLiteral("Telnet Server"));
        QVERIFY(t.shell.calls.isEmpty());
    }

    void puttingItInTheTrayShowsItsIconAndTip() {
        Tray t(false);
        const QIcon icon = someIcon(Qt::blue);
        t.tray.setIcon(icon);
        t.tray.setTip(QStringLiteral("Almanis"));
        QVERIFY(t.shell.calls.isEmpty());  // nothing to update before the icon is shown
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls, (QStringList{"icon", "tip Almanis", "show"}));
        QCOMPARE(t.shell.icon.cacheKey(), icon.cacheKey());
        QVERIFY(t.shell.visible);
        QVERIFY(t.tray.inTray());
    }

    void settingInTrayToItsValueCallsNothing() {
        Tray t(false);
        t.tray.setInTray(false);
        QVERIFY(t.shell.calls.isEmpty());
        t.tray.setInTray(true);
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls.size(), 2);
        t.tray.setInTray(false);
        t.tray.setInTray(false);
        QCOMPARE(t.shell.calls.size(), 3);
        QCOMPARE(t.shell.calls.last(), QStringLiteral("hide"));
        QVERIFY(!t.shell.visible);
    }

    void emptyTipShowsNoTooltipUntilOneIsSet() {
        Tray t(false);
        t.tray.setTip(QString());
        t.tray.setInTray(true);
        // No picture set either.
        QCOMPARE(t.shell.calls, (QStringList{"tip ", "show"}));
        t.tray.setTip(QStringLiteral("Almanis"));
        QCOMPARE(t.shell.calls.last(), QStringLiteral("tip Almanis"));
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
        QCOMPARE(t.shell.toolTip, shown);
        t.tray.setTip(QString());
        t.tray.setTip(tip);
        QCOMPARE(t.shell.toolTip, shown);
        QCOMPARE(t.tray.tip(), tip);  // the property keeps the whole text
    }

    void balloonTextsAreCut() {
        Tray t;
        t.tray.showBalloon(QString(300, QLatin1Char('t')), QString(100, QLatin1Char('h')), 0,
                           false);
        QCOMPARE(t.shell.messages.last().text.size(), 255);
        QCOMPARE(t.shell.messages.last().title.size(), 63);
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
        QCOMPARE(t.shell.icon.cacheKey(), key);
        const QIcon second = someIcon(Qt::green);
        t.tray.setIcon(second);
        QCOMPARE(t.shell.icon.cacheKey(), second.cacheKey());
        QCOMPARE(t.tray.icon().cacheKey(), second.cacheKey());
    }

    void balloonWithoutTimeOutDoesNotWait() {
        Tray t;
        t.tray.setBalloonSecond(12s);
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 0, false);
        QCOMPARE(t.shell.messages.size(), 1);
        QCOMPARE(t.shell.messages[0].milliseconds, 0);
        QCOMPARE(t.shell.messages[0].text, QStringLiteral("text"));
        QCOMPARE(t.shell.messages[0].title, QStringLiteral("title"));
        QVERIFY(t.tray.balloonVisible());
        t.tray.showBalloon(QStringLiteral("again"), QString(), -5, false);
        QCOMPARE(t.shell.messages.size(), 2);
        QCOMPARE(t.shell.messages[1].milliseconds, 0);
    }

    void aClickOnTheBalloonEndsTheWaitEarly() {
        Tray t;
        // A wait that were not ended by the click would last a minute.
        t.tray.setBalloonSecond(12s);
        clickDuringTheWait(t.shell);
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QVERIFY(!t.tray.balloonVisible());
        QCOMPARE(t.shell.messages.size(), 1);
        QCOMPARE(t.shell.messages[0].milliseconds, 5000);
    }

    void eventsRunDuringTheWait() {
        Tray t;
        t.tray.setBalloonSecond(12s);
        QSignalSpy clicks(&t.tray, &TrayIcon::clicked);
        QTimer::singleShot(0, &t.shell, [&] {
            t.shell.activate(TrayShell::Activation::Trigger);
            QTimer::singleShot(0, &t.shell, [&] { t.shell.clickMessage(); });
        });
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, false);
        QCOMPARE(clicks.size(), 1);
        QVERIFY(!t.tray.balloonVisible());
    }

    void afterTheSecondsTheWaitEndsAndTheDesktopTakesItDown() {
        Tray t;
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("text"), QStringLiteral("title"), 5, true);
        QCOMPARE(t.shell.messages.size(), 1);
        QCOMPARE(t.shell.messages[0].milliseconds, 5000);
        QVERIFY(t.tray.balloonVisible());  // only the shell says it is gone
        QCOMPARE(t.tray.onceShownCount(), 1);
    }

    void showOnceShowsOnePerRun() {
        Tray t;
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("first"), QString(), 5, true);
        t.tray.setBalloonSecond(12s);
        t.tray.showBalloon(QStringLiteral("second"), QString(), 5, true);
        QCOMPARE(t.shell.messages.size(), 1);
        QCOMPARE(t.tray.onceShownCount(), 1);
        // A balloon not shown once is shown every time.
        t.tray.showBalloon(QStringLiteral("third"), QString(), 0, false);
        QCOMPARE(t.shell.messages.size(), 2);
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
            QVERIFY(t.shell.messages.isEmpty());
            QVERIFY(!t.tray.balloonVisible());
            QCOMPARE(t.tray.onceShownCount(), 0);
        } else {
            clickDuringTheWait(t.shell);
            t.tray.showBalloon(QStringLiteral("t"), QString(), seconds, true);
            QCOMPARE(t.shell.messages[0].milliseconds, 2147483000);
        }
    }

    void balloonWithoutIconStillAsksTheShellAndWaits() {
        Tray t(false);
        t.tray.setBalloonSecond(1ms);
        t.tray.showBalloon(QStringLiteral("text"), QString(), 2, false);
        QCOMPARE(t.shell.calls, QStringList{"message"});
    }

    void endingTheIconTakesItOutOfTheTray() {
        test::FakeTrayShell shell;
        {
            TrayIcon tray(shell);
            tray.setInTray(true);
        }
        QCOMPARE(shell.calls.last(), QStringLiteral("hide"));
        // The desktop's late news of a click reaches nothing.
        shell.activate(TrayShell::Activation::Trigger);
        const int calls = shell.calls.size();
        { TrayIcon tray(shell); }
        QCOMPARE(shell.calls.size(), calls);
    }
};

ALMANIS_TEST_MAIN(TrayIconTest)
#include "tst_tray_icon.moc"
