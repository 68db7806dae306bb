#include "sync/AccountBook.h"

#include "core/AppError.h"
#include "sync/ServerAddress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace almanis {

namespace {
// How long a change waits for another program's change to end.
constexpr int kLockWaitMs = 10000;

const QString kAccounts = QStringLiteral("accounts");
const QString kUrl = QStringLiteral("url");
const QString kKind = QStringLiteral("kind");
const QString kName = QStringLiteral("name");
const QString kUser = QStringLiteral("user");
const QString kPasswordCommand = QStringLiteral("passwordCommand");
const QString kLastSynced = QStringLiteral("lastSynced");
const QString kLastFailed = QStringLiteral("lastFailed");
const QString kLastError = QStringLiteral("lastError");
const QString kCalendar = QStringLiteral("calendar");
const QString kAddressBook = QStringLiteral("addressbook");

QString timeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QJsonObject toJson(const Account& account) {
    QJsonObject object{
        {kUrl, account.url.toString(QUrl::FullyEncoded)},
        {kKind, account.kind == CollectionKind::Calendar ? kCalendar : kAddressBook},
        {kName, account.name},
        {kUser, account.user},
    };
    if (!account.passwordCommand.isEmpty()) {
        object.insert(kPasswordCommand, account.passwordCommand);
    }
    if (account.status.lastSynced.isValid()) {
        object.insert(kLastSynced, timeText(account.status.lastSynced));
    }
    if (account.status.lastFailed.isValid()) {
        object.insert(kLastFailed, timeText(account.status.lastFailed));
        object.insert(kLastError, account.status.lastError);
    }
    return object;
}

std::vector<Account> readAccounts(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    const QString where = QDir::toNativeSeparators(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(AccountBook::tr("the accounts file %1 cannot be read: %2")
                           .arg(where, file.errorString()));
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        throw AppError(AccountBook::tr("the accounts file %1 cannot be read: %2")
                           .arg(where, parseError.error != QJsonParseError::NoError
                                           ? parseError.errorString()
                                           : AccountBook::tr("it holds no accounts")));
    }
    std::vector<Account> accounts;
    for (const QJsonValue& value : document.object().value(kAccounts).toArray()) {
        const QJsonObject object = value.toObject();
        Account account;
        account.url = QUrl(object.value(kUrl).toString(), QUrl::StrictMode);
        const QString kind = object.value(kKind).toString();
        if (!account.url.isValid() || account.url.host().isEmpty() ||
            (kind != kCalendar && kind != kAddressBook)) {
            throw AppError(
                AccountBook::tr("the accounts file %1 cannot be read: the account \"%2\" has no "
                                "valid address or kind")
                    .arg(where, object.value(kUrl).toString()));
        }
        account.kind = kind == kCalendar ? CollectionKind::Calendar : CollectionKind::AddressBook;
        account.name = object.value(kName).toString();
        account.user = object.value(kUser).toString();
        account.passwordCommand = object.value(kPasswordCommand).toString();
        account.status.lastSynced =
            QDateTime::fromString(object.value(kLastSynced).toString(), Qt::ISODate);
        account.status.lastFailed =
            QDateTime::fromString(object.value(kLastFailed).toString(), Qt::ISODate);
        account.status.lastError = object.value(kLastError).toString();
        accounts.push_back(std::move(account));
    }
    return accounts;
}

void writeAccounts(const QString& path, const std::vector<Account>& accounts) {
    QJsonArray array;
    for (const Account& account : accounts) {
        array.append(toJson(account));
    }
    const QByteArray text = QJsonDocument(QJsonObject{{kAccounts, array}}).toJson();
    QSaveFile file(path);
    // Readable by the user only: user names and where their calendars are.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(text) != text.size() || !file.commit()) {
        throw AppError(AccountBook::tr("the accounts file %1 cannot be written: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

// Changes the file under its lock: reads it, lets `change` change the
// accounts, writes them when it says so.
template <typename Change>
void changeLocked(const QString& path, Change change) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        throw AppError(
            AccountBook::tr("the accounts file %1 is being changed by another program; try again")
                .arg(QDir::toNativeSeparators(path)));
    }
    std::vector<Account> accounts = readAccounts(path);
    if (change(accounts)) {
        writeAccounts(path, accounts);
    }
}

auto findIn(std::vector<Account>& accounts, const QUrl& url) {
    return std::find_if(accounts.begin(), accounts.end(),
                        [&](const Account& account) { return sameCollection(account.url, url); });
}
}  // namespace

AccountBook::AccountBook() : AccountBook(defaultFilePath()) {}

AccountBook::AccountBook(QString filePath) : filePath_(std::move(filePath)) {}

QString AccountBook::defaultFilePath() {
    // Asked every time, so the file follows $XDG_CONFIG_HOME as it is now.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Marrowind/Almanis-accounts.json");
}

std::vector<Account> AccountBook::read() const {
    return readAccounts(filePath_);
}

void AccountBook::add(const std::vector<Account>& added) {
    changeLocked(filePath_, [&](std::vector<Account>& accounts) {
        for (const Account& account : added) {
            if (findIn(accounts, account.url) != accounts.end()) {
                throw AppError(tr("%1 is an account already").arg(account.url.toDisplayString()));
            }
            if (account.kind == CollectionKind::Calendar) {
                const auto calendar = std::find_if(
                    accounts.cbegin(), accounts.cend(),
                    [](const Account& had) { return had.kind == CollectionKind::Calendar; });
                if (calendar != accounts.cend()) {
                    throw AppError(tr("the events are kept in the calendar %1 already; "
                                      "remove that account first to keep them in another")
                                       .arg(calendar->url.toDisplayString()));
                }
            }
            accounts.push_back(account);
        }
        return true;
    });
}

std::optional<Account> AccountBook::remove(const QUrl& url) {
    std::optional<Account> removed;
    changeLocked(filePath_, [&](std::vector<Account>& accounts) {
        const auto found = findIn(accounts, url);
        if (found == accounts.end()) {
            return false;
        }
        removed = *found;
        accounts.erase(found);
        return true;
    });
    return removed;
}

void AccountBook::recordSuccess(const QUrl& url, const QDateTime& when) {
    changeLocked(filePath_, [&](std::vector<Account>& accounts) {
        const auto found = findIn(accounts, url);
        if (found == accounts.end()) {
            return false;
        }
        found->status.lastSynced = when;
        return true;
    });
}

void AccountBook::recordFailure(const QUrl& url, const QDateTime& when, const QString& error) {
    changeLocked(filePath_, [&](std::vector<Account>& accounts) {
        const auto found = findIn(accounts, url);
        if (found == accounts.end()) {
            return false;
        }
        found->status.lastFailed = when;
        found->status.lastError = error;
        return true;
    });
}

}  // namespace almanis
