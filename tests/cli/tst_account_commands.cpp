// almanis-cli's account commands against a real CalDAV and CardDAV server on
// the loopback address, the secret store and the terminal played by fakes.
#include "Files.h"
#include "RadicaleServer.h"
#include "TestEnvironment.h"

#include "cli/CommandLineTool.h"
#include "sync/AccountBook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace almanis;

namespace {
const QString kAlice = QStringLiteral("alice");
const QString kPassword = QStringLiteral("test-password-alice");

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// The accounts kept, as "Calendar /alice/cal/ alice".
QStringList accountLines() {
    QStringList lines;
    for (const Account& account : AccountBook().read()) {
        lines << kindText(account.kind) + QLatin1Char(' ') + account.url.path() + QLatin1Char(' ') +
                     account.user;
    }
    return lines;
}
}  // namespace

class AccountCommandsTest : public test::TestCase {
    Q_OBJECT
  private:
    test::RadicaleServer server_;

    // Runs `almanis-cli ARGUMENTS` in the environment, "{server}" standing
    // for the server's address.
    Run run(test::TestEnvironment& env, QStringList arguments) {
        for (QString& argument : arguments) {
            argument.replace(QLatin1String("{server}"), server_.url().toString());
        }
        Run result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        CommandLineTool tool(env.clock, env.programFolder(), out, err, env.accountServices());
        result.status = tool.run(QStringList{QStringLiteral("almanis-cli")} + arguments);
        return result;
    }

  private slots:
    void initTestCase() {
        server_.addUser(kAlice, kPassword);
        QVERIFY2(server_.start(), qPrintable(server_.errorText()));
        QCOMPARE(
            server_.makeCollection(kAlice, kPassword, QStringLiteral("cal"),
                                   "<D:resourcetype><D:collection/><C:calendar/>"
                                   "</D:resourcetype><D:displayname>Birthdays</D:displayname>"),
            201);
        QCOMPARE(server_.makeCalendar(kAlice, kPassword, QStringLiteral("work")), 201);
        QCOMPARE(server_.makeAddressBook(kAlice, kPassword, QStringLiteral("book")), 201);
    }

