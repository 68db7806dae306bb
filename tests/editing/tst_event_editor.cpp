#include "TestEnvironment.h"

#include "core/AppTitle.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Design.h"
#include "editing/EventEditor.h"
#include "alarm/AlarmWindow.h"
#include "store/DataFolder.h"
#include "store/ResultSet.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

using namespace almanis;

namespace {

struct Row {
    QString description;
    int month;
    int day;
    bool operator==(const Row&) const = default;
};

// The main window on an empty store, loaded and activated as at start-up.
struct Fixture {
    explicit Fixture(QDate today = QDate(2026, 6, 15)) : env(today) {
        QFile::remove(env.programFolder() + QLatin1String(kEventsSeed));
        form = std::make_unique<Form1>(env.services);
        form->Form_Load();
        form->Form_Activate();
        env.ui.clear();
    }

    QList<Row> rows() {
        QList<Row> result;
        ResultSet rs;
        rs.open(QStringLiteral("select * from tblEvent order by id"), form->EventDb);
        for (; !rs.eof(); rs.moveNext()) {
            result.append({rs.field("Description").toString(), wholeNumber(rs.field("EventMonth")),
                           wholeNumber(rs.field("EventDay"))});
        }
        return result;
    }

    void select(int row) {
        form->ListView1View->selectionModel()->select(
            form->ListView1.index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // Queues the user's part in the editor: fill in what is given, then press a button.
    void editorWill(int monthIndex, const QString& day, const QString& description,
                    bool save = true, std::function<void(Form2&)> inspect = {}) {
        env.ui.modalScripts.push_back([=](QDialog& dialog) {
            auto& editor = static_cast<Form2&>(dialog);
            if (inspect) {
                inspect(editor);
            }
            if (monthIndex != -2) {
                editor.Combo1->setCurrentIndex(monthIndex);
            }
            if (!day.isNull()) {
                editor.Combo2->setCurrentIndex(editor.Combo2->findText(day));
            }
            if (!description.isNull()) {
                editor.Text1->setText(description);
            }
            (save ? editor.PushButton6 : editor.PushButton1)->click();
        });
    }

    QStringList informs() const {
        QStringList texts;
        for (const auto& box : env.ui.boxes) {
            if (box.kind == QLatin1String("inform")) {
                texts << box.text;
            }
        }
        return texts;
    }

    test::TestEnvironment env;
    std::unique_ptr<Form1> form;
};

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
  private slots:
    void saveChecksDateThenDescription_data() {
        QTest::addColumn<int>("monthIndex");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");  // empty: the event is stored
        const QString invalid = QStringLiteral("Selected date is invalid.");
        const QString forgot = QStringLiteral("You forgot to input description.");
        QTest::newRow("29 February in any year") << 1 << "29"
                                                 << "Leap day" << QString();
        QTest::newRow("30 February") << 1 << "30"
                                     << "x" << invalid;
        QTest::newRow("31 April") << 3 << "31"
                                  << "x" << invalid;
        QTest::newRow("31 November") << 10 << "31"
                                     << "x" << invalid;
        QTest::newRow("31 December") << 11 << "31"
                                     << "Year end" << QString();
        QTest::newRow("invalid date and no description: date first") << 5 << "31"
                                                                     << "" << invalid;
        QTest::newRow("blanks only") << 0 << "1"
                                     << "   " << forgot;
        QTest::newRow("apostrophes intact") << 2 << "5"
                                            << "Mum's 'big' day" << QString();
        QTest::newRow("blanks kept as typed") << 2 << "5"
                                              << "  padded  " << QString();
    }
    void saveChecksDateThenDescription() {
        QFETCH(int, monthIndex);
        QFETCH(QString, day);
        QFETCH(QString, description);
        QFETCH(QString, message);
        Fixture f(QDate(2027, 3, 1));  // not a leap year
        if (message.isEmpty()) {
            f.editorWill(monthIndex, day, description);
        } else {
            // After the message the dialog stays open; the user then cancels.
            f.env.ui.modalScripts.push_back([=](QDialog& dialog) {
                auto& editor = static_cast<Form2&>(dialog);
                editor.Combo1->setCurrentIndex(monthIndex);
                editor.Combo2->setCurrentIndex(editor.Combo2->findText(day));
                editor.Text1->setText(description);
                editor.PushButton6->click();
                QVERIFY(!editor.isHidden() || editor.result() != QDialog::Accepted);
                editor.PushButton1->click();
            });
        }
        f.form->PushButton6->click();
        if (message.isEmpty()) {
            QCOMPARE(f.informs(), QStringList());
            QCOMPARE(f.rows(), (QList<Row>{{description, monthIndex + 1, day.toInt()}}));
            QCOMPARE(f.form->ListView1.count(), 1);  // the list follows at once
        } else {
            QCOMPARE(f.informs(), QStringList{message});
            QCOMPARE(f.env.ui.boxes.first().title, appTitle());
            QVERIFY(f.rows().isEmpty());
        }
        QVERIFY(f.env.ui.errors().isEmpty());
    }

    void addPreselectsTodayAndKeepsTheCaption() {
        Fixture f(QDate(2026, 9, 17));
        f.editorWill(-2, QString(), QStringLiteral("Birthday"), true, [](Form2& editor) {
            QCOMPARE(editor.windowTitle(), QStringLiteral("Add New Event Reminder"));
            QCOMPARE(editor.PushButton6->text(), QStringLiteral("Save New Event Reminder"));
            QCOMPARE(editor.Combo1->currentIndex(), 8);
            QCOMPARE(editor.Combo2->currentText(), QStringLiteral("17"));
            QCOMPARE(editor.Combo1->count(), 12);
            QCOMPARE(editor.Combo1->itemText(0), QStringLiteral("January"));
            QCOMPARE(editor.Combo2->count(), 31);
        });
        f.form->PushButton6->click();
        QCOMPARE(f.rows(), (QList<Row>{{QStringLiteral("Birthday"), 9, 17}}));
        QCOMPARE(f.env.ui.modals.size(), 1);
        QCOMPARE(f.env.ui.modals.first().owner, nullptr);
    }

    void addingTheSameEventTwiceMakesTwoRows() {
        Fixture f;
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Same"));
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Same"));
        f.form->PushButton6->click();
        f.form->PushButton6->click();
        QCOMPARE(f.rows().size(), 2);
    }

    void cancelAndCloseBoxWriteNothing() {
        Fixture f;
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Not saved"), false);
        f.form->PushButton6->click();
        f.env.ui.modalScripts.push_back([](QDialog& dialog) {
            static_cast<Form2&>(dialog).Text1->setText(QStringLiteral("Not saved"));
            dialog.close();
        });
        f.form->PushButton6->click();
        QVERIFY(f.rows().isEmpty());
    }

    void editOpensWithTheRowAndChangesOnlyIt() {
        Fixture f(QDate(2026, 6, 15));
        f.form->EventDb.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Keep',1,2)"));
        f.form->EventDb.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Tom''s day',3,4)"));
        f.form->ListEvents();
        f.select(1);
        f.editorWill(-2, QStringLiteral("5"), QStringLiteral("Tom's new day"), true,
                     [](Form2& editor) {
                         QCOMPARE(Form2::mEventID, QStringLiteral("2"));
                         QCOMPARE(editor.Text1->text(), QStringLiteral("Tom's day"));
                         QCOMPARE(editor.Combo1->currentIndex(), 2);  // not today's June
                         QCOMPARE(editor.Combo2->currentText(), QStringLiteral("4"));
                         QCOMPARE(editor.windowTitle(), QStringLiteral("Add New Event Reminder"));
                     });
        f.form->PushButton2->click();
        QCOMPARE(f.rows(), (QList<Row>{{QStringLiteral("Keep"), 1, 2},
                                       {QStringLiteral("Tom's new day"), 3, 5}}));
        QCOMPARE(f.form->ListView1.subItem(1, 1), QStringLiteral("Tom's new day"));

        // Adding after an edit starts afresh with today's date.
        f.editorWill(-2, QString(), QStringLiteral("New"), true, [](Form2& editor) {
            QVERIFY(Form2::mEventID.isEmpty());
            QCOMPARE(editor.Combo1->currentIndex(), 5);
            QCOMPARE(editor.Combo2->currentText(), QStringLiteral("15"));
        });
        f.form->PushButton6->click();
        QCOMPARE(f.rows().last(), (Row{QStringLiteral("New"), 6, 15}));
    }

    void editWithAFieldThatFailsStillOpens() {
        Fixture f;
        f.form->EventDb.execute(QStringLiteral(
            "insert into tblEvent (Description,EventMonth,EventDay) values ('Odd',4,31)"));
        f.form->ListEvents();
        f.select(0);
        // 31 is offered; a stored month 13 is not.
        f.form->ListView1.setSubItem(0, 5, QStringLiteral("13"));
        f.editorWill(-2, QString(), QString(), false, [](Form2& editor) {
            QCOMPARE(editor.Text1->text(), QStringLiteral("Odd"));
            QCOMPARE(editor.Combo1->currentIndex(), -1);
            QCOMPARE(editor.Combo2->currentText(), QStringLiteral("31"));
        });
        f.form->PushButton2->click();
        QCOMPARE(f.env.ui.modals.size(), 1);
        QCOMPARE(f.env.ui.errors().size(), 1);
        QVERIFY(f.env.ui.errors().first().contains(
            QStringLiteral("Form1.PushButton2_Click at line 106")));
    }

    void editAndDeleteNeedASelectedRow() {
        Fixture f;
        f.form->PushButton2->click();
        f.form->PushButton1->click();
        f.form->PushButton4->click();
        f.form->ListView1View->selectionModel()->clearSelection();
        f.form->PushButton2->click();
        f.form->PushButton1->click();
        QVERIFY(f.env.ui.boxes.isEmpty());
        QVERIFY(f.env.ui.modals.isEmpty());
        QCOMPARE(f.rows().size(), 1);
    }

    void deleteAsksWithTheDescription() {
        Fixture f;
        f.form->EventDb.execute(
            QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) values ('Ann''s "
                           "wedding',5,5)"));
        f.form->EventDb.execute(
            QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) values ('Ann''s "
                           "wedding',5,5)"));
        f.form->ListEvents();
        f.select(0);
        f.env.ui.answers = {false};
        f.form->PushButton1->click();
        QCOMPARE(f.rows().size(), 2);
        QCOMPARE(f.env.ui.boxes.size(), 1);
        QCOMPARE(f.env.ui.boxes.first().kind, QStringLiteral("question"));
        QCOMPARE(f.env.ui.boxes.first().text,
                 QStringLiteral("Are you sure you want to delete Ann's wedding?"));
        QCOMPARE(f.env.ui.boxes.first().title, QStringLiteral("Delete Selected Event Reminder"));

