#pragma once

#include "sync/DavRequest.h"
#include "sync/SyncReport.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QUrl>

namespace almanis {

class CollectionPull;
class Connection;
class DavClient;

// Reads the birthdays and anniversaries of an address book's contacts into
// the store: each date an event (with its year) marked as coming from that
// contact, changed when the contact changes, deleted with it, and never
// uploaded to the calendar. Only the contacts changed since the last read
// are fetched (see CollectionPull). Nothing waits: finished() follows from
// the event loop.
class ContactSync final : public QObject {
    Q_OBJECT
  public:
    ContactSync(Connection& db, DavClient& client, const QUrl& book, QDate today,
                QObject* parent = nullptr);

    void start();

    // The key the book's events are kept under.
    static QString keyOf(const QUrl& book);

    bool isFinished() const { return finished_; }
    // Why it stopped, in words; empty when it went through.
    QString error() const { return error_; }
    const SyncReport& report() const { return report_; }

  signals:
    void finished();

  private:
    void applyPulled();
    void finish(const QString& error = QString());

    Connection& db_;
    DavClient& client_;
    QUrl book_;
    QString bookKey_;
    QDate today_;
    CollectionPull* pull_ = nullptr;
    bool finished_ = false;
    QString error_;
    SyncReport report_;
};

// Deletes the events of the address books that are not among `books` (their
// accounts were removed); the number deleted. Throws AppError as the store does.
int forgetOtherBooks(Connection& db, const QStringList& books);

}  // namespace almanis
