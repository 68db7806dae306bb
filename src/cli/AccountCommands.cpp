#include "cli/AccountCommands.h"

#include "cli/CommandLineTool.h"
#include "cli/Terminal.h"
#include "core/AppError.h"
#include "core/Clock.h"
#include "sync/AccountBook.h"
#include "sync/CollectionDiscovery.h"
#include "sync/DavClient.h"
#include "sync/PasswordCommand.h"
#include "sync/SecretStore.h"
#include "sync/ServerAddress.h"
#include "sync/Waiting.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <memory>

namespace almanis {

namespace {
const QString kProgram = QStringLiteral("almanis-cli");

// The help a parser writes, under our own usage line.
QString helpText(const QCommandLineParser& parser, const QString& usage) {
    const QString text = parser.helpText();
    return AccountCommands::tr("Usage: %1").arg(kProgram + QLatin1Char(' ') + usage) +
           text.mid(text.indexOf(QLatin1Char('\n')));
}

QString nameOf(const Collection& collection) {
    return collection.name.isEmpty() ? collection.url.path() : collection.name;
}

// Runs a request to its end and hands it back.
template <typename Request>
std::unique_ptr<Request> finished(Request* request) {
    std::unique_ptr<Request> owned(request);
    waitUntilFinished(*owned);
    return owned;
}

bool isCalendar(CollectionKind kind) {
    return kind == CollectionKind::Calendar;
}
}  // namespace

AccountCommands::AccountCommands(const Clock& clock, AccountServices services, QTextStream& out,
                                 QTextStream& err)
    : clock_(clock), services_(services), out_(out), err_(err) {}

int AccountCommands::usageError(const QString& message) {
    err_ << kProgram << ": " << message << '\n'
         << tr("Try '%1 account --help' for more information.").arg(kProgram) << '\n';
    return CommandLineTool::UsageError;
}

int AccountCommands::failure(const QString& message) {
    err_ << kProgram << ": " << message << '\n';
    return CommandLineTool::Failure;
}

bool AccountCommands::parse(QCommandLineParser& parser, const QStringList& arguments,
                            const QString& usage, int& status) {
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(QStringList{kProgram} + arguments)) {
        status = usageError(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        out_ << helpText(parser, usage);
        status = CommandLineTool::Success;
        return false;
    }
    return true;
}

int AccountCommands::run(const QStringList& arguments) {
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    try {
        if (command == QLatin1String("add")) {
            return add(rest);
        }
        if (command == QLatin1String("list")) {
            return list(rest);
        }
        if (command == QLatin1String("remove")) {
            return remove(rest);
        }
    } catch (const AppError& e) {
        return failure(e.description());
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out_ << tr("Usage: %1 account COMMAND ...\n"
                   "The calendar Almanis keeps its events in, and the address books it reads "
                   "birthdays and anniversaries from, on CalDAV and CardDAV servers.\n\n"
                   "Commands:\n"
                   "  add     finds the calendars and address books on a server and adds them\n"
                   "  list    the accounts, with how their last sync went\n"
                   "  remove  removes an account and forgets its password\n\n"
                   "'%1 account COMMAND --help' tells more of each.\n")
                    .arg(kProgram);
        return CommandLineTool::Success;
    }
    return usageError(
        command.isEmpty()
            ? tr("account takes a command: add, list or remove")
            : tr("\"%1\" is not an account command; use add, list or remove").arg(command));
}

int AccountCommands::add(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Adds the calendar Almanis keeps its events in, both ways, and address books whose "
           "birthdays and anniversaries it shows. URL is a calendar's or an address book's "
           "address, taken as it is, or a server's, on which the user's calendars and address "
           "books are looked for. Those found are listed; at a terminal you choose among them, "
           "else --calendar and --address-book choose. The password is asked for at a terminal "
           "(else it is the first line of standard input) and kept in the desktop's secret "
           "store, unless a password command prints it each time. Addresses are https://, or "
           "http:// to this computer only."));
    parser.addPositionalArgument(QStringLiteral("url"),
                                 tr("The address of the server or collection."),
                                 QStringLiteral("URL"));
    parser.addOption(QCommandLineOption(QStringLiteral("user"), tr("The user name on the server."),
                                        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("password-command"),
        tr("A command that prints the password on its first line, run without a shell (for "
           "example \"pass show dav\"); the password is then kept nowhere by Almanis."),
        tr("COMMAND")));
    parser.addOption(QCommandLineOption(QStringLiteral("calendar"),
                                        tr("Keep the events in this calendar found on the server."),
                                        QStringLiteral("URL")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("address-book"),
        tr("Read this address book found on the server; may be given more than once."),
        QStringLiteral("URL")));
    int status = CommandLineTool::Success;
    if (!parse(parser, arguments,
               tr("account add URL --user NAME [--password-command COMMAND] [--calendar URL] "
                  "[--address-book URL]..."),
               status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return usageError(tr("account add takes the address of one server or collection"));
    }
    const QString user = parser.value(QStringLiteral("user")).trimmed();
    if (user.isEmpty()) {
        return usageError(tr("account add needs the user name: --user NAME"));
    }
    const QUrl url = serverAddress(positional[0]).adjusted(QUrl::RemoveUserInfo);
    if (const QString why = insecureReason(url); !why.isEmpty()) {
        return failure(why);
    }
    // Where the events are kept already, no other calendar is offered.
    AccountBook book;
    const std::vector<Account> accounts = book.read();
    const bool calendarKept = std::any_of(accounts.cbegin(), accounts.cend(), [](const Account& a) {
        return a.kind == CollectionKind::Calendar;
    });
    const QString command = parser.value(QStringLiteral("password-command")).trimmed();
    const std::optional<QString> password = this->password(command, url, user);
    if (!password) {
        return CommandLineTool::Failure;
    }

    DavClient client(services_.network);
    client.setCredentials(user, *password);
    CollectionDiscovery discovery(client);
    discovery.start(url);
    waitUntilFinished(discovery);
    if (!discovery.error().isEmpty()) {
        return failure(discovery.error());
    }
    // A collection's own address says what to add.
    const std::optional<std::vector<Collection>> collections =
        discovery.gaveCollection()
            ? discovery.collections()
            : chosen(discovery.collections(), parser.values(QStringLiteral("calendar")),
                     parser.values(QStringLiteral("address-book")), calendarKept, status);
    if (!collections) {
        return status;
    }
    if (collections->empty()) {
        out_ << tr("Nothing added.") << '\n';
        return CommandLineTool::Success;
    }
    const std::vector<Account> added = accountsOf(*collections, user, command);
    if (command.isEmpty()) {
        // The password the server just took, for every collection of this
        // user there.
        const auto stored =
            finished(services_.secrets.write(added.front().passwordKey(), *password));
        if (!stored->error().isEmpty()) {
            return failure(tr("the password could not be kept: %1").arg(stored->error()));
        }
    }
    book.add(added);
    for (const Account& account : added) {
        out_ << (isCalendar(account.kind) ? tr("Added the calendar \"%1\" at %2.")
                                          : tr("Added the address book \"%1\" at %2."))
                    .arg(nameOf({account.url, account.kind, account.name}),
                         account.url.toDisplayString())
             << '\n';
    }
    return CommandLineTool::Success;
}

