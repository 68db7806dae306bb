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

// Noon of the day `days` after kToday, as the fixed clock has it.
QDateTime noon(int days = 0) {
    return QDateTime(kToday.addDays(days), QTime(12, 0));
}

// A backup file named for `named`, made at `made`: as a clock set ahead for a
// while or a copy put there by hand leaves it.
void plant(const DailyBackups& backups, QDate named, const QDateTime& made,
           const QByteArray& content = "a copy") {
    const QString path = backups.fileFor(named);
    test::writeFile(path, content);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(made, QFileDevice::FileModificationTime));
}

QStringList days(const QStringList& paths) {
    QStringList result;
    for (const QString& path : paths) {
        result << QFileInfo(path).completeBaseName().mid(7);
    }
    return result;
}

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
        backups.write(f.db, noon());
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
        backups.write(f.db, noon());
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
            backups.write(f.db, noon(day));
        }
        QCOMPARE(
            names(backups.files(noon(9))),
            (QStringList{"dbData-2026-06-24.mdb", "dbData-2026-06-23.mdb", "dbData-2026-06-22.mdb",
                         "dbData-2026-06-21.mdb", "dbData-2026-06-20.mdb", "dbData-2026-06-19.mdb",
                         "dbData-2026-06-18.mdb"}));
        QCOMPARE(DailyBackups::madeAt(backups.fileFor(kToday.addDays(9))), noon(9));
        // Files that are not the program's backups are left alone.
        QVERIFY(QFile::exists(backups.folder() + QStringLiteral("/notes.txt")));
        QVERIFY(QFile::exists(backups.folder() +
                              QStringLiteral("/dbData-damaged-2026-01-01-101010.mdb")));
    }

    // Backups are as new as when they were made, not as their names say: the
    // one just made is always kept, and one made or named after the clock's
    // present is older than all the others.
    void theBackupsKeptAreTheNewestMade_data() {
        QTest::addColumn<QList<QDate>>("named");
        QTest::addColumn<QList<int>>("madeDaysAgo");  // negative: made ahead of the clock
        QTest::addColumn<QStringList>("kept");        // newest first, today's included
        const auto day = [](int offset) { return kToday.addDays(offset); };
        QTest::newRow("made in another order than named")
            << QList<QDate>{day(-1), day(-2), day(-3), day(-4), day(-5), day(-6), day(-7)}
            << QList<int>{7, 1, 2, 3, 4, 5, 6}
            << QStringList{"2026-06-15", "2026-06-13", "2026-06-12", "2026-06-11",
                           "2026-06-10", "2026-06-09", "2026-06-08"};
        const QDate ahead(2031, 1, 1);
        QTest::newRow("seven made years ahead, then the clock set back")
            << QList<QDate>{ahead,
                            ahead.addDays(1),
                            ahead.addDays(2),
                            ahead.addDays(3),
                            ahead.addDays(4),
                            ahead.addDays(5),
                            ahead.addDays(6)}
            << QList<int>{-1661, -1662, -1663, -1664, -1665, -1666, -1667}
            << QStringList{"2026-06-15", "2031-01-07", "2031-01-06", "2031-01-05",
                           "2031-01-04", "2031-01-03", "2031-01-02"};
        QTest::newRow("named ahead of the clock, made before it")
            << QList<QDate>{ahead,   ahead.addDays(1), day(-1), day(-2),
                            day(-3), day(-4),          day(-5), day(-6)}
            << QList<int>{0, 0, 1, 2, 3, 4, 5, 6}
            << QStringList{"2026-06-15", "2026-06-14", "2026-06-13", "2026-06-12",
                           "2026-06-11", "2026-06-10", "2026-06-09"};
        QTest::newRow("made ahead of the clock under a past day's name")
            << QList<QDate>{day(-1), day(-2), day(-3), day(-4), day(-5), day(-6), day(-7)}
            << QList<int>{-30, 2, 3, 4, 5, 6, 7}
            << QStringList{"2026-06-15", "2026-06-13", "2026-06-12", "2026-06-11",
                           "2026-06-10", "2026-06-09", "2026-06-08"};
    }
    void theBackupsKeptAreTheNewestMade() {
        QFETCH(QList<QDate>, named);
        QFETCH(QList<int>, madeDaysAgo);
        QFETCH(QStringList, kept);
        test::StoreFixture f;
        DailyBackups backups(f.env.storePath());
        for (qsizetype i = 0; i < named.size(); ++i) {
            plant(backups, named[i], noon(-madeDaysAgo[i]).addSecs(-60));
        }
        backups.write(f.db, noon());
        QCOMPARE(days(backups.files(noon())), kept);
        QCOMPARE(QDir(backups.folder()).entryList(QDir::Files).size(), DailyBackups::kKept);
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
            backups.write(f.db, noon());
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
        QCOMPARE(backups.newestSound(noon()), QString());
        backups.write(f.db, noon(-2));
        f.add(QStringLiteral("Newer"), 1, 1);
        backups.write(f.db, noon(-1));
        // Yesterday's copy is damaged, today's is no database at all, and a
        // sound copy named years ahead is not the newest.
        test::damageStore(backups.fileFor(kToday.addDays(-1)));
        test::writeFile(backups.fileFor(kToday), "not a database");
        plant(backups, QDate(2031, 1, 1), noon(-3),
              test::readFile(backups.fileFor(kToday.addDays(-2))));
        QCOMPARE(backups.newestSound(noon()), backups.fileFor(kToday.addDays(-2)));

        f.db.close();
        test::damageStore(f.env.storePath());
        test::writeFile(f.env.storePath() + QStringLiteral("-wal"), "the damaged store's log");
        const QByteArray damaged = test::readFile(f.env.storePath());
        backups.restore(backups.newestSound(noon()));
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
