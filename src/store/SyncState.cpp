#include "store/SyncState.h"

#include "store/Connection.h"
#include "store/Sql.h"
#include "store/StoreSchema.h"

#include <QCryptographicHash>

namespace almanis {

QString syncHash(const EventRecord& event) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    // Each field ends with a character no field holds, so that no two
    // events give the same text.
    const auto add = [&hash](const QString& field) {
        hash.addData(field.toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    };
    add(event.description);
    add(QString::number(event.month));
    add(QString::number(event.day));
    add(event.year ? QString::number(*event.year) : QString());
    add(event.remindDays ? QLatin1Char('+') + event.remindDays->toText() : QString());
    add(event.note);
    add(event.uid);
    return QString::fromLatin1(hash.result().toHex());
}

QHash<QString, SyncResource> readSyncResources(const Connection& db) {
    QHash<QString, SyncResource> resources;
    Statement read = db.prepared(sql::selectSyncResources());
    while (read.step()) {
        SyncResource resource{read.value(0).toString(), read.value(1).toString().toUtf8(),
                              std::nullopt, read.value(3).toString()};
        if (!read.value(2).isNull()) {
            resource.eventId = read.integer(2);
        }
        resources.insert(resource.href, resource);
    }
    return resources;
}

void putSyncResource(Connection& db, const SyncResource& resource) {
    db.prepared(sql::putSyncResource())
        .bind(1, resource.href)
        .bind(2, QString::fromUtf8(resource.etag))
        .bind(3, resource.eventId)
        .bind(4, resource.syncedHash)
        .run();
}

void deleteSyncResource(Connection& db, const QString& href) {
    db.prepared(sql::deleteSyncResource()).bind(1, href).run();
}

QHash<QString, QByteArray> readSyncTombstones(const Connection& db) {
    QHash<QString, QByteArray> tombstones;
    Statement read = db.prepared(sql::selectSyncTombstones());
    while (read.step()) {
        tombstones.insert(read.value(0).toString(), read.value(1).toString().toUtf8());
    }
    return tombstones;
}

void deleteSyncTombstone(Connection& db, const QString& href) {
    db.prepared(sql::deleteSyncTombstone()).bind(1, href).run();
}

std::optional<QString> readSyncToken(const Connection& db, const QString& collection) {
    Statement read = db.prepared(sql::selectSyncToken());
    read.bind(1, collection);
    if (!read.step()) {
        return std::nullopt;
    }
    return read.value(0).toString();
}

void putSyncToken(Connection& db, const QString& collection, const QString& token) {
    db.prepared(sql::putSyncToken()).bind(1, collection).bind(2, token).run();
}

void forgetSyncState(Connection& db) {
    for (const char* statement : sql::forgetSyncState()) {
        db.prepared(statement).run();
    }
}

bool keepsSyncState(const Connection& db) {
    return storeVersion(db) >= 3;
}

QSet<qint64> readContactEventIds(const Connection& db) {
    QSet<qint64> ids;
    if (!keepsSyncState(db)) {
        return ids;
    }
    Statement read = db.prepared(sql::selectContactEventIds());
    while (read.step()) {
        ids.insert(read.integer(0));
    }
    return ids;
}

QList<ContactEvent> readBookContacts(const Connection& db, const QString& book) {
    QList<ContactEvent> contacts;
    Statement read = db.prepared(sql::selectBookContacts());
    read.bind(1, book);
    while (read.step()) {
        contacts.append({read.value(0).toString(), read.value(1).toString().toUtf8(),
                         read.integer(2), int(read.integer(3))});
    }
    return contacts;
}

void putContactEvent(Connection& db, const QString& book, const ContactEvent& contact) {
    db.prepared(sql::putContactEvent())
        .bind(1, contact.eventId)
        .bind(2, book)
        .bind(3, contact.href)
        .bind(4, QString::fromUtf8(contact.etag))
        .bind(5, QString::number(contact.kind))
        .run();
}

QStringList readContactBooks(const Connection& db) {
    QStringList books;
    Statement read = db.prepared(sql::selectContactBooks());
    while (read.step()) {
        books << read.value(0).toString();
    }
    return books;
}

std::optional<QString> contactBookOf(const Connection& db, qint64 eventId) {
    if (!keepsSyncState(db)) {
        return std::nullopt;
    }
    Statement read = db.prepared(sql::selectEventBook());
    read.bind(1, eventId);
    if (!read.step()) {
        return std::nullopt;
    }
    return read.value(0).toString();
}

}  // namespace almanis