std::optional<QString> AccountCommands::password(const QString& command, const QUrl& server,
                                                 const QString& user) {
    if (!command.isEmpty()) {
        const auto asked = finished(new PasswordCommand(command));
        if (!asked->error().isEmpty()) {
            failure(asked->error());
            return std::nullopt;
        }
        return asked->password();
    }
    Terminal& terminal = services_.terminal;
    const std::optional<QString> typed =
        terminal.interactive()
            ? terminal.askHidden(tr("Password for %1 at %2: ").arg(user, server.host()))
            : terminal.readLine();
    if (!typed || typed->isEmpty()) {
        failure(
            tr("no password was given: type it when asked, give it on standard input, or "
               "give --password-command COMMAND"));
        return std::nullopt;
    }
    return typed;
}

void AccountCommands::printFound(const std::vector<Collection>& found) {
    out_ << tr("Found on the server:") << '\n';
    qsizetype kindWidth = 0;
    qsizetype nameWidth = 0;
    for (const Collection& collection : found) {
        kindWidth = std::max(kindWidth, kindText(collection.kind).size());
        nameWidth = std::max(nameWidth, nameOf(collection).size());
    }
    int number = 0;
    for (const Collection& collection : found) {
        out_ << QString::number(++number).rightJustified(3) << "  "
             << kindText(collection.kind).leftJustified(kindWidth) << "  "
             << nameOf(collection).leftJustified(nameWidth) << "  "
             << collection.url.toDisplayString() << '\n';
    }
}