        f.select(0);
        f.env.ui.answers = {true};
        f.form->PushButton1->click();
        QCOMPARE(f.rows().size(), 1);  // the twin with another id stays
        QCOMPARE(f.form->ListView1.count(), 1);
        QCOMPARE(f.form->ListView1.text(0), QStringLiteral("2"));
    }

    void sampleAddsANewYearRowPerClick() {
        Fixture f;
        f.form->PushButton4->click();
        f.form->PushButton4->click();
        const Row newYear{QStringLiteral("New Year"), 1, 1};
        QCOMPARE(f.rows(), (QList<Row>{newYear, newYear}));
        QCOMPARE(f.form->ListView1.count(), 2);
    }

    void aRejectedStatementIsReportedAndTheDialogStillCloses() {
        Fixture f;
        f.form->EventDb.execute(QStringLiteral("drop table tblEvent"));
        f.editorWill(0, QStringLiteral("1"), QStringLiteral("Lost"));
        f.form->PushButton6->click();
        const QStringList errors = f.env.ui.errors();
        QVERIFY(!errors.isEmpty());
        QVERIFY2(errors.first().contains(QStringLiteral("no such table: tblEvent")),
                 qPrintable(errors.first()));
        QVERIFY(errors.first().contains(
            QStringLiteral("in Almanis2021/08/31.Form2.PushButton6_Click at line 104")));
        QCOMPARE(f.env.ui.modals.size(), 1);  // and nothing is left open
    }

