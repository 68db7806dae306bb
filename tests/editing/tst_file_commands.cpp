// The import, export and format-note buttons, clicked on the real main window.
#include "Files.h"
#include "ProgramFixture.h"

#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "store/Connection.h"
#include "widgets/PointerRule.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <memory>

using namespace almanis;

namespace {

const QString kTitle = QStringLiteral("Almanis");

// The main window over the holidays of the events seed, or an empty store.
struct Window : test::ProgramFixture {
    explicit Window(bool blankStore = false) {
        if (blankStore) {
            useBlankStore();
        }
        start();
        env.ui.clear();
    }
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

bool onlyDone(const test::ScriptedUi& ui) {
    return ui.boxes.size() == 1 && ui.boxes[0].kind == QLatin1String("inform") &&
           ui.boxes[0].text == QLatin1String("Done.") && ui.boxes[0].title == kTitle;
}

}  // namespace

class FileCommandsTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void formatNote() {
        Window w;
        test::button(*w.window, "PushButton10")->click();
        QCOMPARE(w.env.ui.boxes.size(), 1);
        QCOMPARE(w.env.ui.boxes[0].kind, QStringLiteral("inform"));
        QCOMPARE(w.env.ui.boxes[0].title, kTitle);
        QCOMPARE(w.env.ui.boxes[0].text,
                 QStringLiteral(
                     "This will import/export to text files in the following format with commas "
                     "(Please use English month names):\r\n\r\nNew Year,January 1\r\nHalf "
                     "Year,July 31"));
    }

    void dialogsAsked() {
        Window w;
        test::button(*w.window, "PushButton8")->click();
        test::button(*w.window, "PushButton9")->click();
        QCOMPARE(w.env.ui.fileDialogs.size(), 2);
        for (const FileDialogOptions& options : w.env.ui.fileDialogs) {
            QCOMPARE(options.title, QStringLiteral("Save"));
            QCOMPARE(options.filters, (QStringList{QStringLiteral("Text Files (*.txt)"),
                                                   QStringLiteral("All Files (*)")}));
        }
        QVERIFY(w.env.ui.fileDialogs[0].multiSelect);
        QVERIFY(!w.env.ui.fileDialogs[1].multiSelect);
    }

    void cancellingDoesNothing() {
        Window w;
        const QStringList before = w.rows();
        test::button(*w.window, "PushButton8")
            ->click();  // no answer queued: the open dialog was cancelled
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
        QVERIFY(onlyDone(w.env.ui));
        const QByteArray text = test::readFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(text.startsWith("New Year's Day,January 1\r\n"));
        QCOMPARE(text.count("\r\n"), before.size());

        w.execute(QStringLiteral("delete from tblEvent"));
        w.window->reminderEngine().refreshList();
        QCOMPARE(w.window->events().count(), 0);
        w.env.ui.clear();
        w.importFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(onlyDone(w.env.ui));
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);

        // No duplicate check: the same file again stores everything twice.
        w.importFile(w.path(QStringLiteral("events.txt")));
        QCOMPARE(w.rows().size(), 2 * before.size());
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

    void badLineIsReportedAndTheRestGoesOn() {
        Window w(true);
        const QString file = w.path(QStringLiteral("bad.txt"));
        test::writeFile(file, "Good,May 1\r\nBad,Mai 2\r\nAfter,May 3\r\n");
        w.importFile(file);
        QCOMPARE(w.env.ui.boxes.size(), 2);
        QCOMPARE(w.env.ui.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(
            w.env.ui.boxes[0].text,
            errorReportText(
                QStringLiteral("Line 2 cannot be imported: \"Mai\" is not an English month name. "
                               "The line reads \"Bad,Mai 2\""),
                where::importEvents, 106));
        QCOMPARE(w.env.ui.boxes[1].text, QStringLiteral("Done."));
        // The list is refilled after the report.
        QCOMPARE(w.rows(), QStringList{QStringLiteral("Good|5|1")});
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);
    }

    void missingFileIsReported() {
        Window w(true);
        w.importFile(w.path(QStringLiteral("gone.txt")));
        QCOMPARE(w.env.ui.errors().size(), 1);
        QVERIFY(w.env.ui.errors()[0].startsWith(QStringLiteral("File not found: ")));
        QVERIFY(
            w.env.ui.errors()[0].contains(QStringLiteral("Form1.PushButton8_Click at line 106")));
        QCOMPARE(w.env.ui.boxes.last().text, QStringLiteral("Done."));
        QCOMPARE(w.window->events().count(), 0);
    }

    void onlyTheFirstChosenFileIsImported() {
        Window w(true);
        test::writeFile(w.path(QStringLiteral("a.txt")), "From a,May 1\r\n");
        test::writeFile(w.path(QStringLiteral("b.txt")), "From b,May 2\r\n");
        w.env.ui.openAnswers.push_back(
            {w.path(QStringLiteral("a.txt")), w.path(QStringLiteral("b.txt"))});
        test::button(*w.window, "PushButton8")->click();
        QVERIFY(onlyDone(w.env.ui));
        QCOMPARE(w.rows(), QStringList{QStringLiteral("From a|5|1")});
    }

    void exportOfAnEmptyListCreatesNoFile() {
        Window w(true);
        QCOMPARE(w.window->events().count(), 0);
        w.exportFile(w.path(QStringLiteral("empty.txt")));
        QVERIFY(onlyDone(w.env.ui));
        QVERIFY(!QFile::exists(w.path(QStringLiteral("empty.txt"))));
    }

    void exportFailureIsReportedAndTheOldFileKept() {
        Window w;
        w.exportFile(w.path(QStringLiteral("no such folder/events.txt")));
        QCOMPARE(w.env.ui.boxes.size(), 2);
        QVERIFY(
            w.env.ui.boxes[0].text.contains(QStringLiteral("Form1.PushButton9_Click at line 106")));
        QCOMPARE(w.env.ui.boxes[1].text, QStringLiteral("Done."));
        QCOMPARE(w.pointerShape(), PointerRule::Arrow);

        // A row that goes away while the export lets events run stops it; the
        // file it was to replace stays as it was.
        const QString file = w.path(QStringLiteral("events.txt"));
        test::writeFile(file, "previous\r\n");
        w.env.ui.clear();
        w.execute(QStringLiteral("delete from tblEvent where id > 1"));
        QMetaObject::invokeMethod(
            w.window.get(), [&] { w.window->reminderEngine().refreshList(); },
            Qt::QueuedConnection);
        w.exportFile(file);
        QCOMPARE(w.env.ui.errors().size(), 1);
        QVERIFY(w.env.ui.errors()[0].startsWith(QStringLiteral("Index out of bounds")));
        QCOMPARE(test::readFile(file), QByteArray("previous\r\n"));
        QCOMPARE(w.window->events().count(), 1);
    }
};

ALMANIS_TEST_MAIN(FileCommandsTest)
#include "tst_file_commands.moc"
