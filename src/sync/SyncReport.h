#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace almanis {

// What one sync changed: here, in the store, and on the server.
struct SyncReport {
    Q_DECLARE_TR_FUNCTIONS(SyncReport)
  public:
    int added = 0;    // events stored here
    int changed = 0;  // events changed here
    int removed = 0;  // events deleted here
    // Changes sent to the server: events created or changed there, and
    // events deleted there because they were deleted here.
    int uploaded = 0;
    // The descriptions of the events changed here and on the server alike:
    // each is kept twice, the server's version and this one's.
    QStringList conflicts;
    // Local changes the server refused because the resource changed there
    // meanwhile: they wait for the next sync, which brings that change first.
    int postponed = 0;

    bool changedHere() const { return added + changed + removed > 0; }
    SyncReport& operator+=(const SyncReport& other);

    // "2 added, 1 changed, 0 removed here; 1 uploaded", then a sentence for
    // each conflict.
    QStringList lines() const;
};

}  // namespace almanis
