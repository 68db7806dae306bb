#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace almanis {

class Connection;

// The program's own copies of the working store: one a day, in the folder
// backups/ beside the store, named dbData-YYYY-MM-DD.mdb, the newest seven kept.
// A copy is as new as when it was made (its file's modification time, set to
// the clock's time when it is written), never as the date in its name says: a
// clock set years ahead for a while, or a file put there by hand, must not
// make the real copies look old. A copy made, or named, after the clock's
// present counts as older than every other, so it goes first.
class DailyBackups {
  public:
    static constexpr int kKept = 7;

    // The backups of the store at `storePath`.
    explicit DailyBackups(const QString& storePath);
    virtual ~DailyBackups() = default;
    DailyBackups(const DailyBackups&) = default;
    DailyBackups& operator=(const DailyBackups&) = default;

    const QString& folder() const { return folder_; }
    QString fileFor(QDate day) const;
    bool has(QDate day) const;

    // Copies the open store into the file of `now`'s day, replacing an earlier
    // copy of the same day, marks it made at `now`, then removes all but the
    // newest seven: never the copy just made. The copy is written under
    // another name first, so a failure (a full disk, a file in the folder's
    // place) leaves no half copy; it throws AppError naming the file and the
    // reason.
    void write(const Connection& store, const QDateTime& now) const;

    // Copies the open store, as write() does, into a file of its own that is
    // kept apart from the daily ones: the store as it was before it was brought
    // up to layout `version`. Returns the file's path.
    QString writeBeforeUpgrade(const Connection& store, int version) const;

    // The backups, newest first by when they were made; those made or named
    // after `now` come last.
    QStringList files(const QDateTime& now) const;
    // The newest backup, in the order of files(), that opens and passes
    // SQLite's quick check; empty when there is none.
    QString newestSound(const QDateTime& now) const;
    // When the backup at `path` was made.
    static QDateTime madeAt(const QString& path);

    // Puts `backup` in the place of the store, which must be closed. The store
    // it replaces is not deleted: it is kept in the backup folder as
    // dbData-damaged-<when>.mdb. Throws AppError, leaving the store as it was,
    // when the copy fails.
    void restore(const QString& backup) const;

  protected:
    // Runs on the new copy's connection before the pages are copied; nothing
    // here (tests make the copy's disk full).
    virtual void prepareCopy(Connection& /*copy*/) const {}

  private:
    void copyTo(const Connection& store, const QString& target, const QDateTime& now) const;
    void removeAllButTheNewest(const QString& justMade, const QDateTime& now) const;

    QString storePath_;
    QString folder_;
};

}  // namespace almanis
