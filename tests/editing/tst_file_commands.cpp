// The import, export and format-note buttons, clicked on the real main window.
#include "TestEnvironment.h"

#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Design.h"
#include "store/Connection.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <memory>

using namespace almanis;

namespace {

const QString kTitle = QStringLiteral("Almanis");

struct MainWindow {
    // blankStore: start from the empty seed instead of the holidays.
    explicit MainWindow(bool blankStore = false) {
        if (blankStore) {
            env.createStore();
        }
        form = std::make_unique<Form1>(env.services);
        form->Form_Load();
        form->Form_Activate();
        env.ui.clear();
    }
    QString path(const QString& name) const { return env.dataFolder() + QLatin1Char('/') + name; }

    // Description, month and day of every list row, in list order.
    QStringList rows() const {
        QStringList rows;
        for (int row = 0; row < form->ListView1.count(); ++row) {
            rows << form->ListView1.subItem(row, 1) + QLatin1Char('|') +
                        form->ListView1.subItem(row, 5) + QLatin1Char('|') +
                        form->ListView1.subItem(row, 3);
        }
        return rows;
    }
    void importFile(const QString& file) {
        env.ui.openAnswers.push_back({file});
        form->PushButton8->click();
    }
    void exportFile(const QString& file) {
        env.ui.saveAnswers.push_back(file);
        form->PushButton9->click();
    }

