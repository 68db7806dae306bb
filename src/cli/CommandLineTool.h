#pragma once

#include "cli/AccountCommands.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

class QCommandLineParser;
class QTextStream;

namespace almanis {

class Clock;
class Connection;
class EventRows;
struct EventRecord;

// almanis-cli: the events of the store listed, checked for what is due,
// added, removed, imported and exported from a terminal or a script, on the
// same store as the window.
class CommandLineTool {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
  public:
    enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

    // `programFolder` holds the seeds a first store is made from; the account
    // commands reach the secret store, the network and the terminal through
    // `accounts`.
    CommandLineTool(const Clock& clock, QString programFolder, QTextStream& out, QTextStream& err,
                    AccountServices accounts);

    // Runs the command line `arguments` (the program's name first).
    int run(const QStringList& arguments);

  private:
    // A row of the events read, and its days left.
    struct Listed {
        int row = 0;
        int daysLeft = 0;
    };

    int list(const QStringList& arguments);
    int due(const QStringList& arguments);
    int add(const QStringList& arguments);
    int edit(const QStringList& arguments);
    int remove(const QStringList& arguments);
    int importFile(const QStringList& arguments);
    int exportFile(const QStringList& arguments);
    int sync(const QStringList& arguments);

    // Parses a command's own arguments; nothing when it only showed its help
    // or found a usage error (whose status is then in `status`).
    bool parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                      const QString& usage, int& status);
    // Set the description, or the date ("December 10"), read from `text` on
    // `event`; the reason when it cannot be taken.
    static QString takeDescription(const QString& text, EventRecord& event);
    static QString takeDate(const QString& text, EventRecord& event);
    // Sets the year, own remind days and note that the parser's options give
    // (see addDetailOptions()) on `event`; the reason when one cannot be taken.
    QString takeDetails(const QCommandLineParser& parser, EventRecord& event) const;
    int usageError(const QString& message);
    // Takes --today's date; false with the usage error's status in `status`
    // when it is no day, or not one of the years the days left are counted in.
    bool takeToday(const QString& text, int& status);
    static constexpr int kFirstTodayYear = 100;
    static constexpr int kLastTodayYear = 9998;
    int failure(const QString& message);

    void openStore(Connection& db) const;
    // Today's copy of the store, made before an import changes it.
    void backUpBeforeImport(const Connection& db);
    QDate today() const;
    // Every event of the store, in calendar order. Rows that cannot be read
    // are left out, and told of.
    EventRows readRows(const Connection& db) const;
    // The rows whose date can be counted, with at most `mostDaysLeft` days left
    // when given, in the order of the rows.
    std::vector<Listed> listed(const EventRows& rows, std::optional<int> mostDaysLeft) const;
    void print(const Connection& db, const EventRows& rows, const std::vector<Listed>& events,
               bool json);

    const Clock& clock_;
    QString programFolder_;
    AccountServices accounts_;
    QTextStream& out_;
    QTextStream& err_;
    QString storePath_;  // --store; empty for the user's own store
    QDate today_;        // --today, else the clock's
};

}  // namespace almanis