    void addFindsAndKeepsTheChosenCollections_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("interactive");
        QTest::addColumn<QStringList>("answers");  // the terminal's, password first
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("accounts");
        QTest::addColumn<QString>("out");  // a part of what is printed, or of the error
        const QStringList add{"account", "add", "--user", "alice"};
        const QStringList password{kPassword};
        QTest::newRow("a calendar's address, taken as it is")
            << add + QStringList{"{server}alice/cal/"} << false << password << 0
            << QStringList{"Calendar /alice/cal/ alice"}
            << "Added the calendar \"Birthdays\" at {server}alice/cal/.";
        QTest::newRow("an address book's address without its slash")
            << add + QStringList{"{server}alice/book"} << false << password << 0
            << QStringList{"Address book /alice/book/ alice"} << "Added the address book";
        QTest::newRow("a server, chosen by the options")
            << add + QStringList{"{server}", "--calendar", "{server}alice/work", "--address-book",
                                 "{server}alice/book/"}
            << false << password << 0
            << QStringList{"Calendar /alice/work/ alice", "Address book /alice/book/ alice"}
            << "Added the address book \"alice/book\" at {server}alice/book/.";
        QTest::newRow("a server, chosen at the terminal after a wrong answer")
            << add + QStringList{"{server}"} << true << QStringList{kPassword, "1", "2", "1"} << 0
            << QStringList{"Calendar /alice/cal/ alice", "Address book /alice/book/ alice"}
            << "  2  Calendar      Birthdays   {server}alice/cal/\n";
        QTest::newRow("a server, nothing chosen at the terminal")
            << add + QStringList{"{server}"} << true << QStringList{kPassword, "", ""} << 0
            << QStringList{} << "Nothing added.";
        QTest::newRow("a server, no choice and no terminal")
            << add + QStringList{"{server}"} << false << password << 2 << QStringList{}
            << "choose what to add with --calendar URL and --address-book URL";
        QTest::newRow("a calendar that is not on the server")
            << add + QStringList{"{server}", "--calendar", "{server}alice/none/"} << false
            << password << 1 << QStringList{}
            << "{server}alice/none/ is not among the calendars found";
        QTest::newRow("two calendars")
            << add + QStringList{"{server}", "--calendar", "{server}alice/cal/", "--calendar",
                                 "{server}alice/work/"}
            << false << password << 2 << QStringList{} << "give --calendar once";
        QTest::newRow("a wrong password")
            << add + QStringList{"{server}"} << true << QStringList{"test-password-wrong"} << 1
            << QStringList{} << "the server refused the user name or password";
        QTest::newRow("no password")
            << add + QStringList{"{server}alice/cal/"} << false << QStringList{} << 1
            << QStringList{} << "no password was given";
        QTest::newRow("plain http to another machine")
            << add + QStringList{"http://dav.example.com/"} << true << password << 1
            << QStringList{} << "http://dav.example.com/ is not a secure address";
        QTest::newRow("no user") << QStringList{"account", "add", "{server}"} << false << password
                                 << 2 << QStringList{} << "needs the user name";
    }
    void addFindsAndKeepsTheChosenCollections() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, interactive);
        QFETCH(QStringList, answers);
        QFETCH(int, status);
        QFETCH(QStringList, accounts);
        QFETCH(QString, out);
        test::TestEnvironment env;
        env.terminal.isInteractive = interactive;
        env.terminal.answers.assign(answers.cbegin(), answers.cend());
        const Run added = run(env, arguments);
        out.replace(QLatin1String("{server}"), server_.url().toString());
        QVERIFY2((added.out + added.err).contains(out), qPrintable(added.out + added.err));
        QCOMPARE(added.status, status);
        QCOMPARE(accountLines(), accounts);
        // The password is kept where the desktop keeps passwords, and only
        // once it has been taken.
        QCOMPARE(env.secrets.passwords.value(
                     QStringLiteral("http://alice@127.0.0.1:%1").arg(server_.url().port())),
                 accounts.isEmpty() ? QString() : kPassword);
        if (arguments.contains(QStringLiteral("http://dav.example.com/"))) {
            QCOMPARE(env.network.sent.size(), 0);
            QCOMPARE(env.terminal.prompts, QStringList());
        }
    }

    void aPasswordCommandIsKeptInsteadOfThePassword() {
        test::TestEnvironment env;
        const QString command = QStringLiteral("printf '%s\\n' ") + kPassword;
        const Run added = run(env, {"account", "add", "{server}alice/cal/", "--user", "alice",
                                    "--password-command", command});
        QCOMPARE(added.err, QString());
        QCOMPARE(added.status, 0);
        const std::vector<Account> accounts = AccountBook().read();
        QCOMPARE(accounts.size(), size_t(1));
        QCOMPARE(accounts[0].passwordCommand, command);
        QCOMPARE(env.secrets.calls, QStringList());
        QCOMPARE(env.terminal.prompts, QStringList());
        const Run failing = run(env, {"account", "add", "{server}alice/book/", "--user", "alice",
                                      "--password-command", "false"});
        QCOMPARE(failing.status, 1);
        QCOMPARE(failing.err, QStringLiteral("almanis-cli: the password command \"false\" ended "
                                             "with status 1\n"));
    }

    void aSecretStoreThatFailsKeepsNothing() {
        test::TestEnvironment env;
        env.secrets.failure = QStringLiteral("there is no secret store on this desktop");
        env.terminal.answers = {kPassword};
        const Run added = run(env, {"account", "add", "{server}alice/cal/", "--user", "alice"});
        QCOMPARE(added.status, 1);
        QCOMPARE(added.err, QStringLiteral("almanis-cli: the password could not be kept: there is "
                                           "no secret store on this desktop\n"));
        QCOMPARE(accountLines(), QStringList());
    }

    void listShowsEachAccountAndRemoveForgetsThePasswordLast() {
        test::TestEnvironment env(QDate(2026, 6, 15));
        env.terminal.answers = {kPassword};
        QCOMPARE(run(env, {"account", "add", "{server}", "--user", "alice", "--calendar",
                           "{server}alice/cal/", "--address-book", "{server}alice/book/"})
                     .status,
                 0);
        AccountBook().recordSuccess(server_.url().resolved(QUrl(QStringLiteral("alice/cal/"))),
                                    env.clock.now().addSecs(-120));
        AccountBook().recordFailure(server_.url().resolved(QUrl(QStringLiteral("alice/book/"))),
                                    env.clock.now().addSecs(-60),
                                    QStringLiteral("the server failed to answer (503)"));
        const QString server = server_.url().toString();
        const Run list = run(env, {"account", "list"});
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out,
                 QStringLiteral("%1alice/cal/   alice  Calendar      Synced 2 minutes ago\n"
                                "%1alice/book/  alice  Address book  The server failed "
                                "to answer (503).\n")
                     .arg(server));
        const QJsonArray json =
            QJsonDocument::fromJson(run(env, {"account", "list", "--json"}).out.toUtf8()).array();
        QCOMPARE(json.size(), 2);
        QCOMPARE(json[0].toObject().value(QStringLiteral("kind")).toString(),
                 QStringLiteral("calendar"));
        QCOMPARE(json[1].toObject().value(QStringLiteral("last_error")).toString(),
                 QStringLiteral("the server failed to answer (503)"));
        QCOMPARE(json[0].toObject().value(QStringLiteral("name")).toString(),
                 QStringLiteral("Birthdays"));

        const QString key = QStringLiteral("http://alice@127.0.0.1:%1").arg(server_.url().port());
        const Run removed = run(env, {"account", "remove", "{server}alice/book"});
        QCOMPARE(removed.status, 0);
        QCOMPARE(removed.out, QStringLiteral("Removed the address book \"alice/book\" at "
                                             "%1alice/book/.\n")
                                  .arg(server));
        // The calendar still needs it.
        QVERIFY(env.secrets.passwords.contains(key));
        QCOMPARE(run(env, {"account", "remove", "{server}alice/cal/"}).status, 0);
        QVERIFY(!env.secrets.passwords.contains(key));
        const Run again = run(env, {"account", "remove", "{server}alice/cal/"});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(QLatin1String("there is no account")), qPrintable(again.err));
        QCOMPARE(run(env, {"account", "list"}).out, QString());
    }

    // Whatever the way in, no password reaches a file of the homes.
    void noPasswordEndsUpInAFile() {
        test::TestEnvironment env;
        env.terminal.isInteractive = true;
        env.terminal.answers = {kPassword, "2", ""};
        QCOMPARE(run(env, {"account", "add", "{server}", "--user", "alice"}).status, 0);
        QTemporaryDir elsewhere;
        const QString passwordFile = elsewhere.filePath(QStringLiteral("password"));
        test::writeFile(passwordFile, kPassword.toUtf8());
        QCOMPARE(run(env, {"account", "add", "{server}alice/book/", "--user", "alice",
                           "--password-command", "cat " + passwordFile})
                     .status,
                 0);
        QCOMPARE(run(env, {"account", "list"}).status, 0);
        QCOMPARE(accountLines().size(), 2);
        QCOMPARE(test::filesContaining(env.homeFolder(), kPassword.toUtf8()), QStringList());
        QCOMPARE(test::filesContaining(QDir::homePath(), kPassword.toUtf8()), QStringList());
    }
};

ALMANIS_TEST_MAIN(AccountCommandsTest)
#include "tst_account_commands.moc"
