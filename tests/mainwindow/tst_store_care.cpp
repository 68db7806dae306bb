// The program with a store that is locked, damaged or read-only, and its
// daily backups.
#include "Checks.h"
#include "Files.h"
#include "FullDisk.h"
#include "ProgramFixture.h"
#include "ReadOnlyFiles.h"
#include "StoreFixture.h"
#include "StoreLock.h"

#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/StoreCare.h"
#include "store/DailyBackups.h"
#include "store/QuickCheck.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <optional>

using namespace almanis;

namespace {

// The program over a blank store holding `events` events.
struct Program : test::ProgramFixture {
    explicit Program(int events = 0) {
        useBlankStore();
        Connection db;
        db.open(env.storePath());
        db.execute(QStringLiteral("begin"));
        for (int i = 0; i < events; ++i) {
            insertEvent(db, QStringLiteral("Event %1 ").arg(i) + QString(60, 'e'), i % 12 + 1,
                        i % 28 + 1);
        }
        db.execute(QStringLiteral("commit"));
    }
    // Starts the program and lets the check after the first fill run.
    void startAndSettle() {
        start();
        QCoreApplication::processEvents();
    }
    DailyBackups backups() const { return DailyBackups(env.storePath()); }
    QString backupOf(QDate day) const { return backups().fileFor(day); }
    // The texts of the boxes that are no error report.
    QStringList questions() const {
        return test::boxTexts(env.ui, QStringLiteral("question")) +
               test::boxTexts(env.ui, QStringLiteral("inform"));
    }
};

const QDate kToday(2026, 6, 15);

}  // namespace

class StoreCareTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // Locked by another program at start: the first command after the lock is
    // gone opens the store and lists it, with no restart, whether it changes
    // the events or not.
    void aStoreLockedAtStartRecoversOnTheNextCommand_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("cancel");  // the command opens the editor, which is cancelled
        QTest::addColumn<int>("listed");
        QTest::newRow("Load Sample/Example Data") << "PushButton4" << false << 4;
        QTest::newRow("Add Reminder, then Cancel") << "PushButton6" << true << 3;
    }
    void aStoreLockedAtStartRecoversOnTheNextCommand() {
        QFETCH(QString, button);
        QFETCH(bool, cancel);
        QFETCH(int, listed);
        Program p(3);
        test::StoreLock locker(p.env.storePath());
        p.window = std::make_unique<MainWindow>(p.env.services);
        p.window->storeConnection().setBusyTimeout(0);
        p.window->load();
        p.window->handleActivation();
        QCoreApplication::processEvents();
        QVERIFY(test::anyContains(p.env.ui.errors(), QStringLiteral("database is locked")));
        QVERIFY(
            test::anyContains(p.env.ui.errors(), QStringLiteral("Form1.Form_Load at line 112")));
        QCOMPARE(p.window->events().count(), 0);

        // Still locked: the command says why, not that nothing is open.
        p.env.ui.clear();
        p.click(qPrintable(button));
        QCOMPARE(p.env.ui.errors().size(), 1);
        ALMANIS_VERIFY_STARTS(p.env.ui.errors()[0], QStringLiteral("database is locked"));
        QCOMPARE(p.env.ui.modals.size(), 0);

        locker.release();
        p.env.ui.clear();
        if (cancel) {
            p.env.ui.modalScripts.push_back(
                [](QDialog& editor) { test::button(editor, "PushButton1")->click(); });
        }
        p.click(qPrintable(button));
        QCOMPARE(p.env.ui.boxes.size(), 0);
        QCOMPARE(p.env.ui.modals.size(), cancel ? 1 : 0);
        QCOMPARE(p.window->events().count(), listed);
    }

    // Checked after the first fill: the damage is named with the store's path,
    // the newest sound backup offered, and nothing replaced without a yes.
    void aDamagedStoreIsNamedAndTheNewestSoundBackupOffered_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }
    void aDamagedStoreIsNamedAndTheNewestSoundBackupOffered() {
        QFETCH(bool, yes);
        Program p(300);
        {
            Connection db;
            db.open(p.env.storePath());
            p.backups().write(db, QDateTime(kToday.addDays(-3), QTime(9, 41)));
            insertEvent(db, QStringLiteral("Since"), 1, 1);
            p.backups().write(db, QDateTime(kToday.addDays(-1), QTime(9, 41)));
        }
        test::damageStore(p.backupOf(kToday.addDays(-1)));
        test::damageStore(p.env.storePath());
        const QByteArray damaged = test::readFile(p.env.storePath());
        p.env.ui.answers = {yes};
        p.startAndSettle();
        const QStringList questions = p.questions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(p.env.ui.boxes.last().kind, QStringLiteral("question"));
        ALMANIS_VERIFY_STARTS(
            questions[0], QStringLiteral("The event store %1 is damaged: ").arg(p.env.storePath()));
        ALMANIS_VERIFY_CONTAINS(questions[0],
                                QStringLiteral("The newest backup that passes SQLite's check "
                                               "was made on Friday, June 12, 2026 at %1:\r\n%2\r\n")
                                    .arg(QLocale().toString(QTime(9, 41), QLocale::ShortFormat),
                                         p.backupOf(kToday.addDays(-3))));
        // No backup of the damaged store replaces today's.
        QVERIFY(!p.backups().has(kToday));
        if (yes) {
            QCOMPARE(p.window->events().count(), 300);
            QCOMPARE(damageOf(p.window->storeConnection()), QString());
            QCOMPARE(QDir(p.backups().folder())
                         .entryList({QStringLiteral("dbData-damaged-*.mdb")}, QDir::Files)
                         .size(),
                     1);
        } else {
            QCOMPARE(test::readFile(p.env.storePath()), damaged);
        }
    }

    void aDamagedStoreWithoutASoundBackupIsNamedOnce() {
        Program p(300);
        test::damageStore(p.env.storePath());
        p.startAndSettle();
        const QStringList notes = p.questions();
        QCOMPARE(notes.size(), 1);
        QCOMPARE(p.env.ui.boxes.last().kind, QStringLiteral("inform"));
        ALMANIS_VERIFY_CONTAINS(notes[0],
                                QStringLiteral("No backup that passes SQLite's check was found "
                                               "in %1")
                                    .arg(p.backups().folder()));
    }

    // Once a day at start: a sound store gets its backup of the day.
    void aSoundStoreIsBackedUpOnceADay() {
        Program p(2);
        p.startAndSettle();
        QVERIFY(p.env.ui.boxes.isEmpty());
        QCOMPARE(p.backups().files(p.env.clock.now()), QStringList{p.backupOf(kToday)});
        const QDateTime made = QFileInfo(p.backupOf(kToday)).lastModified();
        p.window->storeCare().checkAfterFirstFill();
        QCOMPARE(QFileInfo(p.backupOf(kToday)).lastModified(), made);
    }

    // A backup that cannot be made is told once and stops nothing: the
    // import goes on without it.
    void aFailedBackupIsToldOnceAndStopsNothing() {
        Program p(2);
        test::writeFile(p.backups().folder(), "a file in the folder's place");
        p.startAndSettle();
        QCOMPARE(p.env.ui.errors().size(), 1);
        ALMANIS_VERIFY_STARTS(
            p.env.ui.errors()[0],
            QStringLiteral("The events could not be backed up to %1: ").arg(p.backupOf(kToday)));
        QVERIFY(p.env.ui.errors()[0].contains(QStringLiteral("Form1.CheckDatabase at line 114")));
        p.env.ui.clear();
        test::writeFile(p.env.dataFolder() + QStringLiteral("/new.txt"), "New,May 1\r\n");
        p.env.ui.openAnswers.push_back({p.env.dataFolder() + QStringLiteral("/new.txt")});
        p.click("PushButton8");
        QCOMPARE(p.env.ui.boxes.size(), 1);
        QCOMPARE(p.env.ui.boxes[0].text, QStringLiteral("1 event imported."));
        QCOMPARE(p.window->events().count(), 3);
    }

    // A store the user may not write, or on a full disk: listed, and every
    // change refused once, naming the file; the editor keeps what was typed.
    // A full disk is told at the start.
    void aReadOnlyStoreIsListedAndRefusesChanges_data() {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("read-only file") << false;
        QTest::newRow("full disk") << true;
    }
    void aReadOnlyStoreIsListedAndRefusesChanges() {
        QFETCH(bool, diskFull);
        Program p;
        p.addEvent(QStringLiteral("Today"), 6, 15);
        p.addEvent(QStringLiteral("Later"), 7, 1);
        std::optional<test::ReadOnlyFiles> readOnly;
        std::optional<test::FullDisk> full;
        if (diskFull) {
            full.emplace();
        } else {
            readOnly.emplace(QStringList{p.env.storePath()},
                             QStringList{p.env.dataFolder(), p.env.programFolder()});
            if (!readOnly->active()) {
                QSKIP("The superuser could not act as another user here");
            }
        }
        p.env.ui.modalScripts.push_back([](QDialog& alarm) { alarm.close(); });
        p.startAndSettle();
        QCOMPARE(p.window->events().count(), 2);
        QCOMPARE(p.env.ui.modals.size(), 1);  // the due check still works
        QVERIFY(p.env.ui.errors().isEmpty());
        QCOMPARE(
            test::boxTexts(p.env.ui, QStringLiteral("inform")),
            diskFull
                ? QStringList{QStringLiteral(
                                  "The disk that holds the event store %1 is full. The events are "
                                  "shown, but no change can be saved until there is room on it.")
                                  .arg(p.env.storePath())}
                : QStringList());

        p.click("PushButton4");
        QCOMPARE(p.env.ui.errors().size(), 1);
        ALMANIS_VERIFY_STARTS(
            p.env.ui.errors()[0],
            QStringLiteral("The event store %1 cannot be changed: ").arg(p.env.storePath()));

        p.env.ui.clear();
        QString kept;
        p.env.ui.modalScripts.push_back([&](QDialog& editor) {
            test::find<QLineEdit>(editor, "Text1")->setText(QStringLiteral("Typed"));
            test::button(editor, "PushButton6")->click();
            kept = editor.result() == QDialog::Accepted
                       ? QString()
                       : test::find<QLineEdit>(editor, "Text1")->text();
            editor.close();
        });
        p.click("PushButton6");
        QCOMPARE(p.env.ui.errors().size(), 1);
        QCOMPARE(kept, QStringLiteral("Typed"));
        QCOMPARE(p.window->events().count(), 2);
    }
};

ALMANIS_TEST_MAIN(StoreCareTest)
#include "tst_store_care.moc"