    test::TestEnvironment env;
    std::unique_ptr<Form1> form;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool onlyDone(const test::ScriptedUi& ui) {
    return ui.boxes.size() == 1 && ui.boxes[0].kind == QLatin1String("inform") &&
           ui.boxes[0].text == QLatin1String("Done.") && ui.boxes[0].title == kTitle;
}

}  // namespace

class ExchangeCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void formatNote() {
        MainWindow w;
        w.form->PushButton10->click();
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
        MainWindow w;
        w.form->PushButton8->click();
        w.form->PushButton9->click();
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
        MainWindow w;
        const QStringList before = w.rows();
        w.form->PushButton8->click();  // no answer queued: the open dialog was cancelled
        w.exportFile(QString());
        QVERIFY(w.env.ui.boxes.isEmpty());
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.form->pointer->mousePointer(), PointerRule::Default);
        QCOMPARE(QDir(w.env.dataFolder()).entryList({QStringLiteral("*.txt*")}, QDir::Files),
                 QStringList());
    }

    void exportThenImportGivesTheSameList() {
        MainWindow w;  // the holidays of the seed
        const QStringList before = w.rows();
        QVERIFY(before.size() > 5);
        w.exportFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(onlyDone(w.env.ui));
        const QByteArray text = readFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(text.startsWith("New Year's Day,January 1\r\n"));
        QCOMPARE(text.count("\r\n"), before.size());

        w.form->EventDb.execute(QStringLiteral("delete from tblEvent"));
        w.form->ListEvents();
        QCOMPARE(w.form->ListView1.count(), 0);
        w.env.ui.clear();
        w.importFile(w.path(QStringLiteral("events.txt")));
        QVERIFY(onlyDone(w.env.ui));
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.form->pointer->mousePointer(), PointerRule::Default);

        // No duplicate check: the same file again stores everything twice.
        w.importFile(w.path(QStringLiteral("events.txt")));
        QCOMPARE(w.rows().size(), 2 * before.size());
    }

    // What a person does: export, change the file in an editor, import it back.
    void editedFileComesBack() {
        MainWindow w;
        const QString file = w.path(QStringLiteral("mine.txt"));
        w.exportFile(file);
        QByteArray text = readFile(file);
        QVERIFY(text.contains("Halloween,October 31\r\n"));
        text.replace("Halloween,October 31\r\n", "Halloween party,october 30\r\n");
        text.append("Tom's birthday,JUNE 20\n");
        writeFile(file, text);
        w.form->EventDb.execute(QStringLiteral("delete from tblEvent"));
        w.importFile(file);
        const QStringList rows = w.rows();
        QVERIFY(rows.contains(QStringLiteral("Halloween party|10|30")));
        QVERIFY(rows.contains(QStringLiteral("Tom's birthday|6|20")));
        QVERIFY(!rows.join(QLatin1Char(' ')).contains(QStringLiteral("Halloween|")));
        QCOMPARE(w.form->ListView1.subItem(rows.indexOf(QStringLiteral("Tom's birthday|6|20")), 4),
                 QStringLiteral("5"));
    }

    void badLineIsReportedAndTheRestGoesOn() {
        MainWindow w(true);
        const QString file = w.path(QStringLiteral("bad.txt"));
        writeFile(file, "Good,May 1\r\nBad,Mai 2\r\nAfter,May 3\r\n");
        w.importFile(file);
        QCOMPARE(w.env.ui.boxes.size(), 2);
        QCOMPARE(w.env.ui.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(
            w.env.ui.boxes[0].text,
            errorReportText(
                QStringLiteral("Line 2 cannot be imported: \"Mai\" is not an English month name. "
                               "The line reads \"Bad,Mai 2\""),
                QStringLiteral("Form1"), QStringLiteral("PushButton8_Click"), 106));
        QCOMPARE(w.env.ui.boxes[1].text, QStringLiteral("Done."));
        // The list is refilled after the report.
        QCOMPARE(w.rows(), QStringList{QStringLiteral("Good|5|1")});
        QCOMPARE(w.form->pointer->mousePointer(), PointerRule::Default);
    }

    void missingFileIsReported() {
        MainWindow w(true);
        w.importFile(w.path(QStringLiteral("gone.txt")));
        QCOMPARE(w.env.ui.errors().size(), 1);
        QVERIFY(w.env.ui.errors()[0].startsWith(QStringLiteral("File not found: ")));
        QVERIFY(
            w.env.ui.errors()[0].contains(QStringLiteral("Form1.PushButton8_Click at line 106")));
        QCOMPARE(w.env.ui.boxes.last().text, QStringLiteral("Done."));
        QCOMPARE(w.form->ListView1.count(), 0);
    }

    void onlyTheFirstChosenFileIsImported() {
        MainWindow w(true);
        writeFile(w.path(QStringLiteral("a.txt")), "From a,May 1\r\n");
        writeFile(w.path(QStringLiteral("b.txt")), "From b,May 2\r\n");
        w.env.ui.openAnswers.push_back(
            {w.path(QStringLiteral("a.txt")), w.path(QStringLiteral("b.txt"))});
        w.form->PushButton8->click();
        QVERIFY(onlyDone(w.env.ui));
        QCOMPARE(w.rows(), QStringList{QStringLiteral("From a|5|1")});
    }

    void exportOfAnEmptyListCreatesNoFile() {
        MainWindow w(true);
        QCOMPARE(w.form->ListView1.count(), 0);
        w.exportFile(w.path(QStringLiteral("empty.txt")));
        QVERIFY(onlyDone(w.env.ui));
        QVERIFY(!QFile::exists(w.path(QStringLiteral("empty.txt"))));
    }

    void exportFailureIsReportedAndTheOldFileKept() {
        MainWindow w;
        w.exportFile(w.path(QStringLiteral("no such folder/events.txt")));
        QCOMPARE(w.env.ui.boxes.size(), 2);
        QVERIFY(
            w.env.ui.boxes[0].text.contains(QStringLiteral("Form1.PushButton9_Click at line 106")));
        QCOMPARE(w.env.ui.boxes[1].text, QStringLiteral("Done."));
        QCOMPARE(w.form->pointer->mousePointer(), PointerRule::Default);

        // A row that goes away while the export lets events run stops it; the
        // file it was to replace stays as it was.
        const QString file = w.path(QStringLiteral("events.txt"));
        writeFile(file, "previous\r\n");
        w.env.ui.clear();
        w.form->EventDb.execute(QStringLiteral("delete from tblEvent where id > 1"));
        QMetaObject::invokeMethod(
            w.form.get(), [&] { w.form->ListEvents(); }, Qt::QueuedConnection);
        w.exportFile(file);
        QCOMPARE(w.env.ui.errors().size(), 1);
        QVERIFY(w.env.ui.errors()[0].startsWith(QStringLiteral("Index out of bounds")));
        QCOMPARE(readFile(file), QByteArray("previous\r\n"));
        QCOMPARE(w.form->ListView1.count(), 1);
    }
};

ALMANIS_TEST_MAIN(ExchangeCommandsTest)
#include "tst_file_commands.moc"