std::optional<std::vector<Collection>> AccountCommands::chosen(const std::vector<Collection>& found,
                                                               const QStringList& calendars,
                                                               const QStringList& addressBooks,
                                                               bool calendarKept, int& status) {
    if (calendars.size() > 1) {
        status = usageError(tr("the events are kept in one calendar: give --calendar once"));
        return std::nullopt;
    }
    if (calendars.isEmpty() && addressBooks.isEmpty()) {
        printFound(found);
        if (services_.terminal.interactive()) {
            return askChoice(found, calendarKept);
        }
        status = usageError(tr("choose what to add with --calendar URL and --address-book URL"));
        return std::nullopt;
    }
    std::vector<Collection> picked;
    const auto pick = [&](const QString& text, CollectionKind kind) {
        const QUrl url = serverAddress(text);
        const auto match = std::find_if(found.cbegin(), found.cend(), [&](const Collection& c) {
            return c.kind == kind && sameCollection(c.url, url);
        });
        if (match == found.cend()) {
            return false;
        }
        picked.push_back(*match);
        return true;
    };
    for (const QString& calendar : calendars) {
        if (!pick(calendar, CollectionKind::Calendar)) {
            printFound(found);
            status = failure(tr("%1 is not among the calendars found").arg(calendar));
            return std::nullopt;
        }
    }
    for (const QString& addressBook : addressBooks) {
        if (!pick(addressBook, CollectionKind::AddressBook)) {
            printFound(found);
            status = failure(tr("%1 is not among the address books found").arg(addressBook));
            return std::nullopt;
        }
    }
    return picked;
}

std::optional<std::vector<Collection>> AccountCommands::askChoice(
    const std::vector<Collection>& found, bool calendarKept) {
    // The numbers, in the list's count from 1, of the kind asked for.
    const auto numbersOf = [&](const QString& answer, CollectionKind kind, int most) {
        std::optional<std::vector<Collection>> picked(std::in_place);
        for (const QString& word :
             answer.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int number = word.toInt(&ok);
            if (!ok || number < 1 || number > int(found.size()) || found[number - 1].kind != kind) {
                return std::optional<std::vector<Collection>>();
            }
            picked->push_back(found[number - 1]);
        }
        if (int(picked->size()) > most) {
            return std::optional<std::vector<Collection>>();
        }
        return picked;
    };
    const auto askFor = [&](CollectionKind kind, const QString& question, int most) {
        while (true) {
            const std::optional<QString> answer = services_.terminal.ask(question);
            if (!answer) {
                return std::optional<std::vector<Collection>>();
            }
            if (auto picked = numbersOf(*answer, kind, most)) {
                return picked;
            }
            err_ << tr("Give the numbers of the list above, or nothing.") << '\n';
        }
    };
    std::vector<Collection> picked;
    const bool calendars = std::any_of(found.cbegin(), found.cend(),
                                       [](const Collection& c) { return isCalendar(c.kind); });
    const bool addressBooks = std::any_of(found.cbegin(), found.cend(),
                                          [](const Collection& c) { return !isCalendar(c.kind); });
    if (calendars && calendarKept) {
        out_ << tr("The events are kept in a calendar already; remove that account to keep them "
                   "in another.")
             << '\n';
    } else if (calendars) {
        const auto calendar = askFor(CollectionKind::Calendar,
                                     tr("Keep the events in which calendar? Its number, or "
                                        "nothing for none: "),
                                     1);
        if (!calendar) {
            failure(tr("nothing was added"));
            return std::nullopt;
        }
        picked = *calendar;
    }
    if (addressBooks) {
        const auto books = askFor(CollectionKind::AddressBook,
                                  tr("Read birthdays from which address books? Their numbers, "
                                     "or nothing for none: "),
                                  int(found.size()));
        if (!books) {
            failure(tr("nothing was added"));
            return std::nullopt;
        }
        picked.insert(picked.end(), books->cbegin(), books->cend());
    }
    return picked;
}

