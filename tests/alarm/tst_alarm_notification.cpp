#include "TestCase.h"
#include "TestEnvironment.h"

#include "alarm/AlarmNotification.h"

using namespace almanis;

namespace {
Alarm alarmOf(const QStringList& descriptions, int daysFromToday = 0) {
    Alarm alarm;
    for (const QString& description : descriptions) {
        Reminder reminder;
        reminder.event.description = description;
        reminder.daysFromToday = daysFromToday;
        alarm.reminders << reminder;
    }
    return alarm;
}

QStringList numbered(int count) {
    QStringList descriptions;
    for (int i = 1; i <= count; ++i) {
        descriptions << QStringLiteral("Event %1").arg(i);
    }
    return descriptions;
}
}  // namespace

class AlarmNotificationTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void theSummaryNamesTheEventAndTheBodyStaysReadable_data() {
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("one, today") << QStringList{"Ada's birthday"} << 0
                                    << "Ada's birthday is today" << 1 << "Ada's birthday is today.";
        QTest::newRow("one, in 3 days")
            << QStringList{"Ada's birthday"} << 3 << "Ada's birthday is in 3 days" << 1
            << "Ada's birthday is in 3 days.";
        QTest::newRow("several") << numbered(3) << 0 << "3 events are due" << 3
                                 << "Event 3 is today.";
        QTest::newRow("as many as fit")
            << numbered(10) << 0 << "10 events are due" << 10 << "Event 10 is today.";
        QTest::newRow("one more than fits")
            << numbered(11) << 0 << "11 events are due" << 10 << "… and 2 more";
        QTest::newRow("many") << numbered(21) << 0 << "21 events are due" << 10 << "… and 12 more";
    }
    void theSummaryNamesTheEventAndTheBodyStaysReadable() {
        QFETCH(QStringList, descriptions);
        QFETCH(int, days);
        QFETCH(QString, summary);
        QFETCH(int, bodyLines);
        QFETCH(QString, lastLine);
        const Notification n = AlarmNotification::of(alarmOf(descriptions, days));
        QCOMPARE(n.summary, summary);
        QCOMPARE(n.lines.size(), bodyLines);
        QCOMPARE(n.lines.last(), lastLine);
        QCOMPARE(n.lines.first(), QStringLiteral("%1 is %2.")
                                      .arg(descriptions.first(),
                                           days == 0 ? QStringLiteral("today")
                                                     : QStringLiteral("in %1 days").arg(days)));
        // The buttons are the alarm window's, without their mnemonics.
        QCOMPARE(n.actions, (QList<Notification::Action>{
                                {AlarmNotification::kRemindLater, "Remind Me Later"},
                                {AlarmNotification::kDoNotRemind, "Do Not Remind Me Again"}}));
    }

    void aHugeDescriptionIsCutInSummaryAndBody() {
        // Half a character pair at the cut must not be sent.
        const QString huge = QString(198, QLatin1Char('x')) + QStringLiteral("\U0001F382") +
                             QString(1000000, QLatin1Char('y'));
        const Notification n = AlarmNotification::of(alarmOf({huge}));
        for (const QString& text : {n.summary, n.lines.first()}) {
            QCOMPARE(text.size(), AlarmNotification::kMaxLineLength - 1);
            QVERIFY(text.endsWith(QStringLiteral("x…")));
        }
    }
};

ALMANIS_TEST_MAIN(AlarmNotificationTest)
#include "tst_alarm_notification.moc"
