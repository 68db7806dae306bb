// The exported calendar as other programs read it: a real CalDAV server takes
// every entry and gives it back as the same event, and python-dateutil, which
// servers and calendar programs expand rules with, puts each series on the
// days the list counts, from the event's year when it is known.
#include "CalendarTestFiles.h"
#include "RadicaleServer.h"
#include "TestEnvironment.h"

#include "core/EventDate.h"
#include "exchange/ICalendarFile.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

using namespace almanis;

namespace {

constexpr int kLastYear = 2030;

// An event as the store gives it, with its UID.
EventRecord stored(qint64 id, const char* description, int month, int day,
                   test::Details details = {}) {
    details.uid = QStringLiteral("uid-%1").arg(id);
    EventRecord event = test::yearly(QString::fromUtf8(description), month, day, details);
    event.id = id;
    return event;
}

// The holidays of the events seed, a leap-day birthday, and birthdays and an
// anniversary with years, notes and remind days of their own.
const QList<EventRecord> kEvents = {
    stored(1, "New Year's Day", 1, 1),
    stored(2, "Valentine's Day", 2, 14),
    stored(3, "Leap-day birthday", 2, 29),
    stored(4, "St. Patrick's Day", 3, 17),
    stored(5, "April Fools' Day", 4, 1),
    stored(6, "Independence Day", 7, 4),
    stored(7, "Halloween", 10, 31),
    stored(8, "Veterans Day", 11, 11),
    stored(9, "Christmas Eve", 12, 24),
    stored(10, "Christmas Day", 12, 25),
    stored(11, "Boxing Day", 12, 26),
    stored(12, "New Year's Eve", 12, 31),
    stored(13, "Ada's birthday", 12, 10,
           {1815, test::windows("0,7"), QStringLiteral("Notes, on the engine;\nby post")}),
    stored(14, "Leap-day wedding", 2, 29, {1896, test::windows(""), QStringLiteral("x")}),
    stored(15, "Grace's birthday", 12, 9, {1906, test::windows("3,14,30")}),
    stored(16, "Zoë's 🎂", 8, 8, {2020, std::nullopt, QStringLiteral("Zoë\n\tand more")}),
};

// The first year of an event's series.
int firstYear(const EventRecord& event) {
    return event.year.value_or(2000);
}

// The VEVENTs of a calendar file, each as a calendar of its own, as a CalDAV
// client stores them: one resource an event.
QList<QByteArray> entriesAsCalendars(const QByteArray& file) {
    const qsizetype firstEntry = file.indexOf("BEGIN:VEVENT");
    const QByteArray head = file.left(firstEntry);
    QList<QByteArray> calendars;
    for (qsizetype begin = firstEntry; begin >= 0; begin = file.indexOf("BEGIN:VEVENT", begin)) {
        const qsizetype end = file.indexOf("END:VEVENT\r\n", begin) + qsizetype(12);
        calendars.append(head + file.mid(begin, end - begin) + "END:VCALENDAR\r\n");
        begin = end;
    }
    return calendars;
}

}  // namespace

class CalendarInteropTest : public test::TestCase {
    Q_OBJECT
  private:
    QTemporaryDir folder_;
    QString exported() {
        const QString path = folder_.filePath(QStringLiteral("events.ics"));
        writeICalendar(path, kEvents);
        return path;
    }

  private slots:
    void aCalDavServerTakesEveryExportedEntry() {
        test::RadicaleServer server;
        server.addUser(QStringLiteral("ada"), QStringLiteral("secret"));
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        QCOMPARE(server.makeCalendar(QStringLiteral("ada"), QStringLiteral("secret"),
                                     QStringLiteral("events")),
                 201);
        const QList<QByteArray> entries = entriesAsCalendars(test::readFile(exported()));
        QCOMPARE(entries.size(), kEvents.size());
        for (int i = 0; i < entries.size(); ++i) {
            const QUrl resource =
                server.collectionUrl(QStringLiteral("ada"), QStringLiteral("events"))
                    .resolved(QUrl(QStringLiteral("%1.ics").arg(i)));
            const auto [status, answer] =
                server.request("PUT", resource, QStringLiteral("ada"), QStringLiteral("secret"),
                               entries[i], {{"Content-Type", "text/calendar; charset=utf-8"}});
            QVERIFY2(status == 201, qPrintable(kEvents[i].description + QStringLiteral(": ") +
                                               QString::number(status) + QLatin1Char(' ') +
                                               QString::fromUtf8(answer)));
            // What the server gives back, written its own way, is the same event.
            const auto [got, resourceText] =
                server.request("GET", resource, QStringLiteral("ada"), QStringLiteral("secret"));
            QCOMPARE(got, 200);
            EventRecord expected = kEvents[i];
            expected.id = 0;
            QCOMPARE(readCalendarResource(resourceText, QDate(2026, 6, 15)),
                     std::optional(expected));
        }
    }

    void pythonDateutilExpandsEverySeriesAsTheListCounts() {
        QProcess expand;
        expand.start(QStringLiteral("/usr/bin/python3"),
                     {QFINDTESTDATA("expand_series.py"), exported(), QString::number(kLastYear)});
        QVERIFY(expand.waitForFinished(60000));
        QVERIFY2(expand.exitCode() == 0, expand.readAllStandardError().constData());
        const QList<QByteArray> lines = expand.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), kEvents.size());
        for (int i = 0; i < lines.size(); ++i) {
            QStringList expected;
            for (int year = firstYear(kEvents[i]); year <= kLastYear; ++year) {
                expected
                    << carriedDate(year, kEvents[i].month, kEvents[i].day)->toString(Qt::ISODate);
            }
            QStringList dates = QString::fromUtf8(lines[i]).split(QLatin1Char(' '));
            dates.removeFirst();  // the UID
            QCOMPARE(dates, expected);
        }
    }
};

ALMANIS_TEST_MAIN(CalendarInteropTest)
#include "tst_calendar_interop.moc"
