#include "sync/ContactSync.h"

#include "core/AppError.h"
#include "exchange/VCardFile.h"
#include "store/Connection.h"
#include "store/StoredEvents.h"
#include "store/SyncState.h"
#include "store/Transaction.h"
#include "sync/CollectionPull.h"

#include <QHash>
#include <map>

namespace almanis {

ContactSync::ContactSync(Connection& db, DavClient& client, const QUrl& book, QDate today,
                         QObject* parent)
    : QObject(parent), db_(db), client_(client), book_(book), today_(today) {
    if (!book_.path().endsWith(QLatin1Char('/'))) {
        book_.setPath(book_.path() + QLatin1Char('/'));
    }
    bookKey_ = keyOf(book_);
}

QString ContactSync::keyOf(const QUrl& book) {
    QUrl url = book;
    if (!url.path().endsWith(QLatin1Char('/'))) {
        url.setPath(url.path() + QLatin1Char('/'));
    }
    return CollectionPull::hrefOf(url);
}

void ContactSync::start() {
    QString token;
    QHash<QString, QByteArray> known;
    try {
        token = readSyncToken(db_, bookKey_).value_or(QString());
        for (const ContactEvent& contact : readBookContacts(db_, bookKey_)) {
            known.insert(contact.href, contact.etag);
        }
    } catch (const AppError& e) {
        finish(e.description());
        return;
    }
    pull_ = new CollectionPull(client_, book_, CollectionKind::AddressBook, known, token, this);
    connect(pull_, &CollectionPull::finished, this, [this] {
        if (pull_->ok()) {
            applyPulled();
        } else {
            finish(pull_->failure().error);
        }
    });
    pull_->start();
}

void ContactSync::applyPulled() {
    try {
        Transaction change(db_);
        // Each contact's events, in the order of its dates.
        QHash<QString, std::map<int, ContactEvent>> byContact;
        for (const ContactEvent& contact : readBookContacts(db_, bookKey_)) {
            byContact[contact.href].emplace(contact.kind, contact);
        }
        QStringList gone = pull_->gone();
        if (pull_->listedAll()) {
            for (auto it = byContact.cbegin(); it != byContact.cend(); ++it) {
                if (!pull_->listed().contains(it.key())) {
                    gone << it.key();
                }
            }
        }
        for (const QString& href : std::as_const(gone)) {
            for (const auto& [kind, contact] : byContact.value(href)) {
                report_.removed += deleteEvent(db_, contact.eventId);
            }
        }
        for (const FetchedResource& card : pull_->fetched()) {
            QList<EventRecord> dates;
            try {
                dates = parseVCards(card.data, today_).events;
            } catch (const AppError&) {
                // A card that cannot be read gives no dates.
            }
            std::map<int, ContactEvent> stored = byContact.value(card.href);
            for (int kind = 0; kind < dates.size(); ++kind) {
                EventRecord event = dates[kind];
                const auto known = stored.find(kind);
                ContactEvent contact{card.href, card.etag, 0, kind};
                if (known != stored.end()) {
                    contact.eventId = known->second.eventId;
                    stored.erase(known);
                    const std::optional<EventRecord> before = readEvent(db_, contact.eventId);
                    event.id = contact.eventId;
                    event.uid.clear();  // keeps the one it has
                    event.remindDays = before ? before->remindDays : std::nullopt;
                    if (before &&
                        (before->description != event.description || before->month != event.month ||
                         before->day != event.day || before->year != event.year)) {
                        updateEvent(db_, event);
                        ++report_.changed;
                    }
                } else {
                    event.uid.clear();
                    contact.eventId = insertEvent(db_, event);
                    ++report_.added;
                }
                putContactEvent(db_, bookKey_, contact);
            }
            // Dates the contact no longer has.
            for (const auto& [kind, contact] : stored) {
                report_.removed += deleteEvent(db_, contact.eventId);
            }
        }
        putSyncToken(db_, bookKey_, pull_->newToken());
        change.commit();
    } catch (const AppError& e) {
        finish(e.description());
        return;
    }
    finish();
}

void ContactSync::finish(const QString& error) {
    error_ = error;
    finished_ = true;
    emit finished();
}

int forgetOtherBooks(Connection& db, const QStringList& books) {
    int removed = 0;
    Transaction change(db);
    for (const QString& book : readContactBooks(db)) {
        if (!books.contains(book)) {
            for (const ContactEvent& contact : readBookContacts(db, book)) {
                removed += deleteEvent(db, contact.eventId);
            }
            putSyncToken(db, book, QString());
        }
    }
    change.commit();
    return removed;
}

}  // namespace almanis
