#include "sync/SyncReport.h"

namespace almanis {

SyncReport& SyncReport::operator+=(const SyncReport& other) {
    added += other.added;
    changed += other.changed;
    removed += other.removed;
    uploaded += other.uploaded;
    conflicts += other.conflicts;
    postponed += other.postponed;
    return *this;
}

QStringList SyncReport::lines() const {
    QStringList lines{tr("%1 added, %2 changed, %3 removed here; %4 uploaded")
                          .arg(added)
                          .arg(changed)
                          .arg(removed)
                          .arg(uploaded)};
    for (const QString& description : conflicts) {
        lines << tr("\"%1\" was changed here and on the server: both versions are kept.")
                     .arg(description);
    }
    if (postponed > 0) {
        lines << tr(
            "%n change(s) made here wait for the next sync: the server's copy was "
            "changed meanwhile.",
            nullptr, postponed);
    }
    return lines;
}

}  // namespace almanis
