#include "sync/Account.h"

#include "sync/PasswordCommand.h"
#include "sync/SecretStore.h"
#include "sync/ServerAddress.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace almanis {

QString asSentence(const QString& text) {
    QString sentence = text.trimmed();
    if (sentence.isEmpty()) {
        return sentence;
    }
    sentence[0] = sentence[0].toUpper();
    if (!sentence.endsWith(QLatin1Char('.'))) {
        sentence += QLatin1Char('.');
    }
    return sentence;
}

QString Account::passwordKey() const {
    return almanis::passwordKey(url, user);
}

QString statusText(const AccountStatus& status, const QDateTime& now) {
    if (status.lastFailed.isValid() &&
        (!status.lastSynced.isValid() || status.lastFailed > status.lastSynced)) {
        return asSentence(
            status.lastError.isEmpty()
                ? QCoreApplication::translate("almanis::Account", "the last sync failed")
                : status.lastError);
    }
    if (!status.lastSynced.isValid()) {
        return QCoreApplication::translate("almanis::Account", "Not synced yet");
    }
    const qint64 minutes = std::max<qint64>(0, status.lastSynced.secsTo(now) / 60);
    if (minutes < 1) {
        return QCoreApplication::translate("almanis::Account", "Synced just now");
    }
    if (minutes == 1) {
        return QCoreApplication::translate("almanis::Account", "Synced 1 minute ago");
    }
    if (minutes < 60) {
        return QCoreApplication::translate("almanis::Account", "Synced %1 minutes ago")
            .arg(minutes);
    }
    const qint64 hours = minutes / 60;
    if (hours == 1) {
        return QCoreApplication::translate("almanis::Account", "Synced 1 hour ago");
    }
    if (hours < 24) {
        return QCoreApplication::translate("almanis::Account", "Synced %1 hours ago").arg(hours);
    }
    const QLocale locale;
    return QCoreApplication::translate("almanis::Account", "Synced on %1")
        .arg(locale.toString(status.lastSynced.toLocalTime().date(), QLocale::LongFormat));
}

QString kindText(CollectionKind kind) {
    return kind == CollectionKind::Calendar
               ? QCoreApplication::translate("almanis::Account", "Calendar")
               : QCoreApplication::translate("almanis::Account", "Address book");
}

AccountStatus overallStatus(const std::vector<Account>& accounts) {
    AccountStatus overall;
    for (const Account& account : accounts) {
        const AccountStatus& status = account.status;
        if (status.lastSynced.isValid() &&
            (!overall.lastSynced.isValid() || status.lastSynced > overall.lastSynced)) {
            overall.lastSynced = status.lastSynced;
        }
        if (status.lastFailed.isValid() &&
            (!overall.lastFailed.isValid() || status.lastFailed > overall.lastFailed)) {
            overall.lastFailed = status.lastFailed;
            overall.lastError = status.lastError;
        }
    }
    return overall;
}

std::vector<Account> accountsOf(const std::vector<Collection>& collections, const QString& user,
                                const QString& passwordCommand) {
    std::vector<Account> accounts;
    for (const Collection& collection : collections) {
        Account account;
        account.url = collection.url;
        account.kind = collection.kind;
        account.name = collection.name;
        account.user = user;
        account.passwordCommand = passwordCommand;
        accounts.push_back(account);
    }
    return accounts;
}

SecretRequest* forgetPassword(const Account& removed, const std::vector<Account>& left,
                              SecretStore& secrets) {
    const auto needsIt = [&](const Account& account) {
        return account.passwordCommand.isEmpty() && account.passwordKey() == removed.passwordKey();
    };
    if (!removed.passwordCommand.isEmpty() || std::any_of(left.cbegin(), left.cend(), needsIt)) {
        return nullptr;
    }
    return secrets.remove(removed.passwordKey());
}

SecretRequest* requestPassword(const Account& account, SecretStore& secrets) {
    if (!account.passwordCommand.isEmpty()) {
        return new PasswordCommand(account.passwordCommand);
    }
    return secrets.read(account.passwordKey());
}

}  // namespace almanis
