#include "Files.h"
#include "SyncFakes.h"
#include "TestEnvironment.h"

#include "core/AppError.h"
#include "sync/AccountBook.h"
#include "sync/PasswordCommand.h"
#include "sync/Waiting.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace almanis;

namespace {
Account account(const QString& url, CollectionKind kind, const QString& name = QString()) {
    Account made;
    made.url = QUrl(url);
    made.kind = kind;
    made.name = name;
    made.user = QStringLiteral("alice");
    return made;
}

QStringList urlsOf(const std::vector<Account>& accounts) {
    QStringList urls;
    for (const Account& account : accounts) {
        urls << account.url.toString();
    }
    return urls;
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.description();
    }
    return QString();
}
}  // namespace

class AccountsTest : public test::TestCase {
    Q_OBJECT
  private:
    QTemporaryDir folder_;
    int made_ = 0;
    QString path_;
    // A file of its own for each test and row.
    QString path() const { return path_; }
    void newPath() {
        path_ = folder_.filePath(QStringLiteral("config%1/accounts.json").arg(++made_));
    }

  private slots:
    void theBookKeepsTheAccountsAsAdded() {
        newPath();
        AccountBook book(path());
        QCOMPARE(book.read().size(), size_t(0));
        Account calendar = account("https://dav.example.com/alice/cal/", CollectionKind::Calendar,
                                   QStringLiteral("Birthdays"));
        calendar.passwordCommand = QStringLiteral("pass show dav");
        book.add({calendar,
                  account("https://dav.example.com/alice/book/", CollectionKind::AddressBook)});
        book.add({account("https://other.example.com/b/", CollectionKind::AddressBook)});
        const std::vector<Account> read = book.read();
        QCOMPARE(urlsOf(read), (QStringList{"https://dav.example.com/alice/cal/",
                                            "https://dav.example.com/alice/book/",
                                            "https://other.example.com/b/"}));
        QCOMPARE(read[0].kind, CollectionKind::Calendar);
        QCOMPARE(read[0].name, QStringLiteral("Birthdays"));
        QCOMPARE(read[0].user, QStringLiteral("alice"));
        QCOMPARE(read[0].passwordCommand, QStringLiteral("pass show dav"));
        QCOMPARE(read[1].kind, CollectionKind::AddressBook);
        // The user's alone: it names their servers and user names.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(path()).permissions() & others, QFileDevice::Permissions());

        const QDateTime synced(QDate(2026, 6, 15), QTime(10, 0), Qt::UTC);
        book.recordSuccess(QUrl(QStringLiteral("https://dav.example.com/alice/cal")), synced);
        book.recordFailure(QUrl(QStringLiteral("https://other.example.com/b/")), synced.addSecs(60),
                           QStringLiteral("the server failed"));
        book.recordSuccess(QUrl(QStringLiteral("https://gone.example.com/")), synced);
        const std::vector<Account> noted = book.read();
        QCOMPARE(noted[0].status.lastSynced, synced);
        QVERIFY(!noted[0].status.lastFailed.isValid());
        QCOMPARE(noted[2].status.lastFailed, synced.addSecs(60));
        QCOMPARE(noted[2].status.lastError, QStringLiteral("the server failed"));

        // The address as the user writes it, with or without its final slash.
        const std::optional<Account> removed =
            book.remove(QUrl(QStringLiteral("https://dav.example.com/alice/book")));
        QVERIFY(removed);
        QCOMPARE(removed->kind, CollectionKind::AddressBook);
        QVERIFY(!book.remove(QUrl(QStringLiteral("https://dav.example.com/alice/book/"))));
        QCOMPARE(urlsOf(book.read()), (QStringList{"https://dav.example.com/alice/cal/",
                                                   "https://other.example.com/b/"}));
    }

