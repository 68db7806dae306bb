// The vCard reader: contacts' birthdays and anniversaries as events, from the
// cards that address books write (vCard 4.0, 3.0 and the older 2.1).
#include "CalendarTestFiles.h"
#include "Checks.h"
#include "TestEnvironment.h"

#include "core/AppError.h"
#include "exchange/VCardFile.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace almanis;
using almanis::test::yearly;

namespace {

QByteArray corpusFile(const char* name) {
    return test::readFile(QStringLiteral(VCARD_CORPUS "/") + QLatin1String(name));
}

// A vCard 4.0 card with the given properties, one a line.
QByteArray card(const QByteArray& properties) {
    return "BEGIN:VCARD\r\nVERSION:4.0\r\n" + properties + "END:VCARD\r\n";
}

QList<EventRecord> birthday(const char* name, int month, int day,
                            std::optional<int> year = std::nullopt) {
    return {yearly(QString::fromUtf8(name) + QStringLiteral("'s birthday"), month, day,
                   {.year = year})};
}

// The day the tests read the cards on: years after it are none.
const QDate kToday(2026, 6, 15);

}  // namespace

class VCardFileTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void cards_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<EventRecord>>("events");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("withoutDates");
        QTest::addColumn<int>("skipped");

        QTest::newRow("vCard 4.0 sample")
            << corpusFile("good-4.0.vcf")
            << QList<EventRecord>{yearly(QStringLiteral("Marta Kowalczyk's birthday"), 3, 12,
                                         {1987}),
                                  yearly(QStringLiteral("Marta Kowalczyk's anniversary"), 6, 23,
                                         {2012}),
                                  yearly(QStringLiteral("Tomás Ó Briain's birthday"), 11, 4),
                                  yearly(QStringLiteral("Leila Haddad's birthday"), 1, 9, {1990})}
            << 5 << 1 << 1;
        QTest::newRow("vCard 3.0 sample")
            << corpusFile("good-3.0.vcf")
            << QList<EventRecord>{yearly(QStringLiteral("Henrik Lindqvist's birthday"), 8, 30,
                                         {1975}),
                                  yearly(QStringLiteral("Henrik Lindqvist's anniversary"), 5, 19,
                                         {2001}),
                                  yearly(QStringLiteral("中村 結衣's birthday"), 7, 7),
                                  yearly(QStringLiteral("Siobhan Brennan's birthday"), 2, 29,
                                         {2000})}
            << 3 << 0 << 0;
        QTest::newRow("vCard 2.1 sample, quoted-printable")
            << corpusFile("good-2.1.vcf")
            << QList<EventRecord>{yearly(QStringLiteral("Jürgen Müller's birthday"), 5, 21, {1964}),
                                  yearly(QStringLiteral("Jane Doe ☀ who writes her name on two "
                                                        "lines's birthday"),
                                         10, 10, {1980})}
            << 2 << 0 << 0;
        QTest::newRow("folded with LF and a tab, date folded too")
            << corpusFile("good-lf-tab-folded.vcf") << birthday("Zoë Ω 🎂 שָׁלוֹם", 12, 24) << 1 << 0
            << 0;

        // One card with its events, none without a date, none skipped.
        const auto oneCard = [](const char* name, const QByteArray& file,
                                const QList<EventRecord>& events) {
            QTest::newRow(name) << file << events << 1 << 0 << 0;
        };
        // A's birthday given by one property.
        const auto bday = [&](const char* name, const QByteArray& property, int month, int day,
                              std::optional<int> year = std::nullopt) {
            oneCard(name, card("FN:A\r\n" + property + "\r\n"), birthday("A", month, day, year));
        };
        bday("YYYY-MM-DD", "BDAY:1985-04-15", 4, 15, 1985);
        bday("YYYYMMDD", "BDAY:19850415", 4, 15, 1985);
        bday("--MMDD, no year", "BDAY:--0415", 4, 15);
        bday("--MM-DD, no year", "BDAY:--04-15", 4, 15);
        bday("date-time, extended", "BDAY:1985-04-15T23:30:00Z", 4, 15, 1985);
        bday("date-time, basic", "BDAY;VALUE=date-and-or-time:19850415T233000-0800", 4, 15, 1985);
        bday("date-time without a year", "BDAY:--0415T0930", 4, 15);
        bday("VALUE=date and blanks around the value", "BDAY;VALUE=date: 1985-04-15 ", 4, 15, 1985);
        bday("29 February", "BDAY:--0229", 2, 29);
        bday("29 February of a leap year", "BDAY:1996-02-29", 2, 29, 1996);
        bday("Apple's year that stands for none", "BDAY;X-APPLE-OMIT-YEAR=1604:1604-12-10", 12, 10);
        bday("Apple's 1604 without its parameter", "BDAY:1604-12-10", 12, 10);
        bday("Apple's parameter beside a real year", "BDAY;X-APPLE-OMIT-YEAR=1604:1960-12-10", 12,
             10, 1960);
        bday("a year still to come", "BDAY:2030-01-01", 1, 1);
        bday("this year", "BDAY:2026-01-01", 1, 1, 2026);
        bday("year 0", "BDAY:0000-01-01", 1, 1);
        bday("year 1", "BDAY:0001-01-01", 1, 1, 1);
        oneCard("grouped properties",
                card("item1.FN:Grouped\r\nitem2.BDAY:--0101\r\nitem3.X-ANNIVERSARY:20100202\r\n"
                     "item3.X-ABLabel:_$!<Anniversary>!$_\r\n"),
                QList<EventRecord>{yearly(QStringLiteral("Grouped's birthday"), 1, 1),
                                   yearly(QStringLiteral("Grouped's anniversary"), 2, 2, {2010})});
        oneCard("quoted parameter with a colon and a semicolon",
                card("FN:A\r\nBDAY;X-NOTE=\"at 10:30; home\":--0505\r\n"), birthday("A", 5, 5));
        oneCard("dates before the name, in file order",
                card("ANNIVERSARY:--0303\r\nBDAY:--0101\r\nBDAY:--0202\r\nFN:Late\r\n"),
                QList<EventRecord>{yearly(QStringLiteral("Late's anniversary"), 3, 3),
                                   yearly(QStringLiteral("Late's birthday"), 1, 1),
                                   yearly(QStringLiteral("Late's birthday"), 2, 2)});
        oneCard("no FN: given then family name from N",
                card("N:Smith;Anna;Marie;Dr.;PhD\r\nBDAY:--0101\r\n"),
                birthday("Anna Smith", 1, 1));
        oneCard("blank FN: N", card("FN: \r\nN:Smith;Anna;;;\r\nBDAY:--0101\r\n"),
                birthday("Anna Smith", 1, 1));
        oneCard("N with only a family name", card("N:Smith;;;;\r\nBDAY:--0101\r\n"),
                birthday("Smith", 1, 1));
        oneCard("N with two given names and an escaped comma",
                card("N:Smith\\, Jr.;Anna,Marie;;;\r\nBDAY:--0101\r\n"),
                birthday("Anna Marie Smith, Jr.", 1, 1));
        oneCard("no name at all", card("BDAY:--0101\r\n"), birthday("Unnamed", 1, 1));
        oneCard("empty N", card("N:;;;;\r\nBDAY:--0101\r\n"), birthday("Unnamed", 1, 1));
        oneCard("escapes in FN", card("FN:Smith\\, Anna \\; \\\\ \"Annie\"\r\nBDAY:--0101\r\n"),
                birthday("Smith, Anna ; \\ \"Annie\"", 1, 1));
        oneCard("line breaks and tabs in FN become blanks",
                card("FN:\\nFirst\\nSecond\\N\tThird\r\nBDAY:--0101\r\n"),
                birthday("First Second  Third", 1, 1));
        oneCard("folded with CR LF and a blank", card("FN:Fol\r\n ded\r\nBDAY:--04\r\n -15\r\n"),
                birthday("Folded", 4, 15));
        oneCard("folded inside a UTF-8 character", card("FN:Zo\xC3\r\n \xAB\r\nBDAY:--0101\r\n"),
                birthday("Zoë", 1, 1));
        oneCard("right-to-left name", card("FN:דנה כהן\r\nBDAY:--0101\r\n"),
                birthday("דנה כהן", 1, 1));
        oneCard("Windows-1252 line", card("FN:Ren\xE9 \x93Ren\x94\r\nBDAY:--0101\r\n"),
                birthday("René “Ren”", 1, 1));
        oneCard("CHARSET names the code page",
                card("FN;CHARSET=ISO-8859-7:\xC1\xED\xED\xE1\r\nBDAY:--0101\r\n"),
                birthday("Αννα", 1, 1));
        oneCard("unknown CHARSET", card("FN;CHARSET=x-none:Zo\xC3\xAB\r\nBDAY:--0101\r\n"),
                birthday("Zoë", 1, 1));
        oneCard("quoted-printable with a broken escape",
                card("FN;ENCODING=QUOTED-PRINTABLE:A=3DB =ZZ C=\r\n=41\r\nBDAY:--0101\r\n"),
                birthday("A=B =ZZ CA", 1, 1));
        oneCard(
            "names in small letters",
            QByteArray("begin:vcard\r\nversion:3.0\r\nfn:Small\r\nbday:--0101\r\nend:vcard\r\n"),
            birthday("Small", 1, 1));
        QTest::newRow("cards without dates are counted")
            << card("FN:No date\r\n") + card("FN:A\r\nBDAY:--0101\r\n") + card({})
            << birthday("A", 1, 1) << 3 << 2 << 0;
        QTest::newRow("first FN counts") << card("FN:First\r\nFN:Second\r\nBDAY:--0101\r\n")
                                         << birthday("First", 1, 1) << 1 << 0 << 0;
        QTest::newRow("text between cards, byte-order mark")
            << "\xEF\xBB\xBFnotes\r\nBDAY:--0909\r\n" + card("FN:A\r\nBDAY:--0101\r\n") +
                   "END:VCARD\r\nFN:stray\r\n"
            << birthday("A", 1, 1) << 1 << 0 << 0;
        QTest::newRow("a card inside a card gives nothing")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Outer\r\nAGENT:\r\nBEGIN:VCARD\r\n"
                   "FN:Inner\r\nBDAY:--0202\r\nEND:VCARD\r\nBDAY:--0101\r\nEND:VCARD\r\n")
            << birthday("Outer", 1, 1) << 1 << 0 << 0;
    }
    void cards() {
        QFETCH(QByteArray, file);
        QFETCH(QList<EventRecord>, events);
        QFETCH(int, cards);
        QFETCH(int, withoutDates);
        QFETCH(int, skipped);
        const VCardImport result = parseVCards(file, kToday);
        QCOMPARE(result.events, events);
        QCOMPARE(result.cards, cards);
        QCOMPARE(result.cardsWithoutDates, withoutDates);
        QCOMPARE(result.skippedDates.size(), skipped);
    }

    void badDatesAreSkippedWithAReason_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("reason");
        const QString notADate =
            QStringLiteral("is not a date in the form YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD");
        QTest::newRow("31 April") << QByteArray("BDAY:2023-04-31")
                                  << "Ann's birthday \"2023-04-31\": April has no day 31";
        QTest::newRow("30 February, no year")
            << QByteArray("BDAY:--0230") << "Ann's birthday \"--0230\": February has no day 30";
        QTest::newRow("day 0") << QByteArray("BDAY:19850400") << "April has no day 0";
        QTest::newRow("month 13") << QByteArray("ANNIVERSARY:2010-13-01")
                                  << "Ann's anniversary \"2010-13-01\": there is no month 13";
        QTest::newRow("month 0") << QByteArray("X-ANNIVERSARY:--0001") << "there is no month 0";
        QTest::newRow("29 February of a common year")
            << QByteArray("BDAY:1985-02-29")
            << "Ann's birthday \"1985-02-29\": February 1985 has no day 29";
        QTest::newRow("29 February of a common year, basic form")
            << QByteArray("ANNIVERSARY:19810229T120000Z") << "February 1981 has no day 29";
        QTest::newRow("30 February of a leap year")
            << QByteArray("BDAY:2000-02-30") << "February has no day 30";
        QTest::newRow("text") << QByteArray("BDAY;VALUE=text:circa 1950")
                              << "Ann's birthday \"circa 1950\" " + notADate;
        QTest::newRow("month without a day") << QByteArray("BDAY:--04") << notADate;
        QTest::newRow("day without a month") << QByteArray("BDAY:---15") << notADate;
        QTest::newRow("year and month") << QByteArray("BDAY:1985-04") << notADate;
        QTest::newRow("one-digit month") << QByteArray("BDAY:1985-4-15") << notADate;
        QTest::newRow("time only") << QByteArray("BDAY:T102200") << notADate;
        QTest::newRow("empty") << QByteArray("BDAY:") << "Ann's birthday \"\" " + notADate;
        QTest::newRow("signs") << QByteArray("BDAY:+985-04-15") << notADate;
        QTest::newRow("digits of another script")
            << QByteArray("BDAY:\xD9\xA1\xD9\xA9\xD9\xA8\xD9\xA5-04-15") << notADate;
        QTest::newRow("line separator shown as a blank")
            << QByteArray("BDAY:1985\xE2\x80\xA8-04-15")
            << "Ann's birthday \"1985 -04-15\" " + notADate;
        QTest::newRow("long value quoted short")
            << "BDAY:" + QByteArray(500, '9')
            << "Ann's birthday \"" + QString(80, QLatin1Char('9')) + "...\" " + notADate;
    }
    void badDatesAreSkippedWithAReason() {
        QFETCH(QByteArray, property);
        QFETCH(QString, reason);
        const VCardImport result =
            parseVCards(card("FN:Ann\r\n" + property + "\r\nBDAY:--0101\r\n"));
        QCOMPARE(result.events, birthday("Ann", 1, 1));
        QCOMPARE(result.cardsWithoutDates, 0);
        QCOMPARE(result.skippedDates.size(), 1);
        ALMANIS_VERIFY_CONTAINS(result.skippedDates[0], reason);
    }

    // A name the editor would not take gives no event; the report names its
    // line. So does a card whose name is too long to be read whole.
    void namesThatCannotBeImportedAreToldWithTheirLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("report");
        QTest::newRow("escape sequence in FN")
            << card("FN:Evil\x1B]0;x\x07\r\nBDAY:--0101\r\n")
            << "Line 3: \"Evil\uFFFD]0;x\uFFFD's birthday\" cannot be imported: the description "
               "holds the control character U+001B, which the editor does not take either";
        QTest::newRow("control character in N")
            << card("N:Smith;Ann\x01;;;\r\nBDAY:--0101\r\n")
            << "Line 3: \"Ann\uFFFD Smith's birthday\" cannot be imported: the description "
               "holds the control character U+0001, which the editor does not take either";
        QTest::newRow("name too long")
            << card("FN:" + QByteArray(40000, 'a') + "\r\nBDAY:--0101\r\n")
            << "Line 3: \"" + QString(80, QLatin1Char('a')) +
                   "...\" cannot be imported: the description is 40011 characters long, and it "
                   "can have at most 32767";
        QTest::newRow("a name folded past what is read")
            << card("FN:" + QByteArray(700000, 'a') + "\r\n " + QByteArray(700000, 'b') +
                    "\r\nBDAY:--0101\r\n")
            << "Line 3 is longer than 1048576 bytes, so the card that begins on line 1 gives no "
               "event";
    }
    void namesThatCannotBeImportedAreToldWithTheirLine() {
        QFETCH(QByteArray, file);
        QFETCH(QString, report);
        const VCardImport result = parseVCards(file + card("FN:Next\r\nBDAY:--0202\r\n"));
        QCOMPARE(result.events, birthday("Next", 2, 2));
        QCOMPARE(result.skippedDates, QStringList{report});
    }

    void theSampleOfBadDatesSaysWhy() {
        const VCardImport result = parseVCards(corpusFile("bad-dates.vcf"));
        QVERIFY(result.events.isEmpty());
        QCOMPARE(result.cards, 3);
        QCOMPARE(
            result.skippedDates,
            QStringList(
                {QStringLiteral("April Fool's birthday \"2023-04-31\": April has no day 31"),
                 QStringLiteral("Feb Thirty's birthday \"--0230\": February has no day 30"),
                 QStringLiteral("Feb Thirty's anniversary \"2010-13-01\": there is no month 13"),
                 QStringLiteral("Only A Day's birthday \"---15\" is not a date in the "
                                "form YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD")}));
    }

    void unreadableDataGivesNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "The vCard data is empty";
        const QByteArray garbage = test::randomBytes(4096);
        QTest::newRow("binary garbage") << garbage << "has no BEGIN:VCARD";
        QTest::newRow("an iCalendar file")
            << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
            << "is not a vCard file";
        const QByteArray two = card("FN:One\r\nBDAY:--0101\r\n") +
                               card("FN:Two, folded over\r\n  two lines\r\nBDAY:--0202\r\n");
        QTest::newRow("cut inside a card")
            << two.left(two.indexOf("FN:Two")) << "ends inside the card that begins on line 6";
        QTest::newRow("cut inside a folded line")
            << two.left(two.indexOf("  two")) << "ends inside the card that begins on line 6";
        QTest::newRow("cut before the last END") << two.left(two.lastIndexOf("END:VCARD"))
                                                 << "ends inside the card that begins on line 6";
        QTest::newRow("garbage inside a card")
            << "BEGIN:VCARD\r\n" + garbage << "ends inside the card that begins on line 1";
    }
    void unreadableDataGivesNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { parseVCards(file); }), reason);
    }

    void filesAreReadLikeData() {
        const QString path = QStringLiteral(VCARD_CORPUS "/good-3.0.vcf");
        const VCardImport fromFile = readVCards(path);
        const VCardImport fromData = parseVCards(test::readFile(path));
        QCOMPARE(fromFile.events, fromData.events);
        QCOMPARE(fromFile.cards, fromData.cards);
        QVERIFY(!fromFile.events.isEmpty());
    }

    void fileErrorsNameTheFile() {
        QTemporaryDir folder;
        const QString cut = folder.filePath(QStringLiteral("cut.vcf"));
        test::writeFile(cut, "BEGIN:VCARD\r\nFN:x\r\n");
        for (const QString& path :
             {folder.filePath(QStringLiteral("none.vcf")), folder.path(), cut}) {
            ALMANIS_VERIFY_CONTAINS(test::errorOf([&] { readVCards(path); }), path);
        }
    }

    // An address book with a photo on every card and a birthday on most. The
    // reader holds one card at a time.
    void aLargeFileIsReadInPieces() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("contacts.vcf"));
        QByteArray photo = "PHOTO;ENCODING=b;TYPE=JPEG:";
        for (int line = 0; line < 60; ++line) {
            photo += QByteArray(74, 'A') + "\r\n ";
        }
        photo += "AA==\r\n";
        const int pieces = test::writeLargeFile(
            path, {},
            [&](int n) {
                const QByteArray number = QByteArray::number(n);
                return card("FN:Contact " + number + "\r\nN:" + number + ";Contact;;;\r\n" +
                            (n % 4 == 3 ? QByteArray()
                                        : "BDAY:--" + QByteArray::number(1001 + n % 28) + "\r\n") +
                            "TEL;TYPE=cell:+1 555 0100\r\n" + photo);
            },
            50 * 1024 * 1024, {});
        QVERIFY(pieces > 0);
        const long before = test::peakMemoryKiB();
        const VCardImport result = readVCards(path);
        QCOMPARE(result.cards, pieces);
        QCOMPARE(result.cardsWithoutDates, pieces / 4);
        QCOMPARE(result.events.size(), pieces - pieces / 4);
        QCOMPARE(result.events.first(), yearly(QStringLiteral("Contact 0's birthday"), 10, 1));
        if (test::kPeakMemoryIsMeaningful) {
            const long grown = test::peakMemoryKiB() - before;
            QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(grown)));
        }
    }
};

ALMANIS_TEST_MAIN(VCardFileTest)
#include "tst_vcard_file.moc"
