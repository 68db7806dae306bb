// The import, export and format-note buttons, clicked on the real main window.
#include "Checks.h"
#include "Files.h"
#include "SpecialFiles.h"
#include "StartedProgram.h"

#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "store/Connection.h"
#include "widgets/PointerRule.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

using namespace almanis;

namespace {

// The main window over the holidays of the events seed, or an empty store.
struct Window : test::StartedProgram {
    explicit Window(bool blankStore = false) : StartedProgram(QDate(2026, 6, 15), blankStore) {}
    QString path(const QString& name) const { return env.dataFolder() + QLatin1Char('/') + name; }

    // Description, month and day of every list row, in list order.
    QStringList rows() const {
        QStringList rows;
        const EventListModel& list = window->events();
        for (int row = 0; row < list.count(); ++row) {
            rows << list.text(row, EventListModel::DescriptionColumn) + QLatin1Char('|') +
                        list.text(row, EventListModel::MonthNumberColumn) + QLatin1Char('|') +
                        list.text(row, EventListModel::DayColumn);
        }
        return rows;
    }
    void importFile(const QString& file) {
        env.ui.openAnswers.push_back({file});
        click("PushButton8");
    }
    void exportFile(const QString& file) {
        env.ui.saveAnswers.push_back(file);
        click("PushButton9");
    }
    PointerRule::Shape pointerShape() const { return window->findChild<PointerRule*>()->shape(); }
};

// The one box shown, when it is the note `text`.
QStringList onlyNote(const QString& text) {
    return {QStringLiteral("inform|Almanis|") + text};
}

}  // namespace

class FileCommandsTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void formatNote() {
        Window w;
        w.click("PushButton10");
        QCOMPARE(test::shownBoxes(w.env.ui),
                 onlyNote(QStringLiteral(
                     "This will import/export to text files in the following format with commas "
                     "(Please use English month names):\r\n\r\nNew Year,January 1\r\nHalf "
                     "Year,July 31\r\n\r\nImport also reads calendar files (.ics: their entries "
                     "that repeat every year) and contact files (.vcf: birthdays and "
                     "anniversaries); export also writes calendar files (.ics) for any calendar "
                     "program.")));
    }

    void dialogsAsked() {
        Window w;
        w.click("PushButton8");
        w.click("PushButton9");
        QCOMPARE(w.env.ui.fileDialogs.size(), 2);
        const FileDialogOptions& open = w.env.ui.fileDialogs[0];
        const FileDialogOptions& save = w.env.ui.fileDialogs[1];
        QCOMPARE(open.title, QStringLiteral("Save"));
        QCOMPARE(open.filters,
                 (QStringList{"Event files (*.txt *.ics *.vcf)", "Text Files (*.txt)",
                              "iCalendar Files (*.ics)", "vCard Files (*.vcf)", "All Files (*)"}));
        QVERIFY(open.multiSelect);
        QCOMPARE(save.title, QStringLiteral("Save"));
        QCOMPARE(save.filters,
                 (QStringList{"Text Files (*.txt)", "iCalendar Files (*.ics)", "All Files (*)"}));
        QVERIFY(!save.multiSelect);
        QCOMPARE(save.defaultSuffix, QStringLiteral("txt"));
    }

    // The Import button reads a file in the format its content shows, with
    // almanis-cli's checks, and tells what the file held besides its events.
    void importReadsEveryFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("report");
        const QByteArray cards =
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Grace Hopper\r\nBDAY:1906-12-09\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nobody\r\nEND:VCARD\r\n";
        const QStringList grace{QStringLiteral("Grace Hopper's birthday|12|9")};
        const QString cardsReport =
            QStringLiteral("1 event imported.\n1 contact has no birthday or anniversary.");
        QTest::newRow("contacts") << "contacts.vcf" << cards << grace << cardsReport;
        QTest::newRow("contacts saved as .txt") << "contacts.txt" << cards << grace << cardsReport;
        QTest::newRow("calendar") << "town.ics"
                                  << QByteArray(
                                         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                         "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20000704\r\n"
                                         "RRULE:FREQ=YEARLY\r\nSUMMARY:Fair\r\nEND:VEVENT\r\n"
                                         "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20260701T100000Z\r\n"
                                         "SUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                                  << QStringList{QStringLiteral("Fair|7|4")}
                                  << QStringLiteral(
                                         "1 event imported.\n1 calendar entry skipped: it does "
                                         "not repeat every year.");
        QTest::newRow("text") << "events.txt" << QByteArray("BEGIN:VCARD,May 1\r\n")
                              << QStringList{QStringLiteral("BEGIN:VCARD|5|1")}
                              << QStringLiteral("1 event imported.");
    }
    void importReadsEveryFormat() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, rows);
        QFETCH(QString, report);
        Window w(true);
        test::writeFile(w.path(name), content);
        w.importFile(w.path(name));
        QCOMPARE(test::shownBoxes(w.env.ui), onlyNote(report));
        QCOMPARE(w.rows(), rows);
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);

        // The same file again stores nothing and says what was there already.
        w.env.ui.clear();
        w.importFile(w.path(name));
        QString again = report;
        again.replace(QStringLiteral("1 event imported."),
                      QStringLiteral("0 events imported, 1 already present."));
        QCOMPARE(test::shownBoxes(w.env.ui), onlyNote(again));
        QCOMPARE(w.rows(), rows);
    }

    // Export writes the format the name's suffix names, else the one of the
    // chosen filter, and gives a name without a suffix the format's; what it
    // writes comes back whole through Import.
    void exportWritesTheChosenFormat_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");  // text, calendar, all files
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("start");
        const QByteArray text("New Year's Day,January 1\r\n");
        const QByteArray calendar("BEGIN:VCALENDAR\r\n");
        QTest::newRow("text") << "events.txt" << 0 << "events.txt" << text;
        QTest::newRow("calendar by its suffix") << "events.ICS" << 0 << "events.ICS" << calendar;
        QTest::newRow("text by its suffix") << "events.txt" << 1 << "events.txt" << text;
        QTest::newRow("calendar by the filter") << "events" << 1 << "events.ics" << calendar;
        QTest::newRow("text by the filter") << "events" << 0 << "events.txt" << text;
        QTest::newRow("other suffix, calendar filter")
            << "events.bak" << 1 << "events.bak" << calendar;
        QTest::newRow("all files") << "events" << 2 << "events.txt" << text;
    }
    void exportWritesTheChosenFormat() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, start);
        Window w;  // the holidays of the seed
        const QStringList before = w.rows();
        w.env.ui.saveFilters.push_back(filter);
        w.exportFile(w.path(typed));
        QCOMPARE(test::shownBoxes(w.env.ui), onlyNote(QStringLiteral("%1 events exported to %2.")
                                                          .arg(before.size())
                                                          .arg(w.path(written))));
        QVERIFY(test::readFile(w.path(written)).startsWith(start));

        w.execute(QStringLiteral("delete from tblEvent"));
        w.env.ui.clear();
        w.importFile(w.path(written));
        QCOMPARE(test::shownBoxes(w.env.ui),
                 onlyNote(QStringLiteral("%1 events imported.").arg(before.size())));
        QCOMPARE(w.rows(), before);
    }

    void contactFilesAreNotWritten() {
        Window w;
        w.exportFile(w.path(QStringLiteral("events.vcf")));
        QCOMPARE(w.env.ui.errors(),
                 QStringList{
                     errorReportText(QStringLiteral("Contact files can be imported, not exported."),
                                     where::exportEvents, 106)});
        QVERIFY(!QFile::exists(w.path(QStringLiteral("events.vcf"))));
    }

    void cancellingDoesNothing() {
        Window w;
        const QStringList before = w.rows();
        w.click("PushButton8");  // no answer queued: the open dialog was cancelled
        w.exportFile(QString());
        QVERIFY(w.env.ui.boxes.isEmpty());
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
        QCOMPARE(QDir(w.env.dataFolder()).entryList({QStringLiteral("*.txt*")}, QDir::Files),
                 QStringList());
    }

    void exportThenImportGivesTheSameList() {
        Window w;  // the holidays of the seed
        const QStringList before = w.rows();
        QVERIFY(before.size() > 5);
        w.exportFile(w.path(QStringLiteral("events.txt")));
        QCOMPARE(test::shownBoxes(w.env.ui),
                 onlyNote(QStringLiteral("%1 events exported to %2.")
                              .arg(before.size())
                              .arg(w.path(QStringLiteral("events.txt")))));
        const QByteArray text = test::readFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(text.startsWith("New Year's Day,January 1\r\n"));
        QCOMPARE(text.count("\r\n"), before.size());

        w.execute(QStringLiteral("delete from tblEvent"));
        w.window->reminderEngine().refreshList();
        QCOMPARE(w.window->events().count(), 0);
        w.env.ui.clear();
        w.importFile(w.path(QStringLiteral("events.txt")));
        QCOMPARE(test::shownBoxes(w.env.ui),
                 onlyNote(QStringLiteral("%1 events imported.").arg(before.size())));
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);

        // The same file again stores nothing and says so.
        w.env.ui.clear();
        w.importFile(w.path(QStringLiteral("events.txt")));
        QCOMPARE(
            test::shownBoxes(w.env.ui),
            onlyNote(QStringLiteral("0 events imported, %1 already present.").arg(before.size())));
        QCOMPARE(w.rows(), before);
    }

    // What a person types in the editor comes back whole from an exported file.
    void trickyDescriptionsRoundTripThroughTheButtons() {
        Window w(true);
        const QStringList descriptions{
            QStringLiteral("Smith, John"),
            QStringLiteral("Tea,May 2, 1999,"),
            QStringLiteral("\"Quoted\" and 'single' and Mum's"),
            QStringLiteral("День рождения 誕生日"),
            QStringLiteral("🎂 👨‍👩‍👧 party"),
            QStringLiteral("\u05D9\u05D5\u05DD \u05D4\u05D5\u05DC\u05D3\u05EA, \u200F1"),
            QStringLiteral("blanks   inside")};
        for (const QString& description : descriptions) {
            w.env.ui.modalScripts.push_back([description](QDialog& editor) {
                test::find<QComboBox>(editor, "Combo1")->setCurrentIndex(2);
                test::find<QLineEdit>(editor, "Text1")->setText(description);
                test::button(editor, "PushButton6")->click();
            });
            w.click("PushButton6");
        }
        const QStringList typed = w.rows();
        QCOMPARE(typed.size(), descriptions.size());
        const QString file = w.path(QStringLiteral("tricky.txt"));
        w.exportFile(file);
        w.execute(QStringLiteral("delete from tblEvent"));
        w.importFile(file);
        QCOMPARE(w.rows(), typed);
        QVERIFY(w.env.ui.errors().isEmpty());
    }

    // Before an import changes the store, today's backup takes it as it was.
    void anImportIsPrecededByABackup() {
        Window w(true);
        w.addEvent(QStringLiteral("Kept"), 1, 2);
        const QString file = w.path(QStringLiteral("new.txt"));
        test::writeFile(file, "New,May 1\r\n");
        w.importFile(file);
        const QString backup =
            w.env.dataFolder() + QStringLiteral("/backups/dbData-2026-06-15.mdb");
        QVERIFY(QFile::exists(backup));
        Connection copy;
        copy.openReadOnly(backup);
        QCOMPARE(test::storedEvents(copy),
                 (QList<test::StoredEvent>{{QStringLiteral("Kept"), 1, 2}}));
    }

    // What a person does: export, change the file in an editor, import it back.
    void editedFileComesBack() {
        Window w;
        const QString file = w.path(QStringLiteral("mine.txt"));
        w.exportFile(file);
        QByteArray text = test::readFile(file);
        QVERIFY(text.contains("Halloween,October 31\r\n"));
        text.replace("Halloween,October 31\r\n", "Halloween party,october 30\r\n");
        text.append("Tom's birthday,JUNE 20\n");
        test::writeFile(file, text);
        w.execute(QStringLiteral("delete from tblEvent"));
        w.importFile(file);
        const QStringList rows = w.rows();
        QVERIFY(rows.contains(QStringLiteral("Halloween party|10|30")));
        QVERIFY(rows.contains(QStringLiteral("Tom's birthday|6|20")));
        QVERIFY(!rows.join(QLatin1Char(' ')).contains(QStringLiteral("Halloween|")));
        QCOMPARE(w.window->events().text(rows.indexOf(QStringLiteral("Tom's birthday|6|20")),
                                         EventListModel::DaysLeftColumn),
                 QStringLiteral("5"));
    }

    // A file with a bad line stores nothing: the user mends the line and
    // imports the whole file again, without duplicates.
    void aBadFileStoresNothingAndOnlyTheFailureIsTold() {
        Window w(true);
        const QString file = w.path(QStringLiteral("bad.txt"));
        test::writeFile(file, "Good,May 1\r\nBad,Mai 2\r\nAfter,May 3\r\nWorse\r\n");
        w.importFile(file);
        QCOMPARE(w.env.ui.boxes.size(), 1);
        QCOMPARE(w.env.ui.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(
            w.env.ui.boxes[0].text,
            errorReportText(
                QStringLiteral("Line 2 cannot be imported: \"Mai\" is not an English month name. "
                               "The line reads \"Bad,Mai 2\". 1 more line cannot be imported "
                               "either. Nothing was imported."),
                where::importEvents, 106));
        QCOMPARE(w.rows(), QStringList());
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);

        w.env.ui.clear();
        test::writeFile(file, "Good,May 1\r\nBad,May 2\r\nAfter,May 3\r\nWorse,May 4\r\n");
        w.importFile(file);
        QCOMPARE(test::shownBoxes(w.env.ui), onlyNote(QStringLiteral("4 events imported.")));
        QCOMPARE(w.rows(), (QStringList{"Good|5|1", "Bad|5|2", "After|5|3", "Worse|5|4"}));
    }

    // The store refuses a row part-way (its disk full): nothing is stored,
    // the list stays as it was, and the report says so.
    void aStoreThatFillsUpStoresNothing() {
        Window w(true);
        const QString file = w.path(QStringLiteral("many.txt"));
        QByteArray text;
        for (int i = 0; i < 500; ++i) {
            text += QByteArray(300, 'x') + QByteArray::number(i) + ",May 1\r\n";
        }
        test::writeFile(file, text);
        w.window->storeConnection().execute(QStringLiteral("PRAGMA max_page_count=8"));
        w.importFile(file);
        const QStringList errors = w.env.ui.errors();
        QCOMPARE(w.env.ui.boxes.size(), 1);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(w.window->events().count(), 0);
        QCOMPARE(test::storedEvents(w.window->storeConnection()).size(), 0);
        ALMANIS_VERIFY_CONTAINS(errors[0],
                                QStringLiteral(" of 500) cannot be stored: database or disk is "
                                               "full (dbData.mdb). Nothing was imported."));
        QVERIFY(errors[0].contains(QStringLiteral("Form1.PushButton8_Click at line 107")));
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
    }

    void missingFileIsReported() {
        Window w(true);
        w.importFile(w.path(QStringLiteral("gone.txt")));
        QCOMPARE(w.env.ui.errors().size(), 1);
        QVERIFY(w.env.ui.errors()[0].startsWith(QStringLiteral("File not found: ")));
        QVERIFY(
            w.env.ui.errors()[0].contains(QStringLiteral("Form1.PushButton8_Click at line 106")));
        QCOMPARE(w.env.ui.boxes.size(), 1);
        QCOMPARE(w.window->events().count(), 0);
    }

    void onlyTheFirstChosenFileIsImported() {
        Window w(true);
        test::writeFile(w.path(QStringLiteral("a.txt")), "From a,May 1\r\n");
        test::writeFile(w.path(QStringLiteral("b.txt")), "From b,May 2\r\n");
        w.env.ui.openAnswers.push_back(
            {w.path(QStringLiteral("a.txt")), w.path(QStringLiteral("b.txt"))});
        w.click("PushButton8");
        QCOMPARE(test::shownBoxes(w.env.ui), onlyNote(QStringLiteral("1 event imported.")));
        QCOMPARE(w.rows(), QStringList{QStringLiteral("From a|5|1")});
    }

    // No events: the file is written empty, as almanis-cli writes it, and the
    // note says so.
    void exportOfAnEmptyListWritesAnEmptyFile() {
        Window w(true);
        QCOMPARE(w.window->events().count(), 0);
        test::writeFile(w.path(QStringLiteral("empty.txt")), "An older export,May 1\r\n");
        w.exportFile(w.path(QStringLiteral("empty.txt")));
        QCOMPARE(test::shownBoxes(w.env.ui),
                 onlyNote(QStringLiteral(
                              "There are no events to export; %1 was written with none in it.")
                              .arg(w.path(QStringLiteral("empty.txt")))));
        QCOMPARE(test::readFile(w.path(QStringLiteral("empty.txt"))), QByteArray());
    }

    // Anything but a new or a regular file is refused with the report, and
    // left as it was.
    void exportToANamedPipeIsRefused() {
        Window w;
        const QString pipe = w.path(QStringLiteral("pipe.txt"));
        QVERIFY(test::makeSpecialFile(pipe, QStringLiteral("named pipe")));
        w.exportFile(pipe);
        QCOMPARE(w.env.ui.errors().size(), 1);
        ALMANIS_VERIFY_STARTS(
            w.env.ui.errors()[0],
            QStringLiteral("Nothing was written to %1: it is a named pipe, and an "
                           "export writes only to a regular file")
                .arg(pipe));
        QVERIFY(
            w.env.ui.errors()[0].contains(QStringLiteral("Form1.PushButton9_Click at line 106")));
        QCOMPARE(test::specialFileKind(pipe), QStringLiteral("named pipe"));
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
    }

    void exportFailureIsReportedAndTheOldFileKept() {
        Window w;
        w.exportFile(w.path(QStringLiteral("no such folder/events.txt")));
        QCOMPARE(w.env.ui.boxes.size(), 1);
        QVERIFY(
            w.env.ui.boxes[0].text.contains(QStringLiteral("Form1.PushButton9_Click at line 106")));
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
    }

    // The export writes what the list shows, not what the store holds by now.
    // A row whose month or day the store gave as no number would give a line
    // that no import takes: the export stops with the report, and the file it
    // was to replace stays as it was.
    void exportWritesTheListAsShown_data() {
        QTest::addColumn<QString>("stored");  // month and day of the row stored second
        QTest::addColumn<bool>("refilled");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QByteArray>("written");
        const QString overflow =
            QStringLiteral("Overflow: the month %1 of list row 2 is not a number from 0 to 255");
        const QByteArray previous("previous\r\n");
        QTest::newRow("stored after the fill")
            << "5, 1" << false << QString() << QByteArray("a,January 1\r\n");
        QTest::newRow("month 0") << "0, 5" << true << QString()
                                 << QByteArray("b, 5\r\na,January 1\r\n");
        QTest::newRow("month 256")
            << "256, 1" << true << overflow.arg(QStringLiteral("\"256\"")) << previous;
        QTest::newRow("month not a number")
            << "'May', 1" << true << overflow.arg(QStringLiteral("\"\"")) << previous;
        QTest::newRow("day not a number")
            << "5, 'first'" << true
            << QStringLiteral(
                   "The day of list row 2 could not be read from the store, so the "
                   "events cannot be exported")
            << previous;
    }
    void exportWritesTheListAsShown() {
        QFETCH(QString, stored);
        QFETCH(bool, refilled);
        QFETCH(QString, error);
        QFETCH(QByteArray, written);
        Window w(true);
        w.addEvent(QStringLiteral("a"), 1, 1);
        w.window->reminderEngine().refreshList();
        w.execute(QStringLiteral(
                      "insert into tblEvent (Description, EventMonth, EventDay) values ('b', %1)")
                      .arg(stored));
        if (refilled) {
            w.window->reminderEngine().refreshList();
        }
        w.env.ui.clear();
        const QString file = w.path(QStringLiteral("events.txt"));
        test::writeFile(file, "previous\r\n");
        w.exportFile(file);
        QCOMPARE(w.env.ui.errors(),
                 error.isEmpty() ? QStringList()
                                 : QStringList{errorReportText(error, where::exportEvents, 106)});
        QCOMPARE(test::readFile(file), written);
        QCOMPARE(QDir(w.env.dataFolder()).entryList({QStringLiteral("*.txt*")}, QDir::Files),
                 QStringList{QStringLiteral("events.txt")});
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
    }
};

ALMANIS_TEST_MAIN(FileCommandsTest)
#include "tst_file_commands.moc"