    void whatCannotBeAddedAddsNothing_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("calendar");
        QTest::addColumn<QString>("error");
        QTest::newRow("the same calendar")
            << "https://dav.example.com/alice/cal" << true
            << "https://dav.example.com/alice/cal is an account already";
        QTest::newRow("a second calendar")
            << "https://dav.example.com/alice/work/" << true
            << "the events are kept in the calendar https://dav.example.com/alice/cal/ already";
        QTest::newRow("the same address book")
            << "https://DAV.example.com/alice/book/" << false << "is an account already";
    }
    void whatCannotBeAddedAddsNothing() {
        newPath();
        QFETCH(QString, url);
        QFETCH(bool, calendar);
        QFETCH(QString, error);
        AccountBook book(path());
        book.add({account("https://dav.example.com/alice/cal/", CollectionKind::Calendar),
                  account("https://dav.example.com/alice/book/", CollectionKind::AddressBook)});
        const QByteArray before = test::readFile(path());
        const QString told = errorOf([&] {
            book.add(
                {account("https://dav.example.com/alice/new/", CollectionKind::AddressBook),
                 account(url, calendar ? CollectionKind::Calendar : CollectionKind::AddressBook)});
        });
        QVERIFY2(told.contains(error), qPrintable(told));
        QCOMPARE(test::readFile(path()), before);
    }

    // A file the user or another version damaged is told of, and left as it
    // is rather than replaced by an empty list.
    void aDamagedFileIsToldOfAndKept_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("not JSON") << QByteArray("[accounts]\nurl=x") << "cannot be read";
        QTest::newRow("a list") << QByteArray("[]") << "it holds no accounts";
        QTest::newRow("an account without an address")
            << QByteArray("{\"accounts\":[{\"kind\":\"calendar\",\"user\":\"a\"}]}")
            << "has no valid address or kind";
        QTest::newRow("an account of an unknown kind")
            << QByteArray("{\"accounts\":[{\"url\":\"https://a.example/c/\",\"kind\":\"todo\"}]}")
            << "the account \"https://a.example/c/\" has no valid address or kind";
    }
    void aDamagedFileIsToldOfAndKept() {
        newPath();
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        test::writeFile(path(), content);
        AccountBook book(path());
        const QString read = errorOf([&] { book.read(); });
        QVERIFY2(read.contains(error), qPrintable(read));
        QVERIFY(read.contains(QDir::toNativeSeparators(path())));
        QVERIFY(!errorOf([&] {
                     book.add({account("https://x.example/b/", CollectionKind::AddressBook)});
                 }).isEmpty());
        QVERIFY(
            !errorOf([&] { book.remove(QUrl(QStringLiteral("https://a.example/c/"))); }).isEmpty());
        QCOMPARE(test::readFile(path()), content);
    }

    void theStatusSaysWhenOrWhy_data() {
        QTest::addColumn<QDateTime>("synced");
        QTest::addColumn<QDateTime>("failed");
        QTest::addColumn<QString>("text");
        const QDateTime now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
        QTest::newRow("never") << QDateTime() << QDateTime() << "Not synced yet";
        QTest::newRow("seconds ago") << now.addSecs(-59) << QDateTime() << "Synced just now";
        QTest::newRow("a minute ago") << now.addSecs(-60) << QDateTime() << "Synced 1 minute ago";
        QTest::newRow("two minutes ago")
            << now.addSecs(-150) << QDateTime() << "Synced 2 minutes ago";
        QTest::newRow("an hour ago") << now.addSecs(-3600) << QDateTime() << "Synced 1 hour ago";
        QTest::newRow("23 hours ago")
            << now.addSecs(-23 * 3600 - 3599) << QDateTime() << "Synced 23 hours ago";
        QTest::newRow("days ago") << now.addDays(-3) << QDateTime()
                                  << "Synced on Friday, June 12, 2026";
        QTest::newRow("failed after it worked") << now.addSecs(-3600) << now.addSecs(-60)
                                                << "The server sql.example.com could not be found.";
        QTest::newRow("worked after it failed")
            << now.addSecs(-60) << now.addSecs(-3600) << "Synced 1 minute ago";
        QTest::newRow("never worked")
            << QDateTime() << now.addSecs(-60) << "The server sql.example.com could not be found.";
    }
    void theStatusSaysWhenOrWhy() {
        QFETCH(QDateTime, synced);
        QFETCH(QDateTime, failed);
        QFETCH(QString, text);
        AccountStatus status{synced, failed,
                             QStringLiteral("the server sql.example.com could not be found")};
        QCOMPARE(statusText(status, QDateTime(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC)), text);
    }

    // No shell runs the command: what it prints first is all there is to it.
    void aPasswordCommandPrintsThePassword_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("error");
        QTest::newRow("first line") << "printf 'pw-one\\nsecond line\\n'"
                                    << "pw-one"
                                    << "";
        QTest::newRow("without line end") << "printf pw-two"
                                          << "pw-two"
                                          << "";
        QTest::newRow("carriage return") << "printf 'pw-three\\r\\n'"
                                         << "pw-three"
                                         << "";
        QTest::newRow("quoted words") << "printf '%s|%s\\n' \"a b\" 'c \"d\"'"
                                      << "a b|c \"d\""
                                      << "";
        QTest::newRow("escapes") << "printf \"%s\\n\" pw\\ five\\\"\"\\\\\""
                                 << "pw five\"\\"
                                 << "";
        QTest::newRow("quote not closed")
            << "printf 'pw"
            << ""
            << "the password command \"printf 'pw\" has a quote that is not closed";
        QTest::newRow("blanks kept") << "printf ' pw four \\n'"
                                     << " pw four "
                                     << "";
        QTest::newRow("no shell expands") << "echo $HOME;x"
                                          << "$HOME;x"
                                          << "";
        QTest::newRow("prints nothing") << "true"
                                        << ""
                                        << "the password command \"true\" printed no password";
        QTest::newRow("fails") << "sh -c 'echo locked >&2; exit 3'"
                               << ""
                               << "the password command \"sh -c 'echo locked >&2; exit 3'\" "
                                  "ended with status 3: locked";
        QTest::newRow("not there") << "/nonexistent/secret-tool lookup"
                                   << ""
                                   << "the password command \"/nonexistent/secret-tool lookup\" "
                                      "could not be started";
        QTest::newRow("empty") << "  "
                               << ""
                               << "the password command is empty";
    }
    void aPasswordCommandPrintsThePassword() {
        QFETCH(QString, command);
        QFETCH(QString, password);
        QFETCH(QString, error);
        Account account;
        account.passwordCommand = command;
        test::FakeSecretStore secrets;
        std::unique_ptr<SecretRequest> request(requestPassword(account, secrets));
        waitUntilFinished(*request);
        QCOMPARE(request->password(), password);
        if (error.isEmpty()) {
            QCOMPARE(request->error(), QString());
        } else {
            QVERIFY2(request->error().startsWith(error), qPrintable(request->error()));
        }
        QCOMPARE(secrets.calls, QStringList());
    }

    void withoutACommandThePasswordComesFromTheSecretStore() {
        test::FakeSecretStore secrets;
        secrets.passwords.insert(QStringLiteral("https://alice@dav.example.com:8443"),
                                 QStringLiteral("test-password-1"));
        Account at = account("https://dav.example.com:8443/alice/cal/", CollectionKind::Calendar);
        std::unique_ptr<SecretRequest> request(requestPassword(at, secrets));
        waitUntilFinished(*request);
        QCOMPARE(request->password(), QStringLiteral("test-password-1"));
    }
};

ALMANIS_TEST_MAIN(AccountsTest)
#include "tst_accounts.moc"
