// The import and export road: which format a file is read in.
#include "Checks.h"
#include "TestEnvironment.h"

#include "exchange/EventFiles.h"

#include <QApplication>

using namespace almanis;

Q_DECLARE_METATYPE(almanis::EventFileFormat)

class EventFilesTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // The content decides where it names a format; the name's suffix where
    // it does not.
    void formatOfAFile_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("name");
        QTest::addColumn<EventFileFormat>("format");
        const auto text = EventFileFormat::Text;
        const auto calendar = EventFileFormat::ICalendar;
        const auto contacts = EventFileFormat::VCard;
        QTest::newRow("calendar") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n") << "a.ics"
                                  << calendar;
        QTest::newRow("contacts named .txt")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n") << "a.txt" << contacts;
        QTest::newRow("calendar named .vcf")
            << QByteArray("BEGIN:VCALENDAR\n") << "a.vcf" << calendar;
        QTest::newRow("mark, blank lines, lower case, blanks after")
            << QByteArray("\xEF\xBB\xBF\r\n \r\nbegin:vcard  \r\n") << "contacts" << contacts;
        QTest::newRow("keyword alone, no line end") << QByteArray("BEGIN:VCARD") << "x" << contacts;
        QTest::newRow("text line that starts like a card")
            << QByteArray("BEGIN:VCARD,May 1\r\n") << "a.vcf" << contacts;
        QTest::newRow("text line that starts like a card, named .txt")
            << QByteArray("BEGIN:VCARD,May 1\r\n") << "a.txt" << text;
        QTest::newRow("a card later in the file")
            << QByteArray("Ada,May 1\r\nBEGIN:VCARD\r\n") << "a.txt" << text;
        QTest::newRow("empty .ics") << QByteArray() << "a.ics" << calendar;
        QTest::newRow("empty .ICAL") << QByteArray() << "a.ICAL" << calendar;
        QTest::newRow("damaged .vcard") << QByteArray("\x01\x02") << "a.vcard" << contacts;
        QTest::newRow("text") << QByteArray("New Year,January 1\r\n") << "a.txt" << text;
        QTest::newRow("no suffix") << QByteArray("New Year,January 1\r\n") << "events" << text;
        QTest::newRow("a folder named .ics") << QByteArray("x") << "cal.ics/events.txt" << text;
    }
    void formatOfAFile() {
        QFETCH(QByteArray, head);
        QFETCH(QString, name);
        QFETCH(EventFileFormat, format);
        QCOMPARE(eventFileFormat(head, name), format);
    }

    void aFileThatCannotBeReadIsJudgedByItsName() {
        QCOMPARE(eventFileFormat(QStringLiteral("/nonexistent/birthdays.vcf")),
                 EventFileFormat::VCard);
        QCOMPARE(eventFileFormat(QStringLiteral("/")), EventFileFormat::Text);
    }
};

ALMANIS_TEST_MAIN(EventFilesTest)
#include "tst_event_files.moc"
