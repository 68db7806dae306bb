#pragma once

#include "sync/Collection.h"

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <vector>

namespace almanis {

class SecretRequest;
class SecretStore;

// How the last syncs of a collection went. Written by the sync, read by
// `almanis-cli account list` and the Accounts dialog.
struct AccountStatus {
    QDateTime lastSynced;  // the last sync that worked; invalid when none has
    QDateTime lastFailed;  // the last one that failed; invalid when none has
    QString lastError;     // why it failed, in words, as it was told then
};

// A collection Almanis syncs with: the calendar its events are kept in both
// ways, or an address book whose birthdays and anniversaries it reads, with
// the user it is reached as. The password is never here: it is in the
// desktop's secret store under passwordKey(), or the password command prints it.
struct Account {
    QUrl url;
    CollectionKind kind = CollectionKind::Calendar;
    QString name;  // as the server calls the collection
    QString user;
    QString passwordCommand;  // empty: the password is in the secret store
    AccountStatus status;

    QString passwordKey() const;
};

// A failure's words as a line of its own: the first letter raised, and a
// full stop.
QString asSentence(const QString& text);

// "Synced 2 minutes ago", "Not synced yet", or the last failure in words when
// the last sync failed.
QString statusText(const AccountStatus& status, const QDateTime& now);

// "Calendar" or "Address book".
QString kindText(CollectionKind kind);

// How the syncs of all the accounts went, for one status line: the latest
// that worked and the latest that failed, with its reason.
AccountStatus overallStatus(const std::vector<Account>& accounts);

// The accounts of these collections, reached as `user`; the password comes
// from `passwordCommand` or, when it is empty, from the secret store.
std::vector<Account> accountsOf(const std::vector<Collection>& collections, const QString& user,
                                const QString& passwordCommand);

// Forgets the password of an account just removed, unless a password command
// gives it or one of the accounts `left` is reached with it too: the request,
// owned by the caller, or nullptr when the password stays.
SecretRequest* forgetPassword(const Account& removed, const std::vector<Account>& left,
                              SecretStore& secrets);

// Asks for the account's password: runs its password command, or reads the
// secret store. The caller owns the request.
SecretRequest* requestPassword(const Account& account, SecretStore& secrets);

}  // namespace almanis
