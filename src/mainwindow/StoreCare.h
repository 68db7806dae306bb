#pragma once

#include <QObject>
#include <QString>

namespace almanis {

class Connection;
class DailyBackups;
class Guard;
struct Services;

// Looks after the working store once it is open: the daily backup, SQLite's
// quick check after the first fill, and the offer to restore a damaged store
// from its newest sound backup.
class StoreCare final : public QObject {
    Q_OBJECT
  public:
    StoreCare(Services& services, Connection& store, QObject* parent = nullptr);
    ~StoreCare() override;

    // The check after the first fill (a procedure of its own): a damaged
    // store is named once, with its path, and the newest backup that passes
    // the check is offered; nothing is replaced without the user's yes. A
    // sound store gets its backup of the day, when it has none yet.
    void checkAfterFirstFill();

    // Copies the store into today's backup, replacing one made earlier today.
    // Throws AppError the first time a backup fails in this run; later
    // failures are not told again, and never stop what called it.
    void backUp();

    // The backups of the store, beside it.
    DailyBackups backups() const;

  signals:
    // A backup took the damaged store's place and is open: the list must be
    // filled from it.
    void restored();

  private:
    void backUpOnce(bool replaceToday);
    // Steps 102 to 112 of the check: names the damage and offers the newest
    // sound backup in the damaged store's place.
    void offerRestore(Guard& g, const QString& damage);

    Services& services_;
    Connection& store_;
    bool backupFailureTold_ = false;
};

}  // namespace almanis
