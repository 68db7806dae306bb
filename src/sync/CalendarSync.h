#pragma once

#include "core/EventRecord.h"
#include "store/SyncState.h"
#include "sync/DavRequest.h"
#include "sync/SyncReport.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>
#include <deque>

namespace almanis {

class Connection;
class CollectionPull;
class DavClient;

// One two-way sync of the store's events with a calendar collection, each
// event one resource holding one yearly all-day VEVENT.
//
// First it asks what changed on the server: the changes since the stored
// sync token (RFC 6578), else every member with its ETag; the changed ones
// are fetched by calendar-multiget (or one GET each where the server takes
// no multiget) and stored in one transaction. Then it sends what changed
// here: new events with If-None-Match: *, changed ones with If-Match, and
// deletions of synced events with If-Match, so nothing is overwritten
// blindly. A resource of an event changed here and on the server keeps the
// server's version and this version becomes a second event with a UID of
// its own; an event deleted on one side and changed on the other is kept
// with the change. The first sync of a calendar matches the events already
// there by UID, else by description, month and day. Entries that are not
// yearly all-day events stay on the server and are not stored here; events
// that contacts give are never uploaded.
//
// Nothing waits: finished() follows from the event loop.
class CalendarSync final : public QObject {
    Q_OBJECT
  public:
    // `stamp` is the DTSTAMP of what is uploaded; `today` bounds the years read.
    CalendarSync(Connection& db, DavClient& client, const QUrl& collection, QDate today,
                 const QDateTime& stamp, QObject* parent = nullptr);

    void start();

    bool isFinished() const { return finished_; }
    // Why the sync stopped, in words; empty when it went through. What was
    // stored before it stopped stays stored.
    QString error() const { return error_; }
    DavResult::Failure failure() const { return failure_; }
    const SyncReport& report() const { return report_; }

    // Whether an event was added, changed or deleted here since the last
    // sync (and a sync would send it). Throws AppError as the store does.
    static bool hasChangesToSend(const Connection& db);

  signals:
    void finished();

  private:
    // A change of the server's sent from here.
    struct Upload {
        enum class Kind { Create, Replace, Delete };
        Kind kind = Kind::Create;
        QString href;
        QByteArray etag;  // the resource's, for If-Match
        EventRecord event;
    };

    void applyPulled();
    void storeServerEvent(const QString& href, const QByteArray& etag, EventRecord server);
    void storeGone(const QString& href);
    // Keeps the resource at `href` as holding the event, as it is stored now.
    void link(const QString& href, const QByteArray& etag, qint64 id);
    // The event here that a resource new to this store stands for; 0 for none.
    qint64 matchOf(const EventRecord& server) const;
    // What changed here, to be sent to the collection.
    static std::deque<Upload> pendingUploads(const Connection& db, const QUrl& collection);
    void planUploads();
    void uploadNext();
    void uploaded(DavRequest* request, const Upload& upload);
    void fail(const DavResult& result);
    void failWith(const QString& error);
    void finish();
    // Runs a step that reads or changes the store: a failure of the store
    // ends the sync with its reason.
    template <typename Step>
    void guarded(Step step);

    Connection& db_;
    DavClient& client_;
    QUrl collection_;
    QString collectionKey_;
    QDate today_;
    QDateTime stamp_;

    CollectionPull* pull_ = nullptr;
    std::deque<Upload> uploads_;

    // The store as the transaction that takes the server's changes reads it.
    QHash<QString, SyncResource> resources_;
    QHash<QString, QByteArray> tombstones_;
    QHash<qint64, EventRecord> events_;
    QSet<qint64> linked_;  // events with a resource
    QSet<qint64> contactEvents_;

    bool finished_ = false;
    QString error_;
    DavResult::Failure failure_ = DavResult::Failure::None;
    SyncReport report_;
};

}  // namespace almanis
