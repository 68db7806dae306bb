// The Accounts dialog and its Add Account dialog against a real CalDAV and
// CardDAV server on the loopback address; the secret store and the person
// are played by fakes.
#include "Files.h"
#include "RadicaleServer.h"
#include "StartedProgram.h"
#include "TestEnvironment.h"
#include "Widgets.h"

#include "editing/AccountsDialog.h"
#include "editing/AddAccountDialog.h"
#include "mainwindow/MainWindow.h"
#include "sync/AccountBook.h"
#include "sync/SyncScheduler.h"
#include "sync/SyncStatus.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace almanis;

namespace {
const QString kAlice = QStringLiteral("alice");
const QString kPassword = QStringLiteral("test-password-alice");

// The accounts kept, as "Calendar /alice/cal/".
QStringList accountLines() {
    QStringList lines;
    for (const Account& account : AccountBook().read()) {
        lines << kindText(account.kind) + QLatin1Char(' ') + account.url.path();
    }
    return lines;
}

// A sync engine's status, told as the test sets it.
class FakeSyncStatus final : public SyncStatus {
  public:
    AccountStatus status() const override { return current; }
    void tell(const AccountStatus& status) {
        current = status;
        emit changed();
    }
    AccountStatus current;
};
}  // namespace

class AccountsDialogTest : public test::TestCase {
    Q_OBJECT
  private:
    test::RadicaleServer server_;

    QUrl at(const QString& path) const { return server_.url().resolved(QUrl(path)); }

    // Adds an account of alice's to the accounts file, as an earlier run did.
    void keep(const QString& path, CollectionKind kind, test::TestEnvironment& env) {
        AccountBook().add(accountsOf({{at(path), kind, QString()}}, kAlice, QString()));
        env.secrets.passwords.insert(passwordKey(at(path), kAlice), kPassword);
    }

  private slots:
    void initTestCase() {
        server_.addUser(kAlice, kPassword);
        QVERIFY2(server_.start(), qPrintable(server_.errorText()));
        QCOMPARE(server_.makeCalendar(kAlice, kPassword, QStringLiteral("cal")), 201);
        QCOMPARE(server_.makeCalendar(kAlice, kPassword, QStringLiteral("work")), 201);
        QCOMPARE(server_.makeAddressBook(kAlice, kPassword, QStringLiteral("book")), 201);
    }

