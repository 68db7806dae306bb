#include "sync/CalendarSync.h"

#include "core/AppError.h"
#include "exchange/ICalendarFile.h"
#include "store/Connection.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"
#include "sync/CollectionPull.h"
#include "sync/DavClient.h"

#include <QUuid>

namespace almanis {

namespace {
QString keyOf(const QUrl& url) {
    return CollectionPull::hrefOf(url);
}

// The same event, as a calendar resource tells it.
bool sameEvent(const EventRecord& a, const EventRecord& b) {
    return a.description == b.description && a.month == b.month && a.day == b.day &&
           a.year == b.year && a.remindDays == b.remindDays && a.note == b.note && a.uid == b.uid;
}

// The server's event tells all the local one does: taking it loses nothing.
bool coveredBy(const EventRecord& local, const EventRecord& server) {
    return local.description == server.description && local.month == server.month &&
           local.day == server.day && (!local.year || local.year == server.year) &&
           (!local.remindDays || local.remindDays == server.remindDays) &&
           (local.note.isEmpty() || local.note == server.note);
}

}  // namespace

CalendarSync::CalendarSync(Connection& db, DavClient& client, const QUrl& collection, QDate today,
                           const QDateTime& stamp, QObject* parent)
    : QObject(parent),
      db_(db),
      client_(client),
      collection_(collection),
      today_(today),
      stamp_(stamp) {
    // Members are named relative to it.
    if (!collection_.path().endsWith(QLatin1Char('/'))) {
        collection_.setPath(collection_.path() + QLatin1Char('/'));
    }
    collectionKey_ = keyOf(collection_);
}

template <typename Step>
void CalendarSync::guarded(Step step) {
    try {
        step();
    } catch (const AppError& e) {
        failWith(e.description());
    }
}

void CalendarSync::start() {
    QString token;
    QHash<QString, QByteArray> known;
    guarded([&] {
        const std::optional<QString> stored = readSyncToken(db_, collectionKey_);
        if (!stored) {
            // A calendar not synced before: what was kept of another one
            // means nothing here.
            Transaction forget(db_);
            forgetSyncState(db_);
            forget.commit();
        }
        token = stored.value_or(QString());
        known = readSyncTombstones(db_);
        for (const SyncResource& resource : readSyncResources(db_)) {
            known.insert(resource.href, resource.etag);
        }
    });
    if (finished_) {
        return;
    }
    pull_ = new CollectionPull(client_, collection_, CollectionKind::Calendar, known, token, this);
    connect(pull_, &CollectionPull::finished, this, [this] {
        if (pull_->ok()) {
            applyPulled();
        } else {
            fail(pull_->failure());
        }
    });
    pull_->start();
}

void CalendarSync::applyPulled() {
    guarded([&] {
        Transaction change(db_);
        resources_ = readSyncResources(db_);
        tombstones_ = readSyncTombstones(db_);
        contactEvents_ = readContactEventIds(db_);
        events_.clear();
        linked_.clear();
        for (const EventRecord& event : readStoredEvents(db_).events) {
            events_.insert(event.id, event);
        }
        for (const SyncResource& resource : std::as_const(resources_)) {
            if (resource.eventId) {
                linked_.insert(*resource.eventId);
            }
        }
        QStringList gone = pull_->gone();
        if (pull_->listedAll()) {
            for (const QString& href : resources_.keys() + tombstones_.keys()) {
                if (!pull_->listed().contains(href)) {
                    gone << href;
                }
            }
        }
        for (const FetchedResource& resource : pull_->fetched()) {
            std::optional<EventRecord> event;
            try {
                event = readCalendarResource(resource.data, today_);
            } catch (const AppError&) {
                // Not an entry of ours to read: left alone as any other.
            }
            if (event) {
                storeServerEvent(resource.href, resource.etag, std::move(*event));
            } else {
                storeGone(resource.href);
                putSyncResource(db_, {resource.href, resource.etag, std::nullopt, QString()});
            }
        }
        for (const QString& href : std::as_const(gone)) {
            storeGone(href);
        }
        putSyncToken(db_, collectionKey_, pull_->newToken());
        change.commit();
    });
    if (finished_) {
        return;
    }
    planUploads();
    if (!finished_) {
        uploadNext();
    }
}

qint64 CalendarSync::matchOf(const EventRecord& server) const {
    if (!server.uid.isEmpty()) {
        for (const EventRecord& event : events_) {
            if (event.uid == server.uid && !contactEvents_.contains(event.id)) {
                return event.id;
            }
        }
    }
    for (const EventRecord& event : events_) {
        if (!linked_.contains(event.id) && !contactEvents_.contains(event.id) &&
            event.description == server.description && event.month == server.month &&
            event.day == server.day) {
            return event.id;
        }
    }
    return 0;
}

void CalendarSync::storeServerEvent(const QString& href, const QByteArray& etag,
                                    EventRecord server) {
    const auto known = resources_.constFind(href);
    const bool knownEvent =
        known != resources_.cend() && known->eventId && events_.contains(*known->eventId);
    qint64 id = knownEvent ? *known->eventId : 0;
    bool changedHere = knownEvent && syncHash(events_.value(id)) != known->syncedHash;
    if (!knownEvent && tombstones_.contains(href)) {
        // Deleted here, changed there: the change is kept.
        deleteSyncTombstone(db_, href);
        tombstones_.remove(href);
    } else if (!knownEvent) {
        id = matchOf(server);
        if (id != 0) {
            // Another resource of this calendar may have held it so far.
            for (const SyncResource& resource : std::as_const(resources_)) {
                if (resource.eventId == id && resource.href != href) {
                    deleteSyncResource(db_, resource.href);
                    resources_.remove(resource.href);
                    break;
                }
            }
            changedHere = !coveredBy(events_.value(id), server);
        }
    }
    if (id == 0) {
        server.id = 0;
        id = insertEvent(db_, server);
        ++report_.added;
    } else {
        const EventRecord local = events_.value(id);
        server.id = id;
        if (!sameEvent(local, server)) {
            if (changedHere && !coveredBy(local, server)) {
                // Both changed it: the server's version stays in this event,
                // this version goes on as a second one.
                EventRecord copy = local;
                copy.id = 0;
                copy.uid.clear();
                insertEvent(db_, copy);
                report_.conflicts << local.description;
            }
            updateEvent(db_, server);
            if (local.description != server.description || local.month != server.month ||
                local.day != server.day || local.year != server.year ||
                local.remindDays != server.remindDays || local.note != server.note) {
                ++report_.changed;
            }
        }
    }
    link(href, etag, id);
}

void CalendarSync::link(const QString& href, const QByteArray& etag, qint64 id) {
    const std::optional<EventRecord> stored = readEvent(db_, id);
    if (!stored) {
        return;
    }
    const SyncResource resource{href, etag, id, syncHash(*stored)};
    putSyncResource(db_, resource);
    resources_.insert(href, resource);
    events_.insert(id, *stored);
    linked_.insert(id);
}

void CalendarSync::storeGone(const QString& href) {
    if (tombstones_.remove(href) > 0) {
        deleteSyncTombstone(db_, href);
    }
    const auto known = resources_.constFind(href);
    if (known == resources_.cend()) {
        return;
    }
    const SyncResource resource = *known;
    resources_.remove(href);
    deleteSyncResource(db_, href);
    if (!resource.eventId || !events_.contains(*resource.eventId)) {
        return;
    }
    const qint64 id = *resource.eventId;
    linked_.remove(id);
    // An event changed here stays, and goes up again as a new one.
    if (syncHash(events_.value(id)) == resource.syncedHash) {
        deleteEvent(db_, id);
        events_.remove(id);
        ++report_.removed;
    }
}

std::deque<CalendarSync::Upload> CalendarSync::pendingUploads(const Connection& db,
                                                              const QUrl& collection) {
    std::deque<Upload> uploads;
    const QHash<QString, QByteArray> tombstones = readSyncTombstones(db);
    for (auto it = tombstones.cbegin(); it != tombstones.cend(); ++it) {
        uploads.push_back({Upload::Kind::Delete, it.key(), it.value(), {}});
    }
    const QHash<QString, SyncResource> resources = readSyncResources(db);
    QHash<qint64, SyncResource> byEvent;
    for (const SyncResource& resource : resources) {
        if (resource.eventId) {
            byEvent.insert(*resource.eventId, resource);
        }
    }
    const QSet<qint64> contactEvents = readContactEventIds(db);
    for (const EventRecord& event : readStoredEvents(db).events) {
        if (contactEvents.contains(event.id) || event.uid.isEmpty()) {
            continue;
        }
        const auto known = byEvent.constFind(event.id);
        if (known == byEvent.cend()) {
            QString href = keyOf(collection.resolved(QUrl(
                QString::fromLatin1(QUrl::toPercentEncoding(event.uid)) + QStringLiteral(".ics"))));
            if (resources.contains(href) || tombstones.contains(href)) {
                href = keyOf(collection.resolved(QUrl(
                    QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ics"))));
            }
            uploads.push_back({Upload::Kind::Create, href, {}, event});
        } else if (syncHash(event) != known->syncedHash) {
            uploads.push_back({Upload::Kind::Replace, known->href, known->etag, event});
        }
    }
    return uploads;
}

bool CalendarSync::hasChangesToSend(const Connection& db) {
    return !pendingUploads(db, QUrl()).empty();
}

void CalendarSync::planUploads() {
    guarded([&] { uploads_ = pendingUploads(db_, collection_); });
}

void CalendarSync::uploadNext() {
    while (!uploads_.empty()) {
        const Upload upload = uploads_.front();
        uploads_.pop_front();
        DavRequest* request = nullptr;
        if (upload.kind == Upload::Kind::Delete) {
            request = client_.remove(QUrl(upload.href), upload.etag);
        } else {
            QByteArray body;
            try {
                body = calendarResource(upload.event, stamp_);
            } catch (const AppError&) {
                // A date no calendar holds (30 February) stays here only.
                continue;
            }
            request =
                upload.kind == Upload::Kind::Create
                    ? client_.create(QUrl(upload.href), body, kCalendarContentType)
                    : client_.replace(QUrl(upload.href), body, kCalendarContentType, upload.etag);
        }
        connect(request, &DavRequest::finished, this,
                [this, request, upload] { uploaded(request, upload); });
        return;
    }
    finish();
}

void CalendarSync::uploaded(DavRequest* request, const Upload& upload) {
    request->deleteLater();
    const DavResult& result = request->result();
    using Failure = DavResult::Failure;
    guarded([&] {
        if (result.ok()) {
            ++report_.uploaded;
            if (upload.kind == Upload::Kind::Delete) {
                deleteSyncTombstone(db_, upload.href);
            } else {
                putSyncResource(
                    db_, {upload.href, result.etag, upload.event.id, syncHash(upload.event)});
            }
        } else if (result.failure == Failure::Changed || result.failure == Failure::NotFound) {
            ++report_.postponed;
            if (upload.kind == Upload::Kind::Delete) {
                // Gone already, or changed there meanwhile, which the next
                // sync brings back.
                if (result.failure == Failure::NotFound) {
                    --report_.postponed;
                }
                deleteSyncTombstone(db_, upload.href);
            } else if (upload.kind == Upload::Kind::Replace &&
                       result.failure == Failure::NotFound) {
                // Deleted there meanwhile: kept with the change, it goes up
                // again as a new one.
                deleteSyncResource(db_, upload.href);
            }
        } else {
            fail(result);
        }
    });
    if (!finished_) {
        uploadNext();
    }
}

void CalendarSync::fail(const DavResult& result) {
    failure_ = result.failure == DavResult::Failure::None ? DavResult::Failure::Unreadable
                                                          : result.failure;
    error_ = result.error;
    finish();
}

void CalendarSync::failWith(const QString& error) {
    failure_ = DavResult::Failure::None;
    error_ = error;
    finish();
}

void CalendarSync::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    emit finished();
}

}  // namespace almanis
