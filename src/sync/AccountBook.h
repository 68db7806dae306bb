#pragma once

#include "sync/Account.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QUrl>
#include <optional>
#include <vector>

namespace almanis {

// The accounts, kept in a small file of their own beside the options
// (Marrowind/Almanis-accounts.json in the configuration folder), readable by
// the user only and never holding a password. The window and almanis-cli
// change it while the other runs: every change reads the file afresh and
// writes it whole, under a lock file, replacing it only once it is complete.
class AccountBook {
    Q_DECLARE_TR_FUNCTIONS(AccountBook)
  public:
    // The user's own file.
    AccountBook();
    explicit AccountBook(QString filePath);

    QString filePath() const { return filePath_; }
    static QString defaultFilePath();

    // The accounts in the order they were added; none when there is no file.
    // Throws AppError when the file cannot be read or is not one of ours.
    std::vector<Account> read() const;

    // Adds the accounts after those there. Throws AppError, adding none, when
    // one of them is there already (the same collection), when a second
    // calendar would join the first (the events are kept in one), or when the
    // file cannot be written.
    void add(const std::vector<Account>& accounts);

    // Removes the account of this collection; the removed one, or nothing
    // when there is none. Throws AppError when the file cannot be changed.
    std::optional<Account> remove(const QUrl& url);

    // Notes a sync of the collection that worked, or one that failed and why.
    // A collection removed meanwhile is left out. Throws AppError as add().
    void recordSuccess(const QUrl& url, const QDateTime& when);
    void recordFailure(const QUrl& url, const QDateTime& when, const QString& error);

  private:
    QString filePath_;
};

}  // namespace almanis