    void addingFindsOffersAndKeepsWhatIsTicked_data() {
        QTest::addColumn<QString>("address");  // "{server}" for the server's
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("calendarKept");  // /alice/work/ is kept already
        QTest::addColumn<QString>("secretFailure");
        QTest::addColumn<QStringList>("tick");  // in this order
        QTest::addColumn<QStringList>(
            "offered");  // sorted: "[x] path" ticked, "- path" not tickable
        QTest::addColumn<QStringList>("accounts");  // kept afterwards, sorted
        QTest::addColumn<QString>("message");       // a part of the last one told
        const QStringList none;
        QTest::newRow("a server: one calendar at most, any address books")
            << "{server}" << kPassword << false << QString()
            << QStringList{"/alice/work/", "/alice/cal/", "/alice/book/"}
            << QStringList{"[ ] /alice/work/", "[x] /alice/book/", "[x] /alice/cal/"}
            << QStringList{"Address book /alice/book/", "Calendar /alice/cal/"} << QString();
        QTest::newRow("a calendar's own address, ticked already")
            << "{server}alice/cal" << kPassword << false << QString() << none
            << QStringList{"[x] /alice/cal/"} << QStringList{"Calendar /alice/cal/"} << QString();
        QTest::newRow("a calendar kept already: no other is offered")
            << "{server}" << kPassword << true << QString()
            << QStringList{"/alice/cal/", "/alice/book/"}
            << QStringList{"- /alice/cal/", "- /alice/work/", "[x] /alice/book/"}
            << QStringList{"Address book /alice/book/", "Calendar /alice/work/"} << QString();
        QTest::newRow("a wrong password")
            << "{server}"
            << "test-password-wrong" << false << QString() << none << none << none
            << "The server refused the user name or password";
        QTest::newRow("plain http to another machine")
            << "http://dav.example.com/" << kPassword << false << QString() << none << none << none
            << "Almanis will not use this address: http://dav.example.com/ is not a secure";
        QTest::newRow("no password") << "{server}" << QString() << false << QString() << none
                                     << none << none << "Type your user name and password";
        QTest::newRow("a secret store that fails keeps nothing")
            << "{server}alice/book/" << kPassword << false << "there is no secret store" << none
            << QStringList{"[x] /alice/book/"} << none
            << "could not be kept in the desktop's secret store, so nothing was added: There is "
               "no secret store.";
    }
    void addingFindsOffersAndKeepsWhatIsTicked() {
        QFETCH(QString, address);
        QFETCH(QString, password);
        QFETCH(bool, calendarKept);
        QFETCH(QString, secretFailure);
        QFETCH(QStringList, tick);
        QFETCH(QStringList, offered);
        QFETCH(QStringList, accounts);
        QFETCH(QString, message);
        test::TestEnvironment env;
        if (calendarKept) {
            keep(QStringLiteral("/alice/work/"), CollectionKind::Calendar, env);
        }
        env.secrets.failure = secretFailure;
        AddAccountDialog dialog(env.services, calendarKept);
        address.replace(QLatin1String("{server}"), server_.url().toString());
        test::find<QLineEdit>(dialog, "accountAddress")->setText(address);
        test::find<QLineEdit>(dialog, "accountUser")->setText(kAlice);
        test::find<QLineEdit>(dialog, "accountPassword")->setText(password);
        QSignalSpy found(&dialog, &AddAccountDialog::found);
        test::button(dialog, "findCollectionsButton")->click();
        if (!dialog.message().contains(QLatin1String("Type")) &&
            !dialog.message().contains(QLatin1String("secure"))) {
            QVERIFY(found.wait());
        }

        auto* list = test::find<QListWidget>(dialog, "foundCollections");
        const auto itemAt = [&](const QString& path) -> QListWidgetItem* {
            for (int row = 0; row < list->count(); ++row) {
                if (list->item(row)->text().contains(at(path).toDisplayString())) {
                    return list->item(row);
                }
            }
            return nullptr;
        };
        for (const QString& path : tick) {
            QListWidgetItem* item = itemAt(path);
            QVERIFY2(item, qPrintable(path));
            if (item->flags() & Qt::ItemIsUserCheckable) {
                item->setCheckState(Qt::Checked);
            }
        }
        QStringList shown;
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            const QString path = QUrl(item->text().section(QLatin1Char('('), -1).chopped(1)).path();
            shown << (!(item->flags() & Qt::ItemIsUserCheckable) ? QStringLiteral("- ")
                      : item->checkState() == Qt::Checked        ? QStringLiteral("[x] ")
                                                                 : QStringLiteral("[ ] ")) +
                         path;
        }
        shown.sort();
        QCOMPARE(shown, offered);

