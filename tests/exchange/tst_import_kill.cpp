// A large import killed at random moments leaves a sound store holding all of
// the file's lines or none of them.
#include "TestEnvironment.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/ResultSet.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

using namespace almanis;

namespace {
constexpr int kLines = 30000;

QString description(int line) {
    return QStringLiteral("Event %1 's").arg(line, 6, 10, QLatin1Char('0'));
}
int month(int line) {
    return line % 12 + 1;
}
int day(int line) {
    return line % 28 + 1;
}
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

}  // namespace

class ImportKillTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void killedImportLeavesAllOrNothing() {
        test::TestEnvironment env;
        const QString file = env.dataFolder() + QStringLiteral("/large.txt");
        QDir().mkpath(env.dataFolder());
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray text;
            for (int i = 0; i < kLines; ++i) {
                text += description(i).toUtf8() + ',' + kMonths[month(i) - 1] + ' ' +
                        QByteArray::number(day(i)) + "\r\n";
            }
            f.write(text);
        }
        // One import runs to its end, to learn how long the child takes; the
        // others are killed at random moments within that time.
        QRandomGenerator random(QRandomGenerator::global()->generate());
        const int rounds = 7;
        qint64 fullRunMs = 0;
        for (int round = 0; round < rounds; ++round) {
            const QString store = env.dataFolder() + QStringLiteral("/round%1.mdb").arg(round);
            QVERIFY(QFile::copy(env.programFolder() + QStringLiteral("/dbBlank.mdb"), store));
            QFile::setPermissions(store, QFile::ReadOwner | QFile::WriteOwner);

            QProcess child;
            QElapsedTimer timer;
            timer.start();
            child.start(QStringLiteral(IMPORT_CHILD), {store, file});
            QVERIFY(child.waitForStarted());
            if (round == 0) {
                QVERIFY(child.waitForFinished(120000));
                QCOMPARE(child.exitCode(), 0);
                fullRunMs = timer.elapsed();
            } else {
                const int killAfterMs =
                    round == 1 ? 0 : static_cast<int>(random.bounded(fullRunMs + 1));
                if (killAfterMs > 0) {
                    child.waitForFinished(killAfterMs);
                }
                child.kill();
                child.waitForFinished();
            }

            Connection db;
            db.open(store);
            ResultSet check;
            check.open("PRAGMA integrity_check", db);
            QCOMPARE(check.field("integrity_check").toString(), QStringLiteral("ok"));
            check.close();
            ResultSet rs;
            rs.open("select Description, EventMonth, EventDay from tblEvent order by id", db);
            int k = 0;
            for (; !rs.eof(); rs.moveNext(), ++k) {
                QCOMPARE(rs.field("Description").toString(), description(k));
                QCOMPARE(wholeNumber(rs.field("EventMonth")), month(k));
                QCOMPARE(wholeNumber(rs.field("EventDay")), day(k));
            }
            if (round == 0) {
                QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray::number(kLines));
                QCOMPARE(k, kLines);
            }
            QVERIFY2(k == 0 || k == kLines, qPrintable(QStringLiteral("%1 lines kept").arg(k)));
            qInfo("round %d: %d of %d lines stored", round, k, kLines);
        }
    }

    // Two programs import into one store at once: each waits for the other's
    // transaction like any other write, every line of both files is stored,
    // and each counts only its own events.
    void twoProgramsImportAtOnce() {
        test::TestEnvironment env;
        const QString store = env.createStore();
        QStringList files;
        for (const char* name : {"first", "second"}) {
            const QString file =
                env.dataFolder() + QStringLiteral("/%1.txt").arg(QLatin1String(name));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (int i = 0; i < 3000; ++i) {
                f.write(QByteArray(name) + ' ' + QByteArray::number(i) + ",May 1\r\n");
            }
            files << file;
        }
        // The store as the window leaves it, in write-ahead-log mode.
        Connection().open(store);
        QProcess first;
        QProcess second;
        first.start(QStringLiteral(IMPORT_CHILD), {store, files[0]});
        second.start(QStringLiteral(IMPORT_CHILD), {store, files[1]});
        QVERIFY(first.waitForFinished(120000));
        QVERIFY(second.waitForFinished(120000));
        QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
        QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("3000"));
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("3000"));
        Connection db;
        db.open(store);
        ResultSet rs;
        rs.open("select count(*) as n, count(distinct Description) as d from tblEvent", db);
        QCOMPARE(wholeNumber(rs.field("n")), 6000);
        QCOMPARE(wholeNumber(rs.field("d")), 6000);
    }

    // However long the import, the log is folded back and emptied at its end.
    void theLogIsEmptyAfterALargeImport() {
        test::TestEnvironment env;
        const QString store = env.createStore();
        const QString file = env.dataFolder() + QStringLiteral("/large.txt");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray text;
            for (int i = 0; i < 100000; ++i) {
                text += description(i).toUtf8() + ',' + kMonths[month(i) - 1] + ' ' +
                        QByteArray::number(day(i)) + "\r\n";
            }
            f.write(text);
        }
        const qint64 before = QFileInfo(store).size();
        QProcess child;
        child.start(QStringLiteral(IMPORT_CHILD), {store, file});
        QVERIFY(child.waitForFinished(300000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QFileInfo(store + QStringLiteral("-wal")).size(), 0);
        qInfo("the store grew by %lld bytes", QFileInfo(store).size() - before);
    }
};

ALMANIS_TEST_MAIN(ImportKillTest)
#include "tst_import_kill.moc"
