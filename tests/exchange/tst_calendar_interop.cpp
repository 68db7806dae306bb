// The exported calendar as other programs read it: a real CalDAV server takes
// every entry, and python-dateutil, which servers and calendar programs expand
// rules with, puts each series on the days the list counts.
#include "CalendarTestFiles.h"
#include "RadicaleServer.h"
#include "TestEnvironment.h"

#include "core/EventDate.h"
#include "exchange/ICalendarFile.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

using namespace almanis;
using almanis::test::yearly;

namespace {

constexpr int kLastYear = 2030;

// The holidays of the events seed and a leap-day birthday.
const QList<EventRecord> kEvents = {
    {1, QStringLiteral("New Year's Day"), 1, 1},
    {2, QStringLiteral("Valentine's Day"), 2, 14},
    {3, QStringLiteral("Leap-day birthday"), 2, 29},
    {4, QStringLiteral("St. Patrick's Day"), 3, 17},
    {5, QStringLiteral("April Fools' Day"), 4, 1},
    {6, QStringLiteral("Independence Day"), 7, 4},
    {7, QStringLiteral("Halloween"), 10, 31},
    {8, QStringLiteral("Veterans Day"), 11, 11},
    {9, QStringLiteral("Christmas Eve"), 12, 24},
    {10, QStringLiteral("Christmas Day"), 12, 25},
    {11, QStringLiteral("Boxing Day"), 12, 26},
    {12, QStringLiteral("New Year's Eve"), 12, 31},
};

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
            for (int year = 2000; year <= kLastYear; ++year) {
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
