#include "TestEnvironment.h"

#include "desktop/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace almanis;
using Outcome = SingleInstance::Outcome;

namespace {
// A start of the program in a process of its own, up to its single-instance check.
struct ChildStart {
    explicit ChildStart(const QString& serverPath) : ChildStart(QStringList{serverPath}) {}
    explicit ChildStart(const QStringList& arguments) {
        process.setProgram(QStringLiteral(INSTANCE_CHILD));
        process.setArguments(arguments);
        process.start();
    }
    ~ChildStart() {
        process.kill();
        process.waitForFinished();
    }
    // The next line the child says, or empty text when it says none in time.
    // The wait runs this thread's events, as the child may be asking a copy
    // of this process.
    QString nextLine() {
        QSignalSpy said(&process, &QProcess::readyReadStandardOutput);
        while (!process.canReadLine()) {
            if (!said.wait(10000)) {
                return {};
            }
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    QProcess process;
};

// Puts the named environment variables back as they were when it goes.
struct Environment {
    explicit Environment(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        }
    }
    ~Environment() {
        for (const auto& [name, value, set] : saved) {
            set ? qputenv(name, value) : qunsetenv(name);
        }
    }
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QList<Saved> saved;
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

    // Whatever is in the socket's place and is not the user's running copy
    // answering "shown" is no running copy: this start runs, listens there,
    // and says so where it matters. What is not a socket is kept aside.
    void onlyTheUsersOwnCopyIsBelieved_data() {
        QTest::addColumn<QString>("inPlace");  // "file", "folder", or a listener's answer
        QTest::addColumn<bool>("foreign");     // the listener runs as another user
        QTest::addColumn<QString>("problem");
        QTest::newRow("another user's program that answers")
            << "shown" << true
            << "A program of another user was listening at PATH in place of Almanis; it was "
               "not asked anything, and this copy listens there now.";
        QTest::newRow("a program that answers something else") << "hello" << false << "";
        QTest::newRow("a program that takes the connection and closes it") << "" << false << "";
        QTest::newRow("a file") << "file" << false << "";
        QTest::newRow("a folder") << "folder" << false << "";
    }
    void onlyTheUsersOwnCopyIsBelieved() {
        QFETCH(QString, inPlace);
        QFETCH(bool, foreign);
        QFETCH(QString, problem);
        test::TestEnvironment env;
        const QString path = serverPath(QTest::currentDataTag());
        std::unique_ptr<ChildStart> listener;
        if (inPlace == QLatin1String("file") || inPlace == QLatin1String("folder")) {
            QVERIFY(inPlace == QLatin1String("file") ? QFile(path).open(QIODevice::WriteOnly)
                                                     : QDir().mkdir(path));
            QVERIFY(QFile(path + QStringLiteral("/kept")).open(QIODevice::WriteOnly) ||
                    inPlace == QLatin1String("file"));
        } else {
            if (foreign && getuid() != 0) {
                QSKIP("Only the superuser can listen as another user");
            }
            listener = std::make_unique<ChildStart>(
                QStringList{QStringLiteral("--listen-as"),
                            QString::number(foreign ? 65534 : getuid()), inPlace, path});
            QCOMPARE(listener->nextLine(), QStringLiteral("listening"));
        }
        SingleInstance instance(path);
        QCOMPARE(instance.claim(), Outcome::ThisCopyRuns);
        QCOMPARE(instance.problem(), QString(problem).replace(QStringLiteral("PATH"), path));
        if (listener) {
            // Another user's program hears nothing; the user's own hears the request.
            QCOMPARE(listener->nextLine(),
                     foreign ? QStringLiteral("heard 0 bytes") : QStringLiteral("heard 6 bytes"));
        } else {
            QVERIFY(QFileInfo::exists(path + QStringLiteral(".moved")));
            QCOMPARE(QFileInfo(path + QStringLiteral(".moved")).isDir(),
                     inPlace == QLatin1String("folder"));
        }
        SingleInstance later(path);
        QCOMPARE(later.claim(), Outcome::AnotherCopyRuns);
    }

    // The socket's folder is the user's alone, wherever it lies: a runtime
    // folder others may enter is passed over for one of the user's own in the
    // temporary folder, and one there that is not the user's is told of.
    void theSocketsFolderIsTheUsersAlone_data() {
        QTest::addColumn<QString>("runtime");    // "private", "open", "missing" or "unset"
        QTest::addColumn<QString>("ownFolder");  // in the temporary folder: "missing", "open",
                                                 // "another user's" or "a link"
        QTest::addColumn<bool>("inRuntime");
        QTest::addColumn<bool>("claimed");
        QTest::newRow("the runtime folder") << "private"
                                            << "missing" << true << true;
        QTest::newRow("no runtime folder") << "unset"
                                           << "missing" << false << true;
        QTest::newRow("a runtime folder that is missing") << "missing"
                                                          << "missing" << false << true;
        QTest::newRow("a runtime folder others may enter") << "open"
                                                           << "missing" << false << true;
        QTest::newRow("an own folder others may enter") << "unset"
                                                        << "open" << false << true;
        QTest::newRow("another user's folder") << "unset"
                                               << "another user's" << false << false;
        QTest::newRow("a link to a folder") << "unset"
                                            << "a link" << false << false;
    }
    void theSocketsFolderIsTheUsersAlone() {
        QFETCH(QString, runtime);
        QFETCH(QString, ownFolder);
        QFETCH(bool, inRuntime);
        QFETCH(bool, claimed);
        test::TestEnvironment env;
        QTemporaryDir temporary;
        const QString runtimeFolder = temporary.path() + QStringLiteral("/runtime");
        const QString ownPath = temporary.path() + QStringLiteral("/almanis-%1").arg(getuid());
        const Environment restore({"XDG_RUNTIME_DIR", "TMPDIR"});
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        if (runtime == QLatin1String("unset")) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
        }
        if (runtime != QLatin1String("missing") && runtime != QLatin1String("unset")) {
            QVERIFY(::mkdir(QFile::encodeName(runtimeFolder).constData(),
                            runtime == QLatin1String("open") ? 0777 : 0700) == 0);
            ::chmod(QFile::encodeName(runtimeFolder).constData(),
                    runtime == QLatin1String("open") ? 0777 : 0700);
        }
        if (ownFolder == QLatin1String("open") || ownFolder == QLatin1String("another user's")) {
            QVERIFY(::mkdir(QFile::encodeName(ownPath).constData(), 0777) == 0);
            ::chmod(QFile::encodeName(ownPath).constData(), 0777);
            if (ownFolder == QLatin1String("another user's") &&
                ::chown(QFile::encodeName(ownPath).constData(), 65534, 65534) != 0) {
                QSKIP("Only the superuser can give a folder to another user");
            }
        } else if (ownFolder == QLatin1String("a link")) {
            QVERIFY(QDir().mkdir(temporary.path() + QStringLiteral("/elsewhere")));
            QVERIFY(QFile::link(temporary.path() + QStringLiteral("/elsewhere"), ownPath));
        }

        const QString path = serverPath("folder");
        QCOMPARE(QFileInfo(path).path(), inRuntime ? runtimeFolder : ownPath);
        SingleInstance instance(path);
        QCOMPARE(instance.claim(), Outcome::ThisCopyRuns);
        SingleInstance later(path);
        if (claimed) {
            QCOMPARE(instance.problem(), QString());
            QCOMPARE(QFileInfo(QFileInfo(path).path()).permissions() & 0x0077, 0);
            QCOMPARE(later.claim(), Outcome::AnotherCopyRuns);
        } else {
            QCOMPARE(instance.problem(),
                     QStringLiteral("%1 is not a folder that belongs to you alone, so later "
                                    "starts of Almanis cannot find this one and will run "
                                    "beside it.")
                         .arg(ownPath));
            QVERIFY(!QFileInfo::exists(path));
            QCOMPARE(later.claim(), Outcome::ThisCopyRuns);
        }
    }

    // Fields of the request reach the running copy, one line each.
    void theRequestCarriesItsFields() {
        test::TestEnvironment env;
        SingleInstance first(serverPath("fields"));
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        QCOMPARE(first.claim(), Outcome::ThisCopyRuns);
        SingleInstance second(first.serverPath());
        second.setRequestField(QStringLiteral("token"), QStringLiteral("a=b\nc"));
        second.setRequestField(QStringLiteral("empty"), QString());
        QCOMPARE(second.claim(), Outcome::AnotherCopyRuns);
        QCOMPARE(shown.size(), 1);
        const auto fields = shown[0][0].value<QMap<QString, QString>>();
        QCOMPARE(fields, (QMap<QString, QString>{{QStringLiteral("token"), QStringLiteral("a=bc")},
                                                 {QStringLiteral("empty"), QString()}}));
    }
};

ALMANIS_TEST_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
