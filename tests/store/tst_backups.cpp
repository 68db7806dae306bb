// The daily backups beside the store, SQLite's quick check, and restoring a
// damaged store from its newest sound backup.
#include "Files.h"
#include "ReadOnlyFiles.h"
#include "StoreFixture.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/DailyBackups.h"
#include "store/QuickCheck.h"
#include "store/ResultSet.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <optional>

using namespace almanis;

namespace {

const QDate kToday(2026, 6, 15);

// A store with enough events to fill several pages, closed and in one file.
void fill(test::StoreFixture& f, int events) {
    f.db.execute(QStringLiteral("begin"));
    for (int i = 0; i < events; ++i) {
        f.add(QStringLiteral("Event %1 ").arg(i) + QString(60, QLatin1Char('e')), i % 12 + 1, 1);
    }
    f.db.execute(QStringLiteral("commit"));
}

// Backups whose copies go to a disk that holds three pages, when `full`.
class DiskOfThreePages final : public DailyBackups {
  public:
    DiskOfThreePages(const QString& storePath, bool full) : DailyBackups(storePath), full_(full) {}

  protected:
    void prepareCopy(Connection& copy) const override {
        if (full_) {
            copy.execute(QStringLiteral("PRAGMA max_page_count=3"));
        }
    }

  private:
    bool full_;
};

QStringList names(const QStringList& paths) {
    QStringList result;
    for (const QString& path : paths) {
        result << QFileInfo(path).fileName();
    }
    return result;
}

}  // namespace

class BackupsTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void aBackupIsAWholeSelfContainedCopy() {
        test::StoreFixture f;
        fill(f, 300);
        DailyBackups backups(f.env.storePath());
        QCOMPARE(backups.folder(), f.env.dataFolder() + QStringLiteral("/backups"));
        QVERIFY(!backups.has(kToday));
        backups.write(f.db, kToday);
        const QString file = f.env.dataFolder() + QStringLiteral("/backups/dbData-2026-06-15.mdb");
        QCOMPARE(backups.fileFor(kToday), file);
        QVERIFY(backups.has(kToday));
        // A rollback-journal file: it needs no log or shared memory beside it.
        QCOMPARE(test::readFile(file).at(18), char(1));
        QCOMPARE(QDir(backups.folder()).entryList(QDir::Files),
                 QStringList{"dbData-2026-06-15.mdb"});
        Connection copy;
        copy.openReadOnly(file);
        QCOMPARE(test::storedEvents(copy), test::storedEvents(f.db));
        QCOMPARE(damageOf(copy), QString());
        // The store goes on as before, and a second backup the same day replaces the first.
        f.add(QStringLiteral("Later"), 1, 1);
        backups.write(f.db, kToday);
        copy.openReadOnly(file);
        QCOMPARE(test::storedEvents(copy).size(), 301);
    }

    void theNewestSevenAreKept() {
        test::StoreFixture f;
        DailyBackups backups(f.env.storePath());
        QDir().mkpath(backups.folder());
        test::writeFile(backups.folder() + QStringLiteral("/notes.txt"), "mine");
        test::writeFile(backups.folder() + QStringLiteral("/dbData-damaged-2026-01-01-101010.mdb"),
                        "x");
        for (int day = 0; day < 10; ++day) {
            backups.write(f.db, kToday.addDays(day));
        }
        QCOMPARE(
            names(backups.files()),
            (QStringList{"dbData-2026-06-24.mdb", "dbData-2026-06-23.mdb", "dbData-2026-06-22.mdb",
                         "dbData-2026-06-21.mdb", "dbData-2026-06-20.mdb", "dbData-2026-06-19.mdb",
                         "dbData-2026-06-18.mdb"}));
        // Files that are not the program's backups are left alone.
        QVERIFY(QFile::exists(backups.folder() + QStringLiteral("/notes.txt")));
        QVERIFY(QFile::exists(backups.folder() +
                              QStringLiteral("/dbData-damaged-2026-01-01-101010.mdb")));
    }

    // A backup that cannot be made says where and why, and leaves nothing
    // half-written behind. (The superuser writes wherever permissions say no:
    // the faults here are those that stop everyone.)
    void aFailedBackupLeavesNothingHalfWritten_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the folder is a file") << "folder is a file"
                                              << "cannot create the folder";
        QTest::newRow("the day's file is a folder") << "file is a folder"
                                                    << "Is a directory";
        QTest::newRow("the disk is full") << "disk full"
                                          << "database or disk is full";
        QTest::newRow("the folder cannot be written") << "read-only folder"
                                                      << "unable to open";
    }
    void aFailedBackupLeavesNothingHalfWritten() {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        test::StoreFixture f;
        fill(f, 300);
        const DiskOfThreePages backups(f.env.storePath(), fault == QLatin1String("disk full"));
        if (fault == QLatin1String("folder is a file")) {
            test::writeFile(backups.folder(), "in the way");
        } else if (fault == QLatin1String("file is a folder")) {
            QDir().mkpath(backups.fileFor(kToday));
        } else if (fault == QLatin1String("read-only folder")) {
            QDir().mkpath(backups.folder());
        }
        // The store stays open as it was; only the folder refuses.
        std::optional<test::ReadOnlyFiles> readOnly;
        if (fault == QLatin1String("read-only folder")) {
            readOnly.emplace(QStringList{backups.folder()}, QStringList());
            if (!readOnly->active()) {
                QSKIP("The superuser could not act as another user here");
            }
        }
        try {
            backups.write(f.db, kToday);
            QFAIL("the backup did not fail");
        } catch (const AppError& e) {
            QVERIFY2(e.description().startsWith(
                         QStringLiteral("The events could not be backed up to %1: ")
                             .arg(backups.fileFor(kToday))),
                     qPrintable(e.description()));
            QVERIFY2(e.description().contains(reason), qPrintable(e.description()));
        }
        readOnly.reset();
        if (fault == QLatin1String("disk full") || fault == QLatin1String("read-only folder")) {
            QCOMPARE(QDir(backups.folder()).entryList(QDir::Files), QStringList());
        }
        // The store itself is untouched and still takes changes.
        f.add(QStringLiteral("After"), 1, 1);
        QCOMPARE(test::storedEvents(f.db).size(), 301);
    }

    void quickCheckFindsADamagedStore() {
        test::StoreFixture f;
        fill(f, 300);
        QCOMPARE(damageOf(f.db), QString());
        f.db.close();
        test::damageStore(f.env.storePath());
        f.db.open(f.env.storePath());  // the header and the schema still read
        const QString found = damageOf(f.db);
        QVERIFY2(!found.isEmpty(), "the damage was not found");
        QVERIFY2(
            found.contains(QStringLiteral("malformed")) || found.contains(QStringLiteral("Page")),
            qPrintable(found));
    }

    void theNewestSoundBackupIsOfferedAndRestored() {
        test::StoreFixture f;
        fill(f, 300);
        DailyBackups backups(f.env.storePath());
        QCOMPARE(backups.newestSound(), QString());
        backups.write(f.db, kToday.addDays(-2));
        f.add(QStringLiteral("Newer"), 1, 1);
        backups.write(f.db, kToday.addDays(-1));
        // Yesterday's copy is damaged, today's is no database at all.
        test::damageStore(backups.fileFor(kToday.addDays(-1)));
        test::writeFile(backups.fileFor(kToday), "not a database");
        QCOMPARE(backups.newestSound(), backups.fileFor(kToday.addDays(-2)));

        f.db.close();
        test::damageStore(f.env.storePath());
        test::writeFile(f.env.storePath() + QStringLiteral("-wal"), "the damaged store's log");
        const QByteArray damaged = test::readFile(f.env.storePath());
        backups.restore(backups.newestSound());
        f.db.open(f.env.storePath());
        QCOMPARE(damageOf(f.db), QString());
        QCOMPARE(test::storedEvents(f.db).size(), 300);
        // The damaged store is kept, with its log, beside the backups.
        const QStringList kept =
            QDir(backups.folder()).entryList({QStringLiteral("dbData-damaged-*")}, QDir::Files);
        QCOMPARE(kept.size(), 2);
        QCOMPARE(test::readFile(backups.folder() + QLatin1Char('/') + kept.first()), damaged);
    }
};

ALMANIS_TEST_MAIN(BackupsTest)
#include "tst_backups.moc"