int AccountCommands::list(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Lists the accounts: each collection's address, user, kind and how its last sync "
           "went."));
    parser.addOption(QCommandLineOption(
        QStringLiteral("json"),
        tr("Print a JSON array of objects with the keys url, name, user, kind (calendar or "
           "addressbook), status, last_synced and last_error.")));
    int status = CommandLineTool::Success;
    if (!parse(parser, arguments, QStringLiteral("account list [--json]"), status)) {
        return status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(tr("account list takes no arguments"));
    }
    const std::vector<Account> accounts = AccountBook().read();
    const QDateTime now = clock_.now();
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray array;
        for (const Account& account : accounts) {
            array.append(QJsonObject{
                {QStringLiteral("url"), account.url.toString()},
                {QStringLiteral("name"), account.name},
                {QStringLiteral("user"), account.user},
                {QStringLiteral("kind"), isCalendar(account.kind) ? QStringLiteral("calendar")
                                                                  : QStringLiteral("addressbook")},
                {QStringLiteral("status"), statusText(account.status, now)},
                {QStringLiteral("last_synced"),
                 account.status.lastSynced.isValid()
                     ? QJsonValue(account.status.lastSynced.toUTC().toString(Qt::ISODate))
                     : QJsonValue()},
                {QStringLiteral("last_error"), account.status.lastError.isEmpty()
                                                   ? QJsonValue()
                                                   : QJsonValue(account.status.lastError)},
            });
        }
        out_ << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return CommandLineTool::Success;
    }
    qsizetype urlWidth = 0;
    qsizetype userWidth = 0;
    qsizetype kindWidth = 0;
    for (const Account& account : accounts) {
        urlWidth = std::max(urlWidth, account.url.toDisplayString().size());
        userWidth = std::max(userWidth, account.user.size());
        kindWidth = std::max(kindWidth, kindText(account.kind).size());
    }
    for (const Account& account : accounts) {
        out_ << account.url.toDisplayString().leftJustified(urlWidth) << "  "
             << account.user.leftJustified(userWidth) << "  "
             << kindText(account.kind).leftJustified(kindWidth) << "  "
             << statusText(account.status, now) << '\n';
    }
    return CommandLineTool::Success;
}

int AccountCommands::remove(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Removes the account of the collection at URL (see account list). Its password "
           "leaves the desktop's secret store once no other account of the user on that server "
           "needs it. Nothing on the server changes."));
    parser.addPositionalArgument(QStringLiteral("url"), tr("The collection's address."),
                                 QStringLiteral("URL"));
    int status = CommandLineTool::Success;
    if (!parse(parser, arguments, QStringLiteral("account remove URL"), status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return usageError(tr("account remove takes the address of one account (see account list)"));
    }
    AccountBook book;
    const std::optional<Account> removed = book.remove(serverAddress(positional[0]));
    if (!removed) {
        return failure(tr("there is no account %1 (see account list)").arg(positional[0]));
    }
    const Collection collection{removed->url, removed->kind, removed->name};
    out_ << (isCalendar(collection.kind) ? tr("Removed the calendar \"%1\" at %2.")
                                         : tr("Removed the address book \"%1\" at %2."))
                .arg(nameOf(collection), removed->url.toDisplayString())
         << '\n';
    SecretRequest* forgetting = forgetPassword(*removed, book.read(), services_.secrets);
    if (!forgetting) {
        return CommandLineTool::Success;
    }
    const auto forgotten = finished(forgetting);
    if (!forgotten->error().isEmpty()) {
        return failure(tr("the account is removed, but its password could not be removed from "
                          "the desktop's secret store: %1")
                           .arg(forgotten->error()));
    }
    return CommandLineTool::Success;
}

}  // namespace almanis
