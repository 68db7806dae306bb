#pragma once

#include "sync/Account.h"
#include "sync/Collection.h"

#include <QCoreApplication>
#include <QStringList>
#include <optional>
#include <vector>

class QCommandLineParser;
class QTextStream;

namespace almanis {

class Clock;
class HttpTransport;
class SecretStore;
class Terminal;

// What almanis-cli's account commands reach the world through: the desktop's
// secret store, the network and the person at the terminal.
struct AccountServices {
    SecretStore& secrets;
    HttpTransport& network;
    Terminal& terminal;
};

// `almanis-cli account add|list|remove`: the calendar and address books
// Almanis syncs with, found on a server, listed with their status, removed
// with their password.
class AccountCommands {
    Q_DECLARE_TR_FUNCTIONS(AccountCommands)
  public:
    AccountCommands(const Clock& clock, AccountServices services, QTextStream& out,
                    QTextStream& err);

    // Runs `account ARGUMENTS`; the exit status (CommandLineTool::ExitStatus).
    int run(const QStringList& arguments);

  private:
    int add(const QStringList& arguments);
    int list(const QStringList& arguments);
    int remove(const QStringList& arguments);

    // The password given on the command line's terms: the command's output,
    // typed at the terminal, or standard input's first line. Nothing, told,
    // when there is none.
    std::optional<QString> password(const QString& command, const QUrl& server,
                                    const QString& user);
    // The collections to add among those found: named by --calendar and
    // --address-book, or chosen at the terminal. Nothing, told, when the
    // choice cannot be made; `status` then holds the exit status.
    std::optional<std::vector<Collection>> chosen(const std::vector<Collection>& found,
                                                  const QStringList& calendars,
                                                  const QStringList& addressBooks,
                                                  bool calendarKept, int& status);
    std::optional<std::vector<Collection>> askChoice(const std::vector<Collection>& found,
                                                     bool calendarKept);
    void printFound(const std::vector<Collection>& found);

    bool parse(QCommandLineParser& parser, const QStringList& arguments, const QString& usage,
               int& status);
    int usageError(const QString& message);
    int failure(const QString& message);

    const Clock& clock_;
    AccountServices services_;
    QTextStream& out_;
    QTextStream& err_;
};

}  // namespace almanis
