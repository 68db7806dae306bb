#include "TestEnvironment.h"

#include "desktop/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <memory>

using namespace almanis;
using Outcome = SingleInstance::Outcome;

namespace {
// A start of the program in a process of its own, up to its single-instance check.
struct ChildStart {
    explicit ChildStart(const QString& serverPath) {
        process.setProgram(QStringLiteral(INSTANCE_CHILD));
        process.setArguments({serverPath});
        process.start();
    }
    ~ChildStart() {
        process.kill();
        process.waitForFinished();
    }
    // The next line the child says, or empty text when it says none in time.
    QString nextLine() {
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(10000)) {
                return {};
            }
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    QProcess process;
};

QString serverPath(const char* name) {
    return SingleInstance::serverPathFor(QStringLiteral("/data/") + QLatin1String(name));
}
}  // namespace

class SingleInstanceTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void aSecondStartAsksTheFirstToShowItself() {
        test::TestEnvironment env;
        SingleInstance first(serverPath("handshake"));
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        QCOMPARE(first.claim(), Outcome::ThisCopyRuns);
        SingleInstance second(first.serverPath());
        QCOMPARE(second.claim(), Outcome::AnotherCopyRuns);
        QCOMPARE(shown.size(), 1);
        SingleInstance third(first.serverPath());
        QCOMPARE(third.claim(), Outcome::AnotherCopyRuns);
        QCOMPARE(shown.size(), 2);
    }

    void namesBelongToTheUserAndTheDataFolder() {
        test::TestEnvironment env;
        const QString path = serverPath("a");
        QVERIFY(path.startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/')));
        QVERIFY(path.contains(QStringLiteral("-%1-").arg(getuid())));
        QCOMPARE(serverPath("a"), path);
        QVERIFY(serverPath("b") != path);
        // Another data folder is another copy: both run.
        SingleInstance a(path);
        SingleInstance b(serverPath("b"));
        QCOMPARE(a.claim(), Outcome::ThisCopyRuns);
        QCOMPARE(b.claim(), Outcome::ThisCopyRuns);
    }

    void aSocketLeftByAKilledCopyIsTakenOver() {
        test::TestEnvironment env;
        const QString path = serverPath("killed");
        {
            ChildStart killed(path);
            QCOMPARE(killed.nextLine(), QStringLiteral("runs"));
            killed.process.kill();  // no chance to take its socket down
            killed.process.waitForFinished();
        }
        QVERIFY(QFile::exists(path));
        SingleInstance next(path);
        QCOMPARE(next.claim(), Outcome::ThisCopyRuns);
        // And it answers the start after it.
        ChildStart later(path);
        QCOMPARE(later.nextLine(), QStringLiteral("another copy runs"));
    }

    void aStartAsksARunningCopyInAnotherProcess() {
        test::TestEnvironment env;
        const QString path = serverPath("other process");
        ChildStart running(path);
        QCOMPARE(running.nextLine(), QStringLiteral("runs"));
        SingleInstance second(path);
        QCOMPARE(second.claim(), Outcome::AnotherCopyRuns);
        QCOMPARE(running.nextLine(), QStringLiteral("shown"));
    }

    // Another start has found no copy to ask and is about to listen: it holds
    // the claim. A start that comes now must wait for it and then ask it, or
    // both would listen, and two copies would run.
    void aStartWaitsForOneBetweenAskingAndListening() {
        test::TestEnvironment env;
        const QString path = serverPath("race");
        QLockFile claim(path + QStringLiteral(".lock"));
        QVERIFY(claim.tryLock(0));
        ChildStart later(path);
        const QString first = later.nextLine();
        // The start that held the claim listens, answers as a running copy,
        // and lets go.
        QLocalServer running;
        QLocalServer::removeServer(path);
        QVERIFY(running.listen(path));
        connect(&running, &QLocalServer::newConnection, &running, [&running] {
            QLocalSocket* asking = running.nextPendingConnection();
            connect(asking, &QLocalSocket::readyRead, asking, [asking] {
                if (asking->canReadLine()) {
                    asking->readLine();
                    asking->write("shown\n");
                    asking->flush();
                }
            });
        });
        claim.unlock();
        QString outcome = first;
        if (first == QLatin1String("waiting")) {
            QSignalSpy said(&later.process, &QProcess::readyReadStandardOutput);
            while (!later.process.canReadLine() && said.wait(10000)) {
            }
            outcome = QString::fromUtf8(later.process.readLine()).trimmed();
        }
        QCOMPARE(outcome, QStringLiteral("another copy runs"));
    }

    void aFileThatIsNoSocketIsReplaced() {
        test::TestEnvironment env;
        const QString path = serverPath("file");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SingleInstance instance(path);
        QCOMPARE(instance.claim(), Outcome::ThisCopyRuns);
    }
};

ALMANIS_TEST_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