        QSignalSpy finished(&dialog, &AddAccountDialog::addFinished);
        const bool adds = test::button(dialog, "addAccountButton")->isEnabled();
        QCOMPARE(adds, offered.join(QString()).contains(QLatin1String("[x]")));
        test::button(dialog, "addAccountButton")->click();
        if (adds) {
            QVERIFY(finished.wait());
        }
        QVERIFY2(dialog.message().contains(message), qPrintable(dialog.message()));
        QStringList kept = accountLines();
        kept.sort();
        QCOMPARE(kept, accounts);
        QCOMPARE(dialog.result() == QDialog::Accepted, accounts.size() > calendarKept);
        // The password went to the secret store and nowhere else.
        QCOMPARE(env.secrets.passwords.value(passwordKey(server_.url(), kAlice)),
                 accounts.isEmpty() ? QString() : kPassword);
        QCOMPARE(test::filesContaining(env.homeFolder(), kPassword.toUtf8()), QStringList());
        if (address.contains(QLatin1String("example.com"))) {
            QCOMPARE(env.network.sent.size(), 0);
        }
    }

    void removingAsksFirstAndForgetsThePasswordWithTheLastAccount_data() {
        QTest::addColumn<QStringList>("remove");  // the rows removed, in order
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<bool>("passwordLeft");
        QTest::newRow("answered No")
            << QStringList{"cal"} << false
            << QStringList{"Calendar /alice/cal/", "Address book /alice/book/"} << true;
        QTest::newRow("one of two")
            << QStringList{"cal"} << true << QStringList{"Address book /alice/book/"} << true;
        QTest::newRow("both") << QStringList{"book", "cal"} << true << QStringList{} << false;
    }
    void removingAsksFirstAndForgetsThePasswordWithTheLastAccount() {
        QFETCH(QStringList, remove);
        QFETCH(bool, yes);
        QFETCH(QStringList, left);
        QFETCH(bool, passwordLeft);
        test::TestEnvironment env;
        keep(QStringLiteral("/alice/cal/"), CollectionKind::Calendar, env);
        keep(QStringLiteral("/alice/book/"), CollectionKind::AddressBook, env);
        FakeSyncStatus status;
        AccountsDialog dialog(env.services, status);
        QSignalSpy changed(&dialog, &AccountsDialog::accountsChanged);
        auto* list = test::find<QTreeWidget>(dialog, "accountList");
        for (const QString& name : remove) {
            env.ui.answers.push_back(yes);
            list->setCurrentItem(list->findItems(name, Qt::MatchContains, 3).value(0));
            test::button(dialog, "removeAccountButton")->click();
        }
        QCOMPARE(env.ui.boxes.size(), remove.size());
        QVERIFY2(env.ui.boxes.value(0).text.startsWith(
                     remove.value(0) == QLatin1String("cal")
                         ? QStringLiteral("Remove the calendar \"/alice/cal/\"?")
                         : QStringLiteral("Remove the address book \"/alice/book/\"?")),
                 qPrintable(env.ui.boxes.value(0).text));
        QCOMPARE(accountLines(), left);
        QCOMPARE(list->topLevelItemCount(), left.size());
        QCOMPARE(changed.size(), yes ? remove.size() : 0);
        QTRY_COMPARE(env.secrets.passwords.contains(passwordKey(server_.url(), kAlice)),
                     passwordLeft);
    }

    void theStatusLineTellsHowTheSyncsWent_data() {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<int>("syncedAgo");  // seconds; -1 never
        QTest::addColumn<int>("failedAgo");  // seconds; -1 never
        QTest::addColumn<QString>("line");
        QTest::newRow("no accounts") << 0 << -1 << -1 << "No accounts yet: add the calendar";
        QTest::newRow("never synced") << 2 << -1 << -1 << "Not synced yet";
        QTest::newRow("synced") << 2 << 150 << -1 << "Synced 2 minutes ago";
        QTest::newRow("failed after a sync")
            << 2 << 600 << 60 << "The server failed to answer (503).";
        QTest::newRow("synced after a failure") << 2 << 60 << 600 << "Synced 1 minute ago";
    }
    void theStatusLineTellsHowTheSyncsWent() {
        QFETCH(int, accounts);
        QFETCH(int, syncedAgo);
        QFETCH(int, failedAgo);
        QFETCH(QString, line);
        test::TestEnvironment env;
        if (accounts > 0) {
            keep(QStringLiteral("/alice/cal/"), CollectionKind::Calendar, env);
            keep(QStringLiteral("/alice/book/"), CollectionKind::AddressBook, env);
        }
        const QDateTime now = env.clock.now();
        // What almanis-cli's syncs recorded, each account its own.
        AccountBook book;
        if (syncedAgo >= 0) {
            book.recordSuccess(at(QStringLiteral("/alice/cal/")), now.addSecs(-syncedAgo));
        }
        if (failedAgo >= 0) {
            book.recordFailure(at(QStringLiteral("/alice/book/")), now.addSecs(-failedAgo),
                               QStringLiteral("the server failed to answer (503)"));
        }
        RecordedSyncStatus recorded;
        AccountsDialog fromTheFile(env.services, recorded);
        QVERIFY2(fromTheFile.statusLine().startsWith(line), qPrintable(fromTheFile.statusLine()));

        // A sync engine's word replaces it as it comes.
        FakeSyncStatus engine;
        AccountsDialog told(env.services, engine);
        engine.tell(recorded.status());
        QVERIFY2(told.statusLine().startsWith(line), qPrintable(told.statusLine()));
    }

    void theMainWindowsButtonOpensItFollowingTheSync() {
        test::StartedProgram program;
        keep(QStringLiteral("/alice/cal/"), CollectionKind::Calendar, program.env);
        AccountBook book;
        SyncScheduler sync(program.window->storeConnection().path(), book, program.env.secrets,
                           program.env.network, program.env.clock);
        program.window->followSync(sync);
        QString before;
        QString after;
        program.env.ui.modalScripts.push_back([&](QDialog& dialog) {
            const auto& accounts = static_cast<AccountsDialog&>(dialog);
            before = accounts.statusLine();
            // A sync fails while the dialog is open, and notes why in the book.
            book.recordFailure(at(QStringLiteral("/alice/cal/")), program.env.clock.now(),
                               QStringLiteral("the server did not answer in time"));
            emit sync.statusChanged();
            after = accounts.statusLine();
        });
        test::button(*program.window, "accountsButton")->click();
        QCOMPARE(program.env.ui.modals.size(), 1);
        QCOMPARE(program.env.ui.modals[0].title, QStringLiteral("Accounts"));
        QCOMPARE(before, QStringLiteral("Not synced yet"));
        QCOMPARE(after, QStringLiteral("The server did not answer in time."));
    }
};

ALMANIS_TEST_MAIN(AccountsDialogTest)
#include "tst_accounts_dialog.moc"