    void testAlarmRestartsTheTimerEvenWhenShowingFails_data() {
        QTest::addColumn<bool>("fail");
        QTest::newRow("shown") << false;
        QTest::newRow("showing fails") << true;
    }
    void testAlarmRestartsTheTimerEvenWhenShowingFails() {
        QFETCH(bool, fail);
        Fixture f;
        f.form->Timer1.setEnabled(false);
        bool testingWhileShown = false;
        f.env.ui.failShowing = fail;
        f.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            testingWhileShown = Form3::isTesting;
            QVERIFY(!f.form->Timer1.running());
            dialog.close();
        });
        f.form->PushButton3->click();
        QCOMPARE(f.env.ui.errors().size(), fail ? 1 : 0);
        if (!fail) {
            QVERIFY(testingWhileShown);
            QCOMPARE(f.env.ui.modals.first().owner, f.form.get());
        }
        QVERIFY(!Form3::isTesting);
        QCOMPARE(f.form->Timer1.interval(), 1000);
        QVERIFY(f.form->Timer1.running());
    }

    void notesAndHelpTexts() {
        Fixture f;
        f.form->PushButton7->click();
        f.form->PushButton5->click();
        QCOMPARE(f.informs(),
                 (QStringList{QStringLiteral("This is what the alarm will look like when it goes "
                                             "off in case you are wondering."),
                              QStringLiteral("Questions? Please contact Team Marrowind at "
                                             "https://www.marrowind.example/contact")}));
        QCOMPARE(f.env.ui.boxes.last().title, QStringLiteral("Almanis"));
    }

    void hoverGivesTheHandButKeepsTheHourglass() {
        Fixture f;
        PointerRule& pointer = *f.form->pointer;
        QVERIFY(pointer.hasCustomPointer());
        QEvent move(QEvent::Enter);
        QApplication::sendEvent(f.form->PushButton6, &move);
        QCOMPARE(pointer.mousePointer(), PointerRule::Custom);
        QApplication::sendEvent(f.form->ListView1View->viewport(), &move);
        QCOMPARE(pointer.mousePointer(), PointerRule::Default);
        pointer.setMousePointer(PointerRule::Hourglass);
        QApplication::sendEvent(f.form->PushButton1, &move);
        QApplication::sendEvent(f.form->Frame2, &move);
        QCOMPARE(pointer.mousePointer(), PointerRule::Hourglass);
        QCOMPARE(f.form->cursor().shape(), Qt::WaitCursor);
    }
};

ALMANIS_TEST_MAIN(EditorTest)
#include "tst_event_editor.moc"
