#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace almanis {

class Connection;

// The program's own copies of the working store: one a day, in the folder
// backups/ beside the store, named dbData-YYYY-MM-DD.mdb, the newest seven kept.
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

    // Copies the open store into the day's file, replacing an earlier copy of
    // the same day, then removes all but the newest seven. The copy is written
    // under another name first, so a failure (a full disk, a file in the
    // folder's place) leaves no half copy; it throws AppError naming the file
    // and the reason.
    void write(const Connection& store, QDate day) const;

    // Copies the open store, as write() does, into a file of its own that is
    // kept apart from the daily ones: the store as it was before it was brought
    // up to layout `version`. Returns the file's path.
    QString writeBeforeUpgrade(const Connection& store, int version) const;

    // The backups, newest first.
    QStringList files() const;
    // The newest backup that opens and passes SQLite's quick check; empty when
    // there is none.
    QString newestSound() const;

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
    void copyTo(const Connection& store, const QString& target) const;
    void removeAllButTheNewest() const;

    QString storePath_;
    QString folder_;
};

}  // namespace almanis
