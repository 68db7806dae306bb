#include "Checks.h"
#include "StartedProgram.h"

#include "alarm/AlarmWindow.h"
#include "core/AppTitle.h"
#include "editing/EventCommands.h"
#include "editing/EventEditor.h"
#include "mainwindow/MainWindow.h"
#include "store/DataFolder.h"
#include "store/ResultSet.h"
#include "store/SyncState.h"
#include "sync/AccountBook.h"
#include "widgets/Design.h"
#include "widgets/PointerRule.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

using namespace almanis;

namespace {

using Row = test::StoredEvent;

// The main window on an empty store, loaded and activated as at start-up.
struct Fixture : test::StartedProgram {
    using StartedProgram::StartedProgram;

    // Queues the user's part in the editor: fill in what is given, then press
    // a button. A save that is refused leaves the editor open with what was
    // typed; the user then gives up with Cancel.
    void editorWill(int monthIndex, const QString& day, const QString& description,
                    bool save = true, std::function<void(EventEditor&)> inspect = {}) {
        env.ui.modalScripts.push_back([=, this](QDialog& dialog) {
            auto& editor = static_cast<EventEditor&>(dialog);
            if (inspect) {
                inspect(editor);
            }
            auto* dayBox = test::find<QComboBox>(editor, "Combo2");
            auto* text = test::find<QLineEdit>(editor, "Text1");
            if (monthIndex != -2) {
                test::find<QComboBox>(editor, "Combo1")->setCurrentIndex(monthIndex);
            }
            if (!day.isNull()) {
                dayBox->setCurrentIndex(dayBox->findText(day));
            }
            if (!description.isNull()) {
                text->setText(description);
            }
            if (save) {
                test::button(editor, "PushButton6")->click();
                openAfterSave = editor.result() != QDialog::Accepted;
                textAfterSave = text->text();
            }
            if (!save || openAfterSave) {
                test::button(editor, "PushButton1")->click();
            }
        });
    }

    bool openAfterSave = false;
    QString textAfterSave;
};

// Types the year, the note and the remind days ("" for "As set in the
// options", else the days of the boxes to tick, as "3,30") into the editor.
void typeDetails(EventEditor& editor, const QString& year, const QString& note,
                 const QString& days) {
    test::find<QLineEdit>(editor, "Text2")->setText(year);
    test::find<QPlainTextEdit>(editor, "Text3")->setPlainText(note);
    if (days.isEmpty()) {
        test::find<QRadioButton>(editor, "Option1")->click();
        return;
    }
    test::find<QRadioButton>(editor, "Option2")->click();
    const std::optional<RemindWindows> wanted = RemindWindows::fromText(days);
    for (std::size_t i = 0; i < RemindWindows::kDays.size(); ++i) {
        auto* box = test::find<QCheckBox>(editor, QStringLiteral("Check%1").arg(i + 1).toLatin1());
        QVERIFY(box->isEnabled());
        box->setChecked(wanted->isDue(RemindWindows::kDays[i]));
    }
}

// An event's details as stored: "year|days|note", "" for a part that is none.
QString storedDetails(const Connection& db, qint64 id) {
    const std::optional<EventRecord> event = readEvent(db, id);
    return QStringList({event->year ? QString::number(*event->year) : QString(),
                        event->remindDays ? event->remindDays->toText() : QString(), event->note})
        .join(QLatin1Char('|'));
}

}  // namespace

class EditorTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void saveChecksDateThenDescription_data() {
        QTest::addColumn<int>("monthIndex");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");  // empty: the event is stored
        const auto row = [](const char* name, int monthIndex, const QString& day,
                            const QString& description, const QString& message) {
            QTest::newRow(name) << monthIndex << day << description << message;
        };
        const QString invalid = QStringLiteral("Selected date is invalid.");
        const QString forgot = QStringLiteral("You forgot to input description.");
        row("29 February in any year", 1, "29", "Leap day", QString());
        row("30 February", 1, "30", "x", invalid);
        row("31 April", 3, "31", "x", invalid);
        row("31 November", 10, "31", "x", invalid);
        row("31 December", 11, "31", "Year end", QString());
        row("invalid date and no description: date first", 5, "31", "", invalid);
        row("blanks only", 0, "1", "   ", forgot);
        row("apostrophes intact", 2, "5", "Mum's 'big' day", QString());
        const QString oneLine = QStringLiteral(
            "The description cannot hold a line break, a tab or another control character. "
            "Please write it on one line.");
        row("blanks around dropped, inside kept", 2, "5", "  pad   ded  ", QString());
        row("line break", 2, "5", "two\nlines", oneLine);
        row("pasted CR LF", 2, "5", "two\r\nlines", oneLine);
        row("tab", 2, "5", "a\tb", oneLine);
        row("escape", 2, "5", "a\x1b[31mred", oneLine);
        row("line separator", 2, "5", "a\u2028b", oneLine);
        row("too long", 2, "5", QString(32768, QLatin1Char('x')),
            "The description is 32,768 characters long; it can have at most 32,767. Please "
            "shorten it.");
        row("longest", 2, "5", QString(32767, QLatin1Char('x')), QString());
        row("right-to-left marks and joiners are text", 2, "5",
            "\u200F\u05D9\u05D5\u05DD 👨‍👩‍👧", QString());
    }
    void saveChecksDateThenDescription() {
        QFETCH(int, monthIndex);
        QFETCH(QString, day);
        QFETCH(QString, description);
        QFETCH(QString, message);
        Fixture f(QDate(2027, 3, 1));  // not a leap year
        f.editorWill(monthIndex, day, description);
        f.click("PushButton6");
        QCOMPARE(f.openAfterSave, !message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(f.informs(), QStringList());
            QCOMPARE(f.stored(),
                     (QList<Row>{{description.trimmed(), monthIndex + 1, day.toInt()}}));
            QCOMPARE(f.window->events().count(), 1);  // the list follows at once
        } else {
            QCOMPARE(f.informs(), QStringList{message});
            QCOMPARE(f.env.ui.boxes.first().title, appTitle());
            QVERIFY(f.stored().isEmpty());
        }
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    // The year, the note and the event's own remind days are stored with a
    // new event, or refused with a message that leaves the editor open.
    void detailsAreStoredOrRefused_data() {
        QTest::addColumn<int>("month");  // index: 1 is February
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("result");  // what is stored, or the message
        const QString range = QStringLiteral(
            "The year must be a number from 1 to 2027, or left "
            "empty.");
        QTest::newRow("none") << 0 << ""
                              << ""
                              << ""
                              << "||";
        QTest::newRow("all") << 0 << "1815"
                             << "Gift:\n\ta book"
                             << "0,3,30"
                             << "1815|0,3,30|Gift:\n\ta book";
        QTest::newRow("own days, none ticked: never reminded") << 0 << ""
                                                               << ""
                                                               << "none"
                                                               << "||";
        QTest::newRow("this year") << 0 << "2027"
                                   << ""
                                   << ""
                                   << "2027||";
        QTest::newRow("next year") << 0 << "2028"
                                   << ""
                                   << "" << range;
        QTest::newRow("year 0") << 0 << "0"
                                << ""
                                << "" << range;
        QTest::newRow("29 February of a leap year") << 1 << "2024"
                                                    << ""
                                                    << ""
                                                    << "2024||";
        QTest::newRow("29 February of another year")
            << 1 << "1900"
            << ""
            << ""
            << "There was no 29 February in 1900. Please give a leap year, or leave the year "
               "empty.";
        QTest::newRow("note with an escape")
            << 0 << ""
            << "a\x1b[31m"
            << ""
            << "The note cannot hold control characters other than line breaks and tabs. Please "
               "remove them.";
        QTest::newRow("note too long")
            << 0 << "" << QString(32768, QLatin1Char('x')) << ""
            << "The note is 32,768 characters long; it can have at most 32,767. Please shorten "
               "it.";
    }
    void detailsAreStoredOrRefused() {
        QFETCH(int, month);
        QFETCH(QString, year);
        QFETCH(QString, note);
        QFETCH(QString, days);
        QFETCH(QString, result);
        Fixture f(QDate(2027, 3, 1));
        // "none": own days with no box ticked.
        f.editorWill(
            month, QStringLiteral("29"), QStringLiteral("Ada"), true, [&](EventEditor& editor) {
                typeDetails(editor, year, note, days == QLatin1String("none") ? "0" : days);
                if (days == QLatin1String("none")) {
                    test::find<QCheckBox>(editor, "Check1")->setChecked(false);
                }
            });
        f.click("PushButton6");
        const bool stored = result.contains(QLatin1Char('|'));
        QCOMPARE(f.openAfterSave, !stored);
        QCOMPARE(f.informs(), stored ? QStringList() : QStringList{result});
        QCOMPARE(f.stored().size(), stored ? 1 : 0);
        if (stored) {
            QCOMPARE(storedDetails(f.window->storeConnection(), 1), result);
        }
    }

    // Changing an event shows its details and stores what the user changes
    // of them; back to "As set in the options" stores none of its own.
    void editShowsAndChangesTheDetails() {
        Fixture f(QDate(2026, 6, 15));
        EventRecord ada{0, QStringLiteral("Ada"), 12, 10};
        ada.year = 1815;
        ada.remindDays = RemindWindows::fromText(u"7,14");
        ada.note = QStringLiteral("Two\nlines");
        const qint64 id = f.addEvent(ada);
        f.refillAndSelect(0);
        f.editorWill(-2, QString(), QString(), true, [](EventEditor& editor) {
            QCOMPARE(test::find<QLineEdit>(editor, "Text2")->text(), QStringLiteral("1815"));
            QCOMPARE(test::find<QPlainTextEdit>(editor, "Text3")->toPlainText(),
                     QStringLiteral("Two\nlines"));
            QVERIFY(test::find<QRadioButton>(editor, "Option2")->isChecked());
            QStringList ticked;
            for (const char* name : {"Check1", "Check2", "Check3", "Check4", "Check5"}) {
                ticked << (test::find<QCheckBox>(editor, name)->isChecked() ? "x" : "-");
            }
            QCOMPARE(ticked.join(QString()), QStringLiteral("--xx-"));
            typeDetails(editor, QString(), QStringLiteral("One line"), QString());
        });
        f.click("PushButton2");
        QCOMPARE(f.informs(), QStringList());
        QCOMPARE(storedDetails(f.window->storeConnection(), id), QStringLiteral("||One line"));
        QCOMPARE(f.window->events().text(0, EventListModel::YearsColumn), QString());
    }

    void anAddressBooksEventIsMarkedAndReadOnly_data() {
        QTest::addColumn<QString>("account");  // the name the accounts file gives the book
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("key");
        QTest::newRow("named, Enter") << "Friends"
                                      << "Friends" << int(Qt::Key_Return);
        QTest::newRow("no account, Escape")
            << QString() << "https://dav.example.org/books/friends/" << int(Qt::Key_Escape);
    }
    void anAddressBooksEventIsMarkedAndReadOnly() {
        QFETCH(QString, account);
        QFETCH(QString, shown);
        QFETCH(int, key);
        Fixture f(QDate(2026, 6, 15));
        const QString book = QStringLiteral("https://dav.example.org/books/friends/");
        if (!account.isEmpty()) {
            Account entry;
            entry.url = QUrl(book);
            entry.kind = CollectionKind::AddressBook;
            entry.name = account;
            entry.user = QStringLiteral("alice");
            AccountBook().add({entry});
        }
        EventRecord bob{0, QStringLiteral("Bob's birthday"), 12, 12};
        bob.year = 1990;
        const qint64 id = f.addEvent(bob);
        f.addEvent(QStringLiteral("Own"), 1, 1);
        putContactEvent(f.window->storeConnection(), book,
                        ContactEvent{QStringLiteral("/books/friends/bob.vcf"), "\"1\"", id, 0});
        f.refillAndSelect(0);
        const EventListModel& events = f.window->events();
        const int bobRow = events.row(0).event.id == id ? 0 : 1;
        QVERIFY(events.index(bobRow, 0).data(EventListModel::AddressBookRole).toBool());
        QVERIFY(!events.index(1 - bobRow, 0).data(EventListModel::AddressBookRole).toBool());
        QVERIFY(!events.index(bobRow, EventListModel::DescriptionColumn)
                     .data(Qt::ToolTipRole)
                     .toString()
                     .isEmpty());
        f.refillAndSelect(bobRow);
        QString note;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            dialog.show();
            auto& editor = static_cast<EventEditor&>(dialog);
            QVERIFY(editor.fromAddressBook());
            note = test::find<QLabel>(dialog, "addressBookNote")->text();
            QVERIFY(test::find<QLineEdit>(dialog, "Text1")->isReadOnly());
            QVERIFY(test::find<QLineEdit>(dialog, "Text2")->isReadOnly());
            QVERIFY(!test::find<QComboBox>(dialog, "Combo1")->isEnabled());
            QVERIFY(!test::find<QPushButton>(dialog, "PushButton6")->isVisible());
            // Neither a save nor a key changes what the book gave.
            test::find<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Robert"));
            editor.save();
            QTest::keyClick(test::find<QLineEdit>(dialog, "Text1"), Qt::Key(key));
            QVERIFY(!dialog.isVisible());
        });
        f.click("PushButton2");
        QVERIFY2(note.contains(shown), qPrintable(note));
        QCOMPARE(f.stored().first().description, QStringLiteral("Bob's birthday"));
        QVERIFY(f.env.ui.boxes.isEmpty());
    }

    void enterSavesAndEscapeCancels_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Enter in the description") << "Text1" << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter in the description") << "Text1" << int(Qt::Key_Enter) << true;
        QTest::newRow("Enter in the month box") << "Combo1" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter on Cancel presses Cancel")
            << "PushButton1" << int(Qt::Key_Return) << false;
        QTest::newRow("Escape in the description") << "Text1" << int(Qt::Key_Escape) << false;
    }
    void enterSavesAndEscapeCancels() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, saved);
        Fixture f(QDate(2026, 9, 17));
        bool closed = false;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            dialog.show();
            test::find<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Birthday"));
            QWidget* target = test::find(dialog, focus.toLatin1().constData());
            target->setFocus();
            QTest::keyClick(target, Qt::Key(key));
            closed = !dialog.isVisible();
        });
        f.click("PushButton6");
        QVERIFY(closed);
        const QList<Row> expected =
            saved ? QList<Row>{{QStringLiteral("Birthday"), 9, 17}} : QList<Row>{};
        QCOMPARE(f.stored(), expected);
        QVERIFY(f.env.ui.boxes.isEmpty());
    }

    void addPreselectsTodayAndKeepsTheCaption() {
        Fixture f(QDate(2026, 9, 17));
        f.editorWill(-2, QString(), QStringLiteral("Birthday"), true, [](EventEditor& editor) {
            QCOMPARE(editor.windowTitle(), QStringLiteral("Add New Event Reminder"));
            QCOMPARE(test::caption(test::button(editor, "PushButton6")),
                     QStringLiteral("Save New Event Reminder"));
            QCOMPARE(test::find<QComboBox>(editor, "Combo1")->currentIndex(), 8);
            QCOMPARE(test::find<QComboBox>(editor, "Combo2")->currentText(), QStringLiteral("17"));
            QCOMPARE(test::find<QComboBox>(editor, "Combo1")->count(), 12);
            QCOMPARE(test::find<QComboBox>(editor, "Combo1")->itemText(0),
                     QStringLiteral("January"));
            QCOMPARE(test::find<QComboBox>(editor, "Combo2")->count(), 31);
        });
        f.click("PushButton6");
        QCOMPARE(f.stored(), (QList<Row>{{QStringLiteral("Birthday"), 9, 17}}));
        QCOMPARE(f.env.ui.modals.size(), 1);
        QCOMPARE(f.env.ui.modals.first().owner, nullptr);
    }

    void addingTheSameEventTwiceMakesTwoRows() {
        Fixture f;
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Same"));
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Same"));
        f.click("PushButton6");
        f.click("PushButton6");
        QCOMPARE(f.stored().size(), 2);
    }

    void cancelAndCloseBoxWriteNothing() {
        Fixture f;
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Not saved"), false);
        f.click("PushButton6");
        f.env.ui.modalScripts.push_back([](QDialog& dialog) {
            test::find<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Not saved"));
            dialog.close();
        });
        f.click("PushButton6");
        QVERIFY(f.stored().isEmpty());
    }

    void editOpensWithTheRowAndChangesOnlyIt() {
        Fixture f(QDate(2026, 6, 15));
        f.addEvent(QStringLiteral("Keep"), 1, 2);
        f.addEvent(QStringLiteral("Tom's day"), 3, 4);
        f.refillAndSelect(1);
        f.editorWill(-2, QStringLiteral("5"), QStringLiteral("Tom's new day"), true,
                     [](EventEditor& editor) {
                         QCOMPARE(editor.eventId(), std::optional<qint64>(2));
                         QCOMPARE(test::find<QLineEdit>(editor, "Text1")->text(),
                                  QStringLiteral("Tom's day"));
                         QCOMPARE(test::find<QComboBox>(editor, "Combo1")->currentIndex(),
                                  2);  // not today's June
                         QCOMPARE(test::find<QComboBox>(editor, "Combo2")->currentText(),
                                  QStringLiteral("4"));
                         QCOMPARE(editor.windowTitle(), QStringLiteral("Add New Event Reminder"));
                     });
        f.click("PushButton2");
        QCOMPARE(f.stored(), (QList<Row>{{QStringLiteral("Keep"), 1, 2},
                                         {QStringLiteral("Tom's new day"), 3, 5}}));
        QCOMPARE(f.window->events().text(1, EventListModel::DescriptionColumn),
                 QStringLiteral("Tom's new day"));

        // Adding after an edit starts afresh with today's date.
        f.editorWill(-2, QString(), QStringLiteral("New"), true, [](EventEditor& editor) {
            QVERIFY(!editor.eventId());
            QCOMPARE(test::find<QComboBox>(editor, "Combo1")->currentIndex(), 5);
            QCOMPARE(test::find<QComboBox>(editor, "Combo2")->currentText(), QStringLiteral("15"));
        });
        f.click("PushButton6");
        QCOMPARE(f.stored().last(), (Row{QStringLiteral("New"), 6, 15}));
    }

    void editWithAFieldThatFailsStillOpens() {
        Fixture f;
        // 31 is offered; a stored month 13 is not.
        f.addEvent(QStringLiteral("Odd"), 13, 31);
        f.refillAndSelect(0);
        f.editorWill(-2, QString(), QString(), false, [](EventEditor& editor) {
            QCOMPARE(test::find<QLineEdit>(editor, "Text1")->text(), QStringLiteral("Odd"));
            QCOMPARE(test::find<QComboBox>(editor, "Combo1")->currentIndex(), -1);
            QCOMPARE(test::find<QComboBox>(editor, "Combo2")->currentText(), QStringLiteral("31"));
        });
        f.click("PushButton2");
        QCOMPARE(f.env.ui.modals.size(), 1);
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors().first().contains(
            QStringLiteral("Form1.PushButton2_Click at line 106")));
    }

    void editAndDeleteNeedASelectedRow() {
        Fixture f;
        f.click("PushButton2");
        f.click("PushButton1");
        f.click("PushButton4");
        test::find<QTreeView>(*f.window, "ListView1")->selectionModel()->clearSelection();
        f.click("PushButton2");
        f.click("PushButton1");
        QVERIFY(f.env.ui.boxes.isEmpty());
        QVERIFY(f.env.ui.modals.isEmpty());
        QCOMPARE(f.stored().size(), 1);
    }

    void deleteAsksWithTheDescription() {
        Fixture f;
        f.addEvent(QStringLiteral("Ann's wedding"), 5, 5);
        f.addEvent(QStringLiteral("Ann's wedding"), 5, 5);
        f.refillAndSelect(0);
        f.env.ui.answers = {false};
        f.click("PushButton1");
        QCOMPARE(f.stored().size(), 2);
        QCOMPARE(f.env.ui.boxes.size(), 1);
        QCOMPARE(f.env.ui.boxes.first().kind, QStringLiteral("question"));
        QCOMPARE(f.env.ui.boxes.first().text,
                 QStringLiteral("Are you sure you want to delete Ann's wedding?"));
        QCOMPARE(f.env.ui.boxes.first().title, QStringLiteral("Delete Selected Event Reminder"));

        f.select(0);
        f.env.ui.answers = {true};
        f.click("PushButton1");
        QCOMPARE(f.stored().size(), 1);  // the twin with another id stays
        QCOMPARE(f.window->events().count(), 1);
        QCOMPARE(f.window->events().text(0, EventListModel::IdColumn), QStringLiteral("2"));
    }

    void sampleAddsANewYearRowPerClick() {
        Fixture f;
        f.click("PushButton4");
        f.click("PushButton4");
        const Row newYear{QStringLiteral("New Year"), 1, 1};
        QCOMPARE(f.stored(), (QList<Row>{newYear, newYear}));
        QCOMPARE(f.window->events().count(), 2);
    }

    // A save that fails leaves the editor open with what the user typed.
    void aFailedSaveKeepsTheEditorOpenWithTheText() {
        Fixture f;
        f.execute(QStringLiteral("drop table tblEvent"));
        f.editorWill(-2, QString(), QStringLiteral("Not lost"));
        f.click("PushButton6");
        const QStringList errors = f.env.ui.errors();
        QCOMPARE(errors.size(), 1);
        ALMANIS_VERIFY_CONTAINS(errors.first(), QStringLiteral("no such table: tblEvent"));
        QVERIFY(errors.first().contains(
            QStringLiteral("in Almanis2021/08/31.Form2.PushButton6_Click at line 104")));
        QVERIFY(f.openAfterSave);
        QCOMPARE(f.textAfterSave, QStringLiteral("Not lost"));
    }

    // An edit saves only over the event as it was when the editor opened.
    void aStaleEditIsRefusedAndTheTextKept_data() {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("storedAfter");  // empty: the row is gone
        QTest::newRow("changed elsewhere") << "update tblEvent set Description='Theirs' where id=1"
                                           << "Theirs";
        QTest::newRow("date changed elsewhere") << "update tblEvent set EventDay=9 where id=1"
                                                << "Original";
        QTest::newRow("deleted elsewhere") << "delete from tblEvent where id=1" << QString();
    }
    void aStaleEditIsRefusedAndTheTextKept() {
        QFETCH(QString, meanwhile);
        QFETCH(QString, storedAfter);
        Fixture f;
        f.addEvent(QStringLiteral("Original"), 3, 4);
        f.refillAndSelect(0);
        // Another copy of the program changes the event while the editor is open.
        f.editorWill(-2, QString(), QStringLiteral("Mine"), true,
                     [&](EventEditor&) { f.execute(meanwhile); });
        f.click("PushButton2");
        QVERIFY(f.openAfterSave);
        QCOMPARE(f.textAfterSave, QStringLiteral("Mine"));
        QCOMPARE(f.informs().size(), 1);
        QVERIFY(f.informs().first().startsWith(
            QStringLiteral("This event was changed or deleted elsewhere")));
        QVERIFY(f.env.ui.errors().isEmpty());
        const QList<Row> rows = f.stored();
        QCOMPARE(rows.size(), storedAfter.isEmpty() ? 0 : 1);
        if (!storedAfter.isEmpty()) {
            QCOMPARE(rows.first().description, storedAfter);
        }
        // The list shows what is stored now.
        QCOMPARE(f.window->events().count(), rows.size());
    }

    // A stored month that reads only loosely as a number is the same month.
    void anUnchangedEditSavesOverLooselyStoredNumbers() {
        Fixture f;
        f.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Loose',' 3 ',4.0)"));
        f.refillAndSelect(0);
        f.editorWill(-2, QString(), QStringLiteral("Firm"));
        f.click("PushButton2");
        QCOMPARE(f.stored(), (QList<Row>{{QStringLiteral("Firm"), 3, 4}}));
        QVERIFY(f.informs().isEmpty());
    }

    // A description longer than the editor keeps is shown whole and refused
    // with a message, never cut.
    void aTooLongStoredDescriptionIsNotCut() {
        Fixture f;
        const QString longText = QString(40000, QLatin1Char('y'));
        f.addEvent(longText, 5, 6);
        f.refillAndSelect(0);
        int shown = 0;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            auto* field = test::find<QLineEdit>(dialog, "Text1");
            shown = static_cast<int>(field->text().size());
            test::find<QComboBox>(dialog, "Combo2")->setCurrentIndex(0);
            test::button(dialog, "PushButton6")->click();
            // The user shortens it; now it saves.
            field->setText(field->text().left(100));
            test::button(dialog, "PushButton6")->click();
        });
        f.click("PushButton2");
        QCOMPARE(shown, 40000);
        QCOMPARE(f.informs(), QStringList{QStringLiteral(
                                  "The description is 40,000 characters long; it can have at "
                                  "most 32,767. Please shorten it.")});
        QCOMPARE(f.stored(), (QList<Row>{{longText.left(100), 5, 1}}));
    }

    void testAlarmRestartsTheTimerEvenWhenShowingFails_data() {
        QTest::addColumn<bool>("fail");
        QTest::newRow("shown") << false;
        QTest::newRow("showing fails") << true;
    }
    void testAlarmRestartsTheTimerEvenWhenShowingFails() {
        QFETCH(bool, fail);
        Fixture f;
        // Snoozed, so that the timer has a re-check to tick for.
        f.window->reminderEngine().setRecheckSeconds(3600);
        f.window->timer().setEnabled(false);
        bool testingWhileShown = false;
        f.env.ui.failShowing = fail;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            testingWhileShown = f.window->reminderEngine().testingAlarm();
            QVERIFY(!f.window->timer().running());
            dialog.close();
        });
        f.click("PushButton3");
        QCOMPARE(f.env.ui.errors().size(), fail ? 1 : 0);
        if (!fail) {
            QVERIFY(testingWhileShown);
            QCOMPARE(f.env.ui.modals.first().owner, f.window.get());
        }
        QVERIFY(!f.window->reminderEngine().testingAlarm());
        QCOMPARE(f.window->timer().interval(), 1000);
        QVERIFY(f.window->timer().running());
    }

    void notesAndHelpTexts() {
        Fixture f;
        f.click("PushButton7");
        f.click("PushButton5");
        // The default build names no contact page: Help tells how the window
        // is used, and nothing about contacting anyone.
        QCOMPARE(f.informs(),
                 (QStringList{QStringLiteral("This is what the alarm will look like when it goes "
                                             "off in case you are wondering."),
                              EventCommands::helpText(QString())}));
        QVERIFY(!f.informs().last().contains(QStringLiteral("Questions?")));
        QVERIFY(f.informs().last().contains(QStringLiteral("F2 edits the selected event")));
        QCOMPARE(f.env.ui.boxes.last().title, QStringLiteral("Almanis"));
    }

    void helpNamesTheContactPageWhenThereIsOne() {
        const QString help = EventCommands::helpText(QStringLiteral("https://almanis.test/ask"));
        QVERIFY(help.startsWith(EventCommands::helpText(QString()) + QStringLiteral("\n\n")));
        QVERIFY(help.endsWith(QStringLiteral(
            "\n\nQuestions? Please contact Team Marrowind at https://almanis.test/ask")));
    }

    // The dialog shows the button face behind its frames, labels and boxes,
    // whatever colour the scheme gives it. And editors opened in turn draw
    // with the same palettes: the style keeps what it drew, by palette, in
    // the application's picture cache, which palettes of each editor's own
    // would fill a little more at every opening.
    void editorsShowTheFaceAndDrawWithTheSamePalettes() {
        Fixture f;
        Connection store;
        store.open(f.env.storePath());
        const auto paletteKeys = [&] {
            EventEditor editor(f.env.services, store, std::nullopt);
            editor.load();
            return test::paletteKeys(editor);
        };
        const QList<qint64> first = paletteKeys();
        const qsizetype widgets = QApplication::allWidgets().size();
        QCOMPARE(paletteKeys(), first);
        QCOMPARE(QApplication::allWidgets().size(), widgets);

        EventEditor editor(f.env.services, store, std::nullopt);
        editor.load();
        const QRect date = test::find<QGroupBox>(editor, "Frame1")->geometry();
        // Beside the frames, and inside one below its controls.
        QCOMPARE(test::pointsWithoutTheFace(
                     editor, {QPoint(px(60), px(60)), date.bottomRight() - QPoint(8, 8)}),
                 QString());
    }

    void hoverGivesTheHandButKeepsTheHourglass() {
        Fixture f;
        PointerRule& pointer = *f.window->findChild<PointerRule*>();
        QVERIFY(pointer.hasHand());
        QEvent move(QEvent::Enter);
        QApplication::sendEvent(test::button(*f.window, "PushButton6"), &move);
        QCOMPARE(pointer.shape(), PointerRule::Hand);
        QApplication::sendEvent(test::find<QTreeView>(*f.window, "ListView1")->viewport(), &move);
        QCOMPARE(pointer.shape(), PointerRule::Arrow);
        pointer.setShape(PointerRule::Hourglass);
        QApplication::sendEvent(test::button(*f.window, "PushButton1"), &move);
        QApplication::sendEvent(test::find<QGroupBox>(*f.window, "Frame2"), &move);
        QCOMPARE(pointer.shape(), PointerRule::Hourglass);
        QCOMPARE(f.window->cursor().shape(), Qt::WaitCursor);
    }
};

ALMANIS_TEST_MAIN(EditorTest)
#include "tst_event_editor.moc"
